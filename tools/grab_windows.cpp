// Draws the programs' windows offscreen into PNG files, for looking at them
// without a screen and for the README's pictures:
//   build/toolbin/grab_windows OUTDIR [QUESTION_FILE]
// (SORAMI_GRAB_DARK=1: under a dark desktop theme; QT_SCALE_FACTOR=2: at 200 %)
// The drill is shown with the question file loaded (the bundled sample by
// default) and one answer typed.
#include "LkOVer10.h"
#include "Memnote1.h"
#include "Seiseki1.h"
#include "Settime1.h"
#include "SrmMinifm.h"
#include "app_setup.h"
#include "dark_palette.h"
#include "fake_platform.h"
#include "fonts.h"
#include "memo_files.h"
#include "program_paths.h"
#include "qt_platform.h"
#include "question_file.h"
#include "score_file.h"
#include "srmi105.h"
#include "srmminfm32.h"

#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QTimer>
#include <QToolButton>
#include <algorithm>
#include <cstdio>

namespace {

void savePixmap(const QPixmap& picture, const QString& dir, const QString& name) {
    const QString path = QDir(dir).filePath(name);
    if (!picture.save(path))
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    else
        std::printf("%s\n", qPrintable(path));
}

void save(QWidget& w, const QString& dir, const QString& name) {
    w.show();
    QCoreApplication::processEvents();
    savePixmap(w.grab(), dir, name);
}

// The window with a plain title bar above it: offscreen windows have no
// frame, and a picture of two windows needs their captions to tell them apart.
QPixmap captioned(QWidget& w) {
    w.show();
    QCoreApplication::processEvents();
    const QPixmap body = w.grab();
    const int bar = 22;
    QPixmap out(body.width() + 2, body.height() + bar + 1);
    out.fill(QColor(0, 0, 128));
    QPainter p(&out);
    p.setPen(Qt::white);
    p.setFont(w.font());
    p.drawText(QRect(6, 0, out.width() - 12, bar), Qt::AlignVCenter | Qt::AlignLeft,
               w.windowTitle());
    p.drawPixmap(1, bar, body);
    return out;
}

// Grabs the platform's next modal dialog as soon as it is up, then closes it.
void grabNextDialog(const QString& dir, const QString& name,
                    const std::function<void(QWidget*)>& prepare = {}, bool withCaption = false) {
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, poll, [=] {
        QWidget* w = QApplication::activeModalWidget();
        if (!w) return;
        poll->stop();
        poll->deleteLater();
        if (prepare) prepare(w);
        QTimer::singleShot(300, w, [=] {
            if (withCaption)
                savePixmap(captioned(*w), dir, name);
            else
                save(*w, dir, name);
            qobject_cast<QDialog*>(w)->reject();
        });
    });
    poll->start(20);
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    sorami::Application app(argc, argv, QStringLiteral("LkO for Win95"),
                            QStringLiteral("jp.sorami.Sorami105"));
    // SORAMI_GRAB_DARK=1 draws them as a dark desktop theme shows them.
    if (qEnvironmentVariableIntValue("SORAMI_GRAB_DARK") == 1)
        QApplication::setPalette(sorami::darkDesktopPalette());
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
    // Both covers folded away: the speed buttons and the session-end group.
    drill.SpeedButton->click();
    drill.SysExit->click();
    drill.Timer1->fire();
    save(drill, out, QStringLiteral("drill-covers.png"));
    drill.SpeedButton->click();
    drill.SysExit->click();
    drill.Timer1->fire();

    sorami::TLkOVer10 version;
    save(version, out, QStringLiteral("version.png"));
    version.hide();

    sorami::TSetTimes setTimes(fake);
    save(setTimes, out, QStringLiteral("settimes.png"));
    setTimes.hide();
    // Flash advance at 3 seconds with the correct-answer display on, at the
    // tick that shows the held-back answer.
    drill.KaitouHyouziClick();
    drill.KaitouDisp->clear();
    QTimer::singleShot(50, [] {
        if (auto* d = qobject_cast<sorami::TSetTimes*>(QApplication::activeModalWidget()))
            d->BitBtn1->click();
    });
    drill.AutoDelay->click();
    drill.Timer2->fire();
    save(drill, out, QStringLiteral("drill-flash.png"));
    drill.AutoStop->click();
    // The first press of add, with the learner halfway through typing.
    drill.Tuika_Btn->click();
    drill.WabunDisp->setPlainText(QStringLiteral("私は毎朝六時に起きます。"));
    drill.SeikaiDisp->setPlainText(QStringLiteral("I get up at six every morning."));
    save(drill, out, QStringLiteral("drill-add.png"));
    drill.Cancel_Btn->click();
    // A wrong answer with the differences marked, on a copy of the sample:
    // the check marks the question in the file it answers.
    {
        const QString copy = QDir(scratch.path()).filePath(QStringLiteral("sample.lko"));
        QFile::copy(sample, copy);
        fake.fileAnswers.push_back(copy);
        drill.FileOpn->trigger();
        if (!drill.ShowDifferences->isChecked()) drill.ShowDifferences->trigger();
        drill.KaitouDisp->setPlainText(QStringLiteral("I get up at seven in evry morning."));
        drill.KaitouSakuseiClick();
        save(drill, out, QStringLiteral("drill-differences.png"));
        drill.ShowDifferences->trigger();
    }

    // The score table of a few reports and blocks, one row selected.
    {
        sorami::ScoreFile scores(QDir(scratch.path()).filePath(sorami::ScoreFileName));
        scores.erase();
        for (int i = 0; i < 40; ++i)
            scores.appendReport(QStringLiteral("sample.lko"),
                                QDateTime(QDate(2026, 4, 1), QTime(9, i)), 20, 10 + i % 11, "Taro");
        sorami::TTable table;
        table.setLines(scores.readLines());
        table.SeisekiTable->setCurrentIndex(table.SeisekiTable->model()->index(9, 0));
        save(table, out, QStringLiteral("scoretable.png"));
    }

    sorami::TSoramiMiniVer viewer(fake, sorami::ViewerBuild::StandAlone);
    fake.fileAnswers.push_back(sample);
    viewer.Yomikomi->click();
    viewer.Imi->click();
    save(viewer, out, QStringLiteral("viewer.png"));

    // The card viewer as the drill's "Min" button opens it.
    sorami::TSoramiMiniVer inDrill(fake, sorami::ViewerBuild::InDrill);
    fake.messageAnswers.push_back(sorami::MsgResult::No);
    fake.fileAnswers.push_back(sample);
    inDrill.Yomikomi->click();
    inDrill.Susumeru->click();
    inDrill.Ideom->click();
    save(inDrill, out, QStringLiteral("viewer-indrill.png"));
    inDrill.hide();

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
    // The modeless find dialog where it opens over the notebook.
    memo.SearchKeyWordClick();
    memo.FindDialog1->FindText->setText(QStringLiteral("項目"));
    QCoreApplication::processEvents();
    {
        const QPixmap notebook = captioned(memo);
        const QPixmap find = captioned(*memo.FindDialog1);
        QPoint at = memo.FindDialog1->pos() - memo.pos();
        at.rx() = std::clamp(at.x(), 0, notebook.width() - find.width());
        at.ry() = std::clamp(at.y(), 0, notebook.height() - find.height());
        QPixmap both = notebook;
        QPainter p(&both);
        p.drawPixmap(at, find);
        p.end();
        savePixmap(both, out, QStringLiteral("memo-find.png"));
    }
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
    // The print dialog as the notebook's print command opens it.
    // Its options opened, for the page range and the selection it offers.
    grabNextDialog(
        out, QStringLiteral("printdialog.png"),
        [](QWidget* w) {
            for (auto* b : w->findChildren<QPushButton*>())
                if (b->text().endsWith(QStringLiteral(">>"))) b->click();
        },
        true);
    memo.SoramiMemo->document()->setMetaInformation(QTextDocument::DocumentTitle,
                                                    sorami::memoModule().memoFilePath);
    platform.printDocument(&memo, *memo.SoramiMemo->document(), true, memo.SoramiMemo->document());
    grabNextDialog(out, QStringLiteral("fontdialog.png"));
    sorami::FontChooser chooser;
    chooser.font = sorami::pointFontSpec(sorami::face::Mincho, 20);
    platform.chooseFont(nullptr, chooser);
    // The help page, from the pages shipped with the programs.
    QDir(scratch.path()).mkpath(QStringLiteral("help"));
    QFile::copy(QStringLiteral(SORAMI_HELP_DIR "/Sorami10.html"),
                scratch.filePath(QStringLiteral("help/Sorami10.html")));
    platform.showHelp(nullptr, QStringLiteral("Sorami10.hlp"));
    for (QWidget* w : QApplication::topLevelWidgets())
        if (qobject_cast<QTextBrowser*>(w) && w->isVisible())
            save(*w, out, QStringLiteral("help.png"));
    platform.quitHelp();
    grabNextDialog(out, QStringLiteral("messagebox.png"));
    platform.messageBox(nullptr, QStringLiteral("まだ一つも問題をやっていませんよ!"),
                        sorami::MsgIcon::None, sorami::MsgButtons::Ok);
    return 0;
}
