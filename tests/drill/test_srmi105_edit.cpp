// Editing ten questions through the drill window: add, change and delete
// with where the learner lands, the total, the list in memory and on disk
// and the cues; the two answers to the cancel question; and the nine
// clipboard items through the real clipboard.
#include "drill_fixture.h"

#include <QApplication>
#include <QClipboard>
#include <QPushButton>
#include <QToolButton>

using namespace drilltest;
using sorami::MsgResult;

namespace {

int lineCount(const std::string& bytes) {
    return static_cast<int>(std::count(bytes.begin(), bytes.end(), '\n'));
}

} // namespace

class TestEdit : public QObject {
    Q_OBJECT
private slots:
    void edit_data();
    void edit();
    void cancel_data();
    void cancel();
    void clipboardItems_data();
    void clipboardItems();
};

void TestEdit::edit_data() {
    QTest::addColumn<int>("at");       // question in hand; 0: no file opened
    QTest::addColumn<QString>("tail"); // lines after the ten questions
    QTest::addColumn<QString>("op");
    QTest::addColumn<int>("number"); // question in hand afterwards
    QTest::addColumn<QString>("total");
    QTest::addColumn<int>("lines");    // in memory
    QTest::addColumn<QString>("disk"); // line numbers and texts checked on disk, "n=text;..."
    QTest::addColumn<bool>("changed"); // the exit would write the list
    QTest::addColumn<QString>("sounds");
    QTest::addColumn<QString>("box"); // the first words of the last box shown
    QTest::newRow("add after 4") << 4 << ""
                                 << "add" << 5 << "総問題数:11" << 33
                                 << "13=新しい;14=New.;15=new idiom;33=idiom 10" << false
                                 << "up.wav"
                                 << "データを追加登録";
    QTest::newRow("add after the last") << 10 << ""
                                        << "add" << 11 << "総問題数:11" << 33
                                        << "30=idiom 10;31=新しい;33=new idiom" << false << "up.wav"
                                        << "データを追加登録";
    QTest::newRow("add without idiom") << 4 << ""
                                       << "add-no-idiom" << 4 << "総問題数:10" << 30
                                       << "12=idiom 4;13=問題5" << false << "poki.wav"
                                       << "追加問題がきちんと";
    QTest::newRow("add, break typed") << 2 << ""
                                      << "add-break" << 3 << "総問題数:11" << 33
                                      << "7=新しい 行;8=New.;10=問題3" << false << "up.wav"
                                      << "データを追加登録";
    QTest::newRow("change keeps the mark")
        << 4 << ""
        << "change" << 4 << "総問題数:10" << 30 << "10=? 問題4;11=Changed.;12=" << false << "up.wav"
        << "データを変更登録";
    QTest::newRow("delete the last")
        << 10 << ""
        << "delete" << 1 << "総問題数:9" << 27 << "30=idiom 10" << true << "up.wav"
        << "問題10 を削除";
    QTest::newRow("delete, cancelled")
        << 4 << ""
        << "delete-cancel" << 4 << "総問題数:10" << 30 << "30=idiom 10" << false << "cancel.wav"
        << "? 問題4 を削除";
    QTest::newRow("delete a one-line tail")
        << 11 << "extra\r\n"
        << "delete" << 1 << "総問題数:10" << 30 << "31=extra" << true << "up.wav"
        << "extra";
    QTest::newRow("change a two-line tail")
        << 11 << "extra\r\nmore\r\n"
        << "change" << 11 << "総問題数:10" << 32 << "31=extra;32=Changed.;33=" << false << "up.wav"
        << "データを変更登録";
    QTest::newRow("delete all") << 4 << ""
                                << "delete-all" << 1 << "総問題数:10" << 0 << "30=idiom 10" << false
                                << ""
                                << "すべてのデータ";
    QTest::newRow("add, no file") << 0 << ""
                                  << "add" << 1 << "" << 0 << "" << false << ""
                                  << "問題ファイルが開かれていません";
}

void TestEdit::edit() {
    QFETCH(int, at);
    QFETCH(QString, tail);
    QFETCH(QString, op);
    QFETCH(int, number);
    QFETCH(QString, total);
    QFETCH(int, lines);
    QFETCH(QString, disk);
    QFETCH(bool, changed);
    QFETCH(QString, sounds);
    QFETCH(QString, box);
    Drill d;
    const QString file =
        d.file(QStringLiteral("q.lko"), questionFile(10, {4}) + tail.toStdString());
    if (at > 0) d.open(file);
    for (int k = 1; k < at; ++k)
        d.w->SusumeruClick();
    d.fake.clearRecords();
    TSorami& w = *d.w;
    if (op.startsWith(u"add")) {
        w.DataTuika->trigger();
        w.WabunDisp->setPlainText(op == u"add-break" ? QStringLiteral("新しい\n行")
                                                     : QStringLiteral("新しい"));
        w.SeikaiDisp->setPlainText(QStringLiteral("New."));
        w.KaitouDisp->setPlainText(op == u"add-no-idiom" ? QString() : QStringLiteral("new idiom"));
        w.Tuika_Btn->click();
    } else if (op == u"change") {
        w.Henkou_Btn->click();
        w.SeikaiDisp->setPlainText(QStringLiteral("Changed."));
        w.KaitouDisp->clear();
        w.Henkou_Btn->click();
    } else {
        d.fake.messageAnswers.push_back(op == u"delete-cancel" ? MsgResult::Cancel : MsgResult::Ok);
        (op == u"delete-all" ? w.SpeedButtons[8] : static_cast<QAbstractButton*>(w.Sakuzyo_Btn))
            ->click();
    }
    QCOMPARE(w.session().questionNumber(), number);
    QCOMPARE(w.SouMondaiSuu->toPlainText(), total);
    QCOMPARE(w.session().lineCount(), lines);
    QCOMPARE(w.session().changed(), changed);
    QCOMPARE(w.problemFileName().isEmpty(), op == u"delete-all" || at == 0);
    QCOMPARE(d.fake.soundNames().join(u','), sounds);
    QVERIFY2(d.fake.messageTexts().last().startsWith(box),
             qPrintable(d.fake.messageTexts().last()));
    QCOMPARE(d.fake.errorTexts(), QStringList());
    QCOMPARE(d.fake.unscripted, 0);
    const QStringList onDisk = u(readBytes(file)).split(QStringLiteral("\r\n"));
    for (const QString& check : disk.split(u';', Qt::SkipEmptyParts)) {
        const int n = check.section(u'=', 0, 0).toInt();
        QCOMPARE(onDisk.value(n - 1), check.section(u'=', 1));
    }
    // Where the question moved, the number label stays as the move left it.
    if (at > 0) QCOMPARE(d.number(), at);
}

void TestEdit::cancel_data() {
    QTest::addColumn<bool>("change"); // the pending edit: change, else add
    QTest::addColumn<MsgResult>("answer");
    QTest::newRow("add, Yes") << false << MsgResult::Yes;
    QTest::newRow("add, No") << false << MsgResult::No;
    QTest::newRow("change, Yes") << true << MsgResult::Yes;
    QTest::newRow("change, No") << true << MsgResult::No;
}

void TestEdit::cancel() {
    QFETCH(bool, change);
    QFETCH(MsgResult, answer);
    Drill d;
    const QString file = d.openQuestions(10);
    QPushButton* edit = change ? d.w->Henkou_Btn : d.w->Tuika_Btn;
    edit->click();
    d.w->SeikaiDisp->setPlainText(QStringLiteral("Typed."));
    d.w->KaitouDisp->setPlainText(QStringLiteral("typed"));
    d.w->WabunDisp->setPlainText(QStringLiteral("打った"));
    d.fake.clearRecords();
    d.fake.messageAnswers.push_back(answer);
    d.w->Cancel_Btn->click();
    const bool kept = answer == MsgResult::No;
    QCOMPARE(d.fake.soundNames(), kept ? QStringList() : QStringList{"cancel.wav"});
    QCOMPARE(change ? d.w->changeStep() : d.w->addStep(), kept ? 1 : 0);
    // The window is unlocked whatever the answer.
    for (QWidget* c : d.w->runControls() + d.w->drillButtons() + d.w->editButtons())
        QVERIFY(c->isEnabled());
    QCOMPARE(d.message().isEmpty(), !kept);
    // A pending edit completes with the next press; a cancelled one starts again.
    edit->click();
    const std::string disk = readBytes(file);
    QCOMPARE(lineCount(disk), kept && !change ? 33 : 30);
    QCOMPARE(disk.find("Typed.") != std::string::npos, kept);
}

void TestEdit::clipboardItems_data() {
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("box");       // the box the item works on
    QTest::addColumn<QString>("left");      // what that box holds afterwards
    QTest::addColumn<QString>("clipboard"); // afterwards
    QTest::addColumn<QString>("focus");
    QTest::addColumn<QString>("menu"); // the submenu's caption
    const QString w = QStringLiteral("和文です"), s = QStringLiteral("Seikai"),
                  k = QStringLiteral("Kaitou"), clip = QStringLiteral("貼る");
    QTest::newRow("CWabun_Box") << "CWabun_Box"
                                << "WabunDisp" << w << w << "SeikaiDisp"
                                << "(To ClipBord）　 コピー";
    QTest::newRow("CSeikai_Box") << "CSeikai_Box"
                                 << "SeikaiDisp" << s << s << "KaitouDisp"
                                 << "(To ClipBord）　 コピー";
    QTest::newRow("CKaitou_Box") << "CKaitou_Box"
                                 << "KaitouDisp" << k << k << "KaitouDisp"
                                 << "(To ClipBord）　 コピー";
    QTest::newRow("FWabun_Box") << "FWabun_Box"
                                << "WabunDisp" << clip << clip << "KaitouDisp"
                                << "(From ClipBoard）貼リ付け";
    QTest::newRow("FSeikai_Box") << "FSeikai_Box"
                                 << "SeikaiDisp" << clip << clip << "KaitouDisp"
                                 << "(From ClipBoard）貼リ付け";
    QTest::newRow("FKaitou_Box") << "FKaitou_Box"
                                 << "KaitouDisp" << clip << clip << "KaitouDisp"
                                 << "(From ClipBoard）貼リ付け";
    QTest::newRow("KWabun_Box") << "KWabun_Box"
                                << "WabunDisp"
                                << "" << w << "SeikaiDisp"
                                << "(To ClipBoard）　切り取り";
    QTest::newRow("KSeikai_Box") << "KSeikai_Box"
                                 << "SeikaiDisp"
                                 << "" << s << "KaitouDisp"
                                 << "(To ClipBoard）　切り取り";
    QTest::newRow("KKaitouBox") << "KKaitouBox"
                                << "KaitouDisp"
                                << "" << k << "SeikaiDisp"
                                << "(To ClipBoard）　切り取り";
}

void TestEdit::clipboardItems() {
    QFETCH(QString, item);
    QFETCH(QString, box);
    QFETCH(QString, left);
    QFETCH(QString, clipboard);
    QFETCH(QString, focus);
    Drill d;
    d.openQuestions(10);
    d.w->show();
    QVERIFY(QTest::qWaitForWindowActive(d.w.get()));
    d.w->WabunDisp->setPlainText(QStringLiteral("和文です"));
    d.w->SeikaiDisp->setPlainText(QStringLiteral("Seikai"));
    d.w->KaitouDisp->setPlainText(QStringLiteral("Kaitou"));
    auto* source = d.w->findChild<QTextEdit*>(box);
    source->selectAll();
    QGuiApplication::clipboard()->setText(QStringLiteral("貼る"));
    QFETCH(QString, menu);
    const TSorami& w = *d.w;
    const QMap<QString, QAction*> items = {
        {"CWabun_Box", w.CWabun_Box},   {"CSeikai_Box", w.CSeikai_Box},
        {"CKaitou_Box", w.CKaitou_Box}, {"FWabun_Box", w.FWabun_Box},
        {"FSeikai_Box", w.FSeikai_Box}, {"FKaitou_Box", w.FKaitou_Box},
        {"KWabun_Box", w.KWabun_Box},   {"KSeikai_Box", w.KSeikai_Box},
        {"KKaitouBox", w.KKaitouBox}};
    QAction* action = items.value(item);
    // The item as the learner reaches it, inside its submenu of the data menu.
    const auto* submenu = qobject_cast<QMenu*>(action->parent());
    QVERIFY(submenu && w.DataKakou->actions().contains(submenu->menuAction()));
    QCOMPARE(submenu->title(), menu);
    action->trigger();
    QCOMPARE(source->toPlainText(), left);
    QCOMPARE(QGuiApplication::clipboard()->text(), clipboard);
    QCOMPARE(d.w->focusWidget()->objectName(), focus);
}

QTEST_MAIN(TestEdit)
#include "test_srmi105_edit.moc"
