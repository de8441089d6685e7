// TSorami: construction, start-up, the control groups and the ways the
// window closes.
#include "srmi105.h"
#include "cue_names.h"

#include "Demofrm.h"
#include "error_guard.h"
#include "fonts.h"
#include "form_kit.h"
#include "program_paths.h"
#include "sjis_text.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenuBar>
#include <QScreen>

namespace sorami {

TSorami::TSorami(Platform& platform, QWidget* parent)
    : QMainWindow(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                              Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                              Qt::WindowCloseButtonHint),
      platform_(platform) {
    setWindowTitle(QStringLiteral("がんばれソラミ君・ＬｋＯ"));
    FontSpec windowFont;
    windowFont.face = face::System;
    windowFont.height = 19;
    setFont(toQFont(windowFont));

    OpenDialog1.filter = questionFileFilter();
    OpenDialog1.initialDir = questionFolderAtStart();
    SaveDialog1.filter = questionFileFilter();

    createControls();
    createMenus();
    initAppearanceChoosers();
    connectHandlers();
    connectExtrasHandlers();
    connectFeedbackHandlers();
    installShortcutPriority();
    WabunDisp->setAccessibleName(QStringLiteral("和文"));
    SeikaiDisp->setAccessibleName(QStringLiteral("正解"));
    KaitouDisp->setAccessibleName(QStringLiteral("解答"));
    CorrectMsg->setAccessibleName(QStringLiteral("MSG"));
    finishForm(this);
    guarded(platform_, this, [this] { FormCreate(); });
}

TSorami::~TSorami() {
    if (demoForm_) delete demoForm_.data();
}

QString TSorami::mainIniPath() const {
    return settingsFilePath(QStringLiteral("ソラミ君.ini"));
}

void TSorami::FormCreate() {
    userName_ = toSjis(platform_.inputBox(
        this, QStringLiteral("名前の登録"),
        QStringLiteral("ようこそ「ガンバレソラミ君」の世界へ！\r\n\r\nあなたの名前を登録します。"),
        QString()));

    // The splash stays on screen while the rest of the window is prepared.
    demoForm_ = new TDemoForm(this);
    demoForm_->show();
    demoForm_->repaint();
    // Let the window system map and draw it now; the message loop is not
    // running yet.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);

    LoadAppearance();
    loadFeedbackSettings();
    ApplyBoxFonts();
    ApplyBoxColours();

    Gauge1->resize(1, Gauge1->height());

    resize(ClientWidth, ClientHeight + menuBar()->sizeHint().height());
    Client->resize(ClientWidth, ClientHeight);
    centreOnScreen(this);

    session_.clearQuestions();
    problemFileName_.clear();
    resetScore();
    SirialSyutudai->setEnabled(false);
    RandomSyutudai->setEnabled(false);
    MatigaiSyutudaiOnly->setEnabled(false);
    soundMode_ = Sound::Voice;
    coverPanelHeight_ = SpeedBtnCover->height();
    exitCoverLeft_ = SysExitCover->x();
    exitCoverWidth_ = SysExitCover->width();
    lockDrillControls();

    // Destroyed as soon as the message loop runs, right after the window
    // is first shown.
    demoForm_->deleteLater();
}

void TSorami::OwariClick() {
    if (platform_.messageBox(this, QStringLiteral("ソラミ君ＬｋＯを終了します\r\nよろしいですか？"),
                             MsgIcon::Question, MsgButtons::OkCancel) == MsgResult::Ok) {
        platform_.playSound(cue::Apli, true);
        if (!saveResumePoint()) return;
        endAgreed_ = true;
        close();
    } else {
        platform_.playSound(cue::Cancel, true);
    }
}

void TSorami::FormCloseQuery(bool& canClose) {
    if (endAgreed_) {
        // The end button saved and asked already; a window shown again
        // later saves again when it closes.
        endAgreed_ = false;
        canClose = true;
        return;
    }
    // A failed save keeps the window open only when the learner wants to
    // keep the marks: a full disk or a read-only file must not lock them in.
    canClose = saveResumePoint();
}

void TSorami::closeEvent(QCloseEvent* event) {
    bool canClose = false;
    guarded(platform_, this, [&] { FormCloseQuery(canClose); });
    if (!canClose) {
        event->ignore();
        return;
    }
    // An open help page would keep the program, and its single-instance
    // lock, alive without a drill window.
    platform_.quitHelp();
    event->accept();
}

// --- Control groups -------------------------------------------------------

QList<QWidget*> TSorami::runControls() const {
    return {Syutudai_Origin, UpDown1, BlockSyutudai, AutoSend, AutoDelay, AutoStop, ProblemReset};
}

QList<QWidget*> TSorami::drillButtons() const {
    return {Modosu, KaitouHyouzi, KaitouSakusei, EraseKaitou, Susumeru, HintDisp};
}

QList<QWidget*> TSorami::editButtons() const {
    return {Tuika_Btn, Henkou_Btn, Sakuzyo_Btn, Cancel_Btn};
}

void TSorami::resetScore() {
    session_.resetScore();
    SeikaiRitu->setText(QStringLiteral("0.0"));
    N_Kaitou->setText(QStringLiteral("0"));
    N_Seikai->setText(QStringLiteral("0"));
    N_Syutudai->setText(QStringLiteral("0"));
}

void TSorami::disableRunControls() {
    for (QWidget* w : runControls())
        w->setEnabled(false);
}

void TSorami::enableRunControls() {
    for (QWidget* w : runControls())
        w->setEnabled(true);
}

void TSorami::lockDrillControls() {
    disableRunControls();
    for (QWidget* w : drillButtons() + editButtons())
        w->setEnabled(false);
}

void TSorami::lockDrillButtons() {
    disableRunControls();
    for (QWidget* w : drillButtons())
        w->setEnabled(false);
}

void TSorami::unlockDrillControls() {
    enableRunControls();
    for (QWidget* w : drillButtons() + editButtons())
        w->setEnabled(true);
}

// --- Wiring ---------------------------------------------------------------

void TSorami::onClick(QObject* sender, void (TSorami::*slot)()) {
    if (auto* a = qobject_cast<QAction*>(sender))
        connectGuarded(platform_, a, &QAction::triggered, this, slot);
    else
        connectGuarded(platform_, qobject_cast<QAbstractButton*>(sender), &QAbstractButton::clicked,
                       this, slot);
}

void TSorami::connectHandlers() {
    Platform& p = platform_;
    // Question file and resume record.
    for (auto* a : {FileOpn, N6})
        onClick(a, &TSorami::FileOpnClick);
    onClick(SpeedButtons[1], &TSorami::FileOpnClick);
    for (auto* a : {FileStore, Save1})
        onClick(a, &TSorami::FileStoreClick);
    onClick(SpeedButtons[2], &TSorami::FileStoreClick);
    for (auto* a : {NewFileName, SaveAs1})
        onClick(a, &TSorami::NewFileNameClick);
    onClick(SpeedButtons[3], &TSorami::NewFileNameClick);
    onClick(Kioku, &TSorami::KiokuClick);
    // Ending.
    onClick(Owari, &TSorami::OwariClick);
    for (auto* a : {Closed, X1})
        onClick(a, &TSorami::OwariClick);
    // Moves and orders.
    onClick(Susumeru, &TSorami::SusumeruClick);
    onClick(Modosu, &TSorami::ModosuClick);
    for (auto* a : {SirialSyutudai, N9})
        onClick(a, &TSorami::SerialSyutudaiClick);
    onClick(SpeedButtons[19], &TSorami::SerialSyutudaiClick);
    for (auto* a : {RandomSyutudai, N10})
        onClick(a, &TSorami::RandomSyutudaiClick);
    onClick(SpeedButtons[20], &TSorami::RandomSyutudaiClick);
    for (auto* a : {MatigaiSyutudaiOnly, N11})
        onClick(a, &TSorami::MatigaiSyutudai);
    onClick(Syutudai_Origin, &TSorami::Syutudai_OriginClick);
    connectGuarded(p, UpDown1, &UpDown::clicked, this, &TSorami::UpDown1Click);
    // Answer checking.
    onClick(KaitouSakusei, &TSorami::KaitouSakuseiClick);
    onClick(KaitouHyouzi, &TSorami::KaitouHyouziClick);
    onClick(HintDisp, &TSorami::HintDispClick);
    onClick(EraseKaitou, &TSorami::EraseKaitouClick);
    onClick(Onsei, &TSorami::OnseiClick);
    onClick(SpeedButtons[14], &TSorami::OnseiClick);
    onClick(EffectSound, &TSorami::EffectSoundClick);
    onClick(SpeedButtons[15], &TSorami::EffectSoundClick);
    onClick(SoundNothing, &TSorami::SoundNothingClick);
    onClick(SpeedButtons[16], &TSorami::SoundNothingClick);
    connectAdvanceHandlers();
    connectEditHandlers();
}

// --- Keys -----------------------------------------------------------------

void TSorami::keyPressEvent(QKeyEvent* event) {
    // Keys a text box let through reach the window as well; the answer box
    // has had its turn in the event filter, and the other boxes keep their
    // arrow keys for the caret.
    QWidget* focus = focusWidget();
    const bool fromTextBox = qobject_cast<QTextEdit*>(focus) ||
                             qobject_cast<QPlainTextEdit*>(focus) ||
                             qobject_cast<QLineEdit*>(focus);
    if (!fromTextBox) guarded(platform_, this, [&] { FormKeyDown(event->key()); });
    QMainWindow::keyPressEvent(event);
}

bool TSorami::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride) {
        // The menus' keys win over a text box's own binding for the same key.
        auto* key = static_cast<QKeyEvent*>(event);
        if (windowShortcuts_.contains(QKeySequence(key->keyCombination()))) {
            event->ignore();
            return true;
        }
        return false;
    }
    if (event->type() != QEvent::KeyPress) return false;
    auto* key = static_cast<QKeyEvent*>(event);
    if (watched == KaitouSakusei) {
        guarded(platform_, this, [&] { KaitouSakuseiKeyDown(key->key()); });
        return false;
    }
    if (qobject_cast<RichEdit*>(watched)) {
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            // No line breaks in the boxes: Enter presses the default button.
            if (KaitouSakusei->isEnabled()) KaitouSakusei->click();
            return true;
        }
        if (watched == KaitouDisp) guarded(platform_, this, [&] { FormKeyDown(key->key()); });
    }
    return false;
}

} // namespace sorami
