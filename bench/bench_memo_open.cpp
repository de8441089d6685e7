// How long the memo notebook takes to open files of the shapes that once
// froze it, from the file dialog's answer to the window painted: a text file
// of 400,000 empty lines, an RTF of 1,200,000 \par, an RTF with a font
// table of 200,000 entries whose 28,572 runs each name another font, and
// bullet lists: 100,000 levels deep, each level a group of its own with the
// bullets of both kinds of writer, and 300,000 items over a word processor's
// nine list levels. Each
// shape is split into reading the file, building the document, the first
// page painted, all of a long file shown a step at a time (and the longest
// step, when the window does not answer) and the caret at the end; each runs in a child process
// with a time limit, so a freeze shows as a figure.
//
//   build/benchbin/bench_memo_open [LIMIT_SECONDS]   every shape
//   build/benchbin/bench_memo_open SHAPE             one shape, in this process
//   SORAMI_MEMO_CHUNK=N                               N paragraphs a step of loading
#include "Memnote1.h"
#include "fake_platform.h"
#include "program_paths.h"
#include "rich_text_qt.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QTimer>
#include <algorithm>
#include <cstdio>

using namespace sorami;

namespace {

struct Shape {
    const char* name;
    const char* file;
    bool rich;
    QByteArray (*bytes)();
};

QByteArray emptyLines() {
    return QByteArray(400000 * 2, '\n').replace("\n\n", "\r\n");
}

QByteArray manyPars() {
    QByteArray b("{\\rtf1\\ansi ");
    for (int i = 0; i < 1200000; ++i)
        b += "\\par ";
    return b + "}";
}

QByteArray hugeFontTable() {
    QByteArray b("{\\rtf1\\ansi\\deff0{\\fonttbl");
    for (int i = 0; i < 200000; ++i)
        b += "{\\f" + QByteArray::number(i) + "\\fnil Font" + QByteArray::number(i) + ";}";
    b += "}";
    for (int i = 0; i < 28572; ++i)
        b += "\\f" + QByteArray::number(i * 7) + " word" + QByteArray::number(i % 10) + ' ';
    return b + "}";
}

// Each item one group deeper than the last, none closed before the end.
QByteArray nestedLists() {
    QByteArray b(
        "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss Arial;}{\\f1\\fnil\\fcharset2 Symbol;}}\r\n");
    constexpr int depth = 100000;
    for (int i = 0; i < depth; ++i)
        b += "{\\pard\\li" + QByteArray::number(360 * (i + 1)) +
             "\\fi-360{\\pntext\\f1\\'b7\\tab}{\\*\\pn\\pnlvlblt\\pnf1{\\pntxtb\\'b7}}"
             "{\\listtext\\f1\\'b7\\tab}\\ilvl" +
             QByteArray::number(i % 9) + " item " + QByteArray::number(i) + "\\par\r\n";
    return b + QByteArray(depth, '}') + "}";
}

QByteArray listLevels() {
    QByteArray b(
        "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss Arial;}{\\f1\\fnil\\fcharset2 Symbol;}}\r\n");
    for (int i = 0; i < 300000; ++i) {
        const int level = i % 9;
        b += "\\pard{\\listtext\\pard\\plain\\f1 \\'b7\\tab}\\ilvl" + QByteArray::number(level) +
             "\\ls1\\li" + QByteArray::number(720 * (level + 1)) + "\\fi-360\\tx" +
             QByteArray::number(720 * (level + 1)) + " item\\par\r\n";
    }
    return b + "}";
}

const Shape Shapes[] = {
    {"empty_lines", "lines.txt", false, emptyLines},
    {"pars", "pars.mem", true, manyPars},
    {"font_table", "fonts.mem", true, hugeFontTable},
    {"nested_lists", "nested.mem", true, nestedLists},
    {"list_levels", "levels.mem", true, listLevels},
};

double since(QElapsedTimer& t) {
    const double s = t.nsecsElapsed() / 1e9;
    t.restart();
    return s;
}

int measure(const Shape& shape) {
    QTemporaryDir dir;
    setProgramDirForTesting(dir.path());
    const QString path = dir.filePath(QString::fromLatin1(shape.file));
    QFile f(path);
    const QByteArray bytes = shape.bytes();
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size()) return 1;
    f.close();
    const MemoMode mode = shape.rich ? MemoMode::Rich : MemoMode::Plain;

    // The parts, apart from the window.
    QElapsedTimer t;
    t.start();
    const rich::Document doc = readMemoFile(path, mode);
    const double read = since(t);
    QTextDocument built;
    built.setUndoRedoEnabled(false);
    rich::toTextDocument(doc, built);
    const double build = since(t);

    // The whole command in the window, painted.
    FakePlatform fake;
    TSrmMemNote note(fake);
    note.applySettings(MemoSettings{.plainText = !shape.rich});
    note.show();
    QApplication::processEvents();
    fake.fileAnswers.push_back(path);
    if (const int chunk = qEnvironmentVariableIntValue("SORAMI_MEMO_CHUNK"); chunk > 0)
        note.SoramiMemo->setChunkParagraphs(chunk);
    t.restart();
    note.MemoOpenClick();
    QApplication::processEvents();
    note.grab();
    const double open = since(t);
    // The rest of a long file comes a step at a time from the event loop;
    // the longest time from one step's end to the next's is how long the
    // window may not answer meanwhile.
    QElapsedTimer step;
    step.start();
    double longestStep = 0;
    QObject::connect(note.SoramiMemo, &MemoEdit::chunkShown, [&] {
        longestStep = std::max(longestStep, step.nsecsElapsed() / 1e9);
        step.restart();
    });
    while (note.SoramiMemo->isLoading())
        QApplication::processEvents();
    const double loaded = open + since(t);
    // The rest is laid out while the learner looks at the first page; the
    // caret sent to the end needs all of it.
    note.MoveCursorEndClick();
    QApplication::processEvents();
    note.grab();
    const double end = since(t);
    std::printf("%.2f %.2f %.2f %.2f %.3f %.2f %zu %d\n", read, build, open, loaded, longestStep,
                end, doc.paragraphs.size(), note.SoramiMemo->document()->characterCount() - 1);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString arg = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    for (const auto& shape : Shapes)
        if (arg == QLatin1String(shape.name)) return measure(shape);
    const int limit = arg.isEmpty() ? 60 : arg.toInt();
    std::printf(
        "shape        read_s build_s open_s loaded_s step_s to_end_s paragraphs characters\n");
    for (const auto& shape : Shapes) {
        QProcess child;
        child.start(QCoreApplication::applicationFilePath(), {QString::fromLatin1(shape.name)});
        QString figures;
        if (!child.waitForFinished(limit * 1000)) {
            child.kill();
            child.waitForFinished();
            figures = QStringLiteral("> %1 s (stopped)").arg(limit);
        } else {
            figures = QString::fromLocal8Bit(child.readAllStandardOutput()).trimmed();
        }
        std::printf("%-12s %s\n", shape.name, qPrintable(figures));
        std::fflush(stdout);
    }
    return 0;
}
