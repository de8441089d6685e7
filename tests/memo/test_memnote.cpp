// The memo notebook window against the scripted platform: the file
// commands and their questions, closing with unsaved text, the memo INI,
// the position panel, bullets across windows and where a search starts.

#include "Memnote1.h"
#include "colour_qt.h"
#include "error_guard.h"
#include "fake_platform.h"
#include "fonts.h"
#include "form_kit.h"
#include "memo_files.h"
#include "program_paths.h"
#include "qt_platform.h"
#include "rich_text_qt.h"
#include "termination.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPrinter>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextLayout>
#include <QTextList>
#include <QTimer>
#include <QToolButton>
#include <QtTest>
#include <ctime>
#include <memory>

using namespace sorami;

namespace {

// The print dialog answered as a learner would, the job going to a PDF.
class PdfPlatform : public FakePlatform {
public:
    QString pdf;
    QPrinter::PrintRange range = QPrinter::AllPages;
    int from = 0, to = 0;
    QString jobName;
    bool printDocument(QWidget*, const QTextDocument& doc, bool,
                       const QTextDocument* selection) override {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        printer.setPrintRange(range);
        printer.setFromTo(from, to);
        printAcceptedDocument(printer, doc, selection);
        jobName = printer.docName();
        return true;
    }
};

qsizetype pdfPages(const QByteArray& pdf) {
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page(?!s)"));
    return QString::fromLatin1(pdf).count(page);
}

// A PDF text string as the document information holds it: UTF-16 with its
// byte order mark, brackets and backslashes escaped.
QByteArray pdfTextString(const QString& text) {
    QByteArray out("(\xfe\xff");
    for (const QChar c : text)
        for (const char b : {char(c.unicode() >> 8), char(c.unicode() & 0xff)}) {
            if (b == '(' || b == ')' || b == '\\') out += '\\';
            out += b;
        }
    return out + ')';
}

// Notes whether the busy cursor showed while each dialog was up.
class CursorWatchingPlatform : public FakePlatform {
public:
    int dialogs = 0, busyDialogs = 0;
    void look() {
        ++dialogs;
        if (QGuiApplication::overrideCursor()) ++busyDialogs;
    }
    MsgResult messageBox(QWidget* w, const QString& t, MsgIcon i, MsgButtons b,
                         const QString& caption) override {
        look();
        return FakePlatform::messageBox(w, t, i, b, caption);
    }
    bool openFile(QWidget* w, FileDialogState& s) override {
        look();
        return FakePlatform::openFile(w, s);
    }
    bool saveFile(QWidget* w, FileDialogState& s) override {
        look();
        return FakePlatform::saveFile(w, s);
    }
    bool chooseFont(QWidget* w, FontChooser& c) override {
        look();
        return FakePlatform::chooseFont(w, c);
    }
    bool printDocument(QWidget*, const QTextDocument&, bool, const QTextDocument*) override {
        look();
        return false;
    }
};

} // namespace

class TestMemNote : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    FakePlatform platform_;
    std::unique_ptr<TSrmMemNote> note_;

    QString path(const char* name) const { return dir_.filePath(QString::fromUtf8(name)); }
    QByteArray fileBytes(const QString& p) const {
        QFile f(p);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    void type(const QString& text) {
        note_->SoramiMemo->setFocus();
        for (const QChar c : text) // keys for ASCII; Japanese comes from the input method
            if (c.unicode() < 0x80)
                QTest::keyClick(note_->SoramiMemo, c.toLatin1());
            else
                note_->SoramiMemo->insertPlainText(QString(c));
    }
    // Opens a plain file of these lines, shown `chunk` lines a step.
    QString openInSteps(const QString& text, int chunk) {
        QFile f(path("steps.txt"));
        if (f.open(QIODevice::WriteOnly)) f.write(QString(text).replace(u'\n', "\r\n").toLatin1());
        f.close();
        note_->SoramiMemo->setChunkParagraphs(chunk);
        platform_.fileAnswers.push_back(f.fileName());
        note_->MemoOpenClick();
        return f.fileName();
    }
    // A window as opening makes it, with the memo INI applied.
    void newWindow() {
        note_ = std::make_unique<TSrmMemNote>(platform_);
        note_->applySettings(readMemoSettings(memoIniPath()));
        note_->show();
    }

private slots:
    void init() {
        setProgramDirForTesting(dir_.path());
        QFile::remove(memoIniPath());
        memoModule() = MemoModule{};
        platform_ = FakePlatform{};
        newWindow();
    }
    void cleanup() { note_.reset(); }

    // The overwrite-save command decides by the modified flag and the name.
    void overwriteSave_data() {
        QTest::addColumn<bool>("modified");
        QTest::addColumn<bool>("named");
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("written");
        QTest::newRow("modified, named")
            << true << true << "「a.mem」は変更されています。\r\n上書き保存しますか？" << true;
        QTest::newRow("modified, no name")
            << true << false << "ファイル名が付いていないので保存できません" << false;
        QTest::newRow("unmodified, named")
            << false << true << "「a.mem」を上書き保存します。\r\nいいですか？" << true;
        QTest::newRow("unmodified, no name") << false << false << "何も書いていませんよ！" << false;
    }
    void overwriteSave() {
        QFETCH(bool, modified);
        QFETCH(bool, named);
        QFETCH(QString, message);
        QFETCH(bool, written);
        QFile::remove(path("a.mem"));
        type("memo");
        if (named) {
            platform_.fileAnswers.push_back(path("a.mem"));
            note_->WriteCloseClick();
            QFile::remove(path("a.mem"));
        }
        note_->SoramiMemo->document()->setModified(modified);
        platform_.clearRecords();
        platform_.messageAnswers.push_back(MsgResult::Yes);
        note_->MemoOverWriteClick();
        QCOMPARE(platform_.messageTexts(), QStringList{message});
        QCOMPARE(QFile::exists(path("a.mem")), written);
        QCOMPARE(note_->isModified(), modified); // saving leaves the flag alone
    }

    // Closing with text changed since its last save asks; Cancel keeps the
    // window, Yes saves. Text saved and not changed since closes unasked,
    // though the modified flag stays set.
    void closeAsks_data() {
        QTest::addColumn<bool>("typedAfterSave");
        QTest::addColumn<MsgResult>("answer");
        QTest::addColumn<bool>("closed");
        QTest::addColumn<bool>("saved");
        QTest::newRow("yes") << true << MsgResult::Yes << true << true;
        QTest::newRow("no") << true << MsgResult::No << true << false;
        QTest::newRow("cancel") << true << MsgResult::Cancel << false << false;
        QTest::newRow("saved, unchanged") << false << MsgResult::Cancel << true << false;
    }
    void closeAsks() {
        QFETCH(bool, typedAfterSave);
        QFETCH(MsgResult, answer);
        QFETCH(bool, closed);
        QFETCH(bool, saved);
        type("text");
        platform_.fileAnswers.push_back(path("n.mem"));
        note_->WriteCloseClick();
        if (typedAfterSave) type("more");
        QVERIFY(note_->isModified());
        QFile::remove(path("n.mem"));
        platform_.messageAnswers.push_back(answer);
        note_->QuitClick();
        QCOMPARE(note_->isVisible(), !closed);
        QCOMPARE(QFile::exists(path("n.mem")), saved);
        QVERIFY(QFile::exists(memoIniPath())); // settings written by the quit command
    }

    // Rich mode: what is saved opens again with its formatting; plain
    // mode writes Shift-JIS text and drops the formatting.
    void saveAndReopen_data() {
        QTest::addColumn<bool>("rich");
        QTest::newRow("rich") << true;
        QTest::newRow("plain") << false;
    }
    void saveAndReopen() {
        QFETCH(bool, rich);
        if (rich) note_->RichFIleClick();
        type(QStringLiteral("日本語 bold"));
        QTextCursor c = note_->SoramiMemo->textCursor();
        c.setPosition(4);
        c.setPosition(8, QTextCursor::KeepAnchor);
        QTextCharFormat f;
        f.setFontWeight(QFont::Bold);
        c.mergeCharFormat(f);
        platform_.fileAnswers.push_back(path("m.mem"));
        note_->WriteCloseClick();
        QCOMPARE(note_->MemoFileName->text(), QStringLiteral("m.mem"));
        QCOMPARE(fileBytes(path("m.mem")).startsWith("{\\rtf1"), rich);

        note_->SoramiMemo->document()->setModified(false);
        platform_.messageAnswers.push_back(MsgResult::No); // do not overwrite
        platform_.fileAnswers.push_back(path("m.mem"));
        note_->RichFIleClick(); // rich mode reads a plain file as plain text
        note_->MemoOpenClick();
        QCOMPARE(note_->SoramiMemo->toPlainText(), QStringLiteral("日本語 bold"));
        const QTextBlock b = note_->SoramiMemo->document()->begin();
        QTextCursor at(b);
        at.setPosition(6);
        QCOMPARE(at.charFormat().fontWeight() == QFont::Bold, rich);
        QVERIFY(!note_->isModified());
        QVERIFY(!note_->SoramiMemo->document()->isUndoAvailable()); // undo cannot unload it
    }

    // A file that cannot be written leaves the old file as it was and says so.
    void failedSaveKeepsOldFile() {
        QFile old(path("ro.mem"));
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("old");
        old.close();
        old.setPermissions(QFileDevice::ReadOwner);
        type("new");
        platform_.fileAnswers.push_back(path("ro.mem"));
        guarded(platform_, note_.get(), [this] { note_->WriteCloseClick(); });
        QCOMPARE(fileBytes(path("ro.mem")), QByteArray("old"));
        QCOMPARE(platform_.errorTexts().size(), 1);
        QVERIFY(note_->MemoFileName->text().isEmpty());
    }

    // Any file opens in the window without a hang, within a second for a
    // few megabytes of notes; a single paragraph of a million characters
    // takes longer to lay out, but not minutes. What is past the memo's
    // limit is cut, and said so.
    void openBadFiles_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("cut");
        QTest::addColumn<int>("msLimit");
        QTest::newRow("50 MB on one line") << QByteArray(50 << 20, 'a') << true << 3000;
        QTest::newRow("3 MB of RTF") << "{\\rtf1 " + QByteArray(3 << 20, 'x') + "}" << true << 3000;
        QByteArray lines;
        while (lines.size() < (2 << 20))
            lines += "\x93\xfa\x96\x7b\x8c\xea text of a line\r\n";
        QTest::newRow("2 MB of lines") << lines << true << 1500;
        QTest::newRow("100,000 nested groups")
            << "{\\rtf1 " + QByteArray(100000, '{') + "x" + QByteArray(100000, '}') + "}" << false
            << 1000;
    }
    void openBadFiles() {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, cut);
        QFETCH(int, msLimit);
        QFile f(path("big.mem"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        f.close();
        note_->RichFIleClick();
        platform_.fileAnswers.push_back(f.fileName());
        // Processor time: other programs on the machine do not count.
        const std::clock_t start = std::clock();
        note_->MemoOpenClick();
        QCoreApplication::processEvents(); // the layout of what is shown
        const auto ms = static_cast<long long>((std::clock() - start) * 1000 / CLOCKS_PER_SEC);
        qInfo("%lld ms", ms);
        QVERIFY(note_->SoramiMemo->document()->characterCount() - 1 <= 1000000);
        QCOMPARE(platform_.errorTexts().size(), cut ? 1 : 0);
#if !defined(__SANITIZE_ADDRESS__)
        QVERIFY(ms < msLimit);
#endif
    }

    // Small versions of the shapes that once froze the notebook, with the
    // work of showing them counted: one block per paragraph read, no more
    // character formats than the file has distinct ones, none that the
    // document can only find again by comparing it with every other format
    // (a face held as a list hashes by its type alone), and lists short
    // enough that joining them stays a few steps a block (each block that
    // joins a list marks every block of it changed).
    void openHostileShapes_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("rich");
        QTest::addColumn<int>("paragraphs");
        QTest::addColumn<int>("faces");
        QTest::addColumn<int>("bullets");
        QTest::newRow("empty lines")
            << QByteArray(4000 * 2, '\n').replace("\n\n", "\r\n") << false << 4001 << 0 << 0;
        QByteArray pars("{\\rtf1\\ansi ");
        for (int i = 0; i < 12000; ++i)
            pars += "\\par ";
        QTest::newRow("paragraph marks") << pars + "}" << true << 12001 << 0 << 0;
        QByteArray fonts("{\\rtf1\\ansi\\deff0{\\fonttbl");
        for (int i = 0; i < 3000; ++i)
            fonts += "{\\f" + QByteArray::number(i) + "\\fnil Face" + QByteArray::number(i) + ";}";
        fonts += "}";
        for (int i = 0; i < 1000; ++i)
            fonts += "\\f" + QByteArray::number(i * 3) + " word ";
        QTest::newRow("a face per run") << fonts + "}" << true << 1 << 1000 << 0;
        QByteArray nested("{\\rtf1\\ansi ");
        for (int i = 0; i < 3000; ++i)
            nested += "{\\pard\\li" + QByteArray::number(360 * (i + 1)) +
                      "\\fi-360{\\pntext\\'b7\\tab}{\\*\\pn\\pnlvlblt{\\pntxtb\\'b7}}"
                      "{\\listtext\\'b7\\tab}\\ilvl" +
                      QByteArray::number(i % 9) + " item\\par ";
        QTest::newRow("nested bullet lists")
            << nested + QByteArray(3000, '}') + "}" << true << 3001 << 0 << 3000;
    }
    void openHostileShapes() {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, rich);
        QFETCH(int, paragraphs);
        QFETCH(int, faces);
        QFETCH(int, bullets);
        QFile f(path("shape.mem"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        f.close();
        if (rich) note_->RichFIleClick();
        platform_.fileAnswers.push_back(f.fileName());
        note_->MemoOpenClick();
        QCoreApplication::processEvents();
        const QTextDocument* doc = note_->SoramiMemo->document();
        QCOMPARE(doc->blockCount(), paragraphs);
        int charFormats = 0, foundOnlyByScanning = 0;
        QSet<QString> shownFaces;
        for (const QTextFormat& fmt : doc->allFormats()) {
            if (!fmt.isCharFormat()) continue;
            ++charFormats;
            if (fmt.hasProperty(QTextFormat::FontFamilies)) ++foundOnlyByScanning;
            if (fmt.hasProperty(QTextFormat::FontFamily))
                shownFaces << fmt.stringProperty(QTextFormat::FontFamily);
        }
        QCOMPARE(foundOnlyByScanning, 0);
        QCOMPARE(shownFaces.size(), faces);
        QVERIFY(charFormats <= faces + 3); // the block's, the default and the run formats
        QSet<QTextList*> lists;
        int bulleted = 0;
        for (QTextBlock b = doc->begin(); b.isValid(); b = b.next())
            if (QTextList* l = b.textList()) {
                lists << l;
                ++bulleted;
            }
        QCOMPARE(bulleted, bullets);
        qint64 listWork = 0;
        for (QTextList* l : lists)
            listWork += qint64(l->count()) * l->count();
        QVERIFY2(listWork <= 32 * qint64(paragraphs), qPrintable(QString::number(listWork)));
        // The faces go back to the file as they came.
        const rich::Document back = rich::fromTextDocument(*doc);
        QSet<QString> savedFaces;
        for (const auto& p : back.paragraphs)
            for (const auto& r : p.runs)
                if (r.format.face.startsWith(QLatin1String("Face"))) savedFaces << r.format.face;
        QCOMPARE(savedFaces.size(), faces);
    }

    // A file of more paragraphs than a step shows its first step at once
    // and the rest from the event loop. A command given meanwhile works on
    // the whole text, never on the part shown so far, and the notebook ends
    // as after opening a short file: unmodified, nothing to undo, editable.
    void commandsWhileLoadingSeeWholeText_data() {
        QTest::addColumn<QString>("command");
        for (const char* c :
             {"overwrite-save", "save as", "search the last line", "close", "typed key"})
            QTest::newRow(c) << QString::fromLatin1(c);
    }
    void commandsWhileLoadingSeeWholeText() {
        QFETCH(QString, command);
        const QString whole = QStringLiteral("l0\nl1\nl2\nl3\nl4\nl5\nl6");
        const QString file = openInSteps(whole, 3);
        QCOMPARE(note_->SoramiMemo->toPlainText(), whole.left(8));
        QTextEdit* box = note_->SoramiMemo;
        const QString out = command == "save as" ? path("saved.txt") : file;
        platform_.messageAnswers.push_back(MsgResult::Yes);
        platform_.fileAnswers.push_back(out);
        if (command == "overwrite-save") note_->WriteOver->trigger();
        if (command == "save as") note_->MemoClose->click();
        if (command == "search the last line") {
            note_->FindDialog1->FindText->setText(QStringLiteral("l6"));
            note_->FindDialog1->FindButton->click();
        }
        if (command == "close") note_->close();
        if (command == "typed key") QTest::keyClick(box, 'x');
        QString seen = box->toPlainText().left(box->textCursor().selectionEnd());
        if (out != file || command == "overwrite-save")
            seen = QString::fromLatin1(fileBytes(out)).replace(QStringLiteral("\r\n"), "\n");
        if (command == "close") seen = box->toPlainText();
        if (command == "typed key") seen = box->toPlainText().remove(0, 1);
        QCOMPARE(seen, whole);
        QVERIFY(!box->isReadOnly() && !note_->SoramiMemo->isLoading());
        QCOMPARE(note_->isModified(), command == "typed key");
        QCOMPARE(box->document()->isUndoAvailable(), command == "typed key");
    }

    // The session's end does not wait for the rest of a file being shown.
    void sessionEndWhileLoading() {
        openInSteps(QStringLiteral("l0\nl1\nl2\nl3\nl4"), 2);
        sorami::beginSessionEnd();
        note_->close();
        sorami::beginSessionEnd(false);
        QVERIFY(note_->isHidden());
        QCOMPARE(note_->SoramiMemo->document()->blockCount(), 2);
    }

    // Between two steps of showing a long file the event loop runs (the
    // window answers), with the normal cursor, the box read-only and the
    // notebook unmodified; a file of no more than a step shows at once.
    void loadingLetsEventLoopRun_data() {
        QTest::addColumn<int>("paragraphs");
        QTest::addColumn<int>("chunk");
        QTest::addColumn<QList<int>>("blocksAtSteps");
        QTest::newRow("ten in threes") << 10 << 3 << QList<int>{6, 9, 10};
        QTest::newRow("four one by one") << 4 << 1 << QList<int>{2, 3, 4};
        QTest::newRow("four in one step") << 4 << 4 << QList<int>{};
    }
    void loadingLetsEventLoopRun() {
        QFETCH(int, paragraphs);
        QFETCH(int, chunk);
        QFETCH(QList<int>, blocksAtSteps);
        MemoEdit* box = note_->SoramiMemo;
        int ticks = 0, wrongTicks = 0;
        QTimer ticker;
        connect(&ticker, &QTimer::timeout, this, [&] {
            ++ticks;
            if (QGuiApplication::overrideCursor() || !box->isReadOnly() ||
                !note_->panelText(2).isEmpty())
                ++wrongTicks;
        });
        QList<int> blocks, ticksAt;
        connect(box, &MemoEdit::chunkShown, this, [&] {
            blocks << box->document()->blockCount();
            ticksAt << ticks;
        });
        ticker.start(0);
        QStringList lines;
        for (int i = 0; i < paragraphs; ++i)
            lines << QString::number(i);
        openInSteps(lines.join(u'\n'), chunk);
        QCOMPARE(box->document()->blockCount(), std::min(chunk, paragraphs));
        for (int turns = 0; box->isLoading() && turns < 100; ++turns)
            QCoreApplication::processEvents();
        ticker.stop();
        QCOMPARE(blocks, blocksAtSteps);
        for (int i = 1; i < ticksAt.size(); ++i)
            QVERIFY2(ticksAt[i] > ticksAt[i - 1], "no event between two steps");
        QCOMPARE(wrongTicks, 0);
        QCOMPARE(box->toPlainText(), lines.join(u'\n'));
        QVERIFY(!box->isReadOnly() && !note_->isModified());
    }

    // A file cut at the memo's limit is never written back over itself,
    // whichever command would write it: its rest would be lost. Another
    // name takes the text.
    void cutFileKeepsItsRest_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<bool>("otherWritten");
        QTest::newRow("overwrite-save") << "overwrite" << false;
        QTest::newRow("save before opening") << "open" << false;
        QTest::newRow("save on closing") << "close" << false;
        QTest::newRow("save as another name") << "save as" << true;
    }
    void cutFileKeepsItsRest() {
        QFETCH(QString, command);
        QFETCH(bool, otherWritten);
        const QByteArray whole = QByteArray(1000000, 'a') + "\r\nthe rest\r\n";
        QFile f(path("long.txt"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(whole);
        f.close();
        platform_.fileAnswers.push_back(f.fileName());
        note_->MemoOpenClick();
        type("b");
        platform_.clearRecords();
        for (int i = 0; i < 3; ++i)
            platform_.messageAnswers.push_back(MsgResult::Yes);
        if (command == "overwrite") {
            note_->MemoOverWriteClick();
        } else if (command == "open") {
            platform_.fileAnswers.push_back(std::nullopt);
            guarded(platform_, note_.get(), [&] { note_->MemoOpenClick(); }); // as the menu runs it
        } else if (command == "close") {
            note_->QuitClick();
            QVERIFY(note_->isVisible()); // kept open: the text is not saved anywhere
        } else {
            platform_.fileAnswers.push_back(path("other.txt"));
            note_->WriteCloseClick();
        }
        QCOMPARE(fileBytes(f.fileName()), whole);
        QCOMPARE(QFile::exists(path("other.txt")), otherWritten);
        if (!otherWritten)
            QVERIFY(platform_.messageTexts().join(u'|').contains(
                QStringLiteral("「long.txt」は長すぎるため")));
    }

    // A plain save names what Shift-JIS cannot hold and may be cancelled;
    // text it can hold, and rich mode, save unasked.
    void plainSaveNamesLostCharacters_data() {
        QTest::addColumn<bool>("rich");
        QTest::addColumn<QString>("text");
        QTest::addColumn<MsgResult>("answer");
        QTest::addColumn<QString>("asked"); // part of the question; empty: none
        QTest::addColumn<QByteArray>("written");
        const QString mixed = QStringLiteral("café naïve ẞ ♥ 😀");
        QTest::newRow("cancelled")
            << false << mixed << MsgResult::Cancel << QStringLiteral("5文字あります（最初は「é」）")
            << QByteArray();
        QTest::newRow("accepted") << false << mixed << MsgResult::Ok
                                  << QStringLiteral("5文字あります（最初は「é」）")
                                  << QByteArray("caf? na?ve ? ? ?");
        QTest::newRow("emoji first")
            << false << QStringLiteral("😀x") << MsgResult::Cancel
            << QStringLiteral("1文字あります（最初は「😀」）") << QByteArray();
        QTest::newRow("all held") << false << QStringLiteral("日本 ok") << MsgResult::Cancel
                                  << QString() << QByteArray("\x93\xfa\x96\x7b ok");
        QTest::newRow("rich mode")
            << true << mixed << MsgResult::Cancel << QString() << QByteArray("{\\rtf1");
    }
    void plainSaveNamesLostCharacters() {
        QFETCH(bool, rich);
        QFETCH(QString, text);
        QFETCH(MsgResult, answer);
        QFETCH(QString, asked);
        QFETCH(QByteArray, written);
        QFile::remove(path("p.txt"));
        if (rich) note_->RichFIleClick();
        note_->SoramiMemo->insertPlainText(text);
        platform_.clearRecords();
        platform_.messageAnswers.push_back(answer);
        platform_.fileAnswers.push_back(path("p.txt"));
        note_->WriteCloseClick();
        const QStringList texts = platform_.messageTexts();
        QCOMPARE(texts.size(), asked.isEmpty() ? 0 : 1);
        if (!asked.isEmpty()) QVERIFY2(texts[0].contains(asked), qPrintable(texts[0]));
        QCOMPARE(QFile::exists(path("p.txt")), !written.isEmpty());
        QVERIFY(fileBytes(path("p.txt")).startsWith(written));
        // A cancelled save names no file.
        QCOMPARE(note_->MemoFileName->text().isEmpty(), written.isEmpty());
    }

    // Opening from the drill: the cue, the memo INI applied, modal, and the
    // help viewer told to quit afterwards; a settings file that cannot be
    // written is reported once and the notebook still closes.
    void openFromDrill() {
        MemoSettings rich;
        rich.plainText = false;
        writeMemoSettings(memoIniPath(), rich);
        QFile(memoIniPath()).setPermissions(QFileDevice::ReadOwner);
        MemoMode seen = MemoMode::Plain;
        QTimer::singleShot(0, [&] {
            auto* open = qobject_cast<TSrmMemNote*>(QApplication::activeModalWidget());
            QVERIFY(open);
            seen = open->fileMode();
            open->QuitClick();
        });
        openMemoNote(platform_, nullptr);
        QFile(memoIniPath()).setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        QCOMPARE(seen, MemoMode::Rich);
        QCOMPARE(platform_.sounds, (QList<FakePlatform::Sound>{{"up.wav", false}}));
        QCOMPARE(platform_.helpQuits, 1);
        QCOMPARE(platform_.errorTexts().size(), 1);
    }

    void openWithoutNameAnsweredNo() {
        type("text");
        platform_.messageAnswers.push_back(MsgResult::No);
        note_->MemoOpenClick();
        QVERIFY(platform_.fileDialogs.isEmpty());
        QVERIFY(!note_->isModified());
        QVERIFY(note_->panelText(2).isEmpty());
        QVERIFY(note_->MemoOverWrite->isEnabled());
    }

    void newCancelledKeepsTextButEmptiesName() {
        platform_.fileAnswers.push_back(path("k.mem"));
        type("keep");
        note_->WriteCloseClick();
        platform_.messageAnswers.push_back(MsgResult::Cancel);
        note_->MemoNewClick();
        QCOMPARE(note_->SoramiMemo->toPlainText(), QStringLiteral("keep"));
        QVERIFY(note_->MemoFileName->text().isEmpty());
        QVERIFY(!note_->isModified());
        QCOMPARE(memoModule().memoFilePath, path("k.mem"));
    }

    // The settings written on closing are those the next window opens with.
    void settingsCarryOver() {
        note_->RichFIleClick();
        note_->EditColor->setCurrentIndex(2);
        note_->EditColorChange();
        note_->QuitClick();
        newWindow();
        QCOMPARE(note_->fileMode(), MemoMode::Rich);
        QCOMPARE(note_->panelText(3), QStringLiteral("書式付きファイル形式（Rich形式）です"));
        QCOMPARE(note_->currentSettings().background, 0x008080);
        QCOMPARE(note_->panelText(1), QStringLiteral("挿入"));
    }

    void positionPanel_data() {
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("panel");
        QTest::newRow("0") << 0 << "0:  0 ";
        QTest::newRow("10") << 10 << "0: 10 ";
        QTest::newRow("100") << 100 << "0:100 ";
        QTest::newRow("1000 keeps the text") << 1000 << "0:100 ";
    }
    void positionPanel() {
        QFETCH(int, column);
        QFETCH(QString, panel);
        note_->SoramiMemo->setLineWrapMode(QTextEdit::NoWrap);
        note_->SoramiMemo->setPlainText(QString(1200, u'x'));
        for (int at : {100, column}) {
            QTextCursor c = note_->SoramiMemo->textCursor();
            c.setPosition(at);
            note_->SoramiMemo->setTextCursor(c);
            note_->SoramiMemoKeyDown();
        }
        QCOMPARE(note_->panelText(0), panel);
    }

    // Insert switches the box and its panel; the modified panel follows keys.
    void insertKey() {
        QTest::keyClick(note_->SoramiMemo, Qt::Key_Insert);
        QCOMPARE(note_->panelText(1), QStringLiteral("上書き"));
        QVERIFY(note_->SoramiMemo->overwriteMode());
        QTest::keyClick(note_->SoramiMemo, Qt::Key_Insert);
        QCOMPARE(note_->panelText(1), QStringLiteral("挿入"));
        QVERIFY(note_->panelText(2).isEmpty());
        type("x");
        QCOMPARE(note_->panelText(2), QStringLiteral("変更あり"));
    }

    // Every undo step goes back to a text that existed, one step per key.
    void undoStepsPerKey_data() {
        QTest::addColumn<bool>("overwrite");
        QTest::addColumn<QStringList>("afterEachUndo");
        QTest::newRow("overwrite")
            << true << QStringList{"X本語", "日本語", "日本語", "日本語", "日本語"};
        QTest::newRow("insert") << false
                                << QStringList{"X日本語", "日本語", "日本語", "日本語", "日本語"};
    }
    void undoStepsPerKey() {
        QFETCH(bool, overwrite);
        QFETCH(QStringList, afterEachUndo);
        note_->SoramiMemo->setPlainText(QStringLiteral("日本語"));
        note_->MoveCursorTopClick();
        if (overwrite) QTest::keyClick(note_->SoramiMemo, Qt::Key_Insert);
        QTest::keyClicks(note_->SoramiMemo, QStringLiteral("XY"));
        QCOMPARE(note_->SoramiMemo->toPlainText(),
                 overwrite ? QStringLiteral("XY語") : QStringLiteral("XY日本語"));
        QStringList seen;
        for (int i = 0; i < afterEachUndo.size(); ++i) {
            note_->UnDo();
            seen << note_->SoramiMemo->toPlainText();
        }
        QCOMPARE(seen, afterEachUndo);
    }

    // Text an input method commits, like any other change, brings both
    // panels up to date without a key or mouse event in the box.
    void panelsFollowInputMethod_data() {
        QTest::addColumn<QString>("commit");
        QTest::addColumn<QString>("position");
        QTest::newRow("Japanese") << QStringLiteral("日本語") << "0:  3 ";
        QTest::newRow("long commit") << QString(12, u'あ') << "0: 12 ";
    }
    void panelsFollowInputMethod() {
        QFETCH(QString, commit);
        QFETCH(QString, position);
        note_->SoramiMemo->setLineWrapMode(QTextEdit::NoWrap);
        note_->SoramiMemo->setFocus();
        QInputMethodEvent e;
        e.setCommitString(commit);
        QCoreApplication::sendEvent(note_->SoramiMemo, &e);
        QCOMPARE(note_->SoramiMemo->toPlainText(), commit);
        QCOMPARE(note_->panelText(0), position);
        QCOMPARE(note_->panelText(2), QStringLiteral("変更あり"));
    }

    // The busy cursor shows while a command works, never while the learner
    // chooses in one of its dialogs.
    void noBusyCursorOverDialogs_data() {
        QTest::addColumn<QString>("command");
        for (const char* c : {"open", "save as", "overwrite", "font", "print"})
            QTest::newRow(c) << QString::fromLatin1(c);
    }
    void noBusyCursorOverDialogs() {
        QFETCH(QString, command);
        CursorWatchingPlatform watching;
        TSrmMemNote note(watching);
        note.SoramiMemo->setPlainText(QStringLiteral("memo"));
        const QString file = path("w.mem");
        watching.fileAnswers.push_back(file);
        watching.fileAnswers.push_back(file);
        watching.messageAnswers.push_back(MsgResult::Yes);
        if (command == "open") {
            QFile f(file);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("text");
            f.close();
            watching.messageAnswers.front() = MsgResult::No;
            note.MemoOpenClick();
        } else if (command == "save as") {
            note.WriteCloseClick();
        } else if (command == "overwrite") {
            note.WriteCloseClick();
            note.MemoOverWriteClick();
        } else if (command == "font") {
            watching.fontAnswers.push_back(pixelFontSpec(face::Gothic, 20));
            note.FontChangeClick();
        } else {
            note.PrntClick();
        }
        QVERIFY(watching.dialogs > 0);
        QCOMPARE(watching.busyDialogs, 0);
        QVERIFY(!QGuiApplication::overrideCursor()); // and none left behind
    }

    // Of the pop-up menu's items only the last-used command shows a mark;
    // no other item shows a box, empty or not.
    void popupShowsOneMark_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("marked"); // empty: none
        QTest::newRow("none used") << ""
                                   << "";
        QTest::newRow("select all") << "selectAll"
                                    << "一括選択(&L)";
        QTest::newRow("copy then undo") << "undo"
                                        << "元に戻す(&U)";
        QTest::newRow("overwrite-save clears") << "overwrite"
                                               << "";
    }
    void popupShowsOneMark() {
        QFETCH(QString, command);
        QFETCH(QString, marked);
        if (command == "selectAll") note_->SelectAllClick();
        if (command == "undo") {
            note_->MemoCopyClick();
            note_->UnDo();
        }
        if (command == "overwrite") {
            note_->SelectAllClick();
            note_->MemoOverWriteClick();
        }
        QStringList boxes;
        for (const QAction* a : note_->PopupMenu1->actions())
            if (a->isCheckable()) boxes << a->text() + (a->isChecked() ? "+" : "-");
        QCOMPARE(boxes, marked.isEmpty() ? QStringList{} : QStringList{marked + "+"});
    }

    // A colour from the list paints the text area and nothing else: the
    // scroll bar keeps the desktop's colours. The colour is what the memo
    // INI keeps.
    void backgroundPaintsTextAreaOnly_data() {
        QTest::addColumn<int>("entry");
        QTest::newRow("黄色") << 10;
        QTest::newRow("赤色") << 8;
    }
    void backgroundPaintsTextAreaOnly() {
        QFETCH(int, entry);
        note_->EditColor->setCurrentIndex(entry);
        note_->EditColorChange();
        const QColor colour = toQColor(BackgroundColours[entry].value);
        auto share = [&](const QImage& img) {
            qsizetype same = 0;
            for (int y = 0; y < img.height(); ++y)
                for (int x = 0; x < img.width(); ++x)
                    same += QColor(img.pixel(x, y)) == colour;
            return double(same) / (img.width() * img.height());
        };
        QVERIFY(share(note_->SoramiMemo->viewport()->grab().toImage()) > 0.9);
        // How a style paints a scroll bar varies; which colours it is given
        // to paint with does not.
        const QPalette bar = note_->SoramiMemo->verticalScrollBar()->palette();
        for (const auto role : {QPalette::Window, QPalette::Button, QPalette::Base})
            QVERIFY(bar.color(role) != colour);
        QCOMPARE(note_->currentSettings().background, BackgroundColours[entry].value);
    }

    // Shift + left click deletes from the caret to the clicked point; a
    // plain click deletes nothing.
    void shiftClickDeletes_data() {
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::addColumn<QString>("left");
        QTest::newRow("shift") << Qt::KeyboardModifiers(Qt::ShiftModifier) << "fghij";
        QTest::newRow("plain") << Qt::KeyboardModifiers() << "abcdefghij";
        QTest::newRow("shift+ctrl")
            << Qt::KeyboardModifiers(Qt::ShiftModifier | Qt::ControlModifier) << "abcdefghij";
    }
    void shiftClickDeletes() {
        QFETCH(Qt::KeyboardModifiers, modifiers);
        QFETCH(QString, left);
        note_->SoramiMemo->setPlainText(QStringLiteral("abcdefghij"));
        QTextCursor c = note_->SoramiMemo->textCursor();
        c.setPosition(5);
        const QPoint at = note_->SoramiMemo->cursorRect(c).center();
        c.setPosition(0);
        note_->SoramiMemo->setTextCursor(c);
        QTest::mouseClick(note_->SoramiMemo->viewport(), Qt::LeftButton, modifiers, at);
        QCOMPARE(note_->SoramiMemo->toPlainText(), left);
    }

    // The bullet command alternates across windows of the same run.
    void bulletsAcrossWindows() {
        type("a");
        note_->BulletClick();
        QVERIFY(note_->SoramiMemo->document()->begin().textList());
        const auto doc = rich::fromTextDocument(*note_->SoramiMemo->document());
        QCOMPARE(doc.paragraphs[0].firstIndent, -200);
        newWindow();
        type("b");
        note_->BulletClick(); // off: the paragraph had none and keeps none
        QVERIFY(!note_->SoramiMemo->document()->begin().textList());
        QCOMPARE(memoModule().bulletToggle, 0);
    }

    // While the dialog has been opened once a search starts one past the
    // selection start, afterwards one past the end of the match.
    void findStart_data() {
        QTest::addColumn<int>("openings");
        QTest::addColumn<int>("found");
        QTest::newRow("first opening: the overlapping match") << 1 << 1;
        QTest::newRow("later openings: past the match") << 2 << 3;
    }
    void findStart() {
        QFETCH(int, openings);
        QFETCH(int, found);
        note_->SoramiMemo->setPlainText(QStringLiteral("aaaaa"));
        for (int i = 0; i < openings; ++i)
            note_->SearchKeyWordClick();
        note_->FindDialog1->FindText->setText(QStringLiteral("aa"));
        note_->FindDialog1Find();
        QCOMPARE(note_->SoramiMemo->textCursor().selectionStart(), found);
        QVERIFY(platform_.messageTexts().isEmpty());
        for (int i = 0; i < 4; ++i) // F2 repeats; past the last match it says so
            note_->FindDialog1Find();
        QCOMPARE(platform_.messageTexts().last(),
                 QStringLiteral("検索文字列 「aa」 は見つかりませんでした"));
    }

    // The four caret moves and line deletion on three paragraphs
    // "abc", "defg", "hi", or on one paragraph wrapped after W letters
    // (positions marked "wrapped" count from W). The selection start decides
    // the line; the moves bring the position panel up to date.
    void caretMovesAndLineDeletion_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<bool>("wrapped");
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("end");
        QTest::addColumn<int>("caret");
        QTest::addColumn<QString>("panel");
        QTest::addColumn<QString>("text");
        const QString lines = QStringLiteral("abc\ndefg\nhi");
        QTest::newRow("end") << "end" << false << 5 << 5 << 11 << "2:  2 " << lines;
        QTest::newRow("top, selection") << "top" << false << 5 << 7 << 0 << "0:  0 " << lines;
        QTest::newRow("line start") << "left" << false << 6 << 6 << 4 << "1:  0 " << lines;
        QTest::newRow("line start, selection into the next line")
            << "left" << false << 6 << 10 << 4 << "1:  0 " << lines;
        QTest::newRow("line end") << "right" << false << 5 << 5 << 8 << "1:  4 " << lines;
        QTest::newRow("first line end") << "right" << false << 0 << 0 << 3 << "0:  3 " << lines;
        QTest::newRow("last line end: end of text")
            << "right" << false << 9 << 9 << 11 << "2:  2 " << lines;
        QTest::newRow("wrapped line start") << "left" << true << 3 << 3 << 0 << ""
                                            << "";
        QTest::newRow("wrapped line end: two before the wrap")
            << "right" << true << -7 << -7 << -2 << ""
            << "";
        QTest::newRow("delete a middle line with its break")
            << "delete" << false << 5 << 5 << 4 << ""
            << "abc\nhi";
        QTest::newRow("delete the first line, selection") << "delete" << false << 1 << 6 << 0 << ""
                                                          << "defg\nhi";
        QTest::newRow("delete the last line up to its end")
            << "delete" << false << 10 << 10 << 9 << ""
            << "abc\ndefg\n";
    }
    void caretMovesAndLineDeletion() {
        QFETCH(QString, command);
        QFETCH(bool, wrapped);
        QFETCH(int, start);
        QFETCH(int, end);
        QFETCH(int, caret);
        QFETCH(QString, panel);
        QFETCH(QString, text);
        QTextEdit* box = note_->SoramiMemo;
        const QString letters = QStringLiteral("abcdefghijklmnopqrstuvwxyz");
        int w = 0;
        if (wrapped) {
            box->setLineWrapMode(QTextEdit::FixedColumnWidth);
            box->setLineWrapColumnOrWidth(10);
            box->setPlainText(letters);
            QCoreApplication::processEvents();
            const QTextLayout* layout = box->document()->begin().layout();
            QVERIFY(layout->lineCount() > 1);
            w = layout->lineAt(0).textLength();
            start += start < 0 ? w : 0;
            end += end < 0 ? w : 0;
            caret += caret < 0 ? w : 0;
        } else {
            box->setLineWrapMode(QTextEdit::NoWrap);
            box->setPlainText(QStringLiteral("abc\ndefg\nhi"));
        }
        QTextCursor c = box->textCursor();
        c.setPosition(start);
        c.setPosition(end, QTextCursor::KeepAnchor);
        box->setTextCursor(c);
        if (command == "end") note_->MoveCursorEndClick();
        if (command == "top") note_->MoveCursorTopClick();
        if (command == "left") note_->MoveCursorLeftClick();
        if (command == "right") note_->MoveCursorRightClick();
        if (command == "delete") note_->LineDeleteClick();
        QVERIFY(!box->textCursor().hasSelection());
        QCOMPARE(box->textCursor().position(), caret);
        if (!panel.isEmpty()) QCOMPARE(note_->panelText(0), panel);
        QCOMPARE(box->toPlainText(), text.isEmpty() ? letters : text);
    }

    // Printing sends every page of the formatted notebook, at the size it
    // has on the screen, as one job named after the memo file, whatever
    // range or selection the dialog offered. A file that cannot be made is
    // reported, not printed into silently.
    // The base font's colour goes into a rich file and onto paper with the
    // text that shows in it; a colour of the desktop's theme stays the
    // automatic one, and text of a colour of its own keeps it.
    void baseColourInFileAndPrint_data() {
        QTest::addColumn<ColourValue>("base");
        QTest::addColumn<bool>("emphasised");
        QTest::addColumn<int>("colour"); // -1: the automatic colour
        QTest::newRow("red") << ColourValue(Colours::Red) << false << 0x0000FF;
        QTest::newRow("the theme's text colour")
            << ColourValue(SysColour::WindowText) << false << -1;
        QTest::newRow("emphasised in blue on red") << ColourValue(Colours::Red) << true << 0xFF0000;
    }
    void baseColourInFileAndPrint() {
        QFETCH(ColourValue, base);
        QFETCH(bool, emphasised);
        QFETCH(int, colour);
        struct : FakePlatform {
            QList<QBrush> printed; // each fragment's colour
            bool printDocument(QWidget*, const QTextDocument& doc, bool,
                               const QTextDocument*) override {
                for (auto it = doc.begin().begin(); !it.atEnd(); ++it)
                    printed << it.fragment().charFormat().foreground();
                return true;
            }
        } platform;
        TSrmMemNote note(platform);
        MemoSettings settings;
        settings.fontColour = base;
        settings.plainText = false;
        note.applySettings(settings);
        note.show();
        if (emphasised) {
            platform.fontAnswers.push_back(
                FontSpec{.face = QStringLiteral("ＭＳ ゴシック"), .colour = Colours::Blue});
            note.CharaStrengClick();
        }
        note.SoramiMemo->insertPlainText(QStringLiteral("赤い note"));
        platform.fileAnswers.push_back(path("colour.mem"));
        note.WriteCloseClick();
        const QByteArray bytes = fileBytes(path("colour.mem"));
        const auto read = rich::readRtf(std::string_view(bytes.constData(), bytes.size()));
        QVERIFY(read);
        QCOMPARE(read->paragraphs.front().runs.size(), size_t(1));
        const auto stored = read->paragraphs.front().runs.front().format.colour;
        QCOMPARE(stored ? int(*stored) : -1, colour);
        note.PrntClick();
        QCOMPARE(platform.printed, QList<QBrush>{colour < 0 ? QBrush() : QBrush(toQColor(colour))});
    }

    // The notes fill the printable page, nothing added: a page's height of
    // lines prints on one page, a little more on two.
    void printsOverThePrintablePage_data() {
        QTest::addColumn<double>("pages"); // of lines
        QTest::addColumn<int>("printed");
        QTest::newRow("95 % of a page") << 0.95 << 1;
        QTest::newRow("105 % of a page") << 1.05 << 2;
    }
    void printsOverThePrintablePage() {
        QFETCH(double, pages);
        QFETCH(int, printed);
        PdfPlatform pdfPlatform;
        pdfPlatform.pdf = dir_.filePath("page.pdf");
        TSrmMemNote note(pdfPlatform);
        note.show();
        // Lines of a fixed height, in the box's pixels.
        constexpr double lineHeight = 24;
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        const double page = printer.pageRect(QPrinter::Inch).height() *
                            qRound(QGuiApplication::primaryScreen()->logicalDotsPerInchY());
        const int lines = static_cast<int>(pages * page / lineHeight);
        note.SoramiMemo->setPlainText(QString(lines - 1, u'\n'));
        QTextCursor c(note.SoramiMemo->document());
        c.select(QTextCursor::Document);
        QTextBlockFormat fixed;
        fixed.setLineHeight(lineHeight, QTextBlockFormat::FixedHeight);
        c.mergeBlockFormat(fixed);
        guarded(pdfPlatform, &note, [&note] { note.PrntClick(); });
        QVERIFY(pdfPlatform.errorTexts().isEmpty());
        QCOMPARE(int(pdfPages(fileBytes(pdfPlatform.pdf))), printed);
    }

    void printsWholeNotebookToPdf_data() {
        QTest::addColumn<QPrinter::PrintRange>("range");
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::addColumn<QString>("pdfName");
        QTest::addColumn<bool>("printed");
        QTest::newRow("all pages") << QPrinter::AllPages << 0 << 0 << "memo.pdf" << true;
        QTest::newRow("page 2 only offered") << QPrinter::PageRange << 2 << 2 << "memo.pdf" << true;
        QTest::newRow("selection offered") << QPrinter::Selection << 0 << 0 << "memo.pdf" << true;
        QTest::newRow("no such folder") << QPrinter::AllPages << 0 << 0 << "none/memo.pdf" << false;
    }
    void printsWholeNotebookToPdf() {
        QFETCH(QPrinter::PrintRange, range);
        QFETCH(int, from);
        QFETCH(int, to);
        QFETCH(QString, pdfName);
        QFETCH(bool, printed);
        PdfPlatform pdfPlatform;
        pdfPlatform.pdf = dir_.filePath(pdfName);
        pdfPlatform.range = range;
        pdfPlatform.from = from;
        pdfPlatform.to = to;
        QFile::remove(pdfPlatform.pdf);
        TSrmMemNote note(pdfPlatform);
        note.show();
        note.RichFIleClick();
        for (int i = 0; i < 150; ++i)
            note.SoramiMemo->insertPlainText(QStringLiteral("第%1行 a line of notes\n").arg(i));
        QTextCursor c(note.SoramiMemo->document());
        c.movePosition(QTextCursor::NextBlock, QTextCursor::KeepAnchor, 3);
        QTextCharFormat bold;
        bold.setFontWeight(QFont::Bold);
        c.mergeCharFormat(bold);
        note.BulletClick();
        pdfPlatform.fileAnswers.push_back(path("印刷(メモ).mem"));
        note.WriteCloseClick();
        c.setPosition(0);
        c.setPosition(5, QTextCursor::KeepAnchor);
        note.SoramiMemo->setTextCursor(c); // a selection is there to offer

        guarded(pdfPlatform, &note, [&note] { note.PrntClick(); });
        if (!printed) {
            QCOMPARE(pdfPlatform.errorTexts(),
                     QStringList{"ﾌｧｲﾙ " + pdfPlatform.pdf + " を作成できません"});
            QVERIFY(!QFile::exists(pdfPlatform.pdf));
            return;
        }
        QVERIFY(pdfPlatform.errorTexts().isEmpty());
        const QByteArray pdf = fileBytes(pdfPlatform.pdf);
        QVERIFY(pdf.startsWith("%PDF-"));
        QCOMPARE(pdfPlatform.jobName, memoModule().memoFilePath);
        QVERIFY(pdf.contains("/Title " + pdfTextString(memoModule().memoFilePath)));

        // 150 lines of the box's 15-pixel font (11 1/4 points) fill three
        // A4 pages inside the 2 cm margins, whatever the range offered.
        QVERIFY2(pdfPages(pdf) >= 3 && pdfPages(pdf) <= 4,
                 qPrintable(QString::number(pdfPages(pdf))));
    }
};

QTEST_MAIN(TestMemNote)
#include "test_memnote.moc"
