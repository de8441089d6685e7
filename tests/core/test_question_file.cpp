#include "file_size_limit.h"
#include "question_file.h"
#include "sorami_error.h"
#include "whole_file.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <chrono>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

using namespace sorami;

Q_DECLARE_METATYPE(sorami::Lines)

namespace {
std::string bytesOf(const QByteArray& a) {
    return std::string(a.constData(), static_cast<size_t>(a.size()));
}
} // namespace

class TestQuestionFile : public QObject {
    Q_OBJECT
private slots:
    void split_data();
    void split();
    void join_data();
    void join();
    void counts_data();
    void counts();
    void readAndWriteKeepBytes();
    void readMissingFile();
    void readTellsWhereANulEndedTheText_data();
    void readTellsWhereANulEndedTheText();
    void readRefusesWhatIsNoFile_data();
    void readRefusesWhatIsNoFile();
    void writeRefusals();
    void failedWriteLeavesOldFile_data();
    void failedWriteLeavesOldFile();
    void lineAtNeverReadsPastTheEnd();
    void filterList();
};

void TestQuestionFile::split_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<Lines>("lines");
    QTest::newRow("CR LF") << QByteArray("a\r\nb\r\nc") << Lines{"a", "b", "c"};
    QTest::newRow("final CR LF adds nothing")
        << QByteArray("a\r\nb\r\nc\r\n") << Lines{"a", "b", "c"};
    QTest::newRow("mixed CR, LF") << QByteArray("a\rb\nc") << Lines{"a", "b", "c"};
    QTest::newRow("CR LF CR LF") << QByteArray("\r\n\r\n") << Lines{"", ""};
    QTest::newRow("LF CR is two breaks") << QByteArray("\n\r") << Lines{"", ""};
    QTest::newRow("empty model answer") << QByteArray("a\r\n\r\nc\r\n") << Lines{"a", "", "c"};
    QTest::newRow("NUL ends the text")
        << QByteArray("a\r\nb", 4) + QByteArray("\0c\r\nd", 5) << Lines{"a", "b"};
    QTest::newRow("NUL at the start") << QByteArray("\0abc", 4) << Lines{};
    QTest::newRow("empty file") << QByteArray() << Lines{};
    QTest::newRow("lone final CR") << QByteArray("x\r") << Lines{"x"};
    QTest::newRow("blanks kept") << QByteArray("  a b  \r\n\t") << Lines{"  a b  ", "\t"};
    QTest::newRow("shift-jis with 0x5C trail byte")
        << QByteArray("\x95\x5c\r\n\x83\x5c") << Lines{"\x95\x5c", "\x83\x5c"};
    QTest::newRow("invalid bytes kept") << QByteArray("\xa0\xff\x82") << Lines{"\xa0\xff\x82"};
    QTest::newRow("many lone CRs") << QByteArray("ab\r").repeated(3000) << Lines(3000, "ab");
    QTest::newRow("lone CRs, then CR LF") << QByteArray("ab\r").repeated(3000) + "c\r\n"
                                          << [] {
                                                 Lines l(3001, "ab");
                                                 l.set(3000, "c");
                                                 return l;
                                             }();
}

void TestQuestionFile::split() {
    QFETCH(QByteArray, bytes);
    QFETCH(Lines, lines);
    detail::bytesSearchedByCut = 0;
    QCOMPARE(splitLines(std::string_view(bytes.constData(), static_cast<size_t>(bytes.size()))),
             lines);
    // One pass for each kind of line break, whatever the file's breaks: a
    // search again from each line would cost the square of the size.
    QVERIFY2(detail::bytesSearchedByCut <= 2 * size_t(bytes.size()),
             qPrintable(QString::number(detail::bytesSearchedByCut)));
}

void TestQuestionFile::join_data() {
    QTest::addColumn<Lines>("lines");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("three lines") << Lines{"a", "b", "c"} << QByteArray("a\r\nb\r\nc\r\n");
    QTest::newRow("empty list is zero bytes") << Lines{} << QByteArray();
    QTest::newRow("one empty line") << Lines{""} << QByteArray("\r\n");
}

void TestQuestionFile::join() {
    QFETCH(Lines, lines);
    QFETCH(QByteArray, bytes);
    QCOMPARE(joinLines(lines), bytesOf(bytes));
}

void TestQuestionFile::counts_data() {
    QTest::addColumn<int>("lineCount");
    QTest::addColumn<QList<int>>("markedQuestions"); // 0-based question indices
    QTest::addColumn<int>("questions");
    QTest::addColumn<int>("marked");
    QTest::newRow("31 lines") << 31 << QList<int>{} << 10 << 0;
    QTest::newRow("marks 2 and 7 of 10") << 30 << QList<int>{1, 6} << 10 << 2;
    QTest::newRow("mark on the incomplete tail is not counted")
        << 31 << QList<int>{0, 10} << 10 << 1;
    QTest::newRow("empty") << 0 << QList<int>{} << 0 << 0;
    QTest::newRow("two lines") << 2 << QList<int>{0} << 0 << 0;
}

void TestQuestionFile::counts() {
    QFETCH(int, lineCount);
    QFETCH(QList<int>, markedQuestions);
    QFETCH(int, questions);
    QFETCH(int, marked);
    Lines lines(static_cast<size_t>(lineCount), "x");
    for (int q : markedQuestions)
        lines.set(static_cast<size_t>(q * 3), "? x");
    QCOMPARE(questionCount(lines), questions);
    QCOMPARE(countMarked(lines), marked);
}

void TestQuestionFile::readAndWriteKeepBytes() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("問題.lko"));
    const Lines lines{"?Yes \x82\xa0", "The boy.", "", "\xa0\xff", " b ", "c"};
    writeQuestionFile(path, lines);
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(bytesOf(f.readAll()), joinLines(lines));
    QCOMPARE(readQuestionFile(path), lines);
    // A sentence that just begins with a question mark carries no mark.
    QVERIFY(!isMarked(lines[0]));
    writeQuestionFile(path, Lines{});
    QCOMPARE(QFileInfo(path).size(), 0);
}

void TestQuestionFile::readTellsWhereANulEndedTheText_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<long long>("offset");
    QTest::addColumn<Lines>("lines");
    QTest::newRow("none") << QByteArray("a\r\nb\r\n") << -1LL << Lines{"a", "b"};
    QTest::newRow("empty file") << QByteArray() << -1LL << Lines{};
    QTest::newRow("first byte") << QByteArray("\0a\r\n", 4) << 0LL << Lines{};
    QTest::newRow("between lines") << QByteArray("a\r\n\0b\r\n", 7) << 3LL << Lines{"a"};
    QTest::newRow("inside a line") << QByteArray("ab\0c\0d", 7) << 2LL << Lines{"ab"};
    QTest::newRow("last byte") << QByteArray("a\r\nb\0", 5) << 4LL << Lines{"a", "b"};
}

void TestQuestionFile::readTellsWhereANulEndedTheText() {
    QFETCH(QByteArray, bytes);
    QFETCH(long long, offset);
    QFETCH(Lines, lines);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("nul.lko"));
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
    f.close();
    long long at = 12345;
    QCOMPARE(readQuestionFile(path, &at), lines);
    QCOMPARE(at, offset);
    // The plain reader reads the same lines: the reading rule is one.
    QCOMPARE(readQuestionFile(path), lines);
}

void TestQuestionFile::readMissingFile() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("ない.lko"));
    try {
        readQuestionFile(path);
        QFAIL("no error for a missing file");
    } catch (const SoramiError& e) {
        QCOMPARE(e.text(), QStringLiteral("ﾌｧｲﾙ %1 は開けません").arg(path));
    }
}

void TestQuestionFile::readRefusesWhatIsNoFile_data() {
    QTest::addColumn<QString>("kind");
    QTest::newRow("directory") << "directory";
    QTest::newRow("named pipe") << "fifo";
    QTest::newRow("device") << "device";
}

void TestQuestionFile::readRefusesWhatIsNoFile() {
    // A pipe would block the program until someone writes to it, and a
    // device like /dev/zero never ends; neither is a question file.
    QFETCH(QString, kind);
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("q.lko"));
    int writer = -1;
    std::thread closer;
    if (kind == QLatin1String("directory")) {
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("q.lko")));
    } else if (kind == QLatin1String("fifo")) {
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        // A writer with a line in the pipe, gone after a moment: a reader
        // that takes the pipe for a file gets the line instead of hanging.
        writer = ::open(QFile::encodeName(path).constData(), O_RDWR | O_NONBLOCK);
        QVERIFY(writer >= 0);
        QCOMPARE(::write(writer, "a\r\n", 3), ssize_t(3));
        closer = std::thread([writer] {
            std::this_thread::sleep_for(std::chrono::milliseconds(300));
            ::close(writer);
        });
    } else {
        path = QStringLiteral("/dev/null");
    }
    QString error;
    try {
        readQuestionFile(path);
    } catch (const SoramiError& e) {
        error = e.text();
    }
    if (closer.joinable()) closer.join();
    QCOMPARE(error, QStringLiteral("ﾌｧｲﾙ %1 は開けません").arg(path));
}

void TestQuestionFile::writeRefusals() {
    QTemporaryDir dir;
    // A directory in the way, a missing parent directory and a file marked
    // read-only refuse even root; the read-only file keeps its bytes.
    const QString inTheWay = dir.filePath(QStringLiteral("sub"));
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("sub")));
    const QString noParent = dir.filePath(QStringLiteral("nowhere/q.lko"));
    const QString readOnly = dir.filePath(QStringLiteral("ro.lko"));
    writeQuestionFile(readOnly, Lines{"kept"});
    QVERIFY(
        QFile::setPermissions(readOnly, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    for (const QString& path : {inTheWay, noParent, readOnly}) {
        try {
            writeQuestionFile(path, Lines{"a"});
            QFAIL(qPrintable(QStringLiteral("no error for %1").arg(path)));
        } catch (const SoramiError& e) {
            QCOMPARE(e.text(), QStringLiteral("ﾌｧｲﾙ %1 を作成できません").arg(path));
        }
    }
    QCOMPARE(readQuestionFile(readOnly), Lines{"kept"});
}

void TestQuestionFile::failedWriteLeavesOldFile_data() {
    QTest::addColumn<bool>("renameFails");
    QTest::newRow("disk full while writing") << false;
    QTest::newRow("rename over the old file fails") << true;
}

void TestQuestionFile::failedWriteLeavesOldFile() {
    QFETCH(bool, renameFails);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("q.lko"));
    const Lines old{"old", "file", "kept"};
    writeQuestionFile(path, old);
    bool threw = false;
    {
        // A full disk, made by a file-size limit the process cannot exceed.
        std::optional<FileSizeLimit> full;
        if (!renameFails) full.emplace(4096);
        // A folder takes the old file's place before the rename, which then
        // fails; the old file waits beside it and is put back afterwards.
        if (renameFails)
            detail::beforeRenameForTesting = [&] {
                QFile::rename(path, path + ".aside");
                QDir().mkpath(path + "/in the way");
            };
        const auto reset = qScopeGuard([] { detail::beforeRenameForTesting = nullptr; });
        try {
            writeQuestionFile(path, Lines(5000, std::string(40, 'x')));
        } catch (const SoramiError&) {
            threw = true;
        }
    }
    QVERIFY(threw);
    if (renameFails) {
        QVERIFY(QDir(path).removeRecursively());
        QVERIFY(QFile::rename(path + ".aside", path));
    }
    QCOMPARE(readQuestionFile(path), old);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"q.lko"});
}

void TestQuestionFile::lineAtNeverReadsPastTheEnd() {
    const Lines lines{"a", "b", "c", "d"};
    QCOMPARE(lineAt(lines, 3), std::string("d"));
    QCOMPARE(lineAt(lines, 4), std::string());
    QCOMPARE(lineAt(lines, 5), std::string());
    QCOMPARE(lineAt(lines, -1), std::string());
    QCOMPARE(lineAt(Lines{}, 0), std::string());
}

// The dialogs split the list into "label|pattern" pairs: a pair left
// without its pattern is dropped, a pattern that is not "*.ext" lists
// nothing, and a label naming another pattern than its own misleads.
void TestQuestionFile::filterList() {
    const QStringList parts = questionFileFilter().split(QLatin1Char('|'));
    QCOMPARE(parts.size() % 2, 0);
    const QRegularExpression pattern(QStringLiteral("^\\*\\.(\\*|[A-Za-z0-9]+)$"));
    QStringList patterns;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString& label = parts[i];
        const QString& listed = parts[i + 1];
        QVERIFY2(pattern.match(listed).hasMatch(), qPrintable(listed));
        QVERIFY2(label.endsWith(QLatin1Char('(') + listed + QLatin1Char(')')), qPrintable(label));
        QVERIFY2(!patterns.contains(listed), qPrintable(listed));
        patterns << listed;
    }
    // The drill's own files come first, and every file can be reached.
    QCOMPARE(patterns.value(0), QStringLiteral("*.lko"));
    QVERIFY(patterns.contains(QStringLiteral("*.*")));
}

QTEST_APPLESS_MAIN(TestQuestionFile)
#include "test_question_file.moc"
