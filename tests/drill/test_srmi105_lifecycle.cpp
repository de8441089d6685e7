// The drill window from creation to closing: start-up state, the texts it
// shows, keys that reach the menus, and the resume record written on exit.
#include "Demofrm.h"
#include "drill_fixture.h"

#include <QApplication>
#include <QMenuBar>
#include <QSignalSpy>

using namespace drilltest;
using sorami::MsgButtons;
using sorami::MsgIcon;
using sorami::MsgResult;

class TestLifecycle : public QObject {
    Q_OBJECT
private slots:
    void nameBoxAndSplash();
    void nameBoxCancelled();
    void initialState();
    void texts_data();
    void texts();
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
    QCOMPARE(splash->size(), QSize(518, 328));
    QVERIFY(splash->windowFlags() & Qt::FramelessWindowHint);
    QCOMPARE(splash->Label1->text(), QStringLiteral("ガンバレソラミ君"));
    QCOMPARE(splash->Label3->text(), QStringLiteral("Ver1.0５"));
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

void TestLifecycle::texts_data() {
    QTest::addColumn<QString>("what");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("expected");
    Drill d;
    auto* w = d.w.get();
    const auto act = [](QAction* a) {
        return a->text() + (a->shortcut().isEmpty()
                                ? QString()
                                : QStringLiteral("\t") + a->shortcut().toString());
    };
    const auto row = [](const char* what, const QString& shown, const QString& expected) {
        QTest::newRow(what) << QString::fromUtf8(what) << shown << expected;
    };
    row("caption", w->windowTitle(), QStringLiteral("がんばれソラミ君・ＬｋＯ"));
    row("DataFile", w->DataFile->title(), QStringLiteral("［ﾌｧｲﾙ(&F)］"));
    row("FileOpn", act(w->FileOpn), QStringLiteral("ファイル(*.lko)を開く(&O)\tCtrl+O"));
    row("FileStore", act(w->FileStore),
        QStringLiteral("ファイル(*.lko)を上書き保存する(&S)\tCtrl+S"));
    row("NewFileName", act(w->NewFileName),
        QStringLiteral("ファイルに名前を付けて保存する(&N)\tCtrl+N"));
    row("Closed", act(w->Closed), QStringLiteral("終了(&X)\tCtrl+X"));
    row("DataKakou", w->DataKakou->title(), QStringLiteral("［ﾃﾞｰﾀ(&D)］"));
    row("CopyClipBoard", w->CopyClipBoard->title(), QStringLiteral("(To ClipBord）　 コピー"));
    row("FromClipBoard", w->FromClipBoard->title(), QStringLiteral("(From ClipBoard）貼リ付け"));
    row("KiritoriClipBoard", w->KiritoriClipBoard->title(),
        QStringLiteral("(To ClipBoard）　切り取り"));
    row("SoramiReport", act(w->SoramiReport), QStringLiteral("ソラミ君の成績をﾚﾎﾟｰﾄする"));
    row("BlockReport", act(w->BlockReport), QStringLiteral("Block出題成績をﾚﾎﾟｰﾄする"));
    row("Font", w->Font->title(), QStringLiteral("［環境(&K)］"));
    row("K1", w->K1->title(), QStringLiteral("効果（音声/音/なし）"));
    row("MatigaiSyutudaiOnly", act(w->MatigaiSyutudaiOnly), QStringLiteral("間違問題のみ"));
    row("EMemoNote", w->EMemoNote->text(), QStringLiteral("［メモ(&M)]"));
    row("EMemNote", w->EMemNote->text(), QStringLiteral("[ﾍﾙﾌﾟ(&H)]"));
    row("EMemoDispVersion", w->EMemoDispVersion->text(), QStringLiteral("[ﾊﾞｰｼﾞｮﾝ(&V)]"));
    row("N6", act(w->N6), QStringLiteral("ファイルを開く(&O)\tCtrl+O"));
    row("N11", act(w->N11), QStringLiteral("間違い問題のみ(&D)\tCtrl+D"));
    row("N15", act(w->N15), QStringLiteral("成績結果の削除\tCtrl+Del"));
    row("N20", act(w->N20), QStringLiteral("ソラミ君メモ(&M)\tCtrl+M"));
    row("X1", act(w->X1), QStringLiteral("ガンバレソラミ君終了(&X)\tCtrl+X"));
    row("Modosu", w->Modosu->text(), QStringLiteral("戻　す"));
    row("Owari", w->Owari->text(), QStringLiteral("終　了"));
    row("EraseKaitou", w->EraseKaitou->text(), QStringLiteral("解答ﾏｽｸ"));
    row("Kioku", w->Kioku->text() + w->Kioku->toolTip(), QStringLiteral("前回前回呼出し"));
    row("SpeedButton3", w->SpeedButtons[3]->toolTip(), QStringLiteral("ﾌｧｲﾙに名前を付けて保存"));
    row("SpeedButton10", w->SpeedButtons[10]->toolTip(), QStringLiteral("和文箱のｶﾗ-"));
    row("SpeedButton16", w->SpeedButtons[16]->toolTip(), QStringLiteral("音声･効果音なし"));
    row("SpeedButton18", w->SpeedButtons[18]->toolTip(), QStringLiteral("和文ﾌｫﾝﾄの種類"));
    row("SpeedButton", w->SpeedButton->text() + w->SpeedButton->toolTip(),
        QStringLiteral("SpedBtnspdBtnｶﾊﾞ-SW"));
    row("Syutudai_No", w->Syutudai_No->toolTip(), QStringLiteral("Originｲﾝﾌﾟｯﾄ箱"));
    row("Panel11", w->Panel11->toolTip(), QStringLiteral("正解率ｽｹｰﾙ"));
    row("RadioGroup1", w->RadioGroup1->title(), QStringLiteral("RadioGroup1"));
    row("RadioGroup1.2", w->RadioGroup1Items->button(2)->text(), QStringLiteral("電源カット"));
    // The pop-up, in its order, separators as dashes.
    QStringList popup;
    for (QAction* a : w->PopupMenu1->actions())
        popup << (a->isSeparator() ? QStringLiteral("-") : a->text());
    row("PopupMenu1", popup.join(QLatin1Char('|')),
        QStringLiteral("ファイルを開く(&O)|上書き保存(&S)|名前を付けて保存(&N)|-|シリアル出題(&P)|"
                       "ランダム出題(&R)|間違い問題のみ(&D)|-|ソラミ君成績(&E)|ブロック問題成績(&"
                       "B)|-|成績結果の削除|-|フラッシュ送りの音|-|成績発表の派手な音|-|ソラミ君メ"
                       "モ(&M)|-|ガンバレソラミ君終了(&X)"));
}

void TestLifecycle::texts() {
    QFETCH(QString, shown);
    QFETCH(QString, expected);
    QCOMPARE(shown, expected);
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
