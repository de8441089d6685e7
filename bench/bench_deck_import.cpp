// Import times of decks: a 20,000-note Anki package (the zstd-compressed
// collection of Anki 2.1.50 on, HTML in the fields) and the largest KVTML
// file of kdeedu-kvtml-data, read and made into question lines. Prints the
// best and the median of several runs.
//   flock /tmp/sorami-build.lock build/benchbin/bench_deck_import

#include "tool_deck.h"
#include "tool_deck_apkg.h"
#include "tool_deck_kvtml.h"

#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <sqlite3.h>
#include <vector>
#include <zip.h>
#include <zstd.h>

using namespace sorami::tool;

namespace {

// A package of `count` notes of three fields, every tenth marked.
std::string package(int count) {
    sqlite3* db = nullptr;
    sqlite3_open(":memory:", &db);
    sqlite3_exec(db,
                 "CREATE TABLE col (models text); CREATE TABLE notes (id integer primary key, "
                 "mid integer, tags text, flds text);"
                 "CREATE TABLE notetypes (id integer primary key, name text);"
                 "CREATE TABLE fields (ntid integer, ord integer, name text);"
                 "INSERT INTO notetypes VALUES (7, 'Sentences');"
                 "INSERT INTO fields VALUES (7, 0, 'Front'), (7, 1, 'Back'), (7, 2, 'Idiom');"
                 "BEGIN",
                 nullptr, nullptr, nullptr);
    sqlite3_stmt* insert = nullptr;
    sqlite3_prepare_v2(db, "INSERT INTO notes VALUES (?, 7, ?, ?)", -1, &insert, nullptr);
    for (int i = 1; i <= count; ++i) {
        const std::string fields = "<b>私は毎朝七時に起きます。</b> " + std::to_string(i) +
                                   "\x1fI get up at seven&nbsp;every morning.<br>\x1fget up";
        sqlite3_bind_int(insert, 1, i);
        sqlite3_bind_text(insert, 2, i % 10 ? "" : " mistake ", -1, SQLITE_STATIC);
        sqlite3_bind_text(insert, 3, fields.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_step(insert);
        sqlite3_reset(insert);
    }
    sqlite3_finalize(insert);
    sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
    sqlite3_int64 size = 0;
    unsigned char* image = sqlite3_serialize(db, "main", &size, 0);
    std::string packed(ZSTD_compressBound(size_t(size)), '\0');
    packed.resize(ZSTD_compress(packed.data(), packed.size(), image, size_t(size), 3));
    sqlite3_free(image);
    sqlite3_close(db);

    QTemporaryDir dir;
    const QByteArray path = QFile::encodeName(dir.filePath("bench.apkg"));
    zip_t* z = zip_open(path.constData(), ZIP_CREATE | ZIP_TRUNCATE, nullptr);
    zip_file_add(z, "collection.anki21b", zip_source_buffer(z, packed.data(), packed.size(), 0), 0);
    zip_close(z);
    QFile f(QString::fromUtf8(path));
    f.open(QIODevice::ReadOnly);
    const QByteArray bytes = f.readAll();
    return std::string(bytes.constData(), size_t(bytes.size()));
}

void measure(const char* what, const std::function<size_t()>& run) {
    std::vector<double> ms;
    size_t questions = 0;
    for (int i = 0; i < 9; ++i) {
        QElapsedTimer t;
        t.start();
        questions = run();
        ms.push_back(double(t.nsecsElapsed()) / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    std::printf("%-52s %6zu questions  best %8.2f ms  median %8.2f ms\n", what, questions,
                ms.front(), ms[ms.size() / 2]);
}

} // namespace

int main() {
    const Lang lang{false};
    const std::string apkg = package(20000);
    std::printf("package of 20,000 notes: %zu bytes\n", apkg.size());
    measure("import of a 20,000-note package (anki21b)", [&] {
        return questionsFromDeck(readApkg(apkg, {}, lang).deck, false, lang).lines.size() / 3;
    });

    QString largest;
    qint64 largestSize = -1;
    QDirIterator it(QStringLiteral("/usr/share/apps/kvtml"), {QStringLiteral("*.kvtml")},
                    QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo info(it.next());
        if (info.size() > largestSize) largestSize = info.size(), largest = info.filePath();
    }
    if (largest.isEmpty()) {
        std::printf("kdeedu-kvtml-data is not installed: no KVTML figure\n");
        return 0;
    }
    QFile f(largest);
    f.open(QIODevice::ReadOnly);
    const QByteArray bytes = f.readAll();
    const std::string kvtml(bytes.constData(), size_t(bytes.size()));
    std::printf("largest kdeedu file: %s, %lld bytes\n", qPrintable(largest), largestSize);
    measure("import of the largest kdeedu file (with --replace)", [&] {
        const ImportResult r = questionsFromDeck(readKvtml(kvtml, {}, {}, lang), true, lang);
        return r.lines.size() / 3 + r.skipped.size();
    });
    return 0;
}
