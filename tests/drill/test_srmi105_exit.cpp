// Leaving the drill when its exit save fails, and question files with a NUL
// byte: what reaches the disk and what the learner is asked.
#include "drill_fixture.h"

#include <QDir>

using namespace drilltest;
using sorami::MsgButtons;
using sorami::MsgIcon;
using sorami::MsgResult;

namespace {

const QString FileNotSaved = QStringLiteral("問題ファイルを保存できませんでした。\r\n"
                                            "保存せずに終了しますか？");
const QString RecordNotSaved = QStringLiteral("前回終了問題を記録できませんでした。\r\n"
                                              "記録せずに終了しますか？");

QString nulWarning(const QString& path, long long position) {
    return QStringLiteral("ファイル %1 の %2 バイト目に NUL 文字があります。\r\n"
                          "それ以降は読み込んでいません。")
        .arg(path)
        .arg(position);
}

QString replaceQuestion(const QString& path, long long position) {
    return QStringLiteral("ファイル %1 の %2 バイト目以降は読み込んでいません。\r\n"
                          "上書きすると、その部分は失われます。\r\n上書きしますか？")
        .arg(path)
        .arg(position);
}

// A path where nothing can be written, whoever runs the test: a folder
// stands where the file should be.
void blockWrites(const QString& path) {
    QFile::remove(path);
    QVERIFY(QDir().mkpath(path));
}

// Closes the window the way `way` names; the end button and the two menu
// items confirm first.
void closeBy(Drill& d, const QString& way) {
    if (way == "close box") {
        d.w->close();
        return;
    }
    d.fake.messageAnswers.push_front(MsgResult::Ok);
    if (way == "end button")
        d.w->Owari->click();
    else if (way == "menu")
        d.w->Closed->trigger();
    else
        d.w->X1->trigger();
}

} // namespace

class TestExit : public QObject {
    Q_OBJECT
private slots:
    void failedExitSaveAsks_data();
    void failedExitSaveAsks();
    void noKeepsWindowForSaveUnderAnotherName();
    void untouchedFileKeepsEveryByte_data();
    void untouchedFileKeepsEveryByte();
    void savedFileIsNotWrittenAgainAtExit();
    void nulIsReportedAtLoad_data();
    void nulIsReportedAtLoad();
    void savingOverTruncatedFileAsks_data();
    void savingOverTruncatedFileAsks();
};

void TestExit::failedExitSaveAsks_data() {
    QTest::addColumn<QString>("way");
    QTest::addColumn<QString>("failing"); // "file", "ini" or "both"
    QTest::addColumn<bool>("yes");
    for (const char* way : {"close box", "end button", "menu", "pop-up"})
        for (const char* failing : {"file", "ini", "both"})
            for (bool yes : {true, false})
                QTest::addRow("%s, %s, %s", way, failing, yes ? "yes" : "no")
                    << way << failing << yes;
}

void TestExit::failedExitSaveAsks() {
    QFETCH(QString, way);
    QFETCH(QString, failing);
    QFETCH(bool, yes);
    Drill d;
    const QString file = d.openQuestions(3);
    d.w->SusumeruClick();
    d.answer(QStringLiteral("wrong")); // question 2 marked in memory only
    if (failing != "ini") blockWrites(file);
    if (failing != "file") blockWrites(d.iniPath());
    d.w->show();
    d.w->EMemNote->trigger(); // a help page open
    d.fake.clearRecords();
    d.fake.messageAnswers.push_back(yes ? MsgResult::Yes : MsgResult::No);

    closeBy(d, way);

    QCOMPARE(d.w->isVisible(), !yes);
    // The help window goes with the drill window, and only with it: left
    // open, it would keep the program running without a drill.
    QCOMPARE(d.fake.helpQuits, yes ? 1 : 0);
    const QString fileError = QStringLiteral("ﾌｧｲﾙ %1 を作成できません").arg(file);
    const QString iniError = d.iniPath() + QStringLiteral(" に書き込めません");
    QStringList errors;
    if (failing != "ini") errors << fileError;
    if (failing != "file") errors << iniError;
    QCOMPARE(d.fake.errorTexts(), errors);
    // The errors first, then one question; nothing after it.
    const auto& last = d.fake.messages.back();
    QCOMPARE(last.text, failing == "ini" ? RecordNotSaved : FileNotSaved);
    QCOMPARE(last.icon, MsgIcon::Question);
    QCOMPARE(last.buttons, MsgButtons::YesNo);
    QCOMPARE(d.fake.messages.size(), errors.size() + 1 + (way == "close box" ? 0 : 1));
    QCOMPARE(d.fake.unscripted, 0);
    // What could be written was written, whichever write failed.
    if (failing == "ini") QCOMPARE(readBytes(file), questionFile(3, {2}));
    if (failing == "file") {
        QCOMPARE(d.iniInteger(QStringLiteral("問題番号"), QStringLiteral("PProblemNum")), 2);
        QCOMPARE(u(d.iniString(QStringLiteral("問題ファイル名"), QStringLiteral("PFileName"))),
                 file);
    }
}

// After No the learner saves under another name and can leave.
void TestExit::noKeepsWindowForSaveUnderAnotherName() {
    Drill d;
    const QString file = d.openQuestions(3);
    d.answer(QStringLiteral("wrong"));
    blockWrites(file);
    d.w->show();
    d.fake.messageAnswers.push_back(MsgResult::No);
    QVERIFY(!d.w->close());
    QVERIFY(d.w->isVisible());

    const QString other = d.path(QStringLiteral("other.lko"));
    d.fake.fileAnswers.push_back(other);
    d.fake.fileAnswers.push_back(other);
    d.w->SaveAs1->trigger();
    QCOMPARE(readBytes(other), questionFile(3, {1}));
    d.fake.clearRecords();
    QVERIFY(d.w->close());
    QVERIFY(d.fake.messages.isEmpty());
    QCOMPARE(u(d.iniString(QStringLiteral("問題ファイル名"), QStringLiteral("PFileName"))), other);
}

// A file opened and closed without a change is never rewritten, whatever
// its bytes; the NUL warning at load is answered with OK.
void TestExit::untouchedFileKeepsEveryByte_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("way");
    const std::string q2 = questionFile(2);
    QTest::newRow("stray NUL between questions")
        << QByteArray::fromStdString(q2 + std::string(1, '\0') + questionFile(5)) << "close box";
    QByteArray binary;
    quint32 x = 12345;
    for (int i = 0; i < 151 * 1024; ++i) {
        x = x * 1103515245u + 12345u;
        binary.append(char(x >> 24));
    }
    binary[9] = '\0';
    QTest::newRow("binary file") << binary << "end button";
    QTest::newRow("LF line ends") << QByteArray("a\nb\nc\nd\ne\nf\n") << "menu";
    QTest::newRow("no final line break")
        << QByteArray::fromStdString(q2.substr(0, q2.size() - 2)) << "close box";
    QTest::newRow("NUL as the last byte") << QByteArray::fromStdString(q2 + '\0') << "pop-up";
}

void TestExit::untouchedFileKeepsEveryByte() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, way);
    Drill d;
    const std::string original = bytes.toStdString();
    const QString file = d.file(QStringLiteral("kept.lko"), original);
    d.open(file);
    d.w->SusumeruClick();
    d.w->ModosuClick(); // moves change no line
    d.w->show();
    closeBy(d, way);
    QVERIFY(!d.w->isVisible());
    QCOMPARE(readBytes(file), original);
    QCOMPARE(u(d.iniString(QStringLiteral("問題ファイル名"), QStringLiteral("PFileName"))), file);
}

// A save clears the change: the exit does not write the same lines again
// over whatever is on disk now.
void TestExit::savedFileIsNotWrittenAgainAtExit() {
    Drill d;
    const QString file = d.openQuestions(3);
    d.answer(QStringLiteral("wrong"));
    d.fake.fileAnswers.push_back(file);
    d.w->Save1->trigger();
    QCOMPARE(readBytes(file), questionFile(3, {1}));
    writeBytes(file, questionFile(4)); // changed by another program
    d.w->show();
    QVERIFY(d.w->close());
    QCOMPARE(readBytes(file), questionFile(4));
}

void TestExit::nulIsReportedAtLoad_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<long long>("position"); // the NUL's byte, counted from 1; 0: none
    QTest::addColumn<int>("questions");
    const std::string q1 = questionFile(1);
    QTest::newRow("no NUL") << QByteArray::fromStdString(questionFile(2)) << 0LL << 2;
    QTest::newRow("NUL first") << QByteArray::fromStdString(std::string(1, '\0') + q1) << 1LL << 0;
    QTest::newRow("after question 1")
        << QByteArray::fromStdString(q1 + std::string(1, '\0') + questionFile(3))
        << static_cast<long long>(q1.size() + 1) << 1;
    QTest::newRow("inside a line")
        << QByteArray::fromStdString(q1 + "abc" + std::string(1, '\0') + "def\r\n")
        << static_cast<long long>(q1.size() + 4) << 1;
    QTest::newRow("last byte") << QByteArray::fromStdString(q1 + '\0')
                               << static_cast<long long>(q1.size() + 1) << 1;
}

void TestExit::nulIsReportedAtLoad() {
    QFETCH(QByteArray, bytes);
    QFETCH(long long, position);
    QFETCH(int, questions);
    Drill d;
    const QString file = d.file(QStringLiteral("nul.lko"), bytes.toStdString());
    d.fake.clearRecords();
    d.open(file);
    QCOMPARE(d.w->SouMondaiSuu->toPlainText(), QStringLiteral("総問題数:%1").arg(questions));
    if (position == 0) {
        QVERIFY(d.fake.messages.isEmpty());
        return;
    }
    QCOMPARE(d.fake.messageTexts(), QStringList{nulWarning(file, position)});
    QCOMPARE(d.fake.messages[0].icon, MsgIcon::Warning);
    QCOMPARE(d.fake.messages[0].buttons, MsgButtons::Ok);
    QVERIFY(!d.fake.messages[0].isError);
    QVERIFY(d.w->Susumeru->isEnabled()); // the file is loaded all the same
    QCOMPARE(d.w->problemFileName(), file);
}

// With a change made, every save over the file that was read only up to a
// NUL asks first; No keeps the file on disk as it is, and at exit still
// lets the program end.
void TestExit::savingOverTruncatedFileAsks_data() {
    QTest::addColumn<QString>("how"); // "exit", "save", "save as other"
    QTest::addColumn<bool>("yes");
    QTest::addColumn<bool>("asked");
    QTest::newRow("exit, yes") << "exit" << true << true;
    QTest::newRow("exit, no") << "exit" << false << true;
    QTest::newRow("end button, no") << "end button" << false << true;
    QTest::newRow("save, yes") << "save" << true << true;
    QTest::newRow("save, no") << "save" << false << true;
    QTest::newRow("save as other") << "save as other" << true << false;
}

void TestExit::savingOverTruncatedFileAsks() {
    QFETCH(QString, how);
    QFETCH(bool, yes);
    QFETCH(bool, asked);
    Drill d;
    const std::string head = questionFile(2);
    const std::string original = head + std::string(1, '\0') + questionFile(6);
    const QString file = d.file(QStringLiteral("nul.lko"), original);
    d.open(file);
    d.answer(QStringLiteral("wrong")); // question 1 marked
    d.w->show();
    d.fake.clearRecords();
    const QString other = d.path(QStringLiteral("other.lko"));
    if (how == "exit" || how == "end button") {
        d.fake.messageAnswers.push_back(yes ? MsgResult::Yes : MsgResult::No);
        closeBy(d, how == "exit" ? QStringLiteral("close box") : how);
        QVERIFY(!d.w->isVisible());
        QCOMPARE(d.iniInteger(QStringLiteral("問題番号"), QStringLiteral("PProblemNum")), 1);
    } else {
        d.fake.fileAnswers.push_back(how == "save" ? file : other);
        if (asked) d.fake.messageAnswers.push_back(yes ? MsgResult::Yes : MsgResult::No);
        d.w->Save1->trigger();
        QVERIFY(d.w->isVisible());
    }
    if (asked) {
        QCOMPARE(d.fake.messageTexts().filter(QStringLiteral("上書きしますか")),
                 QStringList{replaceQuestion(file, static_cast<long long>(head.size() + 1))});
    } else {
        QVERIFY(d.fake.messages.isEmpty());
    }
    QCOMPARE(d.fake.errorTexts(), QStringList());
    QCOMPARE(d.fake.unscripted, 0);
    const std::string marked = questionFile(2, {1});
    if (how == "save as other") {
        QCOMPARE(readBytes(other), marked);
        QCOMPARE(readBytes(file), original);
    } else {
        QCOMPARE(readBytes(file), yes ? marked : original);
    }
}

QTEST_MAIN(TestExit)
#include "test_srmi105_exit.moc"
