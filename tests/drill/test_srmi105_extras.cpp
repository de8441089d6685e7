// The drill window's appearance store and its extras: the appearance INI
// read into the choosers and written from them, the date and clock texts,
// the two covers, the session-end group, and the card viewer opened from
// the drill.
#include "clock_text.h"
#include "colour_qt.h"
#include "cue_names.h"
#include "drill_fixture.h"
#include "form_kit.h"
#include "modal_script.h"

#include "SrmMinifm.h"

#include <QApplication>
#include <QDir>
#include <QSet>

using namespace drilltest;
using namespace sorami;

namespace {

// A drill window started with `ini` as its appearance INI (nothing: no file).
struct Started {
    QTemporaryDir dir;
    FakePlatform fake;
    std::unique_ptr<TSorami> w;
    explicit Started(const std::optional<std::string>& ini) {
        setProgramDirForTesting(dir.path());
        if (ini) writeBytes(programIniPath(), *ini);
        fake.inputAnswers.push_back(QStringLiteral("tester"));
        w = std::make_unique<TSorami>(fake);
    }
};

QString faceOf(const FontSpec& f) {
    return QStringLiteral("%1/%2/%3/%4").arg(f.face).arg(f.size).arg(f.height).arg(f.colour);
}

} // namespace

class TestSrmi105Extras : public QObject {
    Q_OBJECT
private slots:
    void appearanceIni_data();
    void appearanceIni();
    void storeAndRestart();
    void storeCancelled();
    void storeFailureLeavesCaptionRed();
    void showyToneSwitch();
    void clockTexts_data();
    void clockTexts();
    void covers();
    void coveredControlsOutOfReach_data();
    void coveredControlsOutOfReach();
    void sessionEndGroup();
    void helpAndVersion();
    void cardViewer_data();
    void cardViewer();
};

void TestSrmi105Extras::appearanceIni_data() {
    QTest::addColumn<std::optional<std::string>>("ini");
    QTest::addColumn<QString>("font1");    // face/size/height/colour of FontDialog1
    QTest::addColumn<ColourValue>("box1"); // ColorDialog1
    QTest::addColumn<QString>("font3");
    QTest::addColumn<ColourValue>("box3");

    const QString initial = faceOf(pixelFontSpec(QStringLiteral("System"), 13));
    const std::string wa = sjis("[和文font]\r\n"), waBox = sjis("[和文箱ｶﾗｰ]\r\n"),
                      kai = sjis("[解答font]\r\n"), kaiBox = sjis("[解答箱ｶﾗｰ]\r\n");
    QTest::newRow("no file") << std::optional<std::string>() << initial << SysColour::Window
                             << initial << SysColour::Window;
    QTest::newRow("empty file") << std::optional<std::string>("") << initial << SysColour::Window
                                << initial << SysColour::Window;
    QTest::newRow("all set") << std::optional<std::string>(
                                    wa + "Name=" + sjis("ＭＳ 明朝") +
                                    "\r\nSize=14\r\nColor=255\r\n" + waBox +
                                    "BoxColor=16777215\r\n" + kai +
                                    "Name=Serif\r\nSize=9\r\nColor=-16777208\r\n" + kaiBox +
                                    "BoxColor=0\r\n")
                             << QStringLiteral("ＭＳ 明朝/14/0/255") << ColourValue(0xFFFFFF)
                             << QStringLiteral("Serif/9/0/%1").arg(SysColour::WindowText)
                             << ColourValue(0);
    QTest::newRow("not-set values keep")
        << std::optional<std::string>(wa + "Name=-1\r\nSize=-1\r\nColor=-1\r\n" + waBox +
                                      "BoxColor=-1\r\n")
        << initial << SysColour::Window << initial << SysColour::Window;
    QTest::newRow("hex values") << std::optional<std::string>(wa +
                                                              "Size=0x10\r\nColor=0X00FF00\r\n" +
                                                              waBox + "BoxColor=0xC0C0C0\r\n")
                                << QStringLiteral("System/16/0/65280") << ColourValue(0xC0C0C0)
                                << initial << SysColour::Window;
    QTest::newRow("garbage and absurd sizes keep")
        << std::optional<std::string>(wa + "Size=abc\r\nColor=red\r\n" + kai + "Size=0\r\n" +
                                      kaiBox + "BoxColor=\r\n")
        << initial << SysColour::Window << initial << SysColour::Window;
    QTest::newRow("huge size keeps") << std::optional<std::string>(wa + "Size=99999\r\n") << initial
                                     << SysColour::Window << initial << SysColour::Window;
}

// The INI fills the choosers, and the boxes show copies of them.
void TestSrmi105Extras::appearanceIni() {
    QFETCH(std::optional<std::string>, ini);
    QFETCH(QString, font1);
    QFETCH(ColourValue, box1);
    QFETCH(QString, font3);
    QFETCH(ColourValue, box3);
    Started s(ini);
    QCOMPARE(faceOf(s.w->FontDialog1.font), font1);
    QCOMPARE(s.w->ColorDialog1.colour, box1);
    QCOMPARE(faceOf(s.w->FontDialog3.font), font3);
    QCOMPARE(s.w->ColorDialog3.colour, box3);
    QCOMPARE(s.w->WabunDisp->palette().color(QPalette::Base), toQColor(box1));
    QCOMPARE(s.w->KaitouDisp->palette().color(QPalette::Base), toQColor(box3));
    QCOMPARE(s.w->WabunDisp->palette().color(QPalette::Text),
             toQColor(s.w->FontDialog1.font.colour));
    QCOMPARE(s.w->WabunDisp->font().family(), toQFont(s.w->FontDialog1.font).family());
    QCOMPARE(s.fake.messages.size(), 0);
}

// What the store writes is what the next start reads; a chosen style lasts
// only for the run.
void TestSrmi105Extras::storeAndRestart() {
    QTemporaryDir keep;
    QString iniFile;
    {
        Started s(std::nullopt);
        FontSpec bold = pointFontSpec(QStringLiteral("ＭＳ ゴシック"), 18);
        bold.bold = true;
        bold.colour = 0x0000FF;
        s.fake.fontAnswers.push_back(bold);
        s.w->SpeedButtons[9]->click(); // the model answer's font
        s.fake.colourAnswers.push_back(0x00FFFF);
        s.w->KaitouBox->trigger();
        QVERIFY(s.w->SeikaiDisp->font().bold());
        s.fake.messageAnswers.push_back(MsgResult::Ok);
        s.fake.clearRecords();
        s.w->KankyouKioku->click();
        QCOMPARE(s.fake.soundNames(), QStringList{cue::Up});
        QCOMPARE(fontColour(s.w->KankyouKioku), Colours::Black);
        iniFile = programIniPath();
        const QString text = u(readBytes(iniFile));
        const QString expected =
            QStringLiteral("[和文font]\r\nName=System\r\nSize=10\r\nColor=%1\r\n"
                           "[和文箱ｶﾗｰ]\r\nBoxColor=%2\r\n"
                           "[正解font]\r\nName=ＭＳ ゴシック\r\nSize=18\r\nColor=255\r\n"
                           "[正解箱ｶﾗｰ]\r\nBoxColor=%2\r\n"
                           "[解答font]\r\nName=System\r\nSize=10\r\nColor=%1\r\n"
                           "[解答箱ｶﾗｰ]\r\nBoxColor=65535\r\n")
                .arg(SysColour::WindowText)
                .arg(SysColour::Window);
        QCOMPARE(text, expected);
        QVERIFY(QFile::copy(iniFile, keep.filePath("a.ini")));
    }
    Started again(readBytes(keep.filePath("a.ini")));
    QCOMPARE(faceOf(again.w->FontDialog2.font), QStringLiteral("ＭＳ ゴシック/18/0/255"));
    QCOMPARE(again.w->ColorDialog3.colour, ColourValue(0x00FFFF));
    QVERIFY(!again.w->SeikaiDisp->font().bold());
    QCOMPARE(again.w->KaitouDisp->palette().color(QPalette::Base), QColor(255, 255, 0));
}

void TestSrmi105Extras::storeCancelled() {
    Started s(std::string("keep"));
    s.fake.messageAnswers.push_back(MsgResult::Cancel);
    s.fake.onMessage = [&](const FakePlatform::Message&) {
        QCOMPARE(fontColour(s.w->KankyouKioku), Colours::Red);
    };
    s.w->KankyouKioku->click();
    QCOMPARE(s.fake.messages.size(), 1);
    QCOMPARE(
        s.fake.messages[0].text,
        QStringLiteral("現在の環境(フォント,Ｂｏｘカラー)を記憶します。\r\n次回\"ｶﾞﾝﾊﾞﾚソラミ君\"の"
                       "起動時は現在の環境が反映されます。"));
    QCOMPARE(s.fake.soundNames(), QStringList{cue::Cancel});
    QCOMPARE(readBytes(programIniPath()), std::string("keep"));
    QCOMPARE(fontColour(s.w->KankyouKioku), Colours::Black);
}

// A store that cannot write ends there, its caption as red as the failure left it.
void TestSrmi105Extras::storeFailureLeavesCaptionRed() {
    Started s(std::nullopt);
    QVERIFY(QDir().mkpath(programIniPath())); // a folder where the file should be
    s.fake.messageAnswers.push_back(MsgResult::Ok);
    s.w->KankyouKioku->click();
    QCOMPARE(s.fake.errorTexts(),
             QStringList{programIniPath() + QStringLiteral(" に書き込めません")});
    QCOMPARE(fontColour(s.w->KankyouKioku), Colours::Red);
}

void TestSrmi105Extras::showyToneSwitch() {
    Started s(std::nullopt);
    QList<bool> states;
    for (int i = 0; i < 4; ++i) {
        s.w->SeisekiTone->trigger();
        states << s.w->modes().showyTone.on();
    }
    QCOMPARE(states, (QList<bool>{true, false, true, false}));
    QVERIFY(!s.w->SeisekiTone->isCheckable());
}

void TestSrmi105Extras::clockTexts_data() {
    QTest::addColumn<QDateTime>("moment");
    QTest::addColumn<QString>("date");
    QTest::addColumn<QString>("clock");
    QTest::newRow("Saturday") << QDateTime(QDate(1997, 5, 3), QTime(9, 5, 7))
                              << QStringLiteral("97年5月3日(土)") << QStringLiteral("09時05分07秒");
    QTest::newRow("midnight") << QDateTime(QDate(2026, 12, 31), QTime(0, 0, 0))
                              << QStringLiteral("26年12月31日(木)")
                              << QStringLiteral("00時00分00秒");
    QTest::newRow("year 2000 Sunday")
        << QDateTime(QDate(2000, 1, 2), QTime(23, 59, 59)) << QStringLiteral("00年1月2日(日)")
        << QStringLiteral("23時59分59秒");
    QTest::newRow("Monday") << QDateTime(QDate(2026, 12, 7), QTime(12, 30, 0))
                            << QStringLiteral("26年12月7日(月)") << QStringLiteral("12時30分00秒");
}

// The displays stay empty until the first tick, then show the platform's time.
void TestSrmi105Extras::clockTexts() {
    QFETCH(QDateTime, moment);
    QFETCH(QString, date);
    QFETCH(QString, clock);
    Started s(std::nullopt);
    QVERIFY(s.w->DateDisp->text().isEmpty() && s.w->ClockDisp->text().isEmpty());
    QCOMPARE(s.w->Timer1->interval(), 1000);
    s.fake.now = moment;
    s.w->Timer1->fire();
    QCOMPARE(s.w->DateDisp->text(), date);
    QCOMPARE(s.w->ClockDisp->text(), clock);
}

// Each cover folds to a thin strip and comes back; the panel itself is a
// switch too. The two are independent.
void TestSrmi105Extras::covers() {
    Started s(std::nullopt);
    s.w->show();
    TSorami& w = *s.w;
    const QRect cover = w.SpeedBtnCover->geometry();
    const QRect exitCover = w.SysExitCover->geometry();
    QVERIFY(!w.SpeedButtons[1]->isVisibleTo(&w) ||
            w.SpeedBtnCover->geometry().contains(w.SpeedButtons[1]->geometry().center()));
    w.SpeedButton->click();
    QCOMPARE(w.SpeedBtnCover->geometry(), QRect(cover.topLeft(), QSize(cover.width(), 3)));
    QVERIFY(w.modes().speedButtons.on());
    QTest::mouseClick(w.SpeedBtnCover, Qt::LeftButton, {}, QPoint(5, 1));
    QCOMPARE(w.SpeedBtnCover->geometry(), cover);
    QVERIFY(!w.modes().speedButtons.on());
    QCOMPARE(w.SysExitCover->geometry(), exitCover);

    w.SysExit->click();
    QCOMPARE(w.SysExitCover->geometry(), QRect(exitCover.left() + exitCover.width() - 4,
                                               exitCover.top(), 4, exitCover.height()));
    QVERIFY(!w.KankyouKioku->isVisible() ||
            !w.SysExitCover->rect().contains(w.KankyouKioku->geometry()));
    w.SysExit->click();
    QCOMPARE(w.SysExitCover->geometry(), exitCover);
    QCOMPARE(w.SpeedBtnCover->geometry(), cover);
}

void TestSrmi105Extras::coveredControlsOutOfReach_data() {
    QTest::addColumn<bool>("exitCoverFolded");
    QTest::newRow("exit cover closed") << false;
    QTest::newRow("exit cover folded") << true;
}

// The Tab key reaches what is in sight and nothing a cover lies over: with
// its cover closed, no item of the session-end group can be chosen from the
// keyboard, and with it folded the store button on it is out of reach.
void TestSrmi105Extras::coveredControlsOutOfReach() {
    QFETCH(bool, exitCoverFolded);
    Drill d;
    d.openQuestions(3);
    TSorami& w = *d.w;
    if (exitCoverFolded) w.SysExit->click();
    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    w.KaitouSakusei->setFocus();
    QSet<QWidget*> reached;
    for (int i = 0; i < 80; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        reached << QApplication::focusWidget();
    }
    QCOMPARE(reached.contains(w.RadioGroup1Items->button(0)), exitCoverFolded);
    QCOMPARE(reached.contains(w.KankyouKioku), !exitCoverFolded);
}

// Each item makes its own request, without a question before it; a log-off
// that finds no session manager says so, and nothing is forced instead.
void TestSrmi105Extras::sessionEndGroup() {
    Started s(std::nullopt);
    for (int i = 0; i < 5; ++i)
        s.w->RadioGroup1Items->button(i)->click();
    QCOMPARE(s.fake.sessionEnds,
             (QList<SessionEnd>{SessionEnd::ForcedLogOff, SessionEnd::LogOff, SessionEnd::PowerOff,
                                SessionEnd::Reboot, SessionEnd::Halt}));
    QCOMPARE(s.fake.messages.size(), 0);
    s.fake.endSessionResult = SessionEndResult::NoSessionManager;
    s.w->RadioGroup1Items->button(1)->click();
    QCOMPARE(s.fake.sessionEnds.size(), 6);
    QCOMPARE(s.fake.messages.size(), 1);
}

// The help menu opens the drill's help file; the version menu item and the
// speed button each show the version dialog modally.
void TestSrmi105Extras::helpAndVersion() {
    Started s(std::nullopt);
    s.w->EMemNote->trigger();
    QCOMPARE(s.fake.helpShown, QStringList{QStringLiteral("Sorami10.hlp")});
    ModalScript script;
    for (int i = 0; i < 2; ++i)
        script.then([](QWidget* dialog) {
            QCOMPARE(dialog->windowTitle(), QStringLiteral("バージョン情報"));
            static_cast<QDialog*>(dialog)->accept();
        });
    s.w->EMemoDispVersion->trigger();
    s.w->SpeedButtons[17]->click();
    QCOMPARE(script.seen, (QStringList{"sorami::TLkOVer10", "sorami::TLkOVer10"}));
    QVERIFY(script.faults.isEmpty());
}

void TestSrmi105Extras::cardViewer_data() {
    QTest::addColumn<MsgResult>("answer");
    QTest::newRow("back to the drill") << MsgResult::Yes;
    QTest::newRow("end") << MsgResult::No;
}

// Minimised while the viewer is open; then restored, or closed with the
// resume record written.
void TestSrmi105Extras::cardViewer() {
    QFETCH(MsgResult, answer);
    Drill d;
    d.openQuestions(5);
    d.w->show();
    d.fake.clearRecords();
    bool minimisedMeanwhile = false;
    ModalScript script;
    script.then([&](QWidget* viewer) {
        QVERIFY(qobject_cast<TSoramiMiniVer*>(viewer));
        QCOMPARE(qobject_cast<TSoramiMiniVer*>(viewer)->build(), ViewerBuild::InDrill);
        minimisedMeanwhile = d.w->isMinimized();
        viewer->close();
    });
    d.fake.messageAnswers = {MsgResult::Ok, answer};
    d.w->ToSrmMini->click();
    QVERIFY(script.faults.isEmpty());
    QVERIFY(minimisedMeanwhile);
    QCOMPARE(d.fake.messageTexts(),
             (QStringList{QStringLiteral("ｶﾞﾝﾊﾞﾚソラミ君のミニ版です！"),
                          QStringLiteral("がんばれソラミ君･ＬｋＯに戻りますか？")}));
    QCOMPARE(d.fake.sounds.first(), (FakePlatform::Sound{cue::Up, false}));
    QCOMPARE(d.fake.helpQuits, answer == MsgResult::Yes ? 0 : 1);
    if (answer == MsgResult::Yes) {
        QVERIFY(d.w->isVisible() && !d.w->isMinimized());
    } else {
        QVERIFY(!d.w->isVisible());
        QVERIFY(u(readBytes(d.iniPath())).contains(QStringLiteral("PFileName=")));
    }
}

QTEST_MAIN(TestSrmi105Extras)
#include "test_srmi105_extras.moc"
