#pragma once

#include <QWidget>

class QToolButton;

namespace fw::qt {

// The title bar a dialog window draws itself where windows decorate
// themselves (Wayland), since the decoration Qt draws there always offers
// minimize and maximize: the window's icon, its title and one close button,
// which closes the window. Dragging the bar moves the window.
class TitleBar final : public QWidget {
public:
    explicit TitleBar(QWidget* window);

    // Whether windows on this platform need a title bar of their own.
    static bool Needed();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QToolButton* m_close;
};

} // namespace fw::qt
