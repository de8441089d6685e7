// The mini drill: its own program with the application title below and no
// single-instance check.
#include "app_setup.h"
#include "qt_platform.h"
#include "srmminfm32.h"

int main(int argc, char* argv[]) {
    sorami::Application app(argc, argv, QStringLiteral("ソラミ君ミニ"),
                            QStringLiteral("jp.sorami.Srmmini32"));
    sorami::QtPlatform platform;
    sorami::TSoramiMini window(platform);
    window.show();
    return app.exec();
}
