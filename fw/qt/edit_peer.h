#pragma once

#include <QLineEdit>
#include <QString>

#include "fw/ui_backend.h"

namespace fw::qt {

// A single-line edit field over a QLineEdit. The bytes last set come back
// unchanged while the user has not edited the text, so a path that is not
// valid UTF-8 survives being shown; edited text is read as UTF-8.
class EditPeer final : public IEditPeer {
public:
    explicit EditPeer(QLineEdit* widget) : m_widget(widget) {}

    std::string GetText() const override;
    void SetText(const std::string& text) override;

    QLineEdit* Widget() const { return m_widget; }

private:
    QLineEdit* m_widget;
    std::string m_setBytes;
    QString m_setText;
};

} // namespace fw::qt
