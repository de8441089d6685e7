#include "question_file.h"
#include "score_file.h"
#include "sjis_text.h"
#include "tool_check.h"
#include "tool_commands.h"
#include "tool_deck_anki_text.h"
#include "tool_deck_kvtml.h"
#include "tool_scores.h"
#include "tool_table.h"
#include "tool_test_util.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sstream>
#include <unistd.h>

using namespace sorami;
using namespace sorami::tool;
using namespace sorami::tool::test;

namespace {

// "kind@line" for every finding, so a table row reads like the report.
QStringList summary(const CheckResult& r) {
    QStringList out;
    for (const Finding& f : r.findings) {
        static const char* names[] = {"none", "incomplete", "emptyJa", "emptyAnswer", "invalid",
                                      "long", "mark",       "nul",     "mixed"};
        out << QStringLiteral("%1@%2")
                   .arg(QLatin1String(names[static_cast<int>(f.kind)]))
                   .arg(f.line);
    }
    return out;
}

// Every finding with all it tells, and the counts.
QStringList report(const CheckResult& r) {
    QStringList out{QStringLiteral("%1 questions, %2 marked").arg(r.questions).arg(r.marked)};
    for (const Finding& f : r.findings)
        out << describe(f, english) + QStringLiteral(" @%1:%2").arg(f.line).arg(f.column);
    return out;
}

// The bytes fed to one checker in pieces of `piece` bytes.
CheckResult checkInPieces(const QByteArray& bytes, qsizetype piece) {
    QuestionChecker checker;
    for (qsizetype at = 0; at < bytes.size(); at += piece)
        checker.feed(std::string_view(bytes.constData() + at,
                                      static_cast<size_t>(std::min(piece, bytes.size() - at))));
    return checker.finish();
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(bytes), bytes.size());
}

} // namespace

class TestSrmtool : public QObject {
    Q_OBJECT
private slots:
    void checkFindings_data();
    void checkFindings();
    void checkColumns();
    void csvQuoting_data();
    void csvQuoting();
    void roundTrip_data();
    void roundTrip();
    void importRefuses_data();
    void importRefuses();
    void importReplaceWritesQuestionMark();
    void locale_data();
    void locale();
    void exitCodes_data();
    void exitCodes();
    void importKeepsExistingFile();
    void sampleRoundTripIsByteIdentical_data();
    void sampleRoundTripIsByteIdentical();
    void marksClear();
    void scores_data();
    void scores();
    void chart();
};

void TestSrmtool::checkFindings_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("findings");
    QTest::addColumn<int>("questions");
    QTest::addColumn<int>("marked");

    const QByteArray ja = arrayOf(sjis("犬"));
    QTest::newRow("clean") << QByteArray("j\r\na\r\ni\r\n") << QStringList{} << 1 << 0;
    QTest::newRow("clean sjis") << (ja + "\r\na\r\ni\r\n") << QStringList{} << 1 << 0;
    QTest::newRow("marked counted") << QByteArray("? j\r\na\r\ni\r\n") << QStringList{} << 1 << 1;
    QTest::newRow("empty file") << QByteArray() << QStringList{"none@0"} << 0 << 0;
    QTest::newRow("one line left")
        << QByteArray("j\r\na\r\ni\r\nx\r\n") << QStringList{"incomplete@4"} << 1 << 0;
    QTest::newRow("two lines only")
        << QByteArray("j\r\na\r\n") << QStringList{"incomplete@1", "none@0"} << 0 << 0;
    QTest::newRow("empty japanese")
        << QByteArray("\r\na\r\ni\r\n") << QStringList{"emptyJa@1"} << 1 << 0;
    QTest::newRow("mark only") << QByteArray("? \r\na\r\ni\r\n") << QStringList{"emptyJa@1"} << 1
                               << 1;
    QTest::newRow("blank answer") << QByteArray("j\r\n  \r\ni\r\n") << QStringList{"emptyAnswer@2"}
                                  << 1 << 0;
    QTest::newRow("empty idiom is fine") << QByteArray("j\r\na\r\n\r\n") << QStringList{} << 1 << 0;
    QTest::newRow("invalid byte") << QByteArray("j\r\na\xff\r\ni\r\n") << QStringList{"invalid@2"}
                                  << 1 << 0;
    QTest::newRow("lead byte at line end")
        << QByteArray("j\x82\r\na\r\ni\r\n") << QStringList{"invalid@1"} << 1 << 0;
    QTest::newRow("256 bytes is fine")
        << (QByteArray(256, 'x') + "\r\na\r\ni\r\n") << QStringList{} << 1 << 0;
    QTest::newRow("257 bytes") << (QByteArray("j\r\n") + QByteArray(257, 'x') + "\r\ni\r\n")
                               << QStringList{"long@2"} << 1 << 0;
    QTest::newRow("mark on answer")
        << QByteArray("j\r\n? a\r\ni\r\n") << QStringList{"mark@2"} << 1 << 0;
    QTest::newRow("mark on idiom")
        << QByteArray("j\r\na\r\n? i\r\n") << QStringList{"mark@3"} << 1 << 0;
    QTest::newRow("nul") << QByteArray("j\r\na\r\ni\r\nj2\0rest", 17)
                         << QStringList{"incomplete@4", "nul@4"} << 1 << 0;
    QTest::newRow("crlf then lf") << QByteArray("j\r\na\ni\r\n") << QStringList{"mixed@2"} << 1
                                  << 0;
    QTest::newRow("crlf then cr") << QByteArray("j\r\na\r\ni\r") << QStringList{"mixed@3"} << 1
                                  << 0;
    QTest::newRow("lf only is fine") << QByteArray("j\na\ni\n") << QStringList{} << 1 << 0;
    QTest::newRow("lone cr before the nul")
        << QByteArray("j\r\na\r\ni\r\nk\r\0rest", 16)
        << QStringList{"mixed@4", "incomplete@4", "nul@5"} << 1 << 0;
    QTest::newRow("mark on a question not complete")
        << QByteArray("j\r\na\r\ni\r\n? k\r\n") << QStringList{"incomplete@4"} << 1 << 0;
    QTest::newRow("lead byte before a blank")
        << QByteArray("j\x82 \r\na\r\ni\r\n") << QStringList{"invalid@1"} << 1 << 0;
}

void TestSrmtool::checkFindings() {
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, findings);
    QFETCH(int, questions);
    QFETCH(int, marked);
    const CheckResult r = checkQuestionBytes(bytesOf(bytes));
    QCOMPARE(summary(r), findings);
    QCOMPARE(r.questions, questions);
    QCOMPARE(r.marked, marked);
    for (const Finding& f : r.findings)
        QVERIFY(!describe(f, english).isEmpty());
    // The file is read in pieces: wherever they are cut (inside CR LF, a
    // double-byte character or the mark), the report is the same.
    for (qsizetype piece : {1, 2, 3})
        QCOMPARE(report(checkInPieces(bytes, piece)), report(r));
}

void TestSrmtool::checkColumns() {
    // The first invalid byte's column is told, counted in bytes after a
    // valid double-byte character.
    const std::string line = sjis("犬") + "a\x80\xff";
    const CheckResult r = checkQuestionBytes(line + "\r\na\r\ni\r\n");
    QCOMPARE(r.findings.size(), size_t(1));
    QCOMPARE(r.findings[0].column, 4);
    QCOMPARE(r.findings[0].count, 2LL);
}

void TestSrmtool::csvQuoting_data() {
    QTest::addColumn<QString>("value");
    QTest::addColumn<bool>("force");
    QTest::addColumn<QString>("expected");
    QTest::newRow("plain") << "abc" << false << "abc";
    QTest::newRow("empty") << "" << false << "";
    QTest::newRow("empty forced") << "" << true << "\"\"";
    QTest::newRow("comma") << "a,b" << false << "\"a,b\"";
    QTest::newRow("quote") << "say \"hi\"" << false << "\"say \"\"hi\"\"\"";
    QTest::newRow("lf") << "a\nb" << false << "\"a\nb\"";
    QTest::newRow("cr") << "a\rb" << false << "\"a\rb\"";
    QTest::newRow("blanks kept unquoted") << " a " << false << " a ";
    QTest::newRow("japanese") << "犬、猫" << false << "犬、猫";
}

void TestSrmtool::csvQuoting() {
    QFETCH(QString, value);
    QFETCH(bool, force);
    QFETCH(QString, expected);
    QCOMPARE(csvField(value, force), expected);
    // What is written reads back as the same single cell.
    const ImportResult r =
        importQuestions(utf8(csvField(value, force) + ",x,y,0\r\n"), Format::Csv, false, english);
    if (value.contains(QLatin1Char('\n')) || value.contains(QLatin1Char('\r'))) {
        QVERIFY(!r.errors.empty()); // a line break would split the question
        return;
    }
    QVERIFY(r.errors.empty());
    QCOMPARE(r.lines.size(), size_t(3));
    QCOMPARE(fromSjis(r.lines[0]), value);
}

void TestSrmtool::roundTrip_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("format");
    QTest::addColumn<bool>("lossless");

    const QByteArray ja = arrayOf(sjis("私は毎朝走ります。"));
    const QByteArray withEverything = "? " + ja + "\r\nI run.\r\nrun\r\n" + // marked
                                      "plain\r\na\tb \\ c\r\n\\x41\r\n" +   // tab, backslashes
                                      "bad\x81\xff\x80\r\nx\r\ny\r\n" +     // invalid bytes
                                      "?Yes\r\nno blank\r\nz\r\n" +         // mark without blank
                                      "? ?q\r\nmark twice\r\nz\r\n" + "left\r\n\r\n"; // partial
    const QByteArray deckText = "#x\r\n\"q\" \t z\r\n\r\n" // a header's "#", quotes, a tab
                                "&lt;b&gt; <br>\r\n  two  blanks \r\n[sound:a]\r\n"; // not HTML
    for (int f : {int(Format::Tsv), int(Format::Csv), int(Format::Anki), int(Format::Kvtml)}) {
        const char* names[] = {"utf8", "tsv", "csv", "anki", "kvtml"};
        const char* name = names[f];
        const bool deck = f == int(Format::Anki) || f == int(Format::Kvtml);
        QTest::addRow("%s empty", name) << QByteArray() << f << true;
        QTest::addRow("%s marked", name) << ("? " + ja + "\r\na\r\ni\r\n") << f << true;
        QTest::addRow("%s commas quotes", name)
            << QByteArray("a, \"b\"\r\n\"\r\n,\r\n") << f << true;
        QTest::addRow("%s deck text", name) << deckText << f << true;
        // A deck holds whole notes only; what is left over is reported.
        QTest::addRow("%s one empty line left", name)
            << QByteArray("j\r\na\r\ni\r\n\r\n") << f << !deck;
        QTest::addRow("%s marks and invalid bytes", name)
            << withEverything << f << (f == int(Format::Tsv));
        QTest::addRow("%s marks without invalid bytes", name)
            << QByteArray(withEverything).replace("bad\x81\xff\x80", "bad").chopped(8) << f << true;
    }
}

void TestSrmtool::roundTrip() {
    QFETCH(QByteArray, bytes);
    QFETCH(int, format);
    QFETCH(bool, lossless);
    const ExportResult ex = exportQuestions(bytesOf(bytes), Format(format), english);
    QCOMPARE(ex.lossy.empty(), lossless);
    const bool deck = Format(format) == Format::Anki || Format(format) == Format::Kvtml;
    const ImportResult im =
        !deck ? importQuestions(ex.output, Format(format), false, english)
        : Format(format) == Format::Anki
            ? questionsFromDeck(readAnkiText(ex.output, {}, english), false, english)
            : questionsFromDeck(readKvtml(ex.output, {}, {}, english), false, english);
    QVERIFY(im.skipped.empty());
    if (!lossless) {
        // U+FFFD has no CP932 form: import refuses rather than guess; lines
        // left out were reported on export.
        QVERIFY(!im.errors.empty() || (deck && arrayOf(joinLines(im.lines)) != bytes));
        return;
    }
    for (const Problem& p : im.errors)
        qWarning() << p.line << p.column << p.text;
    QVERIFY(im.errors.empty());
    QCOMPARE(arrayOf(joinLines(im.lines)), bytes);
}

void TestSrmtool::importRefuses_data() {
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<int>("format");
    QTest::addColumn<int>("line");
    QTest::addColumn<int>("column");
    const int tsv = int(Format::Tsv), csv = int(Format::Csv);
    QTest::newRow("not in cp932") << QByteArray("a\tb\tc\t0\nok\tcaf\xc3\xa9\tx\t0\n") << tsv << 2
                                  << 7;
    QTest::newRow("emoji") << QByteArray("\xf0\x9f\x98\x80,b,c,0\r\n") << csv << 1 << 1;
    QTest::newRow("after quoted field") << QByteArray("\"a,b\",\xc3\xa9,c,0\r\n") << csv << 1 << 7;
    QTest::newRow("bad mark value") << QByteArray("a\tb\tc\tyes\n") << tsv << 1 << 7;
    QTest::newRow("unmarked but ? ") << QByteArray("? a\tb\tc\t0\n") << tsv << 1 << 1;
    QTest::newRow("five columns") << QByteArray("a,b,c,0,e\r\n") << csv << 1 << 9;
    QTest::newRow("short row not last") << QByteArray("a,b\r\nc,d,e,0\r\n") << csv << 1 << 1;
    QTest::newRow("line break in cell") << QByteArray("\"a\nb\",b,c,0\r\n") << csv << 1 << 3;
    QTest::newRow("escaped nul") << QByteArray("a\\x00\tb\tc\t0\n") << tsv << 1 << 2;
    QTest::newRow("unclosed quote") << QByteArray("\"abc,d,e,0") << csv << 1 << 11;
    QTest::newRow("invalid utf8") << QByteArray("a\tb\tc\t0\n\xff\tb\tc\t0\n") << tsv << 2 << 0;
}

void TestSrmtool::importRefuses() {
    QFETCH(QByteArray, input);
    QFETCH(int, format);
    QFETCH(int, line);
    QFETCH(int, column);
    const ImportResult r = importQuestions(bytesOf(input), Format(format), false, english);
    QVERIFY(!r.errors.empty());
    QVERIFY(r.lines.empty()); // nothing half-converted is handed on
    QCOMPARE(r.errors.front().line, line);
    QCOMPARE(r.errors.front().column, column);
}

void TestSrmtool::importReplaceWritesQuestionMark() {
    const ImportResult r = importQuestions("caf\xc3\xa9\tb\tc\t1\n", Format::Tsv, true, english);
    QVERIFY(r.errors.empty());
    QCOMPARE(r.replaced.size(), size_t(1));
    QCOMPARE(r.lines, (Lines{"? caf?", "b", "c"}));
}

void TestSrmtool::locale_data() {
    QTest::addColumn<QByteArray>("lcAll");
    QTest::addColumn<QByteArray>("lcMessages");
    QTest::addColumn<QByteArray>("lang");
    QTest::addColumn<bool>("japanese");
    QTest::newRow("nothing") << QByteArray() << QByteArray() << QByteArray() << false;
    QTest::newRow("LANG ja") << QByteArray() << QByteArray() << QByteArray("ja_JP.UTF-8") << true;
    QTest::newRow("LC_MESSAGES ja")
        << QByteArray() << QByteArray("ja_JP") << QByteArray("C") << true;
    QTest::newRow("LC_ALL wins") << QByteArray("C.UTF-8") << QByteArray() << QByteArray("ja_JP")
                                 << false;
    QTest::newRow("LC_ALL ja") << QByteArray("ja_JP.UTF-8") << QByteArray() << QByteArray("en_US")
                               << true;
    QTest::newRow("jam is not ja") << QByteArray() << QByteArray() << QByteArray("j") << false;
}

void TestSrmtool::locale() {
    QFETCH(QByteArray, lcAll);
    QFETCH(QByteArray, lcMessages);
    QFETCH(QByteArray, lang);
    QFETCH(bool, japanese);
    auto p = [](const QByteArray& a) { return a.isNull() ? nullptr : a.constData(); };
    QCOMPARE(japaneseLocale(p(lcAll), p(lcMessages), p(lang)), japanese);
}

void TestSrmtool::exitCodes_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("code");
    QTest::newRow("clean") << QStringList{"check", "@/good.lko"} << 0;
    QTest::newRow("findings") << QStringList{"check", "@/bad.lko"} << 1;
    QTest::newRow("missing") << QStringList{"check", "@/none.lko"} << 2;
    QTest::newRow("folder") << QStringList{"check", "@"} << 2;
    QTest::newRow("device") << QStringList{"check", "/dev/null"} << 2;
    QTest::newRow("unreadable wins") << QStringList{"check", "@/bad.lko", "@/none.lko"} << 2;
    QTest::newRow("no permission") << QStringList{"check", "@/locked.lko"} << 2;
    QTest::newRow("binary") << QStringList{"check", "@/binary.lko"} << 1;
    QTest::newRow("export folder") << QStringList{"export", "@", "--format", "tsv"} << 2;
    QTest::newRow("export bad format") << QStringList{"export", "@/good.lko", "--format", "x"} << 1;
    QTest::newRow("export csv lossy") << QStringList{"export", "@/bad.lko", "--format", "csv"} << 1;
    QTest::newRow("export tsv lossless")
        << QStringList{"export", "@/bad.lko", "--format", "tsv"} << 0;
    QTest::newRow("export binary") << QStringList{"export", "@/binary.lko", "--format=utf8"} << 1;
    QTest::newRow("marks missing") << QStringList{"marks", "@/none.lko", "--count"} << 2;
    QTest::newRow("marks clear nul") << QStringList{"marks", "@/binary.lko", "--clear"} << 1;
    QTest::newRow("scores folder") << QStringList{"scores", "@"} << 2;
    QTest::newRow("scores binary") << QStringList{"scores", "@/binary.lko"} << 1;
    QTest::newRow("scores clean") << QStringList{"scores", "@/good.lko", "--csv"} << 0;
    QTest::newRow("chart svg") << QStringList{"scores", "@/good.lko", "--chart", "@/c.svg"} << 0;
    QTest::newRow("chart bad suffix")
        << QStringList{"scores", "@/good.lko", "--chart", "@/c.jpg"} << 1;
    QTest::newRow("chart over the score file")
        << QStringList{"scores", "@/scores.svg", "--chart", "@/scores.svg"} << 1;
    QTest::newRow("chart png without painter")
        << QStringList{"scores", "@/good.lko", "--chart", "@/c.png"} << 1;
    QTest::newRow("chart and csv")
        << QStringList{"scores", "@/good.lko", "--csv", "--chart", "@/c.svg"} << 1;
    QTest::newRow("import into folder")
        << QStringList{"import", "@/in.tsv", "-o", "@", "--force"} << 1;
    QTest::newRow("unknown command") << QStringList{"frobnicate"} << 1;
    QTest::newRow("help") << QStringList{"--help"} << 0;
}

void TestSrmtool::exitCodes() {
    QFETCH(QStringList, args);
    QFETCH(int, code);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    writeFile(dir.filePath("good.lko"), "j\r\na\r\ni\r\n");
    writeFile(dir.filePath("bad.lko"), "j\r\na\xff\r\ni\r\n");
    writeFile(dir.filePath("binary.lko"), QByteArray("\x7f"
                                                     "ELF\0\0\x01\xff\xfe\r\x00\n",
                                                     12));
    writeFile(dir.filePath("locked.lko"), "j\r\na\r\ni\r\n");
    writeFile(dir.filePath("in.tsv"), "j\ta\ti\t0\n");
    writeFile(dir.filePath("scores.svg"), "j\r\na\r\ni\r\n");
    QFile::setPermissions(dir.filePath("locked.lko"), QFileDevice::Permissions{});
    if (QTest::currentDataTag() == QLatin1String("no permission") && geteuid() == 0)
        QSKIP("root reads any file");
    for (QString& a : args)
        a.replace(QLatin1Char('@'), dir.path());
    std::string out, err;
    QCOMPARE(run(args, &out, &err), code);
    // A chart is written only by a clean run, and never over the score file.
    QCOMPARE(QFile::exists(dir.filePath("c.svg")) || QFile::exists(dir.filePath("c.png")),
             code == 0 && args.contains("--chart"));
    QFile scores(dir.filePath("scores.svg"));
    QVERIFY(scores.open(QIODevice::ReadOnly));
    QCOMPARE(scores.readAll(), QByteArray("j\r\na\r\ni\r\n"));
    // Every failure says something; a clean run is quiet on stderr.
    if (code == 0)
        QCOMPARE(err, std::string());
    else
        QVERIFY(!err.empty() || !out.empty());
}

void TestSrmtool::importKeepsExistingFile() {
    QTemporaryDir dir;
    writeFile(dir.filePath("in.tsv"), "j\ta\ti\t1\n");
    writeFile(dir.filePath("out.lko"), "old");
    const QString out = dir.filePath("out.lko");
    QCOMPARE(run({"import", dir.filePath("in.tsv"), "-o", out}), 1);
    QFile f(out);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), QByteArray("old"));
    f.close();
    QCOMPARE(run({"import", dir.filePath("in.tsv"), "-o", out, "--force"}), 0);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), QByteArray("? j\r\na\r\ni\r\n"));
    f.close();
    // A refused character leaves the old file as it was, even with --force.
    writeFile(dir.filePath("bad.tsv"), "caf\xc3\xa9\ta\ti\t0\n");
    QCOMPARE(run({"import", dir.filePath("bad.tsv"), "-o", out, "--force"}), 1);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), QByteArray("? j\r\na\r\ni\r\n"));
}

void TestSrmtool::sampleRoundTripIsByteIdentical_data() {
    QTest::addColumn<QString>("format");
    QTest::newRow("tsv") << "tsv";
    QTest::newRow("csv") << "csv";
    QTest::newRow("anki") << "anki";
    QTest::newRow("kvtml") << "kvtml";
}

void TestSrmtool::sampleRoundTripIsByteIdentical() {
    QFETCH(QString, format);
    const QString sample = qEnvironmentVariable("SORAMI_PROGRAM_DIR") + "/sample.lko";
    QFile in(sample);
    if (!in.open(QIODevice::ReadOnly)) QSKIP("the sample is built with the programs");
    const QByteArray original = in.readAll();
    QVERIFY(!original.isEmpty());
    std::string exported;
    QCOMPARE(run({"export", sample, "--format", format}, &exported), 0);
    QTemporaryDir dir;
    const QString deck = dir.filePath("s." + (format == "anki" ? QStringLiteral("txt") : format));
    writeFile(deck, arrayOf(exported));
    QCOMPARE(run({"import", deck, "-o", dir.filePath("s.lko")}), 0);
    QFile back(dir.filePath("s.lko"));
    QVERIFY(back.open(QIODevice::ReadOnly));
    QCOMPARE(back.readAll(), original);
}

void TestSrmtool::marksClear() {
    QTemporaryDir dir;
    const QString path = dir.filePath("m.lko");
    writeFile(path, "? a\r\nb\r\nc\r\n?Yes\r\nb\r\nc\r\nd\r\nb\r\nc\r\n? left\r\n");
    std::string out;
    QCOMPARE(run({"marks", path, "--count"}, &out), 0);
    QCOMPARE(out, std::string("1\n"));
    QCOMPARE(run({"marks", path, "--list"}, &out), 0);
    QCOMPARE(out, std::string("1\t? a\n"));
    QCOMPARE(run({"marks", path, "--clear"}, &out), 0);
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    // "? " goes; a "?" without its blank is the sentence's own and stays, as
    // the drill keeps it; the line of the incomplete last question is no
    // question's mark and stays.
    QCOMPARE(f.readAll(), QByteArray("a\r\nb\r\nc\r\n?Yes\r\nb\r\nc\r\nd\r\nb\r\nc\r\n? left\r\n"));
}

void TestSrmtool::scores_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("rows");

    const QDateTime t(QDate(1997, 5, 12), QTime(14, 3, 9));
    auto join = [](const std::vector<std::string>& fields) {
        std::string s;
        for (const std::string& f : fields)
            s += f;
        return arrayOf(s);
    };
    const QByteArray header = arrayOf(scoreHeader());
    const QByteArray report = join(reportRecordFields("/x/sample.lko", t, 20, 19, "Taro"));
    const QByteArray block = join(blockRecordStartFields("/x/sample.lko")) +
                             join(blockRecordSavedFields(t, "10", "9", 2));
    const QByteArray declined =
        join(blockRecordStartFields("/x/a.lko")) + join(blockRecordDeclinedFields(t));
    const QByteArray unsaved =
        join(blockRecordStartFields("/x/a.lko")) + join(blockRecordUnsavedFields());
    const QByteArray open = join(blockRecordStartFields("/x/a.lko"));
    const QByteArray longName = join(reportRecordFields("/x/fifteen_chars.lko", t, 5, 0, ""));

    QTest::newRow("header only") << header << QStringList{};
    QTest::newRow("report") << (header + report)
                            << QStringList{
                                   "report|sample.lko|97/05/12|14:03:09|20|19|素晴ﾗｼｲ!|Taro"};
    QTest::newRow("block saved") << block
                                 << QStringList{"block|sample.lko|97/05/12|14:03:09|10|9|良合格|"};
    QTest::newRow("declined") << declined
                              << QStringList{"block-cancelled|a.lko|97/05/12|14:03:09||||"};
    QTest::newRow("unsaved") << unsaved << QStringList{"block-unsaved|a.lko||||||"};
    QTest::newRow("unfinished at end") << (report + open)
                                       << QStringList{"report|sample.lko|97/05/12|14:03:09|20|19|"
                                                      "素晴ﾗｼｲ!|Taro",
                                                      "block-unfinished|a.lko||||||"};
    QTest::newRow("unfinished then block")
        << (open + block)
        << QStringList{"block-unfinished|a.lko||||||", "block|sample.lko|97/05/12|14:03:09|10|"
                                                       "9|良合格|"};
    QTest::newRow("long name") << longName
                               << QStringList{"report|fifteen_chars.lko|97/05/12|14:03:09|5|0|"
                                              "あせるな|"};
    QTest::newRow("second save") << join(blockRecordSavedFields(t, "10", "10", 1))
                                 << QStringList{"block||97/05/12|14:03:09|10|10|優合格|"};
    QTest::newRow("garbage kept") << QByteArray("hello world\r\n")
                                  << QStringList{"unknown|||||||hello world"};
}

void TestSrmtool::scores() {
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, rows);
    QStringList got;
    for (const ScoreRecord& r : parseScores(bytesOf(bytes))) {
        QString row = QString::fromLatin1(kindName(r.kind)) + "|" + r.file + "|" + r.date + "|" +
                      r.time + "|" + r.count + "|" + r.correct + "|" + r.word + "|" +
                      (r.kind == ScoreKind::Report ? r.learner : r.rest);
        got << row;
    }
    QCOMPARE(got, rows);
    // The CSV has a header and one row per record.
    const std::string csv = scoresCsv(parseScores(bytesOf(bytes)));
    QCOMPARE(QString::fromStdString(csv).count(QLatin1String("\r\n")), rows.size() + 1);
}

// The chart follows the records: one point per rated record in file order,
// a higher rate drawn higher, the block grades named, the rest left out.
void TestSrmtool::chart() {
    const QDateTime t(QDate(2026, 12, 1), QTime(9, 0, 0));
    auto join = [](const std::vector<std::string>& fields) {
        std::string s;
        for (const std::string& f : fields)
            s += f;
        return s;
    };
    const std::string bytes =
        scoreHeader() + join(reportRecordFields("/x/a.lko", t, 20, 19, "Taro")) +
        join(blockRecordStartFields("/x/a.lko")) + join(blockRecordSavedFields(t, "10", "5", 3)) +
        join(blockRecordStartFields("/x/a.lko")) + join(blockRecordDeclinedFields(t)) +
        join(reportRecordFields("/x/a.lko", t.addDays(1), 20, 10, "")) +
        join(reportRecordFields("/x/a.lko", t.addDays(2), 0, 0, ""));
    const Lang japanese{true};
    const ChartPicture picture = scoreChart(parseScores(bytes), QStringLiteral("t"), japanese);
    QCOMPARE(picture.plotted, 3);
    std::vector<QPointF> path;
    QStringList words;
    for (const ChartShape& s : picture.shapes) {
        if (s.kind == ChartShape::Polyline) path = s.points;
        if (s.kind == ChartShape::Text && s.bold && s.text != QLatin1String("t")) words << s.text;
    }
    QCOMPARE(path.size(), size_t(3));
    QVERIFY(path[0].x() < path[1].x() && path[1].x() < path[2].x());
    QVERIFY(path[0].y() < path[1].y()); // 95 % above 50 %
    QCOMPARE(path[1].y(), path[2].y()); // 50 % twice
    QCOMPARE(words, QStringList{fromSjis(gradeWord(3))});

    QTemporaryDir dir;
    writeFile(dir.filePath("s.dat"), arrayOf(bytes));
    std::ostringstream out, err;
    QCOMPARE(runTool({"scores", dir.filePath("s.dat"), "--chart", dir.filePath("c.svg")}, out, err,
                     japanese),
             0);
    QFile svg(dir.filePath("c.svg"));
    QVERIFY(svg.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(svg.readAll());
    QVERIFY(text.startsWith("<?xml") && text.trimmed().endsWith("</svg>"));
    QCOMPARE(text.count("<polyline"), 1);
    QVERIFY(text.contains(fromSjis(gradeWord(3))));
    QVERIFY(text.contains("正答率の推移 — s.dat"));

    // A name with markup or control characters cannot break the picture.
    const std::string svgText = chartSvg(scoreChart({}, QStringLiteral("<a&b>\x01"), japanese));
    QVERIFY(svgText.find("&lt;a&amp;b&gt;</text>") != std::string::npos);
    QVERIFY(svgText.find('\x01') == std::string::npos);
}

QTEST_GUILESS_MAIN(TestSrmtool)
#include "test_srmtool.moc"
