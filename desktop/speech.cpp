#include "speech.h"

#include "error_guard.h"

#include <QAction>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

namespace sorami {

namespace {
// A model answer is a sentence; a pasted book would keep the engine busy
// for minutes.
constexpr qsizetype kLongestSpokenText = 2000;
} // namespace

Speaker::Speaker(Platform& platform, QWidget* window)
    : QObject(window), platform_(platform), window_(window), voice_(voices().first()),
      rate_(rates().at(1)) {}

Speaker::~Speaker() {
    endEngine();
}

const QStringList& Speaker::voices() {
    static const QStringList list{QStringLiteral("en-us"), QStringLiteral("en-gb")};
    return list;
}

const QList<int>& Speaker::rates() {
    static const QList<int> list{130, 160, 200};
    return list;
}

void Speaker::setVoice(const QString& voice) {
    if (voices().contains(voice)) voice_ = voice;
}

void Speaker::setRate(int wordsPerMinute) {
    if (rates().contains(wordsPerMinute)) rate_ = wordsPerMinute;
}

void Speaker::engineMissing() {
    if (toldMissing_) return;
    toldMissing_ = true;
    platform_.messageBox(window_,
                         QStringLiteral("正解を読み上げるには espeak-ng が要ります。\r\n"
                                        "パッケージ espeak-ng をインストールしてください。"),
                         MsgIcon::Information, MsgButtons::Ok);
}

void Speaker::speak(const QString& text) {
    stop();
    const QString spoken = text.left(kLongestSpokenText).trimmed();
    if (spoken.isEmpty()) return;
    const QString program = engine_.contains(u'/')
                                ? (QFileInfo(engine_).isExecutable() ? engine_ : QString())
                                : QStandardPaths::findExecutable(engine_);
    if (program.isEmpty()) {
        engineMissing();
        return;
    }
    auto* process = new QProcess(this);
    process_ = process;
    connect(process, &QProcess::finished, this,
            [this, process](int code, QProcess::ExitStatus how) {
                process->deleteLater();
                if (process_ != process) return;
                process_ = nullptr;
                const QByteArray wav = process->readAllStandardOutput();
                if (how != QProcess::NormalExit || code != 0 || wav.isEmpty()) return;
                platform_.playSpeech(wav);
                handedOut_ = true;
                emit handedOut();
            });
    connect(process, &QProcess::errorOccurred, this, [this, process](QProcess::ProcessError e) {
        if (e != QProcess::FailedToStart || process_ != process) return;
        process_ = nullptr;
        process->deleteLater();
        engineMissing();
    });
    // The text goes in on standard input: nothing in it can be read as an
    // option.
    process->start(program, {QStringLiteral("--stdout"), QStringLiteral("--stdin"),
                             QStringLiteral("-b"), QStringLiteral("1"), QStringLiteral("-v"),
                             voice_, QStringLiteral("-s"), QString::number(rate_)});
    process->write(spoken.toUtf8());
    process->closeWriteChannel();
}

void Speaker::stop() {
    if (handedOut_) platform_.stopSpeech();
    handedOut_ = false;
    endEngine();
}

void Speaker::endEngine() {
    if (!process_) return;
    QProcess* process = process_;
    process_ = nullptr;
    process->disconnect(this);
    process->kill();
    process->waitForFinished(1000);
    process->deleteLater();
}

} // namespace sorami

namespace sorami {

SpeakCommand addSpeakCommand(Platform& platform, QWidget* window, std::function<QString()> answer) {
    SpeakCommand command{new QAction(QStringLiteral("正解を読み上げる(&L)"), window),
                         new Speaker(platform, window)};
    command.action->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_L));
    command.action->setShortcutContext(Qt::WindowShortcut);
    window->addAction(command.action);
    Speaker* speaker = command.speaker;
    connectGuarded(platform, command.action, &QAction::triggered, window,
                   [speaker, answer = std::move(answer)] { speaker->speak(answer()); });
    return command;
}

} // namespace sorami
