#pragma once
// `srmtool check`: what in a question file would surprise a learner in the
// drill, found from the file's raw bytes.

#include "tool_text.h"

#include <string_view>
#include <vector>

namespace sorami::tool {

enum class FindingKind {
    NoQuestions,        // the file holds no complete question
    IncompleteQuestion, // one or two lines left over at the end
    EmptyJapanese,
    EmptyAnswer,
    InvalidBytes,   // not CP932; `column` is the first such byte
    LongLine,       // more than MaxLineBytes bytes
    MarkOutOfPlace, // "?" first on a line that is not a question's first
    NulByte,        // the drill stops reading here
    MixedLineBreaks,
};

constexpr size_t MaxLineBytes = 256;

struct Finding {
    FindingKind kind;
    int line = 0;        // 1-based; 0 when the finding is about the whole file
    int column = 0;      // 1-based byte column, where it matters
    long long count = 0; // bytes concerned (invalid, line length, ignored after NUL)
};

struct CheckResult {
    std::vector<Finding> findings;
    int questions = 0;
    int marked = 0;
};

CheckResult checkQuestionBytes(std::string_view bytes);

// One line of the report, without the file name.
QString describe(const Finding& f, const Lang& lang);

} // namespace sorami::tool
