#pragma once
// The card list of the companion windows: the lines of a question file, the
// first line of the current card and the file's path. Moves wrap round at
// both ends and never land on a trailing incomplete question.

#include "question_file.h"

#include <QString>
#include <algorithm>

namespace sorami {

struct CardList {
    Lines lines;
    int line = 0; // first line of the current card, a multiple of 3
    QString fileName;

    void clear() {
        lines.clear();
        line = 0;
        fileName.clear();
    }
    // First line of the last whole card; 0 for a file without one, which
    // still shows its first line.
    int lastCardLine() const { return std::max(0, (questionCount(lines) - 1) * 3); }
    void next() {
        line += 3;
        if (line < 0 || line > lastCardLine()) line = 0;
    }
    void previous() {
        line -= 3;
        if (line < 0 || line > lastCardLine()) line = lastCardLine();
    }
    int number() const { return line / 3 + 1; }
    // Answer and idiom lines exist only in a file of at least one whole question.
    bool hasAnswers() const { return lines.size() >= 3; }
    std::string_view sentence() const { return lineAt(lines, line); }
    std::string_view answer() const { return lineAt(lines, line + 1); }
    std::string_view idiom() const { return lineAt(lines, line + 2); }
};

} // namespace sorami
