#include "rich_text_qt.h"

#include <QColor>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>
#include <algorithm>
#include <cmath>
#include <memory>
#include <utility>
#include <vector>

namespace sorami::rich {
namespace {

QColor toQColour(std::uint32_t c) {
    return QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF));
}

QTextCharFormat toQt(const CharFormat& f) {
    QTextCharFormat q;
    // Text of no face (a plain file) takes the box's base font, size and all.
    if (!f.face.isEmpty()) {
        // The face as a plain string: the document finds an equal format by
        // a hash of its properties, and a list of families hashes by its
        // type alone, so a file naming thousands of faces would compare
        // each new run with every format before it.
        q.setProperty(QTextFormat::FontFamily, f.face);
        q.setFontPointSize(f.halfPoints / 2.0);
    }
    q.setFontWeight(f.bold ? QFont::Bold : QFont::Normal);
    q.setFontItalic(f.italic);
    q.setFontUnderline(f.underline);
    q.setFontStrikeOut(f.strikeOut);
    if (f.colour) q.setForeground(toQColour(*f.colour));
    return q;
}

CharFormat fromQt(const QTextCharFormat& q, const QFont& base,
                  std::optional<std::uint32_t> textColour) {
    CharFormat f;
    const QFont font = q.font().resolve(base);
    const QStringList families = q.fontFamilies().toStringList();
    f.face = q.hasProperty(QTextFormat::FontFamily) ? q.stringProperty(QTextFormat::FontFamily)
             : families.isEmpty()                   ? font.family()
                                                    : families.first();
    double points = q.hasProperty(QTextFormat::FontPointSize) ? q.fontPointSize() : 0;
    if (points <= 0) points = font.pointSizeF();
    if (points <= 0 && font.pixelSize() > 0) points = font.pixelSize() * 72.0 / 96.0;
    if (points > 0) f.halfPoints = static_cast<int>(std::lround(points * 2));
    f.bold = font.weight() >= QFont::DemiBold;
    f.italic = font.italic();
    f.underline = font.underline();
    f.strikeOut = font.strikeOut();
    if (q.foreground().style() != Qt::NoBrush) {
        const QColor c = q.foreground().color();
        f.colour = static_cast<std::uint32_t>(c.red()) |
                   static_cast<std::uint32_t>(c.green()) << 8 |
                   static_cast<std::uint32_t>(c.blue()) << 16;
    } else {
        f.colour = textColour;
    }
    return f;
}

// Qt measures a block's tab stops from where its first line begins; the
// model measures them from where the left indent is measured.
QList<QTextOption::Tab> toQtTabs(const Paragraph& p) {
    QList<QTextOption::Tab> tabs;
    for (const int stop : p.tabStops)
        tabs << QTextOption::Tab(twipsToPixels(stop - p.leftIndent - p.firstIndent),
                                 QTextOption::LeftTab);
    return tabs;
}

std::vector<int> fromQtTabs(const QTextBlockFormat& bf, int leftIndent, int firstIndent) {
    std::vector<int> stops;
    for (const QTextOption::Tab& t : bf.tabPositions())
        stops.push_back(pixelsToTwips(t.position) + leftIndent + firstIndent);
    std::sort(stops.begin(), stops.end());
    stops.erase(std::unique(stops.begin(), stops.end()), stops.end());
    return stops;
}

} // namespace

double twipsToPixels(int twips) {
    return twips / 15.0; // 20 twips a point, 96 pixels to 72 points
}

int pixelsToTwips(double pixels) {
    return static_cast<int>(std::lround(pixels * 15.0));
}

// What a build keeps between two steps.
struct DocumentBuilder::State {
    explicit State(QTextDocument& out) : cursor(&out) {}
    QTextCursor cursor;
    // Text goes in as few insertions as the formats allow: paragraphs that
    // share their block format join the pending text with a line feed,
    // which the cursor turns into a paragraph break. A plain file is then
    // one insertion a step, not one per line.
    QString pending;
    CharFormat pendingFormat;
    // Whether the one-shot build would be holding text now. A step ends by
    // inserting what it holds, and the next step goes on as if it had not:
    // the format a paragraph break takes depends on whether text was held.
    bool holding = false;
    // The last format converted, kept: runs of one format are the rule, and
    // the document finds an equal format by a hash that a kept format has
    // computed once already.
    std::optional<CharFormat> lastFormat;
    QTextCharFormat lastQt;
    BulletLists lists;
    const Paragraph* previous = nullptr;

    void insertPending() {
        if (!pending.isEmpty()) {
            if (!lastFormat || !(*lastFormat == pendingFormat)) {
                lastFormat = pendingFormat;
                lastQt = toQt(pendingFormat);
            }
            cursor.insertText(pending, lastQt);
        }
        pending.clear();
    }
    void flush() {
        insertPending();
        holding = false;
    }
    void add(const QString& text, const CharFormat& f) {
        if (holding && !(f == pendingFormat)) flush();
        if (!holding) pendingFormat = f;
        pending += text;
        holding = holding || !text.isEmpty();
    }
    void paragraph(const Paragraph& p) {
        const bool sameBlock =
            previous && !p.bullet && !previous->bullet && p.leftIndent == previous->leftIndent &&
            p.firstIndent == previous->firstIndent && p.tabStops == previous->tabStops;
        if (sameBlock) {
            add(QStringLiteral("\n"),
                !holding && !p.runs.empty() ? p.runs.front().format : pendingFormat);
        } else {
            flush();
            QTextBlockFormat bf;
            bf.setLeftMargin(twipsToPixels(p.leftIndent));
            bf.setTextIndent(twipsToPixels(p.firstIndent));
            if (!p.tabStops.empty()) bf.setTabPositions(toQtTabs(p));
            if (!previous) {
                cursor.setBlockFormat(bf);
            } else {
                if (p.bullet) lists.join(bf);
                cursor.insertBlock(bf, QTextCharFormat());
            }
            if (p.bullet)
                lists.add(cursor);
            else
                lists.end();
        }
        for (const auto& r : p.runs)
            add(r.text, r.format);
        previous = &p;
    }
};

DocumentBuilder::DocumentBuilder(const Document& in, QTextDocument& out) : in_(in) {
    out.clear();
    state_ = std::make_unique<State>(out);
}

DocumentBuilder::~DocumentBuilder() = default;

bool DocumentBuilder::done() const {
    return next_ >= in_.paragraphs.size();
}

void DocumentBuilder::append(std::size_t paragraphs) {
    State& s = *state_;
    s.cursor.beginEditBlock();
    const std::size_t end =
        std::min(in_.paragraphs.size(), next_ + std::max<std::size_t>(1, paragraphs));
    for (; next_ < end; ++next_)
        s.paragraph(in_.paragraphs[next_]);
    // Each step shows all it was given: a step that kept its text back
    // would leave the box a paragraph short until the next.
    s.insertPending();
    s.cursor.endEditBlock();
}

void toTextDocument(const Document& in, QTextDocument& out) {
    DocumentBuilder builder(in, out);
    builder.append(in.paragraphs.size());
}

Document fromTextDocument(const QTextDocument& in, std::optional<std::uint32_t> textColour) {
    Document doc;
    const QFont base = in.defaultFont();
    for (QTextBlock b = in.begin(); b.isValid(); b = b.next()) {
        Paragraph p;
        p.bullet = b.textList() != nullptr;
        p.leftIndent = pixelsToTwips(b.blockFormat().leftMargin());
        p.firstIndent = pixelsToTwips(b.blockFormat().textIndent());
        p.tabStops = fromQtTabs(b.blockFormat(), p.leftIndent, p.firstIndent);
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextFragment frag = it.fragment();
            if (!frag.isValid()) continue;
            QString text = frag.text();
            text.remove(QChar::ObjectReplacementCharacter); // pictures have no place here
            if (text.isEmpty()) continue;
            CharFormat f = fromQt(frag.charFormat(), base, textColour);
            if (!p.runs.empty() && p.runs.back().format == f)
                p.runs.back().text += text;
            else
                p.runs.push_back(Run{text, std::move(f)});
        }
        doc.paragraphs.push_back(std::move(p));
    }
    if (doc.paragraphs.empty()) doc.paragraphs.emplace_back();
    return doc;
}

void colourUncolouredText(QTextDocument& doc, std::uint32_t colour) {
    // Collected first: changing a fragment's format merges fragments.
    std::vector<std::pair<int, int>> spans;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next())
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextFragment f = it.fragment();
            if (f.isValid() && f.charFormat().foreground().style() == Qt::NoBrush)
                spans.emplace_back(f.position(), f.position() + f.length());
        }
    QTextCharFormat coloured;
    coloured.setForeground(toQColour(colour));
    QTextCursor c(&doc);
    for (const auto& [from, to] : spans) {
        c.setPosition(from);
        c.setPosition(to, QTextCursor::KeepAnchor);
        c.mergeCharFormat(coloured);
    }
}

void BulletLists::join(QTextBlockFormat& format) const {
    if (list_ && blocks_ < MaxBlocks) format.setObjectIndex(list_->objectIndex());
}

void BulletLists::add(QTextCursor& cursor) {
    if (list_ && blocks_ < MaxBlocks) {
        if (cursor.block().textList() != list_) list_->add(cursor.block());
        ++blocks_;
        return;
    }
    QTextListFormat lf;
    lf.setStyle(QTextListFormat::ListDisc);
    lf.setIndent(1);               // room for the bullet left of the text
    list_ = cursor.createList(lf); // keeps the block's margins
    blocks_ = 1;
}

} // namespace sorami::rich
