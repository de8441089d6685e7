#pragma once
// What every form does to its controls: caption and background colours as
// colour values, fonts of a face and size, the fixed frame of the small
// dialogs and centring on the screen.

#include "colour_qt.h"
#include "fonts.h"
#include "platform.h"

#include <QAbstractButton>
#include <QPalette>
#include <QWidget>

namespace sorami {

// The caption colour of a button or label, as a colour value.
void setFontColour(QWidget* w, ColourValue colour);
ColourValue fontColour(const QWidget* w);
// The background colour of a panel or box.
void setBackColour(QWidget* w, ColourValue colour);
ColourValue backColour(const QWidget* w);

// The face colour of a form or panel; the text boxes on it keep their own
// background.
void setFaceColour(QWidget* w, ColourValue colour);

// Makes every text under `root` (itself included) readable on what it is
// painted on: a colour the program or the desktop gives meets a background
// the other one gives (a fixed yellow box in a dark theme, a black caption
// on a dark button), so the text colour, as set or inherited, is painted as
// `readableOn` its background. The colour setters above call it; a form
// calls it once more when it is built, for colours set by hand.
void fitTextColours(QWidget* root);

// A box whose text and background colours the learner chooses: once both
// are chosen (neither left to the desktop), they are painted as chosen.
void letLearnerChooseColours(QWidget* box);

// Room a button's frame and margins take from its width.
constexpr int CaptionFrameRoom = 10;
// Shrinks a button's caption font, a pixel at a time down to 8 pixels, until
// the caption fits the button's width whole.
void fitCaption(QAbstractButton* button);

// Gives every control under `root` that has no accessible name one: its
// caption, else its hint. Screen readers and automation tools then find the
// glyph buttons and boxes by what the learner reads on them.
void nameControlsForAccessibility(QWidget* root);

// What every form does once its controls are made: names them for screen
// readers and fits their text colours.
void finishForm(QWidget* form);

// A small dialog: a title bar with only the close box, no resizing grip;
// and the keys of a dialog as the learner's desktop has them: Return and
// Enter press the button that has the focus, and the default button only
// when no button has it. The focused push button is drawn as the default.
void setDialogFrame(QWidget* dialog);

// Whether the program places its windows and hands the keyboard between
// them itself. A Wayland compositor does both on its own terms and refuses
// (with a warning each time) a program that tries.
bool programPlacesWindows();

// Centres the window on the screen it is on (the primary screen before it
// is shown), frame included; where the desktop places windows, it does.
void centreOnScreen(QWidget* window);

// Raises a window and gives it the keyboard, where the program may.
void bringToFront(QWidget* window);

// A text box's face, size and text colour from a font chooser's font.
template <typename Box> void applyBoxFont(Box* box, const FontSpec& fontSpec) {
    box->setFont(toQFont(fontSpec));
    QPalette pal = box->palette();
    pal.setColor(QPalette::Text, toQColor(fontSpec.colour));
    box->setPalette(pal);
    box->setProperty("fontColourValue", fontSpec.colour);
    fitTextColours(box);
}

} // namespace sorami
