// Judging the learner's answer, the mistake mark, the live score and the
// display toggles of the answer area.
#include "cue_names.h"
#include "sjis_text.h"
#include "srmi105.h"
#include "text_box.h"

namespace sorami {

void TSorami::KaitouSakuseiClick() {
    KaitouDisp->setFocus();
    setFontColour(EraseKaitou, Colours::Black);
    setFontColour(Modosu, Colours::Black);
    setFontColour(Susumeru, Colours::Black);
    const std::string typed = toSjis(KaitouDisp->toPlainText());
    showModelAnswer();
    setFontColour(KaitouSakusei, Colours::Red);
    KaitouSakusei->setText(QStringLiteral("正解!?"));
    const DrillSession::Judgement judged = session_.judge(typed);
    // Before anything that may open a box: a drill killed from here on
    // keeps the mark.
    if (judged.markSet || judged.markCleared) journal_.record(session_.currentMark());
    if (session_.blockMode()) Syutudai_No->setText(QString::number(session_.blockLeft()));

    if (judged.correct) {
        playCue(true);
        if (judged.markCleared) showMarkChange(false);
        setMessage({});
    } else {
        if (judged.over > 0) {
            setMessage(QStringLiteral("解答文は ") + QString::number(judged.over) +
                       QStringLiteral("文字オ－バ－しています。"));
        } else if (judged.over < 0) {
            setMessagePointSize(9);
            setMessage(QStringLiteral("解答文は ") + QString::number(-judged.over) +
                       QStringLiteral("文字足りません。"));
        } else {
            setMessage({});
        }
        if (judged.markSet) showMarkChange(true);
        playCue(false);
    }

    if (judged.blockComplete)
        endBlockRun();
    else
        updateScoreLabels();
    KaitouSakusei->setText(QStringLiteral("解答作成"));
    setFontColour(KaitouSakusei, Colours::Black);
}

// The session has changed the mark in the question's first line already.
void TSorami::showMarkChange(bool marked) {
    if (marked) MatigaiSyutudaiOnly->setEnabled(true);
    setBoxText(WabunDisp, session_.question());
}

void TSorami::updateScoreLabels() {
    N_Seikai->setText(QString::number(session_.correctCount()));
    N_Kaitou->setText(QString::number(session_.answerCount()));
    SeikaiRitu->setText(QString::number(session_.rate(), 'f', 1));
    const int percent = session_.percent();
    Gauge1->resize(percent == 0 ? 1 : percent * 114 / 100, Gauge1->height());
}

void TSorami::playCue(bool correct) {
    switch (soundMode_) {
    case Sound::Voice:
        platform_.playSound(correct ? cue::Yokudeki : cue::Imaichi, true);
        break;
    case Sound::Effect:
        platform_.playSound(correct ? cue::Pinpon : cue::Poki, true);
        break;
    case Sound::Silent:
        break;
    }
}

void TSorami::showModelAnswer() {
    if (session_.lineCount() >= 2) setBoxText(SeikaiDisp, session_.modelAnswer());
}

void TSorami::hideSeikaiForFlash() {
    const QString shown = SeikaiDisp->toPlainText();
    savedText_ = toSjis(shown);
    savedIsModelAnswer_ =
        session_.lineCount() >= 2 && !shown.isEmpty() && shown == shownLine(session_.modelAnswer());
    SeikaiDisp->clear();
}

void TSorami::showSeikaiAfterFlash() {
    if (savedIsModelAnswer_)
        showModelAnswer();
    else
        setBoxText(SeikaiDisp, savedText_);
}

void TSorami::resetAnswerArea() {
    KaitouDisp->clear();
    refreshSeikaiByToggles();
    KaitouSakusei->setText(QStringLiteral("解答作成"));
    savedText_.clear();
    KaitouDisp->setFocus();
}

void TSorami::refreshAnswerBoxes() {
    refreshSeikaiByToggles();
    KaitouDisp->clear();
}

void TSorami::refreshSeikaiByToggles() {
    if (idiomShown_ == 1)
        setBoxText(SeikaiDisp, session_.idiom());
    else if (modelShown_ == 1)
        showModelAnswer();
    else
        SeikaiDisp->clear();
}

void TSorami::busyWait(int milliseconds) {
    platform_.busyWait(milliseconds);
}

void TSorami::KaitouHyouziClick() {
    ++modelShown_;
    idiomShown_ = 0;
    setFontColour(EraseKaitou, Colours::Black);
    setFontColour(Modosu, Colours::Black);
    setFontColour(Susumeru, Colours::Black);
    if (modelShown_ == 1) {
        setFontColour(KaitouHyouzi, Colours::Red);
        setFontColour(HintDisp, Colours::Black);
        showModelAnswer();
    } else {
        setFontColour(KaitouHyouzi, Colours::Black);
        SeikaiDisp->clear();
        modelShown_ = 0;
    }
    KaitouDisp->setFocus();
}

void TSorami::HintDispClick() {
    ++idiomShown_;
    modelShown_ = 0;
    if (idiomShown_ == 1) {
        setFontColour(KaitouHyouzi, Colours::Black);
        setFontColour(HintDisp, Colours::Red);
        setBoxText(SeikaiDisp, session_.idiom());
    } else {
        setFontColour(HintDisp, Colours::Black);
        SeikaiDisp->clear();
        idiomShown_ = 0;
    }
    KaitouDisp->setFocus();
}

void TSorami::EraseKaitouClick() {
    ++answerMasked_;
    if (answerMasked_ == 1) {
        savedText_ = toSjis(KaitouDisp->toPlainText());
        setFontColour(EraseKaitou, Colours::Red);
        KaitouDisp->clear();
    } else {
        setFontColour(EraseKaitou, Colours::Black);
        setBoxText(KaitouDisp, savedText_);
        answerMasked_ = 0;
    }
    KaitouDisp->setFocus();
}

void TSorami::OnseiClick() {
    soundMode_ = Sound::Voice;
}
void TSorami::EffectSoundClick() {
    soundMode_ = Sound::Effect;
}
void TSorami::SoundNothingClick() {
    soundMode_ = Sound::Silent;
}

} // namespace sorami
