// The memo's rich-text files: what is read from RTF written by the rich
// edit control, by LibreOffice and by the memo itself, that every attribute
// survives writing and reading and the trip through the edit box's
// document, and that no input crashes, hangs or shows hidden text.

#include "rich_text.h"
#include "rich_text_qt.h"
#include "sjis_text.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <QTextList>
#include <QtTest>

#include <cmath>
#include <ctime>
#include <random>

using namespace sorami::rich;

namespace sorami::rich {
// Readable failures: QCOMPARE prints documents through this.
char* toString(const Document& d) {
    QString s;
    for (const auto& p : d.paragraphs) {
        s += QStringLiteral("[%1%2/%3]")
                 .arg(QLatin1String(p.bullet ? "* " : ""))
                 .arg(p.leftIndent)
                 .arg(p.firstIndent);
        for (const int stop : p.tabStops)
            s += QStringLiteral("tx%1 ").arg(stop);
        for (const auto& r : p.runs) {
            const auto& f = r.format;
            s += QStringLiteral("<%1 %2%3%4%5%6 %7>")
                     .arg(f.face)
                     .arg(f.halfPoints)
                     .arg(QLatin1String(f.bold ? "b" : ""), QLatin1String(f.italic ? "i" : ""),
                          QLatin1String(f.underline ? "u" : ""),
                          QLatin1String(f.strikeOut ? "s" : ""))
                     .arg(f.colour ? QString::number(*f.colour, 16) : QStringLiteral("auto"));
            s += r.text;
        }
        s += u'\n';
    }
    if (d.truncated) s += QStringLiteral("(truncated)");
    return qstrdup(s.toUtf8().constData());
}
} // namespace sorami::rich

Q_DECLARE_METATYPE(sorami::rich::Document)

namespace {

const QString Gothic = QStringLiteral("ＭＳ ゴシック");

CharFormat fmt(const QString& face = Gothic, int halfPoints = 24) {
    CharFormat f;
    f.face = face;
    f.halfPoints = halfPoints;
    return f;
}

template <typename Change> CharFormat with(Change change, CharFormat f = fmt()) {
    change(f);
    return f;
}

Paragraph para(std::vector<Run> runs, bool bullet = false, int left = 0, int first = 0,
               std::vector<int> tabStops = {}) {
    Paragraph p;
    p.runs = std::move(runs);
    p.bullet = bullet;
    p.leftIndent = left;
    p.firstIndent = first;
    p.tabStops = std::move(tabStops);
    return p;
}

Document doc(std::vector<Paragraph> paragraphs) {
    Document d;
    d.paragraphs = std::move(paragraphs);
    return d;
}

QByteArray fixture(const char* name) {
    QFile f(qEnvironmentVariable("SORAMI_SOURCE_DIR") + "/tests/memo/data/" + name);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

std::string_view view(const QByteArray& b) {
    return {b.constData(), static_cast<size_t>(b.size())};
}

} // namespace

class TestRtf : public QObject {
    Q_OBJECT

private slots:
    // Each row: the RTF read (empty: the memo's own output for the
    // document) and the document it must give. Every document must also
    // come back unchanged from writing and reading, and from the edit box.
    void roundTrip_data() {
        QTest::addColumn<QByteArray>("rtf");
        QTest::addColumn<Document>("expected");
        const CharFormat plain = fmt();
        auto one = [&](const char* name, CharFormat f) {
            QTest::newRow(name) << QByteArray()
                                << doc({para({{"a ", plain}, {"attribute", f}, {" z", plain}})});
        };
        one("bold", with([](auto& f) { f.bold = true; }));
        one("italic", with([](auto& f) { f.italic = true; }));
        one("underline", with([](auto& f) { f.underline = true; }));
        one("strike-out", with([](auto& f) { f.strikeOut = true; }));
        one("size 10.5", fmt(Gothic, 21));
        one("size 36", fmt(Gothic, 72));
        one("face", fmt(QStringLiteral("ＭＳ 明朝")));
        one("Latin face", fmt(QStringLiteral("Times New Roman")));
        one("colour", with([](auto& f) { f.colour = 0x0080FFu; }));
        one("black is a colour, not automatic", with([](auto& f) { f.colour = 0u; }));
        one("all at once", with([](auto& f) {
                f.bold = f.italic = f.underline = f.strikeOut = true;
                f.colour = 0xFF0000u;
                f.halfPoints = 40;
            }));
        QTest::newRow("Japanese, half-width kana, 0x5C trail bytes, outside Shift-JIS")
            << QByteArray()
            << doc({para({{QStringLiteral("日本語のメモ、ｶﾀｶﾅ、ソ表能、♥😀、€"), plain}})});
        QTest::newRow("braces, backslash, tab, line break")
            << QByteArray() << doc({para({{QStringLiteral("{a}\\b\tc\u2028d 1"), plain}})});
        QTest::newRow("digits after a size")
            << QByteArray() << doc({para({{"9", fmt(Gothic, 30)}, {"9", plain}})});
        QTest::newRow("bullets with a hanging indent")
            << QByteArray()
            << doc({para({{"intro", plain}}),
                    para({{QStringLiteral("一"), plain}}, true, 200, -200),
                    para({{QStringLiteral("二"), plain}}, true, 200, -200), para({}),
                    para({{"indented", plain}}, false, 720, 360)});
        QTest::newRow("empty") << QByteArray() << doc({para({})});

        // Written the way the rich edit control of a Japanese desktop writes:
        // Shift-JIS in \'hh pairs, \pn bullets, a NUL after the last brace.
        const CharFormat re = fmt(Gothic, 22);
        auto reWith = [&](auto change) { return with(change, re); };
        QTest::newRow("rich edit file")
            << fixture("richedit.rtf")
            << doc({para({{QStringLiteral("日本語の"), re},
                          {QStringLiteral("太字"), reWith([](auto& f) { f.bold = true; })},
                          {QStringLiteral("と"), re},
                          {QStringLiteral("斜体"), reWith([](auto& f) { f.italic = true; })},
                          {QStringLiteral("下線"), reWith([](auto& f) { f.underline = true; })},
                          {QStringLiteral("取消"), reWith([](auto& f) { f.strikeOut = true; })},
                          {QStringLiteral("赤"), reWith([](auto& f) { f.colour = 0x0000FFu; })},
                          {QStringLiteral("大"), fmt(Gothic, 32)},
                          {"English", fmt(QStringLiteral("Times New Roman"), 22)}}),
                    para({{QStringLiteral("A\tB\u2028C ソ表 ♥ "), re},
                          {QStringLiteral("ﾊﾝｶｸ"), fmt(QStringLiteral("ＭＳ 明朝"), 22)}}),
                    para({{QStringLiteral("項目一"), re}}, true, 200, -200),
                    para(
                        {{QStringLiteral("項目二"), reWith([](auto& f) { f.colour = 0xFF0000u; })}},
                        true, 200, -200),
                    para({{QStringLiteral("終わり"), re}}), para({})});

        // Made by LibreOffice Writer from libreoffice_source.html: list
        // tables, \listtext bullets, Japanese as \uN with the associated
        // font, size and bold of \dbch text.
        const CharFormat lo = fmt(QStringLiteral("Liberation Serif"));
        const CharFormat cjk = fmt(QStringLiteral("Noto Sans CJK JP"));
        auto loWith = [&](auto change, CharFormat base) { return with(change, base); };
        QTest::newRow("LibreOffice file")
            << fixture("libreoffice.rtf")
            << doc({para({{"Plain ", lo},
                          {"bold", loWith([](auto& f) { f.bold = true; }, lo)},
                          {" ", lo},
                          {"italic", loWith([](auto& f) { f.italic = true; }, lo)},
                          {" ", lo},
                          {"under", loWith([](auto& f) { f.underline = true; }, lo)},
                          {" ", lo},
                          {"strike", loWith([](auto& f) { f.strikeOut = true; }, lo)},
                          {" ", lo},
                          {"red", loWith([](auto& f) { f.colour = 0x0000FFu; }, lo)},
                          {" ", lo},
                          {"big", fmt(QStringLiteral("Liberation Serif"), 36)}}),
                    para({{QStringLiteral("日本語の"), cjk},
                          {QStringLiteral("太字"), loWith(
                                                       [](auto& f) {
                                                           f.bold = true;
                                                           f.colour = 0xFF0000u;
                                                       },
                                                       cjk)},
                          {QStringLiteral("です。"), cjk}}),
                    para({{"first item", lo}}, true, 709, -283, {709}),
                    para({{QStringLiteral("二番目"), lo}}, true, 709, -283, {709}),
                    para({{"after tab", lo}}), para({})});

        // What the memo does not show stays hidden, whatever it holds.
        QTest::newRow("skipped destinations")
            << QByteArray("{\\rtf1\\ansi{\\fonttbl{\\f0\\fnil Arial;}}{\\colortbl;\\red1\\green2;}"
                          "{\\stylesheet{\\s1 Heading;}}{\\info{\\title T}{\\author A}}"
                          "{\\*\\unknown{\\nested N}}{\\pict\\bin4 }}}}89ab}{\\header H}"
                          "{\\*\\listtable{\\list{\\leveltext \\'01\\u8226 ?;}}}"
                          "{\\field{\\*\\fldinst HYPERLINK x}{\\fldrslt shown}}"
                          "\\f0\\fs24 V{\\footnote F}\\par}")
            << doc({para({{"shownV", fmt("Arial")}}), para({})});
        QTest::newRow("\\uc and fallbacks")
            << QByteArray("{\\rtf1\\ansi\\ansicpg932{\\fonttbl{\\f0\\fcharset128 G;}}\\f0 "
                          "\\uc2\\u26085\\'93\\'fa{\\uc0\\u26412}\\u-30050\\'8c\\'ea"
                          "\\uc1\\u-10179\\'3f\\u-8704\\'3f.}")
            << doc({para({{QStringLiteral("日本語😀."), fmt("G")}})});
        QTest::newRow("numbers kept as text, not bullets")
            << QByteArray("{\\rtf1{\\fonttbl{\\f0 F;}}{\\pntext 1.\\tab}{\\*\\pn\\pnlvlbody\\pndec}"
                          "\\fi-360\\li360 x}")
            << doc({para({{"1.\tx", fmt("F")}}, false, 360, -360, {360})});
    }

    void roundTrip() {
        QFETCH(QByteArray, rtf);
        QFETCH(Document, expected);
        if (!rtf.isEmpty()) {
            const auto read = readRtf(view(rtf));
            QVERIFY(read);
            QCOMPARE(*read, expected);
        }
        const std::string written = writeRtf(expected);
        const auto again = readRtf(written);
        QVERIFY(again);
        QCOMPARE(*again, expected);

        QTextDocument box;
        toTextDocument(expected, box);
        QCOMPARE(box.toPlainText(), expected.text().replace(QChar(LineBreak), u'\n'));
        QCOMPARE(fromTextDocument(box), expected);
    }

    // What the memo writes opens in LibreOffice Writer with the same text,
    // bullets included (when it is installed; its start is slow, so one
    // document with everything).
    void libreOfficeReadsIt() {
        const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
        if (soffice.isEmpty()) QSKIP("LibreOffice Writer is not installed");
        QTemporaryDir dir;
        CharFormat bold = fmt(), red = fmt(QStringLiteral("ＭＳ 明朝"), 40);
        bold.bold = bold.underline = bold.strikeOut = bold.italic = true;
        red.colour = 0x0000FFu;
        const Document d =
            doc({para({{"plain ", fmt()}, {"bold", bold}, {QStringLiteral(" 赤い字"), red}}),
                 para({{QStringLiteral("日本語のメモ、ｶﾀｶﾅ、ソ表、♥"), fmt()}}),
                 para({{QStringLiteral("項目一"), fmt()}}, true, 200, -200),
                 para({{QStringLiteral("a\tb {c}\\d"), fmt()}})});
        QFile rtf(dir.filePath("memo.rtf"));
        QVERIFY(rtf.open(QIODevice::WriteOnly));
        rtf.write(QByteArray::fromStdString(writeRtf(d)));
        rtf.close();
        QProcess lo;
        lo.start(soffice, {"-env:UserInstallation=file://" + dir.filePath("profile"), "--headless",
                           "--convert-to", "txt:Text (encoded):UTF8", "--outdir", dir.path(),
                           rtf.fileName()});
        QVERIFY(lo.waitForFinished(180000));
        QFile txt(dir.filePath("memo.txt"));
        QVERIFY2(txt.open(QIODevice::ReadOnly), lo.readAllStandardError().constData());
        QStringList lines = QString::fromUtf8(txt.readAll()).remove(QChar(0xFEFF)).split(u'\n');
        for (auto& l : lines)
            l = l.trimmed();
        QCOMPARE(lines.mid(0, 4),
                 (QStringList{QStringLiteral("plain bold 赤い字"),
                              QStringLiteral("日本語のメモ、ｶﾀｶﾅ、ソ表、♥"),
                              QStringLiteral("• 項目一"), QStringLiteral("a\tb {c}\\d")}));
    }

    // Each row: control words after a font table (F and G) and a colour
    // table, and the document they give. Words that act alike in the text
    // but not in a bullet's text, words only one letter off a known one,
    // and every spelling of a known word are read as what they are.
    void controlWords_data() {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<Document>("expected");
        const CharFormat f = fmt("F");
        auto fWith = [&](auto change) { return with(change, f); };
        QTest::newRow("cells and rows") << QByteArray("a\\cell b\\nestcell c\\row d")
                                        << doc({para({{"a\tb\tc", f}}), para({{"d", f}})});
        // As LibreOffice Writer writes a table: a paragraph per cell ended by \cell.
        QTest::newRow("LibreOffice table")
            << QByteArray(
                   "\\trowd\\trql\\ltrrow\\cellx4819\\cellx9638\\pard\\plain \\s21\\loch\\intbl"
                   "\\ql\\ltrpar{\\loch A1}\\cell\\pard\\plain \\s21\\loch\\intbl\\ql\\ltrpar"
                   "{\\loch B1}\\cell\\pard\\plain\\intbl\\cell\\row\\pard\\plain "
                   "\\trowd\\cellx4819\\cellx9638\\pard\\plain"
                   "\\intbl{\\loch A2}\\cell\\pard\\plain\\intbl{\\loch "
                   "B2}\\cell\\row\\pard\\plain after\\par")
            << doc({para({{"A1\tB1\t", f}}), para({{"A2\tB2", f}}), para({{"after", f}}),
                    para({})});
        // As pandoc writes one: each cell's paragraphs end in \par inside the cell.
        QTest::newRow("pandoc table, a cell of two paragraphs")
            << QByteArray(
                   "{\n\\trowd "
                   "\\trgaph120\n\\clbrdrb\\brdrs\\cellx4320\\clbrdrb\\brdrs\\cellx8640\n"
                   "\\trkeep\\intbl\n{\n{{\\pard\\intbl \\ql \\f0 \\sa0 \\li0 \\fi0 A\\par}\n"
                   "{\\pard\\intbl \\ql \\f0 \\sa0 \\li0 \\fi0 a\\par}\n\\cell}\n"
                   "{{\\pard\\intbl \\ql \\f0 \\sa0 \\li0 \\fi0 "
                   "B\\par}\n\\cell}\n}\n\\intbl\\row}\n"
                   "{\\pard \\ql \\f0 \\sa180 \\li0 \\fi0 after\\par}")
            << doc({para({{"A a\tB", f}}), para({{"after", f}}), para({})});
        QTest::newRow("a cell is no tab in a bullet's text")
            << QByteArray("{\\pntext 1.\\cell\\tab}x") << doc({para({{"1.\tx", f}})});
        QTest::newRow("spellings of strike-out and underline")
            << QByteArray("\\striked1 s\\striked0 n\\uldb u\\ulnone n\\ulwave w\\ul0 n")
            << doc({para({{"s", fWith([](auto& c) { c.strikeOut = true; })},
                          {"n", f},
                          {"u", fWith([](auto& c) { c.underline = true; })},
                          {"n", f},
                          {"w", fWith([](auto& c) { c.underline = true; })},
                          {"n", f}})});
        QTest::newRow("associated properties end at \\hich")
            << QByteArray("\\dbch\\af1\\afs40\\ab J\\hich K")
            << doc({para({{"J", with([](auto& c) { c.bold = true; }, fmt("G", 40))}, {"K", f}})});
        QTest::newRow("special characters")
            << QByteArray("\\emspace\\enspace\\qmspace\\emdash\\endash\\lquote\\rquote"
                          "\\ldblquote\\rdblquote\\bullet\\line\\~\\_")
            << doc({para({{QStringLiteral("   —–‘’“”•\u2028\u00A0\u2011"), f}})});
        QTest::newRow("near misses name nothing")
            << QByteArray("\\pars a\\Par b\\ulx c\\strik d\\bb e\\fss5 f\\colortb g\\u h")
            << doc({para({{"abcdefgh", f}})});
        QTest::newRow("skipped destinations from either end of the table")
            << QByteArray("{\\ab\\aftncn x}{\\xmlnstbl y}{\\userprops z}{\\operator o}v")
            << doc({para({{"v", f}})});
        QTest::newRow("colour and size") << QByteArray("\\cf1\\fs30 r\\plain\\f1 g")
                                         << doc({para({{"r", fWith([](auto& c) {
                                                            c.colour = 0x0000FFu;
                                                            c.halfPoints = 30;
                                                        })},
                                                       {"g", fmt("G")}})});
    }

    void controlWords() {
        QFETCH(QByteArray, body);
        QFETCH(Document, expected);
        const QByteArray rtf = "{\\rtf1\\ansi{\\fonttbl{\\f0 F;}{\\f1 G;}}"
                               "{\\colortbl;\\red255\\green0\\blue0;}\\f0 " +
                               body + "}";
        const auto read = readRtf(view(rtf));
        QVERIFY(read);
        QCOMPARE(*read, expected);
    }
    // A list item's number or bullet, and the tab after it, as word
    // processors write them: the item's text begins where its indent puts
    // the following lines, as in the word processor, not at a default stop.
    void listTextBeginsAtItsIndent_data() {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<int>("indent"); // twips
        QTest::newRow("LibreOffice number")
            << QByteArray(
                   "{\\listtext\\pard\\plain 1.\\tab}\\ilvl0\\ls2 \\li709\\fi-283\\tx709 one")
            << 709;
        QTest::newRow("pandoc number") << QByteArray("\\li360\\fi-360 1.\\tx360\\tab one") << 360;
        QTest::newRow("rich edit number, no stop written")
            << QByteArray("{\\pntext 2.\\tab}{\\*\\pn\\pnlvlbody\\pndec}\\fi-360\\li720 one")
            << 720;
    }
    void listTextBeginsAtItsIndent() {
        QFETCH(QByteArray, body);
        QFETCH(int, indent);
        const auto read = readRtf(view("{\\rtf1\\ansi{\\fonttbl{\\f0 F;}}\\f0 " + body + "}"));
        QVERIFY(read);
        QTextDocument box;
        box.setTextWidth(600);
        toTextDocument(*read, box);
        const QTextBlock b = box.begin();
        const int text = static_cast<int>(b.text().indexOf(u'\t')) + 1;
        QVERIFY(text > 0);
        box.size(); // laid out
        const QTextLine line = b.layout()->lineAt(0);
        QVERIFY(std::abs(line.cursorToX(text) - twipsToPixels(indent)) < 1);
    }

    // No input crashes, hangs or grows the memo past its limit.
    void badInput_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("isRtf");
        QTest::addColumn<QString>("text"); // null: any text
        QTest::addColumn<bool>("truncated");

        std::mt19937 rng(7);
        QByteArray binary(1 << 20, '\0');
        for (auto& c : binary)
            c = static_cast<char>(rng());
        QTest::newRow("binary") << binary << false << QString() << false;
        QTest::newRow("binary after an RTF header")
            << QByteArray("{\\rtf1 ") + binary << true << QString() << false;
        QByteArray fifty(50 << 20, 'a');
        for (int i = 0; i < fifty.size(); i += 97)
            fifty[i] = static_cast<char>(rng());
        QTest::newRow("50 MB of text") << fifty << false << QString() << true;
        QTest::newRow("50 MB of RTF")
            << QByteArray("{\\rtf1 ") + QByteArray(50 << 20, 'a') << true << QString() << true;
        QTest::newRow("50 MB of paragraphs")
            << QByteArray("{\\rtf1 ") + QByteArray(10 << 20, 'p').replace("p", "\\par ") << true
            << QString() << true;
        QTest::newRow("100,000 nested groups") << QByteArray("{\\rtf1 ") + QByteArray(100000, '{') +
                                                      "deep" + QByteArray(100000, '}') + "}"
                                               << true << "deep" << false;
        QTest::newRow("300,000 nested groups with a skipped one inside")
            << QByteArray("{\\rtf1 ") + QByteArray(300000, '{') + "{\\*\\x hidden}deep" +
                   QByteArray(300000, '}') + " after}"
            << true << "deep after" << false;
        // Lists nested as deep as a file can make them: each item a group
        // deeper, with the bullets and numbers of both kinds of writer.
        QByteArray nested("{\\rtf1 ");
        for (int i = 0; i < 200000; ++i)
            nested +=
                "{\\pard\\li" + QByteArray::number(360 * i) +
                "{\\pntext\\'b7\\tab}{\\*\\pn\\pnlvlblt{\\pntxtb\\'b7}}{\\listtext 1.\\tab}x\\par";
        QTest::newRow("200,000 nested list items")
            << nested + QByteArray(200000, '}') + "}" << true << QString() << false;
        QTest::newRow("50 MB of open groups")
            << QByteArray("{\\rtf1 ") + QByteArray(50 << 20, '{') << true << "" << false;
        QTest::newRow("huge \\bin")
            << QByteArray("{\\rtf1 a\\bin99999999999999 xyz}") << true << "a" << false;
        QTest::newRow("negative \\bin")
            << QByteArray("{\\rtf1 a\\bin-5 b}") << true << "ab" << false;
        QTest::newRow("huge numbers")
            << QByteArray("{\\rtf1 \\fs999999999999999999 \\u99999999999 \\uc99999 a\\cf-7 b"
                          "\\f-2147483648 c\\li99999999999 d}")
            << true << QString() << false;
        QTest::newRow("invalid Shift-JIS")
            << QByteArray("{\\rtf1\\ansi\\ansicpg932 \\'82\\'ff\\'82}") << true
            << QStringLiteral("\uFFFD\uFFFD\uFFFD") << false;
        QTest::newRow("unbalanced")
            << QByteArray("}{\\rtf1 a}}}}b{{{") << false << QString() << false;
        QTest::newRow("unclosed") << QByteArray("{\\rtf1 a{\\b b{\\i c") << true << "abc" << false;
        QTest::newRow("ends in a control word")
            << QByteArray("{\\rtf1 a\\'8") << true << "a" << false;
        QTest::newRow("ends after a backslash")
            << QByteArray("{\\rtf1 a\\") << true << "a" << false;
        QTest::newRow("long control word")
            << QByteArray("{\\rtf1 a\\") + QByteArray(100000, 'x') + " b}" << true << "ab" << false;
        QTest::newRow("NUL bytes") << QByteArray("{\\rtf1 a\0b}", 10) << true << QString() << false;
    }

    void badInput() {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, isRtf);
        QFETCH(QString, text);
        QFETCH(bool, truncated);
        const auto rtf = readRtf(view(bytes));
        QCOMPARE(rtf.has_value(), isRtf);
        const Document d = rtf ? *rtf : readPlainText(view(bytes));
        QVERIFY(!d.paragraphs.empty());
        QVERIFY(static_cast<size_t>(d.text().size()) <= MaxChars);
        QCOMPARE(d.truncated, truncated);
        if (!text.isNull()) QCOMPARE(d.text(), text);
        // Whatever was read can be written and read again.
        QVERIFY(readRtf(writeRtf(d)));
    }

    // A file of a few megabytes, such as a full memo, opens within a second.
    void fewMegabytesInASecond() {
        std::string rtf = "{\\rtf1\\ansi\\ansicpg932{\\fonttbl{\\f0\\fcharset128 G;}}\\f0 ";
        const std::string line = std::string("\\'93\\'fa\\'96\\'7b\\b\\'8c\\'ea\\b0 text") +
                                 "\\u26085\\'93\\'fa\\cf1 x\\cf0\\par\r\n";
        while (rtf.size() < (4u << 20))
            rtf += line;
        rtf += "}";
        // Processor time: other programs on the machine do not count.
        const std::clock_t start = std::clock();
        const auto d = readRtf(rtf);
        const auto elapsed = static_cast<long long>((std::clock() - start) * 1000 / CLOCKS_PER_SEC);
        QVERIFY(d);
        QVERIFY(d->paragraphs.size() > 50000);
#if !defined(__SANITIZE_ADDRESS__)
        QVERIFY2(elapsed < 1000, qPrintable(QString::number(elapsed) + " ms"));
#endif
        qInfo("read in %lld ms", elapsed);
    }

    // Plain files: Shift-JIS, any line ending read, CR LF written.
    void plainText_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("paragraphs");
        QTest::addColumn<QByteArray>("written");
        const QByteArray jp = QByteArray::fromStdString(sorami::sjis("日本\tソ"));
        QTest::newRow("CR LF") << jp + "\r\nb\r\n"
                               << QStringList{"日本\tソ", "b", ""} << jp + "\r\nb\r\n";
        QTest::newRow("LF and CR")
            << QByteArray("a\nb\rc") << QStringList{"a", "b", "c"} << QByteArray("a\r\nb\r\nc");
        QTest::newRow("blank lines")
            << QByteArray("\r\n\r\n") << QStringList{"", "", ""} << QByteArray("\r\n\r\n");
        QTest::newRow("RTF markup in plain mode is text")
            << QByteArray("{\\rtf1 a}") << QStringList{"{\\rtf1 a}"} << QByteArray("{\\rtf1 a}");
    }

    void plainText() {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, paragraphs);
        QFETCH(QByteArray, written);
        const Document d = readPlainText(view(bytes));
        QStringList got;
        for (const auto& p : d.paragraphs)
            got << p.text();
        QCOMPARE(got, paragraphs);
        QCOMPARE(QByteArray::fromStdString(writePlainText(d)), written);
    }

    // A long file is shown a few paragraphs at a time; whatever the step,
    // the box gets the document it gets in one go: the same paragraphs and
    // runs, the same format for each paragraph break (an empty line's
    // height) and the same bullets in the same lists.
    void stepsBuildTheSameDocument_data() {
        QTest::addColumn<Document>("d");
        const CharFormat bold = with([](CharFormat& f) { f.bold = true; });
        const CharFormat red = with([](CharFormat& f) { f.colour = 0x0000FFu; });
        QTest::newRow("runs of formats")
            << doc({para({{"a", fmt()}, {"b", bold}}), para({{"c", bold}}), para({{"d", red}}),
                    para({{"e", fmt()}, {"f", red}}), para({{"g", red}})});
        std::vector<Paragraph> bullets;
        for (int i = 0; i < 2 * BulletLists::MaxBlocks + 3; ++i)
            bullets.push_back(para({{QString::number(i), fmt()}}, i != 11, 400, -200));
        QTest::newRow("bullets across the steps") << doc(bullets);
        QTest::newRow("indents and tab stops changing")
            << doc({para({{"a", fmt()}}), para({{"b", fmt()}}, false, 200),
                    para({{"c", fmt()}}, false, 200, -100), para({{"d", fmt()}}, false, 200, -100),
                    para({{"e\tf", fmt()}}, false, 200, -100, {720}), para({{"g", fmt()}})});
        QTest::newRow("empty paragraphs")
            << doc({para({}), para({{"a", bold}}), para({}), para({}), para({{"b", red}}),
                    para({{"c", fmt()}}), para({}), para({}, false, 300), para({})});
    }
    void stepsBuildTheSameDocument() {
        QFETCH(Document, d);
        auto breaksAndLists = [](const QTextDocument& box) {
            QList<QVariant> shape;
            for (QTextBlock b = box.begin(); b.isValid(); b = b.next())
                shape << b.charFormat() << QVariant::fromValue<const void*>(b.textList());
            return shape;
        };
        QTextDocument once;
        toTextDocument(d, once);
        for (const std::size_t step : {1, 2, 3}) {
            QTextDocument stepped;
            DocumentBuilder builder(d, stepped);
            for (std::size_t steps = 1; !builder.done(); ++steps) {
                builder.append(step);
                QCOMPARE(stepped.blockCount(), int(std::min(steps * step, d.paragraphs.size())));
            }
            QCOMPARE(fromTextDocument(stepped), d);
            const QList<QVariant> a = breaksAndLists(stepped), b = breaksAndLists(once);
            for (int i = 0; i < a.size(); i += 2) {
                QCOMPARE(a[i], b[i]);
                QCOMPARE(a.indexOf(a[i + 1]), b.indexOf(b[i + 1])); // the same list as
            }
        }
    }

    void plainTextLimit() {
        const Document d = readPlainText("abc\r\ndef", 5);
        QVERIFY(d.truncated);
        QCOMPARE(d.text(), QStringLiteral("abc\nd"));
        QVERIFY(!readPlainText("abc\r\nd", 5).truncated);
    }
};

QTEST_MAIN(TestRtf)
#include "test_rtf.moc"
