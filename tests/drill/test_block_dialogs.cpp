#include "Blockpr1.h"
#include "Results.h"
#include "Seiseki1.h"
#include "Settime1.h"
#include "fake_platform.h"
#include "program_paths.h"
#include "score_file.h"
#include "sjis_text.h"
#include "sorami_error.h"
#include "srmi105_widgets.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <functional>
#include <memory>

using namespace sorami;

Q_DECLARE_METATYPE(sorami::MsgResult)

namespace {

QByteArray sj(const char* utf8) {
    return QByteArray::fromStdString(sjis(utf8));
}
QByteArray fileBytes(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return "<missing>";
    return f.readAll();
}
QByteArray header() {
    return QByteArray::fromStdString(scoreHeader());
}
const QByteArray Stars = "   " + QByteArray(41, '*') + "\r\n";

// Runs `act` on the modal dialog as soon as the event loop of exec() runs.
// A dialog that `act` failed to close is closed after it, so a fault fails
// the test instead of hanging it.
void whenModal(std::function<void(QWidget*)> act) {
    QTimer::singleShot(0, qApp, [act] {
        const QPointer<QWidget> w = QApplication::activeModalWidget();
        act(w);
        if (w && w->isVisible()) w->close();
    });
}

} // namespace

class TestBlockDialogs : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> dir_;
    QString scorePath() const { return dir_->filePath(QStringLiteral("成績.dat")); }

private slots:
    void init();
    void spinnerLimits_data();
    void spinnerLimits();
    void numberBoxIsReadOnly();
    void blockSizeOutcomes_data();
    void blockSizeOutcomes();
    void returnPressesTheFocusedButton_data();
    void returnPressesTheFocusedButton();
    void saveButton_data();
    void saveButton();
    void okAfterSaveWritesNothingMore();
    void escLeavesResultOpen();
    void failingScoreFileNeverTrapsTheLearner();
    void judgement_data();
    void judgement();
    void scoreTable();
    void scoreTableOfMissingFileShowsNothing();
    void scoreTableCopiesWholeLines_data();
    void scoreTableCopiesWholeLines();
    void scoreTableDecodesOnlyRowsOnScreen_data();
    void scoreTableDecodesOnlyRowsOnScreen();
};

void TestBlockDialogs::init() {
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(dir_->isValid());
    setProgramDirForTesting(dir_->path());
    BlockCountEntered = 0;
    BlockCancelled = 0;
}

void TestBlockDialogs::spinnerLimits_data() {
    QTest::addColumn<QList<int>>("steps");
    QTest::addColumn<int>("keyUps");
    QTest::addColumn<QString>("shown");
    QTest::newRow("starts at 10") << QList<int>{} << 0 << "10";
    QTest::newRow("one up") << QList<int>{1} << 0 << "11";
    QTest::newRow("stops at 100") << QList<int>{200} << 0 << "100";
    QTest::newRow("no wrap past 100") << QList<int>{90, 1} << 0 << "100";
    QTest::newRow("never under 10") << QList<int>{-5} << 0 << "10";
    QTest::newRow("down after up") << QList<int>{30, -25} << 0 << "15";
    QTest::newRow("arrow keys") << QList<int>{} << 3 << "13";
}

void TestBlockDialogs::spinnerLimits() {
    QFETCH(QList<int>, steps);
    QFETCH(int, keyUps);
    QFETCH(QString, shown);
    FakePlatform platform;
    TBlockProblem dialog(platform);
    dialog.show();
    QCOMPARE(dialog.windowTitle(), QStringLiteral("ブロック問題出題数"));
    QCOMPARE(dialog.size(), QSize(371, 230));
    for (int s : steps)
        dialog.UpDown1->stepBy(s);
    for (int i = 0; i < keyUps; ++i)
        QTest::keyClick(dialog.UpDown1, Qt::Key_Up);
    QCOMPARE(dialog.BlockNum->text(), shown);
    QCOMPARE(dialog.UpDown1->value(), shown.toInt());
}

void TestBlockDialogs::numberBoxIsReadOnly() {
    FakePlatform platform;
    TBlockProblem dialog(platform);
    dialog.show();
    dialog.BlockNum->setFocus();
    QTest::keyClicks(dialog.BlockNum, QStringLiteral("55"));
    QTest::keyClick(dialog.BlockNum, Qt::Key_Backspace);
    QCOMPARE(dialog.BlockNum->text(), QStringLiteral("10"));
    QVERIFY(!dialog.BlockNum->testAttribute(Qt::WA_InputMethodEnabled));
}

void TestBlockDialogs::blockSizeOutcomes_data() {
    QTest::addColumn<QString>("action");
    QTest::addColumn<int>("enteredBefore");
    QTest::addColumn<int>("size"); // -1: no run
    QTest::addColumn<int>("enteredAfter");
    QTest::addColumn<int>("cancelledWhenClosed");
    QTest::addColumn<QStringList>("messages");
    const QString warning = QStringLiteral(
        "数値が入力されなかったので\r\nデフォルトのブロック問題数\r\n１０を設定します。");
    QTest::newRow("OK with the first 10") << "ok" << 0 << 10 << 10 << 0 << QStringList{};
    QTest::newRow("three ups, OK") << "up3 ok" << 0 << 13 << 13 << 0 << QStringList{};
    QTest::newRow("Enter is OK") << "enter" << 0 << 10 << 10 << 0 << QStringList{};
    QTest::newRow("cancel button") << "cancel" << 12 << -1 << 12 << 1 << QStringList{};
    QTest::newRow("Esc") << "esc" << 12 << -1 << 12 << 1 << QStringList{};
    QTest::newRow("close box, no OK before") << "close" << 0 << 10 << 0 << 0 << QStringList{};
    QTest::newRow("close box keeps the last OK") << "close" << 25 << 25 << 25 << 0 << QStringList{};
    QTest::newRow("not a number keeps the last OK")
        << "text abc" << 30 << 30 << 30 << 0 << QStringList{warning};
    QTest::newRow("under 10 is raised") << "text 5" << 0 << 10 << 5 << 0 << QStringList{};
}

void TestBlockDialogs::blockSizeOutcomes() {
    QFETCH(QString, action);
    QFETCH(int, enteredBefore);
    QFETCH(int, size);
    QFETCH(int, enteredAfter);
    QFETCH(int, cancelledWhenClosed);
    QFETCH(QStringList, messages);
    BlockCountEntered = enteredBefore;
    FakePlatform platform;
    int cancelledSeen = -1;
    bool seen = false;
    whenModal([&](QWidget* w) {
        auto* d = qobject_cast<TBlockProblem*>(w);
        if (!d) return;
        seen = true;
        connect(d, &QDialog::finished, d, [&] { cancelledSeen = BlockCancelled; });
        if (action.startsWith(QLatin1String("up3"))) {
            for (int i = 0; i < 3; ++i)
                d->UpDown1->stepUp();
            d->BlockOk->click();
        } else if (action == QLatin1String("ok")) {
            d->BlockOk->click();
        } else if (action == QLatin1String("enter")) {
            QTest::keyClick(d->UpDown1, Qt::Key_Return);
        } else if (action == QLatin1String("cancel")) {
            d->BlockCancel->click();
        } else if (action == QLatin1String("esc")) {
            QTest::keyClick(d, Qt::Key_Escape);
        } else if (action == QLatin1String("close")) {
            d->close();
        } else {
            d->BlockNum->setText(action.mid(5));
            d->BlockOk->click();
        }
    });
    const std::optional<int> got = askBlockSize(platform, nullptr);
    QVERIFY(seen);
    QCOMPARE(got.value_or(-1), size);
    QCOMPARE(BlockCountEntered, enteredAfter);
    QCOMPARE(cancelledSeen, cancelledWhenClosed);
    QCOMPARE(BlockCancelled, 0);
    QCOMPARE(platform.messageTexts(), messages);
    if (!messages.isEmpty()) QCOMPARE(platform.messages.front().icon, MsgIcon::Warning);
    QVERIFY(platform.sounds.isEmpty());
}

void TestBlockDialogs::returnPressesTheFocusedButton_data() {
    QTest::addColumn<QString>("dialog");
    QTest::addColumn<QString>("focus");
    QTest::addColumn<QString>("outcome");
    for (const char* row : {"interval cancel cancelled", "interval ok accepted",
                            "interval spinner accepted", "block cancel cancelled",
                            "block spinner accepted", "result save asked", "result ok accepted"}) {
        const QStringList f = QString::fromLatin1(row).split(u' ');
        QTest::newRow(row) << f[0] << f[1] << f.mid(2).join(u' ');
    }
}

// Return presses the button that has the focus; the default button only
// when the focus is on something else.
void TestBlockDialogs::returnPressesTheFocusedButton() {
    QFETCH(QString, dialog);
    QFETCH(QString, focus);
    QFETCH(QString, outcome);
    FakePlatform platform;
    platform.messageAnswers.push_back(MsgResult::Cancel);
    QString got;
    const auto pressReturn = [&](QWidget* target) {
        target->setFocus();
        QTest::keyClick(target, Qt::Key_Return);
    };
    if (dialog == u"interval") {
        IntervalCancelled = 0;
        whenModal([&](QWidget* w) {
            auto* d = qobject_cast<TSetTimes*>(w);
            pressReturn(focus == u"cancel" ? static_cast<QWidget*>(d->BitBtn2)
                        : focus == u"ok"   ? static_cast<QWidget*>(d->BitBtn1)
                                           : static_cast<QWidget*>(d->UpDown1));
        });
        askInterval(platform, nullptr);
        got = IntervalCancelled == 1 ? "cancelled" : "accepted";
    } else if (dialog == u"block") {
        whenModal([&](QWidget* w) {
            auto* d = qobject_cast<TBlockProblem*>(w);
            pressReturn(focus == u"cancel" ? static_cast<QWidget*>(d->BlockCancel) : d->UpDown1);
        });
        got = askBlockSize(platform, nullptr) ? "accepted" : "cancelled";
    } else {
        TKekka d(platform);
        d.show();
        QVERIFY(QTest::qWaitForWindowExposed(&d));
        pressReturn(focus == u"save" ? d.SeisekiSave : d.BitBtn1);
        const bool saveAsked = platform.messageTexts().contains(
            QStringLiteral("成績をファイルにセーブします\r\nいいですか？"));
        got = saveAsked ? "asked" : d.isVisible() ? "nothing" : "accepted";
    }
    QCOMPARE(got, outcome);
}

void TestBlockDialogs::saveButton_data() {
    QTest::addColumn<MsgResult>("answer");
    QTest::addColumn<QString>("sound");
    QTest::addColumn<QByteArray>("written");
    QTest::newRow("OK saves") << MsgResult::Ok << "up.wav"
                              << sj("   26/04/01 09:30:15    10        8      良合格\r\n");
    QTest::newRow("Cancel declines") << MsgResult::Cancel << "poki.wav"
                                     << QByteArray("   26/04/01 09:30:15  *** Cancel ***\r\n");
}

void TestBlockDialogs::saveButton() {
    QFETCH(MsgResult, answer);
    QFETCH(QString, sound);
    QFETCH(QByteArray, written);
    ScoreFile().erase();
    FakePlatform platform;
    platform.now = QDateTime(QDate(2026, 4, 1), QTime(9, 30, 15));
    // The moment is the press, not the answer to the question.
    platform.onMessage = [&](const FakePlatform::Message&) {
        platform.now = platform.now.addSecs(40);
    };
    platform.messageAnswers.push_back(answer);
    TKekka dialog(platform);
    dialog.Rensyuu_Num->setText(QStringLiteral("10"));
    dialog.SeikaiNum->setText(QStringLiteral("8"));
    dialog.Keizi->setText(QStringLiteral("優合格")); // the word written follows the code
    dialog.setGradeCode(2);
    dialog.show();
    QCOMPARE(dialog.recordEnded(), 0);
    dialog.SeisekiSave->click();
    QCOMPARE(platform.messageTexts(),
             QStringList{QStringLiteral("成績をファイルにセーブします\r\nいいですか？")});
    QCOMPARE(platform.messages.front().buttons, MsgButtons::OkCancel);
    QCOMPARE(platform.sounds, (QList<FakePlatform::Sound>{{sound, true}}));
    QCOMPARE(fileBytes(scorePath()), header() + written);
    QCOMPARE(dialog.recordEnded(), 1);
    QVERIFY(dialog.isVisible());
}

void TestBlockDialogs::okAfterSaveWritesNothingMore() {
    ScoreFile().erase();
    FakePlatform platform;
    platform.messageAnswers.push_back(MsgResult::Cancel);
    TKekka dialog(platform);
    dialog.show();
    dialog.SeisekiSave->click();
    const QByteArray afterSave = fileBytes(scorePath());
    platform.clearRecords();
    dialog.BitBtn1->click();
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QVERIFY(platform.sounds.isEmpty());
    QCOMPARE(fileBytes(scorePath()), afterSave);
}

void TestBlockDialogs::escLeavesResultOpen() {
    ScoreFile().erase();
    FakePlatform platform;
    TKekka dialog(platform);
    dialog.show();
    QTest::keyClick(&dialog, Qt::Key_Escape);
    QVERIFY(dialog.isVisible());
    QCOMPARE(fileBytes(scorePath()), header());
    QVERIFY(dialog.BitBtn1->isDefault());
    QTest::keyClick(&dialog, Qt::Key_Return);
    QVERIFY(!dialog.isVisible());
    QCOMPARE(fileBytes(scorePath()), header() + Stars);
    QCOMPARE(platform.soundNames(), QStringList{"poki.wav"});
}

void TestBlockDialogs::failingScoreFileNeverTrapsTheLearner() {
    FakePlatform platform; // no score file at all
    platform.messageAnswers.push_back(MsgResult::Ok);
    TKekka dialog(platform);
    dialog.show();
    dialog.SeisekiSave->click();
    QCOMPARE(platform.errorTexts().size(), 1);
    QVERIFY(platform.errorTexts().front().contains(scorePath()));
    QCOMPARE(dialog.recordEnded(), 0);
    QVERIFY(dialog.isVisible());
    dialog.BitBtn1->click();
    QCOMPARE(platform.errorTexts().size(), 2);
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QVERIFY(!QFile::exists(scorePath()));
}

void TestBlockDialogs::judgement_data() {
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("correct");
    QTest::addColumn<bool>("showy");
    QTest::addColumn<bool>("fileExists");
    QTest::addColumn<QString>("word");
    QTest::addColumn<QStringList>("sounds");
    QTest::newRow("10/10, plain tones") << 10 << 10 << false << true << "優合格"
                                        << QStringList{"shoot.wav", "yatta.wav", "poki.wav"};
    QTest::newRow("14/15, showy tones") << 15 << 14 << true << true << "良合格"
                                        << QStringList{"clapping.wav", "sutekiyo.wav", "poki.wav"};
    QTest::newRow("6/10") << 10 << 6 << false << true << "可合格"
                          << QStringList{"shoot.wav", "goukaku.wav", "poki.wav"};
    QTest::newRow("5/10") << 10 << 5 << false << true << "不合格"
                          << QStringList{"shoot.wav", "fugoukak.wav", "poki.wav"};
    QTest::newRow("no score file: grade still shown")
        << 10 << 9 << false << false << "良合格"
        << QStringList{"shoot.wav", "sutekiyo.wav", "poki.wav"};
}

void TestBlockDialogs::judgement() {
    QFETCH(int, size);
    QFETCH(int, correct);
    QFETCH(bool, showy);
    QFETCH(bool, fileExists);
    QFETCH(QString, word);
    QFETCH(QStringList, sounds);
    if (fileExists) ScoreFile().erase();
    FakePlatform platform;
    QStringList shown;
    int errorsWhenShown = -1;
    whenModal([&](QWidget* w) {
        auto* k = qobject_cast<TKekka*>(w);
        if (!k) return;
        shown << k->windowTitle() << k->Rensyuu_Num->text() << k->SeikaiNum->text()
              << k->Keizi->text() << QString::number(k->gradeCode());
        errorsWhenShown = int(platform.errorTexts().size());
        k->BitBtn1->click();
    });
    showBlockJudgement(platform, nullptr, QStringLiteral("/home/taro/sample.lko"), size, correct,
                       showy);
    const int code = blockGrade(correct, size).code;
    QCOMPARE(shown, (QStringList{QStringLiteral("結果の判定"), QString::number(size),
                                 QString::number(correct), word, QString::number(code)}));
    QCOMPARE(platform.soundNames(), sounds);
    for (const auto& s : platform.sounds)
        QVERIFY(s.synchronous);
    QCOMPARE(platform.busyWaits, QList<int>{500});
    if (fileExists) {
        QCOMPARE(errorsWhenShown, 0);
        QCOMPARE(fileBytes(scorePath()), header() + "  sample.lko" + Stars);
    } else {
        // Told before the dialog, and again when OK found no file.
        QCOMPARE(errorsWhenShown, 1);
        QCOMPARE(platform.errorTexts().size(), 2);
        QVERIFY(!QFile::exists(scorePath()));
    }
}

void TestBlockDialogs::scoreTable() {
    {
        QFile f(scorePath());
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(sj("  sample.lko   26/04/01 09:30:15    20       19    素晴ﾗｼｲ!    花子\r\n") +
                "lone LF\nlone CR\rwith NUL " + QByteArray(1, '\0') + " inside\r\nlast, no end");
    }
    QString text;
    QStringList facts;
    whenModal([&](QWidget* w) {
        auto* t = qobject_cast<TTable*>(w);
        if (!t) return;
        text = t->SeisekiTable->toPlainText();
        facts << t->windowTitle() << t->SeisekiTable->font().family()
              << QString::number(t->SeisekiTable->verticalScrollBarPolicy() ==
                                 Qt::ScrollBarAlwaysOn);
        t->SeisekiTable->setFocus();
        QTest::keyClicks(t->SeisekiTable, QStringLiteral("xyz"));
        QTest::keyClick(t->SeisekiTable, Qt::Key_Delete);
        facts << QString::number(t->SeisekiTable->toPlainText() == text);
        t->close();
    });
    showScoreTable(nullptr);
    QCOMPARE(text,
             QStringLiteral("  sample.lko   26/04/01 09:30:15    20       19    素晴ﾗｼｲ!    花子\n"
                            "lone LF\nlone CR\nwith NUL   inside\nlast, no end"));
    QCOMPARE(facts, (QStringList{QStringLiteral("「ガンバレソラミ君」の成績表"),
                                 QStringLiteral("ＭＳ ゴシック"), "1", "1"}));
}

void TestBlockDialogs::scoreTableOfMissingFileShowsNothing() {
    bool shown = false;
    whenModal([&](QWidget* w) {
        if (w) {
            shown = true;
            w->close();
        }
    });
    QVERIFY_THROWS_EXCEPTION(SoramiError, showScoreTable(nullptr));
    QCoreApplication::processEvents();
    QVERIFY(!shown);
    QVERIFY(!QFile::exists(scorePath()));
}

QTEST_MAIN(TestBlockDialogs)
// Keys from the first line, then Ctrl+C: the selected lines whole, however
// long, in the file's order; without a selection the clipboard keeps what
// it held.
void TestBlockDialogs::scoreTableCopiesWholeLines_data() {
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("copied");
    const QString longLine(5000, QLatin1Char('x'));
    QTest::newRow("nothing selected") << ""
                                      << "before";
    QTest::newRow("shift+down") << "Shift+Down" << QStringLiteral("一行目\nb");
    QTest::newRow("select all") << "Ctrl+A" << QStringLiteral("一行目\nb\n") + longLine + "\nd";
    QTest::newRow("end, shift+up") << "Ctrl+End, Shift+Up" << longLine + "\nd";
}

void TestBlockDialogs::scoreTableCopiesWholeLines() {
    QFETCH(QString, keys);
    QFETCH(QString, copied);
    TTable t;
    t.setLines(Lines{sjis("一行目"), "b", std::string(5000, 'x'), "d"});
    t.show();
    QApplication::setActiveWindow(&t);
    QVERIFY(QTest::qWaitForWindowActive(&t));
    t.SeisekiTable->setFocus();
    QGuiApplication::clipboard()->setText(QStringLiteral("before"));
    const QKeySequence sequence = QKeySequence::fromString(keys);
    for (int i = 0; i < sequence.count(); ++i)
        QTest::keyClick(t.SeisekiTable, sequence[i].key(), sequence[i].keyboardModifiers());
    QTest::keyClick(t.SeisekiTable, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), copied);
}

// A table costs the rows on screen, not the lines of the file: showing it,
// and going to its end, decodes a screenful or two whatever the file holds,
// and a very long line is drawn from its first characters only.
void TestBlockDialogs::scoreTableDecodesOnlyRowsOnScreen_data() {
    QTest::addColumn<int>("lines");
    QTest::addColumn<int>("bytes");
    QTest::newRow("200,000 records") << 200000 << 70;
    QTest::newRow("300 lines of 100,000 bytes") << 300 << 100000;
}

void TestBlockDialogs::scoreTableDecodesOnlyRowsOnScreen() {
    QFETCH(int, lines);
    QFETCH(int, bytes);
    TTable t;
    t.setLines(Lines(size_t(lines), std::string(size_t(bytes), '7')));
    detail::scoreRowsDecoded = 0;
    t.show();
    t.grab();
    QCOMPARE(t.SeisekiTable->indexAt(QPoint(2, 2)).row(), 0);
    t.SeisekiTable->setFocus();
    QTest::keyClick(t.SeisekiTable, Qt::Key_End, Qt::ControlModifier);
    t.grab();
    const int screenful =
        t.SeisekiTable->viewport()->height() / t.SeisekiTable->fontMetrics().lineSpacing() + 1;
    QVERIFY2(detail::scoreRowsDecoded <= size_t(4 * screenful),
             qPrintable(QString::number(detail::scoreRowsDecoded)));
    QCOMPARE(t.SeisekiTable->currentIndex().row(), lines - 1);
    const QString shown = t.SeisekiTable->currentIndex().data().toString();
    QVERIFY(shown.size() <= int(ScoreLinesModel::ShownChars) + 1);
    QCOMPARE(t.SeisekiTable->lineText(lines - 1).size(), bytes);
}

#include "test_block_dialogs.moc"
