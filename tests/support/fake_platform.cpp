#include "fake_platform.h"

#include <QFileInfo>

namespace sorami {

QStringList FakePlatform::errorTexts() const {
    QStringList out;
    for (const auto& m : messages)
        if (m.isError) out << m.text;
    return out;
}

QStringList FakePlatform::messageTexts() const {
    QStringList out;
    for (const auto& m : messages)
        out << m.text;
    return out;
}

QStringList FakePlatform::soundNames() const {
    QStringList out;
    for (const auto& s : sounds)
        out << s.name;
    return out;
}

void FakePlatform::clearRecords() {
    messages.clear();
    inputs.clear();
    fileDialogs.clear();
    fontDialogs.clear();
    colourDialogs.clear();
    printDialogs = 0;
    sounds.clear();
    speech.clear();
    speechStops = 0;
    busyWaits.clear();
    sessionEnds.clear();
    helpShown.clear();
    helpQuits = 0;
    unscripted = 0;
}

MsgResult FakePlatform::messageBox(QWidget*, const QString& text, MsgIcon icon, MsgButtons buttons,
                                   const QString& caption) {
    Message m{text, icon, buttons, caption, false, MsgResult::Ok};
    if (!messageAnswers.empty()) {
        m.answer = messageAnswers.front();
        messageAnswers.pop_front();
    } else if (answerUnscripted) {
        m.answer = answerUnscripted(buttons);
    } else {
        switch (buttons) {
        case MsgButtons::Ok:
            m.answer = MsgResult::Ok;
            break;
        case MsgButtons::YesNo:
            m.answer = MsgResult::No;
            ++unscripted;
            break;
        default:
            m.answer = MsgResult::Cancel;
            ++unscripted;
            break;
        }
    }
    messages << m;
    if (onMessage) onMessage(m);
    return m.answer;
}

void FakePlatform::errorBox(QWidget*, const QString& text) {
    Message m{text, MsgIcon::Error, MsgButtons::Ok, {}, true, MsgResult::Ok};
    messages << m;
    if (onMessage) onMessage(m);
}

QString FakePlatform::inputBox(QWidget*, const QString& title, const QString& prompt,
                               const QString& defaultText) {
    inputs << Input{title, prompt, defaultText};
    if (inputAnswers.empty()) {
        ++unscripted;
        return defaultText;
    }
    const auto a = inputAnswers.front();
    inputAnswers.pop_front();
    return a ? *a : defaultText;
}

bool FakePlatform::fileDialog(FileDialogState& state, bool save) {
    fileDialogs << FileDialog{save, state};
    if (fileAnswers.empty()) {
        ++unscripted;
        return false;
    }
    const auto a = fileAnswers.front();
    fileAnswers.pop_front();
    if (!a) return false;
    state.fileName = *a;
    state.initialDir = QFileInfo(*a).absolutePath();
    return true;
}

bool FakePlatform::openFile(QWidget*, FileDialogState& state) {
    return fileDialog(state, false);
}
bool FakePlatform::saveFile(QWidget*, FileDialogState& state) {
    return fileDialog(state, true);
}

bool FakePlatform::chooseFont(QWidget*, FontChooser& chooser) {
    fontDialogs << chooser;
    if (fontAnswers.empty()) {
        ++unscripted;
        return false;
    }
    const auto a = fontAnswers.front();
    fontAnswers.pop_front();
    if (!a) return false;
    chooser.font = *a;
    return true;
}

bool FakePlatform::chooseColour(QWidget*, ColourChooser& chooser) {
    colourDialogs << chooser;
    if (colourAnswers.empty()) {
        ++unscripted;
        return false;
    }
    const auto a = colourAnswers.front();
    colourAnswers.pop_front();
    if (!a) return false;
    chooser.colour = *a;
    return true;
}

bool FakePlatform::printDocument(QWidget*, const QTextDocument&, bool, const QTextDocument*) {
    ++printDialogs;
    if (printAnswers.empty()) {
        ++unscripted;
        return false;
    }
    const bool a = printAnswers.front();
    printAnswers.pop_front();
    return a;
}

void FakePlatform::playSound(const QString& name, bool synchronous) {
    sounds << Sound{name, synchronous};
}

void FakePlatform::busyWait(int milliseconds) {
    busyWaits << milliseconds;
    if (milliseconds > 0) {
        ticks += static_cast<std::uint32_t>(milliseconds);
        timeOfDayMs = (timeOfDayMs + milliseconds) % 86400000;
        now = now.addMSecs(milliseconds);
    }
}

SessionEndResult FakePlatform::endSession(SessionEnd how) {
    sessionEnds << how;
    return endSessionResult;
}

void FakePlatform::showHelp(QWidget*, const QString& helpFile) {
    helpShown << helpFile;
}

} // namespace sorami
