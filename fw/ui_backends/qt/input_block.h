#pragma once

#include <QObject>

class QWidget;

namespace fw::qt {

// Keeps every input (mouse buttons, wheel, keys, the close box) from one
// window while the object lives; the window still repaints.
class InputBlock final : public QObject {
public:
    explicit InputBlock(QWidget* window);
    ~InputBlock() override;
    InputBlock(const InputBlock&) = delete;
    InputBlock& operator=(const InputBlock&) = delete;

protected:
    bool eventFilter(QObject* receiver, QEvent* event) override;

private:
    bool IsOurs(QObject* receiver) const;

    QWidget* m_window;
};

} // namespace fw::qt
