#pragma once
// The sound cues by the file names the programs play them under. Names are
// kept exactly as each place spells them: lookup ignores letter case, but a
// cue directory on a case-sensitive disk may hold either spelling.

#include <QString>

namespace sorami::cue {

inline const QString Poki = QStringLiteral("poki.wav");
inline const QString PokiCapital = QStringLiteral("Poki.wav");
inline const QString Up = QStringLiteral("up.wav");
inline const QString Cancel = QStringLiteral("cancel.wav");
inline const QString End = QStringLiteral("end.wav");
inline const QString Apli = QStringLiteral("apli.wav");
inline const QString Shoot = QStringLiteral("shoot.wav");
inline const QString Clapping = QStringLiteral("clapping.wav");
inline const QString Pinpon = QStringLiteral("pinpon.wav");
inline const QString Yokudeki = QStringLiteral("yokudeki.wav");
inline const QString Imaichi = QStringLiteral("imaichi.wav");
inline const QString Yatta = QStringLiteral("yatta.wav");
inline const QString Sutekiyo = QStringLiteral("sutekiyo.wav");
inline const QString Goukaku = QStringLiteral("goukaku.wav");
inline const QString Fugoukak = QStringLiteral("fugoukak.wav");

} // namespace sorami::cue
