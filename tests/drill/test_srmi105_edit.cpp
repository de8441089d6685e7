// Editing ten questions through the drill window: add, change, delete and
// cancel with where the learner lands, the total, the list in memory and on
// disk and the cues; and the nine clipboard items through the real clipboard.
#include "Settime1.h"
#include "drill_fixture.h"
#include "form_kit.h"
#include "modal_script.h"

#include <QApplication>
#include <QClipboard>
#include <QPushButton>
#include <QToolButton>

using namespace drilltest;
using sorami::MsgResult;

namespace {

// One edit of a file of ten questions (the fourth marked) and what it leaves.
struct EditCase {
    const char* name;
    int at;           // question in hand; 0: no file opened
    const char* tail; // lines after the ten questions
    const char* op;
    int number;       // question in hand afterwards
    int total;        // the total shown when it changed, else -1
    int lines;        // in memory
    const char* disk; // lines checked on disk: "number=text;..."
    bool changed;     // the exit would write the list
    const char* sounds;
    const char* box; // the start of the last box shown
};
const EditCase editCases[] = {
    {"add after 4", 4, "", "add", 5, 11, 33, "13=新しい;14=New.;15=new idiom;33=idiom 10", false,
     "up.wav", "データを追加登録"},
    {"add after the last", 10, "", "add", 11, 11, 33, "30=idiom 10;31=新しい;33=new idiom", false,
     "up.wav", "データを追加登録"},
    {"add without idiom", 4, "", "add-no-idiom", 4, -1, 30, "12=idiom 4;13=問題5", false,
     "poki.wav", "追加問題がきちんと"},
    {"add, break typed", 2, "", "add-break", 3, 11, 33, "7=新しい 行;8=New.;10=問題3", false,
     "up.wav", "データを追加登録"},
    {"change keeps the mark", 4, "", "change", 4, -1, 30, "10=? 問題4;11=Changed.;12=", false,
     "up.wav", "データを変更登録"},
    {"delete the last", 10, "", "delete", 1, 9, 27, "30=idiom 10", true, "up.wav", "問題10 を削除"},
    {"delete, cancelled", 4, "", "delete-cancel", 4, -1, 30, "30=idiom 10", false, "cancel.wav",
     "? 問題4 を削除"},
    {"delete a one-line tail", 11, "extra\r\n", "delete", 1, 10, 30, "31=extra", true, "up.wav",
     "extra"},
    {"change a two-line tail", 11, "extra\r\nmore\r\n", "change", 11, -1, 32,
     "31=extra;32=Changed.;33=", false, "up.wav", "データを変更登録"},
    {"delete all", 4, "", "delete-all", 1, 0, 0, "30=idiom 10", false, "", "すべてのデータ"},
    {"cancel add, Yes, add again", 4, "", "add-cancel-yes", 4, -1, 30, "13=問題5", false,
     "cancel.wav", "データを追加登録"},
    {"cancel add, No, add on", 4, "", "add-cancel-no", 5, 11, 33, "13=新しい", false, "up.wav",
     "データの追加登録をキャンセル"},
    {"cancel change, Yes, change again", 4, "", "change-cancel-yes", 4, -1, 30, "11=Answer 4.",
     false, "cancel.wav", "データを変更登録"},
    {"cancel change, No, change on", 4, "", "change-cancel-no", 4, -1, 30, "11=Changed.", false,
     "up.wav", "データの変更登録をキャンセル"},
    {"add, no file", 0, "", "add", 1, -1, 0, "", false, "", "問題ファイルが開かれていません"},
};

} // namespace

class TestEdit : public QObject {
    Q_OBJECT
private slots:
    void edit_data();
    void edit();
    void movesWaitForAnEdit_data();
    void movesWaitForAnEdit();
    void clipboardItems_data();
    void clipboardItems();
};

void TestEdit::edit_data() {
    QTest::addColumn<int>("index");
    for (const EditCase& c : editCases)
        QTest::newRow(c.name) << static_cast<int>(&c - editCases);
}

void TestEdit::edit() {
    QFETCH(int, index);
    const EditCase& c = editCases[index];
    const int at = c.at;
    const QString op = QString::fromUtf8(c.op);
    Drill d;
    const QString file = d.file(QStringLiteral("q.lko"), questionFile(10, {4}) + c.tail);
    if (at > 0) d.open(file);
    for (int k = 1; k < at; ++k)
        d.w->SusumeruClick();
    d.fake.clearRecords();
    TSorami& w = *d.w;
    const bool adding = op.startsWith(u"add");
    if (adding || op.startsWith(u"change")) {
        (adding ? w.DataTuika : w.DataHenkou)->trigger();
        if (adding)
            w.WabunDisp->setPlainText(op == u"add-break" ? QStringLiteral("新しい\n行")
                                                         : QStringLiteral("新しい"));
        w.SeikaiDisp->setPlainText(adding ? QStringLiteral("New.") : QStringLiteral("Changed."));
        w.KaitouDisp->setPlainText(adding && op != u"add-no-idiom" ? QStringLiteral("new idiom")
                                                                   : QString());
        if (op.contains(u"cancel")) {
            d.fake.messageAnswers.push_back(op.endsWith(u"yes") ? MsgResult::Yes : MsgResult::No);
            w.Cancel_Btn->click();
            // The window comes back with the edit's end only: while the
            // edit goes on, a move would overwrite the boxes.
            QCOMPARE(w.KaitouSakusei->isEnabled(), op.endsWith(u"yes"));
            QCOMPARE(w.AutoSend->isEnabled(), op.endsWith(u"yes"));
        }
        (adding ? w.Tuika_Btn : w.Henkou_Btn)->click();
    } else {
        d.fake.messageAnswers.push_back(op == u"delete-cancel" ? MsgResult::Cancel : MsgResult::Ok);
        (op == u"delete-all" ? w.SpeedButtons[8] : static_cast<QAbstractButton*>(w.Sakuzyo_Btn))
            ->click();
    }
    QCOMPARE(w.session().questionNumber(), c.number);
    const int total = at == 0 ? -1 : c.total < 0 ? 10 : c.total;
    QCOMPARE(w.SouMondaiSuu->toPlainText(),
             total < 0 ? QString() : QStringLiteral("総問題数:%1").arg(total));
    QCOMPARE(w.session().lineCount(), c.lines);
    QCOMPARE(w.session().changed(), c.changed);
    QCOMPARE(w.problemFileName().isEmpty(), op == u"delete-all" || at == 0);
    // Without a file the window says so, as the add does: no name, nothing to drill.
    if (op == u"delete-all")
        QVERIFY(w.FileNameDisp->toPlainText().isEmpty() && !w.Susumeru->isEnabled());
    QCOMPARE(d.fake.soundNames().join(u','), QString::fromUtf8(c.sounds));
    const QString lastBox = d.fake.messageTexts().last();
    QVERIFY2(lastBox.startsWith(QString::fromUtf8(c.box)), qPrintable(lastBox));
    QCOMPARE(d.fake.errorTexts(), QStringList());
    QCOMPARE(d.fake.unscripted, 0);
    const QStringList onDisk = u(readBytes(file)).split(QStringLiteral("\r\n"));
    for (const QString& check : QString::fromUtf8(c.disk).split(u';', Qt::SkipEmptyParts)) {
        const int n = check.section(u'=', 0, 0).toInt();
        QCOMPARE(onDisk.value(n - 1), check.section(u'=', 1));
    }
    // Where the question moved, the number label stays as the move left it.
    if (at > 0) QCOMPARE(d.number(), at);
}

void TestEdit::movesWaitForAnEdit_data() {
    QTest::addColumn<QString>("edit");
    QTest::addColumn<QString>("move");
    for (const char* edit : {"add", "change"})
        for (const char* move :
             {"advance button", "go-back button", "right arrow", "up arrow", "down arrow", "jump",
              "automatic advance", "flash advance", "serial order, kept", "random order, kept",
              "delete, kept", "open, kept"})
            QTest::addRow("%s, %s", edit, move) << edit << move;
    QTest::newRow("advance running, add") << "add"
                                          << "running advance";
}

// An add or change kept after "キャンセル" and No: whatever move the learner
// tries, the typed texts stay, no advance claims to run, and the second press
// stores what was typed. A delete or an open asks to end the edit first.
void TestEdit::movesWaitForAnEdit() {
    QFETCH(QString, edit);
    QFETCH(QString, move);
    Drill d;
    const QString file = d.openQuestions(10);
    d.w->SusumeruClick(); // question 2
    TSorami& w = *d.w;
    ModalScript script;
    if (move == u"running advance") {
        script.then(
            [](QWidget* dialog) { qobject_cast<sorami::TSetTimes*>(dialog)->BitBtn1->click(); });
        w.AutoSend->click();
        QVERIFY(w.modes().advance.running());
    }
    const bool adding = edit == u"add";
    (adding ? w.Tuika_Btn : w.Henkou_Btn)->click();
    const QStringList typed = {"打った", "Typed.", "typed idiom"};
    w.WabunDisp->setPlainText(typed[0]);
    w.SeikaiDisp->setPlainText(typed[1]);
    w.KaitouDisp->setPlainText(typed[2]);
    if (move != u"running advance") {
        d.fake.messageAnswers.push_back(MsgResult::No);
        w.Cancel_Btn->click();
    }
    d.fake.clearRecords();
    if (move == u"advance button") w.Susumeru->click();
    if (move == u"go-back button") w.Modosu->click();
    if (move.endsWith(u"arrow"))
        QTest::keyClick(w.KaitouDisp, move.startsWith(u"right") ? Qt::Key_Right
                                      : move.startsWith(u"up")  ? Qt::Key_Up
                                                                : Qt::Key_Down);
    if (move == u"jump") {
        w.UpDown1->press(sorami::UpDown::Button::Up);
        w.Syutudai_Origin->click();
    }
    if (move == u"automatic advance") w.AutoSend->click();
    if (move == u"flash advance") w.AutoDelay->click();
    d.fake.messageAnswers = {MsgResult::No}; // to ending the edit first
    if (move.endsWith(u"order, kept")) (move.startsWith(u"serial") ? w.N9 : w.N10)->trigger();
    if (move == u"running advance") w.Timer2->fire();
    if (move == u"delete, kept") w.DataSakuzyo->trigger();
    if (move == u"open, kept") d.open(file);
    QVERIFY(script.faults.isEmpty());
    QCOMPARE((QStringList{d.wabun(), d.seikai(), w.KaitouDisp->toPlainText()}), typed);
    // Automatic advance moved once at its start.
    const int number = move == u"running advance" ? 3 : 2;
    QCOMPARE(w.session().questionNumber(), number);
    QVERIFY(!w.modes().advance.running());
    QCOMPARE(sorami::backColour(w.Indicator), sorami::ColourValue(sorami::SysColour::BtnFace));
    QVERIFY(!w.AutoSend->isEnabled() && !w.Susumeru->isEnabled());
    (adding ? w.Tuika_Btn : w.Henkou_Btn)->click();
    const QStringList onDisk = u(readBytes(file)).split(QStringLiteral("\r\n"));
    QCOMPARE(onDisk.mid((adding ? number : number - 1) * 3, 3), typed);
    QCOMPARE(w.session().questionCount(), adding ? 11 : 10);
}

void TestEdit::clipboardItems_data() {
    QTest::addColumn<int>("kind");  // copy, paste, cut: the three submenus
    QTest::addColumn<int>("box");   // Japanese, correct answer, answer: the items
    QTest::addColumn<int>("focus"); // the box that has the focus afterwards
    const int focus[3][3] = {{1, 2, 2}, {2, 2, 2}, {1, 2, 1}};
    for (int kind = 0; kind < 3; ++kind)
        for (int box = 0; box < 3; ++box)
            QTest::addRow("%s %d",
                          kind == 0   ? "copy"
                          : kind == 1 ? "paste"
                                      : "cut",
                          box)
                << kind << box << focus[kind][box];
}

void TestEdit::clipboardItems() {
    QFETCH(int, kind);
    QFETCH(int, box);
    QFETCH(int, focus);
    Drill d;
    d.openQuestions(10);
    d.w->show();
    QVERIFY(QTest::qWaitForWindowActive(d.w.get()));
    const QList<QTextEdit*> boxes = {d.w->WabunDisp, d.w->SeikaiDisp, d.w->KaitouDisp};
    const QStringList texts = {"和文です", "Seikai", "Kaitou"};
    for (int i = 0; i < 3; ++i)
        boxes[i]->setPlainText(texts[i]);
    boxes[box]->selectAll();
    QGuiApplication::clipboard()->setText(QStringLiteral("貼る"));
    // The item as the learner reaches it in the data menu.
    const QList<QMenu*> menus = {d.w->CopyClipBoard, d.w->FromClipBoard, d.w->KiritoriClipBoard};
    const QStringList captions = {"(To ClipBord）　 コピー", "(From ClipBoard）貼リ付け",
                                  "(To ClipBoard）　切り取り"};
    QVERIFY(d.w->DataKakou->actions().contains(menus[kind]->menuAction()));
    QCOMPARE(menus[kind]->title(), captions[kind]);
    QAction* item = menus[kind]->actions().at(box);
    QCOMPARE(item->text(), (QStringList{"和文箱", "正解箱", "解答箱"}[box]));
    item->trigger();
    QCOMPARE(boxes[box]->toPlainText(), kind == 0 ? texts[box] : kind == 1 ? "貼る" : "");
    QCOMPARE(QGuiApplication::clipboard()->text(), kind == 1 ? "貼る" : texts[box]);
    QCOMPARE(d.w->focusWidget(), boxes[focus]);
}

QTEST_MAIN(TestEdit)
#include "test_srmi105_edit.moc"
