// The drill's modes without a window: presses and ticks in a row, and what
// each one answers.
#include "drill_modes.h"

#include <QTest>

using namespace sorami;

namespace {

QString word(AnswerDisplay::Shows shows) {
    switch (shows) {
    case AnswerDisplay::Shows::ModelAnswer:
        return QStringLiteral("model");
    case AnswerDisplay::Shows::Idiom:
        return QStringLiteral("idiom");
    case AnswerDisplay::Shows::Nothing:
        break;
    }
    return QStringLiteral("none");
}

QString word(Advance::Step step) {
    switch (step) {
    case Advance::Step::MoveOn:
        return QStringLiteral("move");
    case Advance::Step::HideAnswer:
        return QStringLiteral("hide");
    case Advance::Step::ShowAnswer:
        return QStringLiteral("show");
    case Advance::Step::FlashMoveOn:
        return QStringLiteral("flashmove");
    case Advance::Step::Nothing:
        break;
    }
    return QStringLiteral("nothing");
}

} // namespace

class TestDrillModes : public QObject {
    Q_OBJECT
private slots:
    void answerDisplay_data();
    void answerDisplay();
    void advance_data();
    void advance();
    void twoPressEdit_data();
    void twoPressEdit();
};

void TestDrillModes::answerDisplay_data() {
    QTest::addColumn<QString>("actions");
    // After each action: what the box shows | the mask (+ on, - off) and
    // the text it hands back | what flash advance holds back.
    QTest::addColumn<QString>("states");
    QTest::newRow("model answer on and off") << "model model"
                                             << "model|-|;none|-|";
    QTest::newRow("the idiom turns the model answer off") << "model idiom idiom model"
                                                          << "model|-|;idiom|-|;none|-|;model|-|";
    QTest::newRow("mask keeps and hands back") << "mask:typed mask:other"
                                               << "none|+typed|;none|-typed|";
    QTest::newRow("a move forgets the kept text, the mask stays")
        << "mask:typed hold:Answer move mask:later"
        << "none|+typed|;none|+typed|Answer;none|+|;none|-|";
    // The flash hold and the mask keep their own texts: turning the mask off
    // during flash advance brings back the typed answer, not the held one.
    QTest::newRow("hold and mask apart") << "mask:typed hold:Answer mask:x"
                                         << "none|+typed|;none|+typed|Answer;none|-typed|Answer";
}

void TestDrillModes::answerDisplay() {
    QFETCH(QString, actions);
    QFETCH(QString, states);
    AnswerDisplay a;
    QStringList seen;
    for (const QString& action : actions.split(u' ')) {
        const QString arg = action.section(u':', 1);
        if (action == u"model") a.pressModelAnswer();
        if (action == u"idiom") a.pressIdiom();
        if (action.startsWith(u"mask")) a.pressMask(arg.toStdString());
        if (action.startsWith(u"hold")) a.holdBack(arg.toStdString(), true);
        if (action == u"move") a.forgetKeptTexts();
        seen << QStringLiteral("%1|%2%3|%4")
                    .arg(word(a.shows()), QLatin1String(a.masked() ? "+" : "-"),
                         QString::fromStdString(a.maskedAnswer()),
                         QString::fromStdString(a.heldBack()));
    }
    QCOMPARE(seen.join(u';'), states);
}

void TestDrillModes::advance_data() {
    QTest::addColumn<QString>("actions");
    // A press answers ask or same; an answered interval (ok or cancel) and a
    // stop answer run or idle; a tick answers its step.
    QTest::addColumn<QString>("results");
    QTest::newRow("flash cycle") << "flash ok tick tick tick tick"
                                 << "ask run hide show flashmove hide";
    QTest::newRow("a stop keeps the flash phase") << "flash ok tick stop tick flash ok tick"
                                                  << "ask run hide idle nothing ask run show";
    QTest::newRow("a second press changes nothing") << "auto ok auto tick"
                                                    << "ask run same move";
    QTest::newRow("cancel undoes the choice") << "flash cancel tick auto ok tick"
                                              << "ask idle nothing ask run move";
    QTest::newRow("flash after automatic") << "auto ok tick stop flash ok tick"
                                           << "ask run move idle ask run hide";
}

void TestDrillModes::advance() {
    QFETCH(QString, actions);
    QFETCH(QString, results);
    Advance a;
    Advance::Kind last = Advance::Kind::Automatic;
    QStringList seen;
    for (const QString& action : actions.split(u' ')) {
        if (action == u"auto" || action == u"flash") {
            last = action == u"flash" ? Advance::Kind::Flash : Advance::Kind::Automatic;
            seen << QLatin1String(a.press(last) ? "ask" : "same");
            continue;
        }
        if (action == u"tick") {
            seen << word(a.tick());
            continue;
        }
        if (action == u"stop")
            a.stop();
        else
            a.intervalAsked(last, action == u"cancel");
        seen << QLatin1String(a.running() ? "run" : "idle");
    }
    QCOMPARE(seen.join(u' '), results);
}

void TestDrillModes::twoPressEdit_data() {
    QTest::addColumn<QString>("presses");
    // After each press: store for the press that stores, else the pending edit.
    QTest::addColumn<QString>("results");
    QTest::newRow("add") << "add add"
                         << "add store";
    QTest::newRow("a change begun ends the add") << "add change add"
                                                 << "add change add";
    QTest::newRow("an ended edit begins again") << "change end change"
                                                << "change none change";
}

void TestDrillModes::twoPressEdit() {
    QFETCH(QString, presses);
    QFETCH(QString, results);
    TwoPressEdit e;
    QStringList seen;
    for (const QString& press : presses.split(u' ')) {
        bool stored = false;
        if (press == u"end")
            e.end();
        else
            stored =
                e.press(press == u"add" ? TwoPressEdit::Kind::Add : TwoPressEdit::Kind::Change);
        const auto pending = e.pending();
        seen << QLatin1String(stored                                ? "store"
                              : !pending                            ? "none"
                              : *pending == TwoPressEdit::Kind::Add ? "add"
                                                                    : "change");
    }
    QCOMPARE(seen.join(u' '), results);
}

QTEST_MAIN(TestDrillModes)
#include "test_drill_modes.moc"
