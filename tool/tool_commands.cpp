#include "tool_commands.h"

#include "question_file.h"
#include "sjis_text.h"
#include "sorami_error.h"
#include "tool_chart.h"
#include "tool_check.h"
#include "tool_deck_anki_text.h"
#include "tool_deck_apkg.h"
#include "tool_deck_kvtml.h"
#include "tool_scores.h"
#include "tool_table.h"
#include "whole_file.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace sorami::tool {

namespace {

// Larger than any question or score file; stops a mistaken path to a disk
// image from filling the memory.
constexpr qint64 MaxInputBytes = 256 * 1024 * 1024;
// How much of a file `check` holds at a time.
constexpr qint64 ReadPiece = 64 * 1024;

QString usage(const Lang& lang) {
    return lang(
        "Usage: srmtool COMMAND ...\n"
        "  check FILE...                       report what would surprise a learner\n"
        "  export FILE --format utf8|tsv|csv|anki|kvtml\n"
        "                                      write the questions as UTF-8 to stdout\n"
        "  import IN -o OUT [--force] [--replace] [--fields N,M[,K]] [--from ID --to ID]\n"
        "                                      write a question file (Shift-JIS, CR LF) from\n"
        "                                      .tsv, .csv, .txt (Anki), .apkg/.colpkg, .kvtml\n"
        "  import IN --list-fields             the fields or identifiers of a deck\n"
        "  marks FILE --list|--clear|--count   the mistake marks\n"
        "  scores SCOREFILE [--csv | --chart OUT.svg|OUT.png]\n"
        "                                      the records of the score file, or a chart\n"
        "                                      of the rate of correct answers\n"
        "Exit status: 0 clean, 1 findings or errors, 2 a file could not be read.\n",
        "使い方: srmtool コマンド ...\n"
        "  check ファイル...                       学習者が戸惑う点を報告します\n"
        "  export ファイル --format utf8|tsv|csv|anki|kvtml\n"
        "                                          問題を UTF-8 で標準出力に書きます\n"
        "  import 入力 -o 出力 [--force] [--replace] [--fields N,M[,K]] [--from ID --to ID]\n"
        "                                          .tsv・.csv・.txt (Anki)・.apkg/.colpkg・.kvtml\n"
        "                                          から問題ファイル (Shift-JIS, CR LF) を書きます\n"
        "  import 入力 --list-fields               デッキのフィールドや識別子\n"
        "  marks ファイル --list|--clear|--count   間違いマーク\n"
        "  scores 成績ファイル [--csv | --chart 出力.svg|出力.png]\n"
        "                                          成績ファイルの記録、または正答率のグラフ\n"
        "終了コード: 0 問題なし、1 指摘またはエラー、2 ファイルを読めない\n");
}

void say(std::ostream& s, const QString& text) {
    s << utf8(text) << '\n';
}

std::string where(const QString& path, int line, int column = 0) {
    std::string s = utf8(path);
    if (line > 0) s += ":" + std::to_string(line);
    if (column > 0) s += ":" + std::to_string(column);
    return s + ": ";
}

int usageError(std::ostream& err, const QString& what, const Lang& lang) {
    say(err, QStringLiteral("srmtool: ") + what);
    err << utf8(usage(lang));
    return Findings;
}

// The core's own text (Japanese, as the programs show it) follows ours.
int writeFailed(std::ostream& err, const QString& path, const SoramiError& e, const Lang& lang) {
    err << where(path, 0) << utf8(lang("cannot be written", "書き込めません")) << " ("
        << utf8(e.text()) << ")\n";
    return Findings;
}

int check(const QStringList& files, std::ostream& out, std::ostream& err, const Lang& lang) {
    if (files.isEmpty())
        return usageError(err, lang("no file given", "ファイルがありません"), lang);
    int code = Clean;
    for (const QString& path : files) {
        // Read in pieces and checked as it comes, so neither a huge file
        // nor one endless line costs more memory than a small one.
        QFile file;
        QString why;
        QuestionChecker checker;
        bool read = openInput(path, file, why, lang, -1);
        std::vector<char> piece(ReadPiece);
        while (read) {
            const qint64 n = file.read(piece.data(), ReadPiece);
            if (n < 0) {
                why = lang("cannot be read: ", "読めません: ") + file.errorString();
                read = false;
            } else if (n == 0) {
                break;
            } else {
                checker.feed(std::string_view(piece.data(), static_cast<size_t>(n)));
            }
        }
        if (!read) {
            err << where(path, 0) << utf8(why) << '\n';
            code = Unreadable;
            continue;
        }
        const CheckResult r = checker.finish();
        for (const Finding& f : r.findings)
            out << where(path, f.line) << utf8(describe(f, lang)) << '\n';
        out << where(path, 0)
            << utf8(lang("%1 question(s), %2 marked", "問題 %1 問、マーク付き %2 問")
                        .arg(r.questions)
                        .arg(r.marked))
            << '\n';
        if (!r.findings.empty() && code == Clean) code = Findings;
    }
    return code;
}

bool parseFormat(const QString& name, Format& format) {
    if (name == QLatin1String("utf8"))
        format = Format::Utf8;
    else if (name == QLatin1String("tsv"))
        format = Format::Tsv;
    else if (name == QLatin1String("csv"))
        format = Format::Csv;
    else if (name == QLatin1String("anki"))
        format = Format::Anki;
    else if (name == QLatin1String("kvtml"))
        format = Format::Kvtml;
    else
        return false;
    return true;
}

int exportCommand(const QStringList& args, std::ostream& out, std::ostream& err, const Lang& lang) {
    QString file, formatName;
    for (qsizetype i = 0; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--format") && i + 1 < args.size())
            formatName = args[++i];
        else if (args[i].startsWith(QLatin1String("--format=")))
            formatName = args[i].mid(9);
        else if (file.isEmpty() && !args[i].startsWith(QLatin1String("--")))
            file = args[i];
        else
            return usageError(err, lang("unexpected argument: ", "不明な引数: ") + args[i], lang);
    }
    Format format;
    if (file.isEmpty() || !parseFormat(formatName, format))
        return usageError(err,
                          lang("export needs FILE and --format utf8|tsv|csv|anki|kvtml",
                               "export にはファイルと --format utf8|tsv|csv|anki|kvtml が要ります"),
                          lang);
    std::string bytes;
    QString why;
    if (!readInput(file, bytes, why, lang)) {
        err << where(file, 0) << utf8(why) << '\n';
        return Unreadable;
    }
    const ExportResult r = exportQuestions(bytes, format, lang);
    out << r.output;
    for (const Problem& p : r.lossy)
        err << where(file, p.line, p.column) << utf8(p.text) << '\n';
    if (r.ignoredAfterNul >= 0)
        err << where(file, 0)
            << utf8(lang("a NUL byte ends the text; %1 byte(s) from there on were not exported",
                         "NUL バイトで文章が終わります。その先の%1バイトは出力していません")
                        .arg(r.ignoredAfterNul))
            << '\n';
    return r.lossy.empty() && r.ignoredAfterNul < 0 ? Clean : Findings;
}

enum class Input { Tsv, Csv, AnkiText, Apkg, Kvtml, Unknown };

Input inputKind(const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("tsv")) return Input::Tsv;
    if (suffix == QLatin1String("csv")) return Input::Csv;
    if (suffix == QLatin1String("txt")) return Input::AnkiText;
    if (suffix == QLatin1String("apkg") || suffix == QLatin1String("colpkg")) return Input::Apkg;
    if (suffix == QLatin1String("kvtml")) return Input::Kvtml;
    return Input::Unknown;
}

// `--list-fields`: each note type's fields, or the document's identifiers.
int listFields(Input kind, const std::string& bytes, const QString& in, std::ostream& out,
               std::ostream& err, const Lang& lang) {
    std::vector<Problem> errors;
    if (kind == Input::Apkg) {
        const ApkgRead r = readApkg(bytes, {}, lang);
        errors = r.deck.errors;
        for (const AnkiNoteType& t : r.noteTypes) {
            say(out, lang("%1 (%2 note(s))", "%1（ノート %2 件）")
                         .arg(t.name.isEmpty() ? QString::number(t.id) : t.name)
                         .arg(t.notes));
            for (qsizetype i = 0; i < t.fields.size(); ++i)
                say(out, QStringLiteral("  %1 %2").arg(i + 1).arg(t.fields[i]));
        }
    } else if (kind == Input::Kvtml) {
        std::vector<KvtmlIdentifier> ids;
        errors = readKvtml(bytes, {}, {}, lang, &ids).errors;
        if (!ids.empty()) errors.clear(); // "choose two" is no error here
        for (const KvtmlIdentifier& i : ids)
            say(out, QStringLiteral("  ") + i.label());
    } else if (kind == Input::AnkiText) {
        QStringList names;
        errors = readAnkiText(bytes, {}, lang, &names).errors;
        for (qsizetype i = 0; i < names.size(); ++i)
            say(out, QStringLiteral("  %1 %2").arg(i + 1).arg(names[i]));
    } else {
        return usageError(err,
                          lang("--list-fields reads .txt, .apkg, .colpkg and .kvtml",
                               "--list-fields が読むのは .txt・.apkg・.colpkg・.kvtml です"),
                          lang);
    }
    for (const Problem& p : errors)
        err << where(in, p.line, p.column) << utf8(p.text) << '\n';
    return errors.empty() ? Clean : Findings;
}

int importCommand(const QStringList& args, std::ostream& out, std::ostream& err, const Lang& lang) {
    QString in, outPath, from, to;
    FieldChoice fields;
    bool force = false, replace = false, list = false;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const bool hasValue = i + 1 < args.size();
        if (args[i] == QLatin1String("-o") && hasValue)
            outPath = args[++i];
        else if (args[i] == QLatin1String("--force"))
            force = true;
        else if (args[i] == QLatin1String("--replace"))
            replace = true;
        else if (args[i] == QLatin1String("--list-fields"))
            list = true;
        else if (args[i] == QLatin1String("--from") && hasValue)
            from = args[++i];
        else if (args[i] == QLatin1String("--to") && hasValue)
            to = args[++i];
        else if (args[i] == QLatin1String("--fields") && hasValue) {
            if (!parseFieldChoice(args[++i], fields))
                return usageError(err,
                                  lang("--fields takes two or three field numbers or names, "
                                       "separated by commas",
                                       "--fields にはフィールドの番号か名前を 2 つか 3 "
                                       "つ、コンマで区切って指定します"),
                                  lang);
        } else if (in.isEmpty() && !args[i].startsWith(QLatin1Char('-')))
            in = args[i];
        else
            return usageError(err, lang("unexpected argument: ", "不明な引数: ") + args[i], lang);
    }
    if (in.isEmpty() || (outPath.isEmpty() && !list))
        return usageError(
            err, lang("import needs IN and -o OUT", "import には入力と -o 出力が要ります"), lang);
    const Input kind = inputKind(in);
    if (kind == Input::Unknown)
        return usageError(err,
                          lang("the input must end in .tsv, .csv, .txt, .apkg, .colpkg or .kvtml",
                               "入力ファイル名は .tsv・.csv・.txt・.apkg・.colpkg・.kvtml "
                               "のどれかで終わる必要があります"),
                          lang);
    std::string bytes;
    QString why;
    if (!readInput(in, bytes, why, lang)) {
        err << where(in, 0) << utf8(why) << '\n';
        return Unreadable;
    }
    if (list) return listFields(kind, bytes, in, out, err, lang);
    if (QFileInfo::exists(outPath) && !force) {
        err << where(outPath, 0)
            << utf8(lang("exists; add --force to replace it",
                         "既にあります。置き換えるには --force を付けてください"))
            << '\n';
        return Findings;
    }
    ImportResult r;
    switch (kind) {
    case Input::Tsv:
    case Input::Csv:
        r = importQuestions(bytes, kind == Input::Tsv ? Format::Tsv : Format::Csv, replace, lang);
        break;
    case Input::AnkiText:
        r = questionsFromDeck(readAnkiText(bytes, fields, lang), replace, lang);
        break;
    case Input::Apkg:
        r = questionsFromDeck(readApkg(bytes, fields, lang).deck, replace, lang);
        break;
    case Input::Kvtml:
    case Input::Unknown:
        r = questionsFromDeck(readKvtml(bytes, from, to, lang), replace, lang);
        break;
    }
    for (const Problem& p : r.errors)
        err << where(in, p.line, p.column) << utf8(p.text) << '\n';
    if (!r.errors.empty()) return Findings;
    for (const Problem& p : r.notices)
        err << where(in, p.line, p.column) << utf8(p.text) << '\n';
    for (const Problem& p : r.replaced)
        err << where(in, p.line, p.column)
            << utf8(p.text + lang(": written as \"?\"", ": 「?」にしました")) << '\n';
    for (const Problem& p : r.skipped)
        err << where(in, p.line, p.column) << utf8(lang("skipped: ", "読み飛ばし: ") + p.text)
            << '\n';
    const bool deck = kind != Input::Tsv && kind != Input::Csv;
    if (deck && r.lines.empty()) {
        err << where(in, 0)
            << utf8(lang("no question to write; %1 was not written",
                         "書き込む問題がないため %1 は書いていません")
                        .arg(outPath))
            << '\n';
        return Findings;
    }
    try {
        writeQuestionFile(outPath, r.lines);
    } catch (const SoramiError& e) {
        return writeFailed(err, outPath, e, lang);
    }
    if (deck)
        say(out, lang("%1: %2 question(s), %3 marked, %4 row(s) skipped",
                      "%1: 問題 %2 問、マーク付き %3 問、読み飛ばし %4 行")
                     .arg(outPath)
                     .arg(r.lines.size() / 3)
                     .arg(countMarked(r.lines))
                     .arg(r.skipped.size()));
    return r.skipped.empty() ? Clean : Findings;
}

int marksCommand(const QStringList& args, std::ostream& out, std::ostream& err, const Lang& lang) {
    QString file, action;
    for (const QString& a : args) {
        if (a == QLatin1String("--list") || a == QLatin1String("--clear") ||
            a == QLatin1String("--count")) {
            if (!action.isEmpty())
                return usageError(
                    err, lang("one action at a time", "動作は一つだけ指定してください"), lang);
            action = a;
        } else if (file.isEmpty() && !a.startsWith(QLatin1Char('-'))) {
            file = a;
        } else {
            return usageError(err, lang("unexpected argument: ", "不明な引数: ") + a, lang);
        }
    }
    if (file.isEmpty() || action.isEmpty())
        return usageError(err,
                          lang("marks needs FILE and --list, --clear or --count",
                               "marks にはファイルと --list・--clear・--count が要ります"),
                          lang);
    std::string bytes;
    QString why;
    if (!readInput(file, bytes, why, lang)) {
        err << where(file, 0) << utf8(why) << '\n';
        return Unreadable;
    }
    if (bytes.find('\0') != std::string::npos && action == QLatin1String("--clear")) {
        // Rewriting from the lines would drop everything after the NUL.
        err << where(file, 0)
            << utf8(lang("holds a NUL byte; clearing would lose the bytes after it",
                         "NUL バイトを含むため、消去するとその先が失われます"))
            << '\n';
        return Findings;
    }
    Lines lines = splitLines(bytes);
    const int questions = questionCount(lines);
    if (action == QLatin1String("--count")) {
        out << countMarked(lines) << '\n';
        return Clean;
    }
    if (action == QLatin1String("--list")) {
        for (int q = 0; q < questions; ++q) {
            const std::string_view line0 = lines[static_cast<size_t>(q) * 3];
            if (isMarked(line0)) out << q + 1 << '\t' << utf8(fromSjis(line0)) << '\n';
        }
        return Clean;
    }
    int cleared = 0;
    for (int q = 0; q < questions; ++q) {
        const size_t index = static_cast<size_t>(q) * 3;
        const std::string_view line0 = lines[index];
        if (!isMarked(line0)) continue;
        lines.set(index, withoutMistakeMark(line0));
        ++cleared;
    }
    if (cleared > 0) {
        try {
            writeQuestionFile(file, lines);
        } catch (const SoramiError& e) {
            return writeFailed(err, file, e, lang);
        }
    }
    say(out, lang("%1 mark(s) cleared", "マークを %1 個消しました").arg(cleared));
    return Clean;
}

// The chart goes to a new picture file; the score file itself is never
// the target, whatever the name given.
int writeChart(const QString& scoreFile, const QString& chartPath,
               const std::vector<ScoreRecord>& records, PngPainter png, std::ostream& out,
               std::ostream& err, const Lang& lang) {
    const QString suffix = QFileInfo(chartPath).suffix().toLower();
    if (suffix != QLatin1String("svg") && suffix != QLatin1String("png"))
        return usageError(err,
                          lang("the chart file must end in .svg or .png",
                               "グラフのファイル名は .svg か .png で終わる必要があります"),
                          lang);
    const QFileInfo source(scoreFile), target(chartPath);
    if (target.exists() && source.canonicalFilePath() == target.canonicalFilePath()) {
        err << where(chartPath, 0)
            << utf8(lang("is the score file itself; choose another name",
                         "成績ファイルそのものです。別の名前にしてください"))
            << '\n';
        return Findings;
    }
    const ChartPicture picture = scoreChart(
        records, lang("Rate of correct answers — %1", "正答率の推移 — %1").arg(source.fileName()),
        lang);
    std::string bytes;
    if (suffix == QLatin1String("svg")) {
        bytes = chartSvg(picture);
    } else {
        QByteArray image;
        QString why;
        if (!png || !png(picture, image, why)) {
            err << where(chartPath, 0)
                << utf8(lang("no PNG could be drawn (%1); an SVG chart needs nothing more",
                             "PNG を描けません（%1）。SVG なら描けます")
                            .arg(png ? why : QStringLiteral("no painter")))
                << '\n';
            return Findings;
        }
        bytes.assign(image.constData(), static_cast<size_t>(image.size()));
    }
    try {
        writeWholeFile(chartPath, bytes, {lang("cannot be created", "作成できません"), QString()});
    } catch (const SoramiError& e) {
        return writeFailed(err, chartPath, e, lang);
    }
    say(out,
        lang("%1: %2 point(s) drawn", "%1: %2 点を描きました").arg(chartPath).arg(picture.plotted));
    return Clean;
}

int scoresCommand(const QStringList& args, std::ostream& out, std::ostream& err, const Lang& lang,
                  PngPainter png) {
    QString file, chart;
    bool csv = false;
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        if (a == QLatin1String("--csv"))
            csv = true;
        else if (a == QLatin1String("--chart") && i + 1 < args.size() && chart.isEmpty())
            chart = args[++i];
        else if (file.isEmpty() && !a.startsWith(QLatin1Char('-')))
            file = a;
        else
            return usageError(err, lang("unexpected argument: ", "不明な引数: ") + a, lang);
    }
    if (file.isEmpty())
        return usageError(
            err, lang("scores needs the score file", "scores には成績ファイルが要ります"), lang);
    if (csv && !chart.isEmpty())
        return usageError(err, lang("choose --csv or --chart", "--csv か --chart の一方だけです"),
                          lang);
    std::string bytes;
    QString why;
    if (!readInput(file, bytes, why, lang)) {
        err << where(file, 0) << utf8(why) << '\n';
        return Unreadable;
    }
    const std::vector<ScoreRecord> records = parseScores(bytes);
    if (!chart.isEmpty()) {
        const int code = writeChart(file, chart, records, png, out, err, lang);
        if (code != Clean) return code;
    } else {
        out << (csv ? scoresCsv(records) : scoresText(records, lang));
    }
    // Lines are cut as the question files are, which ends at a NUL; what
    // lies behind one is reported rather than passed over in silence.
    if (const size_t nul = bytes.find('\0'); nul != std::string::npos) {
        err << where(file, 0)
            << utf8(lang("a NUL byte at offset %1 ends the text; %2 byte(s) were not read",
                         "オフセット %1 の NUL バイトで終わります。%2バイトは読んでいません")
                        .arg(nul)
                        .arg(bytes.size() - nul))
            << '\n';
        return Findings;
    }
    return Clean;
}

} // namespace

bool openInput(const QString& path, QFile& file, QString& why, const Lang& lang, qint64 maxBytes) {
    const QFileInfo info(path);
    if (!info.exists()) {
        why = lang("no such file", "ファイルがありません");
        return false;
    }
    if (info.isDir()) {
        why = lang("is a folder, not a file", "フォルダーです（ファイルではありません）");
        return false;
    }
    if (!info.isFile()) {
        why = lang("is not a regular file", "通常のファイルではありません");
        return false;
    }
    if (maxBytes >= 0 && info.size() > maxBytes) {
        why = lang("is too large for a question or score file",
                   "問題・成績ファイルとしては大きすぎます");
        return false;
    }
    file.setFileName(path);
    if (!file.open(QIODevice::ReadOnly)) {
        why = lang("cannot be opened: ", "開けません: ") + file.errorString();
        return false;
    }
    return true;
}

bool readInput(const QString& path, std::string& bytes, QString& why, const Lang& lang) {
    QFile f;
    if (!openInput(path, f, why, lang, MaxInputBytes)) return false;
    const QByteArray data = f.readAll();
    if (f.error() != QFileDevice::NoError) {
        why = lang("cannot be read: ", "読めません: ") + f.errorString();
        return false;
    }
    bytes.assign(data.constData(), static_cast<size_t>(data.size()));
    return true;
}

int runTool(const QStringList& args, std::ostream& out, std::ostream& err, const Lang& lang,
            PngPainter png) {
    if (args.isEmpty())
        return usageError(err, lang("no command given", "コマンドがありません"), lang);
    const QString& command = args.front();
    const QStringList rest = args.mid(1);
    if (command == QLatin1String("--help") || command == QLatin1String("-h") ||
        command == QLatin1String("help")) {
        out << utf8(usage(lang));
        return Clean;
    }
    if (command == QLatin1String("check")) return check(rest, out, err, lang);
    if (command == QLatin1String("export")) return exportCommand(rest, out, err, lang);
    if (command == QLatin1String("import")) return importCommand(rest, out, err, lang);
    if (command == QLatin1String("marks")) return marksCommand(rest, out, err, lang);
    if (command == QLatin1String("scores")) return scoresCommand(rest, out, err, lang, png);
    return usageError(err, lang("unknown command: ", "不明なコマンド: ") + command, lang);
}

} // namespace sorami::tool
