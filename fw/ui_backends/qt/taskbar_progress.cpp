#include "fw/ui_backends/qt/taskbar_progress.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QGuiApplication>
#include <QVariantMap>
#include <cmath>

#include "fw/ui_backends/qt/session_bus.h"

namespace fw::qt {

namespace {

// The object the signals come from, named for the desktop entry:
// org.example.App sends from /org/example/App/LauncherEntry. Characters an
// object path cannot hold become underscores.
QString ObjectPathFor(const QString& desktopId) {
    QString path = QStringLiteral("/");
    for (const QChar c : desktopId) {
        if (c == QLatin1Char('.'))
            path += QLatin1Char('/');
        else if (c.isLetterOrNumber() && c.unicode() < 0x80)
            path += c;
        else
            path += QLatin1Char('_');
    }
    return path + QStringLiteral("/LauncherEntry");
}

} // namespace

TaskbarProgress::TaskbarProgress()
    : m_available(HasSessionBus() && !QGuiApplication::desktopFileName().isEmpty() &&
                  QDBusConnection::sessionBus().isConnected()) {}

TaskbarProgress::~TaskbarProgress() {
    if (m_shown)
        Send(false, 0);
}

void TaskbarProgress::Show(double fraction) {
    const int percent = static_cast<int>(std::floor(fraction * 100));
    if (!m_available || percent == m_percent)
        return;
    m_percent = percent;
    m_shown = true;
    Send(true, fraction);
}

void TaskbarProgress::Send(bool visible, double fraction) {
    const QString desktopId = QGuiApplication::desktopFileName();
    QDBusMessage signal = QDBusMessage::createSignal(
        ObjectPathFor(desktopId), QStringLiteral("com.canonical.Unity.LauncherEntry"),
        QStringLiteral("Update"));
    QVariantMap properties;
    properties.insert(QStringLiteral("progress"), fraction);
    properties.insert(QStringLiteral("progress-visible"), visible);
    signal << QStringLiteral("application://%1.desktop").arg(desktopId) << properties;
    QDBusConnection::sessionBus().send(signal);
}

} // namespace fw::qt
