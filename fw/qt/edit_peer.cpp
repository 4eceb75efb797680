#include "fw/qt/edit_peer.h"

#include <QByteArray>

namespace fw::qt {

std::string EditPeer::GetText() const {
    const QString shown = m_widget->text();
    if (shown == m_setText)
        return m_setBytes;
    const QByteArray bytes = shown.toUtf8();
    return {bytes.constData(), static_cast<std::size_t>(bytes.size())};
}

void EditPeer::SetText(const std::string& text) {
    m_setBytes = text;
    m_setText = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    m_widget->setText(m_setText);
    m_widget->setCursorPosition(0);
}

} // namespace fw::qt
