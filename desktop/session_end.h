#pragma once
// Ending the user's session through systemd-logind on the system bus.

#include "platform.h"

#include <QString>
#include <QVariantList>

namespace sorami {

struct LogindCall {
    QString path; // object path
    QString interface;
    QString method;
    QVariantList args;
};

// The logind call that carries out a request. Log-off terminates the caller's
// own session; the others ask the manager, interactively unless forced, so
// that logind may ask for authorisation or honour inhibitors as it would for
// the desktop's own menu.
LogindCall logindCallFor(SessionEnd how, bool force, const QString& sessionId);

// Sends the request; false when the bus or logind refused it.
bool requestSessionEnd(SessionEnd how, bool force);

} // namespace sorami
