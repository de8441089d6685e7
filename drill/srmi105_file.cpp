// The question file in the drill window: loading, saving, the totals, and
// the resume record that brings the learner back to the last question.
#include "profile_ini.h"
#include "qt_platform.h"
#include "resume_record.h"
#include "sjis_text.h"
#include "sorami_error.h"
#include "srmi105.h"
#include "text_box.h"

#include <QFileInfo>
#include <algorithm>

namespace sorami {

void TSorami::setBoxText(QTextEdit* box, const std::string& bytes) {
    showPlainText(box, shownLine(bytes));
}

void TSorami::setMessage(const QString& text) {
    CorrectMsg->setPlainText(displayLineBreaks(text));
}

void TSorami::loadQuestionFile(const QString& path) {
    WabunDisp->clear();
    SeikaiDisp->clear();
    KaitouDisp->clear();
    // Throws before the list is touched. The session starts the score
    // again, counts the marks and puts question 1 in hand.
    session_.load(readQuestionFile(path), platform_.msecsOfDay());

    FileNameDisp->setPlainText(QFileInfo(path).fileName());
    SouMondaiSuu->setPlainText(QStringLiteral("総問題数:%1").arg(session_.questionCount()));
    resetScore();
    SirialSyutudai->setEnabled(true);
    RandomSyutudai->setEnabled(true);
    unlockDrillControls();
    fileLoaded_ = true;
    MatigaiSyutudaiOnly->setEnabled(session_.mistakeCount() != 0);
    setWindowTitle(QStringLiteral("ソラミ君 ＬｋＯ"));
    N_Mondai->setText(QStringLiteral("1"));
    showQuestion();
    KaitouDisp->setFocus();
}

// Loads `path` as the file in use. When the load fails, the name of the file
// whose lines are still in memory stays, so the next exit writes them back
// where they came from and not over the file that failed.
void TSorami::loadKeepingName(const QString& path) {
    const QString previous = problemFileName_;
    problemFileName_ = path;
    try {
        loadQuestionFile(path);
    } catch (...) {
        problemFileName_ = previous;
        throw;
    }
}

void TSorami::showQuestion() {
    if (session_.questionLines().empty()) return;
    setBoxText(WabunDisp, session_.question());
    setBoxText(SeikaiDisp, session_.idiom());
}

void TSorami::saveResumePoint() {
    ProfileIni ini(mainIniPath());
    resume::write(ini, problemFileName_, session_.questionNumber());
    if (!problemFileName_.isEmpty()) writeQuestionFile(problemFileName_, session_.questionLines());
}

void TSorami::FileOpnClick() {
    if (!platform_.openFile(this, OpenDialog1)) return;
    loadKeepingName(OpenDialog1.fileName);
}

void TSorami::FileStoreClick() {
    if (session_.questionLines().empty()) return;
    SaveDialog1.fileName = problemFileName_;
    SaveDialog1.overwritePrompt = true;
    if (!platform_.saveFile(this, SaveDialog1)) return;
    problemFileName_ = SaveDialog1.fileName;
    writeQuestionFile(problemFileName_, session_.questionLines());
}

void TSorami::NewFileNameClick() {
    if (!platform_.saveFile(this, SaveDialog1)) return;
    setWindowTitle(SaveDialog1.fileName);
    FileStoreClick();
}

void TSorami::KiokuClick() {
    if (platform_.messageBox(this, QStringLiteral("前回終了問題から始めます。\r\nいいですか？"),
                             MsgIcon::Question, MsgButtons::YesNo) != MsgResult::Yes)
        return;
    ProfileIni ini(mainIniPath());
    const std::string stored = resume::readFile(ini);
    if (stored != resume::NoFile) {
        if (!stored.empty()) {
            loadKeepingName(fromSjis(stored));
        } else {
            // The name of the file whose lines are in memory stays: emptying
            // it would keep this run's marks from reaching that file at exit.
            platform_.messageBox(this, QStringLiteral("前回の問題は記憶されていません"),
                                 MsgIcon::None, MsgButtons::Ok);
        }
    }
    int number = resume::readNumber(ini);
    if (number != resume::NoNumber) {
        // A number below 1 would put the cursor before the list; one far
        // beyond the end lands on question 1 like any number past the last.
        number = std::clamp(number, 1, session_.questionCount() + 2);
        session_.placeBefore(number);
        SusumeruClick();
    }
}

} // namespace sorami
