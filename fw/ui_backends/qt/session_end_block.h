#pragma once

#include <QDBusObjectPath>
#include <QString>

namespace fw::qt {

// Asks the desktop not to end the session (log out, shut down) while the
// object lives, giving reason to the user who tries: through the desktop
// portal's Inhibit interface, else GNOME's session manager. Does nothing
// where there is no session bus or neither answers.
class SessionEndBlock {
public:
    explicit SessionEndBlock(const QString& reason);
    ~SessionEndBlock();
    SessionEndBlock(const SessionEndBlock&) = delete;
    SessionEndBlock& operator=(const SessionEndBlock&) = delete;

private:
    QDBusObjectPath m_portalRequest; // the portal's handle, while it inhibits
    uint m_gnomeCookie = 0;          // GNOME's cookie, while it inhibits
};

} // namespace fw::qt
