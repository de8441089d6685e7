#include "session_end.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusReply>
#include <unistd.h>

namespace sorami {

namespace {
const QString logind = QStringLiteral("org.freedesktop.login1");
const QString managerPath = QStringLiteral("/org/freedesktop/login1");
const QString managerIface = QStringLiteral("org.freedesktop.login1.Manager");

bool call(QDBusConnection bus, const BusCall& c) {
    if (!bus.isConnected()) return false;
    QDBusMessage m = QDBusMessage::createMethodCall(c.service, c.path, c.interface, c.method);
    m.setArguments(c.args);
    return bus.call(m, QDBus::Block, 5000).type() == QDBusMessage::ReplyMessage;
}
} // namespace

const QList<SessionManagerLogout>& sessionManagerLogouts() {
    static const QList<SessionManagerLogout> managers = {
        // Mode 0: the normal log-off, which lets the programs object.
        {QStringLiteral("org.gnome.SessionManager"),
         {QStringLiteral("org.gnome.SessionManager"),
          QStringLiteral("/org/gnome/SessionManager"),
          QStringLiteral("org.gnome.SessionManager"),
          QStringLiteral("Logout"),
          {QVariant::fromValue(0u)}}},
        {QStringLiteral("org.kde.Shutdown"),
         {QStringLiteral("org.kde.Shutdown"),
          QStringLiteral("/Shutdown"),
          QStringLiteral("org.kde.Shutdown"),
          QStringLiteral("logout"),
          {}}},
        // No confirmation of its own, a log-off, the default way: the
        // programs are still asked to close.
        {QStringLiteral("org.kde.ksmserver"),
         {QStringLiteral("org.kde.ksmserver"),
          QStringLiteral("/KSMServer"),
          QStringLiteral("org.kde.KSMServerInterface"),
          QStringLiteral("logout"),
          {0, 0, 0}}},
        // No dialog of its own; the programs may save their state.
        {QStringLiteral("org.xfce.SessionManager"),
         {QStringLiteral("org.xfce.SessionManager"),
          QStringLiteral("/org/xfce/SessionManager"),
          QStringLiteral("org.xfce.Session.Manager"),
          QStringLiteral("Logout"),
          {false, true}}},
    };
    return managers;
}

BusCall logindCallFor(SessionEnd how, const QString& sessionId) {
    // Not forced: logind may ask for authorisation and honours the
    // inhibitors of the running programs, as for the desktop's own menu.
    const QVariantList interactive{true};
    switch (how) {
    case SessionEnd::ForcedLogOff:
        return {logind, managerPath, managerIface, QStringLiteral("TerminateSession"), {sessionId}};
    case SessionEnd::PowerOff:
        return {logind, managerPath, managerIface, QStringLiteral("PowerOff"), interactive};
    case SessionEnd::Reboot:
        return {logind, managerPath, managerIface, QStringLiteral("Reboot"), interactive};
    case SessionEnd::Halt:
        return {logind, managerPath, managerIface, QStringLiteral("Halt"), interactive};
    case SessionEnd::LogOff:
        break;
    }
    return {};
}

SessionEndResult requestSessionEnd(SessionEnd how, SessionBuses& buses) {
    if (how == SessionEnd::LogOff) {
        for (const SessionManagerLogout& m : sessionManagerLogouts())
            if (buses.sessionNameHasOwner(m.busName) && buses.callSession(m.call))
                return SessionEndResult::Requested;
        return SessionEndResult::NoSessionManager;
    }
    QString sessionId;
    if (how == SessionEnd::ForcedLogOff) {
        sessionId = buses.ownSessionId();
        if (sessionId.isEmpty()) return SessionEndResult::Refused;
    }
    return buses.callSystem(logindCallFor(how, sessionId)) ? SessionEndResult::Requested
                                                           : SessionEndResult::Refused;
}

bool DBusSessionBuses::sessionNameHasOwner(const QString& name) {
    const QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected() || !bus.interface()) return false;
    const QDBusReply<bool> reply = bus.interface()->isServiceRegistered(name);
    return reply.isValid() && reply.value();
}

bool DBusSessionBuses::callSession(const BusCall& c) {
    return call(QDBusConnection::sessionBus(), c);
}

bool DBusSessionBuses::callSystem(const BusCall& c) {
    return call(QDBusConnection::systemBus(), c);
}

QString DBusSessionBuses::ownSessionId() {
    const QString fromEnvironment = qEnvironmentVariable("XDG_SESSION_ID");
    if (!fromEnvironment.isEmpty()) return fromEnvironment;
    QDBusConnection bus = QDBusConnection::systemBus();
    if (!bus.isConnected()) return {};
    QDBusMessage q = QDBusMessage::createMethodCall(logind, managerPath, managerIface,
                                                    QStringLiteral("GetSessionByPID"));
    q << static_cast<quint32>(getpid());
    const QDBusReply<QDBusObjectPath> session = bus.call(q, QDBus::Block, 3000);
    if (!session.isValid()) return {};
    QDBusMessage idQuery = QDBusMessage::createMethodCall(
        logind, session.value().path(), QStringLiteral("org.freedesktop.DBus.Properties"),
        QStringLiteral("Get"));
    idQuery << QStringLiteral("org.freedesktop.login1.Session") << QStringLiteral("Id");
    const QDBusReply<QVariant> id = bus.call(idQuery, QDBus::Block, 3000);
    return id.isValid() ? id.value().toString() : QString();
}

} // namespace sorami
