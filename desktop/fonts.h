#pragma once
// The programs' face names ("System", "ＭＳ ゴシック", "ＭＳ Ｐゴシック", ...)
// stay as they are in files and dialogs; Qt maps them to installed Japanese
// faces by substitution, so Japanese text renders everywhere.

#include "platform.h"

#include <QFont>

namespace sorami {

void installFontSubstitutions();

// QFont for a font as the forms hold it. A negative pixel height means the
// character height without internal leading; positive the cell height.
QFont toQFont(const FontSpec& fontSpec);
// The reverse, keeping the face name as given.
FontSpec fromQFont(const QFont& font, ColourValue colour);

} // namespace sorami
