#include "rtf_tables.h"

#include <algorithm>
#include <array>
#include <cstdint>

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

namespace {

struct NamedWord {
    std::string_view name;
    Word word;
};

// In the order of their names, for the reader of this list.
constexpr NamedWord Words[] = {
    // clang-format off
    {"ab", Word::Ab}, {"af", Word::Af}, {"afs", Word::Afs}, {"aftncn", Word::SkippedDestination},
    {"aftnsep", Word::SkippedDestination}, {"aftnsepc", Word::SkippedDestination},
    {"ai", Word::Ai}, {"annotation", Word::SkippedDestination},
    {"ansicpg", Word::AnsiCodePage}, {"atnauthor", Word::SkippedDestination},
    {"atnid", Word::SkippedDestination}, {"author", Word::SkippedDestination},
    {"b", Word::B}, {"background", Word::SkippedDestination}, {"bin", Word::Bin},
    {"bkmkend", Word::SkippedDestination}, {"bkmkstart", Word::SkippedDestination},
    {"blue", Word::Blue}, {"bullet", Word::Bullet}, {"buptim", Word::SkippedDestination},
    {"category", Word::SkippedDestination}, {"cell", Word::Cell}, {"cf", Word::Cf},
    {"colorschememapping", Word::SkippedDestination}, {"colortbl", Word::ColourTable},
    {"comment", Word::SkippedDestination}, {"company", Word::SkippedDestination},
    {"creatim", Word::SkippedDestination}, {"datastore", Word::SkippedDestination},
    {"dbch", Word::Dbch}, {"deff", Word::DefaultFont}, {"doccomm", Word::SkippedDestination},
    {"docvar", Word::SkippedDestination}, {"emdash", Word::EmDash}, {"emspace", Word::Space},
    {"endash", Word::EnDash}, {"enspace", Word::Space}, {"f", Word::F},
    {"fcharset", Word::FCharset}, {"fi", Word::Fi}, {"filetbl", Word::SkippedDestination},
    {"fldinst", Word::SkippedDestination}, {"fontemb", Word::SkippedDestination},
    {"fontfile", Word::SkippedDestination}, {"fonttbl", Word::FontTable},
    {"footer", Word::SkippedDestination}, {"footerf", Word::SkippedDestination},
    {"footerl", Word::SkippedDestination}, {"footerr", Word::SkippedDestination},
    {"footnote", Word::SkippedDestination}, {"fs", Word::Fs},
    {"ftncn", Word::SkippedDestination}, {"ftnsep", Word::SkippedDestination},
    {"ftnsepc", Word::SkippedDestination}, {"generator", Word::SkippedDestination},
    {"green", Word::Green}, {"header", Word::SkippedDestination},
    {"headerf", Word::SkippedDestination}, {"headerl", Word::SkippedDestination},
    {"headerr", Word::SkippedDestination}, {"hich", Word::Loch},
    {"hlinkbase", Word::SkippedDestination}, {"i", Word::I}, {"info", Word::SkippedDestination},
    {"intbl", Word::InTable},
    {"keywords", Word::SkippedDestination}, {"latentstyles", Word::SkippedDestination},
    {"ldblquote", Word::LDblQuote}, {"li", Word::Li}, {"line", Word::Line},
    {"listoverridetable", Word::SkippedDestination}, {"listtable", Word::SkippedDestination},
    {"listtext", Word::BulletText}, {"loch", Word::Loch}, {"lquote", Word::LQuote},
    {"manager", Word::SkippedDestination}, {"nestcell", Word::Cell},
    {"nonshppict", Word::SkippedDestination}, {"objdata", Word::SkippedDestination},
    {"object", Word::SkippedDestination}, {"operator", Word::SkippedDestination},
    {"par", Word::Par}, {"pard", Word::Pard}, {"pgdsctbl", Word::SkippedDestination},
    {"pict", Word::SkippedDestination}, {"plain", Word::Plain}, {"pn", Word::Pn},
    {"pnlvlblt", Word::PnLevelBullet}, {"pnseclvl", Word::SkippedDestination},
    {"pntext", Word::BulletText}, {"printim", Word::SkippedDestination},
    {"private", Word::SkippedDestination}, {"qmspace", Word::Space},
    {"rdblquote", Word::RDblQuote}, {"red", Word::Red}, {"revtbl", Word::SkippedDestination},
    {"revtim", Word::SkippedDestination}, {"row", Word::Row}, {"rquote", Word::RQuote},
    {"rsidtbl", Word::SkippedDestination}, {"rxe", Word::SkippedDestination},
    {"shp", Word::SkippedDestination}, {"shpinst", Word::SkippedDestination},
    {"sn", Word::SkippedDestination}, {"sp", Word::SkippedDestination},
    {"strike", Word::Strike}, {"striked", Word::Strike}, {"stylesheet", Word::SkippedDestination},
    {"subject", Word::SkippedDestination}, {"sv", Word::SkippedDestination},
    {"tab", Word::Tab}, {"tc", Word::SkippedDestination}, {"template", Word::SkippedDestination},
    {"themedata", Word::SkippedDestination}, {"title", Word::SkippedDestination},
    {"tx", Word::TabStop}, {"txe", Word::SkippedDestination}, {"u", Word::U}, {"uc", Word::Uc}, {"ul", Word::Underline},
    {"uld", Word::Underline}, {"uldash", Word::Underline}, {"uldashd", Word::Underline},
    {"uldashdd", Word::Underline}, {"uldb", Word::Underline}, {"ulnone", Word::UnderlineNone},
    {"ulth", Word::Underline}, {"ulw", Word::Underline}, {"ulwave", Word::Underline},
    {"userprops", Word::SkippedDestination}, {"xe", Word::SkippedDestination},
    {"xmlnstbl", Word::SkippedDestination},
    // clang-format on
};

// Files hold a control word every few bytes, so a word is found by its hash
// in an open table: one comparison of names, most times, whatever the word.
constexpr std::uint32_t hashOf(std::string_view w) {
    std::uint32_t h = 2166136261u;
    for (const char c : w)
        h = (h ^ static_cast<unsigned char>(c)) * 16777619u;
    return h;
}

constexpr std::size_t Slots = 1024; // a power of two, at least four times the words
constexpr std::size_t LongestName = 18;

// Each slot holds a word's place in Words plus one; 0 is an empty slot.
constexpr std::array<std::uint8_t, Slots> Table = [] {
    std::array<std::uint8_t, Slots> t{};
    for (std::size_t k = 0; k < std::size(Words); ++k) {
        std::size_t i = hashOf(Words[k].name) % Slots;
        while (t[i] != 0) {
            if (Words[t[i] - 1].name == Words[k].name) throw "a word is in the table twice";
            i = (i + 1) % Slots;
        }
        t[i] = static_cast<std::uint8_t>(k + 1);
    }
    return t;
}();
static_assert(std::size(Words) < 255 && std::size(Words) * 4 <= Slots);
static_assert(std::all_of(std::begin(Words), std::end(Words),
                          [](const NamedWord& w) { return w.name.size() <= LongestName; }));

} // namespace

Word wordOf(std::string_view w) {
    if (w.empty() || w.size() > LongestName) return Word::Other;
    for (std::size_t i = hashOf(w) % Slots;; i = (i + 1) % Slots) {
        const std::uint8_t k = Table[i];
        if (k == 0) return Word::Other;
        if (Words[k - 1].name == w) return Words[k - 1].word;
    }
}

// Destinations whose content is never the memo's text.
bool isSkippedDestination(std::string_view w) {
    return wordOf(w) == Word::SkippedDestination;
}

} // namespace sorami::rich
