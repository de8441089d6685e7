#include "error_guard.h"
#include "fake_platform.h"
#include "interval_timer.h"
#include "sorami_error.h"

#include <QPushButton>
#include <QTest>
#include <stdexcept>
#include <vector>

using namespace sorami;

class TestErrorGuard : public QObject {
    Q_OBJECT
private slots:
    void errorsEndOnlyTheHandler_data();
    void errorsEndOnlyTheHandler();
    void connectedSlotsRunGuarded();
    void timerTicksRunGuarded();
};

void TestErrorGuard::errorsEndOnlyTheHandler_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("text");
    QTest::newRow("own error") << 0 << QStringLiteral("ﾌｧｲﾙ x は開けません");
    QTest::newRow("index out of range")
        << 1 << QStringLiteral("リストのインデックスが範囲を超えています");
    QTest::newRow("other std exception") << 2 << QStringLiteral("bad thing");
}

void TestErrorGuard::errorsEndOnlyTheHandler() {
    QFETCH(int, kind);
    QFETCH(QString, text);
    FakePlatform platform;
    int reached = 0;
    guarded(platform, nullptr, [&] {
        reached = 1;
        if (kind == 0) raise(QStringLiteral("ﾌｧｲﾙ x は開けません"));
        if (kind == 1) (void)std::vector<int>{}.at(3);
        if (kind == 2) throw std::runtime_error("bad thing");
        reached = 2;
    });
    QCOMPARE(reached, 1);
    QCOMPARE(platform.errorTexts(), QStringList{text});
    QCOMPARE(platform.messages.first().icon, MsgIcon::Error);
}

class Receiver : public QWidget {
public:
    int calls = 0;
    void failing() {
        ++calls;
        sorami::raise(QStringLiteral("だめです"));
    }
};

void TestErrorGuard::connectedSlotsRunGuarded() {
    FakePlatform platform;
    Receiver r;
    QPushButton b;
    connectGuarded(platform, &b, &QPushButton::clicked, &r, &Receiver::failing);
    b.click();
    b.click();
    QCOMPARE(r.calls, 2);
    QCOMPARE(platform.errorTexts(), (QStringList{"だめです", "だめです"}));
    // A lambda slot receives the signal's arguments.
    bool seen = false;
    b.setCheckable(true);
    connectGuarded(platform, &b, &QPushButton::toggled, &r, [&](bool on) { seen = on; });
    b.click();
    QVERIFY(seen);
}

void TestErrorGuard::timerTicksRunGuarded() {
    FakePlatform platform;
    IntervalTimer t;
    int ticks = 0;
    t.setInterval(5);
    t.onTimer(
        [&] {
            ++ticks;
            raise(QStringLiteral("tick"));
        },
        &platform);
    QTRY_VERIFY(ticks >= 2);
    t.setEnabled(false);
    QVERIFY(platform.errorTexts().size() >= 2);
}

QTEST_MAIN(TestErrorGuard)
#include "test_error_guard.moc"
