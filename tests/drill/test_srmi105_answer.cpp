// Judging answers through the drill window: the length hint, the mark shown
// in the Japanese box, the live score with its gauge, the sound cues of the
// three sound modes and the display toggles. The byte-for-byte rule itself,
// the mark in the question line and the counts are tested on the session.
#include "drill_fixture.h"

using namespace drilltest;
using sorami::FakePlatform;

namespace {

// A one-question file with the given Japanese line and model answer.
QString oneQuestion(Drill& d, const QString& japanese, const QString& model) {
    const std::string bytes = sorami::toSjis(japanese) + "\r\n" + sorami::toSjis(model) + "\r\n" +
                              sorami::sjis("ヒント") + "\r\n";
    const QString p = d.file(QStringLiteral("one.lko"), bytes);
    d.open(p);
    return p;
}

} // namespace

class TestAnswer : public QObject {
    Q_OBJECT
private slots:
    void judgement_data();
    void judgement();
    void markShownAndMistakesOnlyItemEnabled();
    void score_data();
    void score();
    void answerButtonFacesAndLamps();
    void sounds_data();
    void sounds();
    void modelToggleShowsAndClears();
    void togglesStayOnAcrossMoves();
    void maskHidesAndRestoresTypedAnswer();
    void ctrlOnAnswerButtonChecks();
    void emptyListAndMissingModelLine();
    void answersReachFileOnExit();
};

void TestAnswer::judgement_data() {
    QTest::addColumn<QString>("model");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("correct");
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("smallFont");
    const QString boy = QStringLiteral("I am a boy.");
    QTest::newRow("same") << boy << boy << true << "" << false;
    QTest::newRow("trailing blank")
        << boy << "I am a boy. " << false << "解答文は 1文字オ－バ－しています。" << false;
    QTest::newRow("one short") << boy << "I am a boy" << false << "解答文は 1文字足りません。"
                               << true;
    QTest::newRow("same length, other bytes") << boy << "I am a toy." << false << "" << false;
    QTest::newRow("empty answer") << boy << "" << false << "解答文は 11文字足りません。" << true;
    QTest::newRow("Japanese model")
        << QStringLiteral("私は学生です。") << QStringLiteral("私は学生") << false
        << "解答文は 6文字足りません。" << true;
    QTest::newRow("much longer") << "Yes."
                                 << "Yes, it is a very long answer." << false
                                 << "解答文は 26文字オ－バ－しています。" << false;
}

void TestAnswer::judgement() {
    QFETCH(QString, model);
    QFETCH(QString, typed);
    QFETCH(bool, correct);
    QFETCH(QString, message);
    QFETCH(bool, smallFont);
    Drill d;
    oneQuestion(d, QStringLiteral("彼は学生です。"), model);
    const int sizeBefore = d.w->CorrectMsg->font().pointSize();
    d.w->CorrectMsg->setPlainText(QStringLiteral("old"));
    d.fake.clearRecords();
    d.answer(typed);
    QCOMPARE(d.w->session().correctCount(), correct ? 1 : 0);
    QCOMPARE(d.w->session().answerCount(), 1);
    QCOMPARE(d.message(), message);
    QCOMPARE(d.w->CorrectMsg->font().pointSize() == 9, smallFont || sizeBefore == 9);
    QCOMPARE(d.fake.soundNames(),
             QStringList{correct ? QStringLiteral("yokudeki.wav") : QStringLiteral("imaichi.wav")});
    QCOMPARE(d.wabun(),
             correct ? QStringLiteral("彼は学生です。") : QStringLiteral("? 彼は学生です。"));
    QCOMPARE(d.seikai(), model); // the model answer stands after every check
}

void TestAnswer::markShownAndMistakesOnlyItemEnabled() {
    Drill d;
    oneQuestion(d, QStringLiteral("彼は学生です。"), QStringLiteral("He is a student."));
    QVERIFY(!d.w->MatigaiSyutudaiOnly->isEnabled());
    d.answer(QStringLiteral("He is student."));
    QCOMPARE(d.wabun(), QStringLiteral("? 彼は学生です。"));
    QVERIFY(d.w->MatigaiSyutudaiOnly->isEnabled());
    d.answer(QStringLiteral("wrong again"));
    QCOMPARE(d.wabun(), QStringLiteral("? 彼は学生です。"));
    d.answer(QStringLiteral("He is a student."));
    QCOMPARE(d.wabun(), QStringLiteral("彼は学生です。"));
    // The item stays on until the next load, though no mark is left.
    QVERIFY(d.w->MatigaiSyutudaiOnly->isEnabled());
}

void TestAnswer::score_data() {
    QTest::addColumn<QString>("outcomes"); // c = correct, w = wrong
    QTest::addColumn<QString>("correct");
    QTest::addColumn<QString>("answers");
    QTest::addColumn<QString>("rate");
    QTest::addColumn<int>("gauge");
    QTest::newRow("c w c") << "cwc"
                           << "2"
                           << "3"
                           << "66.7" << 75;
    QTest::newRow("c c c") << "ccc"
                           << "3"
                           << "3"
                           << "100.0" << 114;
    QTest::newRow("w") << "w"
                       << "0"
                       << "1"
                       << "0.0" << 1;
    QTest::newRow("w w w w") << "wwww"
                             << "0"
                             << "4"
                             << "0.0" << 1;
    QTest::newRow("c w w") << "cww"
                           << "1"
                           << "3"
                           << "33.3" << 37;
    QTest::newRow("c w") << "cw"
                         << "1"
                         << "2"
                         << "50.0" << 57;
    QTest::newRow("1 of 7") << "cwwwwww"
                            << "1"
                            << "7"
                            << "14.3" << 15;
    QTest::newRow("2 of 3 again") << "wcc"
                                  << "2"
                                  << "3"
                                  << "66.7" << 75;
    QTest::newRow("99 percent") << QString(99, QLatin1Char('c')) + "w"
                                << "99"
                                << "100"
                                << "99.0" << 112;
}

void TestAnswer::score() {
    QFETCH(QString, outcomes);
    QFETCH(QString, correct);
    QFETCH(QString, answers);
    QFETCH(QString, rate);
    QFETCH(int, gauge);
    Drill d;
    d.openQuestions(2);
    // Every press counts, also several on the same question.
    for (QChar o : outcomes)
        d.answer(o == QLatin1Char('c') ? QStringLiteral("Answer 1.") : QStringLiteral("x"));
    QCOMPARE(d.w->N_Seikai->text(), correct);
    QCOMPARE(d.w->N_Kaitou->text(), answers);
    QCOMPARE(d.w->SeikaiRitu->text(), rate);
    QCOMPARE(d.w->Gauge1->width(), gauge);
    // A new load starts the score again.
    d.openQuestions(2);
    QCOMPARE(d.w->SeikaiRitu->text(), QStringLiteral("0.0"));
    QCOMPARE(d.w->N_Kaitou->text(), QStringLiteral("0"));
}

void TestAnswer::answerButtonFacesAndLamps() {
    // The cue plays in the middle of the check: the button shows its second
    // face then, and its first again afterwards.
    struct Watching : FakePlatform {
        std::function<void()> onSound;
        void playSound(const QString& name, bool synchronous) override {
            FakePlatform::playSound(name, synchronous);
            if (onSound) onSound();
        }
    } fake;
    QTemporaryDir dir;
    sorami::setProgramDirForTesting(dir.path());
    TSorami w(fake);
    const QString file = dir.filePath(QStringLiteral("q.lko"));
    writeBytes(file, questionFile(2));
    fake.fileAnswers.push_back(file);
    w.FileOpn->trigger();
    w.SusumeruClick();
    QCOMPARE(sorami::fontColour(w.Susumeru), sorami::Colours::Red);
    QString caption;
    sorami::ColourValue colour = -1;
    fake.onSound = [&] {
        caption = w.KaitouSakusei->text();
        colour = sorami::fontColour(w.KaitouSakusei);
    };
    w.KaitouDisp->setPlainText(QStringLiteral("x"));
    w.KaitouSakusei->click();
    QCOMPARE(caption, QStringLiteral("正解!?"));
    QCOMPARE(colour, sorami::Colours::Red);
    QCOMPARE(w.KaitouSakusei->text(), QStringLiteral("解答作成"));
    QCOMPARE(sorami::fontColour(w.KaitouSakusei), sorami::Colours::Black);
    QCOMPARE(sorami::fontColour(w.Susumeru), sorami::Colours::Black);
}

void TestAnswer::sounds_data() {
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QStringList>("expected"); // correct answer, then wrong answer
    QTest::newRow("voice") << "voice" << QStringList{"yokudeki.wav", "imaichi.wav"};
    QTest::newRow("effect") << "effect" << QStringList{"pinpon.wav", "poki.wav"};
    QTest::newRow("silent") << "silent" << QStringList{};
    QTest::newRow("voice again") << "effect,voice" << QStringList{"yokudeki.wav", "imaichi.wav"};
}

void TestAnswer::sounds() {
    QFETCH(QString, mode);
    QFETCH(QStringList, expected);
    Drill d;
    d.openQuestions(2);
    for (const QString& m : mode.split(QLatin1Char(','))) {
        if (m == "voice") d.w->SpeedButtons[14]->click();
        if (m == "effect") d.w->EffectSound->trigger();
        if (m == "silent") d.w->SpeedButtons[16]->click();
    }
    d.fake.clearRecords();
    d.answer(QStringLiteral("Answer 1."));
    d.answer(QStringLiteral("nope"));
    QCOMPARE(d.fake.soundNames(), expected);
    for (const auto& s : d.fake.sounds)
        QVERIFY(s.synchronous);
}

void TestAnswer::modelToggleShowsAndClears() {
    Drill d;
    d.openQuestions(3);
    d.w->KaitouHyouzi->click();
    QCOMPARE(d.seikai(), QStringLiteral("Answer 1."));
    QCOMPARE(sorami::fontColour(d.w->KaitouHyouzi), sorami::Colours::Red);
    d.w->KaitouHyouzi->click();
    QCOMPARE(d.seikai(), QString());
    QCOMPARE(sorami::fontColour(d.w->KaitouHyouzi), sorami::Colours::Black);

    // The idiom replaces a shown model answer and switches the model display off.
    d.w->KaitouHyouzi->click();
    d.w->HintDisp->click();
    QCOMPARE(d.seikai(), QStringLiteral("idiom 1"));
    QCOMPARE(sorami::fontColour(d.w->KaitouHyouzi), sorami::Colours::Black);
    QCOMPARE(sorami::fontColour(d.w->HintDisp), sorami::Colours::Red);
    d.w->HintDisp->click();
    QCOMPARE(d.seikai(), QString());
}

void TestAnswer::togglesStayOnAcrossMoves() {
    Drill d;
    d.openQuestions(3);
    d.w->KaitouHyouzi->click();
    d.w->SusumeruClick();
    QCOMPARE(d.seikai(), QStringLiteral("Answer 2."));
    d.w->HintDisp->click();
    d.w->ModosuClick();
    QCOMPARE(d.seikai(), QStringLiteral("idiom 1"));
    d.w->HintDisp->click();
    d.w->SusumeruClick();
    QCOMPARE(d.seikai(), QString());

    // The answer check shows the model answer but leaves the toggles alone.
    d.w->HintDisp->click();
    d.answer(QStringLiteral("x"));
    QCOMPARE(d.seikai(), QStringLiteral("Answer 2."));
    QVERIFY(d.w->modes().answer.shows() == sorami::AnswerDisplay::Shows::Idiom);
    d.w->SusumeruClick();
    QCOMPARE(d.seikai(), QStringLiteral("idiom 3"));
}

void TestAnswer::maskHidesAndRestoresTypedAnswer() {
    Drill d;
    d.openQuestions(3);
    d.w->KaitouDisp->setPlainText(QStringLiteral("my answer"));
    d.w->EraseKaitou->click();
    QCOMPARE(d.w->KaitouDisp->toPlainText(), QString());
    QCOMPARE(sorami::fontColour(d.w->EraseKaitou), sorami::Colours::Red);
    d.w->EraseKaitou->click();
    QCOMPARE(d.w->KaitouDisp->toPlainText(), QStringLiteral("my answer"));
    QCOMPARE(sorami::fontColour(d.w->EraseKaitou), sorami::Colours::Black);

    // Masked, then moved on: the next press brings back an empty box and
    // turns the mask off.
    d.w->EraseKaitou->click();
    d.w->SusumeruClick();
    QCOMPARE(sorami::fontColour(d.w->EraseKaitou), sorami::Colours::Black);
    QVERIFY(d.w->modes().answer.masked());
    d.w->KaitouDisp->setPlainText(QStringLiteral("typed after the move"));
    d.w->EraseKaitou->click();
    QCOMPARE(d.w->KaitouDisp->toPlainText(), QString());
    QVERIFY(!d.w->modes().answer.masked());
}

void TestAnswer::ctrlOnAnswerButtonChecks() {
    Drill d;
    d.openQuestions(2);
    d.w->KaitouDisp->setPlainText(QStringLiteral("Answer 1."));
    QTest::keyPress(d.w->KaitouSakusei, Qt::Key_Control);
    QCOMPARE(d.w->session().correctCount(), 1);
    QTest::keyPress(d.w->KaitouSakusei, Qt::Key_Shift);
    QCOMPARE(d.w->session().answerCount(), 1);
}

void TestAnswer::emptyListAndMissingModelLine() {
    Drill d;
    d.open(d.file(QStringLiteral("empty.lko"), ""));
    d.answer(QStringLiteral("anything"));
    QCOMPARE(d.wabun(), QString());
    QVERIFY(!d.w->MatigaiSyutudaiOnly->isEnabled());
    QCOMPARE(d.w->N_Kaitou->text(), QStringLiteral("1"));

    // A last question without its model answer is judged against nothing.
    d.open(d.file(QStringLiteral("short.lko"), questionFile(1) + sorami::sjis("最後") + "\r\n"));
    d.w->SusumeruClick();
    QCOMPARE(d.wabun(), QStringLiteral("最後"));
    QCOMPARE(d.seikai(), QString());
    d.answer(QString());
    QCOMPARE(d.w->N_Seikai->text(), QStringLiteral("1"));
    d.answer(QStringLiteral("ab"));
    QCOMPARE(d.message(), QStringLiteral("解答文は 2文字オ－バ－しています。"));
    QCOMPARE(d.wabun(), QStringLiteral("? 最後"));
}

void TestAnswer::answersReachFileOnExit() {
    Drill d;
    const QString file = d.openQuestions(4, {3});
    d.answer(QStringLiteral("wrong")); // marks 1
    d.w->SusumeruClick();
    d.w->SusumeruClick();
    d.answer(QStringLiteral("Answer 3.")); // unmarks 3
    d.w->show();
    QVERIFY(d.w->close());
    QCOMPARE(readBytes(file), questionFile(4, {1}));
}

QTEST_MAIN(TestAnswer)
#include "test_srmi105_answer.moc"
