// The memo's RTF reader and writer, call by call. Two kinds of input: a
// memo of everyday Japanese and English (about 100,000 characters, some of
// it bold, coloured or bulleted), and, when a folder is given, every file in
// it (the fuzzer's corpus, say build-fuzz/corpus/rtf), each read, written
// and read again as the fuzz target does. Each figure is the best of
// several runs, in microseconds per call.
//   build/benchbin/bench_rtf [FOLDER]
#include "rich_text.h"

#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

using namespace sorami::rich;

namespace {

constexpr int Runs = 5;

double bestMicros(const std::function<void()>& f) {
    double best = 1e18;
    for (int i = 0; i < Runs; ++i) {
        QElapsedTimer t;
        t.start();
        f();
        best = std::min(best, t.nsecsElapsed() / 1e3);
    }
    return best;
}

Document makeMemo() {
    const QString japanese[] = {
        QStringLiteral("彼は毎朝%1時に起きて公園を散歩します。"),
        QStringLiteral("私たちは%1年前にこの町に引っ越してきました。"),
        QStringLiteral("駅までは歩いて%1分ほどかかります。"),
    };
    const QString english[] = {
        QStringLiteral("He gets up at %1 every morning and takes a walk in the park."),
        QStringLiteral("We moved to this town %1 years ago."),
        QStringLiteral("It takes about %1 minutes to walk to the station."),
    };
    Document doc;
    for (int i = 0; i < 2000; ++i) {
        Paragraph p;
        p.bullet = i % 7 == 0;
        CharFormat plain;
        CharFormat strong;
        strong.bold = true;
        strong.colour = 0x0000FFu;
        p.runs.push_back(Run{japanese[i % 3].arg(i), plain});
        p.runs.push_back(Run{english[i % 3].arg(i), i % 4 == 0 ? strong : plain});
        doc.paragraphs.push_back(std::move(p));
    }
    return doc;
}

void memo() {
    const Document doc = makeMemo();
    std::string rtf;
    const double write = bestMicros([&] { rtf = writeRtf(doc); });
    std::size_t paragraphs = 0;
    const double read = bestMicros([&] { paragraphs = readRtf(rtf)->paragraphs.size(); });
    std::string plain;
    const double writePlain = bestMicros([&] { plain = writePlainText(doc); });
    const double readPlain =
        bestMicros([&] { paragraphs += readPlainText(plain).paragraphs.size(); });
    std::printf("memo: %lld characters, %zu bytes of RTF\n",
                static_cast<long long>(doc.text().size()), rtf.size());
    std::printf(
        "  writeRtf %.0f us  readRtf %.0f us  writePlainText %.0f us  readPlainText %.0f us\n",
        write, read, writePlain, readPlain);
}

void corpus(const char* folder) {
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        std::ifstream in(entry.path(), std::ios::binary);
        files.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    if (files.empty()) return;
    std::size_t bytes = 0;
    for (const auto& f : files)
        bytes += f.size();
    std::vector<Document> docs;
    const double read = bestMicros([&] {
        docs.clear();
        for (const auto& f : files)
            docs.push_back(readRtf(f).value_or(readPlainText(f)));
    });
    std::vector<std::string> written(docs.size());
    const double write = bestMicros([&] {
        for (std::size_t i = 0; i < docs.size(); ++i)
            written[i] = writeRtf(docs[i]);
    });
    const double reread = bestMicros([&] {
        for (const auto& w : written)
            (void)readRtf(w);
    });
    const double n = static_cast<double>(files.size());
    std::printf("corpus: %zu files, %zu bytes\n", files.size(), bytes);
    std::printf("  per file: read %.1f us  writeRtf %.1f us  readRtf of that %.1f us\n", read / n,
                write / n, reread / n);
}

} // namespace

int main(int argc, char** argv) {
    memo();
    if (argc > 1) corpus(argv[1]);
    return 0;
}
