#include "rtf_tables.h"

#include <algorithm>
#include <array>

namespace sorami::rich {
namespace {

// Windows-1252 differs from Latin-1 only in 0x80 to 0x9F.
constexpr std::array<char16_t, 32> Cp1252High = {
    0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD, 0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178};

} // namespace

QString fromCp1252(std::string_view bytes) {
    QString out;
    out.reserve(static_cast<qsizetype>(bytes.size()));
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        out.append(QChar(b >= 0x80 && b < 0xA0 ? Cp1252High[b - 0x80] : char16_t(b)));
    }
    return out;
}

// Text drawn before a list paragraph that means "a bullet", not a number.
bool isBulletGlyph(const QString& text) {
    QString t = text;
    while (!t.isEmpty() && (t.back() == u'\t' || t.back() == u' '))
        t.chop(1);
    if (t.size() != 1) return false;
    // Bullets, middle dots, discs and squares, also in the symbol fonts'
    // private-use area, and the dashes and letters used as bullets.
    static constexpr std::u16string_view glyphs =
        u"\u2022\u00B7\uF0B7\u25CF\u25A0\u25AA\u25E6\u2013\u2219\u30FB\uF0A7\uF0D8\uF076\uF0FC-*o";
    return glyphs.find(t.at(0).unicode()) != std::u16string_view::npos;
}

// Destinations whose content is never the memo's text.
bool isSkippedDestination(std::string_view w) {
    // clang-format off
    static constexpr std::string_view names[] = {
        "author", "buptim", "comment", "creatim", "doccomm", "footer", "footerf", "footerl",
        "footerr", "footnote", "ftncn", "ftnsep", "ftnsepc", "header", "headerf", "headerl",
        "headerr", "info", "keywords", "operator", "pict", "printim", "private", "revtim",
        "stylesheet", "subject", "title", "fldinst", "object", "objdata", "xe", "tc", "txe", "rxe",
        "nonshppict", "themedata", "colorschememapping", "datastore", "latentstyles", "listtable",
        "listoverridetable", "revtbl", "rsidtbl", "generator", "xmlnstbl", "filetbl", "template",
        "docvar", "aftncn", "aftnsep", "aftnsepc", "atnid", "atnauthor", "annotation", "bkmkstart",
        "bkmkend", "company", "category", "manager", "hlinkbase", "userprops", "pgdsctbl",
        "background", "shp", "shpinst", "sp", "sn", "sv", "fontemb", "fontfile", "pnseclvl",
    };
    // clang-format on
    return std::find(std::begin(names), std::end(names), w) != std::end(names);
}

} // namespace sorami::rich
