#pragma once
// What every program does right after creating its QApplication: Japanese
// standard dialogs and buttons whatever the locale, Japanese faces for the
// programs' font names, and the application title.

#include <QString>

namespace sorami {

void setUpApplication(const QString& title);

} // namespace sorami
