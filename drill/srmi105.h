#pragma once
// TSorami, the drill window: one Japanese sentence at a time, the learner's
// English answer judged against the model answer, mistakes marked inside the
// question file itself.
#include "drill_modes.h"
#include "drill_session.h"
#include "interval_timer.h"
#include "platform.h"
#include "question_file.h"
#include "speech.h"
#include "srmi105_widgets.h"

#include <QAction>
#include <QButtonGroup>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QSet>
#include <QToolButton>
#include <array>
#include <string>

namespace sorami {

class TDemoForm;

class TSorami : public QMainWindow {
    Q_OBJECT
public:
    explicit TSorami(Platform& platform, QWidget* parent = nullptr);
    ~TSorami() override;

    static constexpr int ClientWidth = 738;
    static constexpr int ClientHeight = 497;

    // --- Controls ---------------------------------------------------------
    QWidget* Client = nullptr; // the client area, 738 x 497

    // Left column.
    QFrame* Panel6 = nullptr;
    QPlainTextEdit* FileNameDisp = nullptr;
    QFrame* Panel4 = nullptr;
    QPlainTextEdit* SouMondaiSuu = nullptr;
    QLabel *Label_Mondai = nullptr, *Label_Syutudai = nullptr, *Label_SeikaiRitu = nullptr,
           *Label_Kaitou = nullptr, *Label_Seikai = nullptr;
    QLabel *N_Mondai = nullptr, *N_Syutudai = nullptr, *SeikaiRitu = nullptr, *N_Kaitou = nullptr,
           *N_Seikai = nullptr;
    QFrame* Panel11 = nullptr;
    QFrame* Gauge1 = nullptr;
    std::array<QToolButton*, 21> SpeedButtons{}; // index 1 to 20: SpeedButton1 ... SpeedButton20
    QFrame* SpeedBtnCover = nullptr;
    QLineEdit* DateDisp = nullptr;
    QLineEdit* ClockDisp = nullptr;
    QLineEdit* Syutudai_No = nullptr;
    QPushButton* Syutudai_Origin = nullptr;
    UpDown* UpDown1 = nullptr;
    QPushButton* Kioku = nullptr;
    QPushButton* SpeedButton = nullptr;
    QPushButton* SysExit = nullptr;

    // Top strip.
    QFrame* Bevel1 = nullptr;
    QLabel* MsgLetters = nullptr;
    QPlainTextEdit* CorrectMsg = nullptr;

    // Centre.
    QFrame* Panel1 = nullptr;
    RichEdit* WabunDisp = nullptr;
    RichEdit* SeikaiDisp = nullptr;
    RichEdit* KaitouDisp = nullptr;
    QLabel *LabelWa = nullptr, *LabelBun = nullptr, *LabelSei = nullptr, *LabelKai = nullptr,
           *LabelKai2 = nullptr, *LabelTou = nullptr;
    QFrame* Indicator = nullptr;
    QFrame* Panel10 = nullptr;

    // Bottom.
    QFrame* Panel8 = nullptr;
    QFrame* SmallButtonFrame = nullptr;
    QPushButton* BlockSyutudai = nullptr;
    QPushButton* ProblemReset = nullptr;
    QToolButton* ToSrmMini = nullptr;
    QPushButton* AutoSend = nullptr;
    QToolButton* AutoDelay = nullptr;
    QPushButton* AutoStop = nullptr;
    QPushButton* Modosu = nullptr;
    QPushButton* KaitouSakusei = nullptr;
    QPushButton* Susumeru = nullptr;
    QPushButton* Owari = nullptr;
    QPushButton* KaitouHyouzi = nullptr;
    QPushButton* EraseKaitou = nullptr;
    QPushButton* HintDisp = nullptr;
    QFrame* Panel12 = nullptr;
    QPushButton* Tuika_Btn = nullptr;
    QPushButton* Henkou_Btn = nullptr;
    QPushButton* Sakuzyo_Btn = nullptr;
    QPushButton* Cancel_Btn = nullptr;
    QGroupBox* RadioGroup1 = nullptr;
    QButtonGroup* RadioGroup1Items = nullptr;
    QFrame* SysExitCover = nullptr;
    QPushButton* KankyouKioku = nullptr;

    // Main menu.
    QMenuBar* MainMenu1 = nullptr;
    QMenu* DataFile = nullptr;
    QAction *FileOpn = nullptr, *FileStore = nullptr, *NewFileName = nullptr, *N1 = nullptr,
            *Closed = nullptr;
    QMenu* DataKakou = nullptr;
    QAction *DataTuika = nullptr, *DataHenkou = nullptr, *DataSakuzyo = nullptr,
            *DataAllSakuzyo = nullptr, *N5 = nullptr, *N7 = nullptr;
    QMenu *CopyClipBoard = nullptr, *FromClipBoard = nullptr, *KiritoriClipBoard = nullptr;
    QAction *CWabun_Box = nullptr, *CSeikai_Box = nullptr, *CKaitou_Box = nullptr;
    QAction *FWabun_Box = nullptr, *FSeikai_Box = nullptr, *FKaitou_Box = nullptr;
    QAction *KWabun_Box = nullptr, *KSeikai_Box = nullptr, *KKaitouBox = nullptr;
    QAction *SoramiReport = nullptr, *BlockReport = nullptr, *EraseSeiseki = nullptr;
    QMenu* Font = nullptr;
    QAction *Wabun = nullptr, *Seikai = nullptr, *Kaito = nullptr, *N2 = nullptr;
    QAction *WabunBox = nullptr, *SeikaiBox = nullptr, *KaitouBox = nullptr, *N3 = nullptr,
            *N4 = nullptr;
    QMenu *K1 = nullptr, *K5 = nullptr;
    QAction *Onsei = nullptr, *EffectSound = nullptr, *SoundNothing = nullptr;
    QAction *SirialSyutudai = nullptr, *RandomSyutudai = nullptr, *MatigaiSyutudaiOnly = nullptr;
    QAction* EMemoNote = nullptr; // "［メモ(&M)]"
    QAction* EMemNote = nullptr;  // "[ﾍﾙﾌﾟ(&H)]"
    QAction* EMemoDispVersion = nullptr;

    // Pop-up menu PopupMenu1 of the three text boxes.
    QMenu* PopupMenu1 = nullptr;
    QAction *N6 = nullptr, *Save1 = nullptr, *SaveAs1 = nullptr, *N8 = nullptr, *N9 = nullptr,
            *N10 = nullptr, *N11 = nullptr, *N12 = nullptr, *N13 = nullptr, *N14 = nullptr,
            *N16 = nullptr, *N15 = nullptr, *N21 = nullptr, *FlashWav = nullptr, *N17 = nullptr,
            *SeisekiTone = nullptr, *N19 = nullptr, *N20 = nullptr, *N18 = nullptr, *X1 = nullptr;
    // Feedback on a wrong answer: the differences marked, the model answer spoken.
    QAction *ShowDifferences = nullptr, *SpeakOnShow = nullptr, *SpeakAnswer = nullptr,
            *PopupSpeak = nullptr;
    QMenu* VoiceMenu = nullptr;

    // Components without a window.
    FileDialogState OpenDialog1, SaveDialog1;
    FontChooser FontDialog1, FontDialog2, FontDialog3;
    ColourChooser ColorDialog1, ColorDialog2, ColorDialog3;
    IntervalTimer* Timer1 = nullptr;
    IntervalTimer* Timer2 = nullptr;

    // The splash window, alive only while the window is being created.
    QPointer<TDemoForm> demoForm() const { return demoForm_; }

    // The drill's state and rules; the window only shows them.
    const DrillSession& session() const { return session_; }

    // --- Read-only views of the window's own state, for tests and callers
    const QString& problemFileName() const { return problemFileName_; }
    const std::string& userName() const { return userName_; }
    bool fileLoaded() const { return fileLoaded_; }
    enum class Sound { Voice, Effect, Silent };
    Sound soundMode() const { return soundMode_; }
    const DrillModes& modes() const { return modes_; }
    int coverPanelHeight() const { return coverPanelHeight_; }
    int exitCoverLeft() const { return exitCoverLeft_; }
    QString mainIniPath() const;

    // Opens a question file named on the command line as if the learner had
    // chosen it in the open dialog; a failure is reported, never thrown.
    void openFile(const QString& path);

    // The control groups switched together.
    QList<QWidget*> runControls() const;
    QList<QWidget*> drillButtons() const;
    QList<QWidget*> editButtons() const;

public slots:
    // Life cycle.
    void FormCreate();
    void OwariClick();
    void FormCloseQuery(bool& canClose);

    // Question file and resume record.
    void FileOpnClick();
    void FileStoreClick();
    void NewFileNameClick();
    void KiokuClick();

    // Moves and question orders.
    void SusumeruClick();
    void ModosuClick();
    void SerialSyutudaiClick();
    void RandomSyutudaiClick();
    void MatigaiSyutudai();
    void UpDown1Click();
    void Syutudai_OriginClick();
    void FormKeyDown(int key);
    void KaitouSakuseiKeyDown(int key);

    // Answer checking, display toggles and sound modes.
    void KaitouSakuseiClick();
    void KaitouHyouziClick();
    void HintDispClick();
    void EraseKaitouClick();
    void ShowDifferencesClick();
    void SpeakOnShowClick();
    void SpeakAnswerClick();
    void OnseiClick();
    void EffectSoundClick();
    void SoundNothingClick();

    // Score reports and the question reset.
    void SoramiReportClick();
    void BlockReportClick();
    void EraseSeisekiReportClick();
    void ProblemResetClick();

    // Block runs.
    void BlockSyutudaiClick();

    // Appearance of the three text boxes.
    void WabunClick();
    void SeikaiClick();
    void KaitoClick();
    void WabunBoxClick();
    void SeikaiBoxClick();
    void KaitouBoxClick();
    void KankyouKiokuClick();
    void SeisekiToneClick();

    // Window extras.
    void Timer1Timer();
    void SpeedBtnCoverClick();
    void SysExitClick();
    void RadioGroup1Click(int index);
    void HelpClick();
    void VersionDispClick();
    void ToSrmMiniClick();
    void EMemoNoteClick();

    // Automatic and flash advance.
    void AutoSendClick();
    void AutoDelayClick();
    void Timer2Timer();
    void AutoStopClick();
    void FlashWavClick();

    // Editing the question list, and the clipboard items.
    void Tuika_BtnClick();
    void Henkou_BtnClick();
    void Cancel_BtnClick();
    void DataSakuzyoClick();
    void DataAllSakuzyoClick();
    void CWabun_BoxClick();
    void CSeikai_BoxClick();
    void CKaitou_BoxClick();
    void FWabun_BoxClick();
    void FSeikai_BoxClick();
    void FKaitou_BoxClick();
    void KWabun_BoxClick();
    void KSeikai_BoxClick();
    void KKaitou_BoxClick();

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Construction (srmi105_layout.cpp, srmi105_menus.cpp).
    void createControls();
    void layoutControls();
    void createMenus();
    void connectHandlers();
    // A menu command or a button runs `slot`, guarded.
    void onClick(QObject* sender, void (TSorami::*slot)());
    void connectScoreHandlers();
    void connectExtrasHandlers();

    // Feedback on a wrong answer (srmi105_feedback.cpp).
    void createFeedbackMenus();
    void connectFeedbackHandlers();
    void loadFeedbackSettings();
    void showFeedbackSettings();
    void storeFeedbackSettings();
    void stopSpeaking();
    // Marks where the typed answer and the model answer in the boxes
    // differ; the kind of difference, in words, when there is one.
    QString markDifferences();
    void clearDifferenceMarks();
    // The answer box and the correct-answer box, where differences are marked.
    std::array<QTextEdit*, 2> markedBoxes() const;

    // Appearance (srmi105_extras.cpp): the choosers are the only store of
    // the boxes' look during a run; the boxes get copies.
    struct Appearance {
        RichEdit* box;
        FontChooser* font;
        ColourChooser* colour;
        QString fontSection;
        QString colourSection;
    };
    QList<Appearance> appearanceSlots();
    void initAppearanceChoosers();
    void LoadAppearance();
    void ApplyBoxFonts();
    void ApplyBoxColours();
    void chooseBoxFont(int slotIndex);
    void chooseBoxColour(int slotIndex);
    void installShortcutPriority();
    // Shows what the two covers leave in reach and hides what they cover.
    void showCovers();

    // Control groups and the live score.
    void resetScore();
    void disableRunControls();
    void enableRunControls();
    void lockDrillControls();
    void lockDrillButtons();
    void unlockDrillControls();

    // Question file and resume record.
    void loadQuestionFile(const QString& path);
    void loadKeepingName(const QString& path);
    void showQuestion();
    // Writes the question list, then the resume record; each failure is
    // shown and does not stop the other write. True when the window may
    // close: all was written, or the learner chose to end without it.
    bool saveResumePoint();
    // The same when the session ends: nothing asked, what cannot be written
    // kept as a recovery copy.
    void saveAtSessionEnd();
    // Asks before a save over the file that was read only up to a NUL.
    bool mayReplace(const QString& path);
    // Writes the list to `path`. When `path` is the file the list was read
    // from and another program has changed it since, asks first; false
    // when the learner leaves that file as it is.
    bool writeQuestions(const QString& path);
    // The learner's choice for a file changed behind the drill: this
    // session's marks put on the questions the file holds now, or the file
    // left alone. True when the file was written.
    bool mergeIntoChangedFile(const QString& path);
    // The marks journal follows the list just loaded from `path`: the one
    // of the list replaced goes, and marks a journal holds for `path` (a
    // drill that died before its exit) are put back into the list.
    void takeOverJournal(const QString& path);

    // Moves.
    void showStep();
    void finishMistakeRun();

    // Answer area.
    // The one way the model answer reaches 正解: the answer check, the
    // 正解表示 toggle and the flash advance all come here. What the answer
    // check and the toggle show is spoken when the learner wants it.
    enum class ShownBy { Check, Toggle, Flash };
    void showModelAnswer(ShownBy by);
    // The flash advance hides what 正解 shows and shows it again.
    void hideSeikaiForFlash();
    void showSeikaiAfterFlash();
    void resetAnswerArea();
    void refreshAnswerBoxes();
    void refreshSeikaiByToggles();
    void busyWait(int milliseconds);
    void showMarkChange(bool marked);
    void updateScoreLabels();
    void playCue(bool correct);

    // Block runs.
    // Returns the window from a run that an order change ends before its
    // last question: no grade, no record, the controls back as after a graded run.
    void leaveBlockRun();
    QList<QWidget*> blockLockedControls() const;
    void endBlockRun();

    // Automatic and flash advance.
    void connectAdvanceHandlers();
    void startAdvance(bool flash);

    // Editing.
    void connectEditHandlers();
    // An add or change is under way: between its first and second press.
    bool editPending() const { return modes_.edit.pending().has_value(); }
    // Asks to cancel the add or change under way, as the cancel button
    // does; true when none is left pending.
    bool endPendingEdit();
    // Before a command that puts other texts into the boxes: the edit under
    // way ends first, when the learner agrees, and the window comes back
    // with it. False when the edit goes on and the command must not run.
    bool endEditFirst();
    // Shows why an edit cannot start when no question file is open.
    bool refuseWithoutFile();
    // Writes the list to the question file. A failure is shown; the list
    // stays as edited in memory, so the exit can still write it.
    bool saveEditedList();
    // A box's text as one question line: `original` when the box still
    // shows exactly that line, else the typed text with line breaks as blanks.
    std::string boxLine(const QTextEdit* box, std::string_view original = {}) const;
    void clipboardCommand(QTextEdit* box, void (QTextEdit::*command)(), QWidget* focusNext);

    // Small helpers.
    void setBoxText(QTextEdit* box, std::string_view bytes);
    void setMessage(const QString& text);
    void setMessagePointSize(int points);

    Platform& platform_;
    QPointer<TDemoForm> demoForm_;
    QSet<QKeySequence> windowShortcuts_;

    DrillSession session_;
    // Every mark set or taken off since the list was last read or written.
    MarksJournal journal_;
    // The file the list was last read from or written to, as it was then.
    QString stampedPath_;
    FileStamp stamp_;
    // Window state shared by the window's parts.
    QString problemFileName_;
    // The file whose text a NUL ended early, and that NUL's offset; a save
    // over it would lose what follows.
    QString truncatedFile_;
    long long truncatedAt_ = -1;
    // The end was confirmed and its save done; the close that follows
    // neither writes nor asks again.
    bool endAgreed_ = false;
    std::string userName_;
    Sound soundMode_ = Sound::Voice;
    bool fileLoaded_ = false;
    int coverPanelHeight_ = 0;
    int exitCoverLeft_ = 0;
    int exitCoverWidth_ = 0;

    DrillModes modes_;
    Speaker* speaker_ = nullptr;
    // A tick whose move opened a message box must not move again from
    // inside it.
    bool ticking_ = false;
};

} // namespace sorami
