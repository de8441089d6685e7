// Odd but real files that once froze the programs: question files whose lines
// end in CR alone, huge INI files (or junk in their place) that every exit
// writes keys into, and score files of a million lines or of very long ones.
// Prints one line per shape with the time it takes; the drill's exit writes
// the resume record (2 keys) and the store command the appearance (24 keys),
// each through one ProfileIni; a score table counts from its lines to the
// first picture of it. Each should take at most 2 s.
//
//   build/benchbin/bench_hostile_files
#include "Seiseki1.h"
#include "profile_ini.h"
#include "question_file.h"

#include <QApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>
#include <random>

using namespace sorami;

namespace {

void put(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size()) std::abort();
}

template <typename F> double millis(F&& f) {
    QElapsedTimer t;
    t.start();
    f();
    return double(t.nsecsElapsed()) / 1e6;
}

void questionFile(const QString& dir, const char* name, const QByteArray& bytes) {
    const QString path = dir + QStringLiteral("/q.lko");
    put(path, bytes);
    size_t lines = 0;
    const double ms = millis([&] { lines = readQuestionFile(path).size(); });
    std::printf("%-44s %8.1f ms  (%zu lines, %lld bytes)\n", name, ms, lines,
                static_cast<long long>(bytes.size()));
}

void iniFile(const QString& dir, const char* name, const QByteArray& bytes) {
    const QString path = dir + QStringLiteral("/big.ini");
    put(path, bytes);
    const double record = millis([&] {
        ProfileIni ini(path);
        ini.batch([&] {
            ini.writeString(QStringLiteral("問題ファイル名"), QStringLiteral("PFileName"), "q.lko");
            ini.writeInteger(QStringLiteral("問題番号"), QStringLiteral("PProblemNum"), 7);
        });
    });
    const double appearance = millis([&] {
        ProfileIni ini(path);
        ini.batch([&] {
            for (int slot = 0; slot < 6; ++slot)
                for (const char* key : {"Name", "Size", "Color", "BoxColor"})
                    ini.writeInteger(QStringLiteral("slot%1").arg(slot), QString::fromLatin1(key),
                                     slot);
        });
    });
    // A file last changed an hour ago, as an INI is when the program starts.
    {
        QFile f(path);
        f.open(QIODevice::ReadWrite);
        f.setFileTime(QDateTime::currentDateTime().addSecs(-3600),
                      QFileDevice::FileModificationTime);
    }
    const double reads = millis([&] {
        const ProfileIni ini(path);
        for (int slot = 0; slot < 6; ++slot)
            for (const char* key : {"Name", "Size", "Color", "BoxColor"})
                ini.readInteger(QStringLiteral("slot%1").arg(slot), QString::fromLatin1(key), 0);
    });
    std::printf("%-44s %8.1f ms record, %8.1f ms 24 keys, %8.1f ms 24 reads\n", name, record,
                appearance, reads);
}

// From the lines read to the table painted, as the score command shows it.
void scoreTable(const char* name, const QByteArray& bytes) {
    const Lines lines = splitLines(std::string_view(bytes.constData(), size_t(bytes.size())));
    const double ms = millis([&] {
        TTable table;
        table.setLines(lines);
        table.show();
        table.grab();
    });
    std::printf("%-44s %8.1f ms  (%zu lines, %lld bytes)\n", name, ms, lines.size(),
                static_cast<long long>(bytes.size()));
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const QString d = dir.path();
    questionFile(d, "1 MB, lines ended by CR alone", QByteArray("I am here.\r").repeated(95000));
    questionFile(d, "90,000 questions, lines ended by CR alone",
                 QByteArray("日本語の文\rThis is the answer.\rhint\r").repeated(90000));
    questionFile(d, "90,000 questions, CR LF",
                 QByteArray("日本語の文\r\nThis is the answer.\r\nhint\r\n").repeated(90000));

    const int megabytes = 50;
    QByteArray ini;
    for (int i = 0; ini.size() < megabytes * 1024 * 1024; ++i)
        ini += "[section" + QByteArray::number(i) +
               "]\r\nkey=value\r\nother=" + QByteArray::number(i) + "\r\n";
    iniFile(d, "50 MB INI of sections", ini);
    std::mt19937 random(7);
    QByteArray junk(megabytes * 1024 * 1024, '\0');
    for (char& c : junk)
        c = static_cast<char>(random());
    iniFile(d, "50 MB of binary junk in the INI's place", junk);

    const QByteArray record(
        "2026/12/09 10:00 ソラミ       出題数  30 正解数  24 正解率  80.0% 良い\r\n");
    scoreTable("score table, 300,000 ordinary lines", record.repeated(300000));
    scoreTable("score table, 1,000,000 ordinary lines", record.repeated(1000000));
    QByteArray odd;
    for (int i = 0; odd.size() < 18 * 1024 * 1024; ++i)
        odd += QByteArray(50 + (i * 7919) % 1800, char('a' + i % 26)) + "\r\n";
    scoreTable("score table, 18 MB of lines of odd widths", odd);
    return 0;
}
