#pragma once
// Small controls of the drill window that Qt has no direct counterpart for,
// and the caption-colour "lamps" of its buttons.
#include "form_kit.h"

#include <QSpinBox>
#include <QTextEdit>
#include <QToolButton>
#include <QWidget>

namespace sorami {

// A text box of the drill window. Line breaks are not typed into it: Enter
// belongs to the window's default button, so the box leaves it alone.
class RichEdit : public QTextEdit {
    Q_OBJECT
public:
    explicit RichEdit(QWidget* parent = nullptr);
};

// A horizontal up-down spinner: two arrow buttons moving a position between
// a minimum and a maximum, without wrapping. clicked() follows every press.
class UpDown : public QWidget {
    Q_OBJECT
public:
    enum class Button { Up, Down };
    explicit UpDown(QWidget* parent = nullptr);
    int min() const { return min_; }
    int max() const { return max_; }
    int position() const { return position_; }
    void setMin(int v);
    void setMax(int v);
    void setPosition(int v);
    // A press of one of the two arrows, as the user makes it.
    void press(Button which);
signals:
    void clicked(sorami::UpDown::Button which);

protected:
    void resizeEvent(QResizeEvent*) override;

private:
    QToolButton* down_;
    QToolButton* up_;
    int min_ = 0, max_ = 100, position_ = 0;
};

// A speed button of a colour command: a band of colours under its glyph
// tells it from the font button that carries the same glyph.
class ColourCommandButton : public QToolButton {
    Q_OBJECT
public:
    explicit ColourCommandButton(QWidget* parent = nullptr) : QToolButton(parent) {}

protected:
    void paintEvent(QPaintEvent* event) override;
};

// The spinner of the drill's small dialogs. It stands on its own: the number
// it moves is shown by a separate read-only box, so its own text field is
// hidden and only the two arrows remain.
class UpDownSpinner : public QSpinBox {
    Q_OBJECT
public:
    explicit UpDownSpinner(QWidget* parent = nullptr);
};

// Esc without modifiers clicks the dialog's cancel button; true when it did.
// The title-bar close box is deliberately not routed here: it leaves a
// dialog without running either button.
bool escapeClicksCancel(QKeyEvent* event, QAbstractButton* cancel);

} // namespace sorami
