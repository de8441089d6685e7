// Block runs through the drill window: the start with its locks, lamp and
// indicator, the size dialog's three ways out, the countdown, the end with
// its cues, grade and result dialog, the block record in the score file and
// the window's return to normal, also when the score file is not there.
#include "Blockpr1.h"
#include "Results.h"
#include "Seiseki1.h"
#include "drill_fixture.h"
#include "modal_script.h"
#include "score_file.h"

#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>

using namespace drilltest;
using sorami::MsgResult;
namespace Colours = sorami::Colours;
namespace SysColour = sorami::SysColour;
using sorami::TBlockProblem;
using sorami::TKekka;

namespace {

QByteArray bytesOf(const QString& path) {
    return QByteArray::fromStdString(readBytes(path));
}
QByteArray sj(const char* utf8) {
    return QByteArray::fromStdString(sorami::sjis(utf8));
}
const QByteArray Header = QByteArray::fromStdString(sorami::scoreHeader());

// The block-size dialog answered with `ups` presses of the spinner and OK.
ModalScript::Step chooseSize(int ups) {
    return [ups](QWidget* w) {
        auto* dialog = qobject_cast<TBlockProblem*>(w);
        QVERIFY(dialog);
        for (int i = 0; i < ups; ++i)
            dialog->UpDown1->stepUp();
        dialog->BlockOk->click();
    };
}

// The controls a run locks, and the report item of the main menu, by name.
QStringList disabledOf(const TSorami& w) {
    const QList<std::pair<const char*, QWidget*>> locked = {
        {"Modosu", w.Modosu},       {"Syutudai_Origin", w.Syutudai_Origin},
        {"UpDown1", w.UpDown1},     {"ProblemReset", w.ProblemReset},
        {"AutoSend", w.AutoSend},   {"AutoStop", w.AutoStop},
        {"AutoDelay", w.AutoDelay}, {"Kioku", w.Kioku},
        {"ToSrmMini", w.ToSrmMini}};
    QStringList off;
    for (const auto& [name, c] : locked)
        if (!c->isEnabled()) off << QString::fromLatin1(name);
    if (!w.SoramiReport->isEnabled()) off << QStringLiteral("SoramiReport");
    return off;
}

// The model answer of the question on screen.
QString model(const Drill& d) {
    return u(
        d.w->session().questionLines().at(static_cast<size_t>(d.w->session().currentLine() + 1)));
}

} // namespace

class TestBlock : public QObject {
    Q_OBJECT
private slots:
    void init();
    void wholeRun_data();
    void wholeRun();
    void sizeDialogWaysOut_data();
    void sizeDialogWaysOut();
    void secondPressDuringRunDoesNothing();
    void orderChangeEndsTheRun_data();
    void orderChangeEndsTheRun();
    void scoreFileNotThere_data();
    void scoreFileNotThere();
    void reportItemComesBackByViewingScores();
    void lockedButtonsLookLockedWhateverTheirLamp_data();
    void lockedButtonsLookLockedWhateverTheirLamp();
};

void TestBlock::init() {
    sorami::BlockCountEntered = 0;
    sorami::BlockCancelled = 0;
}

void TestBlock::wholeRun_data() {
    QTest::addColumn<int>("ups");     // spinner presses over 10
    QTest::addColumn<int>("correct"); // the first answers of the run are right
    QTest::addColumn<QString>("sound");
    QTest::addColumn<QString>("leave"); // save, decline, ok, close
    QTest::addColumn<QString>("grade");
    QTest::addColumn<QString>("cue");
    QTest::addColumn<QByteArray>("record");
    const QByteArray name = "       q.lko";
    const QByteArray moment = "   26/05/02 18:04:09";
    const QByteArray stars = "   " + QByteArray(41, '*') + "\r\n";
    QTest::newRow("10 of 10, saved")
        << 0 << 10 << "voice"
        << "save"
        << "優合格"
        << "yatta.wav" << name + moment + sj("    10       10      優合格\r\n");
    QTest::newRow("9 of 10, saved, silent")
        << 0 << 9 << "silent"
        << "save"
        << "良合格"
        << "sutekiyo.wav" << name + moment + sj("    10        9      良合格\r\n");
    QTest::newRow("8 of 10, declined") << 0 << 8 << "effect"
                                       << "decline"
                                       << "良合格"
                                       << "sutekiyo.wav" << name + moment + "  *** Cancel ***\r\n";
    QTest::newRow("6 of 10, OK alone, silent") << 0 << 6 << "silent"
                                               << "ok"
                                               << "可合格"
                                               << "goukaku.wav" << name + stars;
    QTest::newRow("5 of 10, close box") << 0 << 5 << "voice"
                                        << "close"
                                        << "不合格"
                                        << "fugoukak.wav" << name + stars;
    QTest::newRow("14 of 15, saved")
        << 5 << 14 << "effect"
        << "save"
        << "良合格"
        << "sutekiyo.wav" << name + moment + sj("    15       14      良合格\r\n");
}

void TestBlock::wholeRun() {
    QFETCH(int, ups);
    QFETCH(int, correct);
    QFETCH(QString, sound);
    QFETCH(QString, leave);
    QFETCH(QString, grade);
    QFETCH(QString, cue);
    QFETCH(QByteArray, record);
    const int size = 10 + ups;
    Drill d;
    d.openQuestions(20);
    sorami::ScoreFile().erase();
    const QString scorePath = d.path(QStringLiteral("成績.dat"));
    if (sound == "silent") d.w->SoundNothing->trigger();
    if (sound == "effect") d.w->EffectSound->trigger();
    // A right answer before the run counts in the live score only.
    d.answer(model(d));
    d.w->SusumeruClick();
    d.fake.clearRecords();

    ModalScript script;
    QStringList lockedWhileChoosing;
    script.then([&](QWidget* w) {
        lockedWhileChoosing = disabledOf(*d.w);
        QVERIFY(d.w->session().blockMode());
        chooseSize(ups)(w);
    });
    d.w->BlockSyutudai->click();
    QCOMPARE(script.seen, QStringList{"sorami::TBlockProblem"});
    QCOMPARE(lockedWhileChoosing.size(), 10);
    QCOMPARE(d.fake.soundNames(), QStringList{"shoot.wav"});
    QVERIFY(d.w->session().blockMode());
    QCOMPARE(d.w->Syutudai_No->text(), QString::number(size));
    QCOMPARE(d.message(), QStringLiteral("ブロック問題出題中"));
    QCOMPARE(sorami::backColour(d.w->Indicator), Colours::Yellow);
    QCOMPARE(sorami::fontColour(d.w->BlockSyutudai), Colours::Red);
    QCOMPARE(disabledOf(*d.w), lockedWhileChoosing);
    QCOMPARE(d.w->session().blockAskedCount(), 0);
    QCOMPARE(d.w->session().blockCorrectCount(), 0);

    // All but the last answer: the countdown and the live score move on.
    QStringList answerCues;
    const QString right = sound == "voice" ? "yokudeki.wav" : "pinpon.wav";
    const QString wrong = sound == "voice" ? "imaichi.wav" : "poki.wav";
    for (int k = 1; k < size; ++k) {
        const bool ok = k <= correct;
        d.answer(ok ? model(d) : QStringLiteral("wrong"));
        if (sound != "silent") answerCues << (ok ? right : wrong);
        QCOMPARE(d.w->Syutudai_No->text(), QString::number(size - k));
        QCOMPARE(d.w->N_Kaitou->text(), QString::number(1 + k));
        QVERIFY(d.w->session().blockMode());
        d.w->SusumeruClick();
    }
    QCOMPARE(d.w->session().blockAskedCount(), size - 1);
    QCOMPARE(d.w->session().blockCorrectCount(), std::min(correct, size - 1));

    // The last answer opens the result dialog.
    struct Seen {
        QString title, asked, right, keizi;
        int gradeCode = -1;
        QByteArray file;
        bool indicatorBack = false, stillRunning = false;
        QStringList sounds;
        QList<int> waits;
    } seen;
    script.then([&](QWidget* w) {
        auto* dialog = qobject_cast<TKekka*>(w);
        QVERIFY(dialog);
        seen.title = dialog->windowTitle();
        seen.asked = dialog->Rensyuu_Num->text();
        seen.right = dialog->SeikaiNum->text();
        seen.keizi = dialog->Keizi->text();
        seen.gradeCode = dialog->gradeCode();
        seen.file = bytesOf(scorePath);
        seen.indicatorBack = sorami::backColour(d.w->Indicator) == SysColour::BtnFace;
        seen.stillRunning = d.w->session().blockMode();
        seen.sounds = d.fake.soundNames();
        seen.waits = d.fake.busyWaits;
        d.fake.now = QDateTime(QDate(2026, 5, 2), QTime(18, 4, 9));
        if (leave == "save" || leave == "decline") {
            d.fake.messageAnswers.push_back(leave == "save" ? MsgResult::Ok : MsgResult::Cancel);
            dialog->SeisekiSave->click();
        }
        if (leave == "close")
            dialog->close();
        else
            dialog->BitBtn1->click();
    });
    d.answer(size <= correct ? model(d) : QStringLiteral("wrong"));
    if (sound != "silent") answerCues << (size <= correct ? right : wrong);
    QCOMPARE(script.faults, QStringList{});
    QVERIFY(script.allStepsTaken());

    QCOMPARE(seen.title, QStringLiteral("結果の判定"));
    QCOMPARE(seen.asked, QString::number(size));
    QCOMPARE(seen.right, QString::number(correct));
    QCOMPARE(seen.keizi, grade);
    QCOMPARE(seen.gradeCode,
             1 + QStringList({"優合格", "良合格", "可合格", "不合格"}).indexOf(grade));
    QCOMPARE(seen.file, Header + record.left(12)); // the first field, no line end yet
    QVERIFY(seen.indicatorBack);
    QVERIFY(seen.stillRunning);
    // The run's start cue, each answer's own cue (none when silent), then the end cue and the
    // grade's cue whatever the sound mode; 700 ms before the dialog is made,
    // 500 between the two cues.
    QCOMPARE(seen.sounds, QStringList{"shoot.wav"} + answerCues + QStringList({"shoot.wav", cue}));
    QCOMPARE(seen.waits, (QList<int>{700, 500}));

    QCOMPARE(bytesOf(scorePath), Header + record);
    // Back to normal, except for what only other commands bring back.
    QVERIFY(!d.w->session().blockMode());
    QCOMPARE(d.w->session().blockAskedCount(), 0);
    QCOMPARE(d.w->session().blockCorrectCount(), 0);
    QCOMPARE(d.w->Syutudai_No->text(), QString());
    QCOMPARE(d.message(), QString());
    QCOMPARE(sorami::fontColour(d.w->BlockSyutudai), Colours::Black);
    QCOMPARE(sorami::backColour(d.w->Indicator), SysColour::BtnFace);
    QCOMPARE(disabledOf(*d.w), (QStringList{"AutoDelay", "Kioku", "ToSrmMini", "SoramiReport"}));
    QVERIFY(d.w->BlockSyutudai->isEnabled());
    QCOMPARE(d.w->N_Kaitou->text(), QStringLiteral("0"));
    QCOMPARE(d.w->N_Seikai->text(), QStringLiteral("0"));
    QCOMPARE(d.w->SeikaiRitu->text(), QStringLiteral("0.0"));
    QCOMPARE(d.w->session().answerCount(), 0);
    QCOMPARE(d.w->KaitouSakusei->text(), QStringLiteral("解答作成"));
    QCOMPARE(sorami::fontColour(d.w->KaitouSakusei), Colours::Black);
    QCOMPARE(d.fake.errorTexts(), QStringList{});
}

void TestBlock::sizeDialogWaysOut_data() {
    QTest::addColumn<QString>("how");
    QTest::addColumn<int>("lastOk"); // BlockCountEntered before the press
    QTest::addColumn<int>("runOf");  // 0: no run
    QTest::newRow("cancel button") << "cancel" << 0 << 0;
    QTest::newRow("Esc") << "esc" << 0 << 0;
    QTest::newRow("Esc after an earlier run of 20") << "esc" << 20 << 0;
    QTest::newRow("close box, first time") << "close" << 0 << 10;
    QTest::newRow("close box after an earlier run of 20") << "close" << 20 << 20;
}

void TestBlock::sizeDialogWaysOut() {
    QFETCH(QString, how);
    QFETCH(int, lastOk);
    QFETCH(int, runOf);
    sorami::BlockCountEntered = lastOk;
    Drill d;
    d.openQuestions(12);
    d.w->KaitouDisp->setFocus();
    const QString before = d.w->Syutudai_No->text();
    d.fake.clearRecords();
    ModalScript script;
    script.then([&](QWidget* w) {
        auto* dialog = qobject_cast<TBlockProblem*>(w);
        QVERIFY(dialog);
        if (how == "cancel") dialog->BlockCancel->click();
        if (how == "esc") QTest::keyClick(dialog, Qt::Key_Escape);
        if (how == "close") dialog->close();
    });
    d.w->BlockSyutudai->click();
    QCOMPARE(script.faults, QStringList{});
    QCOMPARE(script.seen.size(), 1);
    QCOMPARE(sorami::BlockCancelled, 0);
    QCOMPARE(d.w->session().blockMode(), runOf > 0);
    if (runOf > 0) {
        QCOMPARE(d.fake.soundNames(), QStringList{"shoot.wav"});
        QCOMPARE(d.w->Syutudai_No->text(), QString::number(runOf));
        QCOMPARE(sorami::backColour(d.w->Indicator), Colours::Yellow);
        QCOMPARE(disabledOf(*d.w).size(), 10);
    } else {
        QCOMPARE(d.fake.soundNames(), (QStringList{"shoot.wav", "poki.wav"}));
        QCOMPARE(d.w->Syutudai_No->text(), before);
        QCOMPARE(d.message(), QString());
        QCOMPARE(sorami::backColour(d.w->Indicator), SysColour::BtnFace);
        QCOMPARE(sorami::fontColour(d.w->BlockSyutudai), Colours::Black);
        QCOMPARE(disabledOf(*d.w), QStringList{});
    }
    // The window's own focus: the closed dialog may have left no window active.
    QCOMPARE(d.w->focusWidget(), d.w->KaitouSakusei);
}

void TestBlock::secondPressDuringRunDoesNothing() {
    Drill d;
    d.openQuestions(12);
    ModalScript script;
    script.then(chooseSize(2));
    d.w->BlockSyutudai->click();
    d.answer(model(d));
    d.fake.clearRecords();
    // A dialog would run its loop inside the click, where the script closes
    // it as unexpected.
    d.w->BlockSyutudai->click();
    QCOMPARE(script.seen.size(), 1);
    QCOMPARE(script.faults, QStringList{});
    QVERIFY(d.fake.sounds.isEmpty());
    QCOMPARE(d.w->Syutudai_No->text(), QStringLiteral("11"));
    QCOMPARE(d.w->session().blockAskedCount(), 1);
}

void TestBlock::orderChangeEndsTheRun_data() {
    QTest::addColumn<bool>("mistakesOnly");
    QTest::addColumn<QStringList>("stillDisabled");
    QTest::newRow("random") << false
                            << QStringList{"AutoDelay", "Kioku", "ToSrmMini", "SoramiReport"};
    QTest::newRow("mistakes only")
        << true << QStringList{"Syutudai_Origin", "UpDown1",   "AutoDelay",
                               "Kioku",           "ToSrmMini", "SoramiReport"};
}

void TestBlock::orderChangeEndsTheRun() {
    QFETCH(bool, mistakesOnly);
    QFETCH(QStringList, stillDisabled);
    Drill d;
    d.openQuestions(12, {4});
    ModalScript script;
    script.then(chooseSize(0));
    d.w->BlockSyutudai->click();
    d.answer(QStringLiteral("wrong"));
    QCOMPARE(d.w->Syutudai_No->text(), QStringLiteral("9"));
    if (mistakesOnly) {
        d.fake.messageAnswers.push_back(MsgResult::Ok);
        d.w->MatigaiSyutudai();
    } else {
        d.w->RandomSyutudaiClick();
    }
    QVERIFY(!d.w->session().blockMode());
    QCOMPARE(disabledOf(*d.w), stillDisabled);
    QVERIFY(d.w->Modosu->isEnabled());
    QCOMPARE(d.w->Syutudai_No->text(), QString());
    QCOMPARE(sorami::fontColour(d.w->BlockSyutudai), Colours::Black);
    // No grade and no record: the run was left, not finished.
    QCOMPARE(script.seen.size(), 1);
    QVERIFY(!QFileInfo::exists(d.path(QStringLiteral("成績.dat"))));
}

void TestBlock::scoreFileNotThere_data() {
    QTest::addColumn<bool>("folderInTheWay");
    QTest::newRow("missing") << false;
    QTest::newRow("a folder under its name") << true;
}

// Opening the file fails at the run's end, at the save and at OK; each is
// reported, and the grade and the window's return to normal still come.
void TestBlock::scoreFileNotThere() {
    QFETCH(bool, folderInTheWay);
    Drill d;
    d.openQuestions(12);
    const QString scorePath = d.path(QStringLiteral("成績.dat"));
    if (folderInTheWay) QVERIFY(QDir().mkdir(scorePath));
    ModalScript script;
    script.then(chooseSize(0));
    d.w->BlockSyutudai->click();
    for (int k = 1; k < 10; ++k) {
        d.answer(model(d));
        d.w->SusumeruClick();
    }
    d.fake.clearRecords();
    QString keizi;
    int errorsBeforeDialog = -1;
    script.then([&](QWidget* w) {
        auto* dialog = qobject_cast<TKekka*>(w);
        QVERIFY(dialog);
        keizi = dialog->Keizi->text();
        errorsBeforeDialog = d.fake.errorTexts().size();
        d.fake.messageAnswers.push_back(MsgResult::Ok);
        dialog->SeisekiSave->click();
        QVERIFY(dialog->isVisible());
        QCOMPARE(dialog->recordEnded(), 0);
        dialog->BitBtn1->click();
    });
    d.answer(model(d));
    QCOMPARE(script.faults, QStringList{});
    QCOMPARE(keizi, QStringLiteral("優合格"));
    QCOMPARE(errorsBeforeDialog, 1);
    const QStringList errors = d.fake.errorTexts();
    QCOMPARE(errors.size(), 3); // the run's end, the save, OK
    for (const QString& e : errors) {
        QVERIFY2(e.contains(QDir::toNativeSeparators(scorePath)), qPrintable(e));
        QCOMPARE(e.contains(QStringLiteral("成績の結果を消去する")), !folderInTheWay);
    }
    QCOMPARE(d.fake.soundNames(),
             (QStringList{"yokudeki.wav", "shoot.wav", "yatta.wav", "up.wav", "poki.wav"}));
    QCOMPARE(QFileInfo(scorePath).isDir(), folderInTheWay);
    QCOMPARE(QFileInfo::exists(scorePath), folderInTheWay); // appending never creates it
    QVERIFY(!d.w->session().blockMode());
    QCOMPARE(d.w->Syutudai_No->text(), QString());
    QCOMPARE(d.w->N_Kaitou->text(), QStringLiteral("0"));
    QCOMPARE(disabledOf(*d.w), (QStringList{"AutoDelay", "Kioku", "ToSrmMini", "SoramiReport"}));
}

void TestBlock::reportItemComesBackByViewingScores() {
    Drill d;
    d.openQuestions(12);
    ModalScript script;
    script.then(chooseSize(0));
    d.w->BlockSyutudai->click();
    QVERIFY(!d.w->SoramiReport->isEnabled());
    // Its pop-up twin stays available during the run.
    QVERIFY(d.w->N13->isEnabled());
    for (int k = 1; k < 10; ++k) {
        d.answer(model(d));
        d.w->SusumeruClick();
    }
    // No score file yet: the end and OK report it, and the table cannot be
    // shown, so the item stays off.
    script.then([](QWidget* w) { static_cast<QDialog*>(w)->accept(); });
    d.answer(model(d));
    QVERIFY(!d.w->SoramiReport->isEnabled());
    d.w->BlockReport->trigger();
    QCOMPARE(script.seen.size(), 2);
    QVERIFY(!d.w->SoramiReport->isEnabled());

    sorami::ScoreFile().erase();
    QStringList tableLines;
    script.then([&](QWidget* w) {
        auto* table = qobject_cast<sorami::TTable*>(w);
        QVERIFY(table);
        tableLines = table->SeisekiTable->toPlainText().split(QLatin1Char('\n'));
        table->close();
    });
    d.w->BlockReport->trigger();
    QCOMPARE(script.faults, QStringList{});
    QCOMPARE(tableLines.size(), 7);
    QVERIFY(d.w->SoramiReport->isEnabled());
}

// A button the run locks keeps its lamp for when it comes back, but is drawn
// in the same grey as a locked button that never had one.
void TestBlock::lockedButtonsLookLockedWhateverTheirLamp_data() {
    QTest::addColumn<QString>("move"); // the move before the run
    QTest::addColumn<int>("lamp");     // the go-back button's lamp it leaves
    QTest::newRow("go back lit") << "back" << Colours::Red;
    QTest::newRow("go back dark") << "advance" << Colours::Black;
}

void TestBlock::lockedButtonsLookLockedWhateverTheirLamp() {
    QFETCH(QString, move);
    QFETCH(int, lamp);
    Drill d;
    d.openQuestions(12);
    (move == "back" ? d.w->Modosu : d.w->Susumeru)->click();
    ModalScript script;
    script.then(chooseSize(0));
    d.w->BlockSyutudai->click();
    QVERIFY(!d.w->Modosu->isEnabled());
    QCOMPARE(sorami::fontColour(d.w->Modosu), lamp);
    const QColor grey =
        d.w->ProblemReset->palette().color(QPalette::Disabled, QPalette::ButtonText);
    QVERIFY(grey != sorami::toQColor(lamp));
    QCOMPARE(d.w->Modosu->palette().color(QPalette::Disabled, QPalette::ButtonText), grey);
    // Once usable again it shows its lamp, in the shade that reads on its face.
    const QPalette usable = d.w->Modosu->palette();
    QCOMPARE(usable.color(QPalette::Active, QPalette::ButtonText),
             sorami::readableOn(sorami::toQColor(lamp), usable.color(QPalette::Button)));
}

QTEST_MAIN(TestBlock)
#include "test_srmi105_block.moc"
