// TSorami: the appearance of the three text boxes and its store, and the
// window's extras: date and clock, the two covers, the session-end group,
// help, the version dialog and the card viewer.
#include "srmi105.h"

#include "LkOVer10.h"
#include "Memnote1.h"
#include "SrmMinifm.h"
#include "clock_text.h"
#include "colour_qt.h"
#include "cue_names.h"
#include "error_guard.h"
#include "font_profile.h"
#include "fonts.h"
#include "form_kit.h"
#include "profile_ini.h"
#include "program_paths.h"

#include <QEvent>
#include <QMouseEvent>
#include <iterator>

namespace sorami {

namespace {

// Calls `handler` when the watched widget itself is clicked.
class ClickFilter : public QObject {
public:
    ClickFilter(QWidget* watched, std::function<void()> handler)
        : QObject(watched), handler_(std::move(handler)) {
        watched->installEventFilter(this);
    }
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::MouseButtonRelease &&
            static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
            handler_();
        return false;
    }

private:
    std::function<void()> handler_;
};

// Face, size and colour only: the style and character set the box's font
// has stay as they are.
void copyFaceSizeColour(RichEdit* box, const FontSpec& fontSpec) {
    const QFont chosen = toQFont(fontSpec);
    QFont f = box->font();
    f.setFamilies(chosen.families());
    if (chosen.pixelSize() > 0)
        f.setPixelSize(chosen.pixelSize());
    else
        f.setPointSizeF(chosen.pointSizeF());
    box->setFont(f);
    QPalette pal = box->palette();
    pal.setColor(QPalette::Text, toQColor(fontSpec.colour));
    box->setPalette(pal);
    box->setProperty("fontColourValue", fontSpec.colour);
    fitTextColours(box);
}

} // namespace

void TSorami::initAppearanceChoosers() {
    for (FontChooser* c : {&FontDialog1, &FontDialog2, &FontDialog3})
        c->font = pixelFontSpec(face::System, 13);
    // The boxes start in the window colour rather than black: black boxes
    // would hide the window-text coloured sentences until an appearance was
    // stored.
    for (ColourChooser* c : {&ColorDialog1, &ColorDialog2, &ColorDialog3})
        c->colour = SysColour::Window;
}

QList<TSorami::Appearance> TSorami::appearanceSlots() {
    return {{WabunDisp, &FontDialog1, &ColorDialog1, QStringLiteral("和文font"),
             QStringLiteral("和文箱ｶﾗｰ")},
            {SeikaiDisp, &FontDialog2, &ColorDialog2, QStringLiteral("正解font"),
             QStringLiteral("正解箱ｶﾗｰ")},
            {KaitouDisp, &FontDialog3, &ColorDialog3, QStringLiteral("解答font"),
             QStringLiteral("解答箱ｶﾗｰ")}};
}

void TSorami::connectExtrasHandlers() {
    Platform& p = platform_;
    onClick(Wabun, &TSorami::WabunClick);
    onClick(SpeedButtons[18], &TSorami::WabunClick);
    onClick(Seikai, &TSorami::SeikaiClick);
    onClick(SpeedButtons[9], &TSorami::SeikaiClick);
    onClick(Kaito, &TSorami::KaitoClick);
    onClick(SpeedButtons[12], &TSorami::KaitoClick);
    onClick(WabunBox, &TSorami::WabunBoxClick);
    onClick(SpeedButtons[10], &TSorami::WabunBoxClick);
    onClick(SeikaiBox, &TSorami::SeikaiBoxClick);
    onClick(SpeedButtons[11], &TSorami::SeikaiBoxClick);
    onClick(KaitouBox, &TSorami::KaitouBoxClick);
    onClick(SpeedButtons[13], &TSorami::KaitouBoxClick);
    onClick(KankyouKioku, &TSorami::KankyouKiokuClick);
    onClick(SeisekiTone, &TSorami::SeisekiToneClick);

    Timer1->onTimer([this] { Timer1Timer(); }, &p, this);
    onClick(SpeedButton, &TSorami::SpeedBtnCoverClick);
    new ClickFilter(SpeedBtnCover,
                    [this] { guarded(platform_, this, [this] { SpeedBtnCoverClick(); }); });
    onClick(SysExit, &TSorami::SysExitClick);
    connectGuarded(p, RadioGroup1Items, &QButtonGroup::idClicked, this, &TSorami::RadioGroup1Click);
    onClick(EMemNote, &TSorami::HelpClick);
    onClick(EMemoDispVersion, &TSorami::VersionDispClick);
    onClick(SpeedButtons[17], &TSorami::VersionDispClick);
    onClick(ToSrmMini, &TSorami::ToSrmMiniClick);
    for (QAction* a : {EMemoNote, N20})
        onClick(a, &TSorami::EMemoNoteClick);
}

// --- Appearance -----------------------------------------------------------

void TSorami::LoadAppearance() {
    const ProfileIni ini(programIniPath());
    for (const Appearance& slot : appearanceSlots()) {
        readFontKeys(ini, slot.fontSection, slot.font->font);
        const int colour = ini.readInteger(slot.colourSection, QStringLiteral("BoxColor"), -1);
        if (colour != -1) slot.colour->colour = colour;
    }
}

void TSorami::ApplyBoxFonts() {
    for (const Appearance& slot : appearanceSlots())
        copyFaceSizeColour(slot.box, slot.font->font);
}

void TSorami::ApplyBoxColours() {
    for (const Appearance& slot : appearanceSlots())
        setBackColour(slot.box, slot.colour->colour);
}

void TSorami::chooseBoxFont(int slotIndex) {
    const Appearance slot = appearanceSlots().at(slotIndex);
    if (platform_.chooseFont(this, *slot.font)) applyBoxFont(slot.box, slot.font->font);
}

void TSorami::chooseBoxColour(int slotIndex) {
    const Appearance slot = appearanceSlots().at(slotIndex);
    if (platform_.chooseColour(this, *slot.colour)) setBackColour(slot.box, slot.colour->colour);
}

void TSorami::WabunClick() {
    chooseBoxFont(0);
}
void TSorami::SeikaiClick() {
    chooseBoxFont(1);
}
void TSorami::KaitoClick() {
    chooseBoxFont(2);
}
void TSorami::WabunBoxClick() {
    chooseBoxColour(0);
}
void TSorami::SeikaiBoxClick() {
    chooseBoxColour(1);
}
void TSorami::KaitouBoxClick() {
    chooseBoxColour(2);
}

void TSorami::KankyouKiokuClick() {
    setFontColour(KankyouKioku, Colours::Red);
    const MsgResult answer = platform_.messageBox(
        this,
        QStringLiteral("現在の環境(フォント,Ｂｏｘカラー)を記憶します。\r\n"
                       "次回\"ｶﾞﾝﾊﾞﾚソラミ君\"の起動時は現在の環境が反映されます。"),
        MsgIcon::Question, MsgButtons::OkCancel);
    if (answer == MsgResult::Ok) {
        platform_.playSound(cue::Up, true);
        // A store that cannot be written ends the command there (nothing is
        // written: the keys go in one write), and the caption stays red, the
        // lamp of a store that did not finish.
        ProfileIni ini(programIniPath());
        ini.batch([&] {
            for (const Appearance& slot : appearanceSlots()) {
                writeFontKeys(ini, slot.fontSection, slot.font->font);
                ini.writeInteger(slot.colourSection, QStringLiteral("BoxColor"),
                                 slot.colour->colour);
            }
        });
    } else {
        platform_.playSound(cue::Cancel, true);
    }
    setFontColour(KankyouKioku, Colours::Black);
}

void TSorami::SeisekiToneClick() {
    modes_.showyTone.press();
}

// --- Window extras --------------------------------------------------------

void TSorami::Timer1Timer() {
    const QDateTime now = platform_.localTime();
    DateDisp->setText(dateDispText(now.date()));
    ClockDisp->setText(clockDispText(now.time()));
}

void TSorami::showCovers() {
    // What a cover lies over is hidden, not only painted over: it takes no
    // focus, no key and no click, and no screen reader lists it. What lies on
    // a folded cover is out of sight the same way.
    const bool speedButtons = modes_.speedButtons.on();
    for (int i = 1; i <= 20; ++i)
        SpeedButtons[static_cast<size_t>(i)]->setVisible(speedButtons);
    DateDisp->setVisible(!speedButtons);
    ClockDisp->setVisible(!speedButtons);
    const bool exitPanel = modes_.exitPanel.on();
    RadioGroup1->setVisible(exitPanel);
    KankyouKioku->setVisible(!exitPanel);
}

void TSorami::SpeedBtnCoverClick() {
    SpeedBtnCover->resize(SpeedBtnCover->width(),
                          modes_.speedButtons.press() ? 3 : coverPanelHeight_);
    showCovers();
    // Laid out and painted at once, not at the next idle moment.
    Panel6->repaint();
}

void TSorami::SysExitClick() {
    if (modes_.exitPanel.press())
        SysExitCover->setGeometry(SysExitCover->x() + SysExitCover->width() - 4, SysExitCover->y(),
                                  4, SysExitCover->height());
    else
        SysExitCover->setGeometry(exitCoverLeft_, SysExitCover->y(), exitCoverWidth_,
                                  SysExitCover->height());
    showCovers();
    Panel8->repaint();
}

void TSorami::RadioGroup1Click(int index) {
    // One request per item: only the first ends the session without asking
    // its programs.
    static constexpr SessionEnd requests[] = {SessionEnd::ForcedLogOff, SessionEnd::LogOff,
                                              SessionEnd::PowerOff, SessionEnd::Reboot,
                                              SessionEnd::Halt};
    if (index < 0 || index >= static_cast<int>(std::size(requests))) return;
    if (platform_.endSession(requests[index]) == SessionEndResult::NoSessionManager)
        // Forcing the log-off instead would lose what other programs hold unsaved.
        platform_.messageBox(this,
                             QStringLiteral("ログオフを受け付けるセッションマネージャーが"
                                            "見つかりません。\r\n"
                                            "デスクトップのメニューからログオフしてください。"),
                             MsgIcon::Information, MsgButtons::Ok);
}

void TSorami::HelpClick() {
    platform_.showHelp(this, QStringLiteral("Sorami10.hlp"));
}

void TSorami::VersionDispClick() {
    TLkOVer10 dialog;
    dialog.exec();
}

void TSorami::EMemoNoteClick() {
    openMemoNote(platform_, this);
}

void TSorami::ToSrmMiniClick() {
    showMinimized();
    platform_.playSound(cue::Up, false);
    platform_.messageBox(this, QStringLiteral("ｶﾞﾝﾊﾞﾚソラミ君のミニ版です！"), MsgIcon::None,
                         MsgButtons::Ok);
    {
        TSoramiMiniVer viewer(platform_, ViewerBuild::InDrill);
        viewer.showModal();
    }
    if (platform_.messageBox(this, QStringLiteral("がんばれソラミ君･ＬｋＯに戻りますか？"),
                             MsgIcon::Question, MsgButtons::YesNo) == MsgResult::Yes)
        showNormal();
    else
        close();
}

} // namespace sorami
