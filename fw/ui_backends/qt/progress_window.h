#pragma once

#include <QDialog>
#include <functional>

#include "fw/ui/progress_model.h"

class QLabel;
class QProgressBar;
class QPushButton;

namespace fw::qt {

// The window of long work: the heading, the name of the item being worked
// on (shortened in the middle where it does not fit), a bar, the time left
// and a cancel button, in the owner's font, centred on the owner. The
// button, Escape and the close box call onCancel.
class ProgressWindow final : public QDialog {
public:
    ProgressWindow(QWidget* owner, const QString& caption, const ProgressWindowTexts& texts,
                   std::function<void()> onCancel);
    ~ProgressWindow() override;
    ProgressWindow(const ProgressWindow&) = delete;
    ProgressWindow& operator=(const ProgressWindow&) = delete;

    // Shows the model's state.
    void Show(const ProgressModel& model);

    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;
    // The wait cursor shows over the owner; over this window the pointer is
    // the ordinary arrow, for its button.
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void ShowArrow(bool arrow);

    std::function<void()> m_onCancel;
    QLabel* m_item;
    QProgressBar* m_bar;
    QLabel* m_remaining;
    QPushButton* m_cancel;
    QString m_itemText;
    bool m_arrow = false;
};

} // namespace fw::qt
