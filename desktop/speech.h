#pragma once
// Speaking the model answer, offline: espeak-ng runs as a program of its own
// and writes WAV to its output, which goes to the sound output when it is
// complete (a sentence takes milliseconds). Nothing here waits: the window
// goes on while the engine works.
#include "platform.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <functional>

class QAction;
class QProcess;

namespace sorami {

class Speaker : public QObject {
    Q_OBJECT
public:
    Speaker(Platform& platform, QWidget* window);
    ~Speaker() override;

    // The voices offered, and the speaking rates in words per minute.
    static const QStringList& voices();
    static const QList<int>& rates();

    void setVoice(const QString& voice);
    void setRate(int wordsPerMinute);
    QString voice() const { return voice_; }
    int rate() const { return rate_; }
    // The engine's program, found on the PATH unless a path is given.
    void setEngine(const QString& program) { engine_ = program; }

    // Speaks `text` in place of anything still being spoken. Without the
    // engine the learner is told once, with the package to install.
    void speak(const QString& text);
    void stop();

signals:
    // The engine's WAV went to the sound output.
    void handedOut();

private:
    void engineMissing();
    void endEngine();
    Platform& platform_;
    QPointer<QWidget> window_;
    QString engine_ = QStringLiteral("espeak-ng");
    QString voice_;
    int rate_;
    QProcess* process_ = nullptr;
    bool toldMissing_ = false;
    bool handedOut_ = false; // the sound output may still be speaking
};

// The companions' command 正解を読み上げる (Ctrl+L in the window): speaks
// what `answer` gives, the model answer of the card in hand.
struct SpeakCommand {
    QAction* action = nullptr;
    Speaker* speaker = nullptr;
};
SpeakCommand addSpeakCommand(Platform& platform, QWidget* window, std::function<QString()> answer);

} // namespace sorami
