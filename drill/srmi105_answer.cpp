// Judging the learner's answer, the mistake mark, the live score and the
// display toggles of the answer area.
#include "sjis_text.h"
#include "srmi105.h"

#include <algorithm>
#include <cstdlib>

namespace sorami {

void TSorami::KaitouSakuseiClick() {
    KaitouDisp->setFocus();
    setFontColour(EraseKaitou, Colours::Black);
    setFontColour(Modosu, Colours::Black);
    setFontColour(Susumeru, Colours::Black);
    const std::string question = line(currentLine_);
    const std::string model = line(currentLine_ + 1); // empty when the file ends early
    const std::string typed = toSjis(KaitouDisp->toPlainText());
    showModelAnswer();
    setFontColour(KaitouSakusei, Colours::Red);
    KaitouSakusei->setText(QStringLiteral("正解!?"));
    if (blockMode_) {
        ++blockAskedCount_;
        Syutudai_No->setText(QString::number(blockSize_ - blockAskedCount_));
    }

    // Byte for byte: case, blanks, punctuation and character widths all count.
    if (typed == model) {
        ++correctCount_;
        if (blockMode_) ++blockCorrectCount_;
        playCue(true);
        if (isMarked(question)) setMistakeMark(false);
        setMessage({});
    } else {
        const long long over =
            static_cast<long long>(typed.size()) - static_cast<long long>(model.size());
        if (over > 0) {
            setMessage(QStringLiteral("解答文は ") + QString::number(over) +
                       QStringLiteral("文字オ－バ－しています。"));
        } else if (over < 0) {
            QFont small = CorrectMsg->font();
            small.setPointSize(9);
            CorrectMsg->setFont(small);
            setMessage(QStringLiteral("解答文は ") + QString::number(-over) +
                       QStringLiteral("文字足りません。"));
        } else {
            setMessage({});
        }
        if (!isMarked(question)) setMistakeMark(true);
        playCue(false);
    }

    if (blockMode_ && blockAskedCount_ == blockSize_)
        endBlockRun();
    else
        updateScoreLabels();
    KaitouSakusei->setText(QStringLiteral("解答作成"));
    setFontColour(KaitouSakusei, Colours::Black);
}

void TSorami::setMistakeMark(bool marked) {
    // An empty list has no question line to mark.
    if (currentLine_ < 0 || currentLine_ >= lineCount()) return;
    std::string& first = questionLines_[static_cast<size_t>(currentLine_)];
    if (marked) {
        first.insert(0, "? ");
        MatigaiSyutudaiOnly->setEnabled(true);
        ++mistakeCount_;
    } else {
        // Only the first byte is ever tested, so the two bytes go whatever
        // the second one is.
        first.erase(0, 2);
        mistakeCount_ = std::max(0, mistakeCount_ - 1);
    }
    setBoxText(WabunDisp, first);
}

void TSorami::updateScoreLabels() {
    N_Seikai->setText(QString::number(correctCount_));
    ++answerCount_;
    N_Kaitou->setText(QString::number(answerCount_));
    const double rate = static_cast<double>(correctCount_) / answerCount_ * 100.0;
    SeikaiRitu->setText(QString::number(rate, 'f', 1));
    const int percent = correctCount_ * 100 / answerCount_;
    Gauge1->resize(percent == 0 ? 1 : percent * 114 / 100, Gauge1->height());
}

void TSorami::playCue(bool correct) {
    switch (soundMode_) {
    case Sound::Voice:
        platform_.playSound(
            correct ? QStringLiteral("yokudeki.wav") : QStringLiteral("imaichi.wav"), true);
        break;
    case Sound::Effect:
        platform_.playSound(correct ? QStringLiteral("pinpon.wav") : QStringLiteral("poki.wav"),
                            true);
        break;
    case Sound::Silent:
        break;
    }
}

void TSorami::showModelAnswer() {
    if (lineCount() >= 2) setBoxText(SeikaiDisp, line(currentLine_ + 1));
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
        setBoxText(SeikaiDisp, line(currentLine_ + 2));
    else if (modelShown_ == 1)
        setBoxText(SeikaiDisp, line(currentLine_ + 1));
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
        setBoxText(SeikaiDisp, line(currentLine_ + 2));
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
