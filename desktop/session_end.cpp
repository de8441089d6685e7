#include "session_end.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusReply>
#include <unistd.h>

namespace sorami {

namespace {
const QString service = QStringLiteral("org.freedesktop.login1");
const QString managerPath = QStringLiteral("/org/freedesktop/login1");
const QString managerIface = QStringLiteral("org.freedesktop.login1.Manager");
} // namespace

LogindCall logindCallFor(SessionEnd how, bool force, const QString& sessionId) {
    const bool interactive = !force;
    switch (how) {
    case SessionEnd::LogOff:
        return {managerPath, managerIface, QStringLiteral("TerminateSession"), {sessionId}};
    case SessionEnd::Reboot:
        return {managerPath, managerIface, QStringLiteral("Reboot"), {interactive}};
    case SessionEnd::ShutDown:
    case SessionEnd::PowerOff:
        // Without power management a plain shut-down halts the machine; on a
        // desktop both end with the power off, which is what users expect.
        return {managerPath, managerIface, QStringLiteral("PowerOff"), {interactive}};
    }
    return {};
}

bool requestSessionEnd(SessionEnd how, bool force) {
    QDBusConnection bus = QDBusConnection::systemBus();
    if (!bus.isConnected()) return false;
    QString sessionId = qEnvironmentVariable("XDG_SESSION_ID");
    if (how == SessionEnd::LogOff && sessionId.isEmpty()) {
        QDBusMessage q = QDBusMessage::createMethodCall(service, managerPath, managerIface,
                                                        QStringLiteral("GetSessionByPID"));
        q << static_cast<quint32>(getpid());
        const QDBusReply<QDBusObjectPath> reply = bus.call(q, QDBus::Block, 3000);
        if (!reply.isValid()) return false;
        QDBusMessage idQuery = QDBusMessage::createMethodCall(
            service, reply.value().path(), QStringLiteral("org.freedesktop.DBus.Properties"),
            QStringLiteral("Get"));
        idQuery << QStringLiteral("org.freedesktop.login1.Session") << QStringLiteral("Id");
        const QDBusReply<QVariant> id = bus.call(idQuery, QDBus::Block, 3000);
        if (!id.isValid()) return false;
        sessionId = id.value().toString();
    }
    const LogindCall c = logindCallFor(how, force, sessionId);
    QDBusMessage m = QDBusMessage::createMethodCall(service, c.path, c.interface, c.method);
    m.setArguments(c.args);
    const QDBusMessage reply = bus.call(m, QDBus::Block, 5000);
    return reply.type() == QDBusMessage::ReplyMessage;
}

} // namespace sorami
