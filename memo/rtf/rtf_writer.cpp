// The RTF writer. Its output is meant for two kinds of reader: the rich edit
// control of older Japanese desktops, which knows Shift-JIS bytes under a
// \fcharset128 font but not always \uN, and word processors, which prefer
// \uN. So every character beyond ASCII is written as \uN followed by its
// Shift-JIS bytes as the fallback, with \uc saying how many bytes that is.
// Each run is a group of its own, so no formatting leaks into the next one.

#include "rich_text.h"
#include "sjis_text.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cstdio>

namespace sorami::rich {
namespace {

// The face of text that names none: the memo's own default.
const QString FallbackFace = QStringLiteral("ＭＳ ゴシック");

void appendHex(std::string& out, unsigned char b) {
    static constexpr char digits[] = "0123456789abcdef";
    out += "\\'";
    out.push_back(digits[b >> 4]);
    out.push_back(digits[b & 15]);
}

void appendNumber(std::string& out, const char* word, long long n) {
    out += '\\';
    out += word;
    out += std::to_string(n);
}

// Font names are written as Shift-JIS bytes: the font table has no \uN.
void appendName(std::string& out, const QString& name) {
    bool trail = false; // a double-byte character's second byte, written as hex too
    for (const char c : toSjis(name)) {
        const auto b = static_cast<unsigned char>(c);
        const bool lead = !trail && isSjisLeadByte(b);
        if (lead || trail || b >= 0x80 || c == '\\' || c == '{' || c == '}' || c == ';')
            appendHex(out, b);
        else if (b >= 0x20)
            out.push_back(c);
        trail = lead;
    }
}

// The Shift-JIS bytes written after \uN: one or two, or "?" where they
// would not read back as the same character.
struct Fallback {
    int size = 1;
    char bytes[2] = {'?', 0};
};

Fallback computeFallback(char16_t u) {
    Fallback f;
    if (QChar::isSurrogate(u)) return f;
    const QString ch(QChar{u});
    const std::string bytes = toSjis(ch);
    if (bytes.empty() || bytes.size() > 2 || fromSjis(bytes) != ch) return f;
    f.size = static_cast<int>(bytes.size());
    std::copy(bytes.begin(), bytes.end(), f.bytes);
    return f;
}

// Every character beyond ASCII needs its fallback, and asking the converter
// twice per character made writing a Japanese memo cost a string or three
// per character. Each code unit is asked once per run of the program; the
// answers are kept packed in one word each (0: not asked yet), so any
// thread may fill them in.
Fallback fallbackOf(char16_t u) {
    static std::array<std::atomic<std::uint32_t>, 0x10000> known{};
    std::atomic<std::uint32_t>& slot = known[u];
    std::uint32_t packed = slot.load(std::memory_order_relaxed);
    if (packed == 0) {
        const Fallback f = computeFallback(u);
        packed = 0x10000u * static_cast<std::uint32_t>(f.size) |
                 0x100u * static_cast<unsigned char>(f.bytes[1]) |
                 static_cast<unsigned char>(f.bytes[0]);
        slot.store(packed, std::memory_order_relaxed);
    }
    Fallback f;
    f.size = static_cast<int>(packed >> 16);
    f.bytes[0] = static_cast<char>(packed & 0xFF);
    f.bytes[1] = static_cast<char>((packed >> 8) & 0xFF);
    return f;
}

class Writer {
public:
    explicit Writer(const Document& doc) : doc_(doc) {}
    std::string run();

private:
    const Document& doc_;
    std::vector<QString> faces_;
    std::vector<std::uint32_t> colours_;
    std::string out_;
    int uc_ = 1; // the \uc in force in the run being written

    // The face as the font table can hold it: no control characters, no
    // blanks at either end (readers drop them), never empty.
    static QString faceOf(const CharFormat& f) {
        QString face = f.face;
        face.removeIf([](QChar c) { return c.unicode() < 0x20; });
        while (face.startsWith(u' '))
            face.remove(0, 1);
        while (face.endsWith(u' '))
            face.chop(1);
        return face.isEmpty() ? FallbackFace : face;
    }

    std::size_t fontIndex(const QString& face) const {
        return static_cast<std::size_t>(std::find(faces_.begin(), faces_.end(), face) -
                                        faces_.begin());
    }
    std::size_t symbolFont() const { return faces_.size(); }

    void collectTables() {
        faces_.push_back(FallbackFace);
        for (const auto& p : doc_.paragraphs)
            for (const auto& r : p.runs) {
                const QString face = faceOf(r.format);
                if (std::find(faces_.begin(), faces_.end(), face) == faces_.end())
                    faces_.push_back(face);
                if (r.format.colour &&
                    std::find(colours_.begin(), colours_.end(), *r.format.colour) == colours_.end())
                    colours_.push_back(*r.format.colour);
            }
    }

    void writeHeader() {
        out_ += "{\\rtf1\\ansi\\ansicpg932\\deff0\\deflang1041{\\fonttbl";
        for (std::size_t i = 0; i < faces_.size(); ++i) {
            out_ += "{";
            appendNumber(out_, "f", static_cast<long long>(i));
            out_ += "\\fnil\\fcharset128 ";
            appendName(out_, faces_[i]);
            out_ += ";}";
        }
        // The bullet glyph's font, as the rich edit control names it.
        out_ += "{";
        appendNumber(out_, "f", static_cast<long long>(symbolFont()));
        out_ += "\\fnil\\fcharset2 Symbol;}}\r\n";
        if (!colours_.empty()) {
            out_ += "{\\colortbl ;";
            for (const auto c : colours_) {
                appendNumber(out_, "red", c & 0xFF);
                appendNumber(out_, "green", (c >> 8) & 0xFF);
                appendNumber(out_, "blue", (c >> 16) & 0xFF);
                out_ += ";";
            }
            out_ += "}\r\n";
        }
        out_ += "\\viewkind4\\uc1";
    }

    void setUc(int n) {
        if (uc_ == n) return;
        appendNumber(out_, "uc", n);
        uc_ = n;
    }

    void writeChar(QChar ch) {
        const char16_t u = ch.unicode();
        if (u == u'\\' || u == u'{' || u == u'}') {
            out_ += '\\';
            out_.push_back(static_cast<char>(u));
        } else if (u == u'\t') {
            out_ += "\\tab ";
        } else if (u == LineBreak) {
            out_ += "\\line ";
        } else if (u < 0x20) {
            // Control characters are no text a reader would show.
        } else if (u < 0x80) {
            // Every control word before text ends in its blank or in \'hh,
            // so a letter or digit here cannot lengthen one.
            out_.push_back(static_cast<char>(u));
        } else {
            const Fallback bytes = fallbackOf(u);
            setUc(bytes.size);
            appendNumber(out_, "u", static_cast<short>(u));
            if (bytes.size == 1 && bytes.bytes[0] == '?')
                out_ += '?';
            else // trail bytes may be '\\' or a brace: every byte as \'hh
                for (int i = 0; i < bytes.size; ++i)
                    appendHex(out_, static_cast<unsigned char>(bytes.bytes[i]));
        }
    }

    void writeRun(const Run& r) {
        if (r.text.isEmpty()) return;
        const CharFormat& f = r.format;
        out_ += "{";
        // Word processors keep a second face for Japanese characters (the
        // associated font of \dbch text); both are the run's face.
        const auto font = static_cast<long long>(fontIndex(faceOf(f)));
        appendNumber(out_, "f", font);
        out_ += "\\dbch";
        appendNumber(out_, "af", font);
        out_ += "\\loch";
        appendNumber(out_, "fs", std::clamp(f.halfPoints, 1, 3276));
        if (f.colour)
            appendNumber(
                out_, "cf",
                static_cast<long long>(std::find(colours_.begin(), colours_.end(), *f.colour) -
                                       colours_.begin()) +
                    1);
        if (f.bold) out_ += "\\b";
        if (f.italic) out_ += "\\i";
        if (f.underline) out_ += "\\ul";
        if (f.strikeOut) out_ += "\\strike";
        out_ += ' ';
        uc_ = 1;
        for (const QChar ch : r.text)
            writeChar(ch);
        out_ += "}";
    }

    void writeParagraph(const Paragraph& p) {
        out_ += "\\pard";
        if (p.leftIndent != 0) appendNumber(out_, "li", p.leftIndent);
        if (p.firstIndent != 0) appendNumber(out_, "fi", p.firstIndent);
        for (const int stop : p.tabStops)
            appendNumber(out_, "tx", stop);
        if (p.bullet) {
            const auto sym = static_cast<long long>(symbolFont());
            out_ += "{\\pntext";
            appendNumber(out_, "f", sym);
            out_ += "\\'b7\\tab}{\\*\\pn\\pnlvlblt";
            appendNumber(out_, "pnf", sym);
            // The glyph as \u too: some readers decode \'b7 in the document's
            // code page, where it is a kana, not in the symbol font's.
            out_ += "\\pnindent0{\\pntxtb\\u8226\\'b7}}";
        }
        for (const auto& r : p.runs)
            writeRun(r);
    }
};

std::string Writer::run() {
    collectTables();
    writeHeader();
    for (std::size_t i = 0; i < doc_.paragraphs.size(); ++i) {
        if (i > 0) out_ += "\\par\r\n";
        writeParagraph(doc_.paragraphs[i]);
    }
    out_ += "}\r\n";
    return std::move(out_);
}

} // namespace

std::string writeRtf(const Document& doc) {
    return Writer(doc).run();
}

} // namespace sorami::rich
