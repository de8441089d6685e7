#pragma once
// The one conversion between the memo's rich-text model and the edit box's
// document. Paragraphs map to blocks, runs to character formats, bullets
// to a disc list, indents (twips) to block margins.

#include "rich_text.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>

class QTextBlockFormat;
class QTextCursor;
class QTextDocument;
class QTextList;

namespace sorami::rich {

// Replaces the content of `out`. Runs without a face take the document's
// default font, which is the memo's base font.
void toTextDocument(const Document& in, QTextDocument& out);

// toTextDocument a few paragraphs at a time: a file of a million paragraphs
// takes seconds to build, and the box can show its first part and answer
// the learner while the rest comes. Whatever the steps, the result is the
// one-shot build's. `in` and `out` must outlive the builder.
class DocumentBuilder {
public:
    DocumentBuilder(const Document& in, QTextDocument& out); // empties `out`
    ~DocumentBuilder();
    DocumentBuilder(const DocumentBuilder&) = delete;
    DocumentBuilder& operator=(const DocumentBuilder&) = delete;

    // Adds up to `paragraphs` more paragraphs (at least one) as one edit of
    // the document, all of their text shown.
    void append(std::size_t paragraphs);
    bool done() const;
    std::size_t paragraphsDone() const { return next_; }

private:
    struct State;
    const Document& in_;
    std::size_t next_ = 0;
    std::unique_ptr<State> state_;
};

// Text that names no colour is shown in the box's text colour; given here,
// it is what such text is said to have, so a file carries what the learner
// sees. Without it such text keeps the automatic colour.
Document fromTextDocument(const QTextDocument& in,
                          std::optional<std::uint32_t> textColour = std::nullopt);

// Gives every character that names no colour the colour given: a printer
// would draw it black whatever the box shows.
void colourUncolouredText(QTextDocument& doc, std::uint32_t colour);

// Puts blocks in disc lists, a few blocks to a list. Qt marks every block of
// a list as changed each time one joins it, so a list of n blocks costs
// n² steps and a file of many bullets would take minutes to show; a disc
// looks the same whichever list its block is in.
class BulletLists {
public:
    // The cursor's block gets a bullet, keeping its margins.
    void add(QTextCursor& cursor);
    // Gives the format of a block about to be inserted and then added the
    // list that block will join, so that it is made in the list: one change
    // of the document instead of two, each of which marks the list's blocks
    // as changed.
    void join(QTextBlockFormat& format) const;
    // The next block starts a list of its own.
    void end() { list_ = nullptr; }

    static constexpr int MaxBlocks = 8;

private:
    QTextList* list_ = nullptr;
    int blocks_ = 0;
};

// Indents are kept in twips in the model and in pixels on screen.
double twipsToPixels(int twips);
int pixelsToTwips(double pixels);

} // namespace sorami::rich
