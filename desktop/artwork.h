#pragma once
// Every picture the programs show: the glyphs of the speed buttons and of
// the dialogs' buttons, and the pictures of the splash window and the result
// dialog. They are drawn here rather than shipped as image files, so they
// look the same on every desktop.

#include <QIcon>
#include <QPixmap>
#include <functional>

class QLabel;
class QPainter;
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

// Every picture is drawn for the pixel ratio of the screen it shows on:
// `size` in the window's units, drawn with `dpr` pixels to the unit.
QPixmap drawnPicture(QSize size, qreal dpr, bool transparent,
                     const std::function<void(QPainter&)>& draw);
// Shows a drawn picture in a label, redrawn for each screen the label moves to.
void showDrawnPicture(QLabel* label, std::function<QPixmap(qreal dpr)> draw);

// The icons hold their glyph drawn for screens at 100, 200 and 300 %.
QIcon speedGlyph(SpeedGlyph glyph);
// A glyph of one letter in one colour, for commands the desktop has no icon for.
QIcon letterGlyph(const QString& text, const QColor& colour);

// A flat-faced button with a glyph that never takes the keyboard focus, as a
// speed button does; the hint is shown as its tool tip (empty: none of its own).
QToolButton* makeSpeedButton(QWidget* parent, SpeedGlyph glyph, const QString& hint);

// The glyphs of the OK, cancel and save buttons of the drill's small dialogs.
QIcon okGlyph();
QIcon cancelGlyph();
QIcon saveGlyph();

// The picture in the corner of the result dialog.
QPixmap resultIllustration(qreal dpr = 1);

// The drill's own icon at `size` pixels square: a notebook page with a
// Japanese character and a red check, as the menu entry shows it.
QPixmap programIcon(int size, qreal dpr = 1);

// The picture of the interval dialog: a stopwatch ticking off the seconds
// between two questions.
QPixmap intervalIllustration(qreal dpr = 1);

// The splash window's corner picture: a small evening landscape with a rising sun.
QPixmap splashPicture(int width, int height, qreal dpr = 1);

} // namespace sorami
