// The question file through the drill window: reading rules, totals,
// failed loads, saving and saving under a new name.
#include "drill_fixture.h"

using namespace drilltest;
using sorami::MsgResult;

class TestQuestionFileInWindow : public QObject {
    Q_OBJECT
private slots:
    void load_data();
    void load();
    void loadShowsFirstQuestionAndUnlocks();
    void loadCountsMarksOfTheNewFile();
    void failedLoadKeepsPreviousListAndName();
    void cancelledOpenChangesNothing();
    void dialogsCarryTheFilterList();
    void saveRefusedOnEmptyList();
    void saveWritesCrLfUnderConfirmedName();
    void saveAsShowsTwoDialogsAndChangesCaption();
    void saveAsOnEmptyListWritesNothing();
    void unwritableTargetReportsAndKeepsList();
    void untouchedInvalidBytesGoBackUnchanged();
};

void TestQuestionFileInWindow::load_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("total");
    const auto b = [](const char* s, int n) { return QByteArray(s, n); };
    QTest::newRow("CR LF") << b("a\r\nb\r\nc", 7) << QStringList{"a", "b", "c"} << "総問題数:1";
    QTest::newRow("final CR LF") << b("a\r\nb\r\nc\r\n", 9) << QStringList{"a", "b", "c"}
                                 << "総問題数:1";
    QTest::newRow("LF") << b("a\nb\nc\n", 6) << QStringList{"a", "b", "c"} << "総問題数:1";
    QTest::newRow("CR, LF mixed") << b("a\rb\nc", 5) << QStringList{"a", "b", "c"} << "総問題数:1";
    QTest::newRow("CR LF CR LF") << b("\r\n\r\n", 4) << QStringList{"", ""} << "総問題数:0";
    QTest::newRow("LF CR") << b("\n\r", 2) << QStringList{"", ""} << "総問題数:0";
    QTest::newRow("empty model answer")
        << b("a\r\n\r\nc\r\n", 7) << QStringList{"a", "", "c"} << "総問題数:1";
    QTest::newRow("NUL ends the text")
        << b("a\r\nb\0c\r\nd\r\ne\r\nf", 15) << QStringList{"a", "b"} << "総問題数:0";
    QTest::newRow("blanks kept") << b(" a \r\n  \r\nC ", 11) << QStringList{" a ", "  ", "C "}
                                 << "総問題数:1";
    QTest::newRow("empty file") << QByteArray() << QStringList{} << "総問題数:0";
    QByteArray lines31;
    QStringList expected31;
    for (int i = 0; i < 31; ++i) {
        lines31 += "L" + QByteArray::number(i) + "\r\n";
        expected31 << QStringLiteral("L%1").arg(i);
    }
    QTest::newRow("31 lines") << lines31 << expected31 << "総問題数:10";
}

void TestQuestionFileInWindow::load() {
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, lines);
    QFETCH(QString, total);
    Drill d;
    d.open(d.file(QStringLiteral("t.txt"), bytes.toStdString()));
    QVERIFY(d.fake.errorTexts().isEmpty());
    QStringList got;
    for (const auto& l : d.w->session().questionLines())
        got << u(l);
    QCOMPARE(got, lines);
    QCOMPARE(d.w->SouMondaiSuu->toPlainText(), total);
    QCOMPARE(d.w->FileNameDisp->toPlainText(), QStringLiteral("t.txt"));
    // Even a file without a question unlocks the drill.
    QVERIFY(d.w->Susumeru->isEnabled());
    QVERIFY(d.w->fileLoaded());
}

void TestQuestionFileInWindow::loadShowsFirstQuestionAndUnlocks() {
    Drill d;
    d.w->SusumeruClick(); // nothing loaded: the move shows nothing
    const QString file = d.openQuestions(5, {3});
    auto* w = d.w.get();
    QCOMPARE(w->windowTitle(), QStringLiteral("ソラミ君 ＬｋＯ"));
    QCOMPARE(w->problemFileName(), file);
    QCOMPARE(w->N_Mondai->text(), QStringLiteral("1"));
    QCOMPARE(w->session().currentLine(), 0);
    QCOMPARE(d.wabun(), QStringLiteral("問題1"));
    QCOMPARE(d.seikai(), QStringLiteral("idiom 1"));
    QCOMPARE(w->KaitouDisp->toPlainText(), QString());
    for (QWidget* c : w->runControls() + w->drillButtons() + w->editButtons())
        QVERIFY(c->isEnabled());
    QVERIFY(w->SirialSyutudai->isEnabled());
    QVERIFY(w->RandomSyutudai->isEnabled());
    QVERIFY(w->MatigaiSyutudaiOnly->isEnabled());
    QCOMPARE(w->session().mistakeCount(), 1);

    // A file without marks leaves the mistakes-only item greyed.
    d.openQuestions(4, {}, QStringLiteral("b.lko"));
    QVERIFY(!w->MatigaiSyutudaiOnly->isEnabled());
    QCOMPARE(w->session().mistakeCount(), 0);
}

void TestQuestionFileInWindow::loadCountsMarksOfTheNewFile() {
    Drill d;
    d.openQuestions(50, {1, 2, 3, 40, 50});
    for (int i = 1; i < 40; ++i)
        d.w->SusumeruClick();
    QCOMPARE(d.number(), 40);
    d.answer(QStringLiteral("Answer 40.")); // removes one mark in memory
    QCOMPARE(d.w->session().mistakeCount(), 4);
    d.w->EffectSoundClick();
    d.w->KaitouDisp->setPlainText(QStringLiteral("typed"));
    // The incomplete triple at the end counts for nothing.
    d.open(d.file(QStringLiteral("c.lko"), questionFile(3, {2, 3}) + "? " + "tail\r\n"));
    QCOMPARE(d.w->session().mistakeCount(), 2);
    QCOMPARE(d.number(), 1);
    QCOMPARE(d.wabun(), QStringLiteral("問題1"));
    QCOMPARE(d.w->KaitouDisp->toPlainText(), QString());
    QCOMPARE(d.w->N_Kaitou->text(), QStringLiteral("0"));
    QCOMPARE(d.w->soundMode(), TSorami::Sound::Effect); // not reset by a load
}

void TestQuestionFileInWindow::failedLoadKeepsPreviousListAndName() {
    Drill d;
    const QString good = d.openQuestions(3, {}, QStringLiteral("good.lko"));
    d.w->SusumeruClick();
    d.answer(QStringLiteral("wrong"));
    const QString missing = d.path(QStringLiteral("missing.lko"));
    d.fake.clearRecords();
    d.open(missing);
    QCOMPARE(d.fake.errorTexts(), QStringList{QStringLiteral("ﾌｧｲﾙ %1 は開けません").arg(missing)});
    QCOMPARE(d.w->session().questionLines().size(), size_t(9));
    QCOMPARE(u(d.w->session().questionLines()[3]), QStringLiteral("? 問題2"));
    QCOMPARE(d.w->problemFileName(), good);
    QCOMPARE(d.w->FileNameDisp->toPlainText(), QStringLiteral("good.lko"));
    QCOMPARE(d.wabun(), QString()); // the boxes were emptied before the read

    // The exit writes the lines back where they came from, not to the failed name.
    d.w->show();
    QVERIFY(d.w->close());
    QVERIFY(!QFile::exists(missing));
    QCOMPARE(readBytes(good), questionFile(3, {2}));
}

void TestQuestionFileInWindow::cancelledOpenChangesNothing() {
    Drill d;
    const QString file = d.openQuestions(3);
    d.fake.fileAnswers.push_back(std::nullopt);
    d.w->N6->trigger();
    QCOMPARE(d.fake.fileDialogs.size(), 2);
    QCOMPARE(d.w->problemFileName(), file);
    QCOMPARE(d.wabun(), QStringLiteral("問題1"));
}

void TestQuestionFileInWindow::dialogsCarryTheFilterList() {
    Drill d;
    const QString filter =
        QStringLiteral("ソラミ君データ(*.lko)|*.lko|ソラミ君データ(*.sra)|*.sra|ﾃｷｽﾄﾌｧｲﾙ   "
                       "(*.txt)|*.txt|ある特定ﾌｧｲﾙ(*.qvd)|*.qvd|すべてのﾌｧｲﾙ(*.*)|*.*");
    d.fake.fileAnswers.push_back(std::nullopt);
    d.w->SpeedButtons[1]->click();
    d.fake.fileAnswers.push_back(std::nullopt);
    d.w->SpeedButtons[3]->click();
    QCOMPARE(d.fake.fileDialogs.size(), 2);
    for (const auto& dlg : d.fake.fileDialogs) {
        QCOMPARE(dlg.stateShown.filter, filter);
        QCOMPARE(dlg.stateShown.filterIndex, 1);
    }
}

void TestQuestionFileInWindow::saveRefusedOnEmptyList() {
    Drill d;
    d.w->FileStoreClick();
    d.w->Save1->trigger();
    d.w->SpeedButtons[2]->click();
    QVERIFY(d.fake.fileDialogs.isEmpty());
}

void TestQuestionFileInWindow::saveWritesCrLfUnderConfirmedName() {
    Drill d;
    const QString file = d.file(QStringLiteral("lf.lko"), "a\nb\nc");
    d.open(file);
    const QString target = d.path(QStringLiteral("saved.lko"));
    d.fake.fileAnswers.push_back(target);
    d.w->FileStore->trigger();
    QCOMPARE(d.fake.fileDialogs.size(), 2);
    QCOMPARE(d.fake.fileDialogs[1].stateShown.fileName, file); // proposes the file in use
    QVERIFY(d.fake.fileDialogs[1].stateShown.overwritePrompt);
    QCOMPARE(readBytes(target), std::string("a\r\nb\r\nc\r\n"));
    QCOMPARE(d.w->problemFileName(), target);
    QCOMPARE(readBytes(file), std::string("a\nb\nc")); // the old file is left alone
}

void TestQuestionFileInWindow::saveAsShowsTwoDialogsAndChangesCaption() {
    Drill d;
    const QString file = d.openQuestions(2);
    const QString first = d.path(QStringLiteral("first.lko"));
    const QString second = d.path(QStringLiteral("second.lko"));
    d.fake.fileAnswers.push_back(first);
    d.fake.fileAnswers.push_back(second);
    d.w->NewFileName->trigger();
    QCOMPARE(d.fake.fileDialogs.size(), 3);
    QCOMPARE(d.fake.fileDialogs[2].stateShown.fileName, file);
    QCOMPARE(d.w->windowTitle(), first);
    QVERIFY(!QFile::exists(first));
    QCOMPARE(readBytes(second), questionFile(2));
    QCOMPARE(d.w->problemFileName(), second);
}

void TestQuestionFileInWindow::saveAsOnEmptyListWritesNothing() {
    Drill d;
    const QString target = d.path(QStringLiteral("new.lko"));
    d.fake.fileAnswers.push_back(target);
    d.w->SaveAs1->trigger();
    QCOMPARE(d.fake.fileDialogs.size(), 1);
    QCOMPARE(d.w->windowTitle(), target);
    QVERIFY(!QFile::exists(target));
    QVERIFY(d.w->problemFileName().isEmpty());
}

void TestQuestionFileInWindow::unwritableTargetReportsAndKeepsList() {
    Drill d;
    d.openQuestions(2);
    const QString target = d.path(QStringLiteral("no/such/dir/x.lko"));
    d.fake.fileAnswers.push_back(target);
    d.w->FileStore->trigger();
    QCOMPARE(d.fake.errorTexts(),
             QStringList{QStringLiteral("ﾌｧｲﾙ %1 を作成できません").arg(target)});
    QCOMPARE(d.w->session().questionLines().size(), size_t(6));
}

void TestQuestionFileInWindow::untouchedInvalidBytesGoBackUnchanged() {
    Drill d;
    const std::string bytes = std::string("\x82\xa0\xff\x81\r\n") + "model\r\nidiom\r\n";
    const QString file = d.file(QStringLiteral("bad.lko"), bytes);
    d.open(file);
    QVERIFY(d.wabun().contains(QChar(0xFFFD)));
    d.w->show();
    QVERIFY(d.w->close());
    QCOMPARE(readBytes(file), bytes);
}

QTEST_MAIN(TestQuestionFileInWindow)
#include "test_srmi105_file.moc"
