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
    const Advance::Kind kind = flash ? Advance::Kind::Flash : Advance::Kind::Automatic;
    QWidget* otherStart = flash ? static_cast<QWidget*>(AutoSend) : AutoDelay;
    otherStart->setEnabled(false);
    if (!modes_.advance.press(kind)) return;
    setBackColour(Indicator, flash ? Colours::Red : Colours::Green);

    const QString shownSeconds = askInterval(platform_, this);
    modes_.advance.intervalAsked(kind, IntervalCancelled != 0);
    if (IntervalCancelled != 0) {
        otherStart->setEnabled(true);
        KaitouSakusei->setFocus();
        setBackColour(Indicator, SysColour::BtnFace);
        return;
    }
    // The same interval as before keeps the timer's rhythm; another one
    // starts its count again.
    Timer2->setInterval(IntervalEntered >= 3 ? IntervalEntered * 1000 : 3000);
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
    // While a question is being added or changed, a move would overwrite
    // what the learner is typing into the boxes.
    if (!modes_.advance.running() || ticking_ || editPending()) return;
    ticking_ = true;
    const auto done = qScopeGuard([this] { ticking_ = false; });
    switch (modes_.advance.tick()) {
    case Advance::Step::Nothing:
        break;
    case Advance::Step::MoveOn:
        SusumeruClick();
        AutoSend->setFocus();
        break;
    case Advance::Step::HideAnswer:
        SeikaiDisp->clear();
        break;
    case Advance::Step::ShowAnswer:
        showSeikaiAfterFlash();
        break;
    case Advance::Step::FlashMoveOn:
        SusumeruClick();
        hideSeikaiForFlash();
        if (modes_.flashCue.on()) platform_.playSound(cue::PokiCapital, true);
        break;
    }
}

void TSorami::AutoStopClick() {
    setBackColour(Indicator, SysColour::BtnFace);
    modes_.advance.stop();
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
    modes_.flashCue.press();
}

} // namespace sorami
