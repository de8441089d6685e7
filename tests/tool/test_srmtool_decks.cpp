#include "question_file.h"
#include "sjis_text.h"
#include "tool_check.h"
#include "tool_commands.h"
#include "tool_deck_anki_text.h"
#include "tool_deck_apkg.h"
#include "tool_deck_kvtml.h"
#include "tool_test_util.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <sqlite3.h>
#include <sstream>
#include <zip.h>
#include <zstd.h>

using namespace sorami;
using namespace sorami::tool;
using namespace sorami::tool::test;

namespace {

// The questions as "line|line|line" in UTF-8, and each skip as "line: why".
QString linesOf(const ImportResult& r) {
    QStringList out;
    for (size_t i = 0; i < r.lines.size(); ++i)
        out << fromSjis(r.lines[i]);
    return out.join(u'|');
}

QStringList problems(const std::vector<Problem>& list) {
    QStringList out;
    for (const Problem& p : list)
        out << (p.column ? QStringLiteral("%1:%2: %3").arg(p.line).arg(p.column).arg(p.text)
                         : QStringLiteral("%1: %2").arg(p.line).arg(p.text));
    return out;
}

enum Form { Anki2, Anki21, Anki21b, BrokenZip, NoCollection, DamagedZstd };

// A package as Anki writes it, from the documented schema: the notes table,
// and the note types in col.models (older) or the notetypes and fields
// tables (2.1.50 on, which also leave a dummy collection.anki2 behind).
// Notes are "field\x1ffield...", with their tags after a "#".
QByteArray package(Form form, const QStringList& fieldNames, const QStringList& notes) {
    QTemporaryDir dir;
    const QByteArray db = QFile::encodeName(dir.filePath("c.db"));
    sqlite3* c = nullptr;
    sqlite3_open(db.constData(), &c);
    auto exec = [&](const QString& sql) {
        char* error = nullptr;
        if (sqlite3_exec(c, sql.toUtf8().constData(), nullptr, nullptr, &error) != SQLITE_OK)
            qFatal("%s: %s", qPrintable(sql), error);
    };
    auto quote = [](QString s) { return u'\'' + s.replace(u'\'', QLatin1String("''")) + u'\''; };
    sqlite3_create_collation(c, "unicase", SQLITE_UTF8, nullptr,
                             [](void*, int n1, const void* a, int n2, const void* b) {
                                 return QString::fromUtf8(static_cast<const char*>(a), n1)
                                     .compare(QString::fromUtf8(static_cast<const char*>(b), n2),
                                              Qt::CaseInsensitive);
                             });
    exec("CREATE TABLE col (id integer primary key, crt integer not null, mod integer not null,"
         " scm integer not null, ver integer not null, dty integer not null, usn integer not null,"
         " ls integer not null, conf text not null, models text not null, decks text not null,"
         " dconf text not null, tags text not null)");
    exec("CREATE TABLE notes (id integer primary key, guid text not null, mid integer not null,"
         " mod integer not null, usn integer not null, tags text not null, flds text not null,"
         " sfld integer not null, csum integer not null, flags integer not null, data text not "
         "null)");
    QString models;
    if (form == Anki21b) {
        exec("CREATE TABLE notetypes (id integer not null primary key, name text not null collate "
             "unicase, mtime_secs integer not null, usn integer not null, config blob not null)");
        exec("CREATE TABLE fields (ntid integer not null, ord integer not null, name text not null "
             "collate unicase, config blob not null, primary key (ntid, ord)) without rowid");
        exec("CREATE UNIQUE INDEX idx_fields_name_ntid ON fields (name, ntid)");
        exec("INSERT INTO notetypes VALUES (1342, 'Sentences', 0, 0, x'')");
        for (qsizetype i = 0; i < fieldNames.size(); ++i)
            exec(QStringLiteral("INSERT INTO fields VALUES (1342, %1, %2, x'')")
                     .arg(i)
                     .arg(quote(fieldNames[i])));
    } else {
        QStringList flds;
        for (qsizetype i = fieldNames.size() - 1; i >= 0; --i) // "ord" decides, not the order
            flds << QStringLiteral("{\"name\":\"%1\",\"ord\":%2}").arg(fieldNames[i]).arg(i);
        models = QStringLiteral("{\"1342\":{\"name\":\"Sentences\",\"flds\":[%1]}}")
                     .arg(flds.join(u','));
    }
    exec(QStringLiteral("INSERT INTO col VALUES (1,0,0,0,11,0,0,0,'{}',%1,'{}','{}','{}')")
             .arg(quote(models)));
    for (qsizetype i = notes.size() - 1; i >= 0; --i) // the ids give the order
        exec(QStringLiteral("INSERT INTO notes VALUES (%1, 'g%1', 1342, 0, 0, %2, %3, 0, 0, 0, '')")
                 .arg(i + 1)
                 .arg(quote(u' ' + notes[i].section(u'#', 1) + u' '),
                      quote(notes[i].section(u'#', 0, 0))));
    if (form == Anki21b) exec("PRAGMA journal_mode=WAL");
    sqlite3_close(c);
    QFile f(QString::fromUtf8(db));
    f.open(QIODevice::ReadOnly);
    QByteArray collection = f.readAll();
    if (form == Anki21b || form == DamagedZstd) {
        QByteArray packed(qsizetype(ZSTD_compressBound(size_t(collection.size()))), '\0');
        packed.resize(
            qsizetype(ZSTD_compress(packed.data(), size_t(packed.size()), collection.constData(),
                                    size_t(collection.size()), 3)));
        if (form == DamagedZstd) packed.chop(packed.size() / 2);
        collection = packed;
    }
    if (form == BrokenZip) return "PK\x03\x04 this is no zip";
    const QByteArray zipPath = QFile::encodeName(dir.filePath("p.apkg"));
    zip_t* z = zip_open(zipPath.constData(), ZIP_CREATE | ZIP_TRUNCATE, nullptr);
    static QByteArray dummy = "SQLite format 3"; // the older name's placeholder
    auto add = [&](const char* name, const QByteArray& bytes) {
        zip_file_add(z, name,
                     zip_source_buffer(z, bytes.constData(), zip_uint64_t(bytes.size()), 0),
                     ZIP_FL_OVERWRITE);
    };
    const char* name = form == Anki2    ? "collection.anki2"
                       : form == Anki21 ? "collection.anki21"
                                        : "collection.anki21b";
    if (form != NoCollection) add(name, collection);
    if (form == Anki21b) add("collection.anki2", dummy);
    static const QByteArray media = "{}"; // libzip reads the buffers only at zip_close
    add("media", media);
    zip_close(z);
    QFile p(QString::fromUtf8(zipPath));
    p.open(QIODevice::ReadOnly);
    return p.readAll();
}

} // namespace

class TestSrmtoolDecks : public QObject {
    Q_OBJECT
private slots:
    void ankiText_data();
    void ankiText();
    void kvtml_data();
    void kvtml();
    void apkg_data();
    void apkg();
    void kdeeduFiles_data();
    void kdeeduFiles();
    void commands_data();
    void commands();
};

void TestSrmtoolDecks::ankiText_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("fields");
    QTest::addColumn<QString>("questions");
    QTest::addColumn<QStringList>("report"); // skips, or the errors

    QTest::newRow("html by default")
        << QByteArray("<b>猫</b>&nbsp;&lt;x&gt;<br>[sound:a.mp3]\t\"a \"\"cat\"\"\n<img "
                      "src=\"\"x.png\"\">\"\t{{c1::dog::animal}}&#x41;\n")
        << ""
        << "猫 <x>|a \"cat\"|dogA" << QStringList();
    QTest::newRow("html:false keeps markup as text")
        << QByteArray("#separator:tab\n#html:false\n&lt;b&gt;\t<br>\n") << ""
        << "&lt;b&gt;|<br>|" << QStringList();
    QTest::newRow("columns of guid, type, deck and tags")
        << QByteArray("#separator:Comma\n#html:true\n#guid column:1\n#notetype column:2\n"
                      "#deck column:3\n#tags column:7\nabc,Basic,Deck,<div>一</div>,one,,Mistake "
                      "leech\nabd,Basic,Deck,二,two,idiom,\n")
        << ""
        << "? 一|one||二|two|idiom" << QStringList();
    QTest::newRow("semicolons guessed, line breaks in quotes") << QByteArray("a;\"b\nc\";d\n") << ""
                                                               << "a|b c|d" << QStringList();
    QTest::newRow("skips: a field missing, an empty side")
        << QByteArray("#html:false\nonly\n\tx\ty\nj\t \n") << ""
        << ""
        << QStringList{"2: a field is missing (1 of 2)", "3: the Japanese side is empty",
                       "4: the answer side is empty"};
    QTest::newRow("skips: what check would report")
        << QByteArray("#html:false\n" + QByteArray(257, 'x') + "\ty\nx\t" + QByteArray(256, 'y') +
                      "\nq\t?\nq\ta\t? i\n")
        << ""
        << "x|" + QString(256, u'y') + "|"
        << QStringList{"2: a side is longer than 256 bytes",
                       "4: the answer or idiom begins with \"?\", which reads as a mistake mark",
                       "5: the answer or idiom begins with \"?\", which reads as a mistake mark"};
    QTest::newRow("fields by number and by name")
        << QByteArray("#columns:A\tB\tC\nx\ty\tz\n") << "C,A"
        << "z|x|" << QStringList();
    QTest::newRow("a field named nowhere") << QByteArray("x\ty\n") << "1,Back"
                                           << "" << QStringList{"1: no field Back"};
    QTest::newRow("Shift-JIS refused with line and column")
        << QByteArray("#html:false\nabc\tcaf\xc3\xa9\n") << ""
        << "" << QStringList{"2:8: \"\xc3\xa9\" (U+00E9) has no Shift-JIS (CP932) form"};
    QTest::newRow("an open quote") << QByteArray("\"x\ty\n") << ""
                                   << "" << QStringList{"2:1: a quoted field is not closed"};
}

// What an import made: the questions, and the skips or (when the deck is
// refused) the errors.
static void compareImport(const ImportResult& r) {
    QFETCH(QString, questions);
    QFETCH(QStringList, report);
    QCOMPARE(problems(r.errors.empty() ? r.skipped : r.errors), report);
    QCOMPARE(linesOf(r), questions);
}

void TestSrmtoolDecks::ankiText() {
    QFETCH(QByteArray, text);
    QFETCH(QString, fields);
    FieldChoice choice;
    if (!fields.isEmpty()) QVERIFY(parseFieldChoice(fields, choice));
    compareImport(questionsFromDeck(readAnkiText(bytesOf(text), choice, english), false, english));
}

void TestSrmtoolDecks::kvtml_data() {
    QTest::addColumn<QByteArray>("document");
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("to");
    QTest::addColumn<QString>("questions");
    QTest::addColumn<QStringList>("report");

    const QByteArray three =
        "<kvtml version=\"2.0\"><identifiers><identifier id=\"0\"><name>English</name>"
        "<locale>en</locale></identifier><identifier id=\"1\"><name>German</name></identifier>"
        "<identifier id=\"2\"><locale>ja</locale></identifier></identifiers><entries>"
        "<entry id=\"5\"><translation id=\"0\"><text>dog</text><comment>a pet</comment>"
        "</translation><translation id=\"1\"><text>Hund</text></translation>"
        "<translation id=\"2\"><text>犬</text></translation></entry></entries></kvtml>";
    QTest::newRow("two identifiers, the Japanese one first, lessons and comments")
        << QByteArray("<?xml version=\"1.0\"?><kvtml version=\"2.0\"><identifiers>"
                      "<identifier id=\"0\"><locale>en</locale></identifier>"
                      "<identifier id=\"1\"><locale>ja</locale></identifier></identifiers>"
                      "<entries><entry id=\"0\"><translation id=\"0\"><text>cat</text>"
                      "<comment>idiom</comment><conjugation><text>cats</text></conjugation>"
                      "</translation><translation id=\"1\"><text>猫 &amp; 犬</text></translation>"
                      "</entry><entry id=\"1\"><translation id=\"1\"><text>鳥</text>"
                      "</translation></entry><entry id=\"2\"><translation id=\"0\"><text> </text>"
                      "</translation><translation id=\"1\"><text>魚</text></translation></entry>"
                      "</entries><lessons><container><name>Mistakes</name><container><name>x"
                      "</name><entry id=\"1\"/></container><entry id=\"0\"/></container>"
                      "</lessons></kvtml>")
        << ""
        << ""
        << "? 猫 & 犬|cat|idiom"
        << QStringList{"1: a side is missing (identifier 0)", "1: the answer side is empty"};
    QTest::newRow("three identifiers need a choice")
        << three << ""
        << ""
        << ""
        << QStringList{"0: 3 identifiers; choose two with --from and --to: 0 English (en), 1 "
                       "German, 2 (ja)"};
    QTest::newRow("chosen by locale and name") << three << "ja"
                                               << "german"
                                               << "犬|Hund|" << QStringList();
    QTest::newRow("chosen by number") << three << "1"
                                      << "0"
                                      << "Hund|dog|a pet" << QStringList();
    QTest::newRow("an identifier that is not there")
        << three << "fr"
        << ""
        << ""
        << QStringList{"0: no identifier fr; the document has: 0 English (en), 1 German, 2 (ja)"};
    QTest::newRow("one identifier: nothing to answer")
        << QByteArray("<kvtml version=\"2.0\"><identifiers><identifier id=\"0\"/></identifiers>"
                      "<entries><entry id=\"0\"><translation id=\"0\"><text>a</text>"
                      "</translation></entry></entries></kvtml>")
        << ""
        << ""
        << "" << QStringList{"1: the document has no second identifier for the answer"};
    QTest::newRow("KWordQuiz 1.0 with a lesson of mistakes")
        << QByteArray("<kvtml encoding=\"UTF-8\" generator=\"kwordquiz\"><lesson><desc no=\"2\">"
                      "Mistakes</desc></lesson><e m=\"2\"><o l=\"ja\">猫</o><t l=\"en\" "
                      "r=\"remark\">cat</t></e>\n<e m=\"1\"><o>犬</o><t>dog</t><t>Hund</t></e>"
                      "<e><o>x</o></e></kvtml>")
        << "ja"
        << "en"
        << "? 猫|cat|remark|犬|dog|" << QStringList{"2: a side is missing (identifier 1)"};
    QTest::newRow("Latin-1 that says it is UTF-8")
        << QByteArray("<?xml version=\"1.0\" encoding=\"UTF-8\"?><kvtml version=\"2.0\">"
                      "<identifiers><identifier id=\"0\"/><identifier id=\"1\"/></identifiers>"
                      "<entries><entry id=\"0\"><translation id=\"0\"><text>\xa7</text>"
                      "</translation><translation id=\"1\"><text>x</text></translation></entry>"
                      "</entries></kvtml>")
        << ""
        << ""
        << "§|x|" << QStringList();
    QTest::newRow("not well formed")
        << QByteArray("<kvtml version=\"2.0\"><entries>\n<entry></kvtml>") << ""
        << ""
        << ""
        << QStringList{"2:15: not a readable KVTML document: Opening and ending tag mismatch."};
    QTest::newRow("not KVTML") << QByteArray("<html/>") << ""
                               << ""
                               << ""
                               << QStringList{"1:7: not a readable KVTML document: not a KVTML "
                                              "document"};
}

void TestSrmtoolDecks::kvtml() {
    QFETCH(QByteArray, document);
    QFETCH(QString, from);
    QFETCH(QString, to);
    compareImport(
        questionsFromDeck(readKvtml(bytesOf(document), from, to, english), false, english));
}

void TestSrmtoolDecks::apkg_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("fields");
    QTest::addColumn<QString>("questions");
    QTest::addColumn<QStringList>("report");

    const QStringList three{"Front", "Back", "Idiom"};
    const QStringList notes{"猫\x1f"
                            "cat\x1fneko#mistake",
                            "<div>犬&amp;<br>犬</div>\x1f"
                            "dog [sound:d.mp3]<img src=\"d.png\">\x1f#",
                            "\x1f"
                            "empty\x1f#",
                            "one field#"};
    const QString expected = "? 猫|cat|neko|犬& 犬|dog|";
    const QStringList skips{"3: the Japanese side is empty", "4: a field is missing (1 of 3)"};
    for (Form form : {Anki2, Anki21, Anki21b}) {
        const char* name = form == Anki2    ? "anki2"
                           : form == Anki21 ? "anki21"
                                            : "anki21b (zstd, WAL)";
        QTest::addRow("%s", name) << package(form, three, notes) << "" << expected << skips;
        QTest::addRow("%s five fields by name", name)
            << package(form, {"Expression", "Reading", "Meaning", "Notes", "Audio"},
                       {"a\x1f"
                        "b\x1f"
                        "c\x1f"
                        "d\x1f"
                        "e#",
                        "f\x1fg#"})
            << "Meaning,expression,5"
            << "c|a|e" << QStringList{"2: a field is missing (2 of 5)"};
    }
    QTest::newRow("a field no note type has")
        << package(Anki21, three, notes) << "Front,Answer"
        << ""
        << QStringList{"1: no field Answer in note type Sentences",
                       "2: no field Answer in note type Sentences",
                       "3: no field Answer in note type Sentences",
                       "4: no field Answer in note type Sentences"};
    QTest::newRow("broken zip") << package(BrokenZip, three, notes) << ""
                                << "" << QStringList{"0: not an Anki package: not a readable zip"};
    QTest::newRow("no collection")
        << package(NoCollection, three, notes) << ""
        << ""
        << QStringList{"0: not an Anki package: no collection.anki21b, .anki21 or .anki2 in it"};
    QTest::newRow("damaged zstd")
        << package(DamagedZstd, three, notes) << ""
        << ""
        << QStringList{
               "0: collection.anki21b cannot be unpacked (damaged, or larger than 1024 MB)"};
}

void TestSrmtoolDecks::apkg() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, fields);
    FieldChoice choice;
    if (!fields.isEmpty()) QVERIFY(parseFieldChoice(fields, choice));
    compareImport(
        questionsFromDeck(readApkg(bytesOf(bytes), choice, english).deck, false, english));
}

// Every KVTML file Debian ships for KDE's programs imports: each entry is a
// question or a reported skip, and what is written passes `check`.
void TestSrmtoolDecks::kdeeduFiles_data() {
    QTest::addColumn<QString>("path");
    QDirIterator it(QStringLiteral("/usr/share/apps/kvtml"), {QStringLiteral("*.kvtml")},
                    QDir::Files, QDirIterator::Subdirectories);
    QStringList files;
    while (it.hasNext())
        files << it.next();
    files.sort();
    if (files.isEmpty()) QTest::newRow("not installed") << QString();
    for (const QString& f : files)
        QTest::newRow(qPrintable(f.mid(22))) << f;
}

void TestSrmtoolDecks::kdeeduFiles() {
    QFETCH(QString, path);
    if (path.isEmpty()) QSKIP("kdeedu-kvtml-data is not installed");
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    static const QRegularExpression entry(QStringLiteral("<entry id=\"[^\"]*\"\\s*>|<e[ >]"));
    const qsizetype entries = QString::fromUtf8(bytes).count(entry);
    const ImportResult r =
        questionsFromDeck(readKvtml(bytesOf(bytes), {}, {}, english), true, english);
    QCOMPARE(problems(r.errors), QStringList());
    QCOMPARE(qsizetype(r.lines.size() / 3 + r.skipped.size()), entries);
    if (r.lines.empty()) return; // nothing is written then
    QuestionChecker checker;
    checker.feed(joinLines(r.lines));
    const CheckResult check = checker.finish();
    QCOMPARE(check.questions, int(r.lines.size() / 3));
    QStringList findings;
    for (const Finding& f : check.findings)
        findings << describe(f, english);
    QCOMPARE(findings, QStringList());
}

void TestSrmtoolDecks::commands_data() {
    QTest::addColumn<QStringList>("args"); // "@" stands for the folder of the files
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("out");
    QTest::addColumn<QString>("err");

    QTest::newRow("export anki")
        << QStringList{"export", "@/q.lko", "--format", "anki"} << 0
        << "#separator:tab\n#html:false\n#notetype:Basic (type in the answer)\n"
           "#columns:Front\tBack\tIdiom\tTags\n#tags column:4\n猫\tcat\t\tmistake\n"
        << "";
    QTest::newRow("export kvtml of a partial question")
        << QStringList{"export", "@/partial.lko", "--format", "kvtml"} << 1 << "*"
        << "@/partial.lko:1: the last 1 line(s) are not a whole question and were not exported\n";
    QTest::newRow("list fields of a package")
        << QStringList{"import", "@/deck.apkg", "--list-fields"} << 0
        << "Sentences (2 note(s))\n  1 Front\n  2 Back\n"
        << "";
    QTest::newRow("list identifiers")
        << QStringList{"import", "@/deck.kvtml", "--list-fields"} << 0 << "  0 (ja)\n  1 (en)\n"
        << "";
    QTest::newRow("import with a skip")
        << QStringList{"import", "@/deck.apkg", "-o", "@/new.lko"} << 1
        << "@/new.lko: 1 question(s), 1 marked, 1 row(s) skipped\n"
        << "@/deck.apkg:2: skipped: the answer side is empty\n";
    QTest::newRow("an existing file needs --force")
        << QStringList{"import", "@/deck.kvtml", "-o", "@/q.lko"} << 1 << ""
        << "@/q.lko: exists; add --force to replace it\n";
    QTest::newRow("nothing to write")
        << QStringList{"import", "@/empty.kvtml", "-o", "@/new.lko"} << 1 << ""
        << "@/empty.kvtml:1: skipped: the answer side is empty\n"
           "@/empty.kvtml: no question to write; @/new.lko was not written\n";
    QTest::newRow("--fields needs two or three")
        << QStringList{"import", "@/deck.apkg", "-o", "@/new.lko", "--fields", "1"} << 1 << ""
        << "*--fields takes two or three field numbers or names, separated by commas\n*";
}

void TestSrmtoolDecks::commands() {
    QFETCH(QStringList, args);
    QFETCH(int, code);
    QFETCH(QString, out);
    QFETCH(QString, err);
    QTemporaryDir dir;
    auto write = [&](const char* name, const QByteArray& bytes) {
        QFile f(dir.filePath(QLatin1String(name)));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    };
    write("q.lko", arrayOf(sjis("? 猫\r\ncat\r\n\r\n")));
    write("partial.lko", "a\r\n");
    write("deck.apkg", package(Anki21b, {"Front", "Back"},
                               {"猫\x1f"
                                "cat#mistake",
                                "犬\x1f#"}));
    write("deck.kvtml", "<kvtml version=\"2.0\"><identifiers><identifier id=\"0\"><locale>ja"
                        "</locale></identifier><identifier id=\"1\"><locale>en</locale>"
                        "</identifier></identifiers></kvtml>");
    write("empty.kvtml", "<kvtml version=\"2.0\"><identifiers><identifier id=\"0\"/><identifier "
                         "id=\"1\"/></identifiers><entries><entry id=\"0\"><translation id=\"0\">"
                         "<text>a</text></translation><translation id=\"1\"/></entry></entries>"
                         "</kvtml>");
    for (QString& a : args)
        a.replace(u'@', dir.path());
    std::string o, e;
    QCOMPARE(run(args, &o, &e), code);
    auto matches = [&](QString expected, const std::string& actual) {
        expected.replace(u'@', dir.path());
        const QString text = QString::fromStdString(actual);
        if (expected == u"*") return true;
        if (expected.startsWith(u'*') && expected.endsWith(u'*'))
            return text.contains(expected.mid(1, expected.size() - 2));
        return text == expected;
    };
    QVERIFY2(matches(out, o), o.c_str());
    QVERIFY2(matches(err, e), e.c_str());
}

QTEST_GUILESS_MAIN(TestSrmtoolDecks)
#include "test_srmtool_decks.moc"
