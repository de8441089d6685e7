#pragma once
// Anki's plain text: the file its "Import File" takes (header lines such as
// #separator:tab, #html:false, #tags column:4, then one note a line) and the
// "Notes in Plain Text" it exports, with or without the headers.

#include "tool_deck.h"

#include <string>
#include <string_view>

namespace sorami::tool {

// The note type Anki's typed-answer drill uses, and the tag of a marked
// question.
inline constexpr const char* TypedAnswerNoteType = "Basic (type in the answer)";
inline constexpr const char* MistakeTag = "mistake";

// UTF-8 text with a header that answers every question of Anki's import
// dialog: Japanese, answer, idiom, tags.
std::string ankiText(const std::vector<DeckNote>& notes);

// Reads Anki's text. Without a #html: header the fields are taken as HTML,
// as Anki writes them by default; without #tags column: no column holds
// tags. Columns named by #guid/#notetype/#deck column: are not fields.
// `names` receives the field names of a #columns: header, if any.
DeckRead readAnkiText(std::string_view utf8, const FieldChoice& choice, const Lang& lang,
                      QStringList* names = nullptr);

} // namespace sorami::tool
