// Automatic and flash advance: Timer2 moves through the questions by itself
// at the interval the learner chose; flash advance holds the correct-answer
// box back, shows it for one interval and then moves on.
#include "Settime1.h"
#include "cue_names.h"
#include "error_guard.h"
#include "sjis_text.h"
#include "srmi105.h"

#include <QScopeGuard>

namespace sorami {

void TSorami::connectAdvanceHandlers() {
    connectGuarded(platform_, AutoSend, &QAbstractButton::clicked, this, &TSorami::AutoSendClick);
    connectGuarded(platform_, AutoDelay, &QAbstractButton::clicked, this, &TSorami::AutoDelayClick);
    connectGuarded(platform_, AutoStop, &QAbstractButton::clicked, this, &TSorami::AutoStopClick);
    connectGuarded(platform_, FlashWav, &QAction::triggered, this, &TSorami::FlashWavClick);
    // The timer runs for the window's whole life; a tick acts only while an
    // advance runs.
    Timer2->onTimer([this] { Timer2Timer(); }, &platform_, this);
}

void TSorami::AutoSendClick() {
    startAdvance(false);
}

void TSorami::AutoDelayClick() {
    startAdvance(true);
}

void TSorami::startAdvance(bool flash) {
    int& mode = flash ? flashMode_ : autoSendMode_;
    int& prepared = flash ? flashPrepared_ : autoSendPrepared_;
    QWidget* otherStart = flash ? static_cast<QWidget*>(AutoSend) : AutoDelay;
    mode = 1;
    (flash ? autoSendMode_ : flashMode_) = 0;
    otherStart->setEnabled(false);
    // Already running: a second press changes nothing.
    if (prepared != 0) return;
    setBackColour(Indicator, flash ? Colours::Red : Colours::Green);

    const QString shownSeconds = askInterval(platform_, this);
    ++prepared;
    if (IntervalCancelled != 0) {
        prepared = 0;
        mode = 0;
        otherStart->setEnabled(true);
        KaitouSakusei->setFocus();
        setBackColour(Indicator, SysColour::BtnFace);
        return;
    }
    // The same interval as before keeps the timer's rhythm; another one
    // starts its count again.
    Timer2->setInterval(IntervalEntered >= 3 ? IntervalEntered * 1000 : 3000);
    autoRunning_ = 1;
    setMessage((flash ? QStringLiteral("フラッシュ自動送りモード実行中（設定時間＝")
                      : QStringLiteral("自動送りモード実行中（設定時間＝")) +
               shownSeconds + QStringLiteral("秒）"));
    for (QWidget* w : {static_cast<QWidget*>(KaitouSakusei), static_cast<QWidget*>(Syutudai_Origin),
                       static_cast<QWidget*>(UpDown1), static_cast<QWidget*>(BlockSyutudai),
                       static_cast<QWidget*>(ProblemReset)})
        w->setEnabled(false);
    if (!flash) {
        Kioku->setEnabled(false);
        ToSrmMini->setEnabled(false);
    } else {
        hideSeikaiForFlash();
    }
    Timer2Timer();
}

void TSorami::Timer2Timer() {
    if (autoRunning_ != 1) return;
    // A tick whose move opened a message box must not move again from inside
    // it; and while a question is being added or changed, a move would
    // overwrite what the learner is typing into the boxes.
    if (ticking_ || editPending()) return;
    ticking_ = true;
    const auto done = qScopeGuard([this] { ticking_ = false; });
    if (autoSendMode_ == 1) {
        SusumeruClick();
        AutoSend->setFocus();
        return;
    }
    if (flashMode_ != 1) return;
    switch (++flashPhase_) {
    case 1:
        SeikaiDisp->clear();
        break;
    case 2:
        showSeikaiAfterFlash();
        break;
    case 3:
        SusumeruClick();
        hideSeikaiForFlash();
        flashPhase_ = 0;
        if (flashSound_ == 1) platform_.playSound(cue::PokiCapital, true);
        break;
    default:
        break;
    }
}

void TSorami::AutoStopClick() {
    setBackColour(Indicator, SysColour::BtnFace);
    autoRunning_ = 0;
    autoSendPrepared_ = 0;
    flashPrepared_ = 0;
    autoSendMode_ = 0;
    flashMode_ = 0;
    setMessage({});
    for (QWidget* w : {static_cast<QWidget*>(AutoSend), static_cast<QWidget*>(AutoDelay),
                       static_cast<QWidget*>(KaitouSakusei), static_cast<QWidget*>(Syutudai_Origin),
                       static_cast<QWidget*>(UpDown1), static_cast<QWidget*>(BlockSyutudai),
                       static_cast<QWidget*>(ProblemReset), static_cast<QWidget*>(Kioku),
                       static_cast<QWidget*>(ToSrmMini)})
        w->setEnabled(true);
    KaitouSakusei->setFocus();
}

void TSorami::FlashWavClick() {
    const int before = flashSoundClicks_++;
    if (before == 0) {
        flashSound_ = 1;
    } else if (before == 1) {
        flashSound_ = 0;
        flashSoundClicks_ = 0;
    }
}

} // namespace sorami
