#include "text_box.h"

#include <QPlainTextEdit>
#include <QTest>
#include <QTextEdit>

using namespace sorami;

class TestTextBox : public QObject {
    Q_OBJECT
private slots:
    void wrapModeFollowsTheLine_data();
    void wrapModeFollowsTheLine();
    void longLinesShowTheirBeginning_data();
    void longLinesShowTheirBeginning();
};

void TestTextBox::longLinesShowTheirBeginning_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("shown");
    const QByteArray a(LongLineLength, 'a');
    const QString as(LongLineLength, QLatin1Char('a'));
    const QByteArray kana = QByteArray("\x82\xa0").repeated(LongLineLength); // あ…
    const QString kanas = QString(LongLineLength, QChar(0x3042));
    QTest::newRow("a sentence") << QByteArray("I am a student.") << "I am a student.";
    QTest::newRow("exactly one character over still whole") << a + 'b' << as + 'b';
    QTest::newRow("longer: beginning and an ellipsis") << a + "bc" << as + QChar(0x2026);
    QTest::newRow("double-byte characters count one")
        << kana + "\x82\xa2\x82\xa4" << kanas + QChar(0x2026);
    QTest::newRow("a cut never halves a double-byte character")
        << QByteArray("x") + kana + "yz"
        << QChar('x') + kanas.left(LongLineLength - 1) + QChar(0x2026);
}

void TestTextBox::longLinesShowTheirBeginning() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, shown);
    const QString line = shownLine(std::string_view(bytes.constData(), size_t(bytes.size())));
    QCOMPARE(line, shown);
    QCOMPARE(shownText(line), line);
    QCOMPARE(shownText(fromSjis(std::string_view(bytes.constData(), size_t(bytes.size())))), shown);
}

void TestTextBox::wrapModeFollowsTheLine_data() {
    QTest::addColumn<bool>("plain");
    QTest::addColumn<int>("ownMode");
    QTest::newRow("rich box, word wrap") << false << int(QTextOption::WrapAtWordBoundaryOrAnywhere);
    QTest::newRow("rich box, word boundaries only") << false << int(QTextOption::WordWrap);
    QTest::newRow("plain box") << true << int(QTextOption::WordWrap);
}

void TestTextBox::wrapModeFollowsTheLine() {
    QFETCH(bool, plain);
    QFETCH(int, ownMode);
    const auto own = static_cast<QTextOption::WrapMode>(ownMode);
    const QString sentence = QStringLiteral("How long does it take to get to the station?");
    // Without the long-line mode this takes minutes to lay out.
    const QString damaged(1'000'000, QLatin1Char('a'));
    auto check = [&](auto* box) {
        box->resize(400, 80);
        box->setWordWrapMode(own);
        box->show();
        showPlainText(box, sentence);
        QCOMPARE(box->wordWrapMode(), own);
        showPlainText(box, damaged);
        QCOMPARE(box->wordWrapMode(), QTextOption::WrapAnywhere);
        QCOMPARE(box->toPlainText(), damaged.left(LongLineLength) + QChar(0x2026));
        QCoreApplication::processEvents();
        showPlainText(box, sentence);
        QCOMPARE(box->wordWrapMode(), own);
        QCOMPARE(box->toPlainText(), sentence);
    };
    if (plain) {
        QPlainTextEdit box;
        check(&box);
    } else {
        QTextEdit box;
        check(&box);
    }
}

QTEST_MAIN(TestTextBox)
#include "test_text_box.moc"
