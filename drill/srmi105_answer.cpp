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
    showModelAnswer(ShownBy::Check);
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
        QString message;
        if (judged.over > 0) {
            message = QStringLiteral("解答文は ") + QString::number(judged.over) +
                      QStringLiteral("文字オ－バ－しています。");
        } else if (judged.over < 0) {
            setMessagePointSize(9);
            message = QStringLiteral("解答文は ") + QString::number(-judged.over) +
                      QStringLiteral("文字足りません。");
        }
        if (modes_.showDifferences.on()) {
            const QString kind = markDifferences();
            if (!kind.isEmpty())
                message += (message.isEmpty() ? QString() : QStringLiteral("　")) + kind;
        }
        setMessage(message);
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

void TSorami::showModelAnswer(ShownBy by) {
    if (session_.lineCount() < 2) return;
    setBoxText(SeikaiDisp, session_.modelAnswer());
    if (by != ShownBy::Flash && modes_.speakOnShow.on()) SpeakAnswerClick();
}

void TSorami::hideSeikaiForFlash() {
    const QString shown = SeikaiDisp->toPlainText();
    modes_.answer.holdBack(toSjis(shown), session_.lineCount() >= 2 && !shown.isEmpty() &&
                                              shown == shownLine(session_.modelAnswer()));
    SeikaiDisp->clear();
}

void TSorami::showSeikaiAfterFlash() {
    if (modes_.answer.heldBackIsModelAnswer())
        showModelAnswer(ShownBy::Flash);
    else
        setBoxText(SeikaiDisp, modes_.answer.heldBack());
}

void TSorami::resetAnswerArea() {
    // What was spoken belongs to the question left.
    stopSpeaking();
    KaitouDisp->clear();
    refreshSeikaiByToggles();
    KaitouSakusei->setText(QStringLiteral("解答作成"));
    modes_.answer.forgetKeptTexts();
    KaitouDisp->setFocus();
}

void TSorami::refreshAnswerBoxes() {
    refreshSeikaiByToggles();
    KaitouDisp->clear();
}

void TSorami::refreshSeikaiByToggles() {
    switch (modes_.answer.shows()) {
    case AnswerDisplay::Shows::Idiom:
        setBoxText(SeikaiDisp, session_.idiom());
        break;
    case AnswerDisplay::Shows::ModelAnswer:
        showModelAnswer(ShownBy::Toggle);
        break;
    case AnswerDisplay::Shows::Nothing:
        SeikaiDisp->clear();
        break;
    }
}

void TSorami::busyWait(int milliseconds) {
    platform_.busyWait(milliseconds);
}

void TSorami::KaitouHyouziClick() {
    const bool on = modes_.answer.pressModelAnswer() == AnswerDisplay::Shows::ModelAnswer;
    setFontColour(EraseKaitou, Colours::Black);
    setFontColour(Modosu, Colours::Black);
    setFontColour(Susumeru, Colours::Black);
    setFontColour(KaitouHyouzi, on ? Colours::Red : Colours::Black);
    if (on) {
        setFontColour(HintDisp, Colours::Black);
        showModelAnswer(ShownBy::Toggle);
    } else {
        SeikaiDisp->clear();
    }
    KaitouDisp->setFocus();
}

void TSorami::HintDispClick() {
    const bool on = modes_.answer.pressIdiom() == AnswerDisplay::Shows::Idiom;
    setFontColour(HintDisp, on ? Colours::Red : Colours::Black);
    if (on) {
        setFontColour(KaitouHyouzi, Colours::Black);
        setBoxText(SeikaiDisp, session_.idiom());
    } else {
        SeikaiDisp->clear();
    }
    KaitouDisp->setFocus();
}

void TSorami::EraseKaitouClick() {
    const bool masked = modes_.answer.pressMask(toSjis(KaitouDisp->toPlainText()));
    setFontColour(EraseKaitou, masked ? Colours::Red : Colours::Black);
    if (masked)
        KaitouDisp->clear();
    else
        setBoxText(KaitouDisp, modes_.answer.maskedAnswer());
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
