// Feedback on a wrong answer beyond the judgement: where it differs from the
// model answer, marked in both boxes, and the model answer spoken. Both are
// switched on by the learner and kept in the appearance INI in a section of
// their own, which nothing else reads.
#include "answer_diff.h"
#include "error_guard.h"
#include "form_kit.h"
#include "profile_ini.h"
#include "program_paths.h"
#include "sjis_text.h"
#include "speech.h"
#include "srmi105.h"

#include <QActionGroup>

#include <array>

namespace sorami {
namespace {

const QString kSection = QStringLiteral("AnswerFeedback");

// Painted over whatever colours the learner chose for the boxes, with text
// colours of their own, so they read in any theme: typed characters the
// model answer does not have are struck through on red, the model answer's
// characters left out are underlined on green.
QList<QTextEdit::ExtraSelection> marks(QTextEdit* box, const std::vector<TextSpan>& spans,
                                       bool typed) {
    QTextCharFormat format;
    format.setForeground(QColor(Qt::black));
    format.setBackground(typed ? QColor(0xFF, 0xB8, 0xB8) : QColor(0xB8, 0xF0, 0xB8));
    if (typed)
        format.setFontStrikeOut(true);
    else
        format.setFontUnderline(true);
    QList<QTextEdit::ExtraSelection> out;
    for (const TextSpan& span : spans) {
        QTextCursor cursor(box->document());
        cursor.setPosition(span.start);
        cursor.setPosition(span.start + span.length, QTextCursor::KeepAnchor);
        out.append({cursor, format});
    }
    return out;
}

QString kindText(AnswerDiff::Kind kind) {
    switch (kind) {
    case AnswerDiff::Kind::CaseOnly:
        return QStringLiteral("大文字と小文字だけが違います。");
    case AnswerDiff::Kind::Punctuation:
        return QStringLiteral("句読点だけが違います。");
    case AnswerDiff::Kind::SpacesOnly:
        return QStringLiteral("空白だけが違います。");
    case AnswerDiff::Kind::FullWidth:
        return QStringLiteral("全角文字が混じっています。");
    case AnswerDiff::Kind::Equal:
    case AnswerDiff::Kind::Mixed:
        break;
    }
    return {};
}

} // namespace

void TSorami::createFeedbackMenus() {
    Font->addSeparator();
    ShowDifferences = Font->addAction(QStringLiteral("解答の違いを表示"));
    SpeakOnShow = Font->addAction(QStringLiteral("正解表示で読み上げる"));
    for (QAction* a : {ShowDifferences, SpeakOnShow})
        a->setCheckable(true);
    SpeakAnswer = Font->addAction(QStringLiteral("正解を読み上げる"));
    SpeakAnswer->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_L));
    SpeakAnswer->setShortcutContext(Qt::WindowShortcut);
    VoiceMenu = Font->addMenu(QStringLiteral("読み上げの声と速さ"));
    auto* voices = new QActionGroup(this);
    for (const QString& voice : Speaker::voices()) {
        QAction* a = VoiceMenu->addAction(voice == u"en-us" ? QStringLiteral("米国英語 (en-us)")
                                                            : QStringLiteral("英国英語 (en-gb)"));
        a->setData(voice);
        a->setCheckable(true);
        voices->addAction(a);
    }
    VoiceMenu->addSeparator();
    auto* rates = new QActionGroup(this);
    const QStringList rateNames{QStringLiteral("ゆっくり"), QStringLiteral("ふつう"),
                                QStringLiteral("速く")};
    for (int i = 0; i < Speaker::rates().size(); ++i) {
        QAction* a = VoiceMenu->addAction(rateNames.value(i));
        a->setData(Speaker::rates().at(i));
        a->setCheckable(true);
        rates->addAction(a);
    }
    PopupSpeak = PopupMenu1->addAction(QStringLiteral("正解を読み上げる(&L)"));
    PopupSpeak->setShortcut(SpeakAnswer->shortcut());
    PopupSpeak->setShortcutContext(Qt::WindowShortcut);
    PopupMenu1->addSeparator();
}

void TSorami::connectFeedbackHandlers() {
    speaker_ = new Speaker(platform_, this);
    onClick(ShowDifferences, &TSorami::ShowDifferencesClick);
    onClick(SpeakOnShow, &TSorami::SpeakOnShowClick);
    for (QAction* a : {SpeakAnswer, PopupSpeak})
        onClick(a, &TSorami::SpeakAnswerClick);
    for (QAction* a : VoiceMenu->actions())
        if (!a->isSeparator())
            connectGuarded(platform_, a, &QAction::triggered, this, [this, a] {
                if (a->data().typeId() == QMetaType::Int)
                    speaker_->setRate(a->data().toInt());
                else
                    speaker_->setVoice(a->data().toString());
                storeFeedbackSettings();
            });
    // The marks belong to the texts they were made for.
    for (QTextEdit* box : markedBoxes())
        connect(box, &QTextEdit::textChanged, this, &TSorami::clearDifferenceMarks);
}

void TSorami::loadFeedbackSettings() {
    const ProfileIni ini(programIniPath());
    if (ini.readBool(kSection, QStringLiteral("ShowDifferences"), false))
        modes_.showDifferences.press();
    if (ini.readBool(kSection, QStringLiteral("SpeakOnShow"), false)) modes_.speakOnShow.press();
    speaker_->setVoice(QString::fromStdString(
        ini.readString(kSection, QStringLiteral("Voice"), speaker_->voice().toStdString())));
    speaker_->setRate(ini.readInteger(kSection, QStringLiteral("Rate"), speaker_->rate()));
    showFeedbackSettings();
}

void TSorami::showFeedbackSettings() {
    ShowDifferences->setChecked(modes_.showDifferences.on());
    SpeakOnShow->setChecked(modes_.speakOnShow.on());
    for (QAction* a : VoiceMenu->actions()) {
        const QVariant d = a->data();
        a->setChecked(d.typeId() == QMetaType::Int ? d.toInt() == speaker_->rate()
                                                   : d.toString() == speaker_->voice());
    }
}

void TSorami::storeFeedbackSettings() {
    showFeedbackSettings();
    ProfileIni ini(programIniPath());
    ini.batch([&] {
        ini.writeBool(kSection, QStringLiteral("ShowDifferences"), modes_.showDifferences.on());
        ini.writeBool(kSection, QStringLiteral("SpeakOnShow"), modes_.speakOnShow.on());
        ini.writeString(kSection, QStringLiteral("Voice"), speaker_->voice().toStdString());
        ini.writeInteger(kSection, QStringLiteral("Rate"), speaker_->rate());
    });
}

void TSorami::ShowDifferencesClick() {
    if (!modes_.showDifferences.press()) clearDifferenceMarks();
    storeFeedbackSettings();
}

void TSorami::SpeakOnShowClick() {
    modes_.speakOnShow.press();
    storeFeedbackSettings();
}

void TSorami::SpeakAnswerClick() {
    if (session_.lineCount() >= 2) speaker_->speak(fromSjis(session_.modelAnswer()));
}

void TSorami::stopSpeaking() {
    if (speaker_) speaker_->stop();
}

QString TSorami::markDifferences() {
    const AnswerDiff diff = diffAnswers(KaitouDisp->toPlainText(), SeikaiDisp->toPlainText());
    KaitouDisp->setExtraSelections(marks(KaitouDisp, diff.typedExtra, true));
    SeikaiDisp->setExtraSelections(marks(SeikaiDisp, diff.modelMissing, false));
    return kindText(diff.kind);
}

std::array<QTextEdit*, 2> TSorami::markedBoxes() const {
    return {KaitouDisp, SeikaiDisp};
}

void TSorami::clearDifferenceMarks() {
    for (QTextEdit* box : markedBoxes())
        if (!box->extraSelections().isEmpty()) box->setExtraSelections({});
}

} // namespace sorami
