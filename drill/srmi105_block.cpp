// Block runs: a fixed number of questions asked in a row and graded at the
// end, with the window locked against leaving the run meanwhile.
#include "Blockpr1.h"
#include "Results.h"
#include "cue_names.h"
#include "error_guard.h"
#include "srmi105.h"

namespace sorami {

QList<QWidget*> TSorami::blockLockedControls() const {
    return {Modosu, Syutudai_Origin, UpDown1, ProblemReset, AutoSend, AutoStop};
}

void TSorami::BlockSyutudaiClick() {
    if (session_.blockMode()) return;
    platform_.playSound(cue::Shoot, true);
    session_.beginBlock();
    setBackColour(Indicator, Colours::Yellow);
    // The lock comes before the size is asked: the window behind the dialog
    // already shows the run it is about to start.
    const QList<QWidget*> alsoLocked = {AutoDelay, Kioku, ToSrmMini};
    for (QWidget* w : blockLockedControls() + alsoLocked)
        w->setEnabled(false);
    SoramiReport->setEnabled(false);
    setFontColour(BlockSyutudai, Colours::Red);

    if (const std::optional<int> size = askBlockSize(platform_, this)) {
        // The run asks from the question on screen, in the order in force.
        setMessage(QStringLiteral("ブロック問題出題中"));
        session_.sizeBlock(*size);
        Syutudai_No->setText(QString::number(session_.blockSize()));
    } else {
        session_.cancelBlock();
        platform_.playSound(cue::Poki, true);
        setBackColour(Indicator, SysColour::BtnFace);
        for (QWidget* w : blockLockedControls() + alsoLocked)
            w->setEnabled(true);
        SoramiReport->setEnabled(true);
        setFontColour(BlockSyutudai, Colours::Black);
    }
    KaitouSakusei->setFocus();
}

void TSorami::leaveBlockRun() {
    if (!session_.leaveBlock()) return;
    for (QWidget* w : blockLockedControls())
        w->setEnabled(true);
    Syutudai_No->clear();
    setFontColour(BlockSyutudai, Colours::Black);
}

void TSorami::endBlockRun() {
    // The pause lets the last answer's cue and judgement sink in before the
    // result appears; it deliberately takes no input.
    busyWait(700);
    setBackColour(Indicator, SysColour::BtnFace);
    // Whatever goes wrong while judging, the window must come back out of
    // the run: a run stuck at its last question could never end. The
    // judgement reports its own score-file failures and still shows the
    // grade.
    guarded(platform_, this, [this] {
        showBlockJudgement(platform_, this, problemFileName_, session_.blockSize(),
                           session_.blockCorrectCount(), modes_.showyTone.on());
    });

    setMessage({});
    session_.endBlock();
    // The flash advance, the resume button, the card viewer and the report
    // item stay off: the order choice, the advance's stop button and viewing
    // the scores bring them back.
    for (QWidget* w : blockLockedControls())
        w->setEnabled(true);
    Syutudai_No->clear();
    setFontColour(BlockSyutudai, Colours::Black);
    // The run's last answer is never shown in the score labels.
    resetScore();
}

} // namespace sorami
