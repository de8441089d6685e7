#include "sjis_text.h"

#include <QTest>

using namespace sorami;

class TestSjisText : public QObject {
    Q_OBJECT
private slots:
    void decode_data();
    void decode();
    void encode_data();
    void encode();
    void roundTripOfEveryValidPair();
    void keepingOriginalBytes();
};

void TestSjisText::decode_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("ascii") << QByteArray("The boy") << QStringLiteral("The boy");
    QTest::newRow("hiragana") << QByteArray("\x82\xa0\x82\xa2") << QStringLiteral("あい");
    QTest::newRow("half-width katakana")
        << QByteArray("\xcc\xa7\xb2\xd9") << QStringLiteral("ﾌｧｲﾙ");
    QTest::newRow("full-width blank") << QByteArray("\x81\x40") << QStringLiteral("　");
    QTest::newRow("NEC special: circled one") << QByteArray("\x87\x40") << QStringLiteral("①");
    QTest::newRow("wave dash is the full-width tilde")
        << QByteArray("\x81\x60") << QStringLiteral("～");
    QTest::newRow("yen sign byte stays a backslash") << QByteArray("\\") << QStringLiteral("\\");
    QTest::newRow("lone lead byte at the end") << QByteArray("a\x82") << QStringLiteral("a\uFFFD");
    QTest::newRow("lead byte with a bad trail")
        << QByteArray("\x82\x20x") << QStringLiteral("\uFFFD x");
    QTest::newRow("undefined single byte") << QByteArray("\xa0z") << QStringLiteral("\uFFFDz");
    QTest::newRow("empty") << QByteArray() << QString();
}

void TestSjisText::decode() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QCOMPARE(fromSjis(std::string_view(bytes.constData(), bytes.size())), text);
}

void TestSjisText::encode_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("ascii") << QStringLiteral("I am a boy.") << QByteArray("I am a boy.");
    QTest::newRow("kanji") << QStringLiteral("和文") << QByteArray("\x98\x61\x95\xb6");
    QTest::newRow("half-width katakana")
        << QStringLiteral("ﾃｷｽﾄ") << QByteArray("\xc3\xb7\xbd\xc4");
    QTest::newRow("full-width letters")
        << QStringLiteral("ＬｋＯ") << QByteArray("\x82\x6b\x82\x8b\x82\x6e");
    QTest::newRow("hangul cannot be held") << QStringLiteral("a한b") << QByteArray("a?b");
    QTest::newRow("emoji is one character") << QStringLiteral("x😀y") << QByteArray("x?y");
    QTest::newRow("accented latin") << QStringLiteral("café") << QByteArray("caf?");
}

void TestSjisText::encode() {
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    const std::string out = toSjis(text);
    QCOMPARE(QByteArray(out.data(), static_cast<qsizetype>(out.size())), bytes);
}

void TestSjisText::roundTripOfEveryValidPair() {
    // Every double-byte character that decodes must encode back to a
    // character that decodes the same: what the learner sees is what is stored.
    int checked = 0;
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
        if (lead > 0x9F && lead < 0xE0) continue;
        for (int trail = 0x40; trail <= 0xFC; ++trail) {
            const char b[2] = {static_cast<char>(lead), static_cast<char>(trail)};
            const QString t = fromSjis(std::string_view(b, 2));
            if (t.size() != 1 || t.at(0) == QChar(QChar::ReplacementCharacter)) continue;
            const std::string back = toSjis(t);
            QVERIFY2(back.size() == 2, qPrintable(QString::number(lead * 256 + trail, 16)));
            QCOMPARE(fromSjis(back), t);
            ++checked;
        }
    }
    QVERIFY(checked > 7000);
}

void TestSjisText::keepingOriginalBytes() {
    const std::string invalid("\x82\x20ok\xa0", 5);
    const QString shown = fromSjis(invalid);
    QCOMPARE(toSjisKeeping(shown, invalid), invalid);
    QCOMPARE(toSjisKeeping(shown + QStringLiteral("!"), invalid),
             toSjis(shown + QStringLiteral("!")));
    QCOMPARE(toSjis(shown).substr(0, 1), std::string("?"));
}

QTEST_APPLESS_MAIN(TestSjisText)
#include "test_sjis_text.moc"
