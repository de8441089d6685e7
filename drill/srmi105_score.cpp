// Score reports, the score table, erasing the scores and the question reset.
#include "Seiseki1.h"
#include "score_commands.h"
#include "srmi105.h"

namespace sorami {

void TSorami::SoramiReportClick() {
    if (!writeScoreReport(platform_, this, problemFileName_, session_.answerCount(),
                          session_.correctCount(), userName_))
        return;
    BlockReportClick();
    // Only once the table has been shown: when it cannot be, the handler
    // stops with the error and the live score is still there.
    resetScore();
}

void TSorami::BlockReportClick() {
    showScoreTable(this);
    // The report item stays off after a block run until the scores have been
    // looked at.
    SoramiReport->setEnabled(true);
}

void TSorami::EraseSeisekiReportClick() {
    eraseScores(platform_, this);
}

void TSorami::ProblemResetClick() {
    if (confirmProblemReset(platform_, this)) {
        resetScore();
        // The question list and its marks stay; the boxes fill again with
        // the next move.
        WabunDisp->clear();
        SeikaiDisp->clear();
        KaitouDisp->clear();
    }
    KaitouSakusei->setFocus();
}

} // namespace sorami
