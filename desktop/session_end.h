#pragma once
// Ending the user's session. A plain log-off goes to the desktop's session
// manager on the session bus, which asks the running programs first, so
// unsaved work elsewhere is not lost; only the forced log-off terminates the
// session through systemd-logind. Shutting down, restarting and halting go
// to logind on the system bus.

#include "platform.h"

#include <QString>
#include <QVariantList>

namespace sorami {

// One D-Bus method call.
struct BusCall {
    QString service;
    QString path;
    QString interface;
    QString method;
    QVariantList args;
    bool operator==(const BusCall&) const = default;
};

// The two buses as the request sees them; the real ones go through Qt D-Bus,
// tests record the calls.
class SessionBuses {
public:
    virtual ~SessionBuses() = default;
    // The name has an owner on the session bus: that program is running.
    virtual bool sessionNameHasOwner(const QString& name) = 0;
    // True when the callee replied (not with an error).
    virtual bool callSession(const BusCall& call) = 0;
    virtual bool callSystem(const BusCall& call) = 0;
    // logind's id of the session this program runs in; empty when unknown.
    virtual QString ownSessionId() = 0;
};

// The session managers asked for a plain log-off, in the order they are
// tried: GNOME's (also the one of desktops built on it), KDE Plasma's, the
// older KDE one, and Xfce's. Each is asked only when its name has an owner.
struct SessionManagerLogout {
    QString busName;
    BusCall call;
};
const QList<SessionManagerLogout>& sessionManagerLogouts();

// The logind call that carries out a request other than the plain log-off.
BusCall logindCallFor(SessionEnd how, const QString& sessionId);

// Makes the request over `buses`. The plain log-off goes to the first
// running session manager that replies; with none, nothing is sent and the
// answer is NoSessionManager: the session is never forced in its place.
SessionEndResult requestSessionEnd(SessionEnd how, SessionBuses& buses);

// The real buses.
class DBusSessionBuses : public SessionBuses {
public:
    bool sessionNameHasOwner(const QString& name) override;
    bool callSession(const BusCall& call) override;
    bool callSystem(const BusCall& call) override;
    QString ownSessionId() override;
};

} // namespace sorami
