// Moving through the questions in the window: what the three orders show and
// switch, the jump to a number with its spinner and box, and the arrow keys.
// Where each order's moves lead is tested on the session alone.
#include "drill_fixture.h"

using namespace drilltest;
using sorami::MsgIcon;
using sorami::MsgResult;
using Order = sorami::DrillSession::Order;

class TestNavigation : public QObject {
    Q_OBJECT
private slots:
    void randomDrawsAreSeededFromTheClock();
    void orderIndicatorAndControls();
    void mistakesOnlyWithoutMarks();
    void mistakesOnlyRunEnds();
    void mistakesOnlyCongratulationNotClosedWithOk();
    void staleMistakeCountEndsTheRun();
    void jump_data();
    void jump();
    void jumpWithEmptyBox();
    void arrowKeys_data();
    void arrowKeys();
    void emptyListMovesShowNothing();
    void incompleteLastQuestion();
};

void TestNavigation::randomDrawsAreSeededFromTheClock() {
    Drill d;
    d.openQuestions(10);
    d.w->RandomSyutudaiClick();
    d.fake.timeOfDayMs = seedFor(4, 30);
    d.w->SusumeruClick();
    const int first = d.number();
    QCOMPARE(first, 3);
    d.w->SerialSyutudaiClick();
    d.w->Modosu->click();
    d.w->RandomSyutudaiClick();
    d.w->SusumeruClick();
    // The same clock gives the same draw, moved on by one question because
    // it repeats the last pick.
    QCOMPARE(d.number(), first % 10 + 1);

    // Loading in random order draws the go-back target.
    d.fake.timeOfDayMs = seedFor(14, 30);
    d.openQuestions(10);
    QCOMPARE(d.w->session().previousLine(), 12);
    QCOMPARE(d.number(), 1);
    d.w->ModosuClick();
    QCOMPARE(d.number(), 5);
}

void TestNavigation::orderIndicatorAndControls() {
    Drill d;
    auto* w = d.w.get();
    // Before a file: the order buttons already work.
    w->SpeedButtons[20]->click();
    QCOMPARE(sorami::backColour(w->Indicator), sorami::Colours::Red);
    QVERIFY(w->session().order() == Order::Random);
    QVERIFY(!w->Kioku->isEnabled());
    QVERIFY(!w->ToSrmMini->isEnabled());
    QVERIFY(w->Syutudai_Origin->isEnabled());
    w->SpeedButtons[19]->click();
    QCOMPARE(sorami::backColour(w->Indicator), sorami::SysColour::BtnFace);
    QVERIFY(w->session().order() != Order::Random);
    for (QWidget* c : w->runControls())
        QVERIFY(c->isEnabled());
    QVERIFY(w->Kioku->isEnabled());
    QVERIFY(w->ToSrmMini->isEnabled());

    d.openQuestions(10, {4});
    w->Susumeru->click();
    d.fake.clearRecords();
    w->N11->trigger();
    QCOMPARE(
        d.fake.messageTexts().value(0),
        QStringLiteral("間違い問題出題モードに入りました。\r\n\r\n問題総数は次の通りです。\r\n\r\n"
                       "さぁ、ひとつ頑張って下さい！！\r\n\r\n　　◆問題総数＝1 題"));
    QCOMPARE(d.fake.soundNames(), QStringList{QStringLiteral("up.wav")});
    QVERIFY(d.fake.sounds[0].synchronous);
    QCOMPARE(sorami::backColour(w->Indicator), sorami::Colours::Blue);
    QVERIFY(w->session().order() == Order::MistakesOnly);
    QCOMPARE(d.number(), 4);
    // The advance emptied the message line again.
    QCOMPARE(d.message(), QString());
    for (QWidget* c : {static_cast<QWidget*>(w->Syutudai_Origin), static_cast<QWidget*>(w->UpDown1),
                       static_cast<QWidget*>(w->BlockSyutudai), static_cast<QWidget*>(w->Kioku),
                       static_cast<QWidget*>(w->ToSrmMini)})
        QVERIFY(!c->isEnabled());
    QCOMPARE(sorami::fontColour(w->Susumeru), sorami::Colours::Red);
    w->Modosu->click();
    QCOMPARE(sorami::fontColour(w->Susumeru), sorami::Colours::Black);
    QCOMPARE(sorami::fontColour(w->Modosu), sorami::Colours::Red);
}

void TestNavigation::mistakesOnlyWithoutMarks() {
    Drill d;
    d.openQuestions(5);
    d.w->SusumeruClick();
    d.fake.clearRecords();
    d.w->N11->trigger();
    QCOMPARE(d.fake.messageTexts(), QStringList{QStringLiteral("間違い問題はありません！")});
    QCOMPARE(d.fake.messages[0].buttons, sorami::MsgButtons::Ok);
    QCOMPARE(sorami::backColour(d.w->Indicator), sorami::Colours::Silver);
    QVERIFY(d.w->session().order() != Order::MistakesOnly);
    QCOMPARE(d.number(), 2);
}

void TestNavigation::mistakesOnlyRunEnds() {
    Drill d;
    d.openQuestions(10, {5});
    d.w->MatigaiSyutudai();
    QCOMPARE(d.number(), 5);
    d.answer(QStringLiteral("Answer 5."));
    QCOMPARE(d.w->session().mistakeCount(), 0);
    d.fake.clearRecords();
    d.w->Susumeru->click();
    QCOMPARE(d.fake.soundNames(), QStringList{QStringLiteral("end.wav")});
    QCOMPARE(d.fake.messageTexts(),
             QStringList{QStringLiteral("Congraturations!!\r\n間違い問題を一掃できました!!\r\n"
                                        "さらなる挑戦に奮起してください。")});
    QCOMPARE(d.fake.messages[0].icon, MsgIcon::Information);
    QVERIFY(d.w->session().order() != Order::MistakesOnly);
    QCOMPARE(sorami::backColour(d.w->Indicator), sorami::SysColour::BtnFace);
    QCOMPARE(d.number(), 5); // the question on screen stays
    QVERIFY(d.w->Syutudai_Origin->isEnabled());
    QVERIFY(!d.w->Kioku->isEnabled()); // until serial order is chosen
    d.w->Susumeru->click();
    QCOMPARE(d.number(), 6); // serial again
}

void TestNavigation::mistakesOnlyCongratulationNotClosedWithOk() {
    Drill d;
    d.openQuestions(4, {2});
    d.w->MatigaiSyutudai();
    d.answer(QStringLiteral("Answer 2."));
    d.fake.messageAnswers.push_back(MsgResult::Cancel);
    d.w->Modosu->click();
    QVERIFY(d.w->session().order() == Order::MistakesOnly);
    d.fake.clearRecords();
    d.w->Modosu->click(); // comes again at the next move
    QCOMPARE(d.fake.soundNames(), QStringList{QStringLiteral("end.wav")});
    QVERIFY(d.w->session().order() != Order::MistakesOnly);
}

void TestNavigation::staleMistakeCountEndsTheRun() {
    Drill d;
    // A wrong answer to the incomplete question at the end raises the count,
    // but no complete question carries a mark: the search must end, not loop.
    d.open(d.file(QStringLiteral("odd.lko"), questionFile(2) + "x\r\n"));
    d.w->Modosu->click();
    QCOMPARE(d.wabun(), QStringLiteral("x"));
    d.answer(QStringLiteral("wrong"));
    d.fake.clearRecords();
    d.w->N11->trigger();
    QCOMPARE(d.fake.soundNames(),
             (QStringList{QStringLiteral("up.wav"), QStringLiteral("end.wav")}));
    QVERIFY(d.w->session().order() != Order::MistakesOnly);
}

void TestNavigation::jump_data() {
    QTest::addColumn<int>("questions"); // in the list at the jump
    QTest::addColumn<int>("presses");   // up presses on the spinner from 1
    QTest::addColumn<int>("boxAfterSpin");
    QTest::addColumn<int>("shown"); // question after the jump, 0: display unchanged
    QTest::addColumn<QString>("boxAfter");
    QTest::newRow("to 4 of 10") << 10 << 3 << 4 << 4 << "4";
    QTest::newRow("to 1") << 10 << 0 << 1 << 1 << "1";
    QTest::newRow("spinner stops at the last") << 10 << 15 << 10 << 10 << "10";
    QTest::newRow("one past the last after shrinking") << 5 << 5 << 6 << 1 << "6";
    QTest::newRow("far past the last after shrinking") << 3 << 5 << 6 << 0 << "1";
}

void TestNavigation::jump() {
    QFETCH(int, questions);
    QFETCH(int, presses);
    QFETCH(int, boxAfterSpin);
    QFETCH(int, shown);
    QFETCH(QString, boxAfter);
    Drill d;
    d.openQuestions(10);
    d.w->UpDown1->press(sorami::UpDown::Button::Down);
    for (int i = 0; i < presses; ++i)
        d.w->UpDown1->press(sorami::UpDown::Button::Up);
    QCOMPARE(d.w->Syutudai_No->text().toInt(), boxAfterSpin);
    d.w->Susumeru->click();
    if (questions != 10) d.openQuestions(questions, {}, QStringLiteral("small.lko"));
    const int before = d.number();
    d.w->Syutudai_Origin->click();
    QCOMPARE(d.number(), shown == 0 ? before : shown);
    QCOMPARE(d.w->Syutudai_No->text(), boxAfter);
    QCOMPARE(d.w->session().jumpPending(), shown == 0);
    if (shown == 0) {
        QCOMPARE(d.w->session().currentLine(), 0);
        d.w->Modosu->click(); // a pending jump moves forward
        QCOMPARE(d.number(), 2);
    }
}

void TestNavigation::jumpWithEmptyBox() {
    Drill d;
    d.openQuestions(10);
    d.w->Susumeru->click();
    d.fake.clearRecords();
    d.w->Syutudai_Origin->click();
    QCOMPARE(d.fake.messageTexts(),
             QStringList{
                 QStringLiteral("すぐ上の箱に問題番号を入力してください。\r\n[Origin]ボタンをクリ"
                                "ックし、[進める]ボタン\r\nをクリックするとそこから出題されます"
                                "。")});
    QCOMPARE(d.fake.messages[0].icon, MsgIcon::Warning);
    QCOMPARE(d.number(), 2);
    QVERIFY(d.w->session().jumpPending());
    d.w->Modosu->click();
    QCOMPARE(d.number(), 3);
    QVERIFY(!d.w->session().jumpPending());
}

void TestNavigation::arrowKeys_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("inAnswerBox");
    QTest::addColumn<int>("shown");
    QTest::addColumn<QString>("seikai");
    QTest::newRow("right in answer box") << int(Qt::Key_Right) << true << 3 << "";
    QTest::newRow("left in answer box") << int(Qt::Key_Left) << true << 1 << "";
    QTest::newRow("up in answer box") << int(Qt::Key_Up) << true << 2 << "Answer 2.";
    QTest::newRow("down in answer box") << int(Qt::Key_Down) << true << 2 << "idiom 2";
    QTest::newRow("right in window") << int(Qt::Key_Right) << false << 3 << "";
    QTest::newRow("left in window") << int(Qt::Key_Left) << false << 1 << "";
}

void TestNavigation::arrowKeys() {
    QFETCH(int, key);
    QFETCH(bool, inAnswerBox);
    QFETCH(int, shown);
    QFETCH(QString, seikai);
    Drill d;
    d.openQuestions(5);
    d.w->Susumeru->click();
    d.w->SeikaiDisp->clear();
    d.fake.clearRecords();
    if (inAnswerBox)
        QTest::keyClick(d.w->KaitouDisp, static_cast<Qt::Key>(key));
    else {
        d.w->setFocus(); // the form itself, no control
        QTest::keyClick(d.w.get(), static_cast<Qt::Key>(key));
    }
    QCOMPARE(d.number(), shown);
    QCOMPARE(d.seikai(), seikai);
    QCOMPARE(d.fake.soundNames(), QStringList{QStringLiteral("Poki.wav")});
    QVERIFY(d.fake.sounds[0].synchronous);
    // Other keys do nothing.
    d.fake.clearRecords();
    QTest::keyClick(d.w->KaitouDisp, Qt::Key_A);
    QVERIFY(d.fake.sounds.isEmpty());
}

void TestNavigation::emptyListMovesShowNothing() {
    Drill d;
    d.open(d.file(QStringLiteral("empty.lko"), ""));
    d.w->Susumeru->click();
    d.w->Modosu->click();
    QVERIFY(d.number() <= 1);
    d.w->RandomSyutudaiClick();
    d.w->Susumeru->click();
    d.w->Modosu->click();
    QCOMPARE(d.wabun(), QString());
    QVERIFY(d.fake.errorTexts().isEmpty());
}

void TestNavigation::incompleteLastQuestion() {
    Drill d;
    d.open(d.file(QStringLiteral("odd.lko"), questionFile(2) + "x\r\n"));
    d.w->Modosu->click(); // back from question 1: the partial question at the end
    QCOMPARE(d.number(), 3);
    QCOMPARE(d.wabun(), QStringLiteral("x"));
    QCOMPARE(d.seikai(), QString());
    d.w->Susumeru->click();
    QCOMPARE(d.number(), 1);
}

QTEST_MAIN(TestNavigation)
#include "test_srmi105_navigation.moc"
