// Moving through the questions: advance and go back in serial, random and
// mistakes-only order, the question-number jump and the arrow keys.
#include "cue_names.h"
#include "srmi105.h"

#include <optional>

namespace sorami {

void TSorami::showStep() {
    showQuestion();
    N_Mondai->setText(QString::number(session_.questionNumber()));
    resetAnswerArea();
}

void TSorami::SusumeruClick() {
    // A move waits for an add or change to end: it would overwrite what the
    // learner is typing into the boxes.
    if (editPending()) return;
    setFontColour(EraseKaitou, Colours::Black);
    setFontColour(Modosu, Colours::Black);
    setFontColour(KaitouSakusei, Colours::Black);
    setFontColour(Susumeru, Colours::Red);
    setMessage({});
    // Only a mistakes-only run finds nothing; it is over when no mark is left.
    if (!session_.advance(platform_.msecsOfDay())) {
        finishMistakeRun();
        return;
    }
    showStep();
}

void TSorami::ModosuClick() {
    if (editPending()) return;
    setFontColour(EraseKaitou, Colours::Black);
    setFontColour(Susumeru, Colours::Black);
    setFontColour(KaitouSakusei, Colours::Black);
    setFontColour(Modosu, Colours::Red);
    setMessage({});
    if (!session_.goBack()) {
        finishMistakeRun();
        return;
    }
    showStep();
}

void TSorami::SerialSyutudaiClick() {
    // The menus reach the orders during an add or change as well: it ends
    // first, when the learner agrees, or the order stays as it is.
    if (!endEditFirst()) return;
    setBackColour(Indicator, SysColour::BtnFace);
    session_.setOrder(DrillSession::Order::Serial);
    setMessage({});
    enableRunControls();
    Kioku->setEnabled(true);
    ToSrmMini->setEnabled(true);
}

void TSorami::RandomSyutudaiClick() {
    if (!endEditFirst()) return;
    setBackColour(Indicator, Colours::Red);
    session_.setOrder(DrillSession::Order::Random);
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
    if (!endEditFirst()) return;
    if (session_.mistakeCount() == 0) {
        platform_.messageBox(this, QStringLiteral("間違い問題はありません！"), MsgIcon::None,
                             MsgButtons::Ok);
        setBackColour(Indicator, Colours::Silver);
        return;
    }
    platform_.messageBox(
        this,
        QStringLiteral("間違い問題出題モードに入りました。\r\n\r\n問題総数は次の通りです。\r\n\r\n"
                       "さぁ、ひとつ頑張って下さい！！\r\n\r\n　　◆問題総数＝") +
            QString::number(session_.mistakeCount()) + QStringLiteral(" 題"),
        MsgIcon::None, MsgButtons::Ok);
    platform_.playSound(cue::Up, true);
    setMessage(QStringLiteral("間違い問題のみを出題します。\r\n間違い問題の総数＝") +
               QString::number(session_.mistakeCount()));
    setBackColour(Indicator, Colours::Blue);
    session_.setOrder(DrillSession::Order::MistakesOnly);
    leaveBlockRun();
    for (QWidget* w : {static_cast<QWidget*>(Syutudai_Origin), static_cast<QWidget*>(UpDown1),
                       static_cast<QWidget*>(BlockSyutudai), static_cast<QWidget*>(Kioku),
                       static_cast<QWidget*>(ToSrmMini)})
        w->setEnabled(false);
    SusumeruClick();
}

void TSorami::finishMistakeRun() {
    if (session_.mistakeCount() != 0) return;
    platform_.playSound(cue::End, true);
    if (platform_.messageBox(this,
                             QStringLiteral("Congraturations!!\r\n間違い問題を一掃できました!!\r\n"
                                            "さらなる挑戦に奮起してください。"),
                             MsgIcon::Information, MsgButtons::Ok) != MsgResult::Ok)
        return;
    setMessage({});
    session_.setOrder(DrillSession::Order::Serial);
    setBackColour(Indicator, SysColour::BtnFace);
    for (QWidget* w : {static_cast<QWidget*>(Syutudai_Origin), static_cast<QWidget*>(UpDown1),
                       static_cast<QWidget*>(BlockSyutudai)})
        w->setEnabled(true);
}

void TSorami::UpDown1Click() {
    UpDown1->setMax(session_.questionCount());
    Syutudai_No->setText(QString::number(UpDown1->position()));
}

void TSorami::Syutudai_OriginClick() {
    bool isNumber = false;
    const int n = Syutudai_No->text().trimmed().toInt(&isNumber);
    switch (session_.jumpTo(isNumber ? std::optional<int>(n) : std::nullopt)) {
    case DrillSession::Jump::NoNumber:
        if (platform_.messageBox(
                this,
                QStringLiteral(
                    "すぐ上の箱に問題番号を入力してください。\r\n[Origin]ボタンをクリックし、["
                    "進める]ボタン\r\nをクリックするとそこから出題されます。"),
                MsgIcon::Warning, MsgButtons::Ok) == MsgResult::Ok)
            Syutudai_No->clear();
        return;
    case DrillSession::Jump::PastEnd:
        Syutudai_No->setText(QStringLiteral("1"));
        return;
    case DrillSession::Jump::Ready:
        SusumeruClick();
        return;
    }
}

void TSorami::FormKeyDown(int key) {
    // While a question is typed into the boxes the arrow keys move the caret.
    if (!fileLoaded_ || editPending()) return;
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
    platform_.playSound(cue::PokiCapital, true);
}

void TSorami::KaitouSakuseiKeyDown(int key) {
    if (key == Qt::Key_Control) KaitouSakuseiClick();
}

} // namespace sorami
