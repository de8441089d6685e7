// Sound cues: where a cue is found, that playing never stalls or crashes
// without a sound server or with a bad file, and that the build wrote a
// usable wave file for every cue the programs play.

#include "program_paths.h"
#include "sound.h"

#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSet>
#include <QTemporaryDir>
#include <QtTest>

#include <sndfile.h>
#include <sys/stat.h>

#include <vector>

using namespace sorami;

namespace {

// Every cue the programs play, spelled as they ask for it.
const char* const kCueNames[] = {
    "yokudeki.wav", "imaichi.wav", "pinpon.wav",   "poki.wav",    "Poki.wav",
    "up.wav",       "end.wav",     "apli.wav",     "cancel.wav",  "shoot.wav",
    "clapping.wav", "yatta.wav",   "sutekiyo.wav", "goukaku.wav", "fugoukak.wav",
};

QString generatedDir() {
    return qEnvironmentVariable("SORAMI_PROGRAM_DIR");
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY2(f.open(QIODevice::WriteOnly), qPrintable(path));
    f.write(bytes);
}

// A valid 0.2 s mono wave file.
QByteArray smallWave(const QString& path) {
    SF_INFO info{};
    info.samplerate = 22050;
    info.channels = 1;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE* f = sf_open(QFile::encodeName(path).constData(), SFM_WRITE, &info);
    if (!f) return {};
    std::vector<short> samples(4410, 1000);
    sf_write_short(f, samples.data(), static_cast<sf_count_t>(samples.size()));
    sf_close(f);
    QFile in(path);
    return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
}

} // namespace

class TestSound : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void lookup_data();
    void lookup();

    void missingCueReturns_data();
    void missingCueReturns();
    void noServerReturns();
    void badFilesDoNotCrash_data();
    void badFilesDoNotCrash();

    void generatedCue_data();
    void generatedCue();
    void generatedCuesDiffer();

private:
    QString savedCwd_;
    QTemporaryDir work_;
    QTemporaryDir prog_; // an installed tree: bin/ and share/sorami/sounds/
    QString progBin() const { return prog_.filePath(QStringLiteral("bin")); }
    // "w" the working directory, "p" the program's, "s" the installed cues.
    QString folderOf(const QString& kind) const {
        if (kind == QLatin1String("w")) return work_.path();
        if (kind == QLatin1String("s"))
            return prog_.filePath(QStringLiteral("share/sorami/sounds"));
        return progBin();
    }
};

void TestSound::initTestCase() {
    // No test here may make a noise, and none may depend on a server being
    // there: point the client at a socket that does not exist.
    qputenv("PULSE_SERVER", "unix:/nonexistent/sorami-test/native");
    savedCwd_ = QDir::currentPath();
    QVERIFY(work_.isValid());
    QVERIFY(prog_.isValid());
}

void TestSound::init() {
    QDir(work_.path()).removeRecursively();
    QDir(prog_.path()).removeRecursively();
    QVERIFY(QDir().mkpath(work_.path()));
    QVERIFY(QDir().mkpath(progBin()));
    QVERIFY(QDir::setCurrent(work_.path()));
    setProgramDirForTesting(progBin());
}

void TestSound::cleanup() {
    QDir::setCurrent(savedCwd_);
    setProgramDirForTesting({});
}

// Files are "w:<name>" in the working directory, "p:<name>" in the program's
// directory, "wd:<name>" a directory and "wf:<name>" a named pipe in the
// working directory. The expected answer is "w:<name>", "p:<name>" or "" for none.
void TestSound::lookup_data() {
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("expected");

    QTest::newRow("working dir before program dir")
        << QStringList{"w:poki.wav", "p:poki.wav"} << "poki.wav"
        << "w:poki.wav";
    QTest::newRow("program dir when working dir lacks it")
        << QStringList{"w:up.wav", "p:poki.wav"} << "poki.wav"
        << "p:poki.wav";
    QTest::newRow("name in other case, working dir") << QStringList{"w:poki.wav"} << "Poki.wav"
                                                     << "w:poki.wav";
    QTest::newRow("file in upper case, program dir") << QStringList{"p:END.WAV"} << "end.wav"
                                                     << "p:END.WAV";
    QTest::newRow("case-insensitive match in working dir beats exact in program dir")
        << QStringList{"w:poki.wav", "p:Poki.wav"} << "Poki.wav"
        << "w:poki.wav";
    QTest::newRow("exact name preferred over other case in same dir")
        << QStringList{"p:POKI.WAV", "p:Poki.wav"} << "Poki.wav"
        << "p:Poki.wav";
    QTest::newRow("a directory of that name is no cue")
        << QStringList{"wd:end.wav", "p:end.wav"} << "end.wav"
        << "p:end.wav";
    QTest::newRow("a named pipe of that name is no cue")
        << QStringList{"wf:POKI.WAV", "p:poki.wav"} << "poki.wav"
        << "p:poki.wav";
    QTest::newRow("similar name is no match")
        << QStringList{"w:poki.wav.bak", "p:pok.wav"} << "poki.wav"
        << "";
    QTest::newRow("installed share folder last")
        << QStringList{"s:poki.wav", "s:up.wav", "p:up.wav"} << "poki.wav"
        << "s:poki.wav";
    QTest::newRow("program dir before installed share folder")
        << QStringList{"s:up.wav", "p:up.wav"} << "up.wav"
        << "p:up.wav";
    QTest::newRow("missing everywhere") << QStringList{"w:up.wav"} << "yatta.wav"
                                        << "";
    QTest::newRow("empty name") << QStringList{"w:up.wav"} << ""
                                << "";
}

void TestSound::lookup() {
    QFETCH(QStringList, files);
    QFETCH(QString, name);
    QFETCH(QString, expected);

    for (const QString& f : files) {
        const QString kind = f.section(':', 0, 0);
        const QString file = f.section(':', 1);
        if (kind == "wd") {
            QVERIFY(QDir(work_.path()).mkdir(file));
            continue;
        }
        if (kind == "wf") {
            // Opening a pipe to decode it would block until someone writes.
            const QByteArray fifo = QFile::encodeName(QDir(work_.path()).filePath(file));
            QCOMPARE(::mkfifo(fifo.constData(), 0600), 0);
            continue;
        }
        const QString dir = folderOf(kind);
        QVERIFY(QDir().mkpath(dir));
        writeFile(QDir(dir).filePath(file), "RIFF");
    }

    QString want;
    if (!expected.isEmpty()) {
        const QString dir = folderOf(expected.section(':', 0, 0));
        want = QFileInfo(QDir(dir).filePath(expected.mid(2))).absoluteFilePath();
    }
    QCOMPARE(findSoundFile(name), want);
}

void TestSound::missingCueReturns_data() {
    QTest::addColumn<bool>("synchronous");
    QTest::newRow("sync") << true;
    QTest::newRow("async") << false;
}

void TestSound::missingCueReturns() {
    QFETCH(bool, synchronous);
    QElapsedTimer timer;
    timer.start();
    playSoundCue("nosuchcue.wav", synchronous);
    playSoundCue("", synchronous);
    qInfo("missing cue returned after %lld ms", static_cast<long long>(timer.elapsed()));
    QVERIFY(findSoundFile("nosuchcue.wav").isEmpty());
}

void TestSound::noServerReturns() {
    const QString wav = QDir(progBin()).filePath("up.wav");
    QVERIFY(!smallWave(wav).isEmpty());
    QCOMPARE(findSoundFile("UP.wav"), QFileInfo(wav).absoluteFilePath());

    QElapsedTimer timer;
    timer.start();
    playSoundCue("UP.wav", true);
    const qint64 first = timer.restart();
    playSoundCue("up.wav", false);
    playSoundCue("up.wav", false); // replaces the one before
    playSoundCue("up.wav", true);
    const qint64 rest = timer.elapsed();
    qInfo("without a server: first sync play %lld ms, then async, async, sync %lld ms",
          static_cast<long long>(first), static_cast<long long>(rest));
    // The last async cue is left playing on purpose: the program must still
    // end cleanly (the process exit status shows it).
    playSoundCue("up.wav", false);
}

void TestSound::badFilesDoNotCrash_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::newRow("empty file") << QByteArray();
    QTest::newRow("text") << QByteArray("not a wave file at all\r\n");
    QTest::newRow("header only") << QByteArray("RIFF\x24\0\0\0WAVEfmt ", 16);
    QTest::newRow("random bytes") << QByteArray(5000, '\x9c');
}

void TestSound::badFilesDoNotCrash() {
    QFETCH(QByteArray, content);
    const QString path = QDir(work_.path()).filePath("bad.wav");
    writeFile(path, content);
    QCOMPARE(findSoundFile("BAD.WAV"), QFileInfo(path).absoluteFilePath());
    playSoundCue("bad.wav", true);
    playSoundCue("bad.wav", false);
    // Replaced by a good file of the same name, the cue is decoded anew.
    const QByteArray good = smallWave(path);
    QVERIFY(!good.isEmpty());
    playSoundCue("bad.wav", true);
}

void TestSound::generatedCue_data() {
    QTest::addColumn<QString>("name");
    for (const char* name : kCueNames)
        QTest::newRow(name) << QString::fromLatin1(name);
}

void TestSound::generatedCue() {
    QFETCH(QString, name);
    QVERIFY2(!generatedDir().isEmpty(), "SORAMI_PROGRAM_DIR is not set");
    setProgramDirForTesting(generatedDir());
    const QString path = findSoundFile(name);
    QVERIFY2(!path.isEmpty(), qPrintable(name + " was not generated"));
    QCOMPARE(QFileInfo(path).absolutePath(), QFileInfo(generatedDir()).absoluteFilePath());
    QCOMPARE(QFileInfo(path).fileName(), name.toLower());

    SF_INFO info{};
    SNDFILE* f = sf_open(QFile::encodeName(path).constData(), SFM_READ, &info);
    QVERIFY2(f, sf_strerror(nullptr));
    QCOMPARE(info.format, SF_FORMAT_WAV | SF_FORMAT_PCM_16);
    QCOMPARE(info.channels, 1);
    QCOMPARE(info.samplerate, 22050);
    std::vector<short> samples(static_cast<std::size_t>(info.frames));
    const sf_count_t got = sf_read_short(f, samples.data(), info.frames);
    sf_close(f);
    QCOMPARE(got, info.frames);

    const double seconds = static_cast<double>(info.frames) / info.samplerate;
    QVERIFY2(seconds >= 0.1 && seconds <= 1.2, qPrintable(QString::number(seconds)));

    int peak = 0;
    for (short s : samples)
        peak = std::max(peak, std::abs(static_cast<int>(s)));
    QVERIFY2(peak > 8000, "too quiet to hear");
    QVERIFY2(peak < 32767, "clipped");
    // Ends at rest, so that the cue does not stop with a click.
    QVERIFY(std::abs(samples.back()) < 200);
}

void TestSound::generatedCuesDiffer() {
    const QDir dir(generatedDir());
    QSet<QByteArray> contents;
    QSet<QString> files;
    for (const char* name : kCueNames) {
        const QString file = QString::fromLatin1(name).toLower();
        if (files.contains(file)) continue; // "Poki.wav" is "poki.wav"
        files.insert(file);
        QFile f(dir.filePath(file));
        QVERIFY2(f.open(QIODevice::ReadOnly), qPrintable(f.fileName()));
        const QByteArray data = f.readAll().mid(44); // past the header
        contents.insert(QCryptographicHash::hash(data, QCryptographicHash::Sha256));
    }
    QCOMPARE(contents.size(), files.size());
}

QTEST_GUILESS_MAIN(TestSound)
#include "test_sound.moc"
