#pragma once

#include <QMessageBox>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

#include "fw/ui/controls.h"
#include "fw/ui/dialog.h"

namespace fw::qt {
class DialogPeer;
}

namespace qt_test {

// A dialog on template 102 that records its commands instead of acting:
// the OK command (join button, Enter) and the two order buttons.
class ProbeDialog : public CDialog {
public:
    ProbeDialog();

    std::vector<int> commands;
    // Runs at the end of the dialog's initialisation.
    std::function<void(ProbeDialog&)> onInit;

    CListBox m_lstSorted;
    CListBox m_lstFiles;
    CEdit m_edtOutput;
    CButton m_btnUp;
    CButton m_btnDown;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    bool OnInitDialog() override;
    void OnOK() override { commands.push_back(1); }
    void OnMoveUp() { commands.push_back(1000); }
    void OnMoveDown() { commands.push_back(1001); }

    DECLARE_MESSAGE_MAP()
};

using Driver = std::function<void(fw::qt::DialogPeer&)>;

// Calls run (which runs a dialog modally on the Qt backend) and returns its
// result. Once a dialog window shows, drive runs from the event loop with
// it. A dialog still running after timeoutMs fails the test and is ended
// (open message boxes first). shown tells whether a window ever showed.
int RunWithDriver(const std::function<int()>& run, const Driver& drive, int timeoutMs = 10000,
                  bool* shown = nullptr);

// RunWithDriver for one dialog object.
int RunDialog(CDialog& dialog, const Driver& drive, int timeoutMs = 10000, bool* shown = nullptr);

// Answers message boxes from the event loop: each box that shows gets the
// next answer of the script, in order. Fails the test when the script is
// not used up within timeoutMs. Watches while the object lives.
class MessageBoxScript {
public:
    using Answer = std::function<void(QMessageBox&)>;
    explicit MessageBoxScript(std::vector<Answer> answers, int timeoutMs = 10000);
    ~MessageBoxScript();
    MessageBoxScript(const MessageBoxScript&) = delete;
    MessageBoxScript& operator=(const MessageBoxScript&) = delete;

    // How many boxes were answered.
    int Answered() const;

private:
    struct State;
    std::unique_ptr<State> m_state;
};

// Presses a box's standard button.
void Press(QMessageBox& box, QMessageBox::StandardButton button);

// The child control of window with that id, as T.
template <typename T> T* Control(QWidget& window, int id) {
    return window.findChild<T*>(QString::number(id));
}

// Where the tests write their screenshots (in the build tree).
QString ScreenshotPath(const QString& name);

} // namespace qt_test
