#include "fw/ui_backends/qt/ui_backend.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCursor>
#include <QEventLoop>
#include <QImageReader>
#include <QMessageBox>
#include <QPixmap>
#include <QStyle>
#include <QTimer>
#include <QWindow>
#include <atomic>
#include <exception>
#include <optional>
#include <thread>

#include "fw/core/framework_texts.h"
#include "fw/ui/dialog.h"
#include "fw/ui/message_box_style.h"
#include "fw/ui/progress_ticker.h"
#include "fw/ui/stoppable_work.h"
#include "fw/ui_backends/dialog_attachment.h"
#include "fw/ui_backends/qt/dialog_peer.h"
#include "fw/ui_backends/qt/launcher_entry.h"
#include "fw/ui_backends/qt/progress_window.h"
#include "fw/ui_backends/qt/session_inhibit.h"

namespace fw::qt {

namespace {

QMessageBox::Icon BoxIcon(unsigned style) {
    switch (IconOf(style)) {
    case kMbIconStop:
        return QMessageBox::Critical;
    case kMbIconQuestion:
        return QMessageBox::Question;
    case kMbIconExclamation:
        return QMessageBox::Warning;
    case kMbIconInformation:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

// Keeps every input (mouse buttons, wheel, keys, the close box) from one
// window while the object lives; the window still repaints.
class InputBlock final : public QObject {
public:
    explicit InputBlock(QWidget* window) : m_window(window) {
        if (m_window != nullptr)
            qApp->installEventFilter(this);
    }
    ~InputBlock() override {
        if (m_window != nullptr)
            qApp->removeEventFilter(this);
    }
    InputBlock(const InputBlock&) = delete;
    InputBlock& operator=(const InputBlock&) = delete;

protected:
    bool eventFilter(QObject* receiver, QEvent* event) override {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::Wheel:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::ShortcutOverride:
        case QEvent::Shortcut:
        case QEvent::ContextMenu:
        case QEvent::Close:
        case QEvent::TouchBegin:
        case QEvent::TouchUpdate:
        case QEvent::TouchEnd:
            return IsOurs(receiver);
        default:
            return false;
        }
    }

private:
    bool IsOurs(QObject* receiver) const {
        if (auto* widget = qobject_cast<QWidget*>(receiver))
            return widget->window() == m_window;
        return receiver == m_window->windowHandle();
    }

    QWidget* m_window;
};

} // namespace

UiBackend::UiBackend(std::string programPath) : m_programPath(std::move(programPath)) {}

UiBackend::~UiBackend() {
    while (m_waitDepth > 0)
        EndWaitCursor();
}

int UiBackend::RunModal(CDialog& dialog, const DialogTemplate& dialogTemplate) {
    QWidget* owner = nullptr;
    if (CDialog* parent = dialog.Parent())
        owner = dynamic_cast<DialogPeer*>(parent->Peer());
    DialogPeer window(dialog, dialogTemplate, owner);
    const DialogAttachment attachment(dialog, window);
    return window.RunModal();
}

int UiBackend::ShowMessageBox(IDialogPeer* owner, const std::string& text,
                              const std::string& caption, unsigned style) {
    QWidget* parent = dynamic_cast<DialogPeer*>(owner);
    if (parent == nullptr)
        parent = QApplication::activeModalWidget();
    // A box whose dialog never showed (no files were given) stands alone and
    // so is centred on the screen, not over the hidden window in a corner.
    if (parent != nullptr && !parent->isVisible())
        parent = nullptr;

    QMessageBox box(parent);
    box.setIcon(BoxIcon(style));
    box.setWindowTitle(QString::fromUtf8(caption.data(), static_cast<qsizetype>(caption.size())));
    box.setTextFormat(Qt::PlainText);
    box.setText(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
    const bool okCancel = IsOkCancel(style);
    box.setStandardButtons(okCancel ? QMessageBox::Ok | QMessageBox::Cancel : QMessageBox::Ok);
    // Japanese like every other text, whatever the locale.
    box.button(QMessageBox::Ok)->setText(QString::fromUtf8(kBoxOkText));
    if (okCancel)
        box.button(QMessageBox::Cancel)->setText(QString::fromUtf8(kBoxCancelText));
    box.setDefaultButton(QMessageBox::Ok);
    box.setEscapeButton(okCancel ? QMessageBox::Cancel : QMessageBox::Ok);
    box.setWindowModality(Qt::ApplicationModal);

    // Over a message box the pointer is the ordinary arrow, even while a
    // join shows the wait cursor.
    const bool waiting = m_waitDepth > 0;
    if (waiting)
        QGuiApplication::setOverrideCursor(Qt::ArrowCursor);
    box.exec();
    if (waiting)
        QGuiApplication::restoreOverrideCursor();

    // Only the OK button answers OK: a question that ends without any button
    // (the application quitting as the session ends) is not a yes.
    if (!okCancel)
        return kIdOk;
    return box.clickedButton() == box.button(QMessageBox::Ok) ? kIdOk : kIdCancel;
}

void UiBackend::RunWithProgress(IDialogPeer* owner, const std::string& caption,
                                const ProgressWindowTexts& texts,
                                const std::function<void(IWorkProgress&)>& work) {
    QWidget* window = dynamic_cast<DialogPeer*>(owner);
    SharedWorkProgress progress;
    std::exception_ptr error;
    std::atomic<bool> finished{false};
    QEventLoop loop;
    QObject context; // the loop's end is carried to this thread through it
    InputBlock block(window);
    StoppableWork stoppable(progress);

    std::thread worker([&] {
        try {
            work(progress);
        } catch (...) {
            error = std::current_exception();
        }
        finished.store(true);
        stoppable.Finished();
        QMetaObject::invokeMethod(&context, [&loop] { loop.quit(); }, Qt::QueuedConnection);
    });
    // However this frame is left, the work is stopped and waited for first,
    // since it uses the frame.
    struct StopAndJoin {
        SharedWorkProgress& progress;
        std::thread& worker;
        ~StopAndJoin() {
            if (worker.joinable()) {
                progress.RequestCancel();
                worker.join();
            }
        }
    } stopAndJoin{progress, worker};

    {
        std::optional<ProgressWindow> progressWindow;
        std::optional<LauncherEntryProgress> launcher;
        std::optional<SessionInhibit> inhibit;
        const auto open = [&] {
            progressWindow.emplace(window, QString::fromUtf8(caption.c_str()), texts,
                                   [&progress] { progress.RequestCancel(); });
            launcher.emplace();
            inhibit.emplace(QString::fromUtf8(texts.heading.c_str()));
        };
        const auto show = [&](const ProgressModel& model) {
            progressWindow->Show(model);
            launcher->Show(model.Fraction());
        };
        ProgressTicker ticker(texts, progress, open, show);
        QTimer tick;
        tick.setInterval(ProgressTicker::kInterval);
        QObject::connect(&tick, &QTimer::timeout, &context, [&ticker] { ticker.Tick(); });
        tick.start();
        if (!finished.load())
            loop.exec();
        tick.stop();
    }
    // The loop also ends when the application quits: the work stops then.
    if (!finished.load())
        progress.RequestCancel();
    worker.join();
    if (error)
        std::rethrow_exception(error);
}

void UiBackend::BeginWaitCursor() {
    if (m_waitDepth++ == 0) {
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
        // The join that follows keeps the event loop busy: let the cursor
        // change reach the window system now.
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
}

void UiBackend::EndWaitCursor() {
    if (m_waitDepth > 0 && --m_waitDepth == 0)
        QGuiApplication::restoreOverrideCursor();
}

IconHandle UiBackend::LoadIconResource(int resourceId) {
    auto it = m_icons.find(resourceId);
    if (it == m_icons.end()) {
        // Every size the icon file holds, so each scale gets its own image.
        QImageReader reader(QStringLiteral(":/korvane/icons/%1.ico").arg(resourceId));
        QIcon icon;
        do {
            const QImage image = reader.read();
            if (!image.isNull())
                icon.addPixmap(QPixmap::fromImage(image));
        } while (reader.jumpToNextImage());
        if (icon.isNull())
            return {};
        it = m_icons.emplace(resourceId, icon).first;
    }
    return {resourceId, &it->second};
}

Size UiBackend::SystemIconSize() const {
    const int side = QApplication::style()->pixelMetric(QStyle::PM_LargeIconSize);
    return {side, side};
}

} // namespace fw::qt
