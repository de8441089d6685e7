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

#include <QAbstractButton>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
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
};

std::unique_ptr<Window> makeWindow(Program program) {
    auto w = std::make_unique<Window>();
    if (program == Drill) {
        w->fake.inputAnswers.push_back(QStringLiteral("tester")); // the name box
        auto* d = new TSorami(w->fake);
        w->widget.reset(d);
        w->dialog = &d->OpenDialog1;
        w->openThroughDialog = [d] { d->FileOpn->trigger(); };
        w->openFile = [d](const QString& path) { d->openFile(path); };
    } else if (program == Viewer) {
        auto* v = new TSoramiMiniVer(w->fake, ViewerBuild::StandAlone);
        w->widget.reset(v);
        w->dialog = &v->OpenDialog2;
        w->openThroughDialog = [v] { v->Yomikomi->click(); };
        w->openFile = [v](const QString& path) { v->openFile(path); };
    } else {
        auto* m = new TSoramiMini(w->fake);
        w->widget.reset(m);
        w->dialog = &m->OpenDialog1;
        w->openThroughDialog = [m] { m->FileOpen->click(); };
        w->openFile = [m](const QString& path) { m->openFile(path); };
    }
    w->widget->show();
    return w;
}

// What the learner sees: the caption, and every control's text and whether
// it can be used.
QStringList visibleState(QWidget* window) {
    QStringList out{window->windowTitle()};
    for (QWidget* c : window->findChildren<QWidget*>()) {
        QString text;
        if (auto* p = qobject_cast<QPlainTextEdit*>(c))
            text = p->toPlainText();
        else if (auto* t = qobject_cast<QTextEdit*>(c))
            text = t->toPlainText();
        else if (auto* l = qobject_cast<QLabel*>(c))
            text = l->text();
        else if (auto* e = qobject_cast<QLineEdit*>(c))
            text = e->text();
        else if (auto* b = qobject_cast<QAbstractButton*>(c))
            text = b->text();
        out << QStringLiteral("%1 %2 %3 %4")
                   .arg(QLatin1String(c->metaObject()->className()), c->objectName())
                   .arg(c->isEnabled())
                   .arg(text);
    }
    return out;
}

} // namespace

class TestFileArgument : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;

private slots:
    void init() {
        QVERIFY(dir_.isValid());
        setProgramDirForTesting(dir_.path());
        QDir::setCurrent(dir_.path());
        writeQuestionFile(
            dir_.filePath(QStringLiteral("q.lko")),
            {"? 問題一", "Answer one.", "idiom one", "問題二", "Answer two.", "idiom two"});
        writeQuestionFile(dir_.filePath(QStringLiteral("other.lko")),
                          {"別の問題", "Another.", "another idiom"});
    }

    void theProgramsArguments_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("file");
        QTest::newRow("no argument: nothing is opened") << QStringList{"Sorami105"} << "";
        QTest::newRow("a path") << QStringList{"SrmMini", "/data/q.lko"} << "/data/q.lko";
        QTest::newRow("options are passed over")
            << QStringList{"Srmmini32", "--verbose", "q.lko"} << "q.lko";
        QTest::newRow("after --, a name that looks like an option")
            << QStringList{"Sorami105", "--", "-q.lko"} << "-q.lko";
        QTest::newRow("a file: URL")
            << QStringList{"Sorami105", "file:///data/a%20b.lko"} << "/data/a b.lko";
        QTest::newRow("the first file of several")
            << QStringList{"Sorami105", "one.lko", "two.lko"} << "one.lko";
    }
    void theProgramsArguments() {
        QFETCH(QStringList, arguments);
        QFETCH(QString, file);
        QCOMPARE(fileArgument(arguments), file);
    }

    // The same file through the dialog and through the argument leaves the
    // window in the same state, with the same boxes on the way.
    void opensAsIfChosenInTheDialog_data() {
        QTest::addColumn<int>("program");
        QTest::addColumn<QString>("argument");
        QTest::addColumn<QStringList>("afterwards"); // chosen in the dialog after a failure
        QTest::addColumn<bool>("opened");
        const char* names[] = {"drill", "card viewer", "mini drill"};
        for (int p : {Drill, Viewer, MiniDrill}) {
            const QByteArray name = names[p];
            QTest::newRow(name + ": a question file") << p << "@q.lko" << QStringList{} << true;
            QTest::newRow(name + ": a path from the working folder")
                << p << "q.lko" << QStringList{} << true;
            QTest::newRow(name + ": a file that cannot be read")
                << p << "@missing.lko" << QStringList{} << false;
        }
        // The companions offer Retry, which opens the dialog.
        for (int p : {Viewer, MiniDrill})
            QTest::newRow(QByteArray(names[p]) + ": Retry after a failure, then another file")
                << p << "@missing.lko" << QStringList{"@other.lko"} << true;
    }
    void opensAsIfChosenInTheDialog() {
        QFETCH(int, program);
        QFETCH(QString, argument);
        QFETCH(QStringList, afterwards);
        QFETCH(bool, opened);
        const auto full = [&](QString name) {
            return name.startsWith(QLatin1Char('@')) ? dir_.filePath(name.mid(1)) : name;
        };
        const QString path = QDir(dir_.path()).absoluteFilePath(full(argument));
        const bool companion = program != Drill;

        // Through the dialog, as the learner opens a file.
        auto byDialog = makeWindow(Program(program));
        byDialog->fake.fileAnswers.push_back(path);
        for (const QString& a : afterwards)
            byDialog->fake.fileAnswers.push_back(full(a));
        if (companion && !QFile::exists(path))
            byDialog->fake.messageAnswers.push_back(afterwards.isEmpty() ? MsgResult::Cancel
                                                                         : MsgResult::Retry);
        byDialog->openThroughDialog();

        // Through the argument, with the same answers to every box.
        auto byArgument = makeWindow(Program(program));
        for (const QString& a : afterwards)
            byArgument->fake.fileAnswers.push_back(full(a));
        byArgument->fake.messageAnswers = decltype(byArgument->fake.messageAnswers)();
        if (companion && !QFile::exists(path))
            byArgument->fake.messageAnswers.push_back(afterwards.isEmpty() ? MsgResult::Cancel
                                                                           : MsgResult::Retry);
        byArgument->openFile(argument.startsWith(QLatin1Char('@')) ? full(argument) : argument);

        const QStringList shown = visibleState(byArgument->widget.get());
        QCOMPARE(shown, visibleState(byDialog->widget.get()));
        QCOMPARE(byArgument->fake.messageTexts(), byDialog->fake.messageTexts());
        QCOMPARE(byArgument->dialog->fileName, byDialog->dialog->fileName);
        QCOMPARE(byArgument->dialog->initialDir, byDialog->dialog->initialDir);
        // No dialog is shown for the file named, only for a Retry.
        QCOMPARE(byArgument->fake.fileDialogs.size(), afterwards.size());
        QCOMPARE(byArgument->fake.unscripted, 0);
        // A file was really opened, or really not.
        const QString fileName = QFileInfo(full(afterwards.value(0, argument))).fileName();
        QCOMPARE(shown.join(QLatin1Char('\n')).contains(fileName), opened);
    }
};

QTEST_MAIN(TestFileArgument)
#include "test_file_argument.moc"
