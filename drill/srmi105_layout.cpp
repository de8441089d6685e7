// The drill window's controls and where they stand. Every position is fixed
// in the 738 x 497 client area; resizing the window moves nothing.
#include "artwork.h"
#include "fonts.h"
#include "form_kit.h"
#include "srmi105.h"

#include <algorithm>

namespace sorami {
namespace {

QFont pixelFont(int pixels, bool bold = false) {
    FontSpec fontSpec;
    fontSpec.height = -pixels;
    fontSpec.bold = bold;
    return toQFont(fontSpec);
}

QFrame* panel(QWidget* parent, QFrame::Shadow shadow = QFrame::Raised) {
    auto* p = new QFrame(parent);
    p->setFrameStyle(QFrame::Panel | shadow);
    p->setLineWidth(1);
    // Panels are opaque: the covers hide what lies under them.
    p->setAutoFillBackground(true);
    return p;
}

QPlainTextEdit* memo(QWidget* parent, const QString& hint) {
    auto* m = new QPlainTextEdit(parent);
    m->setReadOnly(true);
    m->setLineWrapMode(QPlainTextEdit::NoWrap);
    m->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m->setFocusPolicy(Qt::ClickFocus);
    m->setToolTip(hint);
    return m;
}

QPushButton* button(QWidget* parent, const QString& caption, const QString& hint = {}) {
    auto* b = new QPushButton(caption, parent);
    b->setToolTip(hint);
    b->setAutoDefault(false);
    return b;
}

QLabel* valueLabel(QWidget* parent) {
    auto* l = new QLabel(QStringLiteral("0"), parent);
    l->setAlignment(Qt::AlignCenter);
    l->setFont(pixelFont(14, true));
    setBackColour(l, Colours::Silver);
    return l;
}

QLabel* captionLabel(QWidget* parent, const QString& text, int pixels = 14) {
    auto* l = new QLabel(text, parent);
    l->setFont(pixelFont(pixels));
    return l;
}

} // namespace

void TSorami::createControls() {
    Client = new QWidget(this);
    setCentralWidget(Client);

    // Left column.
    Panel6 = panel(Client);
    FileNameDisp = memo(Panel6, QStringLiteral("出題ﾌｧｲﾙ名"));
    setBackColour(FileNameDisp, Colours::Yellow);
    FileNameDisp->setFont(pixelFont(13));
    Panel4 = panel(Panel6, QFrame::Sunken);
    SouMondaiSuu = memo(Panel4, QStringLiteral("問題総数"));
    SouMondaiSuu->setFont(pixelFont(13));
    Label_Mondai = captionLabel(Panel4, QStringLiteral("問番号："));
    Label_Syutudai = captionLabel(Panel4, QStringLiteral("出題数："));
    Label_SeikaiRitu = captionLabel(Panel4, QStringLiteral("正解率："));
    Label_Kaitou = captionLabel(Panel4, QStringLiteral("解答数："));
    Label_Seikai = captionLabel(Panel4, QStringLiteral("正解数："));
    N_Mondai = valueLabel(Panel4);
    N_Syutudai = valueLabel(Panel4);
    SeikaiRitu = valueLabel(Panel4);
    setFontColour(SeikaiRitu, Colours::Red);
    N_Kaitou = valueLabel(Panel4);
    N_Seikai = valueLabel(Panel4);
    // A screen reader says each value with the caption beside it.
    Label_Mondai->setBuddy(N_Mondai);
    Label_Syutudai->setBuddy(N_Syutudai);
    Label_SeikaiRitu->setBuddy(SeikaiRitu);
    Label_Kaitou->setBuddy(N_Kaitou);
    Label_Seikai->setBuddy(N_Seikai);
    Panel11 = panel(Panel6, QFrame::Sunken);
    Panel11->setToolTip(QStringLiteral("正解率ｽｹｰﾙ"));
    Gauge1 = new QFrame(Panel11);
    setBackColour(Gauge1, Colours::Navy);

    // The twenty speed buttons; their pictures are single characters.
    static const char* const glyphs[21] = {"",   "開", "上", "名", "閉", "新", "変",
                                           "削", "全", "正", "和", "正", "解", "解",
                                           "声", "効", "無", "V",  "和", "順", "乱"};
    static const char* const hints[21] = {"",
                                          "ﾌｧｲﾙｵ-ﾌﾟﾝ",
                                          "ﾌｧｲﾙ上書き",
                                          "ﾌｧｲﾙに名前を付けて保存",
                                          "LkOｸﾛｰｽﾞ",
                                          "新規ﾃﾞｰﾀ追加",
                                          "ﾃﾞｰﾀの変更",
                                          "ﾃﾞｰﾀの削除",
                                          "ﾃﾞｰﾀを総て削除",
                                          "正解ﾌｫﾝﾄの種類",
                                          "和文箱のｶﾗ-",
                                          "正解箱のｶﾗ-",
                                          "解答ﾌｫﾝﾄの種類",
                                          "解答箱のｶﾗ-",
                                          "音声",
                                          "効果音",
                                          "音声･効果音なし",
                                          "ﾊﾞ-ｼﾞｮﾝ",
                                          "和文ﾌｫﾝﾄの種類",
                                          "ｼﾘｱﾙ出題",
                                          "ﾗﾝﾀﾞﾑ出題"};
    for (int i = 1; i <= 20; ++i) {
        const bool colourCommand = i == 10 || i == 11 || i == 13;
        auto* b = colourCommand ? new ColourCommandButton(Panel6) : new QToolButton(Panel6);
        b->setObjectName(QStringLiteral("SpeedButton%1").arg(i));
        b->setText(QString::fromUtf8(glyphs[i]));
        b->setToolTip(QString::fromUtf8(hints[i]));
        // The glyphs repeat ("和" for a font and for a colour): a screen
        // reader says what the button does.
        b->setAccessibleName(b->toolTip());
        b->setFont(pixelFont(13));
        b->setAutoRaise(false);
        b->setFocusPolicy(Qt::NoFocus);
        SpeedButtons[static_cast<size_t>(i)] = b;
    }
    SpeedBtnCover = panel(Panel6);
    DateDisp = new QLineEdit(SpeedBtnCover);
    ClockDisp = new QLineEdit(SpeedBtnCover);
    DateDisp->setAccessibleName(QStringLiteral("日付"));
    ClockDisp->setAccessibleName(QStringLiteral("時刻"));
    for (auto* e : {DateDisp, ClockDisp}) {
        e->setReadOnly(true);
        e->setAlignment(Qt::AlignCenter);
        e->setFont(pixelFont(14));
        e->setFocusPolicy(Qt::NoFocus);
    }

    Syutudai_No = new QLineEdit(Panel6);
    Syutudai_No->setReadOnly(true);
    Syutudai_No->setAlignment(Qt::AlignCenter);
    Syutudai_No->setToolTip(QStringLiteral("Originｲﾝﾌﾟｯﾄ箱"));
    Syutudai_No->setFocusPolicy(Qt::ClickFocus);
    Syutudai_Origin = button(Panel6, QStringLiteral("Origin"), QStringLiteral("出題ジャンプ"));
    Syutudai_Origin->setFont(pixelFont(13));
    UpDown1 = new UpDown(Panel6);
    UpDown1->setMin(1);
    UpDown1->setMax(100);
    UpDown1->setPosition(1);
    UpDown1->setToolTip(QStringLiteral("番号増減"));
    Kioku = button(Panel6, QStringLiteral("前回"), QStringLiteral("前回呼出し"));
    SpeedButton = button(Panel6, QStringLiteral("SpedBtn"), QStringLiteral("spdBtnｶﾊﾞ-SW"));
    SysExit = button(Panel6, QStringLiteral("SysBtn"), QStringLiteral("WinRestｶﾊﾞ-SW"));
    for (auto* b : {SpeedButton, SysExit})
        b->setFont(pixelFont(11));

    // Top strip.
    Bevel1 = panel(Client, QFrame::Sunken);
    MsgLetters = new QLabel(QStringLiteral("Ｍ\nＳ\nＧ"), Bevel1);
    MsgLetters->setAlignment(Qt::AlignCenter);
    MsgLetters->setFont(pixelFont(15, true));
    CorrectMsg = memo(Client, {});
    // The instructions of an edit run longer than the line; they wrap, at a
    // blank or anywhere in Japanese text, so all of them can be read.
    CorrectMsg->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    CorrectMsg->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    setBackColour(CorrectMsg, Colours::Silver);
    setFontColour(CorrectMsg, Colours::Maroon);

    // Centre: the three text boxes with their vertical captions.
    Panel1 = panel(Client);
    WabunDisp = new RichEdit(Panel1);
    SeikaiDisp = new RichEdit(Panel1);
    KaitouDisp = new RichEdit(Panel1);
    WabunDisp->setObjectName(QStringLiteral("WabunDisp"));
    SeikaiDisp->setObjectName(QStringLiteral("SeikaiDisp"));
    KaitouDisp->setObjectName(QStringLiteral("KaitouDisp"));
    for (RichEdit* box : {WabunDisp, SeikaiDisp, KaitouDisp})
        letLearnerChooseColours(box);
    LabelWa = captionLabel(Panel1, QStringLiteral("和"), 20);
    LabelBun = captionLabel(Panel1, QStringLiteral("文"), 20);
    LabelSei = captionLabel(Panel1, QStringLiteral("正"), 20);
    LabelKai = captionLabel(Panel1, QStringLiteral("解"), 20);
    LabelKai2 = captionLabel(Panel1, QStringLiteral("解"), 20);
    LabelTou = captionLabel(Panel1, QStringLiteral("答"), 20);
    Indicator = panel(Panel1, QFrame::Sunken);
    Indicator->setToolTip(QStringLiteral("出題の種類"));
    setBackColour(Indicator, SysColour::BtnFace);
    Panel10 = new QFrame(Client);
    setBackColour(Panel10, Colours::Maroon);

    // Bottom.
    Panel8 = panel(Client);
    SmallButtonFrame = panel(Panel8, QFrame::Sunken);
    BlockSyutudai = button(SmallButtonFrame, QStringLiteral("Blk"), QStringLiteral("ﾌﾞﾛｯｸ出題"));
    QFont bold = pixelFont(12, true);
    BlockSyutudai->setFont(bold);
    ProblemReset = button(SmallButtonFrame, QStringLiteral("Rst"), QStringLiteral("問題のﾘｾｯﾄ"));
    ToSrmMini = new QToolButton(SmallButtonFrame);
    ToSrmMini->setText(QStringLiteral("Min"));
    AutoSend = button(SmallButtonFrame, QStringLiteral("▶"), QStringLiteral("自動送り"));
    AutoDelay = new QToolButton(SmallButtonFrame);
    AutoDelay->setText(QStringLiteral("▷▷"));
    AutoDelay->setIcon(speedGlyph(SpeedGlyph::FlashAdvance));
    AutoDelay->setToolButtonStyle(Qt::ToolButtonIconOnly);
    AutoDelay->setToolTip(QStringLiteral("フラッシュ送り"));
    AutoStop = button(SmallButtonFrame, QStringLiteral("■"), QStringLiteral("自動送り停止"));
    for (QWidget* w : {static_cast<QWidget*>(ProblemReset), static_cast<QWidget*>(ToSrmMini),
                       static_cast<QWidget*>(AutoSend), static_cast<QWidget*>(AutoDelay),
                       static_cast<QWidget*>(AutoStop)})
        w->setFont(pixelFont(12));

    Modosu = button(Panel8, QStringLiteral("戻　す"));
    KaitouSakusei = button(Panel8, QStringLiteral("解答作成"));
    KaitouSakusei->setDefault(true);
    Susumeru = button(Panel8, QStringLiteral("進める"));
    Owari = button(Panel8, QStringLiteral("終　了"));
    KaitouHyouzi = button(Panel8, QStringLiteral("正解表示"));
    EraseKaitou = button(Panel8, QStringLiteral("解答ﾏｽｸ"));
    HintDisp = button(Panel8, QStringLiteral("慣用句"));

    Panel12 = panel(Panel8, QFrame::Sunken);
    Tuika_Btn = button(Panel12, QStringLiteral("追加"));
    Henkou_Btn = button(Panel12, QStringLiteral("変更"));
    Sakuzyo_Btn = button(Panel12, QStringLiteral("削除"));
    Cancel_Btn = button(Panel12, QStringLiteral("キャンセル"));
    for (auto* b : {Tuika_Btn, Henkou_Btn, Sakuzyo_Btn, Cancel_Btn})
        b->setFont(pixelFont(12));

    RadioGroup1 = new QGroupBox(QStringLiteral("RadioGroup1"), Panel8);
    RadioGroup1->setFont(pixelFont(11));
    // Its title is the form's own name for it, which says nothing to a listener.
    RadioGroup1->setAccessibleName(QStringLiteral("セッションの終了方法"));
    RadioGroup1Items = new QButtonGroup(this);
    const QStringList exits = {QStringLiteral("強制終了"), QStringLiteral("ログオフ"),
                               QStringLiteral("電源カット"), QStringLiteral("再起動"),
                               QStringLiteral("終了")};
    for (int i = 0; i < exits.size(); ++i)
        RadioGroup1Items->addButton(new QRadioButton(exits[i], RadioGroup1), i);
    SysExitCover = panel(Panel8);
    KankyouKioku = button(SysExitCover, QStringLiteral("環境記憶"));
    KankyouKioku->setFont(pixelFont(13));

    showCovers();

    Timer1 = new IntervalTimer(this);
    Timer1->setInterval(1000);
    Timer2 = new IntervalTimer(this);
    Timer2->setInterval(3000);

    layoutControls();
}

void TSorami::layoutControls() {
    // Left column.
    Panel6->setGeometry(0, 0, 160, 497);
    FileNameDisp->setGeometry(4, 4, 152, 26);
    Panel4->setGeometry(4, 34, 152, 158);
    SouMondaiSuu->setGeometry(4, 4, 144, 24);
    const std::array<QLabel*, 5> captions = {Label_Mondai, Label_Syutudai, Label_SeikaiRitu,
                                             Label_Kaitou, Label_Seikai};
    const std::array<QLabel*, 5> values = {N_Mondai, N_Syutudai, SeikaiRitu, N_Kaitou, N_Seikai};
    for (int i = 0; i < 5; ++i) {
        const int y = 34 + i * 24;
        captions[static_cast<size_t>(i)]->setGeometry(8, y, 66, 20);
        values[static_cast<size_t>(i)]->setGeometry(76, y, 68, 20);
    }
    Panel11->setGeometry(4, 196, 152, 20);
    Gauge1->setGeometry(19, 4, 114, 12);

    // Four rows of five speed buttons, and the cover lying over them.
    static const int order[4][5] = {
        {1, 2, 3, 4, 5}, {6, 7, 8, 18, 9}, {12, 10, 11, 13, 14}, {15, 16, 19, 20, 17}};
    for (int row = 0; row < 4; ++row)
        for (int col = 0; col < 5; ++col)
            SpeedButtons[static_cast<size_t>(order[row][col])]->setGeometry(10 + col * 28,
                                                                            226 + row * 28, 28, 28);
    SpeedBtnCover->setGeometry(6, 222, 148, 120);
    DateDisp->setGeometry(8, 22, 132, 26);
    ClockDisp->setGeometry(8, 70, 132, 26);

    // The question-number jump and the resume button.
    Syutudai_No->setGeometry(6, 352, 88, 26);
    UpDown1->setGeometry(6, 382, 88, 24);
    Syutudai_Origin->setGeometry(6, 410, 88, 28);
    Kioku->setGeometry(98, 352, 56, 86);

    SpeedButton->setGeometry(6, 466, 72, 24);
    SysExit->setGeometry(82, 466, 72, 24);

    // Top strip.
    Bevel1->setGeometry(164, 4, 24, 64);
    MsgLetters->setGeometry(1, 1, 22, 62);
    CorrectMsg->setGeometry(192, 4, 534, 64);

    // Centre.
    Panel1->setGeometry(164, 72, 562, 326);
    const std::array<RichEdit*, 3> boxes = {WabunDisp, SeikaiDisp, KaitouDisp};
    const std::array<std::pair<QLabel*, QLabel*>, 3> boxCaptions = {std::pair{LabelWa, LabelBun},
                                                                    std::pair{LabelSei, LabelKai},
                                                                    std::pair{LabelKai2, LabelTou}};
    for (int i = 0; i < 3; ++i) {
        const int y = 6 + i * 106;
        boxes[static_cast<size_t>(i)]->setGeometry(34, y, 522, 100);
        boxCaptions[static_cast<size_t>(i)].first->setGeometry(8, y + 8, 22, 24);
        boxCaptions[static_cast<size_t>(i)].second->setGeometry(8, y + 34, 22, 24);
    }
    Indicator->setGeometry(8, 72, 20, 20);
    Panel10->setGeometry(730, 0, 8, 497);

    // Bottom.
    Panel8->setGeometry(164, 402, 562, 92);
    SmallButtonFrame->setGeometry(4, 4, 86, 84);
    const std::array<QWidget*, 6> small = {BlockSyutudai, ProblemReset, ToSrmMini,
                                           AutoSend,      AutoDelay,    AutoStop};
    for (int i = 0; i < 6; ++i)
        small[static_cast<size_t>(i)]->setGeometry(3 + (i / 3) * 41, 3 + (i % 3) * 26, 39, 25);

    Modosu->setGeometry(94, 6, 70, 38);
    KaitouSakusei->setGeometry(166, 6, 70, 38);
    Susumeru->setGeometry(238, 6, 70, 38);
    KaitouHyouzi->setGeometry(94, 48, 70, 38);
    EraseKaitou->setGeometry(166, 48, 70, 38);
    HintDisp->setGeometry(238, 48, 70, 38);
    Owari->setGeometry(312, 6, 50, 80);

    Panel12->setGeometry(366, 4, 100, 84);
    Tuika_Btn->setGeometry(3, 3, 31, 40);
    Henkou_Btn->setGeometry(34, 3, 31, 40);
    Sakuzyo_Btn->setGeometry(65, 3, 31, 40);
    Cancel_Btn->setGeometry(3, 46, 93, 34);

    // The folded cover leaves a strip over the right edge of this place;
    // the group stays left of it, its whole frame in sight.
    RadioGroup1->setGeometry(470, 0, 84, 91);
    // The items share what the frame leaves under its title, in the style
    // and font in force, so none crosses the title line or the frame; the
    // round marks are made as small as a row needs.
    RadioGroup1->ensurePolished();
    const QRect inside = RadioGroup1->contentsRect().adjusted(2, 0, -1, -1);
    const auto radios = RadioGroup1Items->buttons();
    const int rowHeight = inside.height() / static_cast<int>(radios.size());
    const int mark = std::min(rowHeight - 1, 12);
    RadioGroup1->setStyleSheet(
        QStringLiteral("QRadioButton { spacing: 2px; } "
                       "QRadioButton::indicator { width: %1px; height: %1px; }")
            .arg(mark));
    for (int i = 0; i < radios.size(); ++i)
        radios[i]->setGeometry(inside.left(), inside.top() + i * rowHeight, inside.width(),
                               rowHeight);
    SysExitCover->setGeometry(470, 0, 88, 90);
    KankyouKioku->setGeometry(6, 26, 76, 36);
    // Captions that the face of this desktop draws wider than the original
    // buttons are set a little smaller, never cut.
    for (QPushButton* b : Client->findChildren<QPushButton*>())
        fitCaption(b);
}

} // namespace sorami
