#pragma once
// The programs' face names ("System", "ＭＳ ゴシック", "ＭＳ Ｐゴシック", ...)
// stay as they are in files and dialogs; Qt maps them to installed Japanese
// faces by substitution, so Japanese text renders everywhere.

#include "platform.h"

#include <QFont>

namespace sorami {

// The face names the forms and files use.
namespace face {
inline const QString System = QStringLiteral("System");
inline const QString Gothic = QStringLiteral("ＭＳ ゴシック");
inline const QString PGothic = QStringLiteral("ＭＳ Ｐゴシック");
inline const QString UIGothic = QStringLiteral("ＭＳ ＵＩ ゴシック");
inline const QString Mincho = QStringLiteral("ＭＳ 明朝");
inline const QString PMincho = QStringLiteral("ＭＳ Ｐ明朝");
} // namespace face

void installFontSubstitutions();

struct FontStyle {
    bool bold = false, italic = false, underline = false;
};

// A face at a character height in pixels, as the forms give their fonts.
FontSpec pixelFontSpec(const QString& faceName, int pixels, FontStyle style = {},
                       ColourValue colour = SysColour::WindowText);
QFont pixelFont(const QString& faceName, int pixels, FontStyle style = {});
// A face at a size in points.
FontSpec pointFontSpec(const QString& faceName, int points, FontStyle style = {},
                       ColourValue colour = SysColour::WindowText);
QFont pointFont(const QString& faceName, int points, FontStyle style = {});

// QFont for a font as the forms hold it. A negative pixel height means the
// character height without internal leading; positive the cell height.
QFont toQFont(const FontSpec& fontSpec);
// The reverse, keeping the face name as given.
FontSpec fromQFont(const QFont& font, ColourValue colour);

} // namespace sorami
