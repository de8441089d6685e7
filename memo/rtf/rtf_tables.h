#pragma once
// The fixed knowledge the RTF reader works from: code page 1252, the
// glyphs that mean a bullet, the destinations the memo never shows.

#include <QString>
#include <string_view>

namespace sorami::rich {

// Bytes of a font in a Western character set.
QString fromCp1252(std::string_view bytes);

// Whether the text drawn before a list paragraph means "a bullet", not a number.
bool isBulletGlyph(const QString& text);

// Destinations whose content is never the memo's text.
bool isSkippedDestination(std::string_view word);

} // namespace sorami::rich
