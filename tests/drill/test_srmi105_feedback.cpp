// Feedback on a wrong answer: the differences marked in both boxes and named
// after the length hint, with the judgement, mark and cues as they are with
// the option off; and the model answer spoken through the engine, stopped by
// a move, with a missing engine told once.
#include "drill_fixture.h"
#include "fake_speech_engine.h"

using namespace drilltest;

namespace {

QString bracketed(const QTextEdit* box) {
    QString text = box->toPlainText();
    const auto selections = box->extraSelections();
    for (auto it = selections.rbegin(); it != selections.rend(); ++it) {
        text.insert(it->cursor.selectionEnd(), u']');
        text.insert(it->cursor.selectionStart(), u'[');
    }
    return text;
}

} // namespace

class TestFeedback : public QObject {
    Q_OBJECT
private slots:
    void differences_data();
    void differences();
    void speech_data();
    void speech();
};

void TestFeedback::differences_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("message"); // with the option on
    QTest::addColumn<QString>("typedMarked");
    QTest::addColumn<QString>("modelMarked");
    QTest::newRow("a digit left out") << "Answer ."
                                      << "解答文は 1文字足りません。"
                                      << "Answer ."
                                      << "Answer [1].";
    QTest::newRow("case only") << "answer 1."
                               << "大文字と小文字だけが違います。"
                               << "[a]nswer 1."
                               << "[A]nswer 1.";
    QTest::newRow("punctuation, after the hint")
        << "Answer 1"
        << "解答文は 1文字足りません。　句読点だけが違います。"
        << "Answer 1"
        << "Answer 1[.]";
    QTest::newRow("a word too many") << "Answer 11 ."
                                     << "解答文は 2文字オ－バ－しています。"
                                     << "Answer 1[1 ]."
                                     << "Answer 1.";
    QTest::newRow("right") << "Answer 1."
                           << ""
                           << "Answer 1."
                           << "Answer 1.";
}

void TestFeedback::differences() {
    QFETCH(QString, typed);
    QFETCH(QString, message);
    Drill off, on;
    for (Drill* d : {&off, &on})
        d->openQuestions(3);
    on.w->ShowDifferences->trigger();
    for (Drill* d : {&off, &on}) {
        d->fake.clearRecords();
        d->answer(typed);
    }
    QTEST(bracketed(on.w->KaitouDisp), "typedMarked");
    QTEST(bracketed(on.w->SeikaiDisp), "modelMarked");
    QCOMPARE(on.message(), message);
    // The judgement and everything it shows stay as they are.
    QVERIFY(message.startsWith(off.message()));
    QCOMPARE(on.fake.soundNames(), off.fake.soundNames());
    QCOMPARE(on.wabun(), off.wabun());
    QCOMPARE(on.w->session().percent(), off.w->session().percent());
    // Typing again takes the marks away.
    on.w->KaitouDisp->insertPlainText(QStringLiteral("x"));
    QVERIFY(on.w->KaitouDisp->extraSelections().isEmpty());
    QVERIFY(on.w->SeikaiDisp->extraSelections().isEmpty());
    // The option is kept for the next start, in a section of its own.
    QCOMPARE(
        sorami::ProfileIni(sorami::programIniPath())
            .readInteger(QStringLiteral("AnswerFeedback"), QStringLiteral("ShowDifferences"), 0),
        1);
}

void TestFeedback::speech_data() {
    QTest::addColumn<bool>("engine");
    QTest::newRow("engine installed") << true;
    QTest::newRow("no engine") << false;
}

void TestFeedback::speech() {
    QFETCH(bool, engine);
    const FakeSpeechEngine fakeEngine(engine);
    Drill d;
    d.openQuestions(3);
    d.w->SpeakOnShow->trigger();
    d.answer(QStringLiteral("wrong"));
    if (engine) {
        QTRY_COMPARE(d.fake.speech.size(), 1);
        QCOMPARE(d.fake.speech.first(), QByteArray("RIFFfakeWAVE"));
        QCOMPARE(fakeEngine.spokenText(), QByteArray("Answer 1."));
    }
    // A move stops what is spoken; with 正解表示 off it speaks nothing new.
    d.w->SusumeruClick();
    d.w->SpeakAnswer->trigger();
    if (engine) {
        QTRY_COMPARE(d.fake.speech.size(), 2);
        QCOMPARE(fakeEngine.spokenText(), QByteArray("Answer 2."));
        QCOMPARE(d.fake.speechStops, 1);
    }
    QCOMPARE(d.fake.speech.isEmpty(), !engine);
    // Without the engine the learner is told once, with the package to install.
    QCOMPARE(d.fake.messageTexts().filter(QStringLiteral("espeak-ng")).size(), engine ? 0 : 1);
}

QTEST_MAIN(TestFeedback)
#include "test_srmi105_feedback.moc"
