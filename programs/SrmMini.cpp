// The card viewer on its own: one window, no application title of its own
// beyond the program's name, no single-instance check.
#include "SrmMinifm.h"
#include "app_setup.h"
#include "qt_platform.h"

int main(int argc, char* argv[]) {
    sorami::Application app(argc, argv, QStringLiteral("SrmMini"),
                            QStringLiteral("jp.sorami.SrmMini"));
    sorami::QtPlatform platform;
    sorami::TSoramiMiniVer window(platform, sorami::ViewerBuild::StandAlone);
    window.show();
    return app.exec();
}
