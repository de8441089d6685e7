#pragma once
// The memo notebook: a modal window with one rich-text box, a tool bar, a
// pop-up menu and a status bar, for the learner's own notes. Files are RTF
// or plain Shift-JIS text, by the window's file mode; settings live in the
// memo INI between windows.

#include "memo_files.h"
#include "platform.h"
#include "rich_text_qt.h"

#include <QDialog>
#include <QKeySequence>
#include <QList>
#include <QTextEdit>
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

class QAction;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QCheckBox;
class QStatusBar;
class QTimer;
class QToolButton;

namespace sorami {

class TSrmMemNote;

// The modeless find dialog: the text, match case (ticked at first) and
// whole word; the search always runs forward.
class FindDialog : public QDialog {
    Q_OBJECT
public:
    explicit FindDialog(QWidget* parent);
    QLineEdit* FindText;
    QCheckBox* MatchCase;
    QCheckBox* WholeWord;
    QPushButton* FindButton;
    QPushButton* CancelButton;
};

// The rich-text box: hands its key and mouse events to the window's
// handlers, inserts a tab on Tab and holds at most the memo's limit.
class MemoEdit : public QTextEdit {
    Q_OBJECT
public:
    MemoEdit(TSrmMemNote* form, QWidget* parent);
    // Shows a document read from a file, with nothing to undo. It is built
    // apart from the box and then handed over: built in place, every
    // paragraph would be laid out as it came in. A document of more
    // paragraphs than a step shows its first step at once and gets the rest
    // a step at a time from the event loop (a million paragraphs take
    // seconds), the box read-only and without undo until all is there.
    void showDocument(rich::Document doc);
    bool isLoading() const { return builder_ != nullptr; }
    // Adds at once what is still to come: whatever reads or changes the
    // text needs all of it.
    void finishLoading();
    // One step of loading; the timer that calls it is the notebook's to
    // connect, inside its guard.
    void appendChunk();
    QTimer* loadTimer() const { return loadTimer_; }
    // Paragraphs a step (a bulleted one counts three). Built and laid out,
    // a line costs about 6 µs on a slow machine, so the window answers
    // within a tenth of a second between two steps.
    void setChunkParagraphs(std::size_t paragraphs) {
        chunk_ = std::max<std::size_t>(1, paragraphs);
    }
    static constexpr std::size_t DefaultChunk = 10000;

signals:
    void chunkShown();
    void loadingFinished();

protected:
    bool event(QEvent* e) override;
    void inputMethodEvent(QInputMethodEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    void keepWithinLimit(int position, int added);
    void watchLimit();
    void endLoading();
    std::size_t nextStep() const;
    TSrmMemNote* form_;
    QTimer* loadTimer_;
    std::size_t chunk_ = DefaultChunk;
    // The file's paragraphs and the build that shows them, while loading.
    std::unique_ptr<rich::Document> loading_;
    std::unique_ptr<rich::DocumentBuilder> builder_;
    bool stepping_ = false; // shown a step at a time, the box made read-only
    bool readOnlyBefore_ = false;
};

class TSrmMemNote : public QDialog {
    Q_OBJECT
public:
    explicit TSrmMemNote(Platform& platform, QWidget* parent = nullptr);

    QFrame* Panel1;
    QComboBox* EditColor;
    QPushButton* RichButton;
    QPushButton* TextButton;
    QFrame* Mark;
    QToolButton* MemoOpen;
    QToolButton* MemoOverWrite;
    QToolButton* MemoClose;
    QToolButton* MemoNew;
    QToolButton* MoveCursorEnd;
    QToolButton* MoveCursorTop;
    QToolButton* MoveCursorLeft;
    QToolButton* MoveCursorRight;
    QToolButton* MemoCut;
    QToolButton* MemoPaste;
    QToolButton* MemoCopy;
    QToolButton* FontChange;
    QToolButton* StrengButton; // the unnamed "文字列の強調" button
    QToolButton* SearchKeyWord;
    QToolButton* Prnt;
    QToolButton* HelpButton;
    QToolButton* Quit;
    QLineEdit* MemoFileName;
    MemoEdit* SoramiMemo;
    QStatusBar* StatusBar1;
    QLabel* StatusPanels[4];

    QMenu* PopupMenu1;
    QAction* EraseMemo;
    QAction* OpenFile;
    QAction* WriteOver;
    QAction* NamedFileSave;
    QAction* LineDelete;
    QAction* Undo1;
    QAction* CharaStreng;
    QAction* FindStr;
    QAction* FindNext;
    QAction* Copy;
    QAction* Paste;
    QAction* Cut;
    QAction* SelectAll;
    QAction* Bullet;
    QAction* FontSelect;
    QAction* Print;
    QAction* Exit;

    FileDialogState OpenDialog1;
    FileDialogState SaveDialog1;
    FontChooser FontDialog1;
    FindDialog* FindDialog1;

    MemoMode fileMode() const { return mode_; }
    // Applies the memo INI and sets the mode indicators, as opening does.
    void applySettings(const MemoSettings& settings);
    MemoSettings currentSettings() const;
    bool isModified() const;
    QString panelText(int panel) const;

public slots:
    void MemoOpenClick();
    void MemoNewClick();
    void MemoOverWriteClick();
    void WriteCloseClick();
    void FontChangeClick();
    void RichFIleClick();
    void PlaneTextClick();
    void QuitClick();

    // Editing aids.
    void MemoCopyClick();
    void MemoPasteClick();
    void MemoCutClick();
    void MoveCursorEndClick();
    void MoveCursorTopClick();
    void MoveCursorLeftClick();
    void MoveCursorRightClick();
    void CharaStrengClick();
    void BulletClick();
    void EditColorChange();
    void UnDo();
    void SelectAllClick();
    void LineDeleteClick();
    void HelpButtonClick();
    void PrntClick();
    void SoramiMemoKeyDown();
    void SoramiMemoKeyUp(int key);
    void SoramiMemoMouseUp(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons,
                           bool doubleClick);

    // The window's own keys, which win over the box's bindings.
    bool ownsShortcut(const QKeySequence& key) const { return shortcuts_.contains(key); }

    void FindDialog1Find();
    void SearchKeyWordClick();

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void reject() override;

private:
    void createControls();
    void createMenu();
    void layOut();
    void connectHandlers();
    void CheckMark();
    void markItem(QAction* item);
    void SaveMemoSettings();
    bool FormCloseQuery();
    void keepForRecovery();
    void showRichMode(const QString& panelText);
    void showPlainMode();
    void setModifiedPanel();
    void clearModified();
    void applyBaseFont();
    std::optional<std::uint32_t> baseTextColour() const;
    bool saveUnderName();
    bool writeTo(const QString& path); // false: the learner cancelled
    QString cutFileMessage() const;
    void loadInto(const QString& path);
    bool saveBeforeClosing();

    // Lines as the box shows them, wrapped paragraphs giving several.
    int lineFromPosition(int position) const;
    int lineIndex(int line) const; // -1 past the last line

    Platform& platform_;
    FontSpec baseFont_; // the box's own font, apart from any emphasis
    std::function<void()> relayout_;
    MemoMode mode_ = MemoMode::Plain;
    int overwriteToggle_ = 0;
    bool closing_ = false;
    int savedRevision_ = -1; // the document's revision when it was last written
    QString cutPath_;        // a file shown only in part: writing it would lose the rest
    bool settingsWriteFailed_ = false;
    QList<QKeySequence> shortcuts_;
};

// Opening the notebook from the drill window: the cue, the busy cursor, the
// window with the memo INI applied, shown modally, then the help viewer
// told to quit.
void openMemoNote(Platform& platform, QWidget* owner);

} // namespace sorami
