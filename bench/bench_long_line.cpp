// How long each program takes to open a question file made of one huge line
// (a damaged or foreign file) and show it: from the file dialog's answer to
// the window painted. Prints one line per program and size. Each measurement
// runs in a child process with a time limit, so a freeze shows as a figure.
//
//   build/benchbin/bench_long_line            all programs, 2, 8 and 50 MB
//   build/benchbin/bench_long_line drill 8    one measurement
#include "SrmMinifm.h"
#include "fake_platform.h"
#include "program_paths.h"
#include "srmi105.h"
#include "srmminfm32.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QToolButton>
#include <cstdio>

namespace {

QString writeLongLine(const QString& dir, int megabytes) {
    const QString path = dir + QStringLiteral("/long.lko");
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    const QByteArray words("the quick brown fox jumps over the lazy dog ");
    const qint64 total = qint64(megabytes) * 1024 * 1024;
    QByteArray chunk;
    while (chunk.size() < 1024 * 1024)
        chunk += words;
    chunk.truncate(1024 * 1024);
    for (qint64 written = 0; written < total; written += chunk.size())
        f.write(chunk);
    f.write("\r\n");
    return path;
}

double measure(const QString& program, int megabytes) {
    QTemporaryDir dir;
    sorami::setProgramDirForTesting(dir.path());
    const QString path = writeLongLine(dir.path(), megabytes);
    sorami::FakePlatform fake;
    fake.fileAnswers.push_back(path);
    std::unique_ptr<QWidget> window;
    std::function<void()> open;
    if (program == QLatin1String("drill")) {
        auto* w = new sorami::TSorami(fake);
        window.reset(w);
        open = [w] { w->FileOpn->trigger(); };
    } else if (program == QLatin1String("viewer")) {
        auto* w = new sorami::TSoramiMiniVer(fake, sorami::ViewerBuild::StandAlone);
        window.reset(w);
        open = [w] { w->Yomikomi->click(); };
    } else {
        auto* w = new sorami::TSoramiMini(fake);
        window.reset(w);
        open = [w] { w->FileOpen->click(); };
    }
    window->show();
    QApplication::processEvents();
    QElapsedTimer t;
    t.start();
    open();
    QApplication::processEvents();
    window->grab(); // lays out and paints the boxes as the screen would
    return t.nsecsElapsed() / 1e9;
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc == 3) {
        std::printf("%.2f\n", measure(QString::fromLocal8Bit(argv[1]), std::atoi(argv[2])));
        return 0;
    }
    const int limit = argc == 2 ? std::atoi(argv[1]) : 120;
    for (const char* program : {"drill", "viewer", "minidrill"}) {
        for (int mb : {2, 8, 50}) {
            QProcess child;
            child.start(QCoreApplication::applicationFilePath(),
                        {QString::fromLatin1(program), QString::number(mb)});
            QString figure;
            if (!child.waitForFinished(limit * 1000)) {
                child.kill();
                child.waitForFinished();
                figure = QStringLiteral("> %1").arg(limit);
            } else {
                figure = QString::fromLocal8Bit(child.readAllStandardOutput()).trimmed();
            }
            std::printf("long_line program=%s size=%dMB seconds=%s\n", program, mb,
                        qPrintable(figure));
            std::fflush(stdout);
        }
    }
    return 0;
}
