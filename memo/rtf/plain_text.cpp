// Plain files, and the text of a document without its formatting.

#include "rich_text.h"
#include "sjis_text.h"

#include <QHash>

namespace sorami::rich {

Document readPlainText(std::string_view bytes, std::size_t maxChars) {
    Document doc;
    // No character takes more than two bytes: what lies further cannot fit.
    if (maxChars < bytes.size() / 2) bytes = bytes.substr(0, 2 * maxChars + 2);
    QString all = fromSjis(bytes);
    // Control characters other than tabs and breaks are no text anyone
    // typed, and rich text could not keep them.
    all.removeIf(
        [](QChar c) { return c.unicode() < 0x20 && c != u'\t' && c != u'\r' && c != u'\n'; });
    std::size_t budget = maxChars;
    qsizetype start = 0;
    const qsizetype n = all.size();
    auto add = [&](qsizetype end) {
        QString t = all.mid(start, end - start);
        if (static_cast<std::size_t>(t.size()) > budget) {
            t.truncate(static_cast<qsizetype>(budget));
            doc.truncated = true;
        }
        budget -= static_cast<std::size_t>(t.size());
        Paragraph p;
        if (!t.isEmpty()) p.runs.push_back(Run{t, CharFormat{}});
        doc.paragraphs.push_back(std::move(p));
    };
    const auto* units = reinterpret_cast<const char16_t*>(all.constData());
    for (qsizetype i = 0; i < n && !doc.truncated; ++i) {
        const char16_t c = units[i];
        if (c != u'\r' && c != u'\n') continue;
        add(i);
        if (doc.truncated) break;
        if (budget == 0) {
            doc.truncated = true;
            break;
        }
        --budget;
        if (c == u'\r' && i + 1 < n && units[i + 1] == u'\n') ++i;
        start = i + 1;
    }
    if (!doc.truncated) add(n);
    return doc;
}

QString Paragraph::text() const {
    QString t;
    for (const auto& r : runs)
        t += r.text;
    return t;
}

QString Document::text(QChar paragraphBreak) const {
    QString t;
    for (std::size_t i = 0; i < paragraphs.size(); ++i) {
        if (i > 0) t += paragraphBreak;
        t += paragraphs[i].text();
    }
    return t;
}

std::string writePlainText(const Document& doc) {
    QString text = doc.text(u'\n');
    text.replace(QChar(LineBreak), u'\n');
    text.replace(u'\n', QStringLiteral("\r\n"));
    return toSjis(text);
}

PlainTextLoss plainTextLoss(const Document& doc) {
    PlainTextLoss loss;
    // A text holds few distinct characters: each is tried once.
    QHash<char32_t, bool> kept;
    for (const auto& p : doc.paragraphs)
        for (const auto& r : p.runs) {
            const QString& t = r.text;
            for (qsizetype i = 0; i < t.size(); ++i) {
                if (t[i].unicode() < 0x80 || t[i] == QChar(LineBreak)) continue;
                const qsizetype len =
                    t[i].isHighSurrogate() && i + 1 < t.size() && t[i + 1].isLowSurrogate() ? 2 : 1;
                const QString c = t.mid(i, len);
                const char32_t code =
                    len == 2 ? QChar::surrogateToUcs4(t[i], t[i + 1]) : t[i].unicode();
                auto it = kept.find(code);
                if (it == kept.end()) it = kept.insert(code, fromSjis(toSjis(c)) == c);
                if (!*it && loss.count++ == 0) loss.first = c;
                i += len - 1;
            }
        }
    return loss;
}

} // namespace sorami::rich
