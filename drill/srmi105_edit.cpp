// Editing the question list in the drill window: the three text boxes are
// the form of a question, add and change take two presses, delete one press
// and a confirmation; and the clipboard items of the data menu.
#include "cue_names.h"
#include "error_guard.h"
#include "paste_guard.h"
#include "sjis_text.h"
#include "srmi105.h"
#include "text_box.h"

namespace sorami {
void TSorami::connectEditHandlers() {
    onClick(Tuika_Btn, &TSorami::Tuika_BtnClick);
    onClick(DataTuika, &TSorami::Tuika_BtnClick);
    onClick(Henkou_Btn, &TSorami::Henkou_BtnClick);
    onClick(DataHenkou, &TSorami::Henkou_BtnClick);
    onClick(Cancel_Btn, &TSorami::Cancel_BtnClick);
    for (QObject* s : {static_cast<QObject*>(Sakuzyo_Btn), static_cast<QObject*>(DataSakuzyo),
                       static_cast<QObject*>(SpeedButtons[7])})
        onClick(s, &TSorami::DataSakuzyoClick);
    onClick(DataAllSakuzyo, &TSorami::DataAllSakuzyoClick);
    onClick(SpeedButtons[8], &TSorami::DataAllSakuzyoClick);
    // SpeedButton5 and SpeedButton6 carry the hints of add and change but
    // start nothing: a two-press edit belongs to the edit panel's buttons.
    onClick(CWabun_Box, &TSorami::CWabun_BoxClick);
    onClick(CSeikai_Box, &TSorami::CSeikai_BoxClick);
    onClick(CKaitou_Box, &TSorami::CKaitou_BoxClick);
    onClick(FWabun_Box, &TSorami::FWabun_BoxClick);
    onClick(FSeikai_Box, &TSorami::FSeikai_BoxClick);
    onClick(FKaitou_Box, &TSorami::FKaitou_BoxClick);
    onClick(KWabun_Box, &TSorami::KWabun_BoxClick);
    onClick(KSeikai_Box, &TSorami::KSeikai_BoxClick);
    onClick(KKaitouBox, &TSorami::KKaitou_BoxClick);
}

bool TSorami::refuseWithoutFile() {
    if (!problemFileName_.isEmpty()) return false;
    platform_.messageBox(this,
                         QStringLiteral("問題ファイルが開かれていません。\r\n"
                                        "先に問題ファイルを開いてください。"),
                         MsgIcon::Information, MsgButtons::Ok);
    return true;
}

bool TSorami::saveEditedList() {
    if (problemFileName_.isEmpty()) return false;
    bool saved = false;
    guarded(platform_, this, [&] {
        if (!mayReplace(problemFileName_)) return;
        saved = writeQuestions(problemFileName_);
    });
    return saved;
}

std::string TSorami::boxLine(const QTextEdit* box, std::string_view original) const {
    QString text = box->toPlainText();
    // A pasted line break would split the question into more than three
    // lines of the file.
    for (QChar& c : text)
        if (c == u'\n' || c == u'\r' || c == QChar::LineSeparator || c == QChar::ParagraphSeparator)
            c = u' ';
    // An untouched line keeps its bytes, also those a box cannot show and
    // the part of a very long line that it leaves out.
    if (text == shownLine(original)) return std::string(original);
    return toSjis(text);
}

void TSorami::Tuika_BtnClick() {
    if (refuseWithoutFile()) return;
    if (!modes_.edit.press(TwoPressEdit::Kind::Add)) {
        // The advance would stand still under the edit while its indicator
        // and message said it ran: it ends here.
        if (modes_.advance.running()) AutoStopClick();
        lockDrillButtons();
        Henkou_Btn->setEnabled(false);
        Sakuzyo_Btn->setEnabled(false);
        platform_.messageBox(
            this,
            QStringLiteral("データを追加登録します。MSG欄のメッセージに従って入力してください。\r\n"
                           "データの追加処理後、再度「追加ボタン」をクリックすれ完了します。"),
            MsgIcon::Information, MsgButtons::Ok);
        setFontColour(Tuika_Btn, Colours::Red);
        setMessagePointSize(8);
        setMessage(
            QStringLiteral("追加登録する和文･英文･慣用句を入力してください。[和文は和文枠に！] "
                           "[英文は正解枠に！] [慣用句は解答枠に！]入力してください！！"));
        setFontColour(Henkou_Btn, Colours::Black);
        setFontColour(Sakuzyo_Btn, Colours::Black);
        WabunDisp->clear();
        SeikaiDisp->clear();
        KaitouDisp->clear();
        WabunDisp->setFocus();
        return;
    }
    setFontColour(Tuika_Btn, Colours::Black);
    setMessage({});
    const std::string japanese = boxLine(WabunDisp);
    const std::string english = boxLine(SeikaiDisp);
    const std::string idiom = boxLine(KaitouDisp);
    if (!japanese.empty() && !english.empty() && !idiom.empty()) {
        const int lineCount = session_.lineCount();
        SouMondaiSuu->setPlainText(QStringLiteral("総問題数:%1").arg((lineCount + 3) / 3));
        // The new question follows the one in hand, or ends the list.
        const int after = session_.currentLine() + 3;
        if (after < lineCount) {
            session_.insertQuestion(after, japanese, english, idiom);
            session_.setCurrentLine(after);
            showQuestion();
        } else {
            session_.insertQuestion(lineCount, japanese, english, idiom);
            session_.setCurrentLine(lineCount);
        }
        platform_.playSound(cue::Up, true);
    } else {
        platform_.playSound(cue::Poki, true);
        platform_.messageBox(
            this,
            QStringLiteral("追加問題がきちんと入力されていませんよ！\r\n再度やり直してください．"),
            MsgIcon::Warning, MsgButtons::Ok);
        setBoxText(WabunDisp, session_.question());
        refreshAnswerBoxes();
    }
    unlockDrillControls();
    Henkou_Btn->setEnabled(true);
    Sakuzyo_Btn->setEnabled(true);
    setFontColour(Tuika_Btn, Colours::Black);
    saveEditedList();
}

void TSorami::Henkou_BtnClick() {
    if (refuseWithoutFile()) return;
    const int at = session_.currentLine();
    if (!modes_.edit.press(TwoPressEdit::Kind::Change)) {
        if (modes_.advance.running()) AutoStopClick();
        lockDrillButtons();
        Tuika_Btn->setEnabled(false);
        Sakuzyo_Btn->setEnabled(false);
        setFontColour(Henkou_Btn, Colours::Red);
        platform_.messageBox(
            this,
            QStringLiteral("データを変更登録します。MSG欄のメッセージに従って入力してください。\r\n"
                           "データの変更処理後、再度「変更ボタン」をクリックすれば完了します。"),
            MsgIcon::Information, MsgButtons::Ok);
        setMessagePointSize(8);
        setMessage(
            QStringLiteral("変更登録する和文･英文･慣用句を入力してください。[和文は和文枠に！] "
                           "[英文は正解枠に！] [慣用句は解答枠に！]入力してください！！"));
        setBoxText(SeikaiDisp, session_.line(at + 1));
        setBoxText(KaitouDisp, session_.line(at + 2));
        setFontColour(Tuika_Btn, Colours::Black);
        setFontColour(Sakuzyo_Btn, Colours::Black);
        return;
    }
    if (!session_.questionLines().empty()) {
        setMessage({});
        // Empty boxes give empty lines: a change is stored as it stands.
        session_.replaceQuestion(at, boxLine(WabunDisp, session_.line(at)),
                                 boxLine(SeikaiDisp, session_.line(at + 1)),
                                 boxLine(KaitouDisp, session_.line(at + 2)));
        refreshAnswerBoxes();
    }
    setFontColour(Henkou_Btn, Colours::Black);
    platform_.playSound(cue::Up, true);
    // The window comes back even when the file cannot be written.
    saveEditedList();
    unlockDrillControls();
    Tuika_Btn->setEnabled(true);
    Sakuzyo_Btn->setEnabled(true);
}

bool TSorami::endPendingEdit() {
    const auto confirmed = [this](const QString& text) {
        return platform_.messageBox(this, text, MsgIcon::Question, MsgButtons::YesNo) !=
               MsgResult::No;
    };
    const auto endEdit = [this] {
        modes_.edit.end();
        setFontColour(Tuika_Btn, Colours::Black);
        setFontColour(Henkou_Btn, Colours::Black);
        setMessage({});
    };
    if (modes_.edit.pending() == TwoPressEdit::Kind::Add &&
        confirmed(QStringLiteral("データの追加登録をキャンセルします"))) {
        endEdit();
        setBoxText(WabunDisp, session_.question());
        refreshAnswerBoxes();
        platform_.playSound(cue::Cancel, true);
    }
    if (modes_.edit.pending() == TwoPressEdit::Kind::Change &&
        confirmed(QStringLiteral("データの変更登録をキャンセルします"))) {
        endEdit();
        refreshAnswerBoxes();
        KaitouDisp->clear();
        platform_.playSound(cue::Cancel, true);
    }
    return !editPending();
}

bool TSorami::endEditFirst() {
    if (!editPending()) return true;
    if (!endPendingEdit()) return false;
    unlockDrillControls();
    return true;
}

void TSorami::Cancel_BtnClick() {
    // An edit the learner keeps keeps the window locked: every move would
    // overwrite what is typed in the boxes, and an advance would not run.
    if (endPendingEdit()) unlockDrillControls();
}

void TSorami::DataSakuzyoClick() {
    if (!endEditFirst()) return;
    modes_.edit.end();
    setFontColour(Henkou_Btn, Colours::Black);
    setFontColour(Tuika_Btn, Colours::Black);
    setFontColour(Sakuzyo_Btn, Colours::Red);
    setMessage({});
    if (session_.questionLines().empty()) {
        setFontColour(Sakuzyo_Btn, Colours::Black);
        return;
    }
    // The question asked about is the one removed, even when an advance
    // moves on while the confirmation is open.
    const int at = session_.currentLine();
    if (platform_.messageBox(this, shownLine(session_.line(at)) + QStringLiteral(" を削除します。"),
                             MsgIcon::Question, MsgButtons::OkCancel) == MsgResult::Ok) {
        // The list goes to the file as it was before the removal; the
        // removal itself reaches the file with the next save. A save that
        // fails removes nothing.
        if (saveEditedList()) {
            session_.removeQuestion(at);
            SouMondaiSuu->setPlainText(QStringLiteral("総問題数:%1").arg(session_.questionCount()));
            platform_.playSound(cue::Up, true);
        }
    } else {
        platform_.playSound(cue::Cancel, true);
    }
    setFontColour(Sakuzyo_Btn, Colours::Black);
    showQuestion();
}

void TSorami::DataAllSakuzyoClick() {
    if (refuseWithoutFile()) return;
    if (session_.questionLines().empty()) return;
    if (!endEditFirst()) return;
    if (platform_.messageBox(this, QStringLiteral("すべてのデータを削除します。"),
                             MsgIcon::Question, MsgButtons::OkCancel) != MsgResult::Ok)
        return;
    // Nothing is written: without a file name the exit leaves the file on
    // disk with its questions.
    session_.clearQuestions();
    problemFileName_.clear();
    journal_.stop();
    WabunDisp->clear();
    SeikaiDisp->clear();
    // No file is open any more, and the window says so as before the first
    // one: no name, no questions, nothing to drill or edit until a file is
    // opened.
    FileNameDisp->clear();
    SouMondaiSuu->setPlainText(QStringLiteral("総問題数:0"));
    setWindowTitle(QStringLiteral("がんばれソラミ君・ＬｋＯ"));
    fileLoaded_ = false;
    lockDrillControls();
}

// --- Clipboard items --------------------------------------------------------

void TSorami::clipboardCommand(QTextEdit* box, void (QTextEdit::*command)(), QWidget* focusNext) {
    // With nothing on the clipboard a paste would crash the box.
    if (command != &QTextEdit::paste || clipboardHoldsText()) (box->*command)();
    focusNext->setFocus();
}

void TSorami::CWabun_BoxClick() {
    clipboardCommand(WabunDisp, &QTextEdit::copy, SeikaiDisp);
}
void TSorami::CSeikai_BoxClick() {
    clipboardCommand(SeikaiDisp, &QTextEdit::copy, KaitouDisp);
}
void TSorami::CKaitou_BoxClick() {
    clipboardCommand(KaitouDisp, &QTextEdit::copy, KaitouDisp);
}
void TSorami::FWabun_BoxClick() {
    clipboardCommand(WabunDisp, &QTextEdit::paste, KaitouDisp);
}
void TSorami::FSeikai_BoxClick() {
    clipboardCommand(SeikaiDisp, &QTextEdit::paste, KaitouDisp);
}
void TSorami::FKaitou_BoxClick() {
    clipboardCommand(KaitouDisp, &QTextEdit::paste, KaitouDisp);
}
void TSorami::KWabun_BoxClick() {
    clipboardCommand(WabunDisp, &QTextEdit::cut, SeikaiDisp);
}
void TSorami::KSeikai_BoxClick() {
    clipboardCommand(SeikaiDisp, &QTextEdit::cut, KaitouDisp);
}
void TSorami::KKaitou_BoxClick() {
    clipboardCommand(KaitouDisp, &QTextEdit::cut, SeikaiDisp);
}

} // namespace sorami
