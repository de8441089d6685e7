#include "score_commands.h"
#include "cue_names.h"

namespace sorami {

bool writeScoreReport(Platform& platform, QWidget* parent, const QString& problemFileName,
                      int answers, int correct, std::string_view learner) {
    const ScoreFile file;
    if (answers == 0) {
        platform.playSound(cue::Poki, true);
        platform.messageBox(parent, QStringLiteral("まだ一つも問題をやっていませんよ!"),
                            MsgIcon::None, MsgButtons::Ok);
        return false;
    }
    if (platform.messageBox(parent, QStringLiteral("ガンバレソラミ君の成績表です。\r\n見ますか？"),
                            MsgIcon::Question, MsgButtons::OkCancel) != MsgResult::Ok)
        return false;
    const QDateTime moment = platform.localTime();
    file.appendReport(problemFileName, moment, answers, correct, learner);
    return true;
}

bool eraseScores(Platform& platform, QWidget* parent) {
    const ScoreFile file;
    if (platform.messageBox(parent,
                            QStringLiteral("ソラミ君の成績データを消去します\r\nいいですか？"),
                            MsgIcon::Question, MsgButtons::OkCancel) != MsgResult::Ok)
        return false;
    file.erase();
    return true;
}

bool confirmProblemReset(Platform& platform, QWidget* parent) {
    return platform.messageBox(parent, QStringLiteral("出題状況をリセットします。\r\nいいですか？"),
                               MsgIcon::Question, MsgButtons::OkCancel) == MsgResult::Ok;
}

} // namespace sorami
