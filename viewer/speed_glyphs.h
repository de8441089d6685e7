#pragma once
// The small pictures on the companion windows' speed buttons. They are drawn
// here rather than shipped as image files, so they scale with nothing and
// look the same on every desktop.

#include <QIcon>

class QToolButton;
class QWidget;

namespace sorami {

enum class SpeedGlyph { Open, Exit, Back, Forward, Answer, Idiom, JapaneseFont, EnglishFont };

QIcon speedGlyph(SpeedGlyph glyph);

// A flat-faced button with a glyph that never takes the keyboard focus, as a
// speed button does; the hint is shown as its tool tip (empty: none of its own).
QToolButton* makeSpeedButton(QWidget* parent, SpeedGlyph glyph, const QString& hint);

} // namespace sorami
