#include "interval_timer.h"

#include <QElapsedTimer>
#include <QTest>

using namespace sorami;

class TestIntervalTimer : public QObject {
    Q_OBJECT
private slots:
    void zeroOrNegativeStops_data();
    void zeroOrNegativeStops();
    void sameIntervalKeepsRhythm();
    void otherIntervalRestartsTheCount();
    void disabledTimerDoesNotTick();
};

void TestIntervalTimer::zeroOrNegativeStops_data() {
    QTest::addColumn<int>("interval");
    QTest::newRow("zero") << 0;
    QTest::newRow("negative") << -5;
}

void TestIntervalTimer::zeroOrNegativeStops() {
    QFETCH(int, interval);
    IntervalTimer t;
    int ticks = 0;
    t.onTimer([&] { ++ticks; });
    t.setInterval(10);
    QVERIFY(t.isActive());
    t.setInterval(interval);
    QVERIFY(!t.isActive());
    QTest::qWait(60);
    QCOMPARE(ticks, 0);
    t.setInterval(10);
    QTRY_VERIFY(ticks > 0);
}

void TestIntervalTimer::sameIntervalKeepsRhythm() {
    // Setting the interval it already has, again and again, must not keep
    // pushing the next tick away.
    IntervalTimer t;
    int ticks = 0;
    t.onTimer([&] { ++ticks; });
    t.setInterval(100);
    QElapsedTimer clock;
    clock.start();
    while (ticks == 0 && clock.elapsed() < 2000) {
        t.setInterval(100);
        QTest::qWait(10);
    }
    QVERIFY(ticks > 0);
}

void TestIntervalTimer::otherIntervalRestartsTheCount() {
    IntervalTimer t;
    int ticks = 0;
    t.onTimer([&] { ++ticks; });
    t.setInterval(150);
    QTest::qWait(100);
    t.setInterval(151); // the count starts again: no tick at 150 ms from the first start
    QTest::qWait(90);
    QCOMPARE(ticks, 0);
    QTRY_VERIFY_WITH_TIMEOUT(ticks > 0, 2000);
}

void TestIntervalTimer::disabledTimerDoesNotTick() {
    IntervalTimer t;
    int ticks = 0;
    t.onTimer([&] { ++ticks; });
    t.setInterval(5);
    t.setEnabled(false);
    QTest::qWait(50);
    QCOMPARE(ticks, 0);
    t.fire();
    QCOMPARE(ticks, 1);
    t.setEnabled(true);
    QTRY_VERIFY(ticks > 1);
}

QTEST_MAIN(TestIntervalTimer)
#include "test_interval_timer.moc"
