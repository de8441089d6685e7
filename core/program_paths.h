#pragma once
// Settings, the score file and the sound cues live beside the program file,
// not in the working directory.

#include <QString>

namespace sorami {

// Directory of the running program file (from /proc/self/exe). Tests may
// point it elsewhere with setProgramDirForTesting.
QString programDir();
// Full path of the running program file.
QString programFilePath();
void setProgramDirForTesting(const QString& dir);

// A file named `name` in the program's directory.
QString besideProgram(const QString& name);

// The INI named after a program file: its extension replaced by ".ini", or
// ".ini" appended when the name has none.
QString iniPathFor(const QString& programPath);
// The running program's own INI (iniPathFor of the program file, in programDir()).
QString programIniPath();

} // namespace sorami
