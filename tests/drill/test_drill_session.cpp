// The drill's rules without a window: the moves in the three orders over
// complete, incomplete and empty lists, the jump to a number, the
// byte-for-byte judgement with its length figure, the mistake mark in the
// first line, the live score and the block-run counters.
#include "drill_fixture.h"
#include "drill_session.h"

#include <algorithm>
#include <vector>

using namespace drilltest;
using sorami::DrillSession;
using sorami::Lines;
using Order = DrillSession::Order;
using Jump = DrillSession::Jump;

Q_DECLARE_METATYPE(Jump)

namespace {

Lines questions(int count, const std::set<int>& marked = {}) {
    return sorami::splitLines(questionFile(count, marked));
}

// Lines given in UTF-8, stored as the file stores them.
Lines sjisLines(const QStringList& lines) {
    Lines out;
    for (const QString& l : lines)
        out.push_back(sorami::toSjis(l));
    return out;
}

// A session over `lines`, loaded in serial order.
DrillSession loaded(Lines lines) {
    DrillSession s;
    s.load(std::move(lines), 0);
    return s;
}

} // namespace

class TestDrillSession : public QObject {
    Q_OBJECT
private slots:
    void orders_data();
    void orders();
    void emptyList_data();
    void emptyList();
    void loadDrawsGoBackTargetInRandomOrder_data();
    void loadDrawsGoBackTargetInRandomOrder();
    void loadForgetsTheLastDraw();
    void goBackAfterTheStartWasDeleted();
    void randomDrawsSpread_data();
    void randomDrawsSpread();
    void changesSinceLoadOrSave_data();
    void changesSinceLoadOrSave();
    void jump_data();
    void jump();
    void staleMarkCountIsRecounted();
    void judgement_data();
    void judgement();
    void marks_data();
    void marks();
    void score_data();
    void score();
    void block_data();
    void block();
    void leavingABlockRun();
};

// Each step is "s" (advance), "m" (go back) or "r<n>" (advance with the draw n);
// after each the question number in hand.
void TestDrillSession::orders_data() {
    QTest::addColumn<QString>("order");
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QString>("shown");
    QTest::newRow("serial forward wraps") << "serial"
                                          << "s s s s s s s s s s"
                                          << "2 3 4 5 6 7 8 9 10 1";
    QTest::newRow("serial back wraps") << "serial"
                                       << "m m s s"
                                       << "10 9 10 1";
    // Random: the question after the drawn one; a repeated draw moves on by
    // one more; the go-back returns to the question before the last advance.
    QTest::newRow("random") << "random"
                            << "r7 r8 r29 m m r0 r2 m"
                            << "4 5 1 5 5 2 3 2";
    // Drawing the last question twice: the second draw wraps to question 1
    // and shows question 2.
    QTest::newRow("random last drawn twice") << "random"
                                             << "r0 r27 r27"
                                             << "2 1 2";
    // A draw that would show the question on screen moves on by one.
    QTest::newRow("random draw of the question on screen") << "random"
                                                           << "r7 m r29 r2"
                                                           << "4 1 2 3";
    // Mistakes-only over marks 2 and 7, starting on question 7.
    QTest::newRow("mistakes only") << "mistakes"
                                   << "s s m m s"
                                   << "7 2 7 2 7";
}

void TestDrillSession::orders() {
    QFETCH(QString, order);
    QFETCH(QString, steps);
    QFETCH(QString, shown);
    DrillSession s = loaded(questions(10, {2, 7}));
    if (order == "random") s.setOrder(Order::Random);
    if (order == "mistakes") {
        for (int i = 1; i < 7; ++i)
            QVERIFY(s.advance(0));
        QCOMPARE(s.questionNumber(), 7);
        s.setOrder(Order::MistakesOnly);
        QVERIFY(s.advance(0));
        QCOMPARE(s.questionNumber(), 2); // the first marked question after the current one
    }
    QStringList got;
    for (const QString& step : steps.split(QLatin1Char(' '))) {
        if (step.startsWith(QLatin1Char('r')))
            QVERIFY(s.advance(seedFor(step.mid(1).toInt(), 30)));
        else if (step == "s")
            QVERIFY(s.advance(0));
        else
            QVERIFY(s.goBack());
        got << QString::number(s.questionNumber());
        QCOMPARE(u(s.question()).remove(QStringLiteral("? ")),
                 QStringLiteral("問題%1").arg(s.questionNumber()));
    }
    QCOMPARE(got.join(QLatin1Char(' ')), shown);
}

// Moves over an empty list stay before or on its start and never read a line.
void TestDrillSession::emptyList_data() {
    QTest::addColumn<QString>("steps"); // "s", "m", or "random" to switch order
    QTest::addColumn<QString>("lines"); // the current line after each move
    QTest::newRow("serial") << "s m"
                            << "0 -3";
    QTest::newRow("serial then random") << "s m random s m"
                                        << "0 -3 0 -3";
    QTest::newRow("back twice") << "m m s"
                                << "-3 -3 0";
}

void TestDrillSession::emptyList() {
    QFETCH(QString, steps);
    QFETCH(QString, lines);
    DrillSession s = loaded({});
    QStringList got;
    for (const QString& step : steps.split(QLatin1Char(' '))) {
        if (step == "random") {
            s.setOrder(Order::Random);
            continue;
        }
        QVERIFY(step == "s" ? s.advance(12345) : s.goBack());
        got << QString::number(s.currentLine());
        QVERIFY(s.question().empty());
        QVERIFY(s.modelAnswer().empty());
        QVERIFY(s.idiom().empty());
    }
    QCOMPARE(got.join(QLatin1Char(' ')), lines);
}

void TestDrillSession::loadDrawsGoBackTargetInRandomOrder_data() {
    QTest::addColumn<bool>("random");
    QTest::addColumn<int>("previous"); // the go-back target after the load
    QTest::addColumn<int>("back");     // the question number a go-back shows
    QTest::newRow("random") << true << 12 << 5;
    QTest::newRow("serial") << false << 0 << 10;
}

void TestDrillSession::loadDrawsGoBackTargetInRandomOrder() {
    QFETCH(bool, random);
    QFETCH(int, previous);
    QFETCH(int, back);
    DrillSession s;
    if (random) s.setOrder(Order::Random);
    s.load(questions(10), seedFor(14, 30));
    QCOMPARE(s.previousLine(), previous);
    QCOMPARE(s.questionNumber(), 1);
    QVERIFY(s.goBack());
    QCOMPARE(s.questionNumber(), back);
}

// A new list starts without a last draw: the first draw over it is taken
// as drawn, even when it equals the last draw over the list before.
void TestDrillSession::loadForgetsTheLastDraw() {
    DrillSession s;
    s.setOrder(Order::Random);
    s.load(questions(10), 0);
    QVERIFY(s.advance(seedFor(3, 30)));
    QCOMPARE(s.questionNumber(), 3);
    s.load(questions(10), 0);
    QCOMPARE(s.questionNumber(), 1);
    QVERIFY(s.advance(seedFor(3, 30)));
    QCOMPARE(s.questionNumber(), 3);
}

// In random order the back button returns to where the last advance
// started; a delete that took that question away must not leave the
// position past the end of the list.
void TestDrillSession::goBackAfterTheStartWasDeleted() {
    DrillSession s;
    s.setOrder(Order::Random);
    s.load(questions(3), 0);
    QVERIFY(s.advance(seedFor(3, 9))); // draws question 2, shows the one after it
    QCOMPARE(s.questionNumber(), 3);
    QVERIFY(s.advance(seedFor(0, 9))); // started at question 3
    QCOMPARE(s.questionNumber(), 2);
    s.removeQuestion(6);
    QVERIFY(s.goBack());
    QVERIFY(s.currentLine() >= 0 && s.currentLine() < s.lineCount());
}

// The clock that seeds every draw moves steadily between presses; the
// questions drawn must still land anywhere, never on the one on screen, and
// never walk through the list one by one.
void TestDrillSession::randomDrawsSpread_data() {
    QTest::addColumn<int>("count"); // questions in the list
    QTest::addColumn<int>("step");  // milliseconds between two draws
    for (int count : {12, 36, 100, 333333})
        for (int step : {1, 1000, 997})
            QTest::addRow("%d questions, every %d ms", count, step) << count << step;
}

void TestDrillSession::randomDrawsSpread() {
    QFETCH(int, count);
    QFETCH(int, step);
    DrillSession s;
    s.setOrder(Order::Random);
    s.load(Lines(static_cast<size_t>(count) * 3, "x"), 0);
    const int draws = 2000;
    int seed = 34215000; // 9:30:15 in the morning
    std::vector<int> tenths(10, 0);
    int run = 0, longestRun = 0;
    for (int i = 0; i < draws; ++i, seed += step) {
        const int before = s.questionNumber();
        QVERIFY(s.advance(seed));
        const int now = s.questionNumber();
        QVERIFY2(now != before,
                 qPrintable(QStringLiteral("draw %1 kept question %2").arg(i).arg(now)));
        ++tenths[static_cast<size_t>((now - 1) * 10LL / count)];
        run = now == before + 1 ? run + 1 : 0;
        longestRun = std::max(longestRun, run);
    }
    for (int t = 0; t < 10; ++t)
        QVERIFY2(tenths[static_cast<size_t>(t)] > 0,
                 qPrintable(QStringLiteral("no question drawn in tenth %1").arg(t + 1)));
    QVERIFY2(longestRun <= 5, qPrintable(QStringLiteral("%1 questions in a row").arg(longestRun)));
}

// Each step: "s"/"m" move, "r" right answer, "w" wrong answer, "save",
// "load", "clear"; after each whether the list differs from the file.
void TestDrillSession::changesSinceLoadOrSave_data() {
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QString>("changed");
    QTest::newRow("moves only") << "s s m"
                                << "0 0 0";
    QTest::newRow("wrong answer marks") << "w w"
                                        << "1 1";
    QTest::newRow("right answer on an unmarked question") << "s r"
                                                          << "0 0";
    QTest::newRow("right answer clears a mark") << "s s r"
                                                << "0 0 1";
    QTest::newRow("save, then mark") << "w save s w"
                                     << "1 0 0 1";
    QTest::newRow("load starts clean") << "w load"
                                       << "1 0";
    QTest::newRow("cleared list") << "w clear"
                                  << "1 0";
}

void TestDrillSession::changesSinceLoadOrSave() {
    QFETCH(QString, steps);
    QFETCH(QString, changed);
    DrillSession s = loaded(questions(5, {3}));
    QVERIFY(!s.changed());
    QStringList got;
    for (const QString& step : steps.split(QLatin1Char(' '))) {
        if (step == "s")
            QVERIFY(s.advance(0));
        else if (step == "m")
            QVERIFY(s.goBack());
        else if (step == "r")
            QVERIFY(s.judge(s.modelAnswer()).correct);
        else if (step == "w")
            QVERIFY(!s.judge("wrong").correct);
        else if (step == "save")
            s.markSaved();
        else if (step == "load")
            s.load(questions(5), 0);
        else
            s.clearQuestions();
        got << QString::number(s.changed());
    }
    QCOMPARE(got.join(QLatin1Char(' ')), changed);
}

void TestDrillSession::jump_data() {
    QTest::addColumn<int>("questions");
    QTest::addColumn<int>("number"); // -1: the box holds no number
    QTest::addColumn<Jump>("result");
    QTest::addColumn<int>("line");  // the current line after the jump
    QTest::addColumn<int>("shown"); // the question number the advance shows
    QTest::newRow("to 4 of 10") << 10 << 4 << Jump::Ready << 6 << 4;
    QTest::newRow("to 1") << 10 << 1 << Jump::Ready << -3 << 1;
    QTest::newRow("below 1 counts as 1") << 10 << 0 << Jump::Ready << -3 << 1;
    QTest::newRow("to the last") << 10 << 10 << Jump::Ready << 24 << 10;
    QTest::newRow("one past the last") << 5 << 6 << Jump::Ready << 12 << 1;
    QTest::newRow("two past the last") << 3 << 5 << Jump::PastEnd << 0 << 2;
    QTest::newRow("far past the last") << 3 << 6 << Jump::PastEnd << 0 << 2;
    QTest::newRow("no number") << 10 << -1 << Jump::NoNumber << 3 << 3;
}

// After the jump the window advances at once when the jump is ready; a jump
// that did not move waits, and the next go-back moves forward instead.
void TestDrillSession::jump() {
    QFETCH(int, questions);
    QFETCH(int, number);
    QFETCH(Jump, result);
    QFETCH(int, line);
    QFETCH(int, shown);
    DrillSession s = loaded(::questions(questions));
    QVERIFY(s.advance(0)); // question 2 in hand
    QCOMPARE(s.jumpTo(number < 0 ? std::nullopt : std::optional<int>(number)), result);
    QCOMPARE(s.currentLine(), line);
    QVERIFY(s.jumpPending());
    QVERIFY(result == Jump::Ready ? s.advance(0) : s.goBack());
    QCOMPARE(s.questionNumber(), shown);
    QVERIFY(!s.jumpPending());
}

// A wrong answer to the incomplete question at the end raises the count, but
// no complete question carries a mark: the search must end, not loop, and
// leave a fresh count.
void TestDrillSession::staleMarkCountIsRecounted() {
    Lines lines = questions(2);
    lines.push_back("x");
    DrillSession s = loaded(lines);
    QVERIFY(s.goBack());
    QCOMPARE(s.question(), std::string("x"));
    QVERIFY(s.judge("wrong").markSet);
    QCOMPARE(s.mistakeCount(), 1);
    s.setOrder(Order::MistakesOnly);
    QVERIFY(!s.advance(0));
    QCOMPARE(s.mistakeCount(), 0);
    QCOMPARE(s.currentLine(), 6); // the question in hand stays
}

void TestDrillSession::judgement_data() {
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("correct");
    QTest::addColumn<int>("over");
    const QString q = QStringLiteral("彼は学生です。");
    const QString h = QStringLiteral("ヒント");
    const QStringList boy{q, QStringLiteral("I am a boy."), h};
    QTest::newRow("same") << boy << "I am a boy." << true << 0;
    QTest::newRow("case") << boy << "i am a boy." << false << 0;
    QTest::newRow("trailing blank") << boy << "I am a boy. " << false << 1;
    QTest::newRow("doubled blank") << boy << "I am  a boy." << false << 1;
    QTest::newRow("leading blank") << boy << " I am a boy." << false << 1;
    QTest::newRow("one short") << boy << "I am a boy" << false << -1;
    QTest::newRow("same length, other bytes") << boy << "I am a toy." << false << 0;
    QTest::newRow("empty answer") << boy << "" << false << -11;
    // A double-width character counts two bytes.
    QTest::newRow("full-width period") << boy << QStringLiteral("I am a boy．") << false << 1;
    QTest::newRow("Japanese model") << QStringList{q, QStringLiteral("私は学生です。"), h}
                                    << QStringLiteral("私は学生") << false << -6;
    QTest::newRow("Japanese same") << QStringList{q, QStringLiteral("東京タワー"), h}
                                   << QStringLiteral("東京タワー") << true << 0;
    QTest::newRow("empty model, empty answer") << QStringList{q, "", h} << "" << true << 0;
    QTest::newRow("much longer") << QStringList{q, "Yes.", h} << "Yes, it is a very long answer."
                                 << false << 26;
    // A last question without its model answer is judged against nothing.
    QTest::newRow("no model line, nothing typed") << QStringList{q} << "" << true << 0;
    QTest::newRow("no model line, typed") << QStringList{q} << "ab" << false << 2;
}

void TestDrillSession::judgement() {
    QFETCH(QStringList, lines);
    QFETCH(QString, typed);
    QFETCH(bool, correct);
    QFETCH(int, over);
    DrillSession s = loaded(sjisLines(lines));
    const DrillSession::Judgement j = s.judge(sorami::toSjis(typed));
    QCOMPARE(j.correct, correct);
    QCOMPARE(j.over, static_cast<long long>(over));
    QCOMPARE(s.correctCount(), correct ? 1 : 0);
    QCOMPARE(s.answerCount(), 1);
    QCOMPARE(j.markSet, !correct);
    QCOMPARE(u(s.question()), correct ? lines[0] : QStringLiteral("? ") + lines[0]);
    QCOMPARE(s.questionLines().size(), size_t(lines.size())); // nothing added
}

// Answers in turn to the first question of a list; after each, its first
// line, the mark count and what the judgement changed: "+" set, "-" cleared,
// "=" nothing.
void TestDrillSession::marks_data() {
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<int>("countAtLoad");
    QTest::addColumn<QStringList>("answers");
    QTest::addColumn<QStringList>("firstLines");
    QTest::addColumn<QString>("counts");
    QTest::addColumn<QString>("changes");
    const QString q = QStringLiteral("彼は学生です。");
    const QString marked = QStringLiteral("? ") + q;
    QTest::newRow("added once, removed by a right answer")
        << QStringList{q, "He is a student.", "hint"} << 0
        << QStringList{"He is student.", "wrong again", "He is a student.", "He is a student."}
        << QStringList{marked, marked, q, q} << "1 1 0 0"
        << "+ = - =";
    // A sentence's own "?" is no mark: the mark goes in front of it and
    // comes off again without taking a letter or half a character with it.
    QTest::newRow("sentence begins with ?")
        << QStringList{"?Yes", "M", "hint"} << 0 << QStringList{"wrong", "M", "M"}
        << QStringList{"? ?Yes", "?Yes", "?Yes"} << "1 0 0"
        << "+ - =";
    QTest::newRow("? before a double-byte character")
        << QStringList{"?あいう", "M", "hint"} << 0 << QStringList{"wrong", "M"}
        << QStringList{"? ?あいう", "?あいう"} << "1 0"
        << "+ -";
    QTest::newRow("a marked question answered right at once")
        << QStringList{marked, "A.", "hint"} << 1 << QStringList{"A.", "B."}
        << QStringList{q, marked} << "0 1"
        << "- +";
    // The count stays at 0 however the answers go.
    QTest::newRow("empty list") << QStringList{} << 0 << QStringList{"anything", ""}
                                << QStringList{"", ""} << "0 0"
                                << "= =";
}

void TestDrillSession::marks() {
    QFETCH(QStringList, lines);
    QFETCH(int, countAtLoad);
    QFETCH(QStringList, answers);
    QFETCH(QStringList, firstLines);
    QFETCH(QString, counts);
    QFETCH(QString, changes);
    DrillSession s = loaded(sjisLines(lines));
    QCOMPARE(s.mistakeCount(), countAtLoad);
    QStringList gotCounts, gotChanges;
    for (int i = 0; i < answers.size(); ++i) {
        const DrillSession::Judgement j = s.judge(sorami::toSjis(answers[i]));
        QVERIFY(!(j.markSet && j.markCleared));
        gotChanges << (j.markSet ? "+" : j.markCleared ? "-" : "=");
        gotCounts << QString::number(s.mistakeCount());
        QCOMPARE(u(s.question()), firstLines[i]);
        QCOMPARE(s.questionLines().size(), size_t(lines.size()));
    }
    QCOMPARE(gotCounts.join(QLatin1Char(' ')), counts);
    QCOMPARE(gotChanges.join(QLatin1Char(' ')), changes);
    QCOMPARE(s.answerCount(), int(answers.size()));
}

void TestDrillSession::score_data() {
    QTest::addColumn<QString>("outcomes"); // c = correct, w = wrong
    QTest::addColumn<int>("correct");
    QTest::addColumn<int>("answers");
    QTest::addColumn<double>("rate");
    QTest::addColumn<int>("percent");
    QTest::newRow("nothing yet") << "" << 0 << 0 << 0.0 << 0;
    QTest::newRow("c w c") << "cwc" << 2 << 3 << 200.0 / 3 << 66;
    QTest::newRow("c c c") << "ccc" << 3 << 3 << 100.0 << 100;
    QTest::newRow("w w w w") << "wwww" << 0 << 4 << 0.0 << 0;
    QTest::newRow("c w w") << "cww" << 1 << 3 << 100.0 / 3 << 33;
    QTest::newRow("1 of 7") << "cwwwwww" << 1 << 7 << 100.0 / 7 << 14;
    QTest::newRow("99 of 100") << QString(99, QLatin1Char('c')) + "w" << 99 << 100 << 99.0 << 99;
}

// Every answer counts, also several to the same question; a new load and a
// reset start the score again.
void TestDrillSession::score() {
    QFETCH(QString, outcomes);
    QFETCH(int, correct);
    QFETCH(int, answers);
    QFETCH(double, rate);
    QFETCH(int, percent);
    DrillSession s = loaded(questions(2));
    for (QChar o : outcomes)
        s.judge(o == QLatin1Char('c') ? "Answer 1." : "x");
    QCOMPARE(s.correctCount(), correct);
    QCOMPARE(s.answerCount(), answers);
    QCOMPARE(s.rate(), rate);
    QCOMPARE(s.percent(), percent);
    QCOMPARE(s.currentLine(), 0); // judging never moves
    s.load(questions(2), 0);
    QCOMPARE(s.answerCount(), 0);
    QCOMPARE(s.correctCount(), 0);
    s.judge("Answer 1.");
    s.resetScore();
    QCOMPARE(s.answerCount(), 0);
    QCOMPARE(s.correctCount(), 0);
}

// A run of `size` answers after one right answer outside it; only the last
// answer completes the run, and it is not counted in the live score.
void TestDrillSession::block_data() {
    QTest::addColumn<int>("size");
    QTest::addColumn<QString>("outcomes");
    QTest::addColumn<QString>("left"); // the countdown after each answer
    QTest::addColumn<int>("blockCorrect");
    QTest::newRow("3, all right") << 3 << "ccc"
                                  << "2 1 0" << 3;
    QTest::newRow("3, one wrong") << 3 << "cwc"
                                  << "2 1 0" << 2;
    QTest::newRow("1, wrong") << 1 << "w"
                              << "0" << 0;
    QTest::newRow("10, 6 right") << 10 << "ccwcwcwcwc"
                                 << "9 8 7 6 5 4 3 2 1 0" << 6;
}

void TestDrillSession::block() {
    QFETCH(int, size);
    QFETCH(QString, outcomes);
    QFETCH(QString, left);
    QFETCH(int, blockCorrect);
    DrillSession s = loaded(questions(20));
    s.judge("Answer 1.");
    s.beginBlock();
    QVERIFY(s.blockMode()); // already while the size is asked
    s.sizeBlock(size);
    QCOMPARE(s.blockLeft(), size);
    QStringList got;
    for (int k = 0; k < outcomes.size(); ++k) {
        const bool last = k + 1 == outcomes.size();
        const DrillSession::Judgement j =
            s.judge(outcomes[k] == QLatin1Char('c') ? s.modelAnswer() : "wrong");
        QCOMPARE(j.blockComplete, last);
        got << QString::number(s.blockLeft());
        // Still running while the grade is shown.
        QVERIFY(s.blockMode());
        if (!last) QVERIFY(s.advance(0));
    }
    QCOMPARE(got.join(QLatin1Char(' ')), left);
    QCOMPARE(s.blockAskedCount(), size);
    QCOMPARE(s.blockCorrectCount(), blockCorrect);
    QCOMPARE(s.answerCount(), size); // the one before the run, not the last
    QCOMPARE(s.correctCount(), 1 + blockCorrect);
    s.endBlock();
    QVERIFY(!s.blockMode());
    QCOMPARE(s.blockAskedCount(), 0);
    QCOMPARE(s.blockCorrectCount(), 0);
    // Outside a run nothing is counted for one.
    s.judge("wrong");
    QCOMPARE(s.blockAskedCount(), 0);
    QCOMPARE(s.answerCount(), size + 1);
}

void TestDrillSession::leavingABlockRun() {
    DrillSession s = loaded(questions(20));
    QVERIFY(!s.leaveBlock()); // no run to leave
    s.beginBlock();
    s.cancelBlock(); // the size dialog was cancelled
    QVERIFY(!s.blockMode());
    s.beginBlock();
    s.sizeBlock(10);
    const DrillSession::Judgement j = s.judge("wrong");
    QVERIFY(!j.blockComplete);
    QVERIFY(s.leaveBlock());
    QVERIFY(!s.blockMode());
    QVERIFY(!s.leaveBlock());
    // Answers after leaving count only in the live score.
    s.judge("wrong");
    QCOMPARE(s.answerCount(), 2);
    // A new run starts its own count.
    s.beginBlock();
    s.sizeBlock(10);
    QCOMPARE(s.blockAskedCount(), 0);
    QCOMPARE(s.blockLeft(), 10);
}

QTEST_GUILESS_MAIN(TestDrillSession)
#include "test_drill_session.moc"
