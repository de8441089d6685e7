// The two costs of the feedback on a wrong answer, as the learner meets them:
//   1. the difference of a typed answer and a model answer of 200 characters
//      each (a few slips, a rewritten half, nothing in common, Japanese);
//   2. from the command 正解を読み上げる to the first samples handed to the
//      sound server, through espeak-ng and the program's own sound output.
// The second needs espeak-ng and a sound server (a private one will do: start
// "pulseaudio -n --daemonize=no --load=module-native-protocol-unix" with
// "--load=module-null-sink"); without one it prints the time to the WAV
// handed out only.
//   build/benchbin/bench_answer_feedback [SPOKEN_RUNS]
#include "answer_diff.h"
#include "qt_platform.h"
#include "sound.h"
#include "speech.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QWidget>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double ms(Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

void printFigures(const char* what, std::vector<double> values, const char* unit) {
    std::sort(values.begin(), values.end());
    std::printf("%-44s min %8.3f  median %8.3f  max %8.3f %s (%zu runs)\n", what, values.front(),
                values[values.size() / 2], values.back(), unit, values.size());
}

QString twoHundred(const QString& sentence) {
    QString text;
    while (text.size() < 200)
        text += sentence;
    return text.left(200);
}

void benchDiff() {
    const QString model =
        twoHundred(QStringLiteral("I have been studying English for ten years. "));
    QString slips = model; // a dropped letter, a wrong case, a doubled blank, a full stop
    slips.remove(17, 1);
    slips[44] = u'i';
    slips.insert(90, u' ');
    slips[130] = u',';
    QString half =
        model.left(100) + twoHundred(QStringLiteral("She was reading a book. ")).left(100);
    const QString nothingShared = QString(200, u'x');
    const QString japanese = twoHundred(QStringLiteral("私は十年間英語を勉強しています。"));
    QString japaneseSlips = japanese;
    japaneseSlips[5] = u'年';
    japaneseSlips.remove(100, 2);
    struct Case {
        const char* what;
        QString typed, model;
    };
    const Case cases[] = {
        {"diff, 200 characters, four slips", slips, model},
        {"diff, 200 characters, the second half other", half, model},
        {"diff, 200 characters, nothing in common", nothingShared, model},
        {"diff, 200 Japanese characters, two slips", japaneseSlips, japanese},
    };
    for (const Case& c : cases) {
        std::vector<double> us;
        std::size_t spans = 0;
        for (int i = 0; i < 2000; ++i) {
            const auto start = Clock::now();
            const sorami::AnswerDiff d = sorami::diffAnswers(c.typed, c.model);
            us.push_back(ms(Clock::now() - start) * 1000.0);
            spans = d.typedExtra.size() + d.modelMissing.size();
        }
        std::printf("(%zu marked spans) ", spans);
        printFigures(c.what, us, "µs");
    }
}

void benchSpeech(int runs) {
    QWidget window;
    sorami::QtPlatform platform;
    const sorami::SpeakCommand command = sorami::addSpeakCommand(platform, &window, [] {
        return QStringLiteral("I have been studying English for ten years.");
    });
    Clock::time_point handedOut;
    QObject::connect(command.speaker, &sorami::Speaker::handedOut,
                     [&handedOut] { handedOut = Clock::now(); });
    std::vector<double> toWav, toSound;
    double first = -1;
    for (int i = 0; i < runs; ++i) {
        handedOut = {};
        const auto start = Clock::now();
        command.action->trigger();
        QElapsedTimer limit;
        limit.start();
        while (limit.elapsed() < 3000) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
            if (handedOut != Clock::time_point{} && sorami::speechFirstWritten() > start) break;
            // Without a sound server nothing is written: give up soon after the WAV.
            if (handedOut != Clock::time_point{} &&
                Clock::now() - handedOut > std::chrono::seconds(1))
                break;
        }
        if (handedOut == Clock::time_point{}) {
            std::printf("espeak-ng gave no sound: is it installed?\n");
            return;
        }
        toWav.push_back(ms(handedOut - start));
        if (sorami::speechFirstWritten() > start) {
            const double total = ms(sorami::speechFirstWritten() - start);
            // The first command of a session also asks whether a server is there.
            if (i == 0)
                first = total;
            else
                toSound.push_back(total);
        }
        command.speaker->stop();
    }
    printFigures("speech, command to WAV handed out", toWav, "ms");
    if (toSound.empty()) {
        std::printf("speech, no sound server answered: no samples were handed out\n");
        return;
    }
    std::printf("speech, first command of the session to first samples: %.3f ms\n", first);
    printFigures("speech, command to first samples", toSound, "ms");
}

} // namespace

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchDiff();
    benchSpeech(argc > 1 ? std::max(2, atoi(argv[1])) : 20);
    return 0;
}
