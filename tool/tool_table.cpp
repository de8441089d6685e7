#include "tool_table.h"

#include "sjis_text.h"
#include "tool_deck_anki_text.h"
#include "tool_deck_kvtml.h"

#include <QStringDecoder>
#include <QStringList>

namespace sorami::tool {

namespace {

// A marked question's text as exported: "? " comes off, unless what is left
// would itself begin with "?" (or the mark has no blank), since import puts
// "? " back only in front of text that does not begin with "?".
std::string_view markless(std::string_view line0) {
    if (line0.size() >= 2 && line0[1] == ' ' && (line0.size() == 2 || line0[2] != '?'))
        return line0.substr(2);
    return line0;
}

QString hexByte(unsigned char b) {
    return QLatin1String("\\x") + QString::number(b, 16).toUpper().rightJustified(2, u'0');
}

struct Exporter {
    Format format;
    const Lang& lang;
    ExportResult result;

    QString cell(std::string_view bytes, int line, int columnOffset) {
        QString out;
        for (const SjisUnit& u : sjisUnits(bytes)) {
            if (!u.valid) {
                const auto b = static_cast<unsigned char>(bytes[u.pos]);
                if (format == Format::Tsv) {
                    out += hexByte(b);
                } else {
                    out += QChar(QChar::ReplacementCharacter);
                    result.lossy.push_back(
                        {line, static_cast<int>(u.pos) + 1 + columnOffset,
                         lang("byte 0x%1 is not Shift-JIS and was written as U+FFFD",
                              "バイト 0x%1 は Shift-JIS でないため U+FFFD にしました")
                             .arg(b, 2, 16, QLatin1Char('0'))});
                }
                continue;
            }
            if (format == Format::Tsv) {
                if (u.text == QLatin1String("\\")) {
                    out += QLatin1String("\\\\");
                    continue;
                }
                if (u.text == QLatin1String("\t")) {
                    out += QLatin1String("\\t");
                    continue;
                }
            }
            out += u.text;
        }
        return out;
    }

    void row(const QStringList& cells) {
        QString text;
        if (format == Format::Csv) {
            for (qsizetype i = 0; i < cells.size(); ++i) {
                if (i) text += QLatin1Char(',');
                text += csvField(cells[i], cells.size() == 1);
            }
            text += QLatin1String("\r\n");
        } else {
            text = cells.join(QLatin1Char('\t')) + QLatin1Char('\n');
        }
        result.output += utf8(text);
    }
};

} // namespace

QString csvField(const QString& value, bool forceQuotes) {
    const bool quote = forceQuotes || value.contains(QLatin1Char(',')) ||
                       value.contains(QLatin1Char('"')) || value.contains(QLatin1Char('\r')) ||
                       value.contains(QLatin1Char('\n'));
    if (!quote) return value;
    QString out = value;
    out.replace(QLatin1String("\""), QLatin1String("\"\""));
    return QLatin1Char('"') + out + QLatin1Char('"');
}

ExportResult exportQuestions(std::string_view bytes, Format format, const Lang& lang) {
    Exporter ex{format, lang, {}};
    const size_t nul = bytes.find('\0');
    if (nul != std::string_view::npos) {
        ex.result.ignoredAfterNul = static_cast<long long>(bytes.size() - nul);
        bytes = bytes.substr(0, nul);
    }
    const Lines lines = splitLines(bytes);
    if (format == Format::Utf8) {
        for (size_t i = 0; i < lines.size(); ++i)
            ex.result.output += utf8(ex.cell(lines[i], static_cast<int>(i) + 1, 0)) + "\n";
        return std::move(ex.result);
    }
    if (format == Format::Anki || format == Format::Kvtml) {
        // A deck holds notes only: lines left over are reported, not made
        // into a note the import would skip.
        std::vector<DeckNote> notes;
        for (size_t q = 0; q < lines.size(); q += 3) {
            const int no = static_cast<int>(q) + 1;
            if (q + 3 > lines.size()) {
                ex.result.lossy.push_back(
                    {no, 0,
                     lang("the last %1 line(s) are not a whole question and were not exported",
                          "最後の %1 行は問題になっていないため出力していません")
                         .arg(lines.size() - q)});
                break;
            }
            DeckNote n;
            n.marked = isMarked(lines[q]);
            n.line = no;
            const std::string_view japanese = n.marked ? markless(lines[q]) : lines[q];
            n.japanese = ex.cell(japanese, no, static_cast<int>(lines[q].size() - japanese.size()));
            n.answer = ex.cell(lines[q + 1], no + 1, 0);
            n.idiom = ex.cell(lines[q + 2], no + 2, 0);
            notes.push_back(n);
        }
        ex.result.output =
            format == Format::Anki ? ankiText(notes) : kvtmlDocument(notes, ex.result.lossy, lang);
        return std::move(ex.result);
    }
    for (size_t q = 0; q < lines.size(); q += 3) {
        const int no = static_cast<int>(q) + 1;
        QStringList cells;
        if (q + 3 > lines.size()) {
            // What is left over goes out as it is, one cell per line.
            for (size_t i = q; i < lines.size(); ++i)
                cells << ex.cell(lines[i], static_cast<int>(i) + 1, 0);
            ex.row(cells);
            break;
        }
        const bool marked = isMarked(lines[q]);
        const std::string_view japanese = marked ? markless(lines[q]) : lines[q];
        cells << ex.cell(japanese, no, static_cast<int>(lines[q].size() - japanese.size()));
        cells << ex.cell(lines[q + 1], no + 1, 0) << ex.cell(lines[q + 2], no + 2, 0);
        cells << QString::number(marked ? 1 : 0);
        ex.row(cells);
    }
    return std::move(ex.result);
}

void appendSjis(std::string& out, QStringView text, int line, int column, bool replace,
                ImportResult& result, const Lang& lang) {
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const qsizetype len =
            text[i].isHighSurrogate() && i + 1 < n && text[i + 1].isLowSurrogate() ? 2 : 1;
        const QStringView ch = text.mid(i, len);
        const int at = column > 0 ? column + static_cast<int>(i) : 0;
        i += len - 1;
        const std::string b = toSjis(ch.toString());
        if (b == "?" && ch != u"?") {
            const QString what = lang("\"%1\" (U+%2) has no Shift-JIS (CP932) form",
                                      "「%1」(U+%2) は Shift-JIS (CP932) にありません")
                                     .arg(ch.toString())
                                     .arg(QString::number(ch.toString().toUcs4().value(0), 16)
                                              .toUpper()
                                              .rightJustified(4, QLatin1Char('0')));
            if (!replace) {
                result.errors.push_back({line, at, what});
                continue;
            }
            result.replaced.push_back({line, at, what});
        }
        out += b;
    }
}

void appendQuestion(ImportResult& result, std::string japanese, std::string_view answer,
                    std::string_view idiom, bool marked, int line, int column, const Lang& lang) {
    if (marked) {
        japanese = withMistakeMark(japanese);
    } else if (isMarked(japanese)) {
        result.errors.push_back(
            {line, column,
             lang("the Japanese text begins with \"? \", which marks the question; mark it "
                  "instead (1 in the marked column, the tag mistake, the lesson Mistakes)",
                  "和文が「? 」で始まるとマーク付きになります。マークで示してください"
                  "（マークの列の 1、タグ mistake、レッスン Mistakes）")});
        return;
    }
    result.lines.push_back(japanese);
    result.lines.push_back(answer);
    result.lines.push_back(idiom);
}

namespace {

struct Cell {
    std::string bytes;
    int line = 0;
    int column = 0;
};
using Row = std::vector<Cell>;

struct Importer {
    bool replace;
    const Lang& lang;
    ImportResult result;

    void error(int line, int column, const QString& text) {
        result.errors.push_back({line, column, text});
    }

    // One character of the input into the cell, as CP932.
    void put(Cell& cell, QStringView ch, int line, int column) {
        if (ch.size() == 1 && (ch[0] == u'\r' || ch[0] == u'\n' || ch[0] == u'\0')) {
            error(line, column,
                  lang("a line break or NUL inside a cell would split the question",
                       "セル内の改行や NUL は問題を分断してしまいます"));
            return;
        }
        appendSjis(cell.bytes, ch, line, column, replace, result, lang);
    }

    // Splits decoded text into rows of cells, TSV or CSV.
    std::vector<Row> parse(const QString& text, Format format) {
        std::vector<Row> rows;
        Row row;
        Cell cell;
        int line = 1, column = 1;
        bool quoted = false, wasQuoted = false, rowStarted = false;
        auto startCell = [&] {
            cell = Cell{};
            cell.line = line;
            cell.column = column;
        };
        startCell();
        auto endCell = [&] {
            row.push_back(cell);
            wasQuoted = false;
        };
        auto endRow = [&] {
            endCell();
            rows.push_back(row);
            row.clear();
            rowStarted = false;
        };
        const qsizetype n = text.size();
        for (qsizetype i = 0; i < n; ++i) {
            const QChar c = text[i];
            const qsizetype len =
                c.isHighSurrogate() && i + 1 < n && text[i + 1].isLowSurrogate() ? 2 : 1;
            const QStringView ch = QStringView(text).mid(i, len);
            const int col = column;
            rowStarted = true;
            if (format == Format::Csv && quoted) {
                if (c == u'"') {
                    if (i + 1 < n && text[i + 1] == u'"') {
                        put(cell, u"\"", line, col);
                        ++i;
                        column += 2;
                        continue;
                    }
                    quoted = false;
                    ++column;
                    continue;
                }
                put(cell, ch, line, col);
                if (c == u'\n') {
                    ++line;
                    column = 1;
                } else {
                    column += 1;
                }
                i += len - 1;
                continue;
            }
            if (c == u'\r' || c == u'\n') {
                if (c == u'\r' && i + 1 < n && text[i + 1] == u'\n') ++i;
                endRow();
                ++line;
                column = 1;
                startCell();
                continue;
            }
            const QChar sep = format == Format::Csv ? u',' : u'\t';
            if (c == sep) {
                endCell();
                ++column;
                startCell();
                continue;
            }
            if (format == Format::Csv && c == u'"') {
                if (cell.bytes.empty() && !wasQuoted) {
                    quoted = wasQuoted = true;
                } else {
                    error(line, col,
                          lang("a double quote inside an unquoted field",
                               "引用符で囲まれていないフィールド内に二重引用符があります"));
                }
                ++column;
                continue;
            }
            if (format == Format::Tsv && c == u'\\' && i + 1 < n) {
                const QChar e = text[i + 1];
                if (e == u'\\' || e == u't' || e == u'n' || e == u'r') {
                    const char16_t out = e == u'\\'  ? u'\\'
                                         : e == u't' ? u'\t'
                                         : e == u'n' ? u'\n'
                                                     : u'\r';
                    put(cell, QStringView(&out, 1), line, col);
                    ++i;
                    column += 2;
                    continue;
                }
                bool ok = false;
                const int b = i + 3 < n && e == u'x' ? text.mid(i + 2, 2).toInt(&ok, 16) : 0;
                if (ok) {
                    // A raw byte, as export writes a byte that is not CP932.
                    if (b == 0)
                        error(line, col, lang("NUL byte", "NUL バイト"));
                    else
                        cell.bytes.push_back(static_cast<char>(b));
                    i += 3;
                    column += 4;
                    continue;
                }
                // Any other backslash is kept, so that hand-written text with
                // a path or a yen sign reads as typed.
            }
            put(cell, ch, line, col);
            i += len - 1;
            ++column;
        }
        if (quoted)
            error(line, column, lang("a quoted field is not closed", "引用符が閉じていません"));
        if (rowStarted) endRow();
        return rows;
    }
};

} // namespace

ImportResult importQuestions(std::string_view utf8Text, Format format, bool replace,
                             const Lang& lang) {
    Importer im{replace, lang, {}};
    if (utf8Text.substr(0, 3) == "\xEF\xBB\xBF") utf8Text.remove_prefix(3);
    QStringDecoder decode(QStringDecoder::Utf8);
    const QString text =
        decode(QByteArrayView(utf8Text.data(), static_cast<qsizetype>(utf8Text.size())));
    if (decode.hasError()) {
        const QString good =
            QString::fromUtf8(utf8Text.data(), static_cast<qsizetype>(utf8Text.size()));
        const qsizetype bad = good.indexOf(QChar::ReplacementCharacter);
        const int line =
            static_cast<int>(good.left(bad < 0 ? 0 : bad).count(QLatin1Char('\n'))) + 1;
        im.error(line, 0,
                 lang("the input is not valid UTF-8", "入力が正しい UTF-8 ではありません"));
        return std::move(im.result);
    }
    if (format != Format::Tsv && format != Format::Csv) {
        im.error(0, 0, lang("import reads tsv or csv", "import は tsv か csv を読みます"));
        return std::move(im.result);
    }
    const std::vector<Row> rows = im.parse(text, format);
    for (size_t r = 0; r < rows.size(); ++r) {
        const Row& row = rows[r];
        const int line = row.front().line;
        const bool last = r + 1 == rows.size();
        if (row.size() > 4) {
            im.error(line, row[4].column,
                     lang("%1 columns; a row has at most four (Japanese, answer, idiom, marked)",
                          "%1列あります。列は和文・解答・熟語・マークの4列までです")
                         .arg(row.size()));
            continue;
        }
        if (row.size() < 3) {
            if (!last)
                im.error(line, 1,
                         lang("only %1 column(s); only the last row may have fewer than three",
                              "%1列しかありません。3列未満は最後の行だけに許されます")
                             .arg(row.size()));
            for (const Cell& c : row)
                im.result.lines.push_back(c.bytes);
            continue;
        }
        bool marked = isMarked(row[0].bytes);
        if (row.size() == 4) {
            const std::string& mark = row[3].bytes;
            if (mark != "0" && mark != "1" && !mark.empty()) {
                im.error(line, row[3].column,
                         lang("the marked column must be 0 or 1", "マークの列は 0 か 1 です"));
                continue;
            }
            marked = mark == "1";
        }
        appendQuestion(im.result, row[0].bytes, row[1].bytes, row[2].bytes, marked, line,
                       row[0].column, lang);
    }
    if (!im.result.errors.empty()) im.result.lines.clear();
    return std::move(im.result);
}

} // namespace sorami::tool
