#include "app_setup.h"

#include "fonts.h"
#include "paste_guard.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace sorami {

void setUpApplication(const QString& title) {
    QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan));
    auto* qtbase = new QTranslator(qApp);
    if (qtbase->load(QLocale(QLocale::Japanese), QStringLiteral("qtbase"), QStringLiteral("_"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(qtbase);
    else
        delete qtbase;
    installFontSubstitutions();
    installPasteGuard();
    // The title goes into the application name only: a display name would be
    // appended to every window caption on this desktop.
    QApplication::setApplicationName(title);
}

} // namespace sorami
