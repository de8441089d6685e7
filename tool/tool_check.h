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

// Checks a question file piece by piece, as it is read: what it keeps is a
// few counters for the line it is in, so the memory a check costs does not
// grow with the length of a line or of the file (only the findings add up,
// a handful per line at most). Feeding the bytes in any pieces gives the
// same result as feeding them whole.
class QuestionChecker {
public:
    void feed(std::string_view bytes);
    CheckResult finish();

private:
    enum class Break { None, CrLf, Lf, Cr };
    void take(unsigned char b);
    void endLine();
    void lineBreak(Break kind);
    void invalidAt(long long pos);

    CheckResult r_;
    long long lines_ = 0;  // lines ended so far
    long long breaks_ = 0; // line breaks seen
    Break firstBreak_ = Break::None;
    bool mixedFound_ = false;
    bool pendingCr_ = false; // a CR ended the last line; an LF now makes it CR LF
    long long marked_ = 0;   // question first lines with the mark, complete or not
    bool lastFirstMarked_ = false;
    // The line being read.
    long long length_ = 0;
    bool lineMarked_ = false;
    bool blank_ = true;          // every byte a blank
    bool blankAfterMark_ = true; // every byte from the third on a blank
    int lead_ = -1;              // a lead byte waiting for its trail byte
    long long leadPos_ = 0;
    long long bad_ = 0;
    long long firstBad_ = 0;
    // The first NUL ends the text.
    bool ended_ = false;
    long long nulLine_ = 0, nulColumn_ = 0, afterNul_ = 0;
};

CheckResult checkQuestionBytes(std::string_view bytes);

// One line of the report, without the file name.
QString describe(const Finding& f, const Lang& lang);

} // namespace sorami::tool
