#pragma once
// Anki's packages (.apkg, and whole collections, .colpkg): a zip holding the
// collection as SQLite, collection.anki21b (zstd-compressed, Anki 2.1.50 on),
// collection.anki21 or collection.anki2, looked for in that order.

#include "tool_deck.h"

#include <string_view>

namespace sorami::tool {

// A note type of a collection, its fields in order, and how many notes use it.
struct AnkiNoteType {
    qint64 id = 0;
    QString name;
    QStringList fields;
    int notes = 0;
};

struct ApkgRead {
    DeckRead deck;
    std::vector<AnkiNoteType> noteTypes;
};

// Reads the package in `bytes`. Notes come in the order they were added;
// a row's line is the note's number. `maxCollection` caps the unpacked
// collection, so a zip bomb ends with a message.
ApkgRead readApkg(std::string_view bytes, const FieldChoice& choice, const Lang& lang,
                  qint64 maxCollection = qint64(1) << 30);

} // namespace sorami::tool
