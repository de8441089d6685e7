#include "srmminfm32.h"
#include "text_box.h"

#include "artwork.h"
#include "error_guard.h"
#include "font_profile.h"
#include "form_kit.h"
#include "profile_ini.h"
#include "program_paths.h"
#include "sjis_text.h"
#include "sorami_error.h"

#include <QCheckBox>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QToolButton>
#include <algorithm>
#include <climits>

namespace sorami {
namespace {

const QString upperSection = QStringLiteral("和文font");
const QString lowerSection = QStringLiteral("正解font");
FontSpec designFont() {
    return pointFontSpec(face::System, 12);
}

QRadioButton* makeModeButton(QWidget* parent, const QString& hint) {
    auto* b = new QRadioButton(parent);
    b->setToolTip(hint);
    return b;
}

QCheckBox* makeSwitch(QWidget* parent, const QString& hint) {
    auto* b = new QCheckBox(parent);
    b->setToolTip(hint);
    return b;
}

} // namespace

TSoramiMini::TSoramiMini(Platform& platform, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint),
      platform_(platform) {
    setWindowTitle(QStringLiteral("ソラミ君ミニ　Ver1.0           "));
    setFont(pixelFont(face::PGothic, 12));
    OpenDialog1.filter = QStringLiteral("ソラミ君データ（*.lko)|*.lko");
    OpenDialog1.initialDir = questionFolderAtStart();
    FontDialog1.font = designFont();
    FontDialog2.font = designFont();
    createControls();
    connectHandlers();
    TangoDisp->setAccessibleName(QStringLiteral("和文"));
    ImiDisp->setAccessibleName(QStringLiteral("正解"));
    InputsBox->setAccessibleName(QStringLiteral("送り間隔"));
    finishForm(this);
    guarded(platform_, this, [this] { FormCreate(); });
}

void TSoramiMini::createControls() {
    Panel1 = new QFrame(this);
    Panel1->setFrameShape(QFrame::Panel);
    Panel1->setFrameShadow(QFrame::Raised);
    setFaceColour(Panel1, Colours::Silver);
    TangoDisp = new QPlainTextEdit(Panel1);
    TangoDisp->setLineWrapMode(QPlainTextEdit::NoWrap);
    ImiDisp = new QPlainTextEdit(Panel1);
    applyBoxFont(TangoDisp, FontDialog1.font);
    applyBoxFont(ImiDisp, FontDialog2.font);

    Panel2 = new QFrame(this);
    Panel2->setFrameShape(QFrame::Panel);
    Panel2->setFrameShadow(QFrame::Raised);
    FileOpen = makeSpeedButton(Panel2, SpeedGlyph::Open, QStringLiteral("ファイルを開く"));
    Exit = makeSpeedButton(Panel2, SpeedGlyph::Exit, QStringLiteral("ソラミ君ミニを閉じる"));
    Modoru = makeSpeedButton(Panel2, SpeedGlyph::Back, QStringLiteral("問題を戻す"));
    Susumeru = makeSpeedButton(Panel2, SpeedGlyph::Forward, QStringLiteral("問題を進める"));
    SpeedButton1 =
        makeSpeedButton(Panel2, SpeedGlyph::Answer, QStringLiteral("ソラミ文を表示する"));
    Ideom = makeSpeedButton(Panel2, SpeedGlyph::Idiom, QStringLiteral("熟語、慣用句を表示する"));
    WubunFont =
        makeSpeedButton(Panel2, SpeedGlyph::JapaneseFont, QStringLiteral("和文フォントの選択"));
    EibunFont =
        makeSpeedButton(Panel2, SpeedGlyph::EnglishFont, QStringLiteral("英文フォントの選択"));

    Label2 = new QLabel(QStringLiteral("総問題数＝"), this);
    ProblemNum = new QLabel(this);
    Label3 = new QLabel(QStringLiteral("問題番号＝"), this);
    ProblemNo = new QLabel(this);
    AutoSenderLabel = new QLabel(QStringLiteral("自動送りの間隔＝"), this);
    InputsBox = new QLineEdit(this);
    // A screen reader says each count and the interval with its caption.
    Label2->setBuddy(ProblemNum);
    Label3->setBuddy(ProblemNo);
    AutoSenderLabel->setBuddy(InputsBox);
    // The interval is typed in digits: no input method in between.
    InputsBox->setAttribute(Qt::WA_InputMethodEnabled, false);
    InputsBox->setInputMethodHints(Qt::ImhDigitsOnly);
    RadioButton1 = makeModeButton(this, QStringLiteral("普通の状態"));
    RadioButton1->setChecked(true);
    RadioButton2 = makeModeButton(this, QStringLiteral("自動送り"));
    RadioButton3 = makeModeButton(this, QStringLiteral("ﾌﾗｯｼｭ送り"));
    SetButton = new QPushButton(QStringLiteral("ｾｯﾄ"), this);
    SetButton->setToolTip(QStringLiteral("自動送りｾｯﾄﾎﾞﾀﾝ"));
    SetButton->setAutoDefault(false);
    CheckBox1 = makeSwitch(this, QStringLiteral("常時ソラミ文表示"));
    CheckBox2 = makeSwitch(this, QStringLiteral("常時熟語表示"));

    Timer1 = new IntervalTimer(this);
    Timer2 = new IntervalTimer(this);
}

void TSoramiMini::layOut() {
    // Fixed positions; enlarging the window adds room to the right and below.
    resize(632, 129);
    Panel1->setGeometry(0, 0, 566, 109);
    TangoDisp->setGeometry(4, 4, 558, 48);
    ImiDisp->setGeometry(4, 55, 558, 50);
    Panel2->setGeometry(568, 0, 64, 109);
    QToolButton* const grid[4][2] = {
        {FileOpen, Exit}, {Modoru, Susumeru}, {SpeedButton1, Ideom}, {WubunFont, EibunFont}};
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 2; ++c)
            grid[r][c]->setGeometry(4 + c * 28, 3 + r * 26, 27, 25);

    // The strip along the bottom, left to right.
    Label2->setGeometry(6, 114, 60, 12);
    ProblemNum->setGeometry(66, 114, 40, 12);
    Label3->setGeometry(112, 114, 60, 12);
    ProblemNo->setGeometry(172, 114, 40, 12);
    AutoSenderLabel->setGeometry(301, 114, 96, 12);
    InputsBox->setGeometry(398, 111, 34, 17);
    RadioButton1->setGeometry(436, 113, 14, 14);
    RadioButton2->setGeometry(452, 113, 14, 14);
    RadioButton3->setGeometry(468, 113, 14, 14);
    SetButton->setGeometry(486, 111, 38, 17);
    CheckBox1->setGeometry(530, 113, 14, 14);
    CheckBox2->setGeometry(548, 113, 14, 14);
}

void TSoramiMini::connectHandlers() {
    // The boxes' own menu, with the speak command below it.
    speak_ = addCardSpeakCommand(platform_, this, cards_);
    for (QPlainTextEdit* box : {TangoDisp, ImiDisp}) {
        box->setContextMenuPolicy(Qt::CustomContextMenu);
        connectGuarded(platform_, box, &QWidget::customContextMenuRequested, this,
                       [this, box](const QPoint& pos) {
                           QMenu* menu = box->createStandardContextMenu();
                           menu->setAttribute(Qt::WA_DeleteOnClose);
                           menu->addSeparator();
                           menu->addAction(speak_.action);
                           menu->popup(box->viewport()->mapToGlobal(pos));
                       });
    }
    connectGuarded(platform_, FileOpen, &QToolButton::clicked, this, &TSoramiMini::YomikomiClick);
    connectGuarded(platform_, Exit, &QToolButton::clicked, this, &TSoramiMini::TojiruClick);
    connectGuarded(platform_, Modoru, &QToolButton::clicked, this, &TSoramiMini::ModoruClick);
    connectGuarded(platform_, Susumeru, &QToolButton::clicked, this, &TSoramiMini::SusumeruClick);
    connectGuarded(platform_, SpeedButton1, &QToolButton::clicked, this, &TSoramiMini::ImiClick);
    connectGuarded(platform_, Ideom, &QToolButton::clicked, this, &TSoramiMini::IdeomClick);
    connectGuarded(platform_, WubunFont, &QToolButton::clicked, this, &TSoramiMini::WubunFontClick);
    connectGuarded(platform_, EibunFont, &QToolButton::clicked, this, &TSoramiMini::EibunFontClick);
    connectGuarded(platform_, CheckBox1, &QCheckBox::clicked, this, &TSoramiMini::CheckBox1Click);
    connectGuarded(platform_, CheckBox2, &QCheckBox::clicked, this, &TSoramiMini::CheckBox2Click);
    // A mode button acts when it becomes the selected one, by a click or
    // the arrow keys; clicking the button already selected changes nothing
    // (a second flash step would otherwise run).
    const auto onSelected = [this](QRadioButton* button, void (TSoramiMini::*handler)()) {
        connectGuarded(platform_, button, &QRadioButton::toggled, this, [this, handler](bool on) {
            if (on) (this->*handler)();
        });
    };
    onSelected(RadioButton1, &TSoramiMini::RadioButton1Click);
    onSelected(RadioButton2, &TSoramiMini::RadioButton2Click);
    onSelected(RadioButton3, &TSoramiMini::RadioButton3Click);
    connectGuarded(platform_, SetButton, &QPushButton::clicked, this, &TSoramiMini::SetButtonClick);
}

void TSoramiMini::FormCreate() {
    layOut();
    centreOnScreen(this);
    AutoSenderLabel->hide();
    InputsBox->hide();
    autoAdvanceOn_ = 0;
    flashAdvanceOn_ = 0;
    // Both timers stand still until an interval is set; the tick handlers
    // are attached only after that, so neither starts on its default interval.
    Timer1->setInterval(0);
    Timer2->setInterval(0);
    Timer1->onTimer([this] { Timer1Timer(); }, &platform_, this);
    Timer2->onTimer([this] { Timer2Timer(); }, &platform_, this);
    cards_.clear();
    loadFontSettings();
}

void TSoramiMini::loadFontSettings() {
    const ProfileIni ini(programIniPath());
    readFontKeys(ini, upperSection, FontDialog1.font);
    readFontKeys(ini, lowerSection, FontDialog2.font);
    applyBoxFont(TangoDisp, FontDialog1.font);
    applyBoxFont(ImiDisp, FontDialog2.font);
}

void TSoramiMini::YomikomiClick() {
    if (openCardFile(platform_, this, OpenDialog1, cards_)) showOpenedFile();
}

void TSoramiMini::openFile(const QString& path) {
    guarded(platform_, this, [&] {
        if (openCardFile(platform_, this, OpenDialog1, cards_, path)) showOpenedFile();
    });
}

void TSoramiMini::showOpenedFile() {
    setWindowTitle(QStringLiteral("ソラミ君ミニVer1.0 [") + cards_.fileName + QStringLiteral("]"));
    ProblemNum->setText(QString::number(questionCount(cards_.lines)));
    showCard();
    showAlways();
    ProblemNo->setText(QStringLiteral("1"));
}

void TSoramiMini::SusumeruClick() {
    cards_.next();
    showCard();
    showNumber();
    showAlways();
}

void TSoramiMini::ModoruClick() {
    cards_.previous();
    showCard();
    showNumber();
    showAlways();
}

void TSoramiMini::showCard() {
    view().showCard(cards_);
}

void TSoramiMini::showNumber() {
    ProblemNo->setText(QString::number(cards_.number()));
}

void TSoramiMini::showAlways() {
    if (alwaysShowAnswer_ == 1)
        ImiClick();
    else if (alwaysShowIdiom_ == 1)
        IdeomClick();
}

void TSoramiMini::ImiClick() {
    view().showAnswer(cards_);
}

void TSoramiMini::IdeomClick() {
    view().showIdiom(cards_);
}

void TSoramiMini::WubunFontClick() {
    if (platform_.chooseFont(this, FontDialog1)) applyBoxFont(TangoDisp, FontDialog1.font);
}

void TSoramiMini::EibunFontClick() {
    if (platform_.chooseFont(this, FontDialog2)) applyBoxFont(ImiDisp, FontDialog2.font);
}

void TSoramiMini::CheckBox1Click() {
    if (CheckBox1->isChecked()) {
        alwaysShowAnswer_ = 1;
        alwaysShowIdiom_ = 0;
        CheckBox2->setEnabled(false);
    } else {
        alwaysShowAnswer_ = 0;
        CheckBox2->setEnabled(true);
    }
}

void TSoramiMini::CheckBox2Click() {
    if (CheckBox2->isChecked()) {
        alwaysShowIdiom_ = 1;
        alwaysShowAnswer_ = 0;
        CheckBox1->setEnabled(false);
    } else {
        alwaysShowIdiom_ = 0;
        CheckBox1->setEnabled(true);
    }
}

void TSoramiMini::RadioButton1Click() {
    RadioButton1->setChecked(true);
    autoAdvanceOn_ = 0;
    flashAdvanceOn_ = 0;
    AutoSenderLabel->hide();
    InputsBox->hide();
    Timer1->setInterval(0);
    Timer2->setInterval(0);
}

void TSoramiMini::RadioButton2Click() {
    if (!RadioButton2->isChecked()) return;
    autoAdvanceOn_ = 1;
    flashAdvanceOn_ = 0;
    AutoSenderLabel->show();
    InputsBox->show();
    AutoSenderLabel->setText(QStringLiteral("自動送りの間隔＝"));
    Timer2->setInterval(0);
}

void TSoramiMini::RadioButton3Click() {
    if (!RadioButton3->isChecked()) return;
    autoAdvanceOn_ = 0;
    flashAdvanceOn_ = 1;
    AutoSenderLabel->show();
    InputsBox->show();
    AutoSenderLabel->setText(QStringLiteral("フラッシュ間隔＝"));
    Timer1->setInterval(0);
    Timer2Timer();
}

void TSoramiMini::SetButtonClick() {
    QString text = InputsBox->text();
    if (text.isEmpty()) {
        text = QStringLiteral("5");
        InputsBox->setText(text);
    }
    bool ok = false;
    const int seconds = text.trimmed().toInt(&ok, 10);
    if (!ok) sorami::raise(QStringLiteral("'%1' は有効な整数値ではありません").arg(text));
    // A negative interval stops the timer as 0 does; a huge one is held at
    // the longest interval a timer can take.
    const int ms = seconds <= 0 ? 0 : static_cast<int>(std::min(seconds * 1000LL, 0LL + INT_MAX));
    if (autoAdvanceOn_ == 1) {
        Timer1->setInterval(ms);
        Timer1Timer();
    }
    if (flashAdvanceOn_ == 1) {
        Timer2->setInterval(ms);
        Timer2Timer();
    }
}

void TSoramiMini::Timer1Timer() {
    SusumeruClick();
}

void TSoramiMini::Timer2Timer() {
    if (flashStep_ == 0) {
        SusumeruClick();
        flashHeldText_ = ImiDisp->toPlainText();
        ImiDisp->clear();
        flashStep_ = 1;
    } else {
        showPlainText(ImiDisp, flashHeldText_);
        flashStep_ = 0;
    }
}

void TSoramiMini::TojiruClick() {
    if (platform_.messageBox(this, QStringLiteral("閉じてもいいですか？"), MsgIcon::Question,
                             MsgButtons::YesNo) != MsgResult::Yes)
        return;
    // The learner said to close: a full disk or a read-only folder is told
    // once, and the window closes all the same.
    try {
        ProfileIni ini(programIniPath());
        ini.batch([&] {
            writeFontKeys(ini, upperSection, FontDialog1.font);
            writeFontKeys(ini, lowerSection, FontDialog2.font);
        });
    } catch (const SoramiError& e) {
        platform_.errorBox(this, e.text());
    }
    close();
}

} // namespace sorami
