#pragma once
// The memo's text with its formatting, apart from any widget: paragraphs of
// runs. RTF files are read into it and written from it, and the window
// converts it to and from its edit box (rich_text_qt.h). Qt Core only, so
// the reader runs under the fuzzer at memory speed.

#include <QString>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sorami::rich {

// Soft line break inside a paragraph (RTF \line), as the edit box holds it.
inline constexpr char16_t LineBreak = u'\u2028';

// The size of text that names none (12 points).
inline constexpr int DefaultHalfPoints = 24;

// The most characters the memo holds; a paragraph break counts one.
inline constexpr std::size_t MaxChars = 1000000;

struct CharFormat {
    QString face;                       // empty: the reader's default face
    int halfPoints = DefaultHalfPoints; // RTF counts sizes in half points
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    std::optional<std::uint32_t> colour; // 0x00BBGGRR; none: the automatic colour

    bool operator==(const CharFormat&) const = default;
};

struct Run {
    QString text; // tabs as '\t', soft breaks as LineBreak, never a paragraph break
    CharFormat format;

    bool operator==(const Run&) const = default;
};

struct Paragraph {
    std::vector<Run> runs;
    bool bullet = false;
    int leftIndent = 0;  // twips, the indent of every line
    int firstIndent = 0; // twips, added to the first line; negative: a hanging indent
    // Tab stops in twips from where the left indent is measured, rising.
    // Word processors put one where a list's text begins, so the tab after
    // a number or bullet ends there and not at the next default stop.
    std::vector<int> tabStops;

    QString text() const;
    bool operator==(const Paragraph&) const = default;
};

struct Document {
    std::vector<Paragraph> paragraphs; // at least one once read
    bool truncated = false;            // the file held more than the reader's limit

    QString text(QChar paragraphBreak = u'\n') const;
    bool operator==(const Document&) const = default;
};

// Whether the bytes start like an RTF file ("{\rtf", after blanks).
bool looksLikeRtf(std::string_view bytes);

// Reads RTF. Nothing of the file is trusted: any bytes give a document,
// in time linear in their length, without recursion. Returns nothing when
// the bytes are not RTF at all.
// Text past `maxChars` is cut and the document marked truncated.
std::optional<Document> readRtf(std::string_view bytes, std::size_t maxChars = MaxChars);

// Reads Shift-JIS text; CR LF, CR and LF end paragraphs.
Document readPlainText(std::string_view bytes, std::size_t maxChars = MaxChars);

// RTF as the rich edit control and word processors read it: Japanese text
// both as \uN and as its Shift-JIS bytes for older readers.
std::string writeRtf(const Document& doc);

// The text alone in Shift-JIS, paragraphs and soft breaks ended by CR LF.
std::string writePlainText(const Document& doc);

// The characters of the text that Shift-JIS cannot hold, which a plain
// file would turn into "?": how many there are and the first of them.
struct PlainTextLoss {
    std::size_t count = 0;
    QString first; // one character, a surrogate pair kept whole
};
PlainTextLoss plainTextLoss(const Document& doc);

} // namespace sorami::rich
