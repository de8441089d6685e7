// Score reports, the score table, erasing the scores and the question reset
// through the drill window's menus, pop-up items, keys and buttons.
#include "Seiseki1.h"
#include "drill_fixture.h"
#include "modal_script.h"
#include "score_file.h"

#include <QDir>

using namespace drilltest;
using sorami::MsgResult;

namespace {

QByteArray bytesOf(const QString& path) {
    return QByteArray::fromStdString(readBytes(path));
}
const QByteArray Header = QByteArray::fromStdString(sorami::scoreHeader());

// Runs a command the way the learner reaches it.
void reach(Drill& d, const QString& how, QAction* menuItem, QAction* popupItem) {
    if (how == "menu") {
        menuItem->trigger();
    } else if (how == "pop-up") {
        popupItem->trigger();
    } else {
        d.w->show();
        QApplication::setActiveWindow(d.w.get());
        QVERIFY(QTest::qWaitForWindowActive(d.w.get()));
        d.w->KaitouDisp->setFocus();
        QTest::keyClick(d.w->KaitouDisp, popupItem->shortcut()[0].key(),
                        popupItem->shortcut()[0].keyboardModifiers());
    }
}

// The score table's caption and lines, when one is shown.
struct TableSeen {
    bool shown = false;
    QString caption;
    QStringList lines;
};

ModalScript::Step readTable(TableSeen& seen) {
    return [&seen](QWidget* w) {
        auto* table = qobject_cast<sorami::TTable*>(w);
        QVERIFY(table);
        seen.shown = true;
        seen.caption = table->windowTitle();
        seen.lines = table->SeisekiTable->toPlainText().split(QLatin1Char('\n'));
        table->close();
    };
}

} // namespace

class TestScore : public QObject {
    Q_OBJECT
private slots:
    void report_data();
    void report();
    void reportWithoutScoreFile_data();
    void reportWithoutScoreFile();
    void tableShowsTheFileAsItIs_data();
    void tableShowsTheFileAsItIs();
    void erase_data();
    void erase();
    void problemReset_data();
    void problemReset();
};

void TestScore::report_data() {
    QTest::addColumn<QString>("how");
    QTest::addColumn<QStringList>("answers"); // "r" right, "w" wrong
    QTest::addColumn<MsgResult>("confirm");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<QStringList>("sounds");
    QTest::addColumn<QByteArray>("record"); // appended to the file; empty: nothing
    const QString ask = QStringLiteral("ガンバレソラミ君の成績表です。\r\n見ますか？");
    const QStringList three = {"r", "w", "r"};
    // 2 of 3: R = 6.
    const QByteArray twoOfThree = "       q.lko   26/04/01 09:30:15     3        2" +
                                  QByteArray::fromStdString(sorami::sjis("    合格ｽﾚｽﾚ")) +
                                  "  tester\r\n";
    QTest::newRow("before any answer")
        << "menu" << QStringList{} << MsgResult::Ok
        << QStringList{QStringLiteral("まだ一つも問題をやっていませんよ!")}
        << QStringList{"poki.wav"} << QByteArray();
    QTest::newRow("before any answer, by key")
        << "key" << QStringList{} << MsgResult::Ok
        << QStringList{QStringLiteral("まだ一つも問題をやっていませんよ!")}
        << QStringList{"poki.wav"} << QByteArray();
    QTest::newRow("declined") << "menu" << three << MsgResult::Cancel << QStringList{ask}
                              << QStringList{} << QByteArray();
    QTest::newRow("accepted from the menu")
        << "menu" << three << MsgResult::Ok << QStringList{ask} << QStringList{} << twoOfThree;
    QTest::newRow("accepted from the pop-up")
        << "pop-up" << three << MsgResult::Ok << QStringList{ask} << QStringList{} << twoOfThree;
    QTest::newRow("accepted by Ctrl+E")
        << "key" << three << MsgResult::Ok << QStringList{ask} << QStringList{} << twoOfThree;
    QTest::newRow("all right") << "menu" << QStringList{"r", "r"} << MsgResult::Ok
                               << QStringList{ask} << QStringList{}
                               << "       q.lko   26/04/01 09:30:15     2        2" +
                                      QByteArray::fromStdString(sorami::sjis("    完璧!   ")) +
                                      "  tester\r\n";
}

void TestScore::report() {
    QFETCH(QString, how);
    QFETCH(QStringList, answers);
    QFETCH(MsgResult, confirm);
    QFETCH(QStringList, messages);
    QFETCH(QStringList, sounds);
    QFETCH(QByteArray, record);
    Drill d;
    d.openQuestions(5);
    sorami::ScoreFile().erase();
    d.w->SoundNothing->trigger();
    for (const QString& a : answers) {
        const std::string_view model =
            d.w->session().questionLines().at(size_t(d.w->session().currentLine() + 1));
        d.answer(a == "r" ? u(model) : QStringLiteral("wrong"));
        d.w->SusumeruClick();
    }
    const QString rateBefore = d.w->SeikaiRitu->text();
    const QString answersBefore = d.w->N_Kaitou->text();
    d.fake.clearRecords();
    d.fake.messageAnswers.push_back(confirm);
    TableSeen table;
    ModalScript script;
    if (!record.isEmpty()) script.then(readTable(table));
    reach(d, how, d.w->SoramiReport, d.w->N13);
    QCOMPARE(script.faults, QStringList{});
    QCOMPARE(d.fake.messageTexts(), messages);
    QCOMPARE(d.fake.soundNames(), sounds);
    const QString path = d.path(QStringLiteral("成績.dat"));
    QCOMPARE(bytesOf(path), Header + record);
    QCOMPARE(table.shown, !record.isEmpty());
    if (record.isEmpty()) {
        // Nothing written, and the live score is left to report later.
        QCOMPARE(d.w->N_Kaitou->text(), answersBefore);
        QCOMPARE(d.w->SeikaiRitu->text(), rateBefore);
        QCOMPARE(d.w->session().answerCount(), answers.size());
        return;
    }
    QCOMPARE(table.caption, QStringLiteral("「ガンバレソラミ君」の成績表"));
    QCOMPARE(table.lines.size(), 8);
    QCOMPARE(table.lines.last(), sorami::fromSjis(record.chopped(2).toStdString()));
    QCOMPARE(d.w->N_Kaitou->text(), QStringLiteral("0"));
    QCOMPARE(d.w->N_Seikai->text(), QStringLiteral("0"));
    QCOMPARE(d.w->SeikaiRitu->text(), QStringLiteral("0.0"));
    QCOMPARE(d.w->session().answerCount(), 0);
    QCOMPARE(d.w->session().correctCount(), 0);
    // The next answer counts from zero.
    d.answer(QStringLiteral("wrong"));
    QCOMPARE(d.w->N_Kaitou->text(), QStringLiteral("1"));
}

void TestScore::reportWithoutScoreFile_data() {
    QTest::addColumn<bool>("folderInTheWay");
    QTest::newRow("missing") << false;
    QTest::newRow("a folder under its name") << true;
}

void TestScore::reportWithoutScoreFile() {
    QFETCH(bool, folderInTheWay);
    Drill d;
    d.openQuestions(5);
    const QString path = d.path(QStringLiteral("成績.dat"));
    if (folderInTheWay) QVERIFY(QDir().mkdir(path));
    d.answer(QStringLiteral("wrong"));
    d.fake.clearRecords();
    d.fake.messageAnswers.push_back(MsgResult::Ok);
    ModalScript script; // no table may open
    d.w->SoramiReport->trigger();
    QCOMPARE(script.faults, QStringList{});
    QCOMPARE(d.fake.errorTexts().size(), 1);
    const QString error = d.fake.errorTexts().front();
    QVERIFY2(error.contains(QDir::toNativeSeparators(path)), qPrintable(error));
    // The way out is named where it helps: the file is simply not there.
    QCOMPARE(error.contains(QStringLiteral("「成績の結果を消去する」")), !folderInTheWay);
    QCOMPARE(QFileInfo::exists(path), folderInTheWay);
    QCOMPARE(d.w->N_Kaitou->text(), QStringLiteral("1"));
    QCOMPARE(d.w->session().answerCount(), 1);
}

void TestScore::tableShowsTheFileAsItIs_data() {
    QTest::addColumn<QString>("how");
    QTest::newRow("menu") << "menu";
    QTest::newRow("pop-up") << "pop-up";
    QTest::newRow("Ctrl+B") << "key";
}

// Lines of any length and bytes the table cannot show pass through
// untouched; the table writes nothing.
void TestScore::tableShowsTheFileAsItIs() {
    QFETCH(QString, how);
    Drill d;
    const std::string content = sorami::scoreHeader() + "       q.lko" + "   " +
                                std::string(300, '*') + "\r\n" + "\x82\xa0 ok\r\nlast";
    const QString path = d.file(QStringLiteral("成績.dat"), content);
    TableSeen table;
    ModalScript script;
    script.then(readTable(table));
    reach(d, how, d.w->BlockReport, d.w->N14);
    QCOMPARE(script.faults, QStringList{});
    QVERIFY(table.shown);
    QCOMPARE(table.lines.size(), 10);
    QCOMPARE(table.lines[1], QStringLiteral("                   「ガンバレソラミ君」成績表"));
    QCOMPARE(table.lines[7].size(), 12 + 3 + 300);
    QCOMPARE(table.lines[8], QStringLiteral("あ ok"));
    QCOMPARE(table.lines[9], QStringLiteral("last"));
    QCOMPARE(readBytes(path), content);
    QCOMPARE(d.fake.messageTexts(), QStringList{});
}

void TestScore::erase_data() {
    QTest::addColumn<QString>("how");
    QTest::addColumn<bool>("fileBefore");
    QTest::addColumn<MsgResult>("confirm");
    QTest::newRow("menu, OK, over old scores") << "menu" << true << MsgResult::Ok;
    QTest::newRow("menu, OK, no file yet") << "menu" << false << MsgResult::Ok;
    QTest::newRow("pop-up, Cancel") << "pop-up" << true << MsgResult::Cancel;
    QTest::newRow("Ctrl+Del, OK") << "key" << true << MsgResult::Ok;
    QTest::newRow("Ctrl+Del, Cancel, no file") << "key" << false << MsgResult::Cancel;
}

void TestScore::erase() {
    QFETCH(QString, how);
    QFETCH(bool, fileBefore);
    QFETCH(MsgResult, confirm);
    Drill d;
    const QString path = d.path(QStringLiteral("成績.dat"));
    const std::string old = sorami::scoreHeader() + "       q.lko   *****\r\n";
    if (fileBefore) d.file(QStringLiteral("成績.dat"), old);
    d.fake.messageAnswers.push_back(confirm);
    ModalScript script; // erasing shows no table
    reach(d, how, d.w->EraseSeiseki, d.w->N15);
    QCOMPARE(script.faults, QStringList{});
    QCOMPARE(d.fake.messageTexts(),
             QStringList{QStringLiteral("ソラミ君の成績データを消去します\r\nいいですか？")});
    QCOMPARE(d.fake.messages.front().buttons, sorami::MsgButtons::OkCancel);
    QVERIFY(d.fake.sounds.isEmpty());
    if (confirm == MsgResult::Ok)
        QCOMPARE(bytesOf(path), Header);
    else
        QCOMPARE(readBytes(path), fileBefore ? old : std::string("<missing>"));
}

void TestScore::problemReset_data() {
    QTest::addColumn<MsgResult>("confirm");
    QTest::newRow("OK") << MsgResult::Ok;
    QTest::newRow("Cancel") << MsgResult::Cancel;
}

void TestScore::problemReset() {
    QFETCH(MsgResult, confirm);
    Drill d;
    d.openQuestions(5);
    d.w->SusumeruClick();
    d.answer(QStringLiteral("wrong")); // marks question 2
    const auto lines = d.w->session().questionLines();
    const int current = d.w->session().currentLine();
    const QString wabun = d.wabun();
    d.fake.clearRecords();
    d.fake.messageAnswers.push_back(confirm);
    d.w->KaitouDisp->setFocus();
    d.w->ProblemReset->click();
    QCOMPARE(d.fake.messageTexts(),
             QStringList{QStringLiteral("出題状況をリセットします。\r\nいいですか？")});
    QCOMPARE(d.fake.messages.front().buttons, sorami::MsgButtons::OkCancel);
    QCOMPARE(d.w->focusWidget(), d.w->KaitouSakusei);
    // The questions, the place and the marks stay in both cases.
    QCOMPARE(d.w->session().questionLines(), lines);
    QCOMPARE(d.w->session().currentLine(), current);
    const bool reset = confirm == MsgResult::Ok;
    QCOMPARE(d.w->N_Kaitou->text(), reset ? QStringLiteral("0") : QStringLiteral("1"));
    QCOMPARE(d.w->SeikaiRitu->text(), QStringLiteral("0.0"));
    QCOMPARE(d.w->session().answerCount(), reset ? 0 : 1);
    QCOMPARE(d.wabun(), reset ? QString() : wabun);
    QCOMPARE(d.seikai().isEmpty(), reset);
    QCOMPARE(d.w->KaitouDisp->toPlainText(), reset ? QString() : QStringLiteral("wrong"));
    // The next move fills the boxes again.
    d.w->SusumeruClick();
    QCOMPARE(d.wabun(), QStringLiteral("問題3"));
}

QTEST_MAIN(TestScore)
#include "test_srmi105_score.moc"
