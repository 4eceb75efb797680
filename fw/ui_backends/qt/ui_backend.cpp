#include "fw/ui_backends/qt/ui_backend.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCursor>
#include <QEventLoop>
#include <QImageReader>
#include <QMessageBox>
#include <QPixmap>
#include <QStyle>

#include "fw/ui/dialog.h"
#include "fw/ui/dialog_attachment.h"
#include "fw/ui/framework_texts.h"
#include "fw/ui/message_box_style.h"
#include "fw/ui/run_with_progress.h"
#include "fw/ui_backends/qt/dialog_peer.h"
#include "fw/ui_backends/qt/progress_host.h"

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

} // namespace

UiBackend::UiBackend(std::string programPath) : m_programPath(std::move(programPath)) {}

UiBackend::~UiBackend() {
    while (m_waitCursorDepth > 0)
        EndWaitCursor();
}

int UiBackend::RunModal(CDialog& dialog, const DialogTemplate& dialogTemplate) {
    DialogPeer window(dialog, dialogTemplate);
    const DialogAttachment attachment(dialog, window);
    return window.RunModal();
}

int UiBackend::ShowMessageBox(IDialogPeer* owner, const std::string& text,
                              const std::string& caption, unsigned style) {
    QWidget* parent = DialogPeerOf(owner);
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
    const bool waiting = m_waitCursorDepth > 0;
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
    ProgressHost host(DialogPeerOf(owner), caption, texts);
    fw::RunWithProgress(host, texts, work);
}

void UiBackend::BeginWaitCursor() {
    if (m_waitCursorDepth++ == 0) {
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
        // The join that follows keeps the event loop busy: let the cursor
        // change reach the window system now.
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
}

void UiBackend::EndWaitCursor() {
    if (m_waitCursorDepth > 0 && --m_waitCursorDepth == 0)
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
