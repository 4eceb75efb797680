#include "fw/ui_backends/qt/progress_window.h"

#include <QCloseEvent>
#include <QCursor>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "fw/ui_backends/qt/dialog_units.h"
#include "fw/ui_backends/qt/title_bar.h"

namespace fw::qt {

namespace {

// The window's width and the spacing, in the owner font's dialog units.
constexpr int kWidthUnits = 240;
constexpr int kMarginUnits = 7;

QString FromText(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

ProgressWindow::ProgressWindow(QWidget* owner, const QString& caption,
                               const ProgressWindowTexts& texts, std::function<void()> onCancel)
    : QDialog(owner), m_onCancel(std::move(onCancel)) {
    Qt::WindowFlags flags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                            Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    if (TitleBar::Needed())
        flags |= Qt::FramelessWindowHint;
    setWindowFlags(flags);
    setWindowModality(Qt::ApplicationModal);
    setWindowTitle(caption);
    if (owner != nullptr)
        setFont(owner->font());
    const BaseUnits units = BaseUnitsOf(font());
    const int margin = DialogUnitsToPixelsX(kMarginUnits, units);
    // Where windows decorate themselves, the title bar is ours, as the
    // dialog's; its close button cancels like the close box.
    TitleBar* titleBar = TitleBar::Needed() ? new TitleBar(this) : nullptr;
    const int top = titleBar != nullptr ? titleBar->height() : 0;

    auto* heading = new QLabel(FromText(texts.heading), this);
    heading->setTextFormat(Qt::PlainText);
    m_item = new QLabel(this);
    m_item->setTextFormat(Qt::PlainText);
    m_item->setObjectName(QStringLiteral("item"));
    // The name is shortened to the width the window gives it.
    m_item->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    m_bar = new QProgressBar(this);
    m_bar->setRange(0, ProgressModel::kBarRange);
    m_bar->setTextVisible(false);
    m_remaining = new QLabel(this);
    m_remaining->setTextFormat(Qt::PlainText);
    m_remaining->setObjectName(QStringLiteral("remaining"));
    m_cancel = new QPushButton(FromText(texts.cancel), this);
    m_cancel->setAutoDefault(false);
    connect(m_cancel, &QPushButton::clicked, this, [this] { reject(); });

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_remaining, 1);
    buttons->addWidget(m_cancel);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(margin, top + margin, margin, margin);
    layout->addWidget(heading);
    layout->addWidget(m_item);
    layout->addWidget(m_bar);
    layout->addLayout(buttons);
    setFixedWidth(DialogUnitsToPixelsX(kWidthUnits, units));
    setFixedHeight(sizeHint().height());
    if (titleBar != nullptr)
        titleBar->setGeometry(0, 0, width(), top);
    m_cancel->setFocus();
}

ProgressWindow::~ProgressWindow() {
    ShowArrow(false);
}

void ProgressWindow::enterEvent(QEnterEvent* /*event*/) {
    ShowArrow(true);
}

void ProgressWindow::leaveEvent(QEvent* /*event*/) {
    ShowArrow(false);
}

void ProgressWindow::ShowArrow(bool arrow) {
    if (arrow == m_arrow)
        return;
    m_arrow = arrow;
    if (arrow)
        QGuiApplication::setOverrideCursor(Qt::ArrowCursor);
    else
        QGuiApplication::restoreOverrideCursor();
}

void ProgressWindow::Show(const ProgressModel& model) {
    if (!isVisible()) {
        show();
        if (const QWidget* owner = parentWidget()) {
            const QRect area = owner->frameGeometry();
            const QSize outer = frameGeometry().size();
            move(area.center() - QPoint(outer.width() / 2, outer.height() / 2));
        }
        raise();
        activateWindow();
    }
    const QString item = FromText(model.ItemText());
    if (item != m_itemText || m_item->text().isEmpty()) {
        m_itemText = item;
        m_item->setToolTip(item);
        m_item->setText(m_item->fontMetrics().elidedText(item, Qt::ElideMiddle, m_item->width()));
    }
    m_bar->setValue(model.BarValue());
    m_remaining->setText(FromText(model.RemainingText()));
    if (model.Finishing())
        m_cancel->setEnabled(false);
    // Where the window system does not say when the pointer comes and goes.
    ShowArrow(frameGeometry().contains(QCursor::pos()));
}

void ProgressWindow::reject() {
    m_cancel->setEnabled(false);
    m_onCancel();
}

void ProgressWindow::closeEvent(QCloseEvent* event) {
    event->ignore();
    reject();
}

} // namespace fw::qt
