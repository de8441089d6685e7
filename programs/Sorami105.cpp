// The drill program: one copy at a time, the drill window, the message loop.
#include "app_setup.h"
#include "qt_platform.h"
#include "recovery.h"
#include "single_instance.h"
#include "srmi105.h"
#include "termination.h"

#include <QTimer>

int main(int argc, char* argv[]) {
    const QString lockName = QStringLiteral("MutexObjectForApp");
    // A second copy ends before it has shown anything, not even the name box.
    if (sorami::SingleInstanceLock::heldElsewhere(lockName)) return 0;
    sorami::SingleInstanceLock lock(lockName);
    if (!lock.acquire()) return 0;

    sorami::Application app(argc, argv, QStringLiteral("LkO for Win95"),
                            QStringLiteral("jp.sorami.Sorami105"));
    sorami::QtPlatform platform;
    sorami::TSorami window(platform);
    // A log-off or a SIGTERM saves the marks as the close box does.
    sorami::closeOnSessionEnd(&window);
    window.show();
    // What the last session could not write when it ended is offered first.
    QTimer::singleShot(0, &window, [&] { sorami::offerRecoveryCopies(platform, &window); });
    // A question file from the file manager (or the command line) opens once
    // the window is up, as if chosen in its open dialog.
    if (const QString file = sorami::fileArgument(app.arguments()); !file.isEmpty())
        QTimer::singleShot(0, &window, [&window, file] { window.openFile(file); });
    const int rc = app.exec();
    lock.release();
    return rc;
}
