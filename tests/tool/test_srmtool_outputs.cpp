// srmtool as scripts run it: the built program, its standard output sent
// where a script may send it, and the exit status read back.
#include "question_file.h"
#include "score_file.h"
#include "sjis_text.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <functional>
#include <sys/resource.h>
#include <unistd.h>

using namespace sorami;

namespace {

QString srmtool() {
    return qEnvironmentVariable("SORAMI_PROGRAM_DIR") + QStringLiteral("/srmtool");
}

void writeFile(const QString& path, const std::string& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(bytes.data(), static_cast<qint64>(bytes.size())),
             static_cast<qint64>(bytes.size()));
}

// A line of 64 MiB checked with a quarter of that in data memory (heap and
// the like), of which the program and its libraries need a few MiB alone.
constexpr qint64 LongLineBytes = 64LL * 1024 * 1024;
constexpr rlim_t DataLimitBytes = 16 * 1024 * 1024;

struct Run {
    int code = -1;
    QByteArray out, err;
};

// Runs srmtool with `args`; `child` runs in the child before srmtool starts.
Run runTool(const QStringList& args, const QString& outFile,
            const std::function<void()>& child = {}) {
    QProcess p;
    if (!outFile.isEmpty()) p.setStandardOutputFile(outFile);
    if (child) p.setChildProcessModifier(child);
    p.start(srmtool(), args);
    Run r;
    if (!p.waitForFinished(120000) || p.exitStatus() != QProcess::NormalExit) return r;
    r.code = p.exitCode();
    r.out = p.readAllStandardOutput();
    r.err = p.readAllStandardError();
    return r;
}

} // namespace

class TestSrmtoolOutputs : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;
    QString questions_, scores_;

private slots:
    void initTestCase() {
        QVERIFY2(QFile::exists(srmtool()), qPrintable(srmtool()));
        questions_ = dir_.filePath(QStringLiteral("q.lko"));
        std::string text;
        // Long enough that the output fills the buffer more than once.
        for (int k = 1; k <= 3000; ++k)
            text += (k == 2 ? "? " : "") + sjis("問題") + std::to_string(k) + "\r\nAnswer " +
                    std::to_string(k) + ".\r\nidiom\r\n";
        writeFile(questions_, text);
        scores_ = dir_.filePath(QStringLiteral("scores.dat"));
        writeFile(scores_, scoreHeader() + "    q.lko   26/04/01 09:30:15    10        7    " +
                               sjis("素敵    ") + "   Taro\r\n");
    }

    // Output that never arrived is no success: exit 1 and a message.
    void everyOutputIsChecked_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("target");
        QTest::addColumn<int>("code");
        const QStringList commands[] = {
            {"export", "Q", "--format", "utf8"},
            {"scores", "S", "--csv"},
            {"scores", "S"},
            {"check", "Q"},
            {"marks", "Q", "--list"},
            {"marks", "Q", "--count"},
            {"--help"},
        };
        for (const QStringList& c : commands) {
            const QByteArray name = c.join(QLatin1Char(' ')).toUtf8();
            QTest::newRow(name + " > file") << c << "file" << 0;
            QTest::newRow(name + " > /dev/full") << c << "/dev/full" << 1;
            QTest::newRow(name + " >&-") << c << "closed" << 1;
            QTest::newRow(name + " > file on a full disk") << c << "full disk" << 1;
        }
    }
    void everyOutputIsChecked() {
        QFETCH(QStringList, args);
        QFETCH(QString, target);
        QFETCH(int, code);
        args.replaceInStrings(QRegularExpression(QStringLiteral("^Q$")), questions_);
        args.replaceInStrings(QRegularExpression(QStringLiteral("^S$")), scores_);
        const QString outFile = target == QLatin1String("/dev/full")
                                    ? target
                                    : dir_.filePath(QStringLiteral("out.txt"));
        std::function<void()> child;
        if (target == QLatin1String("closed")) {
            child = [] { ::close(STDOUT_FILENO); };
        } else if (target == QLatin1String("full disk")) {
            child = [] {
                // The disk takes nothing more: the output file stays empty.
                std::signal(SIGXFSZ, SIG_IGN);
                const rlimit none{0, RLIM_INFINITY};
                setrlimit(RLIMIT_FSIZE, &none);
            };
        }
        const Run r = runTool(args, outFile, child);
        QCOMPARE(r.code, code);
        if (code == 0) {
            QVERIFY(QFileInfo(outFile).size() > 0);
            QCOMPARE(r.err, QByteArray());
        } else {
            QVERIFY2(r.err.contains("srmtool: the output could not be written ("), r.err);
        }
    }

    // Checking a line costs the same memory whatever its length: a line
    // several times longer than all the memory srmtool may have is checked,
    // its length reported to the byte.
    void checkingALongLine_data() {
        QTest::addColumn<QByteArray>("unit");
        QTest::addColumn<bool>("invalid");
        QTest::newRow("letters") << QByteArray("abcdefgh") << false;
        QTest::newRow("double-byte characters")
            << QByteArray::fromStdString(sjis("問題文です")) << false;
        QTest::newRow("bytes that are not Shift-JIS") << QByteArray("\xff\xa0\x80") << true;
    }
    void checkingALongLine() {
        QFETCH(QByteArray, unit);
        QFETCH(bool, invalid);
        const QString path = dir_.filePath(QStringLiteral("long.lko"));
        {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("j\r\n");
            const QByteArray block = unit.repeated(1024 * 1024 / unit.size() + 1).left(1024 * 1024);
            for (qint64 i = 0; i < LongLineBytes / block.size(); ++i)
                QCOMPARE(f.write(block), block.size());
            f.write("\r\ni\r\n");
        }
        const Run r = runTool({QStringLiteral("check"), path}, {}, [] {
            const rlimit data{DataLimitBytes, DataLimitBytes};
            setrlimit(RLIMIT_DATA, &data);
        });
        QFile::remove(path);
        QCOMPARE(r.code, 1);
        QVERIFY2(r.out.contains(QStringLiteral(":2: the line is %1 bytes long (more than 256)")
                                    .arg(LongLineBytes)
                                    .toUtf8()),
                 r.out + r.err);
        QCOMPARE(r.out.contains("not Shift-JIS"), invalid);
    }
};

QTEST_GUILESS_MAIN(TestSrmtoolOutputs)
#include "test_srmtool_outputs.moc"
