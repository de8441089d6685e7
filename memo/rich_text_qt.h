#pragma once
// The one conversion between the memo's rich-text model and the edit box's
// document. Paragraphs map to blocks, runs to character formats, bullets
// to a disc list, indents (twips) to block margins.

#include "rich_text.h"

class QTextDocument;

namespace sorami::rich {

// Replaces the content of `out`. Runs without a face take the document's
// default font, which is the memo's base font.
void toTextDocument(const Document& in, QTextDocument& out);

Document fromTextDocument(const QTextDocument& in);

// Indents are kept in twips in the model and in pixels on screen.
double twipsToPixels(int twips);
int pixelsToTwips(double pixels);

} // namespace sorami::rich
