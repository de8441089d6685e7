#include "large_memory.h"
#include "question_file.h"

#include <QFile>
#include <QTest>

#include <algorithm>
#include <cstring>
#include <random>

using namespace sorami;

namespace {
using Model = std::vector<std::string>;

bool same(const Lines& lines, const Model& model) {
    return std::equal(lines.begin(), lines.end(), model.begin(), model.end());
}
} // namespace

class TestLines : public QObject {
    Q_OBJECT
private slots:
    void editsMatchAPlainList();
    void keepsLinesAcrossItsChunks_data();
    void keepsLinesAcrossItsChunks();
    void eraseStaysInsideTheList_data();
    void eraseStaysInsideTheList();
    void readsAFileLongerThanItsStatedSize();
    void largeBlocksNeverOverlap();
};

// Random edits on a list cut from a file, checked against a list of plain
// strings after every step. Lines set from the list's own views, lines long
// enough to get a block of their own, and copies taken along the way (which
// must keep what they held) cover what sharing one block could break.
void TestLines::editsMatchAPlainList() {
    const std::string file = "? one\r\ntwo\nthree\rfour\r\n\r\nsix";
    Lines lines = splitLines(file);
    Model model{"? one", "two", "three", "four", "", "six"};
    QVERIFY(same(lines, model));
    std::vector<std::pair<Lines, Model>> copies;
    std::mt19937 random(7);
    const auto pick = [&](size_t n) { return std::uniform_int_distribution<size_t>(0, n)(random); };
    for (int step = 0; step < 3000; ++step) {
        const size_t n = model.size();
        const std::string fresh =
            std::string(pick(3) == 0 ? 20000 + step : step % 50, char('a' + step % 26)) + "|" +
            std::to_string(step);
        switch (pick(5)) {
        case 0:
            lines.push_back(fresh);
            model.push_back(fresh);
            break;
        case 1: // a line of the list itself, set elsewhere in the list
            if (n > 0) {
                const size_t from = pick(n - 1), to = pick(n - 1);
                lines.set(to, lines[from]);
                model[to] = model[from];
            }
            break;
        case 2: {
            const size_t at = pick(n);
            lines.insert(at, {fresh, lines.empty() ? "" : lines[0], "x"});
            model.insert(model.begin() + long(at), {fresh, model.empty() ? "" : model[0], "x"});
            break;
        }
        case 3:
            if (n > 0) {
                const size_t from = pick(n - 1), to = std::min(n, from + pick(3));
                lines.erase(from, to);
                model.erase(model.begin() + long(from), model.begin() + long(to));
            }
            break;
        case 4:
            copies.emplace_back(lines, model);
            break;
        case 5:
            if (pick(20) == 0) {
                lines.clear();
                model.clear();
            }
            break;
        }
        QVERIFY2(same(lines, model), qPrintable(QStringLiteral("step %1").arg(step)));
    }
    for (const auto& [copy, was] : copies)
        QVERIFY(same(copy, was));
    QVERIFY(splitLines(joinLines(lines)) == lines);
}

// Added lines fill chunks of storage one after another; each line must
// still read as it was given once many chunks have filled, whether the
// lines end inside a chunk or exactly at its end.
void TestLines::keepsLinesAcrossItsChunks_data() {
    QTest::addColumn<int>("length");
    QTest::addColumn<int>("count");
    QTest::newRow("short lines over several chunks") << 20 << 20000;
    QTest::newRow("lines that fill a chunk exactly") << 16384 << 9;
    QTest::newRow("lines that leave a chunk one byte short") << 16383 << 9;
}
void TestLines::keepsLinesAcrossItsChunks() {
    QFETCH(int, length);
    QFETCH(int, count);
    Lines lines;
    Model model;
    for (int i = 0; i < count; ++i) {
        std::string line(size_t(length), char('a' + i % 26));
        line.replace(0, std::min(line.size(), size_t(8)), std::to_string(100000 + i).substr(0, 8));
        lines.push_back(line);
        model.push_back(line);
    }
    QVERIFY(same(lines, model));
}

void TestLines::eraseStaysInsideTheList_data() {
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<QString>("left");
    QTest::newRow("range ending past the end") << 2 << 9 << "ab";
    QTest::newRow("range wholly past the end") << 5 << 9 << "abcd";
    QTest::newRow("empty range") << 3 << 1 << "abcd";
    QTest::newRow("everything") << 0 << 4 << "";
}
void TestLines::eraseStaysInsideTheList() {
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(QString, left);
    Lines lines{"a", "b", "c", "d"};
    lines.erase(size_t(from), size_t(to));
    QString joined;
    for (std::string_view l : lines)
        joined += QString::fromLatin1(l.data(), qsizetype(l.size()));
    QCOMPARE(joined, left);
}

// /proc files state a size of 0 and still have lines: the reader must not
// stop at the size it was told.
void TestLines::readsAFileLongerThanItsStatedSize() {
    const QString path = QStringLiteral("/proc/self/maps");
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.size(), 0);
    const Lines lines = readQuestionFile(path);
    QVERIFY(lines.size() > 5);
    QVERIFY(lines.back().size() > 10);
}

// Blocks given back are kept and handed out again. Each row frees blocks of
// some sizes, then takes blocks of others and fills each with its own byte:
// a block handed out twice shows as overlapping ranges and changed bytes.
void TestLines::largeBlocksNeverOverlap() {
    constexpr size_t MB = size_t(1) << 20;
    const std::vector<std::pair<std::vector<size_t>, std::vector<size_t>>> rows = {
        {{3 * MB}, {3 * MB, 3 * MB, 3 * MB}},
        {{2 * MB, 4 * MB + 1, 6 * MB}, {6 * MB, 4 * MB + 1, 2 * MB, 100}},
        {{5 * MB, 5 * MB}, {5 * MB, 5 * MB, 5 * MB}},
        {{70 * MB}, {70 * MB, 3 * MB}},
    };
    for (const auto& [freed, taken] : rows) {
        for (size_t size : freed)
            std::memset(ByteBlock(size).data(), 0, size);
        std::vector<ByteBlock> live;
        for (size_t size : taken) {
            live.emplace_back(size);
            std::memset(live.back().data(), int('A' + live.size()), size);
        }
        for (size_t i = 0; i < live.size(); ++i) {
            const char* const begin = live[i].data();
            const char* const end = begin + live[i].size();
            QVERIFY(std::all_of(begin, end, [&](char x) { return x == char('A' + i + 1); }));
            for (size_t j = 0; j < i; ++j)
                QVERIFY(end <= live[j].data() || live[j].data() + live[j].size() <= begin);
        }
    }
}

QTEST_APPLESS_MAIN(TestLines)
#include "test_lines.moc"
