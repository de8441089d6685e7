#include "Results.h"
#include "fake_platform.h"
#include "file_size_limit.h"
#include "program_paths.h"
#include "score_commands.h"
#include "sjis_text.h"
#include "sorami_error.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <csignal>
#include <functional>
#include <memory>
#include <sys/resource.h>
#include <sys/stat.h>

using namespace sorami;

Q_DECLARE_METATYPE(sorami::MsgResult)

namespace {

QByteArray sj(const char* utf8) {
    return QByteArray::fromStdString(sjis(utf8));
}
QByteArray joined(const std::vector<std::string>& fields) {
    QByteArray out;
    for (const auto& f : fields)
        out += QByteArray::fromStdString(f);
    return out;
}
QByteArray fileBytes(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return "<missing>";
    return f.readAll();
}

const QDateTime Moment(QDate(2026, 4, 1), QTime(9, 30, 15));

} // namespace

class TestScoreFile : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> dir_;
    QString scorePath() const { return dir_->filePath(QStringLiteral("成績.dat")); }
    QByteArray headerBytes() const { return QByteArray::fromStdString(scoreHeader()); }

private slots:
    void init();
    void header();
    void dateTimeWhateverTheLocale_data();
    void dateTimeWhateverTheLocale();
    void reportByRating_data();
    void reportByRating();
    void ratingWordsAreShiftJisOfEightBytes();
    void reportNames_data();
    void reportNames();
    void blockGrade_data();
    void blockGrade();
    void blockRecordThroughTheDialog_data();
    void blockRecordThroughTheDialog();
    void reportSteps_data();
    void reportSteps();
    void erasing_data();
    void erasing();
    void missingScoreFile();
    void somethingInTheWay_data();
    void somethingInTheWay();
    void fullDiskIsReported();
    void appendsWholeOrNotAtAll_data();
    void appendsWholeOrNotAtAll();
    void erasingOnAFullDiskKeepsTheScores();
};

void TestScoreFile::init() {
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(dir_->isValid());
    setProgramDirForTesting(dir_->path());
}

void TestScoreFile::header() {
    ScoreFile().erase();
    const QByteArray bytes = fileBytes(scorePath());
    const QByteArray eq(71, '='), dash(71, '-');
    const QByteArray expected = eq + "\r\n" + sj("                   「ガンバレソラミ君」成績表") +
                                "\r\n" + eq + "\r\n\r\n" + dash + "\r\n" +
                                sj("出題ﾌｧｲﾙ名   | 日  付  | 時  刻 | 出題数 | 正解数 | 判  定  | "
                                   "名  前") +
                                "\r\n" + dash + "\r\n";
    QCOMPARE(bytes, expected);
    // The caption line: 68 bytes, its bars where the layout puts them.
    const QByteArray caption = bytes.split('\n').at(5).chopped(1);
    QCOMPARE(caption.size(), 68);
    QList<int> bars;
    for (int i = 0; i < caption.size(); ++i)
        if (caption[i] == '|') bars << i;
    QCOMPARE(bars, (QList<int>{13, 23, 32, 41, 50, 60}));
}

void TestScoreFile::dateTimeWhateverTheLocale_data() {
    QTest::addColumn<QDateTime>("moment");
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QByteArray>("text");
    const QDateTime may97(QDate(1997, 5, 12), QTime(14, 3, 9));
    QTest::newRow("C") << may97 << "C" << QByteArray("97/05/12 14:03:09");
    QTest::newRow("Japanese") << may97 << "ja_JP" << QByteArray("97/05/12 14:03:09");
    QTest::newRow("Arabic digits") << may97 << "ar_EG" << QByteArray("97/05/12 14:03:09");
    QTest::newRow("German") << may97 << "de_DE" << QByteArray("97/05/12 14:03:09");
    QTest::newRow("midnight, year 2000") << QDateTime(QDate(2000, 1, 1), QTime(0, 0, 0)) << "en_US"
                                         << QByteArray("00/01/01 00:00:00");
    QTest::newRow("last second of 2026") << QDateTime(QDate(2026, 12, 31), QTime(23, 59, 59)) << "C"
                                         << QByteArray("26/12/31 23:59:59");
}

void TestScoreFile::dateTimeWhateverTheLocale() {
    QFETCH(QDateTime, moment);
    QFETCH(QString, locale);
    QFETCH(QByteArray, text);
    const QLocale before;
    QLocale::setDefault(QLocale(locale));
    const std::string got = scoreDateTime(moment);
    const auto field = blockRecordDeclinedFields(moment).front();
    QLocale::setDefault(before);
    QCOMPARE(QByteArray::fromStdString(got), text);
    QCOMPARE(QByteArray::fromStdString(field), "   " + text);
}

void TestScoreFile::reportByRating_data() {
    QTest::addColumn<int>("answers");
    QTest::addColumn<int>("correct");
    QTest::addColumn<QByteArray>("line");
    // Counts right-aligned in 6 and 9, the word in 12, "Taro" in 8.
    const char* prefix = "  sample.lko   26/04/01 09:30:15";
    auto row = [&](const char* name, int answers, int correct, const char* rest) {
        QTest::newRow(name) << answers << correct << sj(prefix) + sj(rest);
    };
    row("R10 20/20", 20, 20, "    20       20    完璧!       Taro\r\n");
    row("R9 19/20", 20, 19, "    20       19    素晴ﾗｼｲ!    Taro\r\n");
    row("R8 16/20", 20, 16, "    20       16    素晴ﾗｼｲ!    Taro\r\n");
    row("R7 14/20", 20, 14, "    20       14    素敵        Taro\r\n");
    row("R6 2/3 truncates", 3, 2, "     3        2    合格ｽﾚｽﾚ    Taro\r\n");
    row("R5 5/10", 10, 5, "    10        5    奮起!       Taro\r\n");
    row("R4 4/10", 10, 4, "    10        4    頑張ﾛｳ!     Taro\r\n");
    row("R3 3/10", 10, 3, "    10        3    めげるな    Taro\r\n");
    row("R2 2/10", 10, 2, "    10        2    希望ｽﾃﾙﾅ    Taro\r\n");
    row("R1 19/100", 100, 19, "   100       19    ﾓｯﾄ光を!    Taro\r\n");
    row("R0 1/20", 20, 1, "    20        1    あせるな    Taro\r\n");
    row("R0 0/1", 1, 0, "     1        0    あせるな    Taro\r\n");
    row("counts wider than their fields", 1234567, 1234567,
        "1234567  1234567    完璧!       Taro\r\n");
}

void TestScoreFile::reportByRating() {
    QFETCH(int, answers);
    QFETCH(int, correct);
    QFETCH(QByteArray, line);
    ScoreFile().erase();
    ScoreFile().appendReport(QStringLiteral("/home/taro/drills/sample.lko"), Moment, answers,
                             correct, "Taro");
    QCOMPARE(fileBytes(scorePath()), headerBytes() + line);
}

void TestScoreFile::ratingWordsAreShiftJisOfEightBytes() {
    for (int r = 0; r <= 10; ++r)
        QCOMPARE(ratingWord(r).size(), size_t(8));
    // Bytes fixed independently of the converter: two kanji, "!", blanks;
    // half-width katakana are one byte each.
    QCOMPARE(QByteArray::fromStdString(ratingWord(10)), QByteArray("\x8a\xae\xe0\xf8!   "));
    QCOMPARE(QByteArray::fromStdString(ratingWord(9)), QByteArray("\x91\x66\x90\xb0\xd7\xbc\xb2!"));
    QCOMPARE(QByteArray::fromStdString(ratingWord(1)), QByteArray("\xd3\xaf\xc4\x8c\xf5\x82\xf0!"));
}

void TestScoreFile::reportNames_data() {
    QTest::addColumn<QString>("problemFile");
    QTest::addColumn<QByteArray>("learner");
    QTest::addColumn<QByteArray>("line");
    const QByteArray mid = sj("   26/04/01 09:30:15    20       19    素晴ﾗｼｲ!");
    QTest::newRow("no file, no name")
        << QString() << QByteArray() << QByteArray(12, ' ') + mid + QByteArray(8, ' ') + "\r\n";
    QTest::newRow("12 bytes fill the field")
        << "/tmp/x/abcdefgh.lko" << QByteArray("Taro") << "abcdefgh.lko" + mid + "    Taro\r\n";
    QTest::newRow("15 bytes push the line 3 to the right")
        << "/tmp/x/abcdefghijk.lko" << QByteArray("Taro")
        << "abcdefghijk.lko" + mid + "    Taro\r\n";
    QTest::newRow("double-byte name counts 2 a character")
        << QStringLiteral("/tmp/問題集.lko") << sj("花子")
        << "  " + sj("問題集.lko") + mid + "    " + sj("花子") + "\r\n";
    QTest::newRow("learner over 8 bytes written whole")
        << "/tmp/a.lko" << QByteArray("Hanako-san") << "       a.lko" + mid + "Hanako-san\r\n";
    QTest::newRow("directory with dots, name without extension")
        << "/tmp/v1.2/drill" << QByteArray("Taro") << "       drill" + mid + "    Taro\r\n";
}

void TestScoreFile::reportNames() {
    QFETCH(QString, problemFile);
    QFETCH(QByteArray, learner);
    QFETCH(QByteArray, line);
    const auto fields = reportRecordFields(
        problemFile, Moment, 20, 19, std::string_view(learner.constData(), size_t(learner.size())));
    QCOMPARE(joined(fields), line);
}

void TestScoreFile::blockGrade_data() {
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("correct");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("cue");
    QTest::addColumn<QByteArray>("savedLine");
    const QByteArray start = sj("  sample.lko   26/04/01 09:30:15");
    QTest::newRow("10/10") << 10 << 10 << 1 << "yatta.wav"
                           << start + sj("    10       10      優合格\r\n");
    QTest::newRow("9/10") << 10 << 9 << 2 << "sutekiyo.wav"
                          << start + sj("    10        9      良合格\r\n");
    QTest::newRow("8/10") << 10 << 8 << 2 << "sutekiyo.wav"
                          << start + sj("    10        8      良合格\r\n");
    QTest::newRow("7/10") << 10 << 7 << 3 << "goukaku.wav"
                          << start + sj("    10        7      可合格\r\n");
    QTest::newRow("6/10") << 10 << 6 << 3 << "goukaku.wav"
                          << start + sj("    10        6      可合格\r\n");
    QTest::newRow("5/10") << 10 << 5 << 4 << "fugoukak.wav"
                          << start + sj("    10        5      不合格\r\n");
    QTest::newRow("0/10") << 10 << 0 << 4 << "fugoukak.wav"
                          << start + sj("    10        0      不合格\r\n");
    QTest::newRow("14/15") << 15 << 14 << 2 << "sutekiyo.wav"
                           << start + sj("    15       14      良合格\r\n");
    QTest::newRow("13/15") << 15 << 13 << 2 << "sutekiyo.wav"
                           << start + sj("    15       13      良合格\r\n");
    QTest::newRow("99/100") << 100 << 99 << 2 << "sutekiyo.wav"
                            << start + sj("   100       99      良合格\r\n");
}

void TestScoreFile::blockGrade() {
    QFETCH(int, size);
    QFETCH(int, correct);
    QFETCH(int, code);
    QFETCH(QString, cue);
    QFETCH(QByteArray, savedLine);
    const BlockGrade g = sorami::blockGrade(correct, size);
    QCOMPARE(g.code, code);
    QCOMPARE(g.cue, cue);
    QCOMPARE(g.word, gradeWord(code));
    ScoreFile().erase();
    ScoreFile().beginBlockRecord(QStringLiteral("/d/sample.lko"));
    ScoreFile().saveBlockResult(Moment, std::to_string(size), std::to_string(correct), g.code);
    QCOMPARE(fileBytes(scorePath()), headerBytes() + savedLine);
}

void TestScoreFile::blockRecordThroughTheDialog_data() {
    QTest::addColumn<QStringList>("presses");
    QTest::addColumn<QByteArray>("record");
    const QByteArray start("  sample.lko");
    const QByteArray moment("   26/04/01 09:30:15");
    const QByteArray saved = moment + sj("    10        9      良合格\r\n");
    const QByteArray declined = moment + "  *** Cancel ***\r\n";
    const QByteArray stars = "   " + QByteArray(41, '*') + "\r\n";
    QTest::newRow("save, OK") << QStringList{"save", "ok"} << start + saved;
    QTest::newRow("decline, OK") << QStringList{"decline", "ok"} << start + declined;
    QTest::newRow("OK alone") << QStringList{"ok"} << start + stars;
    QTest::newRow("save twice, OK") << QStringList{"save", "save", "ok"} << start + saved + saved;
    QTest::newRow("save, decline, OK")
        << QStringList{"save", "decline", "ok"} << start + saved + declined;
    QTest::newRow("close box alone") << QStringList{"close"} << start + stars;
    QTest::newRow("save, close box") << QStringList{"save", "close"} << start + saved;
}

void TestScoreFile::blockRecordThroughTheDialog() {
    QFETCH(QStringList, presses);
    QFETCH(QByteArray, record);
    ScoreFile().erase();
    FakePlatform platform;
    platform.now = Moment;
    ScoreFile().beginBlockRecord(QStringLiteral("/home/taro/sample.lko"));
    TKekka dialog(platform);
    dialog.Rensyuu_Num->setText(QStringLiteral("10"));
    dialog.SeikaiNum->setText(QStringLiteral("9"));
    dialog.setGradeCode(2);
    dialog.show();
    for (const QString& press : presses) {
        if (press == QLatin1String("save") || press == QLatin1String("decline")) {
            platform.messageAnswers.push_back(press == QLatin1String("save") ? MsgResult::Ok
                                                                             : MsgResult::Cancel);
            dialog.SeisekiSave->click();
        } else if (press == QLatin1String("ok")) {
            dialog.BitBtn1->click();
        } else {
            dialog.close();
        }
    }
    QVERIFY(!dialog.isVisible());
    QCOMPARE(fileBytes(scorePath()), headerBytes() + record);
    QVERIFY(platform.errorTexts().isEmpty());
}

void TestScoreFile::reportSteps_data() {
    QTest::addColumn<int>("answers");
    QTest::addColumn<QList<MsgResult>>("answersToBoxes");
    QTest::addColumn<bool>("written");
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<QStringList>("sounds");
    const QString ask = QStringLiteral("ガンバレソラミ君の成績表です。\r\n見ますか？");
    QTest::newRow("before any answer")
        << 0 << QList<MsgResult>{} << false
        << QStringList{QStringLiteral("まだ一つも問題をやっていませんよ!")}
        << QStringList{"poki.wav"};
    QTest::newRow("declined") << 5 << QList<MsgResult>{MsgResult::Cancel} << false
                              << QStringList{ask} << QStringList{};
    QTest::newRow("accepted") << 5 << QList<MsgResult>{MsgResult::Ok} << true << QStringList{ask}
                              << QStringList{};
}

void TestScoreFile::reportSteps() {
    QFETCH(int, answers);
    QFETCH(QList<MsgResult>, answersToBoxes);
    QFETCH(bool, written);
    QFETCH(QStringList, texts);
    QFETCH(QStringList, sounds);
    ScoreFile().erase();
    FakePlatform platform;
    platform.now = QDateTime(QDate(1999, 12, 31), QTime(23, 59, 58));
    for (auto a : answersToBoxes)
        platform.messageAnswers.push_back(a);
    QCOMPARE(writeScoreReport(platform, nullptr, QStringLiteral("/q/sample.lko"), answers, 4,
                              sjis("花子")),
             written);
    QCOMPARE(platform.messageTexts(), texts);
    QCOMPARE(platform.soundNames(), sounds);
    if (!texts.isEmpty() && answers > 0)
        QCOMPARE(platform.messages.front().buttons, MsgButtons::OkCancel);
    const QByteArray line =
        sj("  sample.lko   99/12/31 23:59:58     5        4    素晴ﾗｼｲ!    花子\r\n");
    QCOMPARE(fileBytes(scorePath()), written ? headerBytes() + line : headerBytes());
}

void TestScoreFile::erasing_data() {
    QTest::addColumn<MsgResult>("answer");
    QTest::addColumn<bool>("erased");
    QTest::newRow("OK") << MsgResult::Ok << true;
    QTest::newRow("Cancel") << MsgResult::Cancel << false;
}

void TestScoreFile::erasing() {
    QFETCH(MsgResult, answer);
    QFETCH(bool, erased);
    const QByteArray old = "old scores\r\nmore of them, longer than the header would be? no.\r\n";
    {
        QFile f(scorePath());
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(old);
    }
    FakePlatform platform;
    platform.messageAnswers.push_back(answer);
    QCOMPARE(eraseScores(platform, nullptr), erased);
    QCOMPARE(platform.messageTexts(),
             QStringList{QStringLiteral("ソラミ君の成績データを消去します\r\nいいですか？")});
    QCOMPARE(fileBytes(scorePath()), erased ? headerBytes() : old);
    QVERIFY(platform.sounds.isEmpty());
}

void TestScoreFile::missingScoreFile() {
    const ScoreFile file;
    QCOMPARE(file.path(), scorePath());
    const std::vector<std::function<void()>> writers = {
        [&] { file.appendReport(QStringLiteral("a.lko"), Moment, 1, 1, "x"); },
        [&] { file.beginBlockRecord(QStringLiteral("a.lko")); },
        [&] { file.saveBlockResult(Moment, "10", "9", 2); },
        [&] { file.declineBlockResult(Moment); },
        [&] { file.leaveBlockResult(); },
        [&] { (void)file.readLines(); },
    };
    for (const auto& write : writers) {
        try {
            write();
            QFAIL("a missing score file was not reported");
        } catch (const SoramiError& e) {
            QVERIFY2(e.text().contains(scorePath()), qPrintable(e.text()));
            QVERIFY2(e.text().contains(QStringLiteral("「成績の結果を消去する」")),
                     qPrintable(e.text()));
        }
        QVERIFY(!QFile::exists(scorePath()));
    }
    // A report accepted with no file writes nothing and creates nothing.
    FakePlatform platform;
    platform.messageAnswers.push_back(MsgResult::Ok);
    QVERIFY_THROWS_EXCEPTION(SoramiError, writeScoreReport(platform, nullptr, "a.lko", 3, 1, ""));
    QVERIFY(!QFile::exists(scorePath()));
}

void TestScoreFile::somethingInTheWay_data() {
    QTest::addColumn<bool>("pipe");
    QTest::newRow("directory") << false;
    QTest::newRow("named pipe, which would block the drill") << true;
}

void TestScoreFile::somethingInTheWay() {
    QFETCH(bool, pipe);
    if (pipe)
        QCOMPARE(mkfifo(QFile::encodeName(scorePath()).constData(), 0600), 0);
    else
        QVERIFY(QDir(dir_->path()).mkdir(QStringLiteral("成績.dat")));
    const ScoreFile file;
    const auto expectError = [&](const std::function<void()>& f, const QString& text) {
        try {
            f();
            QFAIL("no error");
        } catch (const SoramiError& e) {
            QCOMPARE(e.text(), fillTemplate(text, scorePath()));
        }
    };
    expectError([&] { file.leaveBlockResult(); }, QStringLiteral("ﾌｧｲﾙ %s は開けません"));
    expectError([&] { (void)file.readLines(); }, QStringLiteral("ﾌｧｲﾙ %s は開けません"));
    expectError([&] { file.erase(); }, QStringLiteral("ﾌｧｲﾙ %s を作成できません"));
    QVERIFY(QFileInfo(scorePath()).exists() && !QFileInfo(scorePath()).isFile());
}

void TestScoreFile::fullDiskIsReported() {
    ScoreFile().erase();
    const qint64 size = QFileInfo(scorePath()).size();
    {
        // Room for the first field only: the failure of the next must surface.
        FileSizeLimit limit(static_cast<rlim_t>(size + 12));
        ScoreFile().beginBlockRecord(QStringLiteral("sample.lko"));
        QVERIFY_THROWS_EXCEPTION(SoramiError, ScoreFile().declineBlockResult(Moment));
    }
    QCOMPARE(fileBytes(scorePath()).mid(size, 12), QByteArray("  sample.lko"));
}

void TestScoreFile::appendsWholeOrNotAtAll_data() {
    QTest::addColumn<QByteArray>("before"); // after the header
    QTest::addColumn<QString>("step");
    QTest::addColumn<int>("room"); // bytes the disk takes; -1 for no limit
    QTest::addColumn<QByteArray>("after");
    const QByteArray open("  sample.lko");
    const QByteArray report =
        "  second.lko   26/04/01 09:30:15    10        7    " + sj("素敵    ") + " learner\r\n";
    const QByteArray start("   other.lko");
    // A full disk: the file keeps its length, whatever the step got out.
    QTest::newRow("report, no room at all") << QByteArray() << "report" << 0 << QByteArray();
    QTest::newRow("report cut in its counts") << QByteArray() << "report" << 36 << QByteArray();
    QTest::newRow("report without its line end") << QByteArray() << "report" << 67 << QByteArray();
    QTest::newRow("block start cut") << QByteArray() << "start" << 5 << QByteArray();
    QTest::newRow("saved result cut in its grade") << open << "save" << 45 << open;
    QTest::newRow("declined result cut") << open << "decline" << 25 << open;
    QTest::newRow("asterisks cut") << open << "leave" << 10 << open;
    // A record never continues a line left open, and the line end that
    // closes it is taken back with the record when the disk is full.
    QTest::newRow("report after an open line") << open << "report" << -1 << open + "\r\n" + report;
    QTest::newRow("block start after an open line")
        << open << "start" << -1 << open + "\r\n" + start;
    QTest::newRow("report after an open line, room for the line end only")
        << open << "report" << 2 << open;
    QTest::newRow("the end of a block record continues its line")
        << open << "leave" << -1 << open + "   " + QByteArray(41, '*') + "\r\n";
}

void TestScoreFile::appendsWholeOrNotAtAll() {
    QFETCH(QByteArray, before);
    QFETCH(QString, step);
    QFETCH(int, room);
    QFETCH(QByteArray, after);
    ScoreFile().erase();
    {
        QFile f(scorePath());
        QVERIFY(f.open(QIODevice::Append));
        f.write(before);
    }
    const qint64 size = QFileInfo(scorePath()).size();
    const ScoreFile file;
    QString error;
    try {
        std::unique_ptr<FileSizeLimit> limit;
        if (room >= 0) limit = std::make_unique<FileSizeLimit>(static_cast<rlim_t>(size + room));
        if (step == QLatin1String("report"))
            file.appendReport(QStringLiteral("/data/second.lko"), Moment, 10, 7, "learner");
        else if (step == QLatin1String("start"))
            file.beginBlockRecord(QStringLiteral("other.lko"));
        else if (step == QLatin1String("save"))
            file.saveBlockResult(Moment, "10", "9", 2);
        else if (step == QLatin1String("decline"))
            file.declineBlockResult(Moment);
        else
            file.leaveBlockResult();
    } catch (const SoramiError& e) {
        error = e.text();
    }
    QCOMPARE(fileBytes(scorePath()), headerBytes() + after);
    // The message names the file and the cause, never an unknown error.
    QCOMPARE(error, room < 0 ? QString()
                             : fillTemplate(QStringLiteral("ﾌｧｲﾙ %s に書き込めません\r\n"
                                                           "ディスクがいっぱいです。\r\n"
                                                           "この成績は記録されていません。"),
                                            scorePath()));
}

void TestScoreFile::erasingOnAFullDiskKeepsTheScores() {
    ScoreFile().erase();
    for (int i = 0; i < 40; ++i)
        ScoreFile().appendReport(QStringLiteral("sample.lko"), Moment, 10, 7, "learner");
    const QByteArray before = fileBytes(scorePath());
    QVERIFY(before.size() > 3000);
    {
        // Room for less than the header: the erase must fail as a whole.
        FileSizeLimit limit(100);
        QVERIFY_THROWS_EXCEPTION(SoramiError, ScoreFile().erase());
    }
    QCOMPARE(fileBytes(scorePath()), before);
}

QTEST_MAIN(TestScoreFile)
#include "test_score_file.moc"
