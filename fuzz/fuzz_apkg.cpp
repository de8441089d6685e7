// Feeds arbitrary bytes to the Anki package reader: zip, zstd and SQLite
// from the libraries, the note types and notes from us. Inputs and the
// unpacked collection are kept small so the run stays at memory speed.

#include "tool_deck_apkg.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

using namespace sorami::tool;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    if (size > 256 * 1024) return 0;
    const Lang lang{false};
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const ApkgRead r = readApkg(bytes, {}, lang, 4 * 1024 * 1024);
    const ImportResult q = questionsFromDeck(r.deck, true, lang);
    if (q.lines.size() % 3 != 0 || (!r.deck.errors.empty() && !q.lines.empty())) {
        std::fprintf(stderr, "property broken: questions from a broken package\n");
        std::abort();
    }
    // A second pick by name goes through the note types' field lists.
    readApkg(bytes, {QStringLiteral("Back"), QStringLiteral("1")}, lang, 4 * 1024 * 1024);
    return 0;
}
