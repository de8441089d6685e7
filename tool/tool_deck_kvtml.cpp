#include "tool_deck_kvtml.h"

#include <QByteArray>
#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <QStringDecoder>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

#include <map>

namespace sorami::tool {

namespace {

// XML 1.0 holds no control character but tab, CR and LF.
QString xmlSafe(const QString& text, int line, std::vector<Problem>& lossy, const Lang& lang) {
    QString out;
    for (const QChar c : text) {
        if (c.unicode() < 0x20 && c != u'\t') {
            lossy.push_back({line, 0,
                             lang("control character U+%1 cannot be held in XML and was left out",
                                  "制御文字 U+%1 は XML に書けないため省きました")
                                 .arg(c.unicode(), 4, 16, QLatin1Char('0'))});
            continue;
        }
        out += c;
    }
    return out;
}

struct Translation {
    DeckField text, comment;
};

struct Entry {
    QString id;
    int line = 0;
    std::map<int, Translation> translations;
};

} // namespace

QString KvtmlIdentifier::label() const {
    QString s = QString::number(id);
    if (!name.isEmpty()) s += QLatin1String(" ") + name;
    if (!locale.isEmpty()) s += QLatin1String(" (") + locale + QLatin1String(")");
    return s;
}

std::string kvtmlDocument(const std::vector<DeckNote>& notes, std::vector<Problem>& lossy,
                          const Lang& lang) {
    QByteArray out;
    QXmlStreamWriter w(&out);
    w.setAutoFormatting(true);
    w.setAutoFormattingIndent(1);
    w.writeStartDocument();
    w.writeDTD(QStringLiteral(
        "<!DOCTYPE kvtml PUBLIC \"kvtml2.dtd\" \"http://edu.kde.org/kvtml/kvtml2.dtd\">"));
    w.writeStartElement(QStringLiteral("kvtml"));
    w.writeAttribute(QStringLiteral("version"), QStringLiteral("2.0"));
    w.writeStartElement(QStringLiteral("information"));
    w.writeTextElement(QStringLiteral("generator"), QStringLiteral("srmtool"));
    w.writeEndElement();
    w.writeStartElement(QStringLiteral("identifiers"));
    const char* ids[][2] = {{"Japanese", "ja"}, {"English", "en"}};
    for (int i = 0; i < 2; ++i) {
        w.writeStartElement(QStringLiteral("identifier"));
        w.writeAttribute(QStringLiteral("id"), QString::number(i));
        w.writeTextElement(QStringLiteral("name"), QLatin1String(ids[i][0]));
        w.writeTextElement(QStringLiteral("locale"), QLatin1String(ids[i][1]));
        w.writeEndElement();
    }
    w.writeEndElement();
    w.writeStartElement(QStringLiteral("entries"));
    for (size_t e = 0; e < notes.size(); ++e) {
        const DeckNote& n = notes[e];
        w.writeStartElement(QStringLiteral("entry"));
        w.writeAttribute(QStringLiteral("id"), QString::number(e));
        const QString texts[] = {n.japanese, n.answer};
        for (int i = 0; i < 2; ++i) {
            w.writeStartElement(QStringLiteral("translation"));
            w.writeAttribute(QStringLiteral("id"), QString::number(i));
            w.writeTextElement(QStringLiteral("text"), xmlSafe(texts[i], n.line + i, lossy, lang));
            if (i == 1 && !n.idiom.isEmpty())
                w.writeTextElement(QStringLiteral("comment"),
                                   xmlSafe(n.idiom, n.line + 2, lossy, lang));
            w.writeEndElement();
        }
        w.writeEndElement();
    }
    w.writeEndElement();
    // Parley practises lessons; KWordQuiz ignores them.
    w.writeStartElement(QStringLiteral("lessons"));
    for (const bool marked : {false, true}) {
        w.writeStartElement(QStringLiteral("container"));
        w.writeTextElement(QStringLiteral("name"),
                           QLatin1String(marked ? MistakesLesson : "Questions"));
        w.writeTextElement(QStringLiteral("inpractice"), QStringLiteral("true"));
        for (size_t e = 0; e < notes.size(); ++e) {
            if (notes[e].marked != marked) continue;
            w.writeEmptyElement(QStringLiteral("entry"));
            w.writeAttribute(QStringLiteral("id"), QString::number(e));
        }
        w.writeEndElement();
    }
    w.writeEndElement();
    w.writeEndDocument();
    return std::string(out.constData(), static_cast<size_t>(out.size()));
}

DeckRead readKvtml(std::string_view bytes, const QString& from, const QString& to, const Lang& lang,
                   std::vector<KvtmlIdentifier>* identifiersOut) {
    DeckRead deck;
    const QByteArray raw =
        QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size()));
    QXmlStreamReader r;
    // Some files say UTF-8 (or nothing, which means UTF-8) and are Latin-1;
    // the programs that wrote them read them, so they are read as Latin-1,
    // and said so.
    static const QRegularExpression declared(
        QStringLiteral("^<\\?xml[^>]*encoding=[\"']([^\"']*)"));
    const QString encoding = declared.match(QString::fromLatin1(raw.left(200))).captured(1);
    QStringDecoder utf8Decoder(QStringDecoder::Utf8);
    const QString asUtf8 = utf8Decoder(raw);
    if ((encoding.isEmpty() ||
         encoding.compare(QLatin1String("UTF-8"), Qt::CaseInsensitive) == 0) &&
        utf8Decoder.hasError()) {
        QString text = QString::fromLatin1(raw);
        if (const qsizetype end = text.indexOf(QLatin1String("?>")); text.startsWith(u"<?xml"))
            text.replace(0, end < 0 ? 0 : end, QStringLiteral("<?xml version=\"1.0\" "));
        r.addData(text);
        deck.notices.push_back(
            {0, 0,
             lang("not UTF-8 as the file says; read as Latin-1",
                  "ファイルの宣言と違い UTF-8 ではないため Latin-1 として読みました")});
    } else {
        r.addData(raw);
    }
    std::vector<KvtmlIdentifier> identifiers;
    std::vector<Entry> entries;
    QSet<QString> marked;
    QHash<int, QString> lessonNames; // KVTML 1.0: lesson number to name
    QHash<QString, int> lessonOf;    // KVTML 1.0: entry to lesson number
    bool version2 = false;
    QStringList path;           // the open elements
    QList<QString> containers;  // names of the open lesson containers
    QList<bool> containerNamed; // whether the open containers' names were read
    Entry* entry = nullptr;
    int translation = -1, v1Column = 0;
    auto ensureIdentifier = [&](int id, const QString& locale) {
        for (const KvtmlIdentifier& i : identifiers)
            if (i.id == id) return;
        identifiers.push_back({id, QString(), locale});
    };
    while (!r.atEnd()) {
        const QXmlStreamReader::TokenType token = r.readNext();
        if (token == QXmlStreamReader::EndElement) {
            if (!path.isEmpty()) path.removeLast();
            if (r.name() == u"container" && !containers.isEmpty()) {
                containers.removeLast();
                containerNamed.removeLast();
            }
            if ((r.name() == u"translation" && version2) ||
                (!version2 && (r.name() == u"o" || r.name() == u"t")))
                translation = -1;
            if ((r.name() == u"entry" && version2 && path.endsWith(QStringLiteral("entries"))) ||
                (!version2 && r.name() == u"e"))
                entry = nullptr;
            continue;
        }
        if (token != QXmlStreamReader::StartElement) continue;
        const QStringView name = r.name();
        const QXmlStreamAttributes a = r.attributes();
        const QString parent = path.isEmpty() ? QString() : path.last();
        if (path.isEmpty()) {
            if (name != u"kvtml") {
                r.raiseError(QStringLiteral("not a KVTML document"));
                break;
            }
            version2 = a.value(QLatin1String("version")).startsWith(u'2');
        } else if (version2) {
            if (name == u"identifier" && parent == u"identifiers") {
                identifiers.push_back({a.value(QLatin1String("id")).toInt(), QString(), QString()});
            } else if ((name == u"name" || name == u"locale") && parent == u"identifier" &&
                       !identifiers.empty()) {
                (name == u"name" ? identifiers.back().name : identifiers.back().locale) =
                    r.readElementText(QXmlStreamReader::IncludeChildElements).trimmed();
                continue; // readElementText consumed the end element
            } else if (name == u"entry" && parent == u"entries") {
                entries.push_back(
                    {a.value(QLatin1String("id")).toString(), int(r.lineNumber()), {}});
                entry = &entries.back();
            } else if (name == u"translation" && parent == u"entry" && entry) {
                translation = a.value(QLatin1String("id")).toInt();
                entry->translations[translation];
            } else if ((name == u"text" || name == u"comment") && parent == u"translation" &&
                       entry && translation >= 0) {
                DeckField& f = name == u"text" ? entry->translations[translation].text
                                               : entry->translations[translation].comment;
                f.line = int(r.lineNumber());
                f.column = 0;
                f.text = r.readElementText(QXmlStreamReader::IncludeChildElements);
                continue;
            } else if (name == u"container") {
                containers << QString();
                containerNamed << false;
            } else if (name == u"name" && parent == u"container" && !containers.isEmpty() &&
                       !containerNamed.last()) {
                containers.last() =
                    r.readElementText(QXmlStreamReader::IncludeChildElements).trimmed();
                containerNamed.last() = true;
                continue;
            } else if (name == u"entry" && parent == u"container" && !containers.isEmpty() &&
                       containers.last() == QLatin1String(MistakesLesson)) {
                marked.insert(a.value(QLatin1String("id")).toString());
            }
        } else {
            // KVTML 1.0: <e m="lesson"><o l="locale">…</o><t>…</t></e>.
            if (name == u"e") {
                entries.push_back({QString::number(entries.size()), int(r.lineNumber()), {}});
                entry = &entries.back();
                v1Column = 0;
                if (a.hasAttribute(QLatin1String("m")))
                    lessonOf[entry->id] = a.value(QLatin1String("m")).toInt();
            } else if ((name == u"o" || name == u"t") && parent == u"e" && entry) {
                translation = name == u"o" ? 0 : ++v1Column;
                ensureIdentifier(translation, a.value(QLatin1String("l")).toString());
                Translation& t = entry->translations[translation];
                t.comment = {a.value(QLatin1String("r")).toString(), int(r.lineNumber()), 0};
                t.text.line = int(r.lineNumber());
                t.text.text = r.readElementText(QXmlStreamReader::IncludeChildElements);
                translation = -1;
                continue;
            } else if (name == u"desc" && parent == u"lesson") {
                const int no = a.value(QLatin1String("no")).toInt();
                lessonNames[no] = r.readElementText(QXmlStreamReader::IncludeChildElements);
                continue;
            }
        }
        path << name.toString();
    }
    if (r.hasError()) {
        deck.errors.push_back(
            {int(r.lineNumber()), int(r.columnNumber()),
             lang("not a readable KVTML document: %1", "KVTML として読めません: %1")
                 .arg(r.errorString())});
        return deck;
    }
    if (!version2)
        for (auto it = lessonOf.cbegin(); it != lessonOf.cend(); ++it)
            if (lessonNames.value(it.value()) == QLatin1String(MistakesLesson))
                marked.insert(it.key());
    if (identifiersOut) *identifiersOut = identifiers;

    // Which identifiers are the two sides.
    auto find = [&](const QString& key, int& id) {
        for (const KvtmlIdentifier& i : identifiers) {
            if (QString::number(i.id) == key || i.name.compare(key, Qt::CaseInsensitive) == 0 ||
                i.locale.compare(key, Qt::CaseInsensitive) == 0) {
                id = i.id;
                return true;
            }
        }
        return false;
    };
    int fromId = -1, toId = -1;
    QStringList labels;
    for (const KvtmlIdentifier& i : identifiers)
        labels << i.label();
    if ((!from.isEmpty() && !find(from, fromId)) || (!to.isEmpty() && !find(to, toId))) {
        deck.errors.push_back(
            {0, 0,
             lang("no identifier %1; the document has: %2", "識別子 %1 はありません。あるのは: %2")
                 .arg(fromId < 0 && !from.isEmpty() ? from : to,
                      labels.join(QLatin1String(", ")))});
        return deck;
    }
    if (fromId < 0 || toId < 0) {
        if (identifiers.size() > 2 && (fromId < 0 || toId < 0)) {
            deck.errors.push_back(
                {0, 0,
                 lang("%1 identifiers; choose two with --from and --to: %2",
                      "識別子が %1 個あります。--from と --to で選んでください: %2")
                     .arg(identifiers.size())
                     .arg(labels.join(QLatin1String(", ")))});
            return deck;
        }
        std::vector<int> order;
        for (const KvtmlIdentifier& i : identifiers)
            if (i.locale.startsWith(QLatin1String("ja"), Qt::CaseInsensitive))
                order.push_back(i.id);
        for (const KvtmlIdentifier& i : identifiers)
            if (!i.locale.startsWith(QLatin1String("ja"), Qt::CaseInsensitive))
                order.push_back(i.id);
        for (const int id : order) {
            if (fromId < 0 && id != toId)
                fromId = id;
            else if (toId < 0 && id != fromId)
                toId = id;
        }
    }

    for (const Entry& e : entries) {
        const auto f = e.translations.find(fromId);
        const auto t = e.translations.find(toId);
        if (f == e.translations.end() || t == e.translations.end()) {
            deck.skipped.push_back(
                {e.line, 0,
                 toId < 0
                     ? lang("the document has no second identifier for the answer",
                            "解答にする二つ目の識別子がありません")
                     : lang("a side is missing (identifier %1)", "片方がありません（識別子 %1）")
                           .arg(f == e.translations.end() ? fromId : toId)});
            continue;
        }
        DeckRow row;
        row.japanese = f->second.text;
        row.answer = t->second.text;
        row.idiom = t->second.comment.text.isEmpty() ? f->second.comment : t->second.comment;
        if (row.japanese.line == 0) row.japanese.line = e.line;
        row.marked = marked.contains(e.id);
        deck.rows.push_back(row);
    }
    return deck;
}

} // namespace sorami::tool
