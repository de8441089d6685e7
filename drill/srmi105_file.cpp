// The question file in the drill window: loading, saving, the totals, and
// the resume record that brings the learner back to the last question.
#include "error_guard.h"
#include "profile_ini.h"
#include "qt_platform.h"
#include "recovery.h"
#include "resume_record.h"
#include "sjis_text.h"
#include "sorami_error.h"
#include "srmi105.h"
#include "termination.h"
#include "text_box.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>

namespace sorami {

void TSorami::setBoxText(QTextEdit* box, std::string_view bytes) {
    showPlainText(box, shownLine(bytes));
}

void TSorami::setMessage(const QString& text) {
    CorrectMsg->setPlainText(displayLineBreaks(text));
}

void TSorami::setMessagePointSize(int points) {
    QFont f = CorrectMsg->font();
    f.setPointSize(points);
    CorrectMsg->setFont(f);
}

void TSorami::loadQuestionFile(const QString& path) {
    WabunDisp->clear();
    SeikaiDisp->clear();
    KaitouDisp->clear();
    // Throws before the list is touched. The session starts the score
    // again, counts the marks and puts question 1 in hand.
    long long nulAt = -1;
    FileStamp stamp;
    session_.load(readQuestionFile(path, &nulAt, &stamp), platform_.msecsOfDay());
    stamp_ = stamp;
    stampedPath_ = QFileInfo(path).absoluteFilePath();
    takeOverJournal(path);
    truncatedFile_ = nulAt < 0 ? QString() : path;
    truncatedAt_ = nulAt;

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
    if (nulAt >= 0)
        platform_.messageBox(this,
                             QStringLiteral("ファイル %1 の %2 バイト目に NUL 文字があります。\r\n"
                                            "それ以降は読み込んでいません。")
                                 .arg(QDir::toNativeSeparators(path))
                                 .arg(nulAt + 1),
                             MsgIcon::Warning, MsgButtons::Ok);
}

void TSorami::takeOverJournal(const QString& path) {
    // Marks of the list just replaced reach its file through a save or the
    // exit only, as they always did; its journal goes with the list.
    journal_.stop();
    std::vector<MarkRecord> carried = journalledMarks(path);
    session_.applyMarks(carried);
    // The marks brought back stay in the journal until the file holds them.
    journal_.start(path, std::move(carried));
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

bool TSorami::saveResumePoint() {
    if (sessionEnding()) {
        saveAtSessionEnd();
        return true;
    }
    // The marks first: they are the learner's work, the record only a
    // bookmark. Each write runs in the guard of its own, so a record that
    // cannot be written never keeps the marks from the disk, nor the other
    // way round. An unchanged list is not written: the file holds it
    // already, with every byte the reader did not take in.
    bool fileSaved = true;
    if (!problemFileName_.isEmpty() && session_.changed()) {
        fileSaved = false;
        guarded(platform_, this, [&] {
            // Keeping a file that was read only up to a NUL, or one another
            // program has changed, is the learner's choice, and no reason
            // to stay; the marks left out do not come back.
            if (!mayReplace(problemFileName_) || !writeQuestions(problemFileName_)) journal_.stop();
            fileSaved = true;
        });
    }
    bool recordSaved = false;
    guarded(platform_, this, [&] {
        ProfileIni ini(mainIniPath());
        resume::write(ini, problemFileName_, session_.questionNumber());
        recordSaved = true;
    });
    if (fileSaved && recordSaved) return true;
    // No means the window stays, so the learner can make room or save
    // under another name.
    const QString text = fileSaved ? QStringLiteral("前回終了問題を記録できませんでした。\r\n"
                                                    "記録せずに終了しますか？")
                                   : QStringLiteral("問題ファイルを保存できませんでした。\r\n"
                                                    "保存せずに終了しますか？");
    if (platform_.messageBox(this, text, MsgIcon::Question, MsgButtons::YesNo) != MsgResult::Yes)
        return false;
    // Ending without the marks is the learner's choice: they must not come
    // back when the file is opened next.
    if (!fileSaved) journal_.stop();
    return true;
}

void TSorami::saveAtSessionEnd() {
    // Nobody is there to answer: what can be written goes where it belongs,
    // the list that cannot (a read-only file, a file cut at a NUL or
    // changed by another program) becomes a recovery copy offered at the
    // next start, and no box is shown.
    if (!problemFileName_.isEmpty() && session_.changed()) {
        const QString path = problemFileName_;
        const QFileInfo file(path);
        const bool cut = truncatedAt_ >= 0 && file == QFileInfo(truncatedFile_);
        const bool changedElsewhere =
            file.absoluteFilePath() == stampedPath_ && changedSince(path, stamp_);
        bool written = false;
        if (!cut && !changedElsewhere) {
            try {
                written = writeQuestions(path);
            } catch (const SoramiError&) {
            }
        }
        if (!written) {
            try {
                writeQuestionFile(recoveryCopyPath(file.fileName(), platform_.localTime()),
                                  session_.questionLines());
                // The copy holds the marks; they must not come back twice.
                journal_.stop();
            } catch (const SoramiError&) {
                // The journal keeps the marks for the next time the file opens.
                journal_.keepOnDisk();
            }
        }
    }
    try {
        ProfileIni ini(mainIniPath());
        resume::write(ini, problemFileName_, session_.questionNumber());
    } catch (const SoramiError&) {
    }
}

bool TSorami::mayReplace(const QString& path) {
    if (truncatedAt_ < 0 || QFileInfo(path) != QFileInfo(truncatedFile_)) return true;
    return platform_.messageBox(
               this,
               QStringLiteral("ファイル %1 の %2 バイト目以降は読み込んでいません。\r\n"
                              "上書きすると、その部分は失われます。\r\n上書きしますか？")
                   .arg(QDir::toNativeSeparators(truncatedFile_))
                   .arg(truncatedAt_ + 1),
               MsgIcon::Question, MsgButtons::YesNo) == MsgResult::Yes;
}

bool TSorami::writeQuestions(const QString& path) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    if (absolute == stampedPath_ && changedSince(path, stamp_)) return mergeIntoChangedFile(path);
    stamp_ = writeQuestionFile(path, session_.questionLines());
    stampedPath_ = absolute;
    session_.markSaved();
    // The file holds every mark; marks from now on are journalled for it.
    journal_.start(path);
    // The file now holds all there is.
    if (truncatedAt_ >= 0 && QFileInfo(path) == QFileInfo(truncatedFile_)) {
        truncatedFile_.clear();
        truncatedAt_ = -1;
    }
    return true;
}

bool TSorami::mergeIntoChangedFile(const QString& path) {
    if (platform_.messageBox(
            this,
            QStringLiteral(
                "ファイル %1 は、読み込んだ後にほかのプログラムで書き換えられています。\r\n"
                "このセッションのマークを今のファイルの問題に付けて保存しますか？\r\n"
                "「いいえ」を選ぶと、ファイルは今のままにします。")
                .arg(QDir::toNativeSeparators(path)),
            MsgIcon::Warning, MsgButtons::YesNo) != MsgResult::Yes)
        return false;
    long long nulAt = -1;
    Lines lines = readQuestionFile(path, &nulAt);
    // Written from its lines, the file would lose what follows its NUL.
    if (nulAt >= 0) return false;
    applyMarks(journal_.records(), lines);
    stamp_ = writeQuestionFile(path, lines);
    session_.replaceLines(std::move(lines));
    journal_.start(path);
    // The window shows the list as the file now holds it.
    SouMondaiSuu->setPlainText(QStringLiteral("総問題数:%1").arg(session_.questionCount()));
    MatigaiSyutudaiOnly->setEnabled(session_.mistakeCount() != 0);
    N_Mondai->setText(QString::number(session_.questionNumber()));
    showQuestion();
    return true;
}

void TSorami::FileOpnClick() {
    if (!platform_.openFile(this, OpenDialog1)) return;
    if (!endEditFirst()) return;
    loadKeepingName(OpenDialog1.fileName);
}

void TSorami::openFile(const QString& path) {
    pickInDialog(OpenDialog1, path);
    guarded(platform_, this, [&] { loadKeepingName(OpenDialog1.fileName); });
}

void TSorami::FileStoreClick() {
    if (session_.questionLines().empty()) return;
    SaveDialog1.fileName = problemFileName_;
    SaveDialog1.overwritePrompt = true;
    if (!platform_.saveFile(this, SaveDialog1)) return;
    problemFileName_ = SaveDialog1.fileName;
    if (mayReplace(problemFileName_)) writeQuestions(problemFileName_);
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
    if (!endEditFirst()) return;
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
