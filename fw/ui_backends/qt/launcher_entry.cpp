#include "fw/ui_backends/qt/launcher_entry.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QGuiApplication>
#include <QVariantMap>
#include <cmath>

#include "fw/ui_backends/qt/session_bus.h"

namespace fw::qt {

LauncherEntryProgress::LauncherEntryProgress()
    : m_available(HasSessionBus() && !QGuiApplication::desktopFileName().isEmpty() &&
                  QDBusConnection::sessionBus().isConnected()) {}

LauncherEntryProgress::~LauncherEntryProgress() {
    if (m_shown)
        Send(false, 0);
}

void LauncherEntryProgress::Show(double fraction) {
    const int percent = static_cast<int>(std::floor(fraction * 100));
    if (!m_available || percent == m_percent)
        return;
    m_percent = percent;
    m_shown = true;
    Send(true, fraction);
}

void LauncherEntryProgress::Send(bool visible, double fraction) {
    QDBusMessage signal = QDBusMessage::createSignal(
        QStringLiteral("/org/korvane/Korvane/LauncherEntry"),
        QStringLiteral("com.canonical.Unity.LauncherEntry"), QStringLiteral("Update"));
    QVariantMap properties;
    properties.insert(QStringLiteral("progress"), fraction);
    properties.insert(QStringLiteral("progress-visible"), visible);
    signal << QStringLiteral("application://%1.desktop").arg(QGuiApplication::desktopFileName())
           << properties;
    QDBusConnection::sessionBus().send(signal);
}

} // namespace fw::qt
