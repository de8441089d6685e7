// Figures for the shared file layer: reading and writing a large question
// file, counting its marks, and Shift-JIS display conversion.

#include "question_file.h"
#include "sjis_text.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace sorami;

namespace {

Lines makeLines(size_t questions) {
    Lines lines;
    lines.reserve(questions * 3);
    for (size_t i = 0; i < questions; ++i) {
        lines.push_back(sjis("彼は毎朝六時に起きて公園を散歩します。"));
        lines.push_back("He gets up at six every morning and takes a walk in the park.");
        lines.push_back(sjis("take a walk 散歩する"));
    }
    lines.set(lines.size() - 3, "? " + std::string(lines[lines.size() - 3]));
    return lines;
}

void BM_SplitLines(benchmark::State& state) {
    const std::string bytes = joinLines(makeLines(static_cast<size_t>(state.range(0))));
    for (auto _ : state)
        benchmark::DoNotOptimize(splitLines(bytes));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(bytes.size()));
}
BENCHMARK(BM_SplitLines)->Arg(1000)->Arg(333334);

void BM_WriteAndReadFile(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("q.lko"));
    const Lines lines = makeLines(static_cast<size_t>(state.range(0)));
    for (auto _ : state) {
        writeQuestionFile(path, lines);
        benchmark::DoNotOptimize(readQuestionFile(path));
    }
}
BENCHMARK(BM_WriteAndReadFile)->Arg(1000)->Arg(333334)->Unit(benchmark::kMillisecond);

void BM_CountMarked(benchmark::State& state) {
    const Lines lines = makeLines(static_cast<size_t>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(countMarked(lines));
}
BENCHMARK(BM_CountMarked)->Arg(333334)->Unit(benchmark::kMicrosecond);

void BM_FromSjis(benchmark::State& state) {
    const std::string line = sjis("彼は毎朝六時に起きて公園を散歩します。ﾃｷｽﾄ and some English.");
    for (auto _ : state)
        benchmark::DoNotOptimize(fromSjis(line));
}
BENCHMARK(BM_FromSjis);

void BM_ToSjis(benchmark::State& state) {
    const QString text =
        QStringLiteral("彼は毎朝六時に起きて公園を散歩します。ﾃｷｽﾄ and some English.");
    for (auto _ : state)
        benchmark::DoNotOptimize(toSjis(text));
}
BENCHMARK(BM_ToSjis);

} // namespace

BENCHMARK_MAIN();
