#pragma once

#include <QPushButton>

namespace fw::qt {

// A push button that shows its icon at the icon's own size, placed inside
// the button's face by the template's alignment (top, right, centre...)
// and clipped to it, like a Windows button with an icon image. The icon is
// a shape: it paints in the palette's button-text colour (disabled too),
// from the image drawn for the screen's pixel ratio, so it reads on light
// and dark themes at any scale. A text button (no icon set) paints as a
// plain QPushButton. Q_OBJECT makes it a type of its own to Qt's lookups
// (findChild, qobject_cast).
class IconButton final : public QPushButton {
    Q_OBJECT

public:
    IconButton(Qt::Alignment imageAlignment, QWidget* parent);

    // Where the icon's image is drawn, in the button's coordinates.
    QRect ImageRect() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Qt::Alignment m_alignment;
};

// The opaque pixels of shape, all in colour, at shape's pixel ratio.
QPixmap ShapeInColour(const QPixmap& shape, const QColor& colour);

} // namespace fw::qt
