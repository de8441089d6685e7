// The RTF reader. Files come from the rich edit control of Japanese
// desktops (Shift-JIS bytes in \'hh pairs), from word processors (\uN with
// fallbacks, list tables) and from anywhere else, so the reader is lenient:
// unknown words are ignored, destinations that hold no text for the memo are
// skipped whole, and a broken file still gives the text it holds. It never
// recurses: groups live on an explicit stack, so deep nesting costs memory
// in proportion to the file, not the program's stack, and no step looks
// back over what came before, so the work grows with the file's length
// however deep its groups or lists go.
//
// Tables become lines of text: a row is a paragraph whose cells are parted
// by tabs, with no tab after the last cell, and the paragraphs inside one
// cell are joined by a blank.

#include "rich_text.h"
#include "rtf_tables.h"
#include "sjis_text.h"

#include <algorithm>
#include <array>
#include <limits>
#include <unordered_map>
#include <utility>

namespace sorami::rich {
namespace {

enum class Dest : std::uint8_t {
    Text,        // the document's text
    Skip,        // a destination the memo does not show
    FontTable,   // \fonttbl
    Colours,     // \colortbl
    BulletText,  // \pntext, \listtext: the bullet or number drawn before a paragraph
    BulletProps, // \pn: how a paragraph is numbered
};

// Word processors allow indents and tab stops up to 22 inches; a file's
// larger numbers would put its text thousands of screens to the right.
constexpr int MaxIndent = 31680;

// Lists need a stop or two; more than this many in one paragraph are dropped.
constexpr std::size_t MaxTabStops = 8;

// What a group carries and restores at its end.
struct State {
    Dest dest = Dest::Text;
    int font = -1; // -1: the default font (\deff)
    int halfPoints = DefaultHalfPoints;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    int colour = 0; // index into the colour table; 0 is the automatic colour
    int uc = 1;     // bytes of fallback after each \uN
    bool bullet = false;
    int leftIndent = 0;
    int firstIndent = 0;
    bool inTable = false; // \intbl: a paragraph mark ends a paragraph of a cell, not a line
    std::uint8_t tabCount = 0;
    std::array<int, MaxTabStops> tabs{}; // rising
    // Word processors give Japanese text its own font, size and bold through
    // the associated properties (\af, \afs, \ab, \ai) after \dbch.
    bool dbch = false;
    int assocFont = -1;
    int assocHalfPoints = 0;
    std::int8_t assocBold = -1;
    std::int8_t assocItalic = -1;

    int effectiveFont(int deff) const {
        const int f = dbch && assocFont >= 0 ? assocFont : font;
        return f < 0 ? deff : f;
    }
};

struct Font {
    QString name;
    int charset = 1; // 1: the document's code page
};

// Deeper groups than this share their parent's state: a file cannot make
// the reader hold millions of states. Only formatting can leak out of them.
constexpr std::size_t MaxDepth = 200000;

bool isLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

class Reader {
public:
    Reader(std::string_view bytes, std::size_t maxChars) : in_(bytes), budget_(maxChars) {
        // Room for the nesting of ordinary files and no more: readers are
        // made for every file, most of them small, and a bigger first block
        // costs more than it saves.
        stack_.reserve(8);
        stack_.push_back(State{});
    }

    Document run();

private:
    std::string_view in_;
    std::size_t pos_ = 0;
    std::size_t budget_; // characters the document may still take
    bool full_ = false;
    bool ended_ = false;

    std::vector<State> stack_;
    std::size_t overflow_ = 0;     // groups opened past MaxDepth and not yet closed
    std::size_t overflowSkip_ = 0; // the overflow level at which a skipped destination began
    bool star_ = false;            // the group began with \*
    int pnOwner_ = -1;             // the state a \pn group's bullet belongs to
    int skipFallback_ = 0;         // fallback units still to drop after \uN

    int defaultFont_ = 0;
    int codePage_ = 1252;
    std::unordered_map<int, Font> fonts_;
    std::vector<std::optional<std::uint32_t>> colours_;

    // The font table entry being read.
    int fontNumber_ = 0;
    int fontCharset_ = 1;
    std::string fontName_;
    bool fontEnded_ = false; // its ';' came: what follows until the next \f is no name
    // The colour table entry being read.
    int red_ = 0, green_ = 0, blue_ = 0;
    bool colourGiven_ = false;

    std::string pending_; // text bytes not yet decoded
    // A table row's cells: the tab after a cell is written only when more
    // of the row follows, so the row's line ends without one.
    std::size_t cellTabs_ = 0;
    bool cellBreak_ = false; // a paragraph of the cell ended: a blank if more follows
    bool cellEmpty_ = true;
    QString bulletText_;
    Document doc_;
    Paragraph para_;

    State& st() { return stack_.back(); }
    bool skipping() const { return overflowSkip_ > 0 || stack_.back().dest == Dest::Skip; }

    // Past MaxDepth a group has no state of its own: only skipping can begin
    // there, and it ends with the group.
    void setDest(Dest d) {
        if (overflow_ == 0)
            st().dest = d;
        else if (d == Dest::Skip && overflowSkip_ == 0)
            overflowSkip_ = overflow_;
    }

    bool codePage932(const State& s) const {
        const auto it = fonts_.find(s.effectiveFont(defaultFont_));
        const int charset = it == fonts_.end() ? 1 : it->second.charset;
        if (charset == 128) return true;
        if (charset == 0 || charset == 2 || charset == 77) return false;
        return codePage_ == 932;
    }

    CharFormat format() const {
        const State& s = stack_.back();
        CharFormat f;
        const auto it = fonts_.find(s.effectiveFont(defaultFont_));
        if (it != fonts_.end()) f.face = it->second.name;
        f.halfPoints = s.dbch && s.assocHalfPoints > 0 ? s.assocHalfPoints : s.halfPoints;
        f.bold = s.dbch && s.assocBold >= 0 ? s.assocBold != 0 : s.bold;
        f.italic = s.dbch && s.assocItalic >= 0 ? s.assocItalic != 0 : s.italic;
        f.underline = s.underline;
        f.strikeOut = s.strikeOut;
        if (s.colour > 0 && static_cast<std::size_t>(s.colour) < colours_.size())
            f.colour = colours_[static_cast<std::size_t>(s.colour)];
        return f;
    }

    // Text arrives a character at a time as often as in long stretches (\uN,
    // \tab, symbols), so it is taken as a view: no string is made for it
    // unless it starts a run.
    void appendText(QStringView text) {
        if (text.isEmpty() || full_) return;
        if (st().dest == Dest::BulletText) {
            if (bulletText_.size() < 64) bulletText_ += text;
            return;
        }
        if (st().dest != Dest::Text) return;
        addCells();
        cellEmpty_ = false;
        addText(text);
    }

    // The tabs of the cells ended since the last text, and the blank of a
    // cell's paragraph break, once more of the row follows.
    void addCells() {
        static constexpr char16_t tab = u'\t', blank = u' ';
        for (; cellTabs_ > 0 && !full_; --cellTabs_)
            addText(QStringView(&tab, 1));
        cellTabs_ = 0;
        if (std::exchange(cellBreak_, false)) addText(QStringView(&blank, 1));
    }
    void appendChar(char16_t c) { appendText(QStringView(&c, 1)); }

    void addText(QStringView text) {
        if (full_) return;
        QStringView t = text;
        if (static_cast<std::size_t>(t.size()) > budget_) {
            t.truncate(static_cast<qsizetype>(budget_));
            full_ = true;
        }
        budget_ -= static_cast<std::size_t>(t.size());
        if (t.isEmpty()) return;
        CharFormat f = format();
        if (!para_.runs.empty() && para_.runs.back().format == f)
            para_.runs.back().text += t;
        else
            para_.runs.push_back(Run{t.toString(), std::move(f)});
    }

    // What a table's cells still hold back is dropped where a line ends.
    void endCells() {
        cellTabs_ = 0;
        cellBreak_ = false;
        cellEmpty_ = true;
    }

    void addTabStop(int twips) {
        State& s = st();
        const int at = std::clamp(twips, 0, MaxIndent);
        auto* const end = s.tabs.begin() + s.tabCount;
        auto* const place = std::lower_bound(s.tabs.begin(), end, at);
        if (place != end && *place == at) return;
        if (s.tabCount == MaxTabStops) {
            if (place == end) return; // the stops furthest right are the ones dropped
            --s.tabCount;
        }
        std::move_backward(place, s.tabs.begin() + s.tabCount, s.tabs.begin() + s.tabCount + 1);
        *place = at;
        ++s.tabCount;
    }

    void flush() {
        // Control characters are no text anyone typed (no trail byte is one).
        std::erase_if(pending_, [](char c) { return static_cast<unsigned char>(c) < 0x20; });
        if (pending_.empty()) return;
        const State& s = stack_.back();
        if (s.dest == Dest::FontTable) {
            if (!fontEnded_) fontName_ += pending_;
        } else if (s.dest == Dest::Colours) {
            // Colour entries end at ';'; other text there means nothing.
            for (const char c : pending_)
                if (c == ';') endColour();
        } else if (s.dest == Dest::Text || s.dest == Dest::BulletText) {
            appendText(codePage932(s) ? fromSjis(pending_) : fromCp1252(pending_));
        }
        pending_.clear();
    }

    void endFont() {
        if (fontName_.empty()) return;
        std::string_view name = fontName_;
        while (!name.empty() && name.back() == ' ')
            name.remove_suffix(1);
        while (!name.empty() && name.front() == ' ')
            name.remove_prefix(1);
        Font& font = fonts_[fontNumber_];
        font.charset = fontCharset_;
        font.name = fontCharset_ == 128 || (fontCharset_ == 1 && codePage_ == 932)
                        ? fromSjis(name)
                        : fromCp1252(name);
        fontName_.clear();
    }

    void endColour() {
        if (colours_.size() < 4096) {
            if (colourGiven_)
                colours_.push_back(static_cast<std::uint32_t>(red_) |
                                   static_cast<std::uint32_t>(green_) << 8 |
                                   static_cast<std::uint32_t>(blue_) << 16);
            else
                colours_.push_back(std::nullopt);
        }
        red_ = green_ = blue_ = 0;
        colourGiven_ = false;
    }

    void endParagraph() {
        endCells();
        if (full_) return;
        if (budget_ == 0) {
            full_ = true;
            return;
        }
        --budget_;
        finishParagraph();
    }

    void paragraphMark() {
        if (!st().inTable)
            endParagraph();
        else if (!cellEmpty_) // a paragraph inside a table's cell
            cellBreak_ = true;
    }

    void finishParagraph() {
        const State& s = stack_.back();
        para_.bullet = s.bullet;
        para_.tabStops.assign(s.tabs.begin(), s.tabs.begin() + s.tabCount);
        if (!bulletText_.isEmpty()) {
            if (isBulletGlyph(bulletText_))
                para_.bullet = true;
            else if (!para_.bullet && budget_ > 0) { // a number: kept as text, not lost
                const QString number = bulletText_.left(static_cast<qsizetype>(budget_));
                budget_ -= static_cast<std::size_t>(number.size());
                CharFormat f = format();
                if (!para_.runs.empty() && para_.runs.front().format == f)
                    para_.runs.front().text.prepend(number);
                else
                    para_.runs.insert(para_.runs.begin(), Run{number, std::move(f)});
                // The tab after a number ends where a hanging indent's text
                // begins, as in the word processor that wrote it.
                auto& stops = para_.tabStops;
                const auto place = std::lower_bound(stops.begin(), stops.end(), s.leftIndent);
                if (s.firstIndent < 0 && s.leftIndent > 0 &&
                    (place == stops.end() || *place != s.leftIndent))
                    stops.insert(place, s.leftIndent);
            }
        }
        para_.leftIndent = s.leftIndent;
        para_.firstIndent = s.firstIndent;
        doc_.paragraphs.push_back(std::move(para_));
        para_ = Paragraph{};
        bulletText_.clear();
    }

    void openGroup() {
        flush();
        skipFallback_ = 0;
        if (stack_.size() >= MaxDepth) {
            ++overflow_;
            return;
        }
        stack_.push_back(stack_.back());
    }

    void closeGroup() {
        flush();
        skipFallback_ = 0;
        if (overflow_ > 0) {
            if (overflow_ == overflowSkip_) overflowSkip_ = 0;
            --overflow_;
            return;
        }
        if (stack_.size() <= 1) return; // a stray '}' closes nothing
        if (st().dest == Dest::FontTable) endFont();
        if (static_cast<int>(stack_.size()) - 1 == pnOwner_ + 1) pnOwner_ = -1;
        if (stack_.size() == 2) {
            // The document's own group ends: its last paragraph takes the
            // properties in force there, and what follows (the rich edit
            // control ends its files with a NUL) is not part of it.
            finishParagraph();
            ended_ = true;
        }
        stack_.pop_back();
    }

    void controlWord(Word word, bool hasParam, int param);
    void controlSymbol(char c);
    void skipBinary(int n) {
        const std::size_t count = n < 0 ? 0 : static_cast<std::size_t>(n);
        pos_ = count > in_.size() - pos_ ? in_.size() : pos_ + count;
    }
    bool dropFallback() {
        if (skipFallback_ <= 0) return false;
        --skipFallback_;
        return true;
    }
};

void Reader::controlSymbol(char c) {
    if (c == '*') {
        flush();
        star_ = true;
        return;
    }
    if (c == '\'') {
        const int hi = pos_ < in_.size() ? hexValue(in_[pos_]) : -1;
        const int lo = hi >= 0 && pos_ + 1 < in_.size() ? hexValue(in_[pos_ + 1]) : -1;
        if (hi < 0 || lo < 0) { // a broken pair is dropped, never shown as digits
            if (hi >= 0) ++pos_;
            return;
        }
        pos_ += 2;
        if (dropFallback()) return;
        pending_.push_back(static_cast<char>(hi * 16 + lo));
        return;
    }
    if (c == '\\' || c == '{' || c == '}') {
        if (dropFallback()) return;
        pending_.push_back(c);
        return;
    }
    flush();
    if (dropFallback()) return;
    if (c == '\r' || c == '\n') {
        if (st().dest == Dest::Text) paragraphMark();
    } else if (c == '~') {
        appendChar(0x00A0);
    } else if (c == '_') {
        appendChar(0x2011);
    }
}

void Reader::controlWord(Word w, bool hasParam, int param) {
    flush();
    State& s = st();
    if (star_) {
        star_ = false;
        // \*\pn is how the rich edit control stores its bullets; any other
        // starred destination is one this reader does not know.
        if (w == Word::Pn && overflow_ == 0) {
            pnOwner_ = static_cast<int>(stack_.size()) - 2;
            s.dest = Dest::BulletProps;
        } else {
            setDest(Dest::Skip);
        }
        return;
    }
    if (w == Word::U) {
        if (!hasParam) return;
        if (!dropFallback()) {
            const auto unit = static_cast<char16_t>(param < 0 ? param + 65536 : param);
            if (unit >= 0x20)
                appendChar(unit);
            else if (unit == u'\t')
                appendChar(u'\t');
        }
        skipFallback_ = s.uc;
        return;
    }
    if (dropFallback()) return;

    switch (s.dest) {
    case Dest::Skip:
        return;
    case Dest::FontTable:
        if (w == Word::F) {
            endFont();
            fontNumber_ = param;
            fontCharset_ = 1;
            fontEnded_ = false;
        } else if (w == Word::FCharset) {
            fontCharset_ = param;
        }
        return;
    case Dest::Colours:
        if (w == Word::Red)
            red_ = std::clamp(param, 0, 255), colourGiven_ = true;
        else if (w == Word::Green)
            green_ = std::clamp(param, 0, 255), colourGiven_ = true;
        else if (w == Word::Blue)
            blue_ = std::clamp(param, 0, 255), colourGiven_ = true;
        return;
    case Dest::BulletProps:
        if (w == Word::PnLevelBullet) {
            s.bullet = true;
            if (pnOwner_ >= 0) stack_[static_cast<std::size_t>(pnOwner_)].bullet = true;
        }
        return;
    case Dest::BulletText:
        if (w == Word::Tab)
            appendChar(u'\t');
        else if (w == Word::Bullet)
            appendChar(0x2022);
        else if (w == Word::F)
            s.font = param;
        return;
    case Dest::Text:
        break;
    }

    switch (w) {
    // Destinations.
    case Word::FontTable:
    case Word::ColourTable:
    case Word::BulletText:
    case Word::Pn:
        if (overflow_ > 0) { // past MaxDepth no group can hold a table or a bullet
            setDest(Dest::Skip);
        } else if (w == Word::FontTable) {
            s.dest = Dest::FontTable;
            fontName_.clear();
            fontEnded_ = false;
            fontCharset_ = 1;
        } else if (w == Word::ColourTable) {
            s.dest = Dest::Colours;
            colours_.clear();
            colourGiven_ = false;
            red_ = green_ = blue_ = 0;
        } else if (w == Word::BulletText) {
            s.dest = Dest::BulletText;
            bulletText_.clear();
        } else {
            pnOwner_ = static_cast<int>(stack_.size()) - 2;
            s.dest = Dest::BulletProps;
        }
        break;
    case Word::SkippedDestination:
        setDest(Dest::Skip);
        break;
    // Document.
    case Word::AnsiCodePage:
        codePage_ = param;
        break;
    case Word::DefaultFont:
        defaultFont_ = param;
        break;
    case Word::Uc:
        s.uc = std::clamp(param, 0, 16);
        break;
    // Characters.
    case Word::Plain:
        s.font = -1;
        s.halfPoints = DefaultHalfPoints;
        s.bold = s.italic = s.underline = s.strikeOut = false;
        s.colour = 0;
        s.dbch = false;
        s.assocFont = -1;
        s.assocHalfPoints = 0;
        s.assocBold = s.assocItalic = -1;
        break;
    case Word::Dbch:
        s.dbch = true;
        break;
    case Word::Loch:
        s.dbch = false;
        break;
    case Word::Af:
        s.assocFont = param;
        break;
    case Word::Afs:
        s.assocHalfPoints = hasParam && param > 0 ? std::min(param, 3276) : 0;
        break;
    case Word::Ab:
        s.assocBold = !hasParam || param != 0 ? 1 : 0;
        break;
    case Word::Ai:
        s.assocItalic = !hasParam || param != 0 ? 1 : 0;
        break;
    case Word::F:
        s.font = param;
        break;
    case Word::Fs:
        s.halfPoints = hasParam && param > 0 ? std::min(param, 3276) : DefaultHalfPoints;
        break;
    case Word::B:
        s.bold = !hasParam || param != 0;
        break;
    case Word::I:
        s.italic = !hasParam || param != 0;
        break;
    case Word::Underline:
        s.underline = !hasParam || param != 0;
        break;
    case Word::UnderlineNone:
        s.underline = false;
        break;
    case Word::Strike:
        s.strikeOut = !hasParam || param != 0;
        break;
    case Word::Cf:
        s.colour = param;
        break;
    // Paragraphs.
    case Word::Pard:
        s.bullet = false;
        s.leftIndent = s.firstIndent = 0;
        s.inTable = false;
        s.tabCount = 0;
        break;
    case Word::Li:
        s.leftIndent = std::clamp(param, -MaxIndent, MaxIndent);
        break;
    case Word::Fi:
        s.firstIndent = std::clamp(param, -MaxIndent, MaxIndent);
        break;
    case Word::TabStop:
        addTabStop(param);
        break;
    case Word::InTable:
        s.inTable = !hasParam || param != 0;
        break;
    case Word::Par:
        paragraphMark();
        break;
    case Word::Row:
        // Empty cells at the row's end keep their places; only the tab
        // after the last cell goes.
        if (cellTabs_ > 0) --cellTabs_;
        cellBreak_ = false;
        addCells();
        endParagraph();
        break;
    // Special characters.
    case Word::Tab:
        appendChar(u'\t');
        break;
    case Word::Cell:
        cellBreak_ = false;
        cellEmpty_ = true;
        ++cellTabs_;
        break;
    case Word::Line:
        appendChar(LineBreak);
        break;
    case Word::Bullet:
        appendChar(0x2022);
        break;
    case Word::EmDash:
        appendChar(0x2014);
        break;
    case Word::EnDash:
        appendChar(0x2013);
        break;
    case Word::LQuote:
        appendChar(0x2018);
        break;
    case Word::RQuote:
        appendChar(0x2019);
        break;
    case Word::LDblQuote:
        appendChar(0x201C);
        break;
    case Word::RDblQuote:
        appendChar(0x201D);
        break;
    case Word::Space:
        appendChar(u' ');
        break;
    case Word::Other:
    case Word::Bin: // taken before any destination is looked at
    case Word::FCharset:
    case Word::Red:
    case Word::Green:
    case Word::Blue:
    case Word::PnLevelBullet:
    case Word::U:
        break;
    }
}

Document Reader::run() {
    const std::size_t n = in_.size();
    // Room for every paragraph the file can hold, found before it is read:
    // a file of a million paragraphs otherwise moved the ones read so far at
    // each doubling, most of the reading. Each ends with a "\par" (a
    // "\pard" counts as well, room never touched costs no memory) or at
    // the character limit.
    std::size_t marks = 1;
    for (std::size_t at = in_.find("\\par"); at != std::string_view::npos && marks <= budget_;
         at = in_.find("\\par", at + 4))
        ++marks;
    doc_.paragraphs.reserve(std::min(marks, budget_ + 1));
    while (pos_ < n && !full_ && !ended_) {
        const char c = in_[pos_];
        if (c == '{') {
            ++pos_;
            star_ = false;
            openGroup();
            continue;
        }
        if (c == '}') {
            ++pos_;
            star_ = false;
            closeGroup();
            continue;
        }
        if (c == '\\') {
            ++pos_;
            if (pos_ >= n) break;
            const char d = in_[pos_];
            if (!isLetter(d)) {
                ++pos_;
                if (skipping()) continue;
                if (d != '*') star_ = false;
                controlSymbol(d);
                continue;
            }
            const std::size_t start = pos_;
            while (pos_ < n && isLetter(in_[pos_]))
                ++pos_;
            // Words are at most 32 letters; a longer run of letters names nothing.
            const std::string_view word =
                in_.substr(start, std::min<std::size_t>(pos_ - start, 32));
            bool negative = false;
            if (pos_ < n && in_[pos_] == '-' && pos_ + 1 < n && in_[pos_ + 1] >= '0' &&
                in_[pos_ + 1] <= '9') {
                negative = true;
                ++pos_;
            }
            bool hasParam = false;
            long long value = 0;
            while (pos_ < n && in_[pos_] >= '0' && in_[pos_] <= '9') {
                hasParam = true;
                if (value < std::numeric_limits<int>::max()) value = value * 10 + (in_[pos_] - '0');
                ++pos_;
            }
            value = std::min<long long>(value, std::numeric_limits<int>::max());
            const int param = static_cast<int>(negative ? -value : value);
            if (pos_ < n && in_[pos_] == ' ') ++pos_;
            const Word known = wordOf(word);
            if (known == Word::Bin) { // binary data is never text, wherever it stands
                flush();
                skipBinary(param);
                star_ = false;
                continue;
            }
            if (skipping()) {
                star_ = false;
                continue;
            }
            controlWord(known, hasParam, param);
            continue;
        }
        ++pos_;
        if (skipping()) continue;
        if (star_) { // \* before text: not a destination this reader knows
            star_ = false;
            flush();
            setDest(Dest::Skip);
            continue;
        }
        if (c == '\r' || c == '\n') continue;
        if (c == '\t') {
            flush();
            if (!dropFallback()) appendChar(u'\t');
            continue;
        }
        if (dropFallback()) continue;
        if (c == ';' && st().dest == Dest::FontTable) { // a name's end; \'3b is part of one
            flush();
            endFont();
            fontEnded_ = true;
            continue;
        }
        pending_.push_back(c);
    }
    flush();
    doc_.truncated = full_;
    // The last paragraph needs no \par; an empty one stands for the break
    // that ended the text, as in the edit box.
    if (!ended_) finishParagraph();
    return std::move(doc_);
}

} // namespace

bool looksLikeRtf(std::string_view bytes) {
    std::size_t i = 0;
    while (i < bytes.size() &&
           (bytes[i] == ' ' || bytes[i] == '\r' || bytes[i] == '\n' || bytes[i] == '\t'))
        ++i;
    return bytes.substr(i, 5) == "{\\rtf";
}

std::optional<Document> readRtf(std::string_view bytes, std::size_t maxChars) {
    if (!looksLikeRtf(bytes)) return std::nullopt;
    return Reader(bytes, maxChars).run();
}

} // namespace sorami::rich
