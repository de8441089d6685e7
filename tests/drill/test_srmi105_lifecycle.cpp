// The drill window from creation to closing: start-up state, the texts it
// shows, keys that reach the menus, and the resume record written on exit.
#include "Demofrm.h"
#include "LkOVer10.h"
#include "drill_fixture.h"
#include "fonts.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QMenuBar>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScreen>
#include <QSignalSpy>
#include <QStyle>
#include <algorithm>

using namespace drilltest;
using sorami::MsgButtons;
using sorami::MsgIcon;
using sorami::MsgResult;

namespace {

// The lines of `text` that do not fit `control` whole, `room` taken by its
// frame or mark.
QStringList cut(QWidget* control, const QString& text, int room) {
    int widest = 0;
    for (const QString& line : text.split(QLatin1Char('\n')))
        widest = std::max(widest, control->fontMetrics().horizontalAdvance(line));
    if (widest + room <= control->width()) return {};
    return {QStringLiteral("%1 \"%2\" %3 > %4")
                .arg(control->objectName(), text)
                .arg(widest + room)
                .arg(control->width())};
}

// The texts of the labels under `root` that are cut.
QStringList cutLabels(QWidget* root) {
    QStringList out;
    for (QLabel* l : root->findChildren<QLabel*>())
        if (l->isVisibleTo(root) && !l->wordWrap() && !l->text().isEmpty())
            out << cut(l, l->text(), 2 * l->frameWidth() + 2 * l->margin());
    return out;
}

// The version a text names, full-width digits read as digits: "1.05".
QString versionIn(const QString& text) {
    const auto m = QRegularExpression(QStringLiteral("\\d+(\\.\\d+)+"))
                       .match(text.normalized(QString::NormalizationForm_KC));
    return m.captured();
}

} // namespace

class TestLifecycle : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { sorami::installFontSubstitutions(); }
    void nameBoxAndSplash();
    void nameBoxCancelled();
    void initialState();
    void captionsAreWhole_data();
    void captionsAreWhole();
    void menuShortcutsWinInTextBoxes_data();
    void menuShortcutsWinInTextBoxes();
    void enterInAnswerBoxPressesDefaultButton();
    void endConfirmed();
    void endCancelled();
    void closeBoxWritesResumeRecordWithoutAsking();
    void unwritableIniKeepsWindowOpen();
    void resumeBringsBackQuestion_data();
    void resumeBringsBackQuestion();
    void resumeWithoutRecord();
    void resumeWithEmptyNameKeepsFileInUse();
};

void TestLifecycle::nameBoxAndSplash() {
    Drill d(QStringLiteral("山田"));
    QCOMPARE(d.fake.inputs.size(), 1);
    QCOMPARE(d.fake.inputs[0].title, QStringLiteral("名前の登録"));
    QCOMPARE(
        d.fake.inputs[0].prompt,
        QStringLiteral("ようこそ「ガンバレソラミ君」の世界へ！\r\n\r\nあなたの名前を登録します。"));
    QCOMPARE(d.fake.inputs[0].defaultText, QString());
    QCOMPARE(d.w->userName(), sorami::sjis("山田"));

    // The splash is up until the message loop runs, then gone.
    QPointer<sorami::TDemoForm> splash = d.w->demoForm();
    QVERIFY(splash);
    QVERIFY(splash->isVisible());
    QVERIFY(splash->windowFlags() & Qt::FramelessWindowHint);
    // Whole on the screen, every text whole, the same version as the
    // version dialog names.
    QVERIFY(splash->screen()->availableGeometry().contains(splash->frameGeometry()));
    const QStringList cutOnSplash = cutLabels(splash);
    QVERIFY2(cutOnSplash.isEmpty(), qPrintable(cutOnSplash.join(QStringLiteral("; "))));
    const QString version = versionIn(sorami::TLkOVer10().Version->text());
    QVERIFY(!version.isEmpty());
    QCOMPARE(versionIn(splash->Label3->text()), version);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!splash);

    QCOMPARE(d.w->Client->size(), QSize(738, 497));
    d.w->show();
    QCoreApplication::processEvents();
    QCOMPARE(d.w->Client->size(), QSize(738, 497));
    // The frame is sizeable; the controls keep their places.
    const QRect owari = d.w->Owari->geometry();
    d.w->resize(900, 700);
    QCoreApplication::processEvents();
    QCOMPARE(d.w->Owari->geometry(), owari);
    QVERIFY(d.w->Client->width() > 738);
    QCOMPARE(d.w->Gauge1->width(), 1);
}

void TestLifecycle::nameBoxCancelled() {
    Drill d(std::nullopt);
    QCOMPARE(d.w->userName(), std::string());
    QVERIFY(d.w->Owari->isEnabled());
}

void TestLifecycle::initialState() {
    Drill d;
    auto* w = d.w.get();
    for (QWidget* c : w->runControls() + w->drillButtons() + w->editButtons())
        QVERIFY2(!c->isEnabled(), qPrintable(c->metaObject()->className()));
    QCOMPARE(w->runControls().size(), 7);
    QVERIFY(!w->SirialSyutudai->isEnabled());
    QVERIFY(!w->RandomSyutudai->isEnabled());
    QVERIFY(!w->MatigaiSyutudaiOnly->isEnabled());
    // Still usable before any file.
    for (QAction* a : {w->FileOpn, w->FileStore, w->NewFileName, w->Closed,   w->N6,
                       w->Save1,   w->SaveAs1,   w->N9,          w->N10,      w->N11,
                       w->N13,     w->N14,       w->N15,         w->X1,       w->SoramiReport,
                       w->Wabun,   w->Onsei,     w->EMemoNote,   w->EMemNote, w->EMemoDispVersion})
        QVERIFY2(a->isEnabled(), qPrintable(a->text()));
    for (QWidget* c :
         {static_cast<QWidget*>(w->Owari), static_cast<QWidget*>(w->Kioku),
          static_cast<QWidget*>(w->ToSrmMini), static_cast<QWidget*>(w->SpeedButton),
          static_cast<QWidget*>(w->SysExit), static_cast<QWidget*>(w->SpeedButtons[19]),
          static_cast<QWidget*>(w->SpeedButtons[20])})
        QVERIFY(c->isEnabled());
    QCOMPARE(w->SeikaiRitu->text(), QStringLiteral("0.0"));
    for (QLabel* l : {w->N_Kaitou, w->N_Seikai, w->N_Syutudai})
        QCOMPARE(l->text(), QStringLiteral("0"));
    QVERIFY(w->KaitouSakusei->isDefault());
    QCOMPARE(w->soundMode(), TSorami::Sound::Voice);
    QCOMPARE(w->coverPanelHeight(), w->SpeedBtnCover->height());
    QCOMPARE(w->exitCoverLeft(), w->SysExitCover->x());
    QCOMPARE(w->Timer1->interval(), 1000);
    QCOMPARE(w->Timer2->interval(), 3000);

    // Arrow keys do nothing before a file is loaded.
    w->FormKeyDown(Qt::Key_Right);
    QVERIFY(d.fake.sounds.isEmpty());
    QCOMPARE(w->session().currentLine(), 0);
}

// Every caption the window shows is there and whole: a menu item or title
// without text, or a caption wider than its control, is cut for the learner.
void TestLifecycle::captionsAreWhole_data() {
    QTest::addColumn<QString>("kind");
    for (const char* kind : {"labels", "group boxes", "radio and check boxes", "menus"})
        QTest::newRow(kind) << QString::fromLatin1(kind);
}

void TestLifecycle::captionsAreWhole() {
    QFETCH(QString, kind);
    Drill d;
    d.w->show();
    QVERIFY(!d.w->windowTitle().trimmed().isEmpty());
    const auto shown = [&](QWidget* c) { return c->isVisibleTo(d.w.get()); };
    const auto caption = [](QString text) { return text.remove(QLatin1Char('&')); };
    QStringList faults;
    const auto fits = [&](QWidget* c, const QString& text, int room) {
        faults << cut(c, text, room);
    };
    if (kind == u"labels") {
        faults = cutLabels(d.w.get());
    } else if (kind == u"group boxes") {
        for (QGroupBox* g : d.w->findChildren<QGroupBox*>())
            if (shown(g) && !g->title().isEmpty()) fits(g, caption(g->title()), 0);
    } else if (kind == u"radio and check boxes") {
        const int mark = d.w->style()->pixelMetric(QStyle::PM_IndicatorWidth);
        for (QAbstractButton* b : d.w->findChildren<QAbstractButton*>())
            if (shown(b) && (qobject_cast<QRadioButton*>(b) || qobject_cast<QCheckBox*>(b))) {
                if (caption(b->text()).trimmed().isEmpty())
                    faults << b->objectName() + QStringLiteral(" has no caption");
                else
                    fits(b, caption(b->text()), mark);
            }
    } else {
        QList<QMenu*> menus = d.w->menuBar()->findChildren<QMenu*>();
        menus << d.w->PopupMenu1;
        for (QMenu* m : menus)
            for (QAction* a : m->actions())
                if (!a->isSeparator() && caption(a->text()).trimmed().isEmpty())
                    faults << m->title() + QStringLiteral(" has an item without text");
        for (QAction* a : d.w->menuBar()->actions())
            if (caption(a->text()).trimmed().isEmpty())
                faults << QStringLiteral("a menu without a title");
    }
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QStringLiteral("; "))));
}

// The menus' keys act while a text box has the focus, even where the box has
// a binding of its own for the same key (Ctrl+X would cut).
void TestLifecycle::menuShortcutsWinInTextBoxes_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("expected"); // first dialog or message recorded
    QTest::newRow("Ctrl+X in answer box") << int(Qt::Key_X) << "KaitouDisp"
                                          << "end";
    QTest::newRow("Ctrl+X in Japanese box") << int(Qt::Key_X) << "WabunDisp"
                                            << "end";
    QTest::newRow("Ctrl+O in answer box") << int(Qt::Key_O) << "KaitouDisp"
                                          << "open";
    QTest::newRow("Ctrl+N in answer box") << int(Qt::Key_N) << "KaitouDisp"
                                          << "save";
    QTest::newRow("Ctrl+D in answer box") << int(Qt::Key_D) << "KaitouDisp"
                                          << "nomarks";
}

void TestLifecycle::menuShortcutsWinInTextBoxes() {
    QFETCH(int, key);
    QFETCH(QString, box);
    QFETCH(QString, expected);
    Drill d;
    d.openQuestions(3);
    d.fake.clearRecords();
    d.w->show();
    QApplication::setActiveWindow(d.w.get());
    QVERIFY(QTest::qWaitForWindowActive(d.w.get()));
    auto* target = d.w->findChild<QTextEdit*>(box);
    QVERIFY(target);
    target->setPlainText(QStringLiteral("some text"));
    target->setFocus();
    target->selectAll();
    d.fake.messageAnswers.push_back(MsgResult::Cancel);
    QTest::keyClick(target, static_cast<Qt::Key>(key), Qt::ControlModifier);

    if (expected == "end") {
        QCOMPARE(d.fake.messageTexts().value(0),
                 QStringLiteral("ソラミ君ＬｋＯを終了します\r\nよろしいですか？"));
        QCOMPARE(target->toPlainText(), QStringLiteral("some text")); // nothing was cut
    } else if (expected == "nomarks") {
        QCOMPARE(d.fake.messageTexts().value(0), QStringLiteral("間違い問題はありません！"));
    } else {
        QCOMPARE(d.fake.fileDialogs.size(), 1);
        QCOMPARE(d.fake.fileDialogs[0].save, expected == "save");
    }
    d.fake.messageAnswers.clear();
    d.w->hide();
}

void TestLifecycle::enterInAnswerBoxPressesDefaultButton() {
    Drill d;
    d.openQuestions(3);
    d.w->KaitouDisp->setPlainText(QStringLiteral("Answer 1."));
    QTest::keyClick(d.w->KaitouDisp, Qt::Key_Return);
    QCOMPARE(d.w->session().answerCount(), 1);
    QCOMPARE(d.w->session().correctCount(), 1);
    QCOMPARE(d.w->KaitouDisp->toPlainText(), QStringLiteral("Answer 1.")); // no line break added
}

void TestLifecycle::endConfirmed() {
    Drill d;
    const QString file = d.openQuestions(6);
    d.w->show();
    d.w->SusumeruClick();
    d.fake.clearRecords();
    d.fake.messageAnswers.push_back(MsgResult::Ok);
    d.w->Owari->click();
    QCOMPARE(d.fake.messages.size(), 1);
    QCOMPARE(d.fake.messages[0].icon, MsgIcon::Question);
    QCOMPARE(d.fake.messages[0].buttons, MsgButtons::OkCancel);
    QCOMPARE(d.fake.soundNames(), QStringList{QStringLiteral("apli.wav")});
    QVERIFY(d.fake.sounds[0].synchronous);
    QVERIFY(!d.w->isVisible());
    QCOMPARE(d.iniInteger(QStringLiteral("問題番号"), QStringLiteral("PProblemNum")), 2);
    QCOMPARE(u(d.iniString(QStringLiteral("問題ファイル名"), QStringLiteral("PFileName"))), file);
}

void TestLifecycle::endCancelled() {
    Drill d;
    d.openQuestions(3);
    d.w->show();
    d.fake.clearRecords();
    d.fake.messageAnswers.push_back(MsgResult::Cancel);
    d.w->Closed->trigger();
    QCOMPARE(d.fake.soundNames(), QStringList{QStringLiteral("cancel.wav")});
    QVERIFY(d.w->isVisible());
    QVERIFY(!QFile::exists(d.iniPath()));
}

void TestLifecycle::closeBoxWritesResumeRecordWithoutAsking() {
    Drill d;
    const QString file = d.openQuestions(6, {2});
    d.w->show();
    d.w->SusumeruClick();
    d.answer(QStringLiteral("wrong")); // marks question 2 in memory
    d.fake.clearRecords();
    QVERIFY(d.w->close());
    QVERIFY(d.fake.messages.isEmpty());
    QCOMPARE(d.iniInteger(QStringLiteral("問題番号"), QStringLiteral("PProblemNum")), 2);
    QCOMPARE(u(d.iniString(QStringLiteral("問題ファイル名"), QStringLiteral("PFileName"))), file);
    QCOMPARE(readBytes(file), questionFile(6, {2}));
}

void TestLifecycle::unwritableIniKeepsWindowOpen() {
    Drill d;
    const QString file = d.openQuestions(3);
    d.answer(QStringLiteral("wrong"));
    // A directory where the INI should be: no write can succeed, even as root.
    QVERIFY(QDir().mkpath(d.iniPath()));
    d.w->show();
    d.fake.clearRecords();
    QVERIFY(!d.w->close());
    QVERIFY(d.w->isVisible());
    QCOMPARE(d.fake.errorTexts(), QStringList{d.iniPath() + QStringLiteral(" に書き込めません")});
    // The marks reach the question file all the same: it is written first.
    QCOMPARE(readBytes(file), questionFile(3, {1}));

    d.fake.clearRecords();
    d.fake.messageAnswers.push_back(MsgResult::Ok);
    d.w->Owari->click();
    QVERIFY(d.w->isVisible());
    QCOMPARE(d.fake.errorTexts().size(), 1);
    QVERIFY(QDir(d.iniPath()).removeRecursively());
}

void TestLifecycle::resumeBringsBackQuestion_data() {
    QTest::addColumn<int>("exitAt");   // question current at exit, 0: write the record by hand
    QTest::addColumn<int>("stored");   // the number stored when written by hand
    QTest::addColumn<int>("expected"); // question shown after resuming
    QTest::newRow("question 5") << 5 << 0 << 5;
    QTest::newRow("question 1") << 1 << 0 << 1;
    QTest::newRow("last question") << 10 << 0 << 10;
    QTest::newRow("beyond the last") << 0 << 11 << 1;
    QTest::newRow("far beyond the last") << 0 << 2000000000 << 1;
    QTest::newRow("zero") << 0 << 0 << 1;
    QTest::newRow("negative") << 0 << -7 << 1;
}

void TestLifecycle::resumeBringsBackQuestion() {
    QFETCH(int, exitAt);
    QFETCH(int, stored);
    QFETCH(int, expected);
    QTemporaryDir programDir;
    const QString file = programDir.filePath(QStringLiteral("resume.lko"));
    writeBytes(file, questionFile(10));
    {
        Drill first;
        sorami::setProgramDirForTesting(programDir.path());
        first.open(file);
        if (exitAt > 0) {
            for (int i = 1; i < exitAt; ++i)
                first.w->SusumeruClick();
            first.w->show();
            QVERIFY(first.w->close());
        } else {
            sorami::ProfileIni ini(programDir.filePath(QStringLiteral("ソラミ君.ini")));
            ini.writeString(QStringLiteral("問題ファイル名"), QStringLiteral("PFileName"),
                            sorami::toSjis(file));
            ini.writeInteger(QStringLiteral("問題番号"), QStringLiteral("PProblemNum"), stored);
        }
    }
    sorami::FakePlatform fake;
    sorami::setProgramDirForTesting(programDir.path());
    TSorami w(fake);
    fake.clearRecords();
    fake.messageAnswers.push_back(MsgResult::Yes);
    w.Kioku->click();
    QCOMPARE(fake.messages.size(), 1);
    QCOMPARE(fake.messages[0].text, QStringLiteral("前回終了問題から始めます。\r\nいいですか？"));
    QCOMPARE(fake.messages[0].buttons, MsgButtons::YesNo);
    QCOMPARE(fake.messages[0].icon, MsgIcon::Question);
    QCOMPARE(w.problemFileName(), file);
    QCOMPARE(w.N_Mondai->text().toInt(), expected);
    QCOMPARE(w.WabunDisp->toPlainText(), QStringLiteral("問題%1").arg(expected));
    QVERIFY(w.Susumeru->isEnabled());
}

void TestLifecycle::resumeWithoutRecord() {
    Drill d;
    d.fake.clearRecords();
    d.fake.messageAnswers.push_back(MsgResult::Yes);
    d.w->KiokuClick();
    QCOMPARE(d.fake.messages.size(), 1);
    QVERIFY(!d.w->fileLoaded());
    QVERIFY(d.w->problemFileName().isEmpty());

    // Answering No reads nothing at all.
    sorami::ProfileIni(d.iniPath())
        .writeString(QStringLiteral("問題ファイル名"), QStringLiteral("PFileName"),
                     sorami::toSjis(d.file(QStringLiteral("x.lko"), questionFile(2))));
    d.fake.messageAnswers.push_back(MsgResult::No);
    d.w->KiokuClick();
    QVERIFY(!d.w->fileLoaded());
}

void TestLifecycle::resumeWithEmptyNameKeepsFileInUse() {
    Drill d;
    const QString file = d.openQuestions(4);
    sorami::ProfileIni ini(d.iniPath());
    ini.writeString(QStringLiteral("問題ファイル名"), QStringLiteral("PFileName"), "");
    ini.writeInteger(QStringLiteral("問題番号"), QStringLiteral("PProblemNum"), 3);
    d.fake.clearRecords();
    d.fake.messageAnswers.push_back(MsgResult::Yes);
    d.w->KiokuClick();
    QCOMPARE(d.fake.messageTexts().value(1), QStringLiteral("前回の問題は記憶されていません"));
    QCOMPARE(d.fake.messages.value(1).buttons, MsgButtons::Ok);
    // The lines in memory still belong to the file in use.
    QCOMPARE(d.w->problemFileName(), file);
    QCOMPARE(d.number(), 3);
}

QTEST_MAIN(TestLifecycle)
#include "test_srmi105_lifecycle.moc"
