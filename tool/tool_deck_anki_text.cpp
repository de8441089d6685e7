#include "tool_deck_anki_text.h"

#include <QSet>
#include <QStringDecoder>

namespace sorami::tool {

namespace {

// A field quoted as Anki's reader unquotes it: separators, quotes and line
// breaks inside, or a "#" that would make the first line a header.
QString ankiField(const QString& text, bool first) {
    if (!text.contains(u'\t') && !text.contains(u'"') && !text.contains(u'\n') &&
        !text.contains(u'\r') && !(first && text.startsWith(u'#')))
        return text;
    QString quoted = text;
    quoted.replace(QLatin1String("\""), QLatin1String("\"\""));
    return u'"' + quoted + u'"';
}

QChar separatorNamed(const QString& value) {
    const QString v = value.trimmed().toLower();
    if (v == u"tab" || v == u"\t") return u'\t';
    if (v == u"comma" || v == u",") return u',';
    if (v == u"semicolon" || v == u";") return u';';
    if (v == u"space" || v == u" ") return u' ';
    if (v == u"pipe" || v == u"|") return u'|';
    if (v == u"colon" || v == u":") return u':';
    return value.size() == 1 ? value[0] : QChar();
}

struct Record {
    QStringList fields;
    QList<int> columns; // where each field starts
    int line = 0;
};

} // namespace

std::string ankiText(const std::vector<DeckNote>& notes) {
    QString out = QStringLiteral("#separator:tab\n#html:false\n#notetype:%1\n"
                                 "#columns:Front\tBack\tIdiom\tTags\n#tags column:4\n")
                      .arg(QLatin1String(TypedAnswerNoteType));
    for (const DeckNote& n : notes) {
        out += ankiField(n.japanese, true) + u'\t' + ankiField(n.answer, false) + u'\t' +
               ankiField(n.idiom, false) + u'\t' +
               (n.marked ? QLatin1String(MistakeTag) : QLatin1String()) + u'\n';
    }
    return utf8(out);
}

DeckRead readAnkiText(std::string_view utf8Text, const FieldChoice& choice, const Lang& lang,
                      QStringList* names) {
    DeckRead deck;
    if (utf8Text.substr(0, 3) == "\xEF\xBB\xBF") utf8Text.remove_prefix(3);
    QStringDecoder decode(QStringDecoder::Utf8);
    const QString text =
        decode(QByteArrayView(utf8Text.data(), static_cast<qsizetype>(utf8Text.size())));
    if (decode.hasError()) {
        deck.errors.push_back(
            {0, 0, lang("the input is not valid UTF-8", "入力が正しい UTF-8 ではありません")});
        return deck;
    }
    // The header: "#key:value" lines before the first note.
    QChar sep;
    bool html = true;
    int tagsColumn = -1;
    QSet<int> notFields;
    QStringList columnNames;
    qsizetype at = 0;
    int line = 1;
    const qsizetype n = text.size();
    while (at < n && text[at] == u'#') {
        qsizetype end = text.indexOf(u'\n', at);
        if (end < 0) end = n;
        QString header = text.mid(at, end - at);
        if (header.endsWith(u'\r')) header.chop(1);
        const qsizetype colon = header.indexOf(u':');
        if (colon < 0) break; // a note that begins with "#"
        const QString key = header.mid(1, colon - 1).trimmed().toLower();
        const QString value = header.mid(colon + 1);
        bool ok = false;
        const int column = value.trimmed().toInt(&ok);
        if (key == u"separator") {
            sep = separatorNamed(value);
        } else if (key == u"html") {
            html = value.trimmed().toLower() == u"true";
        } else if (key == u"tags column" && ok && column >= 1) {
            tagsColumn = column - 1;
        } else if ((key == u"guid column" || key == u"notetype column" || key == u"deck column") &&
                   ok && column >= 1) {
            notFields.insert(column - 1);
        } else if (key == u"columns") {
            columnNames = value.split(sep.isNull() ? QChar(u'\t') : sep);
        }
        at = end + 1;
        ++line;
    }
    if (sep.isNull()) {
        // Anki guesses from the first note; a tab is its own export's choice.
        const qsizetype end = text.indexOf(u'\n', at);
        const QString first = text.mid(at, end < 0 ? -1 : end - at);
        sep = first.contains(u'\t') || !first.contains(u';') ? QChar(u'\t') : QChar(u';');
    }

    // The notes: quoted fields may hold separators, quotes and line breaks.
    std::vector<Record> records;
    Record rec;
    QString field;
    int column = 1, fieldColumn = 1;
    bool quoted = false, wasQuoted = false, any = false;
    rec.line = line;
    auto endField = [&] {
        rec.fields << field;
        rec.columns << fieldColumn;
        field.clear();
        wasQuoted = false;
        fieldColumn = column + 1;
    };
    for (; at < n; ++at) {
        const QChar c = text[at];
        if (quoted) {
            if (c == u'"') {
                if (at + 1 < n && text[at + 1] == u'"') {
                    field += u'"';
                    ++at;
                    column += 2;
                    continue;
                }
                quoted = false;
            } else {
                field += c;
            }
            if (c == u'\n') {
                ++line;
                column = 1;
            } else {
                ++column;
            }
            continue;
        }
        if (c == u'\r' && at + 1 < n && text[at + 1] == u'\n') continue;
        if (c == u'\n' || c == u'\r') {
            if (any) {
                endField();
                records.push_back(rec);
            }
            rec = Record{};
            rec.line = ++line;
            column = fieldColumn = 1;
            any = false;
            continue;
        }
        any = true;
        if (c == sep) {
            endField();
            ++column;
            continue;
        }
        if (c == u'"' && field.isEmpty() && !wasQuoted) {
            quoted = wasQuoted = true;
            ++column;
            continue;
        }
        field += c;
        ++column;
    }
    if (quoted)
        deck.errors.push_back(
            {line, column, lang("a quoted field is not closed", "引用符が閉じていません")});
    if (any) {
        endField();
        records.push_back(rec);
    }

    // The fields are the columns that hold no tags, guid, note type or deck.
    QStringList fieldNames;
    for (qsizetype i = 0; i < columnNames.size(); ++i)
        if (i != tagsColumn && !notFields.contains(int(i))) fieldNames << columnNames[i].trimmed();
    if (names) *names = fieldNames;
    for (const Record& r : records) {
        QStringList fields;
        QList<int> columns;
        bool marked = false;
        for (qsizetype i = 0; i < r.fields.size(); ++i) {
            if (i == tagsColumn) {
                for (const QString& tag : r.fields[i].split(u' ', Qt::SkipEmptyParts))
                    marked =
                        marked || tag.compare(QLatin1String(MistakeTag), Qt::CaseInsensitive) == 0;
            } else if (!notFields.contains(int(i))) {
                fields << (html ? htmlToText(r.fields[i]) : r.fields[i]);
                columns << r.columns[i];
            }
        }
        FieldIndexes pick;
        QString why;
        if (!resolveFields(choice, fieldNames, int(fields.size()), pick, why)) {
            deck.skipped.push_back(
                {r.line, 0, lang("no field %1", "フィールド %1 がありません").arg(why)});
            continue;
        }
        DeckRow row;
        if (!rowFromFields(fields, pick, row, why, lang)) {
            deck.skipped.push_back({r.line, 0, why});
            continue;
        }
        row.marked = marked;
        // Columns are exact only where the text was taken as it stands.
        const int base = html ? 0 : 1;
        row.japanese = {row.japanese.text, r.line, base * columns[pick.japanese]};
        row.answer = {row.answer.text, r.line, base * columns[pick.answer]};
        row.idiom = {row.idiom.text, r.line, pick.idiom >= 0 ? base * columns[pick.idiom] : 0};
        deck.rows.push_back(row);
    }
    return deck;
}

} // namespace sorami::tool
