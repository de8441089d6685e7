// Our question-file reader and writer against the floor of the machine, on a
// file of 100,000 questions (300,000 lines of Japanese and English, Shift-JIS
// with CR LF). The floor reads the raw bytes and counts the line breaks in a
// minimal loop, and writes the raw bytes with one write call (then fsync, as
// the whole-file writer's commit does) to a temporary file in the same
// folder. Each figure is the best of several runs with a warm page cache.
// The last line is: ratio_to_floor read=X write=Y
// With --write PATH it only writes that file (for bench/load_in_window.sh).
#include "question_file.h"
#include "sjis_text.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <functional>
#include <memory>
#include <unistd.h>
#include <vector>

using namespace sorami;

namespace {

constexpr int Questions = 100000;
constexpr int Runs = 7;

// Sentences of everyday length, varied by their numbers so no two lines are
// the same.
sorami::Lines makeQuestions() {
    const char* japanese[] = {
        "彼は毎朝%d時に起きて公園を散歩します。",   "私たちは%d年前にこの町に引っ越してきました。",
        "その本は%d冊しか残っていないそうです。",   "駅までは歩いて%d分ほどかかります。",
        "兄は%d歳のときに初めて海外へ行きました。", "この問題を解くのに%d時間もかかった。",
    };
    const char* english[] = {
        "He gets up at %d every morning and takes a walk in the park.",
        "We moved to this town %d years ago.",
        "I hear that there are only %d copies of the book left.",
        "It takes about %d minutes to walk to the station.",
        "My brother went abroad for the first time when he was %d.",
        "It took me as long as %d hours to solve this problem.",
    };
    const char* idioms[] = {
        "take a walk：散歩する",      "move to：～に引っ越す",
        "be left：残っている",        "It takes ～ to do：～するのに時間がかかる",
        "for the first time：初めて", "as long as：～も（長く）"};
    sorami::Lines lines;
    lines.reserve(Questions * 3);
    char buf[256];
    for (int i = 0; i < Questions; ++i) {
        const int k = i % 6, n = i % 97 + 2;
        std::snprintf(buf, sizeof buf, japanese[k], n);
        lines.push_back((i % 10 == 0 ? "? " : "") + sjis(buf));
        std::snprintf(buf, sizeof buf, english[k], n);
        lines.push_back(buf);
        lines.push_back(sjis(idioms[k]));
    }
    return lines;
}

double best(const std::function<void()>& f) {
    double bestSeconds = 1e9;
    for (int r = 0; r < Runs; ++r) {
        QElapsedTimer t;
        t.start();
        f();
        bestSeconds = std::min(bestSeconds, t.nsecsElapsed() / 1e9);
    }
    return bestSeconds;
}

} // namespace

int main(int argc, char** argv) {
    // --write PATH: only writes the test file, for the window's load figure.
    if (argc == 3 && std::string(argv[1]) == "--write") {
        writeQuestionFile(QString::fromLocal8Bit(argv[2]), makeQuestions());
        return 0;
    }
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("big.lko"));
    const QByteArray nativePath = QFile::encodeName(path);
    const Lines lines = makeQuestions();
    writeQuestionFile(path, lines);
    const std::string bytes = joinLines(lines);
    std::printf("file: %d questions, %zu lines, %.1f MB\n", Questions, lines.size(),
                bytes.size() / 1e6);

    size_t readLines = 0;
    const double ourRead = best([&] { readLines = readQuestionFile(path).size(); });
    size_t breaks = 0;
    const double floorRead = best([&] {
        // The buffer is not cleared first and the breaks are found with
        // memchr, as our reader does: a floor that zeroes 12 MB and tests
        // byte by byte would flatter any reader measured against it.
        const int fd = ::open(nativePath.constData(), O_RDONLY);
        const auto buf = std::make_unique_for_overwrite<char[]>(bytes.size() + 1);
        const ssize_t n = ::read(fd, buf.get(), bytes.size() + 1);
        ::close(fd);
        breaks = 0;
        const char* const end = buf.get() + std::max<ssize_t>(n, 0);
        for (const char* p = buf.get();
             (p = static_cast<const char*>(std::memchr(p, '\n', size_t(end - p)))); ++p)
            ++breaks;
    });
    const double ourWrite = best([&] { writeQuestionFile(path, lines); });
    const QByteArray floorPath = QFile::encodeName(dir.filePath(QStringLiteral("floor.tmp")));
    const double floorWrite = best([&] {
        const int fd = ::open(floorPath.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (::write(fd, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size()))
            std::perror("write");
        ::fsync(fd);
        ::close(fd);
    });
    std::printf("read:  ours %.4f s (%zu lines), floor %.4f s (%zu line breaks)\n", ourRead,
                readLines, floorRead, breaks);
    std::printf("write: ours %.4f s, floor %.4f s\n", ourWrite, floorWrite);
    std::printf("ratio_to_floor read=%.2f write=%.2f\n", ourRead / floorRead,
                ourWrite / floorWrite);
    return 0;
}
