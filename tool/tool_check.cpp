#include "tool_check.h"
#include "sjis_text.h"

#include <algorithm>
#include <array>
#include <climits>
#include <utility>

namespace sorami::tool {

namespace {

bool isBlank(unsigned char b) {
    return b == ' ' || b == '\t';
}

// Which single bytes and which lead/trail pairs are CP932, asked once of the
// same walk the other commands use, so check and export never disagree.
struct Validity {
    std::array<bool, 256> single{};
    std::vector<bool> pair = std::vector<bool>(256 * 256);
    Validity() {
        for (int b = 1; b < 256; ++b) {
            const char one[1] = {static_cast<char>(b)};
            if (!isSjisLeadByte(static_cast<unsigned char>(b))) {
                single[static_cast<size_t>(b)] = sjisUnits(std::string_view(one, 1)).front().valid;
                continue;
            }
            for (int t = 0; t < 256; ++t) {
                const char two[2] = {static_cast<char>(b), static_cast<char>(t)};
                const auto units = sjisUnits(std::string_view(two, 2));
                pair[static_cast<size_t>(b * 256 + t)] = units.size() == 1 && units.front().valid;
            }
        }
    }
};

const Validity& validity() {
    static const Validity v;
    return v;
}

// Where a finding stands among those of its line: a change of line break
// first, then what is wrong with the line itself, then the end of the file.
int rank(FindingKind kind) {
    switch (kind) {
    case FindingKind::MixedLineBreaks:
        return 0;
    case FindingKind::IncompleteQuestion:
        return 2;
    case FindingKind::NoQuestions:
    case FindingKind::NulByte:
        return 3;
    default:
        return 1;
    }
}

} // namespace

void QuestionChecker::feed(std::string_view bytes) {
    if (ended_) {
        afterNul_ += static_cast<long long>(bytes.size());
        return;
    }
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (p[i] == 0) {
            // The drill reads up to here; the rest is only counted. A CR just
            // before stays a line break of its own.
            ended_ = true;
            if (pendingCr_) {
                pendingCr_ = false;
                lineBreak(Break::Cr);
            }
            nulLine_ = breaks_ + 1;
            nulColumn_ = length_ + 1;
            afterNul_ = static_cast<long long>(bytes.size() - i);
            return;
        }
        take(p[i]);
    }
}

void QuestionChecker::take(unsigned char b) {
    if (pendingCr_) {
        pendingCr_ = false;
        if (b == '\n') {
            lineBreak(Break::CrLf);
            return;
        }
        lineBreak(Break::Cr);
    }
    if (b == '\r') {
        endLine();
        pendingCr_ = true; // CR alone or CR LF: the next byte tells
        return;
    }
    if (b == '\n') {
        endLine();
        lineBreak(Break::Lf);
        return;
    }
    const long long pos = length_++;
    if (pos == 0) lineMarked_ = b == '?';
    if (!isBlank(b)) {
        blank_ = false;
        if (pos >= 2) blankAfterMark_ = false;
    }
    const Validity& v = validity();
    if (lead_ >= 0) {
        const bool valid = v.pair[static_cast<size_t>(lead_ * 256 + b)];
        const long long leadPos = leadPos_;
        lead_ = -1;
        if (valid) return;
        // The lead byte is a character of its own, and this byte starts anew.
        invalidAt(leadPos);
    }
    if (isSjisLeadByte(b)) {
        lead_ = b;
        leadPos_ = pos;
    } else if (!v.single[b]) {
        invalidAt(pos);
    }
}

void QuestionChecker::invalidAt(long long pos) {
    if (bad_++ == 0) firstBad_ = pos + 1;
}

void QuestionChecker::lineBreak(Break kind) {
    ++breaks_;
    if (firstBreak_ == Break::None) {
        firstBreak_ = kind;
    } else if (kind != firstBreak_ && !mixedFound_) {
        mixedFound_ = true;
        r_.findings.push_back({FindingKind::MixedLineBreaks, static_cast<int>(breaks_), 0, 0});
    }
}

void QuestionChecker::endLine() {
    if (lead_ >= 0) {
        invalidAt(leadPos_);
        lead_ = -1;
    }
    const int no = static_cast<int>(++lines_);
    const long long role = (lines_ - 1) % 3;
    const bool marked = lineMarked_ && length_ > 0;
    // The Japanese line counts without its mistake mark ("? " in front).
    if (role == 0 && (marked ? blankAfterMark_ : blank_))
        r_.findings.push_back({FindingKind::EmptyJapanese, no, 0, 0});
    if (role == 1 && blank_) r_.findings.push_back({FindingKind::EmptyAnswer, no, 0, 0});
    if (role != 0 && marked) r_.findings.push_back({FindingKind::MarkOutOfPlace, no, 1, 0});
    if (length_ > static_cast<long long>(MaxLineBytes))
        r_.findings.push_back({FindingKind::LongLine, no, 0, length_});
    if (bad_ > 0)
        r_.findings.push_back({FindingKind::InvalidBytes, no, static_cast<int>(firstBad_), bad_});
    if (role == 0) {
        lastFirstMarked_ = marked;
        if (marked) ++marked_;
    }
    length_ = 0;
    lineMarked_ = false;
    blank_ = blankAfterMark_ = true;
    bad_ = firstBad_ = 0;
}

CheckResult QuestionChecker::finish() {
    if (pendingCr_) {
        pendingCr_ = false;
        lineBreak(Break::Cr);
    }
    // A last line without a line break is a line all the same.
    if (length_ > 0) endLine();
    const long long questions = lines_ / 3;
    r_.questions = static_cast<int>(questions);
    r_.marked = static_cast<int>(marked_ - (lines_ % 3 != 0 && lastFirstMarked_ ? 1 : 0));
    // An empty sentence or answer matters only in a question the drill asks.
    const long long lastAsked = questions * 3;
    std::erase_if(r_.findings, [&](const Finding& f) {
        return (f.kind == FindingKind::EmptyJapanese || f.kind == FindingKind::EmptyAnswer) &&
               f.line > lastAsked;
    });
    if (lines_ % 3 != 0)
        r_.findings.push_back({FindingKind::IncompleteQuestion,
                               static_cast<int>(lines_ - lines_ % 3) + 1, 0, lines_ % 3});
    if (questions == 0) r_.findings.push_back({FindingKind::NoQuestions, 0, 0, 0});
    if (ended_)
        r_.findings.push_back({FindingKind::NulByte, static_cast<int>(nulLine_),
                               static_cast<int>(nulColumn_), afterNul_});
    std::stable_sort(r_.findings.begin(), r_.findings.end(),
                     [](const Finding& a, const Finding& b) {
                         // Findings about the whole file come after the lines.
                         const auto key = [](const Finding& f) {
                             return std::pair(f.line == 0 ? INT_MAX : f.line, rank(f.kind));
                         };
                         return key(a) < key(b);
                     });
    CheckResult out = std::move(r_);
    *this = QuestionChecker();
    return out;
}

CheckResult checkQuestionBytes(std::string_view bytes) {
    QuestionChecker checker;
    checker.feed(bytes);
    return checker.finish();
}

QString describe(const Finding& f, const Lang& lang) {
    const QString n = QString::number(f.count);
    switch (f.kind) {
    case FindingKind::NoQuestions:
        return lang("the file holds no complete question", "完全な問題が一つもありません");
    case FindingKind::IncompleteQuestion:
        return lang("the last question has only %1 of its three lines; the drill does not count "
                    "it",
                    "最後の問題は3行のうち%1行しかありません（問題として数えられません）")
            .arg(n);
    case FindingKind::EmptyJapanese:
        return lang("the Japanese sentence is empty", "和文が空です");
    case FindingKind::EmptyAnswer:
        return lang("the model answer is empty", "模範解答が空です");
    case FindingKind::InvalidBytes:
        return lang("%1 byte(s) that are not Shift-JIS (CP932), the first at column %2",
                    "Shift-JIS (CP932) でないバイトが%1個あります（最初は%2桁目）")
            .arg(n)
            .arg(f.column);
    case FindingKind::LongLine:
        return lang("the line is %1 bytes long (more than %2)", "行が%1バイトあります（%2超）")
            .arg(n)
            .arg(MaxLineBytes);
    case FindingKind::MarkOutOfPlace:
        return lang("\"?\" at the start of a line that is not a question's first line",
                    "問題の1行目でない行が「?」で始まっています");
    case FindingKind::NulByte:
        return lang("NUL byte at column %1; the drill ignores it and the %2 byte(s) from there on",
                    "%1桁目に NUL バイトがあります。ここから先の%2バイトは読まれません")
            .arg(f.column)
            .arg(n);
    case FindingKind::MixedLineBreaks:
        return lang("this line ends with a different line break than the lines before it "
                    "(mixed CR LF, LF and CR)",
                    "この行の改行はそれまでの行と違います（CR LF・LF・CR の混在）");
    }
    return {};
}

} // namespace sorami::tool
