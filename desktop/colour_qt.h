#pragma once
// Colour values on screen: the desktop palette stands in for the system
// colours, and plain values become QColor.

#include "colour.h"

#include <QColor>
#include <QPalette>

namespace sorami {

// The palette colour that stands for a system colour index.
QPalette::ColorRole systemColourRole(int index, QPalette::ColorGroup* group = nullptr);

QColor toQColor(ColourValue v, const QPalette& palette);
QColor toQColor(ColourValue v); // with the application's palette
ColourValue fromQColor(const QColor& c);

// The contrast of two colours as the accessibility guidelines measure it,
// from 1 (the same) to 21 (black on white).
double contrastRatio(const QColor& a, const QColor& b);

// Text needs this much contrast with what it is painted on to be read with
// ordinary eyesight and on ordinary screens.
constexpr double ReadableContrast = 4.5;

// `text` as it can be read on `back`: itself when it contrasts enough;
// otherwise the same hue made darker or lighter (away from the background)
// just until it does, so a red lamp stays red; black, white and greys
// become whichever of black and white reads better.
QColor readableOn(const QColor& text, const QColor& back);

} // namespace sorami
