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
};

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
        QCOMPARE(box->toPlainText().size(), damaged.size());
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
