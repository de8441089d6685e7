#include "tool_deck_apkg.h"

#include "tool_deck_anki_text.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <map>
#include <memory>
#include <sqlite3.h>
#include <zip.h>
#include <zstd.h>

namespace sorami::tool {

namespace {

struct ZipCloser {
    void operator()(zip_t* z) const { zip_discard(z); }
};
struct ZipFileCloser {
    void operator()(zip_file_t* f) const { zip_fclose(f); }
};
struct DbCloser {
    void operator()(sqlite3* db) const { sqlite3_close(db); }
};
struct StmtCloser {
    void operator()(sqlite3_stmt* s) const { sqlite3_finalize(s); }
};
struct ZstdCloser {
    void operator()(ZSTD_DStream* s) const { ZSTD_freeDStream(s); }
};
using Stmt = std::unique_ptr<sqlite3_stmt, StmtCloser>;

// One entry of the zip, at most `limit` bytes; false when it is larger or
// cannot be read.
bool readEntry(zip_t* zip, zip_int64_t index, qint64 limit, std::string& out) {
    std::unique_ptr<zip_file_t, ZipFileCloser> f(zip_fopen_index(zip, zip_uint64_t(index), 0));
    if (!f) return false;
    out.clear();
    char buffer[64 * 1024];
    for (;;) {
        const zip_int64_t n = zip_fread(f.get(), buffer, sizeof buffer);
        if (n < 0) return false;
        if (n == 0) return true;
        if (qint64(out.size()) + n > limit) return false;
        out.append(buffer, size_t(n));
    }
}

bool unzstd(const std::string& in, qint64 limit, std::string& out) {
    std::unique_ptr<ZSTD_DStream, ZstdCloser> s(ZSTD_createDStream());
    if (!s) return false;
    ZSTD_inBuffer input{in.data(), in.size(), 0};
    std::string buffer(ZSTD_DStreamOutSize(), '\0');
    size_t last = 1;
    while (input.pos < input.size) {
        ZSTD_outBuffer output{buffer.data(), buffer.size(), 0};
        last = ZSTD_decompressStream(s.get(), &output, &input);
        if (ZSTD_isError(last)) return false;
        if (qint64(out.size() + output.pos) > limit) return false;
        out.append(buffer.data(), output.pos);
        if (output.pos == 0 && last != 0 && input.pos == input.size) break;
    }
    // Flush what the stream still holds.
    while (last != 0) {
        ZSTD_outBuffer output{buffer.data(), buffer.size(), 0};
        last = ZSTD_decompressStream(s.get(), &output, &input);
        if (ZSTD_isError(last) || output.pos == 0) return last == 0;
        if (qint64(out.size() + output.pos) > limit) return false;
        out.append(buffer.data(), output.pos);
    }
    return true;
}

// Anki's collations: case folding for names. The tables declare them, and
// SQLite refuses a statement that needs one it does not know.
int unicase(void*, int n1, const void* a, int n2, const void* b) {
    const QString x = QString::fromUtf8(static_cast<const char*>(a), n1);
    const QString y = QString::fromUtf8(static_cast<const char*>(b), n2);
    return x.compare(y, Qt::CaseInsensitive);
}

QString columnText(sqlite3_stmt* s, int column) {
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(s, column));
    return text ? QString::fromUtf8(text, sqlite3_column_bytes(s, column)) : QString();
}

Stmt prepare(sqlite3* db, const char* sql) {
    sqlite3_stmt* s = nullptr;
    if (sqlite3_prepare_v2(db, sql, -1, &s, nullptr) != SQLITE_OK) {
        sqlite3_finalize(s);
        return nullptr;
    }
    return Stmt(s);
}

// Note types from the tables of newer collections, or from col.models.
std::map<qint64, AnkiNoteType> noteTypes(sqlite3* db) {
    std::map<qint64, AnkiNoteType> types;
    if (Stmt s = prepare(db, "SELECT id, name FROM notetypes")) {
        while (sqlite3_step(s.get()) == SQLITE_ROW) {
            const qint64 id = sqlite3_column_int64(s.get(), 0);
            types[id] = {id, columnText(s.get(), 1), {}, 0};
        }
        if (Stmt f = prepare(db, "SELECT ntid, name FROM fields ORDER BY ntid, ord"))
            while (sqlite3_step(f.get()) == SQLITE_ROW) {
                const auto it = types.find(sqlite3_column_int64(f.get(), 0));
                if (it != types.end()) it->second.fields << columnText(f.get(), 1);
            }
        if (!types.empty()) return types;
    }
    if (Stmt s = prepare(db, "SELECT models FROM col")) {
        if (sqlite3_step(s.get()) != SQLITE_ROW) return types;
        const QJsonObject models =
            QJsonDocument::fromJson(columnText(s.get(), 0).toUtf8()).object();
        for (auto it = models.begin(); it != models.end(); ++it) {
            const QJsonObject m = it.value().toObject();
            const qint64 id = it.key().toLongLong();
            AnkiNoteType t{id, m.value(QLatin1String("name")).toString(), {}, 0};
            std::map<int, QString> byOrd;
            const QJsonArray flds = m.value(QLatin1String("flds")).toArray();
            for (qsizetype i = 0; i < flds.size(); ++i) {
                const QJsonObject f = flds[i].toObject();
                byOrd[f.value(QLatin1String("ord")).toInt(int(i))] =
                    f.value(QLatin1String("name")).toString();
            }
            for (const auto& [ord, name] : byOrd)
                t.fields << name;
            types[id] = t;
        }
    }
    return types;
}

} // namespace

ApkgRead readApkg(std::string_view bytes, const FieldChoice& choice, const Lang& lang,
                  qint64 maxCollection) {
    ApkgRead result;
    auto fail = [&](const QString& why) {
        result.deck.errors.push_back({0, 0, why});
        return result;
    };
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source = zip_source_buffer_create(bytes.data(), bytes.size(), 0, &error);
    zip_error_fini(&error);
    if (!source) return fail(lang("cannot be read as a zip", "zip として読めません"));
    zip_error_init(&error);
    std::unique_ptr<zip_t, ZipCloser> zip(zip_open_from_source(source, ZIP_RDONLY, &error));
    zip_error_fini(&error);
    if (!zip) {
        zip_source_free(source);
        return fail(lang("not an Anki package: not a readable zip",
                         "Anki のパッケージではありません（zip として読めません）"));
    }
    std::string collection;
    bool found = false;
    for (const char* name : {"collection.anki21b", "collection.anki21", "collection.anki2"}) {
        const zip_int64_t index = zip_name_locate(zip.get(), name, 0);
        if (index < 0) continue;
        std::string raw;
        if (!readEntry(zip.get(), index, maxCollection, raw))
            return fail(lang("%1 cannot be unpacked (damaged, or larger than %2 MB)",
                             "%1 を展開できません（壊れているか %2 MB を超えています）")
                            .arg(QLatin1String(name))
                            .arg(maxCollection >> 20));
        if (std::string_view(name).ends_with('b')) {
            if (!unzstd(raw, maxCollection, collection))
                return fail(lang("%1 cannot be unpacked (damaged, or larger than %2 MB)",
                                 "%1 を展開できません（壊れているか %2 MB を超えています）")
                                .arg(QLatin1String(name))
                                .arg(maxCollection >> 20));
        } else {
            collection = std::move(raw);
        }
        found = true;
        break;
    }
    if (!found)
        return fail(lang("not an Anki package: no collection.anki21b, .anki21 or .anki2 in it",
                         "Anki のパッケージではありません（collection.anki21b・.anki21・.anki2 "
                         "がありません）"));

    // SQLite opens the bytes where they lie, read-only; a collection saved
    // in WAL mode is read as one in rollback mode, which it equally is once
    // its WAL file is gone.
    if (collection.size() >= 100 && collection.compare(0, 16, "SQLite format 3\0", 16) == 0 &&
        collection[18] == 2 && collection[19] == 2)
        collection[18] = collection[19] = 1;
    sqlite3* raw = nullptr;
    if (sqlite3_open_v2(":memory:", &raw, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
        sqlite3_close(raw);
        return fail(lang("SQLite cannot start", "SQLite を開始できません"));
    }
    std::unique_ptr<sqlite3, DbCloser> db(raw);
    sqlite3_db_config(db.get(), SQLITE_DBCONFIG_DEFENSIVE, 1, nullptr);
    sqlite3_db_config(db.get(), SQLITE_DBCONFIG_TRUSTED_SCHEMA, 0, nullptr);
    sqlite3_create_collation(db.get(), "unicase", SQLITE_UTF8, nullptr, unicase);
    if (sqlite3_deserialize(db.get(), "main", reinterpret_cast<unsigned char*>(collection.data()),
                            sqlite3_int64(collection.size()), sqlite3_int64(collection.size()),
                            SQLITE_DESERIALIZE_READONLY) != SQLITE_OK)
        return fail(lang("the collection is not an SQLite database",
                         "コレクションが SQLite データベースではありません"));
    std::map<qint64, AnkiNoteType> types = noteTypes(db.get());
    Stmt notes = prepare(db.get(), "SELECT mid, tags, flds FROM notes ORDER BY id");
    if (!notes)
        return fail(lang("the collection holds no notes table (%1)",
                         "コレクションにノートの表がありません（%1）")
                        .arg(QString::fromUtf8(sqlite3_errmsg(db.get()))));
    std::map<qint64, std::pair<FieldIndexes, QString>> picks; // per note type, or the reason
    int number = 0, step = SQLITE_ROW;
    while ((step = sqlite3_step(notes.get())) == SQLITE_ROW) {
        ++number;
        const qint64 mid = sqlite3_column_int64(notes.get(), 0);
        const QStringList raw = columnText(notes.get(), 2).split(QChar(0x1F));
        AnkiNoteType& type = types[mid];
        if (type.id == 0 && type.fields.isEmpty()) type.id = mid;
        ++type.notes;
        if (!picks.count(mid)) {
            FieldIndexes pick;
            QString missing;
            const int count = type.fields.isEmpty() ? int(raw.size()) : int(type.fields.size());
            picks[mid] = {pick, resolveFields(choice, type.fields, count, pick, missing)
                                    ? QString()
                                    : lang("no field %1 in note type %2",
                                           "ノートタイプ %2 にフィールド %1 がありません")
                                          .arg(missing, type.name)};
            picks[mid].first = pick;
        }
        const auto& [pick, noField] = picks[mid];
        if (!noField.isEmpty()) {
            result.deck.skipped.push_back({number, 0, noField});
            continue;
        }
        QStringList fields;
        for (const QString& f : raw)
            fields << htmlToText(f);
        DeckRow row;
        QString why;
        if (!rowFromFields(fields, pick, row, why, lang)) {
            result.deck.skipped.push_back({number, 0, why});
            continue;
        }
        for (const QString& tag :
             columnText(notes.get(), 1).split(QLatin1Char(' '), Qt::SkipEmptyParts))
            row.marked =
                row.marked || tag.compare(QLatin1String(MistakeTag), Qt::CaseInsensitive) == 0;
        row.japanese.line = row.answer.line = row.idiom.line = number;
        result.deck.rows.push_back(row);
    }
    if (step != SQLITE_DONE)
        return fail(lang("the collection is damaged (%1)", "コレクションが壊れています（%1）")
                        .arg(QString::fromUtf8(sqlite3_errmsg(db.get()))));
    for (const auto& [id, type] : types)
        result.noteTypes.push_back(type);
    return result;
}

} // namespace sorami::tool
