#include "fw/ui_backends/qt/title_bar.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QToolButton>
#include <QWindow>
#include <algorithm>

#include "fw/ui/framework_texts.h"

namespace fw::qt {

namespace {
constexpr int kMargin = 6;
constexpr int kIconSide = 16;
} // namespace

TitleBar::TitleBar(QWidget* window) : QWidget(window), m_close(new QToolButton(this)) {
    setFixedHeight(std::max(fontMetrics().height() + 2 * kMargin, kIconSide + 2 * kMargin));
    m_close->setIcon(style()->standardIcon(QStyle::SP_TitleBarCloseButton));
    m_close->setAutoRaise(true);
    m_close->setFocusPolicy(Qt::NoFocus); // outside the dialog's tab order
    const QString name = QString::fromUtf8(kCloseWindowText);
    m_close->setAccessibleName(name);
    m_close->setToolTip(name);
    connect(m_close, &QToolButton::clicked, window, &QWidget::close);
}

bool TitleBar::Needed() {
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

void TitleBar::resizeEvent(QResizeEvent* /*event*/) {
    const int side = height() - kMargin;
    m_close->setGeometry(width() - side - kMargin / 2, kMargin / 2, side, side);
}

void TitleBar::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    const QWidget* window = this->window();
    painter.fillRect(rect(), palette().color(QPalette::Window).darker(112));
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawLine(rect().bottomLeft(), rect().bottomRight());

    int x = kMargin;
    const QIcon icon = window->windowIcon();
    if (!icon.isNull()) {
        icon.paint(&painter, QRect(x, (height() - kIconSide) / 2, kIconSide, kIconSide));
        x += kIconSide + kMargin;
    }
    QFont bold = font();
    bold.setBold(true);
    painter.setFont(bold);
    painter.setPen(palette().color(window->isActiveWindow() ? QPalette::Active : QPalette::Inactive,
                                   QPalette::WindowText));
    const QRect text(x, 0, m_close->x() - kMargin - x, height());
    painter.drawText(
        text, Qt::AlignVCenter | Qt::AlignLeft,
        QFontMetrics(bold).elidedText(window->windowTitle(), Qt::ElideRight, text.width()));
}

void TitleBar::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && window()->windowHandle() != nullptr)
        window()->windowHandle()->startSystemMove();
}

} // namespace fw::qt
