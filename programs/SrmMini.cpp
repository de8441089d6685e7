// The card viewer on its own: one window, no application title of its own
// beyond the program's name, no single-instance check.
#include "SrmMinifm.h"
#include "app_setup.h"
#include "qt_platform.h"

#include <QTimer>

int main(int argc, char* argv[]) {
    sorami::Application app(argc, argv, QStringLiteral("SrmMini"),
                            QStringLiteral("jp.sorami.SrmMini"));
    sorami::QtPlatform platform;
    sorami::TSoramiMiniVer window(platform, sorami::ViewerBuild::StandAlone);
    window.show();
    // A question file from the file manager (or the command line) opens once
    // the window is up, as if chosen in its open dialog.
    if (const QString file = sorami::fileArgument(app.arguments()); !file.isEmpty())
        QTimer::singleShot(0, &window, [&window, file] { window.openFile(file); });
    return app.exec();
}
