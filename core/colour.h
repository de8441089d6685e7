#pragma once
// Colour values as the files store them: 32-bit 0x00BBGGRR, where 255 is
// pure red. A value with the top bit set names a system colour by its index
// in the low byte; those follow the desktop palette.

#include <cstdint>

namespace sorami {

using ColourValue = std::int32_t;

namespace SysColour {
constexpr ColourValue base = static_cast<ColourValue>(0xFF000000u);
constexpr ColourValue ScrollBar = base | 0, Background = base | 1, ActiveCaption = base | 2,
                      InactiveCaption = base | 3, Menu = base | 4, Window = base | 5,
                      WindowFrame = base | 6, MenuText = base | 7, WindowText = base | 8,
                      CaptionText = base | 9, ActiveBorder = base | 10, InactiveBorder = base | 11,
                      AppWorkSpace = base | 12, Highlight = base | 13, HighlightText = base | 14,
                      BtnFace = base | 15, BtnShadow = base | 16, GrayText = base | 17,
                      BtnText = base | 18, InactiveCaptionText = base | 19,
                      BtnHighlight = base | 20, DkShadow3D = base | 21, Light3D = base | 22,
                      InfoText = base | 23, InfoBk = base | 24;
} // namespace SysColour

// Common fixed colours of the forms.
namespace Colours {
constexpr ColourValue Black = 0x000000, Maroon = 0x000080, Green = 0x008000, Navy = 0x800000,
                      Red = 0x0000FF, Yellow = 0x00FFFF, Blue = 0xFF0000, Silver = 0xC0C0C0,
                      White = 0xFFFFFF, Aqua = 0xFFFF00, Lime = 0x00FF00, Fuchsia = 0xFF00FF,
                      Gray = 0x808080, Olive = 0x008080, Purple = 0x800080, Teal = 0x808000;
} // namespace Colours

inline bool isSystemColour(ColourValue v) {
    return (static_cast<std::uint32_t>(v) & 0x80000000u) != 0;
}

} // namespace sorami
