#include "fw/ui_backends/qt/icon_button.h"

#include <QIcon>
#include <QPainter>
#include <QStyleOptionButton>
#include <QStylePainter>

namespace fw::qt {

IconButton::IconButton(Qt::Alignment imageAlignment, QWidget* parent)
    : QPushButton(parent), m_alignment(imageAlignment) {}

QRect IconButton::ImageRect() const {
    QStyleOptionButton option;
    initStyleOption(&option);
    const QRect face = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
    const QSize size = iconSize();
    int x = face.left() + (face.width() - size.width()) / 2;
    if (m_alignment & Qt::AlignLeft)
        x = face.left();
    else if (m_alignment & Qt::AlignRight)
        x = face.right() + 1 - size.width();
    int y = face.top() + (face.height() - size.height()) / 2;
    if (m_alignment & Qt::AlignTop)
        y = face.top();
    else if (m_alignment & Qt::AlignBottom)
        y = face.bottom() + 1 - size.height();
    return {QPoint(x, y), size};
}

void IconButton::paintEvent(QPaintEvent* event) {
    if (icon().isNull()) {
        QPushButton::paintEvent(event);
        return;
    }
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.icon = QIcon();
    option.text.clear();
    painter.drawControl(QStyle::CE_PushButton, option);

    QRect image = ImageRect();
    if (isDown() || isChecked()) {
        image.translate(style()->pixelMetric(QStyle::PM_ButtonShiftHorizontal, &option, this),
                        style()->pixelMetric(QStyle::PM_ButtonShiftVertical, &option, this));
    }
    painter.setClipRect(style()->subElementRect(QStyle::SE_PushButtonContents, &option, this));
    const QPalette::ColorGroup group = isEnabled() ? QPalette::Active : QPalette::Disabled;
    painter.drawPixmap(image.topLeft(),
                       ShapeInColour(icon().pixmap(image.size(), devicePixelRatioF()),
                                     palette().color(group, QPalette::ButtonText)));
}

QPixmap ShapeInColour(const QPixmap& shape, const QColor& colour) {
    QPixmap painted(shape.size());
    painted.setDevicePixelRatio(shape.devicePixelRatio());
    painted.fill(Qt::transparent);
    QPainter painter(&painted);
    painter.drawPixmap(0, 0, shape);
    painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
    painter.fillRect(QRect(QPoint(0, 0), shape.deviceIndependentSize().toSize()), colour);
    return painted;
}

} // namespace fw::qt
