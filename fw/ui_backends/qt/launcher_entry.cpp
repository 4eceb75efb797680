#include "fw/ui_backends/qt/launcher_entry.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QFileInfo>
#include <QGuiApplication>
#include <QVariantMap>
#include <cmath>

namespace fw::qt {

namespace {

// Whether a session bus can be reached without starting one: its address
// is set, or the user's runtime folder holds its socket.
bool HasSessionBus() {
    if (!qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS"))
        return true;
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    return !runtime.isEmpty() && QFileInfo::exists(runtime + QStringLiteral("/bus"));
}

} // namespace

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
