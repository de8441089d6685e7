#pragma once
// The question file: Shift-JIS text, one question per three lines
// (Japanese sentence, model answer, idiom / hint line). One reader and one
// writer serve all three programs.

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
// would lose it.
Lines readQuestionFile(const QString& path, long long* nulOffset);

// Rewrites a whole question file through a temporary file, so a failure
// leaves the old file intact. Throws SoramiError "ﾌｧｲﾙ %s を作成できません"
// when the file cannot be created, or the system's text for other failures.
void writeQuestionFile(const QString& path, const Lines& lines);

inline int questionCount(const Lines& lines) {
    return static_cast<int>(lines.size() / 3);
}

// Line `index` of the list, or an empty line where the list has none: a
// trailing incomplete question shows what it has and never reads past the end.
inline std::string_view lineAt(const Lines& lines, long long index) {
    if (index < 0 || index >= static_cast<long long>(lines.size())) return {};
    return lines[static_cast<size_t>(index)];
}

// The mistake mark: only the first byte is tested.
inline bool isMarked(std::string_view line0) {
    return !line0.empty() && line0.front() == '?';
}

// Number of complete questions whose first line carries the mark.
int countMarked(const Lines& lines);

// The open and save dialogs' filter list of the question file.
QString questionFileFilter();

} // namespace sorami
