// The notebook's editing aids: the box's key and mouse events, the status
// panels, caret moves, clipboard, emphasis, bullets, background colour,
// search, printing, help, undo, select all and line deletion.

#include "Memnote1.h"

#include "busy_cursor.h"
#include "error_guard.h"
#include "fonts.h"
#include "form_kit.h"
#include "paste_guard.h"
#include "rich_text_qt.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <QTextList>
#include <QTimer>
#include <memory>

namespace sorami {

// --- The box ----------------------------------------------------------------

MemoEdit::MemoEdit(TSrmMemNote* form, QWidget* parent)
    : QTextEdit(parent), form_(form), loadTimer_(new QTimer(this)) {
    // A timer, not a queued call: the window's input and painting come
    // between two steps.
    loadTimer_->setSingleShot(true);
    loadTimer_->setInterval(0);
    watchLimit();
}

void MemoEdit::watchLimit() {
    connect(document(), &QTextDocument::contentsChange, this,
            [this](int position, int, int added) { keepWithinLimit(position, added); });
}

void MemoEdit::showDocument(rich::Document doc) {
    // A document still coming is given up: this one replaces it.
    loadTimer_->stop();
    builder_.reset();
    if (stepping_) setReadOnly(readOnlyBefore_);
    stepping_ = false;
    loading_ = std::make_unique<rich::Document>(std::move(doc));
    auto* fresh = new QTextDocument(this);
    fresh->setDefaultFont(document()->defaultFont());
    fresh->setDefaultTextOption(document()->defaultTextOption()); // the wrap mode
    fresh->setUndoRedoEnabled(false);
    builder_ = std::make_unique<rich::DocumentBuilder>(*loading_, *fresh);
    builder_->append(nextStep());
    // The box deletes a document of its own that it lets go; the one it
    // was made with belongs to it otherwise, and is not needed any more.
    const QPointer<QTextDocument> old = document();
    setDocument(fresh);
    if (old) old->deleteLater();
    watchLimit();
    if (builder_->done()) {
        endLoading();
        return;
    }
    stepping_ = true;
    readOnlyBefore_ = isReadOnly();
    setReadOnly(true);
    loadTimer_->start();
}

// The paragraphs of the next step. A bulleted paragraph is a block and a
// list entry of its own, about three times the work of a line that joins
// the text before it, and counts three: a step of either kind takes about
// as long.
std::size_t MemoEdit::nextStep() const {
    const auto& paragraphs = loading_->paragraphs;
    std::size_t i = builder_->paragraphsDone(), work = 0;
    const std::size_t from = i;
    for (; i < paragraphs.size() && work < chunk_; ++i)
        work += paragraphs[i].bullet ? 3 : 1;
    return i - from;
}

void MemoEdit::appendChunk() {
    if (!builder_) return;
    {
        BusyCursor busy;
        builder_->append(nextStep());
    }
    if (builder_->done())
        endLoading();
    else
        loadTimer_->start();
    emit chunkShown();
}

void MemoEdit::finishLoading() {
    if (!builder_) return;
    loadTimer_->stop();
    {
        BusyCursor busy;
        builder_->append(loading_->paragraphs.size());
    }
    endLoading();
    emit chunkShown();
}

void MemoEdit::endLoading() {
    loadTimer_->stop();
    builder_.reset();
    loading_.reset();
    // Undo starts here, its stack empty: nothing can undo the file away.
    document()->setUndoRedoEnabled(true);
    document()->setModified(false);
    if (stepping_) setReadOnly(readOnlyBefore_);
    stepping_ = false;
    emit loadingFinished();
}

// What goes past the memo's limit is taken off the end of what came in; a
// file being shown was cut to the limit when it was read, and no step of
// showing it is cut again.
void MemoEdit::keepWithinLimit(int position, int added) {
    if (isLoading()) return;
    const int excess = document()->characterCount() - 1 - static_cast<int>(rich::MaxChars);
    if (excess <= 0 || added <= 0) return;
    QTextCursor c(document());
    c.setPosition(std::max(position, position + added - excess));
    c.setPosition(position + added, QTextCursor::KeepAnchor);
    c.removeSelectedText();
}

bool MemoEdit::event(QEvent* e) {
    if (e->type() == QEvent::ShortcutOverride) {
        // The notebook's keys (Ctrl+A saves, Ctrl+F1 selects all) win over
        // the box's own bindings for the same keys.
        auto* key = static_cast<QKeyEvent*>(e);
        if (form_->ownsShortcut(QKeySequence(key->keyCombination()))) {
            e->ignore();
            return true;
        }
    }
    return QTextEdit::event(e);
}

void MemoEdit::inputMethodEvent(QInputMethodEvent* e) {
    // Text from an input method goes into the whole text, after the rest
    // of a file still being shown.
    if (!e->commitString().isEmpty()) finishLoading();
    QTextEdit::inputMethodEvent(e);
}

void MemoEdit::keyPressEvent(QKeyEvent* e) {
    // A key that edits waits for the rest of a file still being shown, then
    // goes into the whole text; keys that only look around do not wait.
    if (isLoading() &&
        (!e->text().isEmpty() || e->key() == Qt::Key_Backspace || e->key() == Qt::Key_Delete ||
         e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter))
        finishLoading();
    // The position shown is the one from before the key, as the notebook
    // has always shown it.
    form_->SoramiMemoKeyDown();
    if (e->key() == Qt::Key_Insert && e->modifiers() == Qt::NoModifier) {
        setOverwriteMode(!overwriteMode());
        return;
    }
    // A typed character is one step of undo, whatever the mode: overwriting
    // is the deletion of the next character and the insertion as one edit,
    // so undo never goes back to a half of it (the new character with the
    // old next one gone is a text that never existed), and typing is not
    // merged into the step before.
    const QString text = e->text();
    const bool plainKey =
        !(e->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
    if (plainKey && !isReadOnly() && !text.isEmpty() &&
        std::all_of(text.begin(), text.end(), [](QChar c) { return c.isPrint() || c == u'\t'; })) {
        QTextCursor c = textCursor();
        c.beginEditBlock();
        if (overwriteMode() && !c.hasSelection() && !c.atBlockEnd()) c.deleteChar();
        c.insertText(text);
        c.endEditBlock();
        setTextCursor(c);
        ensureCursorVisible();
        return;
    }
    QTextEdit::keyPressEvent(e);
}

void MemoEdit::keyReleaseEvent(QKeyEvent* e) {
    QTextEdit::keyReleaseEvent(e);
    if (!e->isAutoRepeat()) form_->SoramiMemoKeyUp(e->key());
}

void MemoEdit::mousePressEvent(QMouseEvent* e) {
    QTextEdit::mousePressEvent(e);
    form_->SoramiMemoMouseUp(e->modifiers(), e->buttons(), false);
}

void MemoEdit::mouseReleaseEvent(QMouseEvent* e) {
    QTextEdit::mouseReleaseEvent(e);
    form_->SoramiMemoMouseUp(e->modifiers(), e->buttons(), false);
}

// --- The find dialog ------------------------------------------------------------

FindDialog::FindDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("検索"));
    setDialogFrame(this);
    setModal(false);
    auto* label = new QLabel(QStringLiteral("検索する文字列(&N):"), this);
    FindText = new QLineEdit(this);
    label->setBuddy(FindText);
    MatchCase = new QCheckBox(QStringLiteral("大文字と小文字を区別する(&C)"), this);
    MatchCase->setChecked(true);
    WholeWord = new QCheckBox(QStringLiteral("単語単位で探す(&W)"), this);
    FindButton = new QPushButton(QStringLiteral("次を検索(&F)"), this);
    FindButton->setDefault(true);
    CancelButton = new QPushButton(QStringLiteral("キャンセル"), this);
    label->setGeometry(8, 12, 110, 20);
    FindText->setGeometry(118, 10, 180, 22);
    WholeWord->setGeometry(8, 44, 220, 20);
    MatchCase->setGeometry(8, 66, 220, 20);
    FindButton->setGeometry(306, 9, 90, 24);
    CancelButton->setGeometry(306, 38, 90, 24);
    setFixedSize(404, 94);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::hide);
}

// --- Status panels and lines ----------------------------------------------------

int TSrmMemNote::lineFromPosition(int position) const {
    const QTextDocument* doc = SoramiMemo->document();
    const QTextBlock target = doc->findBlock(position);
    int line = 0;
    for (QTextBlock b = doc->begin(); b.isValid() && b != target; b = b.next())
        line += std::max(1, b.layout() ? b.layout()->lineCount() : 1);
    if (target.isValid() && target.layout() && target.layout()->lineCount() > 0) {
        const QTextLine l = target.layout()->lineForTextPosition(position - target.position());
        if (l.isValid()) line += l.lineNumber();
    }
    return line;
}

int TSrmMemNote::lineIndex(int line) const {
    const QTextDocument* doc = SoramiMemo->document();
    int first = 0;
    for (QTextBlock b = doc->begin(); b.isValid(); b = b.next()) {
        const int count = std::max(1, b.layout() ? b.layout()->lineCount() : 1);
        if (line < first + count) {
            if (!b.layout() || b.layout()->lineCount() == 0) return b.position();
            return b.position() + b.layout()->lineAt(line - first).textStart();
        }
        first += count;
    }
    return -1;
}

void TSrmMemNote::SoramiMemoKeyDown() {
    const int start = SoramiMemo->textCursor().selectionStart();
    const int line = lineFromPosition(start);
    const QString l = QString::number(line);
    const QString c = QString::number(start - std::max(0, lineIndex(line)));
    switch (c.size()) {
    case 1:
        StatusPanels[0]->setText(l + QStringLiteral(":  ") + c + u' ');
        break;
    case 2:
        StatusPanels[0]->setText(l + QStringLiteral(": ") + c + u' ');
        break;
    case 3:
        StatusPanels[0]->setText(l + u':' + c + u' ');
        break;
    default: // four digits and more: the panel keeps its text
        break;
    }
}

void TSrmMemNote::SoramiMemoKeyUp(int key) {
    if (key == Qt::Key_Insert) {
        if (overwriteToggle_ == 0) {
            StatusPanels[1]->setText(QStringLiteral("上書き"));
            overwriteToggle_ = 1;
        } else {
            StatusPanels[1]->setText(QStringLiteral("挿入"));
            overwriteToggle_ = 0;
        }
    }
    setModifiedPanel();
}

void TSrmMemNote::SoramiMemoMouseUp(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons,
                                    bool doubleClick) {
    SoramiMemoKeyDown();
    // Shift + left click deletes from the former caret to the clicked point,
    // in the whole text.
    if (modifiers == Qt::ShiftModifier && buttons == Qt::LeftButton && !doubleClick) {
        SoramiMemo->finishLoading();
        SoramiMemo->textCursor().removeSelectedText();
    }
}

// --- Caret moves ------------------------------------------------------------------

namespace {
void moveCaret(QTextEdit* box, int position) {
    QTextCursor c = box->textCursor();
    c.setPosition(std::clamp(position, 0, box->document()->characterCount() - 1));
    box->setTextCursor(c);
}
} // namespace

void TSrmMemNote::MoveCursorEndClick() {
    moveCaret(SoramiMemo, SoramiMemo->document()->characterCount() - 1);
    SoramiMemoKeyDown();
}

void TSrmMemNote::MoveCursorTopClick() {
    moveCaret(SoramiMemo, 0);
    SoramiMemoKeyDown();
}

void TSrmMemNote::MoveCursorLeftClick() {
    const int line = lineFromPosition(SoramiMemo->textCursor().selectionStart());
    moveCaret(SoramiMemo, lineIndex(line));
    SoramiMemoKeyDown();
}

void TSrmMemNote::MoveCursorRightClick() {
    const int start = SoramiMemo->textCursor().selectionStart();
    const int next = lineIndex(lineFromPosition(start) + 1);
    int target;
    if (next < 0) // the last line: the end of the text
        target = SoramiMemo->document()->characterCount() - 1;
    else if (SoramiMemo->document()->findBlock(next).position() == next)
        target = next - 1; // before the paragraph break, which is one position here
    else
        target = next - 2; // a wrapped line: two before the wrap point, as always
    moveCaret(SoramiMemo, std::max(target, 0));
    SoramiMemoKeyDown();
}

// --- Clipboard, undo, selection, lines --------------------------------------------

void TSrmMemNote::MemoCopyClick() {
    CheckMark();
    markItem(Copy);
    SoramiMemo->copy();
}

void TSrmMemNote::MemoPasteClick() {
    CheckMark();
    markItem(Paste);
    if (clipboardHoldsText()) SoramiMemo->paste();
}

void TSrmMemNote::MemoCutClick() {
    CheckMark();
    markItem(Cut);
    SoramiMemo->cut();
}

void TSrmMemNote::UnDo() {
    CheckMark();
    markItem(Undo1);
    SoramiMemo->undo();
}

void TSrmMemNote::SelectAllClick() {
    CheckMark();
    markItem(SelectAll);
    SoramiMemo->selectAll();
}

void TSrmMemNote::LineDeleteClick() {
    CheckMark();
    markItem(LineDelete);
    const int line = lineFromPosition(SoramiMemo->textCursor().selectionStart());
    const int from = lineIndex(line);
    int to = lineIndex(line + 1);
    if (to < 0) to = SoramiMemo->document()->characterCount() - 1;
    QTextCursor c = SoramiMemo->textCursor();
    c.setPosition(from);
    c.setPosition(to, QTextCursor::KeepAnchor);
    c.removeSelectedText();
    // The caret stays where the line was: a selection reaching into the next
    // line would otherwise keep its rest, and the next key would replace it.
    SoramiMemo->setTextCursor(c);
}

// --- Emphasis, bullets, colour --------------------------------------------------

void TSrmMemNote::CharaStrengClick() {
    CheckMark();
    markItem(CharaStreng);
    if (!platform_.chooseFont(this, FontDialog1)) return;
    const FontSpec& f = FontDialog1.font;
    const QFont q = toQFont(f);
    QTextCharFormat fmt;
    fmt.setProperty(QTextFormat::FontFamily, f.face); // a string hashes; a list does not
    fmt.setFontPointSize(q.pointSizeF() > 0 ? q.pointSizeF() : q.pixelSize() * 0.75);
    fmt.setFontWeight(f.bold ? QFont::Bold : QFont::Normal);
    fmt.setFontItalic(f.italic);
    fmt.setFontUnderline(f.underline);
    fmt.setFontStrikeOut(f.strikeOut);
    fmt.setForeground(toQColor(f.colour));
    // Without a selection the format is the one of the text typed next.
    SoramiMemo->mergeCurrentCharFormat(fmt);
}

void TSrmMemNote::BulletClick() {
    CheckMark();
    markItem(Bullet);
    int& toggle = memoModule().bulletToggle;
    const bool on = toggle == 0;
    const QTextCursor sel = SoramiMemo->textCursor();
    QTextDocument* doc = SoramiMemo->document();
    const QTextBlock first = doc->findBlock(sel.selectionStart());
    const QTextBlock last = doc->findBlock(sel.selectionEnd());
    QTextCursor c(doc);
    c.beginEditBlock();
    rich::BulletLists lists;
    for (QTextBlock b = first; b.isValid(); b = b.next()) {
        c.setPosition(b.position());
        QTextBlockFormat bf = b.blockFormat();
        const int left = rich::pixelsToTwips(bf.leftMargin());
        const int firstLine = rich::pixelsToTwips(bf.textIndent());
        const int start = left + firstLine; // where the first line begins
        if (on) {
            // A hanging indent of at least 10 points leaves room for the bullet.
            if (-firstLine < 200) {
                bf.setTextIndent(rich::twipsToPixels(-200));
                bf.setLeftMargin(rich::twipsToPixels(start + 200));
            }
            c.setBlockFormat(bf);
            if (c.currentList()) // already a bullet
                lists.end();
            else
                lists.add(c);
        } else {
            if (QTextList* l = c.currentList()) l->remove(c.block());
            bf = c.block().blockFormat();
            bf.setObjectIndex(-1);
            bf.setTextIndent(0);
            bf.setLeftMargin(rich::twipsToPixels(start));
            bf.setIndent(0);
            c.setBlockFormat(bf);
        }
        if (b == last) break;
    }
    c.endEditBlock();
    toggle = on ? 1 : 0;
}

void TSrmMemNote::EditColorChange() {
    const QString name = EditColor->currentText();
    for (const auto& colour : BackgroundColours)
        if (name == QString::fromUtf8(colour.name))
            setBackColour(SoramiMemo->viewport(), colour.value);
}

// --- Search, print, help ------------------------------------------------------------

void TSrmMemNote::SearchKeyWordClick() {
    CheckMark();
    markItem(FindStr);
    ++memoModule().findDialogOpens;
    FindDialog1->show();
    bringToFront(FindDialog1);
}

void TSrmMemNote::FindDialog1Find() {
    CheckMark();
    markItem(FindNext);
    QTextDocument::FindFlags flags;
    if (FindDialog1->MatchCase->isChecked()) flags |= QTextDocument::FindCaseSensitively;
    if (FindDialog1->WholeWord->isChecked()) flags |= QTextDocument::FindWholeWords;
    SoramiMemo->setFocus();
    const QString text = FindDialog1->FindText->text();
    if (!text.isEmpty()) { // an empty text finds nothing and says nothing
        const int n = static_cast<int>(text.size());
        const int selStart = SoramiMemo->textCursor().selectionStart();
        // While the dialog has been opened once, a repeated search finds the
        // next occurrence even when it overlaps; after later openings it
        // starts past the current match.
        const int from = selStart + (memoModule().findDialogOpens == 1 ? 1 : n + 1);
        const QTextCursor found = from < SoramiMemo->document()->characterCount()
                                      ? SoramiMemo->document()->find(text, from, flags)
                                      : QTextCursor();
        if (found.isNull()) {
            platform_.messageBox(this,
                                 QStringLiteral("検索文字列 「") + text +
                                     QStringLiteral("」 は見つかりませんでした"),
                                 MsgIcon::None, MsgButtons::Ok);
        } else {
            QTextCursor c = SoramiMemo->textCursor();
            c.setPosition(found.selectionStart());
            c.setPosition(found.selectionStart() + n, QTextCursor::KeepAnchor);
            SoramiMemo->setTextCursor(c);
            SoramiMemo->ensureCursorVisible();
        }
    }
    if (FindDialog1->isVisible()) FindDialog1->hide();
}

void TSrmMemNote::PrntClick() {
    // No busy cursor: the print dialog and the printing are one platform
    // call, and the learner chooses in that dialog with the normal cursor.
    CheckMark();
    markItem(Print);
    // Text of no colour of its own prints in the colour the box shows it in,
    // not in the printer's black.
    std::unique_ptr<QTextDocument> doc(SoramiMemo->document()->clone());
    if (const auto colour = baseTextColour()) rich::colourUncolouredText(*doc, *colour);
    // The job is named after the memo file; the whole text is printed
    // whatever the dialog's selection choice.
    doc->setMetaInformation(QTextDocument::DocumentTitle, memoModule().memoFilePath);
    platform_.printDocument(this, *doc, SoramiMemo->textCursor().hasSelection(), doc.get());
}

void TSrmMemNote::HelpButtonClick() {
    platform_.showHelp(this, QStringLiteral("Memo10.hlp"));
}

} // namespace sorami
