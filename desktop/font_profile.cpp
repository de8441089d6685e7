#include "font_profile.h"

#include "sjis_text.h"

#include <cmath>
#include <cstdlib>

namespace sorami {

namespace {
constexpr std::string_view NotSet = "-1";
}

void readFontKeys(const ProfileIni& ini, const QString& section, FontSpec& font) {
    const std::string name = ini.readString(section, QStringLiteral("Name"), NotSet);
    if (name != NotSet) font.face = fromSjis(name);
    // A size no font dialog offers (a hand-edited file) keeps the current
    // size rather than asking the renderer for giant or empty glyphs.
    const int size = ini.readInteger(section, QStringLiteral("Size"), -1);
    if (size >= 1 && size <= MaxStoredFontSize) {
        font.size = size;
        font.height = 0;
    }
    const int colour = ini.readInteger(section, QStringLiteral("Color"), -1);
    if (colour != -1) font.colour = colour;
}

void writeFontKeys(ProfileIni& ini, const QString& section, const FontSpec& font) {
    const int points =
        font.size > 0 ? font.size : static_cast<int>(std::lround(std::abs(font.height) * 0.75));
    ini.writeString(section, QStringLiteral("Name"), toSjis(font.face));
    ini.writeInteger(section, QStringLiteral("Size"), points);
    ini.writeInteger(section, QStringLiteral("Color"), static_cast<int>(font.colour));
}

} // namespace sorami
