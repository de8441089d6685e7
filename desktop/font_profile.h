#pragma once
// A font in an INI section as the programs store their appearance: "Name",
// "Size" (points) and "Color" (a colour value in signed decimal). Style and
// character set are never stored.

#include "platform.h"
#include "profile_ini.h"

namespace sorami {

// The largest point size a stored font may ask for: what the font dialogs
// offer, and well inside what Qt renders.
constexpr int MaxStoredFontSize = 1638;

// Each key that is missing, not a number or holds the "not set" value ("-1"
// for the name, -1 for the numbers) leaves that part of `font` as it is; so
// does a size outside 1 to MaxStoredFontSize.
void readFontKeys(const ProfileIni& ini, const QString& section, FontSpec& font);

// Writes the three keys in the order Name, Size, Color. A font known only
// by its pixel height is written with the point size that height makes on a
// 96-dpi screen, as the font dialog would show it.
void writeFontKeys(ProfileIni& ini, const QString& section, const FontSpec& font);

} // namespace sorami
