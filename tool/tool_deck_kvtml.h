#pragma once
// KVTML, the vocabulary files of KWordQuiz and Parley: 2.0 written and read,
// 1.0 (as KWordQuiz wrote it) read.

#include "tool_deck.h"

#include <string>
#include <string_view>

namespace sorami::tool {

// The lesson that holds the marked questions.
inline constexpr const char* MistakesLesson = "Mistakes";

// A KVTML 2.0 document: identifier 0 Japanese, 1 English, the idiom line as
// the English side's comment, marked questions in the lesson "Mistakes", the
// others in the lesson "Questions". A control character XML cannot hold is
// left out and reported in `lossy`.
std::string kvtmlDocument(const std::vector<DeckNote>& notes, std::vector<Problem>& lossy,
                          const Lang& lang);

// An identifier of a document: its number, name and locale.
struct KvtmlIdentifier {
    int id = 0;
    QString name, locale;
    QString label() const;
};

// Reads KVTML 2.0 or 1.0. `from` and `to` name identifiers by number, name
// or locale; empty, a document of two takes the Japanese one (locale ja) as
// `from` and the other as `to`, else the first and the second; one of more
// than two needs both. A document with one identifier gives rows without an
// answer, all skipped. `identifiers` receives the document's identifiers.
DeckRead readKvtml(std::string_view bytes, const QString& from, const QString& to, const Lang& lang,
                   std::vector<KvtmlIdentifier>* identifiers = nullptr);

} // namespace sorami::tool
