// Draws the programs' windows offscreen into PNG files, for looking at them
// without a screen and for the README's pictures:
//   build/toolbin/grab_windows OUTDIR [QUESTION_FILE]
// The drill is shown with the question file loaded (the bundled sample by
// default) and one answer typed.
#include "SrmMinifm.h"
#include "app_setup.h"
#include "fake_platform.h"
#include "program_paths.h"
#include "srmi105.h"
#include "srmminfm32.h"

#include <QAction>
#include <QDir>
#include <QPushButton>
#include <QTemporaryDir>
#include <QToolButton>
#include <cstdio>

namespace {

void save(QWidget& w, const QString& dir, const QString& name) {
    w.show();
    QCoreApplication::processEvents();
    const QString path = QDir(dir).filePath(name);
    if (!w.grab().save(path))
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    else
        std::printf("%s\n", qPrintable(path));
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    sorami::Application app(argc, argv, QStringLiteral("LkO for Win95"));
    if (argc < 2) {
        std::fprintf(stderr, "usage: grab_windows OUTDIR [QUESTION_FILE]\n");
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(out);
    const QString sample =
        argc > 2 ? QString::fromLocal8Bit(argv[2]) : QStringLiteral(SORAMI_SAMPLE_FILE);
    // Settings the windows write go to a scratch folder, not beside the programs.
    QTemporaryDir scratch;
    sorami::setProgramDirForTesting(scratch.path());

    sorami::FakePlatform fake;
    fake.inputAnswers.push_back(QStringLiteral("Taro"));
    sorami::TSorami drill(fake);
    save(drill, out, QStringLiteral("drill-empty.png"));
    fake.fileAnswers.push_back(sample);
    drill.FileOpn->trigger();
    drill.KaitouDisp->setPlainText(QStringLiteral("I am a student."));
    save(drill, out, QStringLiteral("drill.png"));

    sorami::TSoramiMiniVer viewer(fake, sorami::ViewerBuild::StandAlone);
    fake.fileAnswers.push_back(sample);
    viewer.Yomikomi->click();
    viewer.Imi->click();
    save(viewer, out, QStringLiteral("viewer.png"));

    sorami::TSoramiMini mini(fake);
    fake.fileAnswers.push_back(sample);
    mini.FileOpen->click();
    mini.SpeedButton1->click();
    save(mini, out, QStringLiteral("minidrill.png"));
    return 0;
}
