#pragma once

#include <QCollator>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QString>

#include "fw/ui/ui_backend.h"

namespace fw::qt {

// A list box over a QListWidget. Entries keep their exact bytes (item data),
// so a file name that is not valid UTF-8 comes back unchanged; the shown
// text is its UTF-8 reading. A sorted list puts each added entry after
// every entry that does not sort after it: ascending, letter case ignored,
// by the user's locale, equal entries in arrival order.
class ListPeer final : public IListPeer {
public:
    ListPeer(QListWidget* widget, bool sorted);

    int AddString(const std::string& text) override;
    int InsertString(int index, const std::string& text) override;
    int DeleteString(int index) override;
    int GetCount() const override;
    int GetText(int index, std::string& text) const override;
    int GetCurSel() const override;
    int SetCurSel(int index) override;

    QListWidget* Widget() const { return m_widget; }

private:
    std::string EntryBytes(int index) const;
    void InsertAt(int index, const std::string& text);

    QListWidget* m_widget;
    bool m_sorted;
    QCollator m_collator;
};

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

// The button peer; SetIcon shows an icon the backend loaded.
class ButtonPeer final : public IButtonPeer {
public:
    explicit ButtonPeer(QPushButton* widget) : m_widget(widget) {}

    void SetIcon(IconHandle icon) override;

    QPushButton* Widget() const { return m_widget; }

private:
    QPushButton* m_widget;
};

} // namespace fw::qt
