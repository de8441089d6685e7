#pragma once
// The fixed knowledge the RTF reader works from: code page 1252, the
// glyphs that mean a bullet, the destinations the memo never shows.

#include <QString>
#include <cstdint>
#include <string_view>

namespace sorami::rich {

// Bytes of a font in a Western character set.
QString fromCp1252(std::string_view bytes);

// Whether the text drawn before a list paragraph means "a bullet", not a number.
bool isBulletGlyph(const QString& text);

// Destinations whose content is never the memo's text.
bool isSkippedDestination(std::string_view word);

// The control words the reader acts on. Words that act alike share one
// (the underline styles, \pntext and \listtext); words that act alike in
// the text but not everywhere (\tab and \cell) do not.
enum class Word : std::uint8_t {
    Other, // a word the reader ignores
    SkippedDestination,
    // Destinations and the document.
    Bin,
    FontTable,
    ColourTable,
    BulletText,
    Pn,
    AnsiCodePage,
    DefaultFont,
    Uc,
    // Tables and bullets.
    F,
    FCharset,
    Red,
    Green,
    Blue,
    PnLevelBullet,
    // Characters.
    Plain,
    Dbch,
    Loch,
    Af,
    Afs,
    Ab,
    Ai,
    Fs,
    B,
    I,
    Underline,
    UnderlineNone,
    Strike,
    Cf,
    U,
    // Paragraphs.
    Pard,
    Li,
    Fi,
    TabStop,
    InTable,
    Par,
    Row,
    // Special characters.
    Tab,
    Cell,
    Line,
    Bullet,
    EmDash,
    EnDash,
    LQuote,
    RQuote,
    LDblQuote,
    RDblQuote,
    Space,
};

// What a control word is to the reader: one look-up, not a comparison with
// every word it knows, since files hold a control word every few bytes.
Word wordOf(std::string_view word);

} // namespace sorami::rich
