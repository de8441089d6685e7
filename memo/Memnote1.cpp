#include "Memnote1.h"

#include "artwork.h"
#include "busy_cursor.h"
#include "error_guard.h"
#include "fonts.h"
#include "form_kit.h"
#include "recovery.h"
#include "rich_text_qt.h"
#include "sjis_text.h"
#include "sorami_error.h"
#include "termination.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QToolButton>
#include <cmath>
#include <optional>

namespace sorami {
namespace {

const QString RichPanelOpening = QStringLiteral("書式付きファイル形式（Rich形式）です");
const QString RichPanelSwitch = QStringLiteral("書式付きファイル形式（Rich形式）です。");
const QString PlainPanel = QStringLiteral("通常のテキストファイル形式です。");
const QString ModifiedPanel = QStringLiteral("変更あり");
constexpr std::size_t LongParagraph = 4096;

// A 25 × 25 glyph button with its hint that never takes the focus, so the
// caret stays in the notebook.
QToolButton* glyphButton(QWidget* parent, const QIcon& icon, const QString& hint) {
    auto* b = new QToolButton(parent);
    b->setIcon(icon);
    b->setToolTip(hint);
    b->setFocusPolicy(Qt::NoFocus);
    b->setAutoRaise(false);
    return b;
}

QPushButton* modeButton(QWidget* parent, const QString& caption, const QString& hint) {
    auto* b = new QPushButton(caption, parent);
    b->setToolTip(hint);
    b->setFocusPolicy(Qt::NoFocus);
    b->setAutoDefault(false);
    b->setFont(pixelFont(face::Gothic, 10, {.bold = true}));
    return b;
}

QString fileNamePart(const QString& path) {
    return QFileInfo(path).fileName();
}

} // namespace

TSrmMemNote::TSrmMemNote(Platform& platform, QWidget* parent)
    : QDialog(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint),
      platform_(platform) {
    setWindowTitle(QStringLiteral("ソラミ君・メモノ－ト"));
    setFaceColour(this, SysColour::ActiveBorder);
    OpenDialog1.filter = QStringLiteral(
        "ソラミ君ﾒﾓﾌｧｲﾙ(*.mem)|*.mem|ソラミ君ﾌｧｲﾙ　(*.lko)|*.lko|ﾃｷｽﾄﾌｧｲﾙ　　(*.txt)　|*.txt|"
        "ﾊﾞｯｸｱｯﾌﾟﾌｧｲﾙ(*.bak)|*.bak|全てのﾌｧｲﾙ　(*.*)|*.*");
    SaveDialog1.filter = QStringLiteral("ソラミ君ﾒﾓﾌｧｲﾙ(*.mem)|*.mem|ソラミ君ﾌｧｲﾙ  (*.lko)|*.lko|"
                                        "ﾃｷｽﾄﾌｧｲﾙ　　(*.txt)|*.txt|全てのﾌｧｲﾙ  (*.*)|*.*");
    // The dialog offers question files too: replacing one by a memo unasked
    // would lose it.
    SaveDialog1.overwritePrompt = true;
    FontDialog1.font = pixelFontSpec(face::System, 13);
    createControls();
    createMenu();
    layOut();
    connectHandlers();
    finishForm(this);
}

void TSrmMemNote::createControls() {
    Panel1 = new QFrame(this);
    Panel1->setFrameShape(QFrame::Panel);
    Panel1->setFrameShadow(QFrame::Sunken);

    EditColor = new QComboBox(Panel1);
    EditColor->setToolTip(QStringLiteral("メモの背景色"));
    EditColor->setFocusPolicy(Qt::NoFocus);
    for (const auto& c : BackgroundColours)
        EditColor->addItem(QString::fromUtf8(c.name));
    EditColor->setCurrentIndex(-1);

    RichButton =
        modeButton(Panel1, QStringLiteral("R"), QStringLiteral("書式付きファイルスイッチ"));
    TextButton =
        modeButton(Panel1, QStringLiteral("T"), QStringLiteral("テキストファイルスイッチ"));
    Mark = new QFrame(Panel1);
    Mark->setAutoFillBackground(true);
    setBackColour(Mark, Colours::Aqua);

    QStyle* s = style();
    // The letters are text on the buttons' face, which the desktop colours.
    const QColor face = Panel1->palette().color(QPalette::Button);
    const QColor ink = readableOn(QColor(0, 0, 128), face);
    MemoOpen = glyphButton(Panel1, s->standardIcon(QStyle::SP_DialogOpenButton),
                           QStringLiteral("メモファイルを開く"));
    MemoOverWrite = glyphButton(Panel1, s->standardIcon(QStyle::SP_DialogSaveButton),
                                QStringLiteral("上書き保存"));
    MemoClose = glyphButton(Panel1, letterGlyph(QStringLiteral("名"), ink),
                            QStringLiteral("名前を付けて保存"));
    MemoNew = glyphButton(Panel1, s->standardIcon(QStyle::SP_FileIcon), QStringLiteral("新規作成"));
    MoveCursorEnd = glyphButton(Panel1, s->standardIcon(QStyle::SP_ArrowDown),
                                QStringLiteral("カーソルをメモノートの最後に移動"));
    MoveCursorTop = glyphButton(Panel1, s->standardIcon(QStyle::SP_ArrowUp),
                                QStringLiteral("カーソルをメモの先頭に移動"));
    MoveCursorLeft = glyphButton(Panel1, s->standardIcon(QStyle::SP_ArrowLeft),
                                 QStringLiteral("カーソルをその行の先頭に移動"));
    MoveCursorRight = glyphButton(Panel1, s->standardIcon(QStyle::SP_ArrowRight),
                                  QStringLiteral("カーソルをその行の最後に移動"));
    MemoCut = glyphButton(Panel1, letterGlyph(QStringLiteral("✂"), ink), QStringLiteral("カット"));
    MemoPaste =
        glyphButton(Panel1, letterGlyph(QStringLiteral("貼"), ink), QStringLiteral("貼り付け"));
    MemoCopy =
        glyphButton(Panel1, letterGlyph(QStringLiteral("写"), ink), QStringLiteral("コピー"));
    FontChange = glyphButton(Panel1, letterGlyph(QStringLiteral("Ａ"), ink),
                             QStringLiteral("フォントの種類"));
    StrengButton =
        glyphButton(Panel1, letterGlyph(QStringLiteral("強"), readableOn(QColor(192, 0, 0), face)),
                    QStringLiteral("文字列の強調"));
    SearchKeyWord =
        glyphButton(Panel1, letterGlyph(QStringLiteral("検"), ink), QStringLiteral("検索"));
    Prnt = glyphButton(Panel1, letterGlyph(QStringLiteral("印"), ink), QStringLiteral("印刷"));
    HelpButton =
        glyphButton(Panel1, s->standardIcon(QStyle::SP_DialogHelpButton), QStringLiteral("ヘルプ"));
    Quit =
        glyphButton(Panel1, s->standardIcon(QStyle::SP_DialogCloseButton), QStringLiteral("終了"));

    MemoFileName = new QLineEdit(Panel1);
    MemoFileName->setReadOnly(true);
    MemoFileName->setFocusPolicy(Qt::NoFocus);
    MemoFileName->setAccessibleName(QStringLiteral("ファイル名"));

    SoramiMemo = new MemoEdit(this, this);
    SoramiMemo->setAccessibleName(QStringLiteral("メモ"));
    SoramiMemo->setLineWrapMode(QTextEdit::WidgetWidth);
    SoramiMemo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    SoramiMemo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    SoramiMemo->setTabChangesFocus(false);
    SoramiMemo->setAcceptRichText(true);
    SoramiMemo->setContextMenuPolicy(Qt::CustomContextMenu);
    // The colour belongs to the text area alone; the scroll bar keeps the desktop's.
    setBackColour(SoramiMemo->viewport(), Colours::White);
    baseFont_ = pixelFontSpec(face::Gothic, 15, {}, Colours::Black);
    applyBaseFont();

    StatusBar1 = new QStatusBar(this);
    StatusBar1->setSizeGripEnabled(true);
    const int widths[4] = {85, 70, 70, 300};
    for (int i = 0; i < 4; ++i) {
        StatusPanels[i] = new QLabel(StatusBar1);
        StatusPanels[i]->setFixedWidth(widths[i]);
        StatusPanels[i]->setFrameShape(QFrame::Panel);
        StatusPanels[i]->setFrameShadow(QFrame::Sunken);
        StatusBar1->addWidget(StatusPanels[i]);
    }
    StatusPanels[0]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // The panels have no captions on screen; a screen reader says what each holds.
    const char* const panelNames[4] = {"カーソル位置 行:桁", "入力モード", "変更", "ファイル形式"};
    for (int i = 0; i < 4; ++i)
        StatusPanels[i]->setAccessibleName(QString::fromUtf8(panelNames[i]));

    FindDialog1 = new FindDialog(this);
}

void TSrmMemNote::createMenu() {
    PopupMenu1 = new QMenu(this);
    auto item = [this](const char* caption, QKeySequence key) {
        // Not checkable until marked: a checkable item shows an empty box.
        auto* a = new QAction(QString::fromUtf8(caption), this);
        if (!key.isEmpty()) {
            a->setShortcut(key);
            // The keys act while the box has the focus, before its own bindings.
            a->setShortcutContext(Qt::WindowShortcut);
            shortcuts_ << key;
        }
        PopupMenu1->addAction(a);
        addAction(a);
        return a;
    };
    auto ctrl = [](Qt::Key k) { return QKeySequence(Qt::CTRL | k); };
    EraseMemo = item("新規作成(&N)", ctrl(Qt::Key_N));
    OpenFile = item("開く(&O)", ctrl(Qt::Key_O));
    WriteOver = item("上書き保存(&S)", ctrl(Qt::Key_S));
    NamedFileSave = item("名前を付けて保存(&A)", ctrl(Qt::Key_A));
    PopupMenu1->addSeparator();
    LineDelete = item("指定行の削除", ctrl(Qt::Key_L));
    PopupMenu1->addSeparator();
    Undo1 = item("元に戻す(&U)", ctrl(Qt::Key_Z));
    PopupMenu1->addSeparator();
    CharaStreng = item("文字列の強調(&S)", ctrl(Qt::Key_Q));
    PopupMenu1->addSeparator();
    FindStr = item("文字列の検索", ctrl(Qt::Key_R));
    FindNext = item("次を検索", QKeySequence(Qt::Key_F2));
    PopupMenu1->addSeparator();
    Copy = item("コピー(&C)       ", ctrl(Qt::Key_C));
    Paste = item("貼り付け(&P) ", ctrl(Qt::Key_V));
    Cut = item("カット(&T)", ctrl(Qt::Key_X));
    PopupMenu1->addSeparator();
    SelectAll = item("一括選択(&L)", ctrl(Qt::Key_F1));
    PopupMenu1->addSeparator();
    Bullet = item("箇条書き(&T)", ctrl(Qt::Key_K));
    PopupMenu1->addSeparator();
    FontSelect = item("フォントの選択(&F)", ctrl(Qt::Key_F));
    PopupMenu1->addSeparator();
    Print = item("印　刷(&P)", ctrl(Qt::Key_P));
    PopupMenu1->addSeparator();
    Exit = item("終　了(&X)", QKeySequence());
}

void TSrmMemNote::layOut() {
    setGeometry(91, 92, 646, 474);
    Panel1->setFixedHeight(31);
    EditColor->setGeometry(2, 3, 50, 24);
    RichButton->setGeometry(54, 2, 16, 13);
    TextButton->setGeometry(54, 15, 16, 13);
    Mark->setGeometry(72, 2, 8, 26);
    QToolButton* const buttons[] = {
        MemoOpen,       MemoOverWrite,   MemoClose, MemoNew,    MoveCursorEnd, MoveCursorTop,
        MoveCursorLeft, MoveCursorRight, MemoCut,   MemoPaste,  MemoCopy,      FontChange,
        StrengButton,   SearchKeyWord,   Prnt,      HelpButton, Quit};
    int x = 83;
    for (auto* b : buttons) {
        b->setGeometry(x, 3, 25, 25);
        x += 25;
    }
    MemoFileName->setGeometry(x + 4, 5, 110, 21);
    StatusBar1->setFixedHeight(22);
    // Tool bar on top, the box filling the rest, the status bar at the bottom.
    auto place = [this] {
        const int w = width(), h = height();
        Panel1->setGeometry(0, 0, w, 31);
        StatusBar1->setGeometry(0, h - 22, w, 22);
        SoramiMemo->setGeometry(0, 31, w, std::max(0, h - 31 - 22));
    };
    place();
    relayout_ = place;
}

void TSrmMemNote::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    if (relayout_) relayout_();
}

void TSrmMemNote::connectHandlers() {
    using T = TSrmMemNote;
    // Every command passes here, and none sees half a file: the rest of a
    // file still being shown comes first.
    auto on = [this](auto* sender, auto signal, void (T::*handler)()) {
        connectGuarded(platform_, sender, signal, this, [this, handler] {
            SoramiMemo->finishLoading();
            (this->*handler)();
        });
    };
    on(MemoOpen, &QToolButton::clicked, &T::MemoOpenClick);
    on(MemoOverWrite, &QToolButton::clicked, &T::MemoOverWriteClick);
    on(MemoClose, &QToolButton::clicked, &T::WriteCloseClick);
    on(MemoNew, &QToolButton::clicked, &T::MemoNewClick);
    on(MoveCursorEnd, &QToolButton::clicked, &T::MoveCursorEndClick);
    on(MoveCursorTop, &QToolButton::clicked, &T::MoveCursorTopClick);
    on(MoveCursorLeft, &QToolButton::clicked, &T::MoveCursorLeftClick);
    on(MoveCursorRight, &QToolButton::clicked, &T::MoveCursorRightClick);
    on(MemoCut, &QToolButton::clicked, &T::MemoCutClick);
    on(MemoPaste, &QToolButton::clicked, &T::MemoPasteClick);
    on(MemoCopy, &QToolButton::clicked, &T::MemoCopyClick);
    on(FontChange, &QToolButton::clicked, &T::FontChangeClick);
    on(StrengButton, &QToolButton::clicked, &T::CharaStrengClick);
    on(Prnt, &QToolButton::clicked, &T::PrntClick);
    on(HelpButton, &QToolButton::clicked, &T::HelpButtonClick);
    on(Quit, &QToolButton::clicked, &T::QuitClick);
    on(RichButton, &QPushButton::clicked, &T::RichFIleClick);
    on(TextButton, &QPushButton::clicked, &T::PlaneTextClick);
    on(EditColor, &QComboBox::activated, &T::EditColorChange);

    on(EraseMemo, &QAction::triggered, &T::MemoNewClick);
    on(OpenFile, &QAction::triggered, &T::MemoOpenClick);
    on(WriteOver, &QAction::triggered, &T::MemoOverWriteClick);
    on(NamedFileSave, &QAction::triggered, &T::WriteCloseClick);
    on(LineDelete, &QAction::triggered, &T::LineDeleteClick);
    on(Undo1, &QAction::triggered, &T::UnDo);
    on(CharaStreng, &QAction::triggered, &T::CharaStrengClick);
    on(Copy, &QAction::triggered, &T::MemoCopyClick);
    on(Paste, &QAction::triggered, &T::MemoPasteClick);
    on(Cut, &QAction::triggered, &T::MemoCutClick);
    on(SelectAll, &QAction::triggered, &T::SelectAllClick);
    on(Bullet, &QAction::triggered, &T::BulletClick);
    on(FontSelect, &QAction::triggered, &T::FontChangeClick);
    on(Print, &QAction::triggered, &T::PrntClick);
    on(Exit, &QAction::triggered, &T::QuitClick);
    on(SearchKeyWord, &QToolButton::clicked, &T::SearchKeyWordClick);
    on(FindStr, &QAction::triggered, &T::SearchKeyWordClick);
    on(FindNext, &QAction::triggered, &T::FindDialog1Find);
    on(FindDialog1->FindButton, &QPushButton::clicked, &T::FindDialog1Find);
    // The panels follow every change of text or caret, whatever made it:
    // keys, the mouse, an input method's commit, paste, undo or a command.
    connect(SoramiMemo, &QTextEdit::cursorPositionChanged, this, [this] { SoramiMemoKeyDown(); });
    connect(SoramiMemo, &QTextEdit::textChanged, this, [this] { setModifiedPanel(); });
    connectGuarded(platform_, SoramiMemo->loadTimer(), &QTimer::timeout, this,
                   [this] { SoramiMemo->appendChunk(); });
    // A file shown a step at a time ends as one shown at once: unmodified.
    connect(SoramiMemo, &MemoEdit::loadingFinished, this, [this] { clearModified(); });
    connect(SoramiMemo, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { PopupMenu1->popup(SoramiMemo->mapToGlobal(at)); });
}

// --- Settings and modes ---------------------------------------------------

void TSrmMemNote::applyBaseFont() {
    applyBoxFont(SoramiMemo, baseFont_);
    SoramiMemo->document()->setDefaultFont(toQFont(baseFont_));
}

// The colour text of no colour of its own shows in. A system colour
// follows the desktop's theme, as the automatic colour of a file does.
std::optional<std::uint32_t> TSrmMemNote::baseTextColour() const {
    if (isSystemColour(baseFont_.colour)) return std::nullopt;
    return static_cast<std::uint32_t>(baseFont_.colour) & 0xFFFFFFu;
}

void TSrmMemNote::applySettings(const MemoSettings& s) {
    if (s.background != -1) setBackColour(SoramiMemo->viewport(), s.background);
    if (s.faceName != "-1") baseFont_.face = fromSjis(s.faceName);
    // A size no font dialog offers (a hand-edited file) keeps the design size.
    if (s.size != -1 && s.size >= 1 && s.size <= 1638) {
        baseFont_.size = s.size;
        baseFont_.height = 0;
    }
    if (s.fontColour != -1) baseFont_.colour = s.fontColour;
    applyBaseFont();
    if (s.plainText)
        showPlainMode();
    else
        showRichMode(RichPanelOpening);
    StatusPanels[1]->setText(QStringLiteral("挿入"));
}

MemoSettings TSrmMemNote::currentSettings() const {
    MemoSettings s;
    s.background = backColour(SoramiMemo->viewport());
    s.faceName = toSjis(baseFont_.face);
    s.size = baseFont_.size > 0 ? baseFont_.size
                                : static_cast<int>(std::lround(std::abs(baseFont_.height) * 0.75));
    s.fontColour = baseFont_.colour;
    s.plainText = mode_ == MemoMode::Plain;
    return s;
}

void TSrmMemNote::SaveMemoSettings() {
    writeMemoSettings(memoIniPath(), currentSettings());
}

void TSrmMemNote::showRichMode(const QString& panelText) {
    mode_ = MemoMode::Rich;
    setBackColour(Mark, Colours::Aqua);
    setFontColour(RichButton, Colours::Red);
    setFontColour(TextButton, SysColour::WindowText);
    StatusPanels[3]->setText(panelText);
}

void TSrmMemNote::showPlainMode() {
    mode_ = MemoMode::Plain;
    setBackColour(Mark, Colours::Yellow);
    setFontColour(TextButton, Colours::Red);
    setFontColour(RichButton, SysColour::WindowText);
    StatusPanels[3]->setText(PlainPanel);
}

void TSrmMemNote::RichFIleClick() {
    showRichMode(RichPanelSwitch);
    setFontColour(TextButton, Colours::Black);
}

void TSrmMemNote::PlaneTextClick() {
    showPlainMode();
    setFontColour(RichButton, Colours::Black);
}

void TSrmMemNote::CheckMark() {
    for (QAction* a :
         {NamedFileSave, WriteOver, OpenFile, EraseMemo, Print, FontSelect, Copy, Paste, Cut, Exit,
          CharaStreng, Bullet, Undo1, SelectAll, FindStr, FindNext, LineDelete}) {
        a->setChecked(false);
        a->setCheckable(false);
    }
}

// Only the item of the command used last carries a mark; the others show
// no box at all.
void TSrmMemNote::markItem(QAction* item) {
    item->setCheckable(true);
    item->setChecked(true);
}

bool TSrmMemNote::isModified() const {
    // The steps of showing a file change the document but not the notes.
    return !SoramiMemo->isLoading() && SoramiMemo->document()->isModified();
}

QString TSrmMemNote::panelText(int panel) const {
    return StatusPanels[panel]->text();
}

void TSrmMemNote::setModifiedPanel() {
    StatusPanels[2]->setText(isModified() ? ModifiedPanel : QString());
}

void TSrmMemNote::clearModified() {
    SoramiMemo->document()->setModified(false);
    StatusPanels[2]->clear();
}

// --- Files ----------------------------------------------------------------

// Writing a file that was cut when it was read would keep only its first
// part: refused, whichever command asks for it; save as another name works.
QString TSrmMemNote::cutFileMessage() const {
    return QStringLiteral("「") + fileNamePart(cutPath_) +
           QStringLiteral("」は長すぎるため先頭の1000000文字だけを読み込みました。\r\n"
                          "上書きすると残りが失われるので保存しません。\r\n"
                          "名前を付けて別のファイルに保存してください。");
}

bool TSrmMemNote::writeTo(const QString& path) {
    if (!cutPath_.isEmpty() && QFileInfo(path) == QFileInfo(cutPath_))
        sorami::raise(cutFileMessage());
    const rich::Document doc = rich::fromTextDocument(*SoramiMemo->document(), baseTextColour());
    // A plain file holds Shift-JIS only: what it cannot hold would become
    // "?" unseen. The learner is told, with the first such character, and
    // may keep every character by saving in rich mode instead.
    if (mode_ == MemoMode::Plain) {
        const rich::PlainTextLoss loss = rich::plainTextLoss(doc);
        if (loss.count > 0 &&
            platform_.messageBox(
                this,
                QStringLiteral(
                    "テキストファイルに保存できない文字が%1文字あります（最初は「%2」）。\r\n"
                    "これらの文字は「?」に置き換わります。\r\n"
                    "すべての文字を残すには、Rボタンで書式付きファイル形式にして保存してください。"
                    "\r\n"
                    "このまま保存しますか？")
                    .arg(loss.count)
                    .arg(loss.first),
                MsgIcon::Warning, MsgButtons::OkCancel) != MsgResult::Ok)
            return false;
    }
    BusyCursor busy; // only while the command works, never over a dialog
    writeMemoFile(path, doc, mode_);
    // Saving keeps the modified flag (and its panel) set, but the text on
    // disk is now this text: closing needs no question until it changes.
    savedRevision_ = SoramiMemo->document()->revision();
    return true;
}

void TSrmMemNote::loadInto(const QString& path) {
    std::optional<BusyCursor> busy(std::in_place);
    rich::Document doc = readMemoFile(path, mode_);
    // Qt lays out a paragraph without spaces in time that grows with the
    // square of its length (a minute for a megabyte): a file with a
    // paragraph far longer than any note is wrapped anywhere instead.
    // Measured run by run: no copy of the text is made to count it.
    std::size_t longest = 0;
    for (const auto& p : doc.paragraphs) {
        std::size_t length = 0;
        for (const auto& r : p.runs)
            length += static_cast<std::size_t>(r.text.size());
        longest = std::max(longest, length);
    }
    SoramiMemo->setWordWrapMode(longest > LongParagraph
                                    ? QTextOption::WrapAnywhere
                                    : QTextOption::WrapAtWordBoundaryOrAnywhere);
    const bool truncated = doc.truncated;
    SoramiMemo->showDocument(std::move(doc));
    cutPath_ = truncated ? path : QString();
    busy.reset();
    if (truncated)
        platform_.errorBox(this,
                           fillTemplate(QStringLiteral("ﾌｧｲﾙ %s は長すぎます。\r\n"
                                                       "先頭の1000000文字だけを読み込みました"),
                                        QDir::toNativeSeparators(path)));
}

void TSrmMemNote::MemoOpenClick() {
    bool askFile = true;
    if (!SoramiMemo->document()->isEmpty()) {
        if (!MemoFileName->text().isEmpty()) {
            const QString q = QStringLiteral("「") + MemoFileName->text() + QStringLiteral("」を") +
                              QStringLiteral("上書保存しますか");
            if (platform_.messageBox(this, q, MsgIcon::Warning, MsgButtons::YesNoCancel) ==
                    MsgResult::Yes &&
                !writeTo(memoModule().memoFilePath))
                return; // the save was cancelled: the text stays, unsaved
        } else if (platform_.messageBox(this,
                                        QStringLiteral("現在のテキストはファイル名がないので\r\n"
                                                       "保存されませんが、いいですか？"),
                                        MsgIcon::Warning,
                                        MsgButtons::YesNoCancel) == MsgResult::No) {
            askFile = false;
        }
    }
    if (askFile) {
        CheckMark();
        markItem(OpenFile);
        if (platform_.openFile(this, OpenDialog1)) {
            const QString path = OpenDialog1.fileName;
            loadInto(path);
            memoModule().memoFilePath = path;
            MemoFileName->setText(fileNamePart(path));
        }
        SoramiMemo->setFocus();
        QTextCursor c = SoramiMemo->textCursor();
        c.setPosition(0);
        SoramiMemo->setTextCursor(c);
    }
    clearModified();
    MemoOverWrite->setEnabled(true);
}

void TSrmMemNote::MemoNewClick() {
    CheckMark();
    markItem(EraseMemo);
    if (SoramiMemo->document()->isEmpty()) {
        SoramiMemo->clear();
    } else if (platform_.messageBox(
                   this, QStringLiteral("ソラミ君メモ書きを新規に作成します。\r\nいいですか？"),
                   MsgIcon::Question, MsgButtons::OkCancel) == MsgResult::Ok) {
        SoramiMemo->clear();
        MemoOverWrite->setEnabled(false);
    } else {
        MemoOverWrite->setEnabled(true);
    }
    MemoFileName->clear();
    clearModified();
}

void TSrmMemNote::MemoOverWriteClick() {
    CheckMark();
    const QString name = MemoFileName->text();
    const bool modified = isModified();
    if (name.isEmpty()) {
        platform_.messageBox(this,
                             modified ? QStringLiteral("ファイル名が付いていないので保存できません")
                                      : QStringLiteral("何も書いていませんよ！"),
                             MsgIcon::None, MsgButtons::Ok);
        return;
    }
    if (!cutPath_.isEmpty() && QFileInfo(memoModule().memoFilePath) == QFileInfo(cutPath_)) {
        platform_.messageBox(this, cutFileMessage(), MsgIcon::Warning, MsgButtons::Ok);
        return;
    }
    const QString q = QStringLiteral("「") + name + QStringLiteral("」") +
                      (modified ? QStringLiteral("は変更されています。\r\n上書き保存しますか？")
                                : QStringLiteral("を上書き保存します。\r\nいいですか？"));
    if (platform_.messageBox(this, q, MsgIcon::Warning, MsgButtons::YesNoCancel) == MsgResult::Yes)
        writeTo(memoModule().memoFilePath);
}

// Save under a name: true when the text was written.
bool TSrmMemNote::saveUnderName() {
    if (!platform_.saveFile(this, SaveDialog1)) return false;
    const QString path = SaveDialog1.fileName;
    if (!writeTo(path)) return false;
    memoModule().memoFilePath = path;
    MemoFileName->setText(fileNamePart(path));
    return true;
}

void TSrmMemNote::WriteCloseClick() {
    CheckMark();
    markItem(NamedFileSave);
    saveUnderName();
    MemoOverWrite->setEnabled(true);
}

void TSrmMemNote::FontChangeClick() {
    CheckMark();
    markItem(FontSelect);
    if (!platform_.chooseFont(this, FontDialog1)) return;
    BusyCursor busy; // re-laying out a long notebook takes a moment
    baseFont_ = FontDialog1.font;
    applyBaseFont();
}

// --- Closing ----------------------------------------------------------------

void TSrmMemNote::QuitClick() {
    CheckMark();
    markItem(Exit);
    // A failed settings write is reported once and does not keep the
    // notebook open.
    bool written = false;
    guarded(platform_, this, [&] {
        SaveMemoSettings();
        written = true;
    });
    settingsWriteFailed_ = !written;
    close();
    settingsWriteFailed_ = false;
}

// Whether the window may close. Modified text that was not written since
// its last change is not thrown away unasked:
// Yes saves it (a failed or cancelled save keeps the window open), No
// discards it, Cancel keeps the window. The settings are written whenever
// the window does close, and a failure to write them does not hold it open.
bool TSrmMemNote::FormCloseQuery() {
    if (sessionEnding()) {
        keepForRecovery();
        return true;
    }
    SoramiMemo->finishLoading();
    if (isModified() && SoramiMemo->document()->revision() != savedRevision_) {
        const MsgResult r = platform_.messageBox(
            this, QStringLiteral("メモの内容が変更されています。\r\n保存しますか？"),
            MsgIcon::Warning, MsgButtons::YesNoCancel);
        if (r == MsgResult::Cancel) return false;
        if (r == MsgResult::Yes) {
            if (MemoFileName->text().isEmpty()) {
                if (!saveUnderName()) return false;
            } else if (!writeTo(memoModule().memoFilePath)) {
                return false;
            }
        }
    }
    if (!settingsWriteFailed_) guarded(platform_, this, [this] { SaveMemoSettings(); });
    return true;
}

// The session ends: nobody is there to answer, so unsaved text becomes a
// recovery copy (rich text, which holds every character) offered at the
// next start, and the settings are written if they can be.
void TSrmMemNote::keepForRecovery() {
    // The rest of a file still being shown is not waited for: the text is
    // then the file's own (an edit finishes the loading first), so nothing
    // needs keeping, and the program has two seconds to end.
    if (isModified() && SoramiMemo->document()->revision() != savedRevision_) {
        const QString name =
            MemoFileName->text().isEmpty() ? QStringLiteral("メモ.mem") : MemoFileName->text();
        try {
            writeMemoFile(recoveryCopyPath(name, platform_.localTime()),
                          rich::fromTextDocument(*SoramiMemo->document()), MemoMode::Rich);
        } catch (const SoramiError&) {
        }
    }
    try {
        SaveMemoSettings();
    } catch (const SoramiError&) {
    }
}

void TSrmMemNote::closeEvent(QCloseEvent* event) {
    if (!closing_) {
        bool mayClose = false;
        guarded(platform_, this, [&] { mayClose = FormCloseQuery(); });
        if (!mayClose) {
            event->ignore();
            return;
        }
        closing_ = true;
    }
    QDialog::closeEvent(event);
}

// Escape does not close the notebook; only closing the window does.
void TSrmMemNote::reject() {
    if (closing_) QDialog::reject();
}

void openMemoNote(Platform& platform, QWidget* owner) {
    platform.playSound(QStringLiteral("up.wav"), false);
    TSrmMemNote* note = nullptr;
    {
        BusyCursor busy;
        note = new TSrmMemNote(platform, owner);
        guarded(platform, owner, [&] { note->applySettings(readMemoSettings(memoIniPath())); });
    }
    note->setWindowModality(Qt::ApplicationModal);
    note->exec();
    note->deleteLater();
    platform.quitHelp();
}

} // namespace sorami
