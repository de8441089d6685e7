#pragma once
// A scripted desktop for tests: dialogs are answered from queues, every
// message, dialog, sound and session request is recorded, and the clock is
// whatever the test sets. Nothing is ever shown and the real session is
// never touched.

#include "platform.h"

#include <deque>
#include <functional>
#include <optional>

namespace sorami {

class FakePlatform : public Platform {
public:
    struct Message {
        QString text;
        MsgIcon icon;
        MsgButtons buttons;
        QString caption;
        bool isError = false;
        MsgResult answer = MsgResult::Ok;
    };
    struct Input {
        QString title, prompt, defaultText;
    };
    struct FileDialog {
        bool save;
        FileDialogState stateShown; // as the dialog opened
    };
    struct Sound {
        QString name;
        bool synchronous;
        bool operator==(const Sound&) const = default;
    };

    // Scripts. An empty queue answers a box with one button by that button,
    // and anything else by cancelling it; such unscripted questions are counted.
    std::deque<MsgResult> messageAnswers;
    std::deque<std::optional<QString>> inputAnswers; // nullopt = Cancel
    std::deque<std::optional<QString>> fileAnswers;  // full path, nullopt = Cancel
    std::deque<std::optional<FontSpec>> fontAnswers;
    std::deque<std::optional<ColourValue>> colourAnswers;
    std::deque<bool> printAnswers;
    SessionEndResult endSessionResult = SessionEndResult::Requested;

    // Answers a message box when messageAnswers is empty (then nothing is
    // counted as unscripted); for tests that answer at random.
    std::function<MsgResult(MsgButtons)> answerUnscripted;

    // Called while a message box is "open", for tests that look at the
    // state in that moment.
    std::function<void(const Message&)> onMessage;

    // Records.
    QList<Message> messages; // errors included, in order
    QList<Input> inputs;
    QList<FileDialog> fileDialogs;
    QList<FontChooser> fontDialogs;
    QList<ColourChooser> colourDialogs;
    int printDialogs = 0;
    QList<Sound> sounds;
    QList<QByteArray> speech; // every WAV handed out
    int speechStops = 0;
    QList<int> busyWaits;
    QList<SessionEnd> sessionEnds;
    QStringList helpShown;
    int helpQuits = 0;
    int unscripted = 0;

    // Clock.
    QDateTime now = QDateTime(QDate(2026, 4, 1), QTime(9, 30, 15));
    int timeOfDayMs = 34215000;
    std::uint32_t ticks = 1000000;

    QStringList errorTexts() const;
    QStringList messageTexts() const; // all boxes, errors included
    QStringList soundNames() const;
    void clearRecords();

    MsgResult messageBox(QWidget* parent, const QString& text, MsgIcon icon, MsgButtons buttons,
                         const QString& caption = {}) override;
    void errorBox(QWidget* parent, const QString& text) override;
    QString inputBox(QWidget* parent, const QString& title, const QString& prompt,
                     const QString& defaultText) override;
    bool openFile(QWidget* parent, FileDialogState& state) override;
    bool saveFile(QWidget* parent, FileDialogState& state) override;
    bool chooseFont(QWidget* parent, FontChooser& chooser) override;
    bool chooseColour(QWidget* parent, ColourChooser& chooser) override;
    bool printDocument(QWidget* parent, const QTextDocument& doc, bool hasSelection,
                       const QTextDocument* selection) override;
    void playSound(const QString& name, bool synchronous) override;
    void playSpeech(const QByteArray& wav) override { speech << wav; }
    void stopSpeech() override { ++speechStops; }
    QDateTime localTime() override { return now; }
    int msecsOfDay() override { return timeOfDayMs; }
    std::uint32_t tickCount() override { return ticks; }
    void busyWait(int milliseconds) override;
    SessionEndResult endSession(SessionEnd how) override;
    void showHelp(QWidget* parent, const QString& helpFile) override;
    void quitHelp() override { ++helpQuits; }

private:
    bool fileDialog(FileDialogState& state, bool save);
};

} // namespace sorami
