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

} // namespace sorami
