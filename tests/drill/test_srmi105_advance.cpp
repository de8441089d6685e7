// Automatic and flash advance in the window, tick by tick: what the
// correct-answer box shows, the question in hand and the cues, through
// starts, stops and restarts; and the timer's rhythm kept by an unchanged
// interval. Which tick does what is the modes' table.
#include "Settime1.h"
#include "drill_fixture.h"
#include "modal_script.h"

#include <QPushButton>

using namespace drilltest;

namespace {

struct AdvanceCase {
    const char* name;
    int seconds;
    bool model, sound;   // the correct-answer display and the flash cue are on
    const char* actions; // flash, auto, stop or tick
    // After each action: box text | question | cues.
    const char* states;
    bool rhythmKept; // the first timed tick comes before a full interval
};
// After a load the box shows the idiom line; with both displays off the
// questions after it bring nothing to show.
const AdvanceCase advanceCases[] = {
    {"flash 4 s with the cue", 4, true, true, "flash tick tick tick tick tick",
     "|1|;Answer 1.|1|;|2|Poki.wav;|2|;Answer 2.|2|;|3|Poki.wav", false},
    {"stop while shown, start again", 3, true, false, "flash tick stop flash tick tick",
     "|1|;Answer 1.|1|;Answer 1.|1|;|2|;|2|;Answer 2.|2|", true},
    {"flash with the displays off", 5, false, true, "flash tick tick tick tick",
     "|1|;idiom 1|1|;|2|Poki.wav;|2|;|2|", false},
    {"automatic, stop ends the moves", 3, true, true, "auto tick tick stop tick",
     "Answer 2.|2|;Answer 3.|3|;Answer 4.|4|;Answer 4.|4|;Answer 4.|4|", true},
};

} // namespace

class TestAdvance : public QObject {
    Q_OBJECT
private slots:
    void cycle_data() {
        QTest::addColumn<int>("index");
        for (const AdvanceCase& c : advanceCases)
            QTest::newRow(c.name) << static_cast<int>(&c - advanceCases);
    }
    void cycle();
};

void TestAdvance::cycle() {
    QFETCH(int, index);
    const AdvanceCase& c = advanceCases[index];
    const int seconds = c.seconds;
    Drill d;
    d.openQuestions(10);
    if (c.model) d.w->KaitouHyouziClick();
    if (c.sound) d.w->FlashWav->trigger();
    // Let the timer, running since the window was made, be well into its count.
    d.fake.ticks += 700;
    ModalScript script;
    QStringList seen;
    for (const QString& action : QString::fromUtf8(c.actions).split(u' ')) {
        d.fake.clearRecords();
        if (action == u"flash" || action == u"auto") {
            script.then([seconds](QWidget* w) {
                auto* dialog = qobject_cast<sorami::TSetTimes*>(w);
                QVERIFY(dialog);
                dialog->UpDown1->setValue(seconds);
                dialog->BitBtn1->click();
            });
            (action == u"flash" ? d.w->AutoDelay : static_cast<QAbstractButton*>(d.w->AutoSend))
                ->click();
            QCOMPARE(d.w->Timer2->interval(), seconds * 1000);
            // Only an interval the timer already has leaves its count alone.
            QCOMPARE(d.w->Timer2->remainingTime(), c.rhythmKept ? 3000 - 700 : seconds * 1000);
        } else if (action == u"stop") {
            d.w->AutoStop->click();
        } else {
            d.w->Timer2->fire();
        }
        seen << QStringLiteral("%1|%2|%3")
                    .arg(d.seikai())
                    .arg(d.w->session().questionNumber())
                    .arg(d.fake.soundNames().join(u','));
    }
    QCOMPARE(seen.join(u';'), QString::fromUtf8(c.states));
    QVERIFY(script.faults.isEmpty());
}

QTEST_MAIN(TestAdvance)
#include "test_srmi105_advance.moc"
