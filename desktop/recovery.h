#pragma once
// Recovery copies: what a program could not write where it belongs when the
// session ended (the marked question list of a read-only question file, the
// notebook's unsaved text), kept in $XDG_DATA_HOME/sorami/recovery until the
// next start, which offers each one with a single question.

#include "platform.h"

#include <QDateTime>
#include <QString>

namespace sorami {

// $XDG_DATA_HOME/sorami (~/.local/share/sorami when the variable is unset or
// not an absolute path): where a kept copy stays.
QString recoveryKeptFolder();
// Its folder "recovery": the copies not yet offered.
QString recoveryPendingFolder();

// A new path for the recovery copy of `originalName` made at `moment`, in a
// folder created when missing; the caller writes it with its own writer.
QString recoveryCopyPath(const QString& originalName, const QDateTime& moment);

// Offers each copy an earlier session left: Yes keeps it (moved to the kept
// folder, which the question names), No deletes it.
void offerRecoveryCopies(Platform& platform, QWidget* parent);

} // namespace sorami
