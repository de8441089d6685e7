#pragma once
// The resume record that the drill and the card viewer keep in their INI
// files: the question file in use and the number of the question on screen.

#include "profile_ini.h"
#include "sjis_text.h"

#include <QString>
#include <string>

namespace sorami::resume {

inline const QString FileSection = QStringLiteral("問題ファイル名");
inline const QString FileKey = QStringLiteral("PFileName");
inline const QString NumberSection = QStringLiteral("問題番号");
inline const QString NumberKey = QStringLiteral("PProblemNum");
// What the two reads give when no record was ever written.
inline const std::string NoFile = "-1";
constexpr int NoNumber = -1;

inline std::string readFile(const ProfileIni& ini) {
    return ini.readString(FileSection, FileKey, NoFile);
}
inline int readNumber(const ProfileIni& ini) {
    return ini.readInteger(NumberSection, NumberKey, NoNumber);
}

// Both keys in one write of the file, so the file always holds one whole
// record, even when two programs write theirs at the same moment; a failure
// writes neither.
inline void write(ProfileIni& ini, const QString& fileName, int number) {
    ini.batch([&] {
        ini.writeString(FileSection, FileKey, toSjis(fileName));
        ini.writeInteger(NumberSection, NumberKey, number);
    });
}

} // namespace sorami::resume
