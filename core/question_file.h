#pragma once
// The question file: Shift-JIS text, one question per three lines
// (Japanese sentence, model answer, idiom / hint line). One reader and one
// writer serve all three programs.

#include "file_stamp.h"
#include "lines.h"

#include <QString>
#include <string>
#include <string_view>

namespace sorami {

// Cuts raw file bytes into lines: CR LF, lone LF and lone CR each end a line,
// the first NUL ends the text, a final line break adds no empty line, and
// the bytes of each line are kept exactly.
Lines splitLines(std::string_view bytes);

// Every line followed by CR LF, the last one too; no lines give no bytes.
std::string joinLines(const Lines& lines);

// Reads a whole question file. Throws SoramiError "ﾌｧｲﾙ %s は開けません".
Lines readQuestionFile(const QString& path);

// The same, telling where the text ended early: `*nulOffset` becomes the
// offset of the first NUL counted from 0, or -1 when the file has none.
// Whatever lies from there on was not read, and a rewrite from the lines
// would lose it. `*stamp` becomes the stamp of the bytes read.
Lines readQuestionFile(const QString& path, long long* nulOffset, FileStamp* stamp = nullptr);

// Rewrites a whole question file through a temporary file, so a failure
// leaves the old file intact. Throws SoramiError "ﾌｧｲﾙ %s を作成できません"
// when the file cannot be created, or the system's text for other failures.
// Returns the stamp of what it wrote.
FileStamp writeQuestionFile(const QString& path, const Lines& lines);

inline int questionCount(const Lines& lines) {
    return static_cast<int>(lines.size() / 3);
}

// Line `index` of the list, or an empty line where the list has none: a
// trailing incomplete question shows what it has and never reads past the end.
inline std::string_view lineAt(const Lines& lines, long long index) {
    if (index < 0 || index >= static_cast<long long>(lines.size())) return {};
    return lines[static_cast<size_t>(index)];
}

// The mistake mark is the two bytes "? " that a wrong answer puts in front
// of the Japanese line, and taking it off removes exactly those two. A
// sentence that itself begins with "?" and no blank ("?Yes", "?" before a
// double-byte character) is the learner's own text and carries no mark, so
// no letter and no half of a character is ever cut from it. A sentence
// that begins with "? " cannot be told from a marked one and reads as marked.
inline constexpr std::string_view MistakeMark = "? ";

inline bool isMarked(std::string_view line0) {
    return line0.starts_with(MistakeMark);
}

// The line with the mark put in front; a marked line stays as it is.
inline std::string withMistakeMark(std::string_view line0) {
    if (isMarked(line0)) return std::string(line0);
    return std::string(MistakeMark) + std::string(line0);
}

// The line with its mark taken off; an unmarked line stays as it is.
inline std::string_view withoutMistakeMark(std::string_view line0) {
    return isMarked(line0) ? line0.substr(MistakeMark.size()) : line0;
}

// Number of complete questions whose first line carries the mark.
int countMarked(const Lines& lines);

// The open and save dialogs' filter list of the question file.
QString questionFileFilter();

} // namespace sorami
