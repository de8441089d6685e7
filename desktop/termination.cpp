#include "termination.h"

#include <QApplication>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QPointer>
#include <QSessionManager>
#include <QSocketNotifier>
#include <QWidget>

#include <csignal>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace sorami {

namespace {

int signalPipe[2] = {-1, -1};

extern "C" void onTerminationSignal(int) {
    const char byte = 1;
    // Nothing more is safe inside a signal handler; a full pipe means a
    // close is already on its way.
    [[maybe_unused]] const ssize_t n = ::write(signalPipe[1], &byte, 1);
}

bool ending = false;

void closeThenQuit(const QPointer<QWidget>& window) {
    static bool closing = false;
    if (closing) return; // a second request while the close path still runs
    closing = true;
    beginSessionEnd();
    // Dialogs first, the innermost first: the notebook keeps its text as it
    // closes. A box that will not close is put away.
    for (int i = 0; i < 16; ++i) {
        const QPointer<QWidget> modal = QApplication::activeModalWidget();
        if (!modal || modal == window) break;
        modal->close();
        if (modal && modal->isVisible()) modal->hide();
    }
    if (window) window->close();
    // The close path has run. Every event loop ends now, the nested ones
    // of dialogs too: nothing may keep a dying session waiting, and no
    // window is asked again whether it may close.
    QCoreApplication::exit(0);
    closing = false;
}

} // namespace

bool sessionEnding() {
    return ending;
}

void beginSessionEnd(bool value) {
    ending = value;
}

void closeOnSessionEnd(QWidget* window) {
    const QPointer<QWidget> target(window);
    if (signalPipe[0] < 0 && ::socketpair(AF_UNIX, SOCK_STREAM, 0, signalPipe) == 0) {
        for (int fd : signalPipe)
            ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
        struct sigaction action = {};
        action.sa_handler = onTerminationSignal;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART;
        // Ctrl+C and Ctrl+\ in the terminal the drill was started from end
        // it too; they must not cost the learner the marks either.
        for (int signal : {SIGTERM, SIGHUP, SIGINT, SIGQUIT})
            sigaction(signal, &action, nullptr);
    }
    if (signalPipe[0] >= 0) {
        auto* notifier =
            new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, QCoreApplication::instance());
        QObject::connect(notifier, &QSocketNotifier::activated, notifier, [target] {
            char buffer[16];
            while (::read(signalPipe[0], buffer, sizeof buffer) > 0) {
            }
            closeThenQuit(target);
        });
    }
    if (auto* gui = qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        QObject::connect(gui, &QGuiApplication::commitDataRequest, gui,
                         [target](QSessionManager&) { closeThenQuit(target); });
}

} // namespace sorami
