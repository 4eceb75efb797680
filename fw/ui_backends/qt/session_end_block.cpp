#include "fw/ui_backends/qt/session_end_block.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QGuiApplication>
#include <QVariantMap>

#include "fw/ui_backends/qt/session_bus.h"

namespace fw::qt {

namespace {

// The session ending: logging out, which shutting down and restarting
// include.
constexpr uint kInhibitLogout = 1;
// A desktop that does not answer at once is not waited for.
constexpr int kCallTimeoutMs = 1000;

const QString kPortalService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString kGnomeService = QStringLiteral("org.gnome.SessionManager");
const QString kGnomePath = QStringLiteral("/org/gnome/SessionManager");

QDBusMessage Call(QDBusMessage message) {
    return QDBusConnection::sessionBus().call(message, QDBus::Block, kCallTimeoutMs);
}

} // namespace

SessionEndBlock::SessionEndBlock(const QString& reason) {
    if (!HasSessionBus() || !QDBusConnection::sessionBus().isConnected())
        return;

    QDBusMessage portal = QDBusMessage::createMethodCall(
        kPortalService, QStringLiteral("/org/freedesktop/portal/desktop"),
        QStringLiteral("org.freedesktop.portal.Inhibit"), QStringLiteral("Inhibit"));
    QVariantMap options;
    options.insert(QStringLiteral("reason"), reason);
    portal << QString() << kInhibitLogout << options;
    const QDBusMessage handle = Call(portal);
    if (handle.type() == QDBusMessage::ReplyMessage && !handle.arguments().isEmpty()) {
        m_portalRequest = handle.arguments().constFirst().value<QDBusObjectPath>();
        if (!m_portalRequest.path().isEmpty())
            return;
    }

    QDBusMessage gnome = QDBusMessage::createMethodCall(kGnomeService, kGnomePath, kGnomeService,
                                                        QStringLiteral("Inhibit"));
    gnome << QGuiApplication::desktopFileName() << 0u << reason << kInhibitLogout;
    const QDBusMessage cookie = Call(gnome);
    if (cookie.type() == QDBusMessage::ReplyMessage && !cookie.arguments().isEmpty())
        m_gnomeCookie = cookie.arguments().constFirst().toUInt();
}

SessionEndBlock::~SessionEndBlock() {
    // Released without waiting for an answer: there is nothing to do if
    // the desktop has gone.
    if (!m_portalRequest.path().isEmpty()) {
        QDBusConnection::sessionBus().send(QDBusMessage::createMethodCall(
            kPortalService, m_portalRequest.path(),
            QStringLiteral("org.freedesktop.portal.Request"), QStringLiteral("Close")));
    } else if (m_gnomeCookie != 0) {
        QDBusMessage uninhibit = QDBusMessage::createMethodCall(
            kGnomeService, kGnomePath, kGnomeService, QStringLiteral("Uninhibit"));
        uninhibit << m_gnomeCookie;
        QDBusConnection::sessionBus().send(uninhibit);
    }
}

} // namespace fw::qt
