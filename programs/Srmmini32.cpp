// The mini drill: its own program with the application title below and no
// single-instance check.
#include "app_setup.h"
#include "qt_platform.h"
#include "srmminfm32.h"

#include <QTimer>

int main(int argc, char* argv[]) {
    sorami::Application app(argc, argv, QStringLiteral("ソラミ君ミニ"),
                            QStringLiteral("jp.sorami.Srmmini32"));
    sorami::QtPlatform platform;
    sorami::TSoramiMini window(platform);
    window.show();
    // A question file from the file manager (or the command line) opens once
    // the window is up, as if chosen in its open dialog.
    if (const QString file = sorami::fileArgument(app.arguments()); !file.isEmpty())
        QTimer::singleShot(0, &window, [&window, file] { window.openFile(file); });
    return app.exec();
}
