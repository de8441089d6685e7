#pragma once
// Where the programs find their files and keep what they write. A copy of
// the programs in a folder of the learner's own (the build folder, a copied
// folder) keeps its settings and scores beside the program file, as it always
// did. An installed copy (its folder read-only, or a share folder of the
// project beside its bin folder) keeps them in the learner's own folders:
// $XDG_CONFIG_HOME/sorami for the INI files and $XDG_DATA_HOME/sorami for the
// score file, with the same names and contents.

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

// Where a file the program writes goes: beside the program when the
// program's folder is its own, else the learner's folder for its kind. The
// folder is created when it is missing.
enum class FileKind { Settings, Scores };
QString writableFilePath(const QString& name, FileKind kind);
inline QString settingsFilePath(const QString& name) {
    return writableFilePath(name, FileKind::Settings);
}
inline QString scoreFilePath(const QString& name) {
    return writableFilePath(name, FileKind::Scores);
}
// True when written files go beside the program.
bool keepsFilesBesideProgram();

// The learner's data folder of the programs, $XDG_DATA_HOME/sorami, whatever
// kind of copy runs: recovery copies of what a session's end could not write
// are kept there, where the learner finds them.
QString userDataFolder();

// The installed share folder of the project (<prefix>/share/sorami), seen
// from the program file in <prefix>/bin.
QString installedShareDir();
// A file shipped with the programs (sound cues, help pages, the sample):
// beside the program first, then in the installed share folder. The path
// beside the program when neither has it.
QString shippedFilePath(const QString& relativePath);

// Where a question-file open dialog starts before the learner has chosen a
// folder: a copy in a folder of its own starts in the working folder, as it
// always did (empty: the caller's default); an installed copy starts where
// the shipped sample lies, so a new learner sees it at once.
QString questionFolderAtStart();

// The INI named after a program file: its extension replaced by ".ini", or
// ".ini" appended when the name has none.
QString iniPathFor(const QString& programPath);
// The running program's own INI (iniPathFor of the program file's name, a
// settings file).
QString programIniPath();

} // namespace sorami
