// The drill's two per-key costs that grow with the question file: one answer
// check (judgement, mistake mark, score labels) and one mistakes-only advance
// that has to walk the whole list, on a file of 1,000,000 lines whose only
// marked question is the last one. Sounds are switched off.
#include "fake_platform.h"
#include "program_paths.h"
#include "sjis_text.h"
#include "srmi105.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

struct BigDrill {
    QTemporaryDir dir;
    sorami::FakePlatform fake;
    std::unique_ptr<sorami::TSorami> w;

    BigDrill() {
        sorami::setProgramDirForTesting(dir.path());
        const int questions = 1000000 / 3; // 333,333 questions, 999,999 lines
        std::string bytes;
        bytes.reserve(static_cast<size_t>(questions) * 40);
        for (int k = 1; k <= questions; ++k) {
            if (k == questions) bytes += "? ";
            bytes += sorami::sjis("問題") + std::to_string(k) + "\r\nAnswer " + std::to_string(k) +
                     ".\r\nidiom\r\n";
        }
        bytes += "last line\r\n"; // the 1,000,000th line
        const QString path = dir.filePath(QStringLiteral("big.lko"));
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(bytes.data(), static_cast<qint64>(bytes.size()));
        f.close();
        w = std::make_unique<sorami::TSorami>(fake);
        fake.fileAnswers.push_back(path);
        w->FileOpn->trigger();
        w->SoundNothingClick();
    }
};

BigDrill& drill() {
    static BigDrill d;
    return d;
}

void BM_AnswerCheck(benchmark::State& state) {
    auto& d = drill();
    d.w->SerialSyutudaiClick();
    bool right = false;
    for (auto _ : state) {
        // Alternating right and wrong answers adds and removes the mark each time.
        d.w->KaitouDisp->setPlainText(right ? QStringLiteral("Answer 1.")
                                            : QStringLiteral("Answer one."));
        d.w->KaitouSakuseiClick();
        right = !right;
    }
    benchmark::DoNotOptimize(d.w->session().answerCount());
}
BENCHMARK(BM_AnswerCheck);

void BM_MistakesOnlyAdvance(benchmark::State& state) {
    auto& d = drill();
    // Leave question 1 unmarked whatever the check benchmark did last.
    d.w->KaitouDisp->setPlainText(QStringLiteral("Answer 1."));
    d.w->KaitouSakuseiClick();
    d.fake.messageAnswers.clear();
    d.w->MatigaiSyutudai(); // lands on the last question
    for (auto _ : state)
        d.w->SusumeruClick(); // a full pass back round to the same question
    if (d.w->session().currentLine() != 999999 - 3)
        state.SkipWithError("the advance missed the mark");
}
BENCHMARK(BM_MistakesOnlyAdvance)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
