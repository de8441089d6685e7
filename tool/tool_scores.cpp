#include "tool_scores.h"

#include "question_file.h"
#include "score_file.h"
#include "sjis_text.h"
#include "tool_table.h"

#include <QStringList>

namespace sorami::tool {

namespace {

constexpr size_t MomentBytes = 17;

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Where "yy/mm/dd hh:nn:ss" starts, or npos. No CP932 trail byte is a digit,
// "/" or ":", so a double-byte file name cannot fake one.
size_t findMoment(std::string_view line) {
    static constexpr std::string_view shape = "00/00/00 00:00:00";
    for (size_t p = 0; p + MomentBytes <= line.size(); ++p) {
        bool ok = true;
        for (size_t i = 0; i < MomentBytes && ok; ++i)
            ok = shape[i] == '0' ? isDigit(line[p + i]) : line[p + i] == shape[i];
        if (ok) return p;
    }
    return std::string_view::npos;
}

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && s.front() == ' ')
        s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ')
        s.remove_suffix(1);
    return s;
}

std::string_view skipBlanks(std::string_view s) {
    while (!s.empty() && s.front() == ' ')
        s.remove_prefix(1);
    return s;
}

std::string_view takeDigits(std::string_view& s) {
    s = skipBlanks(s);
    size_t n = 0;
    while (n < s.size() && isDigit(s[n]))
        ++n;
    const std::string_view digits = s.substr(0, n);
    s.remove_prefix(n);
    return digits;
}

bool isHeaderLine(std::string_view line) {
    if (trimmed(line).empty()) return true;
    if (line.find_first_not_of('=') == std::string_view::npos) return true;
    if (line.find_first_not_of('-') == std::string_view::npos) return true;
    static const std::string title = sjis("「ガンバレソラミ君」成績表");
    static const std::string caption = sjis("出題ﾌｧｲﾙ名");
    return line.find(title) != std::string_view::npos || line.rfind(caption, 0) == 0;
}

// The question-file part in front of a record. A block record the result
// dialog never finished leaves its 12-byte name in front of the next
// record's, so a run of whole 12-byte fields is read as several names.
std::vector<std::string_view> fileNames(std::string_view prefix) {
    std::vector<std::string_view> names;
    const size_t width = score::FileNameWidth;
    // Both the moment and the asterisk text begin with three blanks of their own.
    if (prefix.size() >= 3 && prefix.substr(prefix.size() - 3) == "   ") prefix.remove_suffix(3);
    if (prefix.size() > width && prefix.size() % width == 0) {
        bool allPadded = true;
        for (size_t p = 0; p + width < prefix.size(); p += width)
            allPadded = allPadded && trimmed(prefix.substr(p, width)).size() > 0;
        if (allPadded) {
            for (size_t p = 0; p < prefix.size(); p += width)
                names.push_back(trimmed(prefix.substr(p, width)));
            return names;
        }
    }
    names.push_back(trimmed(prefix));
    return names;
}

QString text(std::string_view bytes) {
    return fromSjis(bytes);
}

void parseLine(std::string_view line, int no, bool lastWithoutEnd, std::vector<ScoreRecord>& out) {
    static const std::string cancel = "*** Cancel ***";
    static const std::string stars(41, '*');
    ScoreRecord r;
    r.line = no;
    const size_t at = findMoment(line);
    std::string_view prefix;
    std::string_view rest;
    if (at != std::string_view::npos) {
        prefix = line.substr(0, at);
        rest = line.substr(at + MomentBytes);
        r.date = text(line.substr(at, 8));
        r.time = text(line.substr(at + 9, 8));
    } else if (const size_t s = line.find(stars); s != std::string_view::npos) {
        prefix = line.substr(0, s);
        rest = line.substr(s);
    } else {
        r.kind = lastWithoutEnd ? ScoreKind::BlockOpen : ScoreKind::Unknown;
        if (r.kind == ScoreKind::BlockOpen)
            r.file = text(trimmed(line));
        else
            r.rest = text(line);
        out.push_back(r);
        return;
    }
    const std::vector<std::string_view> names = fileNames(prefix);
    for (size_t i = 0; i + 1 < names.size(); ++i) {
        ScoreRecord open;
        open.line = no;
        open.kind = ScoreKind::BlockOpen;
        open.file = text(names[i]);
        out.push_back(open);
    }
    r.file = text(names.back());

    if (at == std::string_view::npos) {
        r.kind = ScoreKind::BlockUnsaved;
    } else if (trimmed(rest) == cancel) {
        r.kind = ScoreKind::BlockDeclined;
    } else {
        std::string_view s = rest;
        const std::string_view count = takeDigits(s);
        const std::string_view correct = takeDigits(s);
        s = skipBlanks(s);
        r.kind = ScoreKind::Unknown;
        if (!count.empty() && !correct.empty()) {
            for (int rating = 0; rating <= 10 && r.kind == ScoreKind::Unknown; ++rating) {
                const std::string word = ratingWord(rating);
                if (s.substr(0, word.size()) == word ||
                    (!s.empty() && trimmed(s) == trimmed(word))) {
                    r.kind = ScoreKind::Report;
                    r.word = text(trimmed(word));
                    r.learner = text(trimmed(s.size() > word.size() ? s.substr(word.size()) : ""));
                }
            }
            for (int code = 1; code <= 4 && r.kind == ScoreKind::Unknown; ++code) {
                const std::string word = gradeWord(code);
                if (s.substr(0, word.size()) == word) {
                    r.kind = ScoreKind::BlockSaved;
                    r.word = text(word);
                    r.rest = text(trimmed(s.substr(word.size())));
                }
            }
        }
        if (r.kind == ScoreKind::Unknown) {
            r.rest = text(rest);
        } else {
            r.count = text(count);
            r.correct = text(correct);
        }
    }
    out.push_back(r);
}

} // namespace

std::vector<ScoreRecord> parseScores(std::string_view bytes) {
    std::vector<ScoreRecord> records;
    const Lines lines = splitLines(bytes);
    const bool endsOpen = !bytes.empty() && bytes.back() != '\n' && bytes.back() != '\r';
    for (size_t i = 0; i < lines.size(); ++i) {
        if (isHeaderLine(lines[i])) continue;
        parseLine(lines[i], static_cast<int>(i) + 1, endsOpen && i + 1 == lines.size(), records);
    }
    return records;
}

const char* kindName(ScoreKind kind) {
    switch (kind) {
    case ScoreKind::Report:
        return "report";
    case ScoreKind::BlockSaved:
        return "block";
    case ScoreKind::BlockDeclined:
        return "block-cancelled";
    case ScoreKind::BlockUnsaved:
        return "block-unsaved";
    case ScoreKind::BlockOpen:
        return "block-unfinished";
    case ScoreKind::Unknown:
        return "unknown";
    }
    return "unknown";
}

std::string scoresCsv(const std::vector<ScoreRecord>& records) {
    std::string out = "line,kind,file,date,time,count,correct,word,learner,rest\r\n";
    for (const ScoreRecord& r : records) {
        const QStringList cells = {QString::number(r.line),
                                   QString::fromLatin1(kindName(r.kind)),
                                   r.file,
                                   r.date,
                                   r.time,
                                   r.count,
                                   r.correct,
                                   r.word,
                                   r.learner,
                                   r.rest};
        QStringList quoted;
        for (const QString& c : cells)
            quoted << csvField(c);
        out += utf8(quoted.join(QLatin1Char(','))) + "\r\n";
    }
    return out;
}

std::string scoresText(const std::vector<ScoreRecord>& records, const Lang& lang) {
    std::string out;
    for (const ScoreRecord& r : records) {
        QStringList parts = {QString::number(r.line), QString::fromLatin1(kindName(r.kind)),
                             r.file.isEmpty() ? QStringLiteral("-") : r.file};
        if (!r.date.isEmpty()) parts << r.date + QLatin1Char(' ') + r.time;
        if (!r.count.isEmpty())
            parts << r.count + QLatin1Char('/') + r.correct.rightJustified(0) << r.word;
        if (!r.learner.isEmpty()) parts << r.learner;
        if (!r.rest.isEmpty()) parts << r.rest;
        out += utf8(parts.join(QLatin1Char('\t'))) + "\n";
    }
    if (records.empty()) out += utf8(lang("no records", "記録はありません")) + "\n";
    return out;
}

} // namespace sorami::tool
