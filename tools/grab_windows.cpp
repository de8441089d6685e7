// Draws the programs' windows offscreen into PNG files, for looking at them
// without a screen and for the README's pictures:
//   build/toolbin/grab_windows OUTDIR [QUESTION_FILE]
// The drill is shown with the question file loaded (the bundled sample by
// default) and one answer typed.
#include "Memnote1.h"
#include "SrmMinifm.h"
#include "app_setup.h"
#include "fake_platform.h"
#include "fonts.h"
#include "program_paths.h"
#include "qt_platform.h"
#include "question_file.h"
#include "srmi105.h"
#include "srmminfm32.h"

#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
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

// Grabs the platform's next modal dialog as soon as it is up, then closes it.
void grabNextDialog(const QString& dir, const QString& name,
                    const std::function<void(QWidget*)>& prepare = {}) {
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, poll, [=] {
        QWidget* w = QApplication::activeModalWidget();
        if (!w) return;
        poll->stop();
        poll->deleteLater();
        if (prepare) prepare(w);
        QTimer::singleShot(300, w, [=] {
            save(*w, dir, name);
            qobject_cast<QDialog*>(w)->reject();
        });
    });
    poll->start(20);
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

    // The memo notebook with a rich-text file of the rich edit control's kind.
    sorami::TSrmMemNote memo(fake);
    sorami::MemoSettings memoSettings;
    memoSettings.plainText = false;
    memo.applySettings(memoSettings);
    fake.fileAnswers.push_back(QStringLiteral(SORAMI_MEMO_SAMPLE));
    memo.MemoOpenClick();
    save(memo, out, QStringLiteral("memo.png"));
    memo.SearchKeyWordClick();
    memo.FindDialog1->FindText->setText(QStringLiteral("項目"));
    save(*memo.FindDialog1, out, QStringLiteral("memo-find.png"));
    memo.FindDialog1->hide();

    // The standard dialogs as the learner meets them.
    sorami::QtPlatform platform;
    grabNextDialog(out, QStringLiteral("filedialog.png"), [](QWidget* w) {
        if (auto* d = qobject_cast<QFileDialog*>(w)) d->setViewMode(QFileDialog::Detail);
        w->resize(760, 420);
    });
    sorami::FileDialogState open;
    open.filter = sorami::questionFileFilter();
    open.initialDir = QFileInfo(sample).absolutePath();
    platform.openFile(nullptr, open);
    grabNextDialog(out, QStringLiteral("fontdialog.png"));
    sorami::FontChooser chooser;
    chooser.font = sorami::pointFontSpec(sorami::face::Mincho, 20);
    platform.chooseFont(nullptr, chooser);
    grabNextDialog(out, QStringLiteral("messagebox.png"));
    platform.messageBox(nullptr, QStringLiteral("まだ一つも問題をやっていませんよ!"),
                        sorami::MsgIcon::None, sorami::MsgButtons::Ok);
    return 0;
}
