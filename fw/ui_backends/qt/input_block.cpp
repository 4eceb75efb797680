#include "fw/ui_backends/qt/input_block.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>
#include <QWindow>

namespace fw::qt {

InputBlock::InputBlock(QWidget* window) : m_window(window) {
    if (m_window != nullptr)
        qApp->installEventFilter(this);
}

InputBlock::~InputBlock() {
    if (m_window != nullptr)
        qApp->removeEventFilter(this);
}

bool InputBlock::eventFilter(QObject* receiver, QEvent* event) {
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

bool InputBlock::IsOurs(QObject* receiver) const {
    if (auto* widget = qobject_cast<QWidget*>(receiver))
        return widget->window() == m_window;
    return receiver == m_window->windowHandle();
}

} // namespace fw::qt
