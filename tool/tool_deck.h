#pragma once
// What the deck formats (Anki's text and package, KVTML) have in common: a
// deck is read into rows of text, each row with the places of its fields,
// plus the rows left out and why; one function turns rows into question
// lines, through the same Shift-JIS rule and mark rule as the TSV import.

#include "tool_table.h"

#include <QString>
#include <QStringList>
#include <vector>

namespace sorami::tool {

// One field as read, and where (1-based; a column of 0 for a package, whose
// "line" is the note's number).
struct DeckField {
    QString text;
    int line = 0;
    int column = 0;
};

struct DeckRow {
    DeckField japanese, answer, idiom;
    bool marked = false;
};

struct DeckRead {
    std::vector<DeckRow> rows;
    std::vector<Problem> skipped; // rows left out, with the reason
    std::vector<Problem> errors;  // the deck itself cannot be read
    std::vector<Problem> notices; // how it was read where it was not as it said
};

// The question lines of the rows. A row whose Japanese or answer is empty,
// with a line longer than `check` allows, or with an answer or idiom that
// begins with "?" is skipped and reported; line breaks inside a field become
// blanks, since a question line cannot hold one. Nothing is returned when
// there are errors.
ImportResult questionsFromDeck(const DeckRead& deck, bool replace, const Lang& lang);

// Text of an HTML field as Anki stores it: tags dropped (a line break or a
// block's end becomes a blank), entities decoded, media references ([sound:],
// images) and the contents of style and script left out, cloze deletions
// shown as their text, runs of blanks made one.
QString htmlToText(QStringView html);

// `--fields`: up to three picks (Japanese, answer, idiom), each a 1-based
// field number or a field name. Empty when none were given.
using FieldChoice = QStringList;
bool parseFieldChoice(const QString& text, FieldChoice& choice);

// The indexes of the chosen fields among `names` (a note type's fields, in
// order; `count` fields when names are unknown), -1 for an idiom not chosen
// and not present. False, with the missing pick in `missing`, when a pick
// names no field.
struct FieldIndexes {
    int japanese = 0, answer = 1, idiom = 2;
};
bool resolveFields(const FieldChoice& choice, const QStringList& names, int count,
                   FieldIndexes& out, QString& missing);

// A row from the fields of one note, by `pick`; false with the reason in
// `why` when a chosen field is missing from the note.
bool rowFromFields(const QStringList& fields, const FieldIndexes& pick, DeckRow& row, QString& why,
                   const Lang& lang);

// A deck as note rows for the writers: the question's text, decoded.
struct DeckNote {
    QString japanese, answer, idiom;
    bool marked = false;
    int line = 0; // the question's first line in the question file
};

} // namespace sorami::tool
