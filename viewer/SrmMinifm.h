#pragma once
// The card viewer: one question of a question file at a time, the Japanese
// sentence on top and, on request, the model answer or the idiom line below.
// The same window serves the stand-alone program and the drill program; the
// drill's build also remembers where the learner stopped.

#include "card_view.h"
#include "platform.h"
#include "question_file.h"

#include <QWidget>

class QFrame;
class QMenu;
class QAction;
class QTextEdit;
class QToolButton;

namespace sorami {

enum class ViewerBuild {
    StandAlone, // the program's own main window
    InDrill     // opened from the drill window, with the resume record
};

class TSoramiMiniVer : public QWidget {
    Q_OBJECT
public:
    TSoramiMiniVer(Platform& platform, ViewerBuild build, QWidget* parent = nullptr);

    ViewerBuild build() const { return build_; }

    // Shows the window modally and returns once it has been closed; the way
    // the drill window opens it.
    void showModal();

    // The resume record's file (drill build only).
    static QString viewerIniPath();

    QFrame* Panel1;
    QTextEdit* TangoDisp;
    QTextEdit* ImiDisp;
    QFrame* buttonPanel;
    QToolButton* Yomikomi;
    QToolButton* Tojiru;
    QToolButton* Modoru;
    QToolButton* Susumeru;
    QToolButton* Imi;
    QToolButton* Ideom;
    QMenu* PopupMenu1;
    QAction* SelectWabunFont;
    QAction* SelectSeikaiFont;
    QAction* Exit1;
    FileDialogState OpenDialog2;
    FontChooser FontDialog1;
    FontChooser FontDialog2;

    const Lines& cardLines() const { return cards_.lines; }
    int cardLine() const { return cards_.line; }
    const QString& cardFileName() const { return cards_.fileName; }

    // Opens a question file named on the command line as if the learner had
    // chosen it in the open dialog; a failure is reported, never thrown.
    void openFile(const QString& path);

public slots:
    void FormCreate();
    void YomikomiClick();
    void TojiruClick();
    void SusumeruClick();
    void ModoruClick();
    void ImiClick();
    void IdeomClick();
    void SelectWabunFontClick();
    void SelectSeikaiFontClick();

private:
    void createControls();
    void layOut();
    void connectHandlers();
    void loadThroughDialog(const QString& picked = {});
    void resumeFromRecord();
    void writeResumeRecord();
    void showCard();
    CardView<QTextEdit> view() const { return {TangoDisp, ImiDisp, speak_.speaker}; }

    Platform& platform_;
    const ViewerBuild build_;
    CardList cards_;
    SpeakCommand speak_;
};

} // namespace sorami
