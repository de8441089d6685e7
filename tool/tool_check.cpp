#include "tool_check.h"

#include "question_file.h"

#include <algorithm>
#include <climits>

namespace sorami::tool {

namespace {

enum class Break { None, CrLf, Lf, Cr };

// Blanks alone show as an empty box in the drill, so they count as empty.
bool blankOnly(std::string_view line) {
    return std::all_of(line.begin(), line.end(), [](char c) { return c == ' ' || c == '\t'; });
}

// The Japanese line without its mistake mark ("? " in front).
std::string_view withoutMark(std::string_view line0) {
    if (!isMarked(line0)) return line0;
    return line0.substr(std::min<size_t>(2, line0.size()));
}

// Which break ends each line, counted the way splitLines cuts the text.
std::vector<Break> lineBreaks(std::string_view text) {
    std::vector<Break> breaks;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r') {
            if (i + 1 < text.size() && text[i + 1] == '\n') {
                breaks.push_back(Break::CrLf);
                ++i;
            } else {
                breaks.push_back(Break::Cr);
            }
        } else if (text[i] == '\n') {
            breaks.push_back(Break::Lf);
        }
    }
    return breaks;
}

} // namespace

CheckResult checkQuestionBytes(std::string_view bytes) {
    CheckResult r;
    // The drill reads up to the first NUL only; everything is judged as the
    // drill sees it, and the rest is reported once.
    std::string_view text = bytes;
    const size_t nul = bytes.find('\0');
    if (nul != std::string_view::npos) text = bytes.substr(0, nul);

    const Lines lines = splitLines(text);
    r.questions = questionCount(lines);
    r.marked = countMarked(lines);

    const std::vector<Break> breaks = lineBreaks(text);
    Break first = Break::None;
    for (size_t i = 0; i < breaks.size(); ++i) {
        if (first == Break::None) {
            first = breaks[i];
        } else if (breaks[i] != first) {
            r.findings.push_back({FindingKind::MixedLineBreaks, static_cast<int>(i) + 1, 0, 0});
            break;
        }
    }

    for (size_t i = 0; i < lines.size(); ++i) {
        const std::string_view line = lines[i];
        const int no = static_cast<int>(i) + 1;
        const size_t role = i % 3;
        const bool complete = i / 3 < static_cast<size_t>(r.questions);
        if (complete && role == 0 && blankOnly(withoutMark(line)))
            r.findings.push_back({FindingKind::EmptyJapanese, no, 0, 0});
        if (complete && role == 1 && blankOnly(line))
            r.findings.push_back({FindingKind::EmptyAnswer, no, 0, 0});
        if (role != 0 && isMarked(line))
            r.findings.push_back({FindingKind::MarkOutOfPlace, no, 1, 0});
        if (line.size() > MaxLineBytes)
            r.findings.push_back(
                {FindingKind::LongLine, no, 0, static_cast<long long>(line.size())});
        int firstBad = 0;
        long long bad = 0;
        for (const SjisUnit& u : sjisUnits(line)) {
            if (u.valid) continue;
            if (bad == 0) firstBad = static_cast<int>(u.pos) + 1;
            ++bad;
        }
        if (bad > 0) r.findings.push_back({FindingKind::InvalidBytes, no, firstBad, bad});
    }

    if (lines.size() % 3 != 0)
        r.findings.push_back({FindingKind::IncompleteQuestion,
                              static_cast<int>(lines.size() - lines.size() % 3) + 1, 0,
                              static_cast<long long>(lines.size() % 3)});
    if (r.questions == 0) r.findings.push_back({FindingKind::NoQuestions, 0, 0, 0});
    if (nul != std::string_view::npos) {
        // The line the NUL sits on: the breaks before it plus one.
        const int line = static_cast<int>(breaks.size()) + 1;
        const size_t lineStart = text.find_last_of("\r\n");
        const int column =
            static_cast<int>(nul - (lineStart == std::string_view::npos ? 0 : lineStart + 1)) + 1;
        r.findings.push_back(
            {FindingKind::NulByte, line, column, static_cast<long long>(bytes.size() - nul)});
    }
    std::stable_sort(r.findings.begin(), r.findings.end(), [](const Finding& a, const Finding& b) {
        // Findings about the whole file come after the lines.
        const auto key = [](int line) { return line == 0 ? INT_MAX : line; };
        return key(a.line) < key(b.line);
    });
    return r;
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
