// Automatic and flash advance, tick by tick: what the correct-answer box
// shows, the flash phase, the question in hand and the cues, through starts,
// stops and restarts; and the timer's rhythm kept by an unchanged interval.
#include "Settime1.h"
#include "drill_fixture.h"
#include "modal_script.h"

#include <QPushButton>

using namespace drilltest;

namespace {

// The interval dialog answered with `seconds` by its spinner and OK.
ModalScript::Step interval(int seconds) {
    return [seconds](QWidget* w) {
        auto* dialog = qobject_cast<sorami::TSetTimes*>(w);
        QVERIFY(dialog);
        dialog->UpDown1->setValue(seconds);
        dialog->BitBtn1->click();
    };
}

} // namespace

class TestAdvance : public QObject {
    Q_OBJECT
private slots:
    void cycle_data();
    void cycle();
};

void TestAdvance::cycle_data() {
    QTest::addColumn<int>("seconds");
    QTest::addColumn<bool>("model");      // the correct-answer display is on
    QTest::addColumn<bool>("sound");      // the flash cue is switched on
    QTest::addColumn<QString>("actions"); // flash, auto, stop or tick
    // After each action: box text | flash phase | question | cues.
    QTest::addColumn<QStringList>("states");
    QTest::addColumn<bool>("rhythmKept");
    QTest::newRow("flash 4 s with the cue")
        << 4 << true << true << "flash tick tick tick tick tick"
        << QStringList{"|1|1|", "Answer 1.|2|1|", "|0|2|Poki.wav",
                       "|1|2|", "Answer 2.|2|2|", "|0|3|Poki.wav"}
        << false;
    QTest::newRow("stop while shown, start again")
        << 3 << true << false << "flash tick stop flash tick tick"
        << QStringList{"|1|1|", "Answer 1.|2|1|", "Answer 1.|2|1|",
                       "|0|2|", "|1|2|",          "Answer 2.|2|2|"}
        << true;
    // After a load the box shows the idiom line; with both displays off the
    // questions after it bring nothing to show.
    QTest::newRow("flash with the displays off")
        << 5 << false << true << "flash tick tick tick tick"
        << QStringList{"|1|1|", "idiom 1|2|1|", "|0|2|Poki.wav", "|1|2|", "|2|2|"} << false;
    QTest::newRow("automatic, stop ends the moves")
        << 3 << true << true << "auto tick tick stop tick"
        << QStringList{"Answer 2.|0|2|", "Answer 3.|0|3|", "Answer 4.|0|4|", "Answer 4.|0|4|",
                       "Answer 4.|0|4|"}
        << true;
}

void TestAdvance::cycle() {
    QFETCH(int, seconds);
    QFETCH(bool, model);
    QFETCH(bool, sound);
    QFETCH(QString, actions);
    QFETCH(QStringList, states);
    QFETCH(bool, rhythmKept);
    Drill d;
    d.openQuestions(10);
    if (model) d.w->KaitouHyouziClick();
    if (sound) d.w->FlashWav->trigger();
    // Let the timer, running since the window was made, be well into its count.
    QTest::qWait(700);
    ModalScript script;
    QStringList seen;
    for (const QString& action : actions.split(u' ')) {
        d.fake.clearRecords();
        if (action == u"flash" || action == u"auto") {
            script.then(interval(seconds));
            (action == u"flash" ? d.w->AutoDelay : static_cast<QAbstractButton*>(d.w->AutoSend))
                ->click();
            QVERIFY(d.w->autoRunning());
            QCOMPARE(d.w->Timer2->interval(), seconds * 1000);
            // Only an interval the timer already has leaves its count alone.
            QCOMPARE(d.w->Timer2->remainingTime() < 3000 - 500, rhythmKept);
        } else if (action == u"stop") {
            d.w->AutoStop->click();
            QVERIFY(d.w->KaitouSakusei->isEnabled() && d.w->AutoSend->isEnabled());
        } else {
            d.w->Timer2->fire();
        }
        seen << QStringLiteral("%1|%2|%3|%4")
                    .arg(d.seikai())
                    .arg(d.w->flashPhase())
                    .arg(d.w->session().questionNumber())
                    .arg(d.fake.soundNames().join(u','));
    }
    QCOMPARE(seen, states);
    QVERIFY(script.faults.isEmpty());
}

QTEST_MAIN(TestAdvance)
#include "test_srmi105_advance.moc"
