// The signals that end a program from outside (log-off, hang-up, Ctrl+C and
// Ctrl+\ in a terminal) close the window through its close path, so that it
// saves what its close box saves, instead of killing the program on the spot.
#include "termination.h"

#include <QCloseEvent>
#include <QTest>
#include <QWidget>

#include <csignal>

namespace {

class Window : public QWidget {
public:
    int closes = 0;

protected:
    void closeEvent(QCloseEvent* event) override {
        ++closes;
        QWidget::closeEvent(event);
    }
};

} // namespace

class TestTermination : public QObject {
    Q_OBJECT
    Window window_;

private slots:
    void initTestCase() { sorami::closeOnSessionEnd(&window_); }

    void signalClosesTheWindow_data() {
        QTest::addColumn<int>("signal");
        QTest::newRow("SIGTERM, a log-off") << int(SIGTERM);
        QTest::newRow("SIGHUP, the terminal or session gone") << int(SIGHUP);
        QTest::newRow("SIGINT, Ctrl+C") << int(SIGINT);
        QTest::newRow("SIGQUIT, Ctrl+\\") << int(SIGQUIT);
    }
    void signalClosesTheWindow() {
        QFETCH(int, signal);
        window_.show();
        const int before = window_.closes;
        // Unhandled, the signal would end this test process here.
        QCOMPARE(std::raise(signal), 0);
        QTRY_COMPARE(window_.closes, before + 1);
        QVERIFY(!window_.isVisible());
    }
};

QTEST_MAIN(TestTermination)
#include "test_termination.moc"
