#include "single_instance.h"

#include <QTest>
#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

using namespace sorami;

class TestSingleInstance : public QObject {
    Q_OBJECT
private slots:
    void secondHolderIsRefused();
    void lockDiesWithItsProcess_data();
    void lockDiesWithItsProcess();

private:
    QString uniqueName() const {
        return QStringLiteral("SoramiTestLock%1_%2").arg(getpid()).arg(counter_++);
    }
    mutable int counter_ = 0;
};

void TestSingleInstance::secondHolderIsRefused() {
    const QString name = uniqueName();
    QVERIFY(!SingleInstanceLock::heldElsewhere(name));
    {
        SingleInstanceLock first(name);
        QVERIFY(first.acquire());
        QVERIFY(SingleInstanceLock::heldElsewhere(name));
        SingleInstanceLock second(name);
        QVERIFY(!second.acquire());
        QVERIFY(!second.held());
    }
    // Released with its owner.
    QVERIFY(!SingleInstanceLock::heldElsewhere(name));
    SingleInstanceLock third(name);
    QVERIFY(third.acquire());
}

void TestSingleInstance::lockDiesWithItsProcess_data() {
    QTest::addColumn<int>("signal");
    QTest::newRow("kill -9") << int(SIGKILL);
    QTest::newRow("crash") << int(SIGSEGV);
    QTest::newRow("terminate") << int(SIGTERM);
}

void TestSingleInstance::lockDiesWithItsProcess() {
    QFETCH(int, signal);
    const QString name = uniqueName();
    int ready[2];
    QVERIFY(pipe(ready) == 0);
    const pid_t child = fork();
    QVERIFY(child >= 0);
    if (child == 0) {
        SingleInstanceLock lock(name);
        const char ok = lock.acquire() ? 'y' : 'n';
        (void)!write(ready[1], &ok, 1);
        for (;;)
            pause();
    }
    char ok = 0;
    QCOMPARE(read(ready[0], &ok, 1), ssize_t(1));
    QCOMPARE(ok, 'y');
    QVERIFY(SingleInstanceLock::heldElsewhere(name));
    SingleInstanceLock mine(name);
    QVERIFY(!mine.acquire());
    kill(child, signal);
    int status = 0;
    QCOMPARE(waitpid(child, &status, 0), child);
    QVERIFY(WIFSIGNALED(status));
    QVERIFY(!SingleInstanceLock::heldElsewhere(name));
    QVERIFY(mine.acquire());
    close(ready[0]);
    close(ready[1]);
}

QTEST_APPLESS_MAIN(TestSingleInstance)
#include "test_single_instance.moc"
