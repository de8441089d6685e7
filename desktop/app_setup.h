#pragma once
// What every program does right after creating its QApplication: Japanese
// standard dialogs and buttons whatever the locale, Japanese faces for the
// programs' font names, and the application title.

#include <QApplication>
#include <QString>
#include <QStringList>

namespace sorami {

void setUpApplication(const QString& title);
// The application title given to setUpApplication: the caption of message
// boxes that name none. The application name stays the program file's name,
// which the window system reports as the windows' class.
QString applicationTitle();

// The question file named on the command line (a file manager passes the one
// the learner opened), as the program's arguments give it: the first that is
// not an option, or the one after "--"; a file: URL is taken as its path.
// Empty when none is named.
QString fileArgument(const QStringList& arguments);

namespace detail {
// Dates and day names in the standard dialogs follow the time locale that Qt
// reads from the environment once, while the application object is made. The
// programs present a Japanese desktop, so that locale is made Japanese for
// Qt before then; everything else keeps the user's settings.
struct JapaneseTimeLocale {
    JapaneseTimeLocale();
};
} // namespace detail

// The programs' application object: the Japanese time locale first, then
// QApplication, then setUpApplication(title). `desktopId` is the name of the
// program's desktop entry (without ".desktop"): Wayland shells tie the
// windows to their menu entry and icon by it.
class Application : private detail::JapaneseTimeLocale, public QApplication {
public:
    Application(int& argc, char** argv, const QString& title, const QString& desktopId);
};

} // namespace sorami
