#include "tool_deck.h"

#include "question_file.h"
#include "tool_check.h"

#include <QRegularExpression>

#include <algorithm>

namespace sorami::tool {

namespace {

// Line breaks and NULs cannot stand in a question line.
QString oneLine(QString text) {
    text.replace(QLatin1String("\r\n"), QLatin1String(" "));
    for (QChar& c : text)
        if (c == u'\r' || c == u'\n' || c == u'\0') c = u' ';
    return text;
}

QString entity(QStringView name) {
    static const struct {
        const char16_t* name;
        char16_t c;
    } named[] = {{u"amp", u'&'},    {u"lt", u'<'},     {u"gt", u'>'},    {u"quot", u'"'},
                 {u"apos", u'\''},  {u"nbsp", u' '},   {u"ensp", u' '},  {u"emsp", u' '},
                 {u"thinsp", u' '}, {u"ndash", u'–'},  {u"mdash", u'—'}, {u"hellip", u'…'},
                 {u"lsquo", u'‘'},  {u"rsquo", u'’'},  {u"ldquo", u'“'}, {u"rdquo", u'”'},
                 {u"times", u'×'},  {u"divide", u'÷'}, {u"copy", u'©'},  {u"yen", u'¥'}};
    if (name.startsWith(u'#')) {
        bool ok = false;
        const uint code = name.size() > 1 && (name[1] == u'x' || name[1] == u'X')
                              ? name.mid(2).toUInt(&ok, 16)
                              : name.mid(1).toUInt(&ok, 10);
        if (!ok || code == 0 || code > 0x10FFFF || (code >= 0xD800 && code < 0xE000)) return {};
        const char32_t c = code;
        return QString::fromUcs4(&c, 1);
    }
    for (const auto& e : named)
        if (name == QStringView(e.name)) return QString(QChar(e.c));
    return {};
}

} // namespace

QString htmlToText(QStringView html) {
    QString out;
    out.reserve(html.size());
    const qsizetype n = html.size();
    auto isTagStart = [&](qsizetype i) {
        return i + 1 < n && (html[i + 1].isLetter() || html[i + 1] == u'/' || html[i + 1] == u'!');
    };
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = html[i];
        if (c == u'<' && isTagStart(i)) {
            if (html.mid(i, 4) == u"<!--") {
                const qsizetype end = html.indexOf(u"-->", i + 4);
                i = end < 0 ? n : end + 2;
                continue;
            }
            const qsizetype end = html.indexOf(u'>', i);
            if (end < 0) { // not a tag after all
                out += c;
                continue;
            }
            qsizetype nameEnd = i + 1;
            if (nameEnd < end && html[nameEnd] == u'/') ++nameEnd;
            const qsizetype nameStart = nameEnd;
            while (nameEnd < end && html[nameEnd].isLetterOrNumber())
                ++nameEnd;
            const QString name = html.mid(nameStart, nameEnd - nameStart).toString().toLower();
            i = end;
            if (name == u"style" || name == u"script") {
                const qsizetype close =
                    html.indexOf(QString(QLatin1String("</") + name), i, Qt::CaseInsensitive);
                const qsizetype closeEnd = close < 0 ? -1 : html.indexOf(u'>', close);
                i = closeEnd < 0 ? n : closeEnd;
                continue;
            }
            static const QStringList blocks{"br", "div", "p",  "li", "tr", "td", "th", "h1",
                                            "h2", "h3",  "h4", "h5", "h6", "ul", "ol", "table"};
            if (blocks.contains(name)) out += u' ';
            continue;
        }
        if (c == u'&') {
            const qsizetype semi = html.indexOf(u';', i);
            if (semi > i + 1 && semi - i <= 10) {
                const QString e = entity(html.mid(i + 1, semi - i - 1));
                if (!e.isEmpty()) {
                    out += e;
                    i = semi;
                    continue;
                }
            }
        }
        out += c;
    }
    static const QRegularExpression sound(QStringLiteral("\\[sound:[^\\]]*\\]"));
    static const QRegularExpression cloze(
        QStringLiteral("\\{\\{c\\d+::(.*?)(?:::(?:(?!\\}\\}).)*)?\\}\\}"));
    if (out.contains(QLatin1String("[sound:"))) out.remove(sound);
    if (out.contains(QLatin1String("{{c"))) out.replace(cloze, QStringLiteral("\\1"));
    // Runs of blanks are one, as a browser shows them.
    QString text;
    text.reserve(out.size());
    bool blank = true; // no blank at the start
    for (const QChar c : std::as_const(out)) {
        if (c.isSpace() || c == QChar(0xA0)) {
            if (!blank) text += u' ';
            blank = true;
        } else {
            text += c;
            blank = false;
        }
    }
    if (text.endsWith(u' ')) text.chop(1);
    return text;
}

bool parseFieldChoice(const QString& text, FieldChoice& choice) {
    choice = text.split(QLatin1Char(','));
    for (QString& p : choice)
        p = p.trimmed();
    return choice.size() >= 2 && choice.size() <= 3 && !choice.contains(QString());
}

bool resolveFields(const FieldChoice& choice, const QStringList& names, int count,
                   FieldIndexes& out, QString& missing) {
    out = {};
    if (choice.isEmpty()) {
        if (count < 3) out.idiom = -1;
        return true;
    }
    int* targets[] = {&out.japanese, &out.answer, &out.idiom};
    out.idiom = -1;
    for (qsizetype k = 0; k < choice.size(); ++k) {
        bool number = false;
        const int n = choice[k].toInt(&number);
        int index = -1;
        if (number && n >= 1 && n <= count)
            index = n - 1;
        else if (!number)
            index = static_cast<int>(names.indexOf(choice[k]));
        if (index < 0) {
            for (qsizetype i = 0; i < names.size() && !number; ++i)
                if (names[i].compare(choice[k], Qt::CaseInsensitive) == 0) index = int(i);
        }
        if (index < 0) {
            missing = choice[k];
            return false;
        }
        *targets[k] = index;
    }
    return true;
}

bool rowFromFields(const QStringList& fields, const FieldIndexes& pick, DeckRow& row, QString& why,
                   const Lang& lang) {
    const int need = std::max({pick.japanese, pick.answer, pick.idiom}) + 1;
    if (fields.size() < need) {
        why = lang("a field is missing (%1 of %2)", "フィールドが足りません（%2 のうち %1）")
                  .arg(fields.size())
                  .arg(need);
        return false;
    }
    row.japanese.text = fields[pick.japanese];
    row.answer.text = fields[pick.answer];
    row.idiom.text = pick.idiom >= 0 ? fields[pick.idiom] : QString();
    return true;
}

ImportResult questionsFromDeck(const DeckRead& deck, bool replace, const Lang& lang) {
    ImportResult result;
    result.errors = deck.errors;
    result.skipped = deck.skipped;
    result.notices = deck.notices;
    if (!result.errors.empty()) return result;
    for (const DeckRow& row : deck.rows) {
        const QString japanese = oneLine(row.japanese.text), answer = oneLine(row.answer.text);
        if (japanese.trimmed().isEmpty() || answer.trimmed().isEmpty()) {
            result.skipped.push_back({row.japanese.line, 0,
                                      japanese.trimmed().isEmpty()
                                          ? lang("the Japanese side is empty", "和文が空です")
                                          : lang("the answer side is empty", "解答が空です")});
            continue;
        }
        std::string ja, an, id;
        appendSjis(ja, japanese, row.japanese.line, row.japanese.column, replace, result, lang);
        appendSjis(an, answer, row.answer.line, row.answer.column, replace, result, lang);
        appendSjis(id, oneLine(row.idiom.text), row.idiom.line, row.idiom.column, replace, result,
                   lang);
        // What `check` would report is left out and said, so a file made of
        // a deck is one the drill shows whole.
        const size_t jaBytes = ja.size() + (row.marked && !isMarked(ja) ? MistakeMark.size() : 0);
        if (std::max({jaBytes, an.size(), id.size()}) > MaxLineBytes) {
            result.skipped.push_back(
                {row.japanese.line, 0,
                 lang("a side is longer than %1 bytes", "%1 バイトを超える行があります")
                     .arg(MaxLineBytes)});
            continue;
        }
        if (an.starts_with('?') || id.starts_with('?')) {
            result.skipped.push_back(
                {row.japanese.line, 0,
                 lang("the answer or idiom begins with \"?\", which reads as a mistake mark",
                      "解答か熟語が「?」で始まり、間違いマークと紛らわしくなります")});
            continue;
        }
        appendQuestion(result, std::move(ja), an, id, row.marked, row.japanese.line,
                       row.japanese.column, lang);
    }
    if (!result.errors.empty()) result.lines.clear();
    std::stable_sort(result.skipped.begin(), result.skipped.end(),
                     [](const Problem& a, const Problem& b) { return a.line < b.line; });
    return result;
}

} // namespace sorami::tool
