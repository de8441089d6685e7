#include "colour_qt.h"

#include <QApplication>
#include <cmath>

namespace sorami {

QPalette::ColorRole systemColourRole(int index, QPalette::ColorGroup* group) {
    if (group) *group = QPalette::Active;
    switch (index) {
    case 1:
    case 12:
        return QPalette::Dark; // desktop, application work space
    case 2:
    case 13:
        return QPalette::Highlight; // active caption, selection
    case 3:
    case 10:
    case 11:
        return QPalette::Mid; // inactive caption and borders
    case 4:
    case 15:
        return QPalette::Button; // menu, button face
    case 5:
        return QPalette::Base; // window background
    case 6:
    case 21:
        return QPalette::Shadow; // frame, dark 3-D shadow
    case 7:
    case 18:
        return QPalette::ButtonText; // menu text, button text
    case 8:
        return QPalette::Text; // window text
    case 9:
    case 14:
        return QPalette::HighlightedText; // caption text, selected text
    case 16:
        return QPalette::Dark; // button shadow
    case 17:
        if (group) *group = QPalette::Disabled;
        return QPalette::Text; // grey text
    case 19:
        if (group) *group = QPalette::Inactive;
        return QPalette::WindowText;
    case 20:
        return QPalette::Light; // button highlight
    case 22:
        return QPalette::Midlight; // 3-D light
    case 23:
        return QPalette::ToolTipText;
    case 24:
        return QPalette::ToolTipBase;
    case 0:
    default:
        return QPalette::Window; // scroll bar and unknown indices
    }
}

QColor toQColor(ColourValue v, const QPalette& palette) {
    if (isSystemColour(v)) {
        QPalette::ColorGroup group;
        const auto role = systemColourRole(v & 0xFF, &group);
        return palette.color(group, role);
    }
    const auto u = static_cast<std::uint32_t>(v);
    return QColor(static_cast<int>(u & 0xFF), static_cast<int>((u >> 8) & 0xFF),
                  static_cast<int>((u >> 16) & 0xFF));
}

QColor toQColor(ColourValue v) {
    return toQColor(v, QApplication::palette());
}

ColourValue fromQColor(const QColor& c) {
    const QColor rgb = c.toRgb();
    return static_cast<ColourValue>(static_cast<std::uint32_t>(rgb.red()) |
                                    (static_cast<std::uint32_t>(rgb.green()) << 8) |
                                    (static_cast<std::uint32_t>(rgb.blue()) << 16));
}

namespace {

double luminance(const QColor& c) {
    const QColor rgb = c.toRgb();
    const auto linear = [](double v) {
        return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(rgb.redF()) + 0.7152 * linear(rgb.greenF()) +
           0.0722 * linear(rgb.blueF());
}

} // namespace

double contrastRatio(const QColor& a, const QColor& b) {
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor readableOn(const QColor& text, const QColor& back) {
    if (contrastRatio(text, back) >= ReadableContrast) return text;
    const QColor black(Qt::black);
    const QColor white(Qt::white);
    const bool darker = contrastRatio(black, back) >= contrastRatio(white, back);
    const QColor end = darker ? black : white;
    const QColor hsl = text.toHsl();
    // A grey has no hue to keep; a mid grey in between would look disabled.
    if (hsl.hslSaturationF() < 0.15) return end;
    const double from = hsl.lightnessF();
    const double to = darker ? 0.0 : 1.0;
    for (int step = 1; step <= 64; ++step) {
        const QColor c =
            QColor::fromHslF(hsl.hslHueF(), hsl.hslSaturationF(), from + (to - from) * step / 64.0);
        if (contrastRatio(c, back) >= ReadableContrast) return c;
    }
    return end;
}

} // namespace sorami
