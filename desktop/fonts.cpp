#include "fonts.h"

#include <QFontDatabase>
#include <QStringList>
#include <algorithm>

namespace sorami {

void installFontSubstitutions() {
    const QStringList gothic = {QStringLiteral("Noto Sans CJK JP"), QStringLiteral("Noto Sans JP"),
                                QStringLiteral("IPAGothic"), QStringLiteral("VL Gothic"),
                                QStringLiteral("DejaVu Sans")};
    const QStringList mono = {QStringLiteral("Noto Sans Mono CJK JP"),
                              QStringLiteral("Noto Sans CJK JP"), QStringLiteral("IPAGothic"),
                              QStringLiteral("DejaVu Sans Mono")};
    const QStringList mincho = {QStringLiteral("Noto Serif CJK JP"), QStringLiteral("IPAMincho"),
                                QStringLiteral("Noto Sans CJK JP")};
    QFont::insertSubstitutions(face::System, gothic);
    QFont::insertSubstitutions(face::PGothic, gothic);
    QFont::insertSubstitutions(face::Gothic, mono);
    QFont::insertSubstitutions(face::UIGothic, gothic);
    QFont::insertSubstitutions(face::PMincho, mincho);
    QFont::insertSubstitutions(face::Mincho, mincho);
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"), gothic);
    QFont::insertSubstitutions(QStringLiteral("Terminal"), mono);
}

FontSpec pixelFontSpec(const QString& faceName, int pixels, FontStyle style, ColourValue colour) {
    FontSpec f;
    f.face = faceName;
    f.size = 0;
    f.height = -pixels;
    f.colour = colour;
    f.bold = style.bold;
    f.italic = style.italic;
    f.underline = style.underline;
    return f;
}

QFont pixelFont(const QString& faceName, int pixels, FontStyle style) {
    return toQFont(pixelFontSpec(faceName, pixels, style));
}

FontSpec pointFontSpec(const QString& faceName, int points, FontStyle style, ColourValue colour) {
    FontSpec f = pixelFontSpec(faceName, 0, style, colour);
    f.size = points;
    f.height = 0;
    return f;
}

QFont pointFont(const QString& faceName, int points, FontStyle style) {
    return toQFont(pointFontSpec(faceName, points, style));
}

QFont toQFont(const FontSpec& fontSpec) {
    QFont f(fontSpec.face);
    if (fontSpec.height < 0) {
        // A negative height is the character height itself, which is what
        // Qt's pixel size means.
        f.setPixelSize(-fontSpec.height);
    } else if (fontSpec.height > 0) {
        // A positive height counts the cell, internal leading included.
        f.setPixelSize(std::max(1, fontSpec.height * 7 / 8));
    } else if (fontSpec.size > 0) {
        f.setPointSize(fontSpec.size);
    }
    f.setBold(fontSpec.bold);
    f.setItalic(fontSpec.italic);
    f.setUnderline(fontSpec.underline);
    f.setStrikeOut(fontSpec.strikeOut);
    return f;
}

FontSpec fromQFont(const QFont& font, ColourValue colour) {
    FontSpec s;
    s.face = font.family();
    s.size = font.pointSize() > 0 ? font.pointSize() : 0;
    s.height = font.pointSize() > 0 ? 0 : -font.pixelSize();
    s.colour = colour;
    s.bold = font.bold();
    s.italic = font.italic();
    s.underline = font.underline();
    s.strikeOut = font.strikeOut();
    return s;
}

} // namespace sorami
