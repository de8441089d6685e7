#include "rich_text_qt.h"

#include <QColor>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>
#include <cmath>

namespace sorami::rich {
namespace {

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
    if (f.colour) {
        const std::uint32_t c = *f.colour;
        q.setForeground(QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF)));
    }
    return q;
}

CharFormat fromQt(const QTextCharFormat& q, const QFont& base) {
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
    }
    return f;
}

} // namespace

double twipsToPixels(int twips) {
    return twips / 15.0; // 20 twips a point, 96 pixels to 72 points
}

int pixelsToTwips(double pixels) {
    return static_cast<int>(std::lround(pixels * 15.0));
}

void toTextDocument(const Document& in, QTextDocument& out) {
    out.clear();
    QTextCursor cursor(&out);
    cursor.beginEditBlock();
    // Text goes in as few insertions as the formats allow: paragraphs that
    // share their block format join the pending text with a line feed,
    // which the cursor turns into a paragraph break. A plain file is then
    // one insertion, not one per line.
    QString pending;
    CharFormat pendingFormat;
    auto flush = [&] {
        if (!pending.isEmpty()) cursor.insertText(pending, toQt(pendingFormat));
        pending.clear();
    };
    auto add = [&](const QString& text, const CharFormat& f) {
        if (!pending.isEmpty() && !(f == pendingFormat)) flush();
        if (pending.isEmpty()) pendingFormat = f;
        pending += text;
    };
    QTextList* list = nullptr;
    const Paragraph* previous = nullptr;
    for (const auto& p : in.paragraphs) {
        const bool sameBlock = previous && !p.bullet && !previous->bullet &&
                               p.leftIndent == previous->leftIndent &&
                               p.firstIndent == previous->firstIndent;
        if (sameBlock) {
            add(QStringLiteral("\n"),
                pending.isEmpty() && !p.runs.empty() ? p.runs.front().format : pendingFormat);
        } else {
            flush();
            QTextBlockFormat bf;
            bf.setLeftMargin(twipsToPixels(p.leftIndent));
            bf.setTextIndent(twipsToPixels(p.firstIndent));
            if (!previous)
                cursor.setBlockFormat(bf);
            else
                cursor.insertBlock(bf, QTextCharFormat());
            if (!p.bullet) {
                list = nullptr;
            } else if (list) {
                list->add(cursor.block());
            } else {
                QTextListFormat lf;
                lf.setStyle(QTextListFormat::ListDisc);
                lf.setIndent(1);              // room for the bullet left of the text
                list = cursor.createList(lf); // keeps the block's margins
            }
        }
        for (const auto& r : p.runs)
            add(r.text, r.format);
        previous = &p;
    }
    flush();
    cursor.endEditBlock();
}

Document fromTextDocument(const QTextDocument& in) {
    Document doc;
    const QFont base = in.defaultFont();
    for (QTextBlock b = in.begin(); b.isValid(); b = b.next()) {
        Paragraph p;
        p.bullet = b.textList() != nullptr;
        p.leftIndent = pixelsToTwips(b.blockFormat().leftMargin());
        p.firstIndent = pixelsToTwips(b.blockFormat().textIndent());
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextFragment frag = it.fragment();
            if (!frag.isValid()) continue;
            QString text = frag.text();
            text.remove(QChar::ObjectReplacementCharacter); // pictures have no place here
            if (text.isEmpty()) continue;
            CharFormat f = fromQt(frag.charFormat(), base);
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

} // namespace sorami::rich
