#include "app_setup.h"

#include "fonts.h"
#include "paste_guard.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <QUrl>
#include <clocale>
#include <utility>

namespace sorami {

namespace {
QString& storedTitle() {
    static QString title;
    return title;
}
} // namespace

QString applicationTitle() {
    return storedTitle().isEmpty() ? QCoreApplication::applicationName() : storedTitle();
}

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
    // Neither the application name nor the display name: a display name would
    // be appended to every window caption on this desktop, and the name is the
    // windows' class, which the desktop entries name in StartupWMClass.
    storedTitle() = title;
}

QString fileArgument(const QStringList& arguments) {
    bool optionsEnded = false;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& a = arguments[i];
        if (!optionsEnded && a == QLatin1String("--")) {
            optionsEnded = true;
            continue;
        }
        if (a.isEmpty() || (!optionsEnded && a.startsWith(QLatin1Char('-')))) continue;
        const QUrl url(a);
        if (url.isLocalFile()) return url.toLocalFile();
        return a;
    }
    return {};
}

namespace {

// The categories a value of LC_ALL stands for, but time.
constexpr std::pair<int, const char*> otherCategories[] = {
    {LC_CTYPE, "LC_CTYPE"},
    {LC_NUMERIC, "LC_NUMERIC"},
    {LC_COLLATE, "LC_COLLATE"},
    {LC_MONETARY, "LC_MONETARY"},
    {LC_MESSAGES, "LC_MESSAGES"},
    {LC_PAPER, "LC_PAPER"},
    {LC_NAME, "LC_NAME"},
    {LC_ADDRESS, "LC_ADDRESS"},
    {LC_TELEPHONE, "LC_TELEPHONE"},
    {LC_MEASUREMENT, "LC_MEASUREMENT"},
    {LC_IDENTIFICATION, "LC_IDENTIFICATION"},
};

} // namespace

detail::JapaneseTimeLocale::JapaneseTimeLocale() {
    // LC_ALL would hide LC_TIME: hand its value to each other category.
    const QByteArray all = qgetenv("LC_ALL");
    if (!all.isEmpty()) {
        for (const auto& [category, name] : otherCategories)
            qputenv(name, all);
        qunsetenv("LC_ALL");
    }
    qputenv("LC_TIME", "ja_JP.UTF-8");
}

Application::Application(int& argc, char** argv, const QString& title, const QString& desktopId)
    : QApplication(argc, argv) {
    setDesktopFileName(desktopId);
    // The C library takes the locale as a whole and refuses it all when the
    // Japanese time locale is not installed: take the others one by one.
    for (const auto& [category, name] : otherCategories)
        std::setlocale(category, "");
    setUpApplication(title);
}

} // namespace sorami
