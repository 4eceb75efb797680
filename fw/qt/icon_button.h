#pragma once

#include <QPushButton>

namespace fw::qt {

// A push button that shows its icon at the icon's own size, placed inside
// the button's face by the template's alignment (top, right, centre...)
// and clipped to it, like a Windows button with an icon image. A text
// button (no icon set) paints as a plain QPushButton.
class IconButton final : public QPushButton {
public:
    IconButton(Qt::Alignment imageAlignment, QWidget* parent);

    // Where the icon's image is drawn, in the button's coordinates.
    QRect ImageRect() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Qt::Alignment m_alignment;
};

} // namespace fw::qt
