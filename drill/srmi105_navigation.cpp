// Moving through the questions: advance and go back in serial, random and
// mistakes-only order, the question-number jump and the arrow keys.
#include "srmi105.h"

#include <random>

namespace sorami {

int seededDraw(int seed, int n) {
    if (n < 1) return 0;
    std::minstd_rand generator(static_cast<std::minstd_rand::result_type>(seed) + 1);
    return std::uniform_int_distribution<int>(0, n - 1)(generator);
}

int TSorami::drawRandom(int n) {
    return seededDraw(platform_.msecsOfDay(), n);
}

namespace {

// Where a backward move lands after question 1: the start of the last
// question, a trailing incomplete one included, so every move stays on the
// first line of a question.
int lastStart(int lineCount) {
    return lineCount == 0 ? -3 : (lineCount - 1) / 3 * 3;
}

} // namespace

void TSorami::showStep() {
    showQuestion();
    N_Mondai->setText(QString::number(currentLine_ / 3 + 1));
    resetAnswerArea();
}

// One pass at most over the list, from the question after (step 3) or before
// (step -3) the current one, wrapping at the ends. The mark count can be
// stale after an edit; when no marked question is found it is recounted, and
// a list without marks ends the mistakes-only run.
bool TSorami::findMarked(int step) {
    const int n = lineCount();
    const int positions = (n + 2) / 3;
    int pos = currentLine_;
    for (int i = 0; i < positions; ++i) {
        if (step > 0)
            pos = pos + 3 >= n ? 0 : pos + 3;
        else
            pos = pos - 3 < 0 ? lastStart(n) : pos - 3;
        if (pos + 2 < n && isMarked(line(pos))) {
            currentLine_ = pos;
            return true;
        }
    }
    countMistakes();
    if (mistakeCount_ == 0) finishMistakeRun();
    return false;
}

void TSorami::SusumeruClick() {
    setFontColour(EraseKaitou, Colours::Black);
    setFontColour(Modosu, Colours::Black);
    setFontColour(KaitouSakusei, Colours::Black);
    setFontColour(Susumeru, Colours::Red);
    previousLine_ = currentLine_;
    jumpPending_ = false;
    setMessage({});
    if (randomMode_) {
        int a = drawRandom(lineCount()) / 3 * 3;
        if (a == lastRandomPick_) a += 3;
        currentLine_ = a + 3;
        if (currentLine_ >= lineCount()) currentLine_ = 0;
        lastRandomPick_ = a;
    } else if (mistakesOnlyMode_) {
        if (mistakeCount_ == 0) {
            finishMistakeRun();
            return;
        }
        if (!findMarked(3)) return;
    } else {
        currentLine_ += 3;
        if (currentLine_ >= lineCount()) currentLine_ = 0;
    }
    showStep();
}

void TSorami::ModosuClick() {
    setFontColour(EraseKaitou, Colours::Black);
    setFontColour(Susumeru, Colours::Black);
    setFontColour(KaitouSakusei, Colours::Black);
    setFontColour(Modosu, Colours::Red);
    setMessage({});
    if (jumpPending_) {
        currentLine_ += 3;
        if (currentLine_ >= lineCount()) currentLine_ = 0;
        jumpPending_ = false;
    } else if (randomMode_) {
        currentLine_ = previousLine_ < 0 ? lastStart(lineCount()) : previousLine_;
    } else if (mistakesOnlyMode_) {
        if (mistakeCount_ == 0) {
            finishMistakeRun();
            return;
        }
        if (!findMarked(-3)) return;
    } else {
        currentLine_ -= 3;
        if (currentLine_ < 0) currentLine_ = lastStart(lineCount());
    }
    showStep();
}

void TSorami::SerialSyutudaiClick() {
    setBackColour(Indicator, SysColour::BtnFace);
    randomMode_ = false;
    mistakesOnlyMode_ = false;
    setMessage({});
    enableRunControls();
    Kioku->setEnabled(true);
    ToSrmMini->setEnabled(true);
}

void TSorami::RandomSyutudaiClick() {
    setBackColour(Indicator, Colours::Red);
    randomMode_ = true;
    mistakesOnlyMode_ = false;
    setMessage({});
    // Choosing another order ends a block run; without this the go-back
    // button and the lamp would stay as the run left them until a new load.
    leaveBlockRun();
    for (QWidget* w : {static_cast<QWidget*>(Syutudai_Origin), static_cast<QWidget*>(UpDown1),
                       static_cast<QWidget*>(BlockSyutudai)})
        w->setEnabled(true);
    Kioku->setEnabled(false);
    ToSrmMini->setEnabled(false);
}

void TSorami::MatigaiSyutudai() {
    if (mistakeCount_ == 0) {
        platform_.messageBox(this, QStringLiteral("間違い問題はありません！"), MsgIcon::None,
                             MsgButtons::Ok);
        setBackColour(Indicator, Colours::Silver);
        return;
    }
    platform_.messageBox(
        this,
        QStringLiteral("間違い問題出題モードに入りました。\r\n\r\n問題総数は次の通りです。\r\n\r\n"
                       "さぁ、ひとつ頑張って下さい！！\r\n\r\n　　◆問題総数＝") +
            QString::number(mistakeCount_) + QStringLiteral(" 題"),
        MsgIcon::None, MsgButtons::Ok);
    platform_.playSound(QStringLiteral("up.wav"), true);
    setMessage(QStringLiteral("間違い問題のみを出題します。\r\n間違い問題の総数＝") +
               QString::number(mistakeCount_));
    setBackColour(Indicator, Colours::Blue);
    mistakesOnlyMode_ = true;
    randomMode_ = false;
    leaveBlockRun();
    for (QWidget* w : {static_cast<QWidget*>(Syutudai_Origin), static_cast<QWidget*>(UpDown1),
                       static_cast<QWidget*>(BlockSyutudai), static_cast<QWidget*>(Kioku),
                       static_cast<QWidget*>(ToSrmMini)})
        w->setEnabled(false);
    SusumeruClick();
}

void TSorami::finishMistakeRun() {
    if (mistakeCount_ != 0) return;
    platform_.playSound(QStringLiteral("end.wav"), true);
    if (platform_.messageBox(this,
                             QStringLiteral("Congraturations!!\r\n間違い問題を一掃できました!!\r\n"
                                            "さらなる挑戦に奮起してください。"),
                             MsgIcon::Information, MsgButtons::Ok) != MsgResult::Ok)
        return;
    setMessage({});
    mistakesOnlyMode_ = false;
    setBackColour(Indicator, SysColour::BtnFace);
    for (QWidget* w : {static_cast<QWidget*>(Syutudai_Origin), static_cast<QWidget*>(UpDown1),
                       static_cast<QWidget*>(BlockSyutudai)})
        w->setEnabled(true);
}

void TSorami::UpDown1Click() {
    UpDown1->setMax(questionCount(questionLines_));
    Syutudai_No->setText(QString::number(UpDown1->position()));
}

void TSorami::Syutudai_OriginClick() {
    jumpPending_ = true;
    bool isNumber = false;
    int n = Syutudai_No->text().trimmed().toInt(&isNumber);
    if (!isNumber) {
        if (platform_.messageBox(
                this,
                QStringLiteral(
                    "すぐ上の箱に問題番号を入力してください。\r\n[Origin]ボタンをクリックし、["
                    "進める]ボタン\r\nをクリックするとそこから出題されます。"),
                MsgIcon::Warning, MsgButtons::Ok) == MsgResult::Ok)
            Syutudai_No->clear();
        return;
    }
    if (n > questionCount(questionLines_) + 1) {
        currentLine_ = 0;
        Syutudai_No->setText(QStringLiteral("1"));
        return;
    }
    // The box only ever holds the spinner's position, 1 or more.
    if (n < 1) n = 1;
    currentLine_ = (n - 2) * 3;
    SusumeruClick();
}

void TSorami::FormKeyDown(int key) {
    if (!fileLoaded_) return;
    switch (key) {
    case Qt::Key_Right:
        SusumeruClick();
        break;
    case Qt::Key_Left:
        ModosuClick();
        break;
    case Qt::Key_Up:
        KaitouHyouziClick();
        break;
    case Qt::Key_Down:
        HintDispClick();
        break;
    default:
        return;
    }
    platform_.playSound(QStringLiteral("Poki.wav"), true);
}

void TSorami::KaitouSakuseiKeyDown(int key) {
    if (key == Qt::Key_Control) KaitouSakuseiClick();
}

} // namespace sorami
