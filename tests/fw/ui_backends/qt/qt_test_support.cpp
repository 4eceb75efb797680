#include "qt_test_support.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QPointer>
#include <QTest>
#include <QTimer>

#include "app/resource_ids.h"
#include "fw/core/win_app.h"
#include "fw/ui_backends/qt/dialog_peer.h"

namespace qt_test {

BEGIN_MESSAGE_MAP(ProbeDialog, CDialog)
ON_BN_CLICKED(IDC_MOVE_UP, &ProbeDialog::OnMoveUp)
ON_BN_CLICKED(IDC_MOVE_DOWN, &ProbeDialog::OnMoveDown)
END_MESSAGE_MAP()

ProbeDialog::ProbeDialog() : CDialog(IDD_JOIN) {}

void ProbeDialog::DoDataExchange(CDataExchange* pDX) {
    DDX_Control(pDX, IDC_SORTED, m_lstSorted);
    DDX_Control(pDX, IDC_FILES, m_lstFiles);
    DDX_Control(pDX, IDC_OUTPUT, m_edtOutput);
    DDX_Control(pDX, IDC_MOVE_UP, m_btnUp);
    DDX_Control(pDX, IDC_MOVE_DOWN, m_btnDown);
}

bool ProbeDialog::OnInitDialog() {
    CDialog::OnInitDialog();
    m_btnUp.SetIcon(AfxGetApp()->LoadAppIcon(IDI_UP));
    m_btnDown.SetIcon(AfxGetApp()->LoadAppIcon(IDI_DOWN));
    if (onInit)
        onInit(*this);
    return true;
}

namespace {

void CloseOpenMessageBoxes() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* box = qobject_cast<QMessageBox*>(widget); box != nullptr && box->isVisible())
            box->done(QMessageBox::Cancel);
    }
}

fw::qt::DialogPeer* VisibleDialogPeer() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        auto* window = dynamic_cast<fw::qt::DialogPeer*>(widget);
        if (window != nullptr && window->isVisible())
            return window;
    }
    return nullptr;
}

} // namespace

int RunWithDriver(const std::function<int()>& run, const Driver& drive, int timeoutMs,
                  bool* shown) {
    const auto dialogRunning = [](fw::qt::DialogPeer* window) {
        return VisibleDialogPeer() == window;
    };
    bool driven = false;
    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        fw::qt::DialogPeer* window = VisibleDialogPeer();
        if (window == nullptr)
            return;
        driven = true;
        poll.stop();
        drive(*window);
        // A failed check returns from drive early: end the dialog now
        // rather than at the time limit.
        if (QTest::currentTestFailed() && dialogRunning(window))
            window->EndDialog(-2);
    });
    bool timedOut = false;
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, [&] {
        timedOut = true;
        CloseOpenMessageBoxes();
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (auto* window = dynamic_cast<fw::qt::DialogPeer*>(widget))
                window->EndDialog(-2);
        }
    });
    poll.start();
    watchdog.start(timeoutMs);
    const int result = run();
    if (shown != nullptr)
        *shown = driven;
    if (timedOut)
        QTest::qFail("the dialog was still running at the time limit", __FILE__, __LINE__);
    return result;
}

int RunDialog(CDialog& dialog, const Driver& drive, int timeoutMs, bool* shown) {
    return RunWithDriver([&dialog] { return dialog.DoModal(); }, drive, timeoutMs, shown);
}

struct MessageBoxScript::State {
    std::vector<Answer> answers;
    int timeoutMs = 0;
    int next = 0;
    QPointer<QMessageBox> last;
    QTimer poll;
    QElapsedTimer clock;
};

MessageBoxScript::MessageBoxScript(std::vector<Answer> answers, int timeoutMs)
    : m_state(std::make_unique<State>()) {
    State* state = m_state.get();
    state->answers = std::move(answers);
    state->timeoutMs = timeoutMs;
    state->clock.start();
    state->poll.setInterval(10);
    QObject::connect(&state->poll, &QTimer::timeout, [state] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            auto* box = qobject_cast<QMessageBox*>(widget);
            if (box == nullptr || !box->isVisible() || box == state->last)
                continue;
            state->last = box;
            const Answer& answer = state->answers[static_cast<std::size_t>(state->next++)];
            if (state->next == static_cast<int>(state->answers.size()))
                state->poll.stop();
            answer(*box);
            return;
        }
        if (state->clock.elapsed() > state->timeoutMs) {
            state->poll.stop();
            CloseOpenMessageBoxes();
            QTest::qFail("an expected message box did not appear in time", __FILE__, __LINE__);
        }
    });
    if (!state->answers.empty())
        state->poll.start();
}

MessageBoxScript::~MessageBoxScript() = default;

int MessageBoxScript::Answered() const {
    return m_state->next;
}

void Press(QMessageBox& box, QMessageBox::StandardButton button) {
    QAbstractButton* target = box.button(button);
    if (target == nullptr) {
        QTest::qFail("the message box has no such button", __FILE__, __LINE__);
        box.done(QMessageBox::Cancel);
        return;
    }
    target->click();
}

QString ScreenshotPath(const QString& name) {
    const QString folder = QStringLiteral(KORVANE_SCREENSHOT_DIR);
    QDir().mkpath(folder);
    return folder + QLatin1Char('/') + name;
}

} // namespace qt_test
