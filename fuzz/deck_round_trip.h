#pragma once
// The property the deck text readers' fuzz targets share. Besides "no
// crash": what an import makes is whole questions of single lines, and
// writing them out in the same format and reading that back gives the same
// lines.

#include "question_file.h"
#include "sjis_text.h"
#include "tool_deck_anki_text.h"
#include "tool_deck_kvtml.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

using namespace sorami;
using namespace sorami::tool;

namespace deck_fuzz {

inline void check(bool ok, const char* what) {
    if (!ok) {
        std::fprintf(stderr, "property broken: %s\n", what);
        std::abort();
    }
}

inline DeckRead readDeck(bool kvtml, std::string_view bytes, const Lang& lang) {
    return kvtml ? readKvtml(bytes, {}, {}, lang) : readAnkiText(bytes, {}, lang);
}

} // namespace deck_fuzz

inline int deckRoundTrip(bool kvtml, const std::uint8_t* data, size_t size) {
    using namespace deck_fuzz;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const Lang lang{false};
    const ImportResult first = questionsFromDeck(readDeck(kvtml, bytes, lang), true, lang);
    check(first.lines.size() % 3 == 0, "not whole questions");
    for (size_t i = 0; i < first.lines.size(); ++i)
        check(first.lines[i].find_first_of(std::string_view("\r\n\0", 3)) == std::string::npos,
              "a line break or NUL inside a line");
    if (!first.errors.empty()) return 0;

    const std::string question = joinLines(first.lines);
    const ExportResult out = exportQuestions(question, kvtml ? Format::Kvtml : Format::Anki, lang);
    if (!out.lossy.empty()) return 0; // control characters XML cannot hold
    const ImportResult again = questionsFromDeck(readDeck(kvtml, out.output, lang), false, lang);
    check(again.errors.empty(), "an export that does not import");
    check(again.skipped.size() <= first.lines.size() / 3, "more skipped than written");
    check(again.skipped.empty() ? joinLines(again.lines) == question : true,
          "export and import change the questions");
    return 0;
}
