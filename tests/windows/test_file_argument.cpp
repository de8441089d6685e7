// A question file named on the command line (the desktop entries pass the
// file the learner opened in the file manager) opens in each program as if
// the learner had chosen it in the program's open dialog.
#include "SrmMinifm.h"
#include "app_setup.h"
#include "fake_platform.h"
#include "program_paths.h"
#include "question_file.h"
#include "srmi105.h"
#include "srmminfm32.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

using namespace sorami;

namespace {

enum Program { Drill, Viewer, MiniDrill };

struct Window {
    FakePlatform fake;
    std::unique_ptr<QWidget> widget;
    FileDialogState* dialog = nullptr;
    std::function<void()> openThroughDialog;
    std::function<void(const QString&)> openFile;

    explicit Window(Program program) {
        if (program == Drill) {
            fake.inputAnswers.push_back(QStringLiteral("tester")); // the name box
            auto* d = new TSorami(fake);
            set(d, d->OpenDialog1, [d] { d->FileOpn->trigger(); });
        } else if (program == Viewer) {
            auto* v = new TSoramiMiniVer(fake, ViewerBuild::StandAlone);
            set(v, v->OpenDialog2, [v] { v->Yomikomi->click(); });
        } else {
            auto* m = new TSoramiMini(fake);
            set(m, m->OpenDialog1, [m] { m->FileOpen->click(); });
        }
        widget->show();
    }
    template <typename W> void set(W* w, FileDialogState& d, std::function<void()> viaDialog) {
        widget.reset(w);
        dialog = &d;
        openThroughDialog = std::move(viaDialog);
        openFile = [w](const QString& path) { w->openFile(path); };
    }
    // What the learner sees: the caption, every control's text and whether
    // it can be used.
    QStringList shown() const {
        QStringList out{widget->windowTitle()};
        for (QWidget* c : widget->findChildren<QWidget*>()) {
            const QVariant plain = c->property("plainText");
            out << QStringLiteral("%1 %2 %3")
                       .arg(QLatin1String(c->metaObject()->className()))
                       .arg(c->isEnabled())
                       .arg((plain.isValid() ? plain : c->property("text")).toString());
        }
        return out;
    }
};

} // namespace

class TestFileArgument : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;

private slots:
    void init() {
        setProgramDirForTesting(dir_.path());
        QDir::setCurrent(dir_.path());
        writeQuestionFile(dir_.filePath(QStringLiteral("q.lko")),
                          {"? 問題一", "Answer one.", "idiom one", "問題二", "Two.", "idiom"});
        writeQuestionFile(dir_.filePath(QStringLiteral("other.lko")), {"別", "Other.", "idiom"});
    }

    void theFileArgument_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("file");
        QTest::newRow("none: nothing is opened") << QStringList{"Sorami105"} << "";
        QTest::newRow("options passed over") << QStringList{"SrmMini", "-v", "q.lko"} << "q.lko";
        QTest::newRow("after --") << QStringList{"Srmmini32", "--", "-q.lko"} << "-q.lko";
        QTest::newRow("file: URL")
            << QStringList{"Sorami105", "file:///d/a%20b.lko"} << "/d/a b.lko";
    }
    void theFileArgument() {
        QFETCH(QStringList, arguments);
        QFETCH(QString, file);
        QCOMPARE(fileArgument(arguments), file);
    }

    // The same file through the dialog and through the argument leaves the
    // window in the same state, with the same boxes on the way.
    void opensAsIfChosenInTheDialog_data() {
        QTest::addColumn<int>("program");
        QTest::addColumn<QString>("argument");
        QTest::addColumn<QString>("retried"); // chosen in the dialog after Retry
        const QByteArray names[] = {"drill", "card viewer", "mini drill"};
        for (int p : {Drill, Viewer, MiniDrill}) {
            const QByteArray& name = names[p];
            QTest::newRow(name + ": a question file") << p << dir_.filePath("q.lko") << "";
            QTest::newRow(name + ": from the working folder") << p << "q.lko"
                                                              << "";
            QTest::newRow(name + ": a file that cannot be read") << p << "missing.lko"
                                                                 << "";
        }
        for (int p : {Viewer, MiniDrill})
            QTest::newRow(names[p] + ": Retry, another file")
                << p << "missing.lko" << dir_.filePath("other.lko");
    }
    void opensAsIfChosenInTheDialog() {
        QFETCH(int, program);
        QFETCH(QString, argument);
        QFETCH(QString, retried);
        const QString path = QDir(dir_.path()).absoluteFilePath(argument);
        Window byDialog{Program(program)}, byArgument{Program(program)};
        byDialog.fake.fileAnswers.push_back(path);
        for (Window* w : {&byDialog, &byArgument}) {
            if (!retried.isEmpty()) w->fake.fileAnswers.push_back(retried);
            // The companions ask Retry or Cancel about a file they cannot read.
            if (program != Drill && !QFile::exists(path))
                w->fake.messageAnswers.push_back(retried.isEmpty() ? MsgResult::Cancel
                                                                   : MsgResult::Retry);
        }
        byDialog.openThroughDialog();
        byArgument.openFile(argument);

        QCOMPARE(byArgument.shown(), byDialog.shown());
        QCOMPARE(byArgument.fake.messageTexts(), byDialog.fake.messageTexts());
        QCOMPARE(byArgument.dialog->fileName, byDialog.dialog->fileName);
        QCOMPARE(byArgument.dialog->initialDir, byDialog.dialog->initialDir);
        // No dialog for the file named, only after a Retry; and a file was
        // really opened, or really not.
        QCOMPARE(byArgument.fake.fileDialogs.size(), retried.isEmpty() ? 0 : 1);
        const QString opened = QFileInfo(retried.isEmpty() ? path : retried).fileName();
        QCOMPARE(byArgument.shown().join(QLatin1Char('\n')).contains(opened),
                 QFile::exists(path) || !retried.isEmpty());
    }
};

QTEST_MAIN(TestFileArgument)
#include "test_file_argument.moc"
