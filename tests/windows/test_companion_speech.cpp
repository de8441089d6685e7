// The companions' speak command: the model answer of the card in hand goes
// through the engine to the sound output, and a move stops it.
#include "SrmMinifm.h"
#include "companion_test.h"
#include "fake_speech_engine.h"
#include "srmminfm32.h"

#include <QAction>
#include <QToolButton>

using namespace sorami;

class TestCompanionSpeech : public CompanionTest {
    Q_OBJECT
private slots:
    void speakAndMove_data();
    void speakAndMove();
};

void TestCompanionSpeech::speakAndMove_data() {
    QTest::addColumn<bool>("viewer");
    QTest::newRow("card viewer") << true;
    QTest::newRow("mini drill") << false;
}

void TestCompanionSpeech::speakAndMove() {
    QFETCH(bool, viewer);
    startAfresh(dir_.filePath(QStringLiteral("none.ini")));
    const FakeSpeechEngine engine;
    fake_.fileAnswers.push_back(writeCards(6));
    std::unique_ptr<QWidget> window;
    QToolButton* forward = nullptr;
    if (viewer) {
        auto* v = new TSoramiMiniVer(fake_, ViewerBuild::StandAlone);
        window.reset(v);
        v->YomikomiClick();
        forward = v->Susumeru;
    } else {
        auto* m = new TSoramiMini(fake_);
        window.reset(m);
        m->YomikomiClick();
        forward = m->Susumeru;
    }
    QAction* speak = nullptr;
    for (QAction* a : window->actions())
        if (a->shortcut() == QKeySequence(Qt::CTRL | Qt::Key_L)) speak = a;
    QVERIFY(speak);
    speak->trigger();
    QTRY_COMPARE(fake_.speech.size(), 1);
    QCOMPARE(engine.spokenText(), QByteArray("A1"));
    forward->click();
    QCOMPARE(fake_.speechStops, 1);
    speak->trigger();
    QTRY_COMPARE(fake_.speech.size(), 2);
    QCOMPARE(engine.spokenText(), QByteArray("A2"));
}

QTEST_MAIN(TestCompanionSpeech)
#include "test_companion_speech.moc"
