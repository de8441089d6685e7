#include "answer_diff.h"

#include <algorithm>
#include <cstdint>

namespace sorami {
namespace {

// One character per unit, with where it starts in the UTF-16 text.
struct Units {
    std::vector<char32_t> chars;
    std::vector<int> starts; // one more than chars: the text's end
};

Units unitsOf(const QString& text) {
    Units u;
    for (int i = 0; i < text.size();) {
        u.starts.push_back(i);
        const QChar c = text.at(i);
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            u.chars.push_back(QChar::surrogateToUcs4(c, text.at(i + 1)));
            i += 2;
        } else {
            u.chars.push_back(c.unicode());
            ++i;
        }
    }
    u.starts.push_back(static_cast<int>(text.size()));
    return u;
}

// Adds unit `index` to the spans, joining it to the last one where they touch.
void addUnit(std::vector<TextSpan>& spans, const Units& u, std::size_t index) {
    const int start = u.starts[index];
    const int length = u.starts[index + 1] - start;
    if (!spans.empty() && spans.back().start + spans.back().length == start)
        spans.back().length += length;
    else
        spans.push_back({start, length});
}

// Myers' greedy shortest edit script, walked back from its end.
void markEdits(const Units& a, const Units& b, AnswerDiff& out) {
    const int n = static_cast<int>(a.chars.size());
    const int m = static_cast<int>(b.chars.size());
    const int max = n + m;
    const int offset = max + 1;
    std::vector<int> v(static_cast<std::size_t>(2 * max + 3), 0);
    // From trace[d * d] on: v over diagonals -d..d as it stood before step d.
    // Up to a few hundred kilobytes for answers with nothing in common; fresh
    // pages cost more than the search, so the buffer is kept for the next
    // answer (positions fit 16 bits: the texts are at most kLongestDiffedText).
    static_assert(kLongestDiffedText <= 32767);
    thread_local std::vector<std::int16_t> trace;
    trace.clear();
    int found = -1;
    for (int d = 0; d <= max && found < 0; ++d) {
        trace.insert(trace.end(), v.begin() + offset - d, v.begin() + offset + d + 1);
        for (int k = -d; k <= d; k += 2) {
            const bool down = k == -d || (k != d && v[offset + k - 1] < v[offset + k + 1]);
            int x = down ? v[offset + k + 1] : v[offset + k - 1] + 1;
            int y = x - k;
            while (x < n && y < m && a.chars[x] == b.chars[y]) {
                ++x;
                ++y;
            }
            v[offset + k] = x;
            if (x >= n && y >= m) {
                found = d;
                break;
            }
        }
    }
    std::vector<std::size_t> extra, missing;
    int x = n, y = m;
    for (int d = found; d > 0; --d) {
        const std::int16_t* before =
            trace.data() + static_cast<std::size_t>(d) * static_cast<std::size_t>(d);
        const auto at = [&](int k) { return before[k + d]; };
        const int k = x - y;
        const bool down = k == -d || (k != d && at(k - 1) < at(k + 1));
        const int prevK = down ? k + 1 : k - 1;
        const int prevX = at(prevK);
        const int prevY = prevX - prevK;
        while (x > prevX && y > prevY) {
            --x;
            --y;
        }
        if (down)
            missing.push_back(static_cast<std::size_t>(prevY));
        else
            extra.push_back(static_cast<std::size_t>(prevX));
        x = prevX;
        y = prevY;
    }
    // A rare long diff does not keep its megabytes for the rest of the session.
    if (trace.capacity() > (1u << 20)) std::vector<std::int16_t>().swap(trace);
    std::reverse(extra.begin(), extra.end());
    std::reverse(missing.begin(), missing.end());
    for (std::size_t i : extra)
        addUnit(out.typedExtra, a, i);
    for (std::size_t i : missing)
        addUnit(out.modelMissing, b, i);
}

// Full-width forms of ASCII, and the ideographic space, as an input method
// leaves them, turned into the half-width characters they stand for.
QString halfWidth(QString text) {
    for (QChar& c : text) {
        if (c.unicode() >= 0xFF01 && c.unicode() <= 0xFF5E)
            c = QChar(c.unicode() - 0xFF01 + 0x21);
        else if (c.unicode() == 0x3000)
            c = QLatin1Char(' ');
    }
    return text;
}

QString without(const QString& text, bool (*drop)(const QChar&)) {
    QString kept;
    kept.reserve(text.size());
    for (const QChar c : text)
        if (!drop(c)) kept.append(c);
    return kept;
}

bool isSpace(const QChar& c) {
    return c.isSpace();
}
bool isPunctuation(const QChar& c) {
    return c.isPunct();
}

AnswerDiff::Kind kindOf(const QString& typed, const QString& model) {
    using Kind = AnswerDiff::Kind;
    if (typed == model) return Kind::Equal;
    if (halfWidth(typed) == model) return Kind::FullWidth;
    if (typed.toCaseFolded() == model.toCaseFolded()) return Kind::CaseOnly;
    if (without(typed, isSpace) == without(model, isSpace)) return Kind::SpacesOnly;
    if (without(typed, isPunctuation) == without(model, isPunctuation)) return Kind::Punctuation;
    return Kind::Mixed;
}

} // namespace

AnswerDiff diffAnswers(const QString& typed, const QString& model) {
    AnswerDiff out;
    out.kind = kindOf(typed, model);
    if (out.kind == AnswerDiff::Kind::Equal) return out;
    const Units a = unitsOf(typed);
    const Units b = unitsOf(model);
    if (a.chars.size() + b.chars.size() <= static_cast<std::size_t>(kLongestDiffedText))
        markEdits(a, b, out);
    return out;
}

} // namespace sorami
