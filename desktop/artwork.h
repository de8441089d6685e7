#pragma once
// Every picture the programs show: the glyphs of the speed buttons and of
// the dialogs' buttons, and the pictures of the splash window and the result
// dialog. They are drawn here rather than shipped as image files, so they
// look the same on every desktop.

#include <QIcon>
#include <QPixmap>

class QToolButton;
class QWidget;

namespace sorami {

enum class SpeedGlyph {
    Open,
    Exit,
    Back,
    Forward,
    Answer,
    Idiom,
    JapaneseFont,
    EnglishFont,
    FlashAdvance
};

QIcon speedGlyph(SpeedGlyph glyph);

// A flat-faced button with a glyph that never takes the keyboard focus, as a
// speed button does; the hint is shown as its tool tip (empty: none of its own).
QToolButton* makeSpeedButton(QWidget* parent, SpeedGlyph glyph, const QString& hint);

// The glyphs of the OK, cancel and save buttons of the drill's small dialogs.
QIcon okGlyph();
QIcon cancelGlyph();
QIcon saveGlyph();

// The picture in the corner of the result dialog.
QPixmap resultIllustration();

// The drill's own icon at `size` pixels square: a notebook page with a
// Japanese character and a red check, as the menu entry shows it.
QPixmap programIcon(int size);

// The picture of the interval dialog: a stopwatch ticking off the seconds
// between two questions.
QPixmap intervalIllustration();

// The splash window's corner picture: a small evening landscape with a rising sun.
QPixmap splashPicture(int width, int height);

} // namespace sorami
