// The mini drill: its own program with the application title below and no
// single-instance check.
#include "app_setup.h"
#include "qt_platform.h"
#include "srmminfm32.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    sorami::setUpApplication(QStringLiteral("ソラミ君ミニ"));
    sorami::QtPlatform platform;
    sorami::TSoramiMini window(platform);
    window.show();
    return app.exec();
}
