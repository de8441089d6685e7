#include "srmi105_widgets.h"

#include <QPalette>
#include <QVariant>
#include <algorithm>

namespace sorami {

RichEdit::RichEdit(QWidget* parent) : QTextEdit(parent) {
    setAcceptRichText(false);
    setTabChangesFocus(true);
    setFocusPolicy(Qt::ClickFocus);
}

UpDown::UpDown(QWidget* parent)
    : QWidget(parent), down_(new QToolButton(this)), up_(new QToolButton(this)) {
    down_->setArrowType(Qt::LeftArrow);
    up_->setArrowType(Qt::RightArrow);
    down_->setFocusPolicy(Qt::NoFocus);
    up_->setFocusPolicy(Qt::NoFocus);
    connect(down_, &QToolButton::clicked, this, [this] { press(Button::Down); });
    connect(up_, &QToolButton::clicked, this, [this] { press(Button::Up); });
}

void UpDown::setMin(int v) {
    min_ = v;
    position_ = std::max(position_, min_);
}

void UpDown::setMax(int v) {
    max_ = v;
    position_ = std::min(position_, std::max(min_, max_));
}

void UpDown::setPosition(int v) {
    position_ = std::clamp(v, min_, std::max(min_, max_));
}

void UpDown::press(Button which) {
    // The position moves first, within the limits in force; the handler then
    // sees the new position.
    setPosition(position_ + (which == Button::Up ? 1 : -1));
    emit clicked(which);
}

void UpDown::resizeEvent(QResizeEvent*) {
    const int half = width() / 2;
    down_->setGeometry(0, 0, half, height());
    up_->setGeometry(half, 0, width() - half, height());
}

void setFontColour(QWidget* w, ColourValue colour) {
    QPalette p = w->palette();
    const QColor c = toQColor(colour);
    // The disabled look stays the style's grey: a lamp colour there would
    // make a locked button look usable.
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        p.setColor(group, QPalette::ButtonText, c);
        p.setColor(group, QPalette::WindowText, c);
        p.setColor(group, QPalette::Text, c);
    }
    w->setPalette(p);
    // A system colour cannot be told back from the palette colour it stands for.
    w->setProperty("fontColourValue", colour);
}

ColourValue fontColour(const QWidget* w) {
    const QVariant v = w->property("fontColourValue");
    return v.isValid() ? v.toInt()
                       : fromQColor(w->palette().color(QPalette::Active, QPalette::ButtonText));
}

void setBackColour(QWidget* w, ColourValue colour) {
    QPalette p = w->palette();
    const QColor c = toQColor(colour);
    p.setColor(QPalette::Window, c);
    p.setColor(QPalette::Base, c);
    p.setColor(QPalette::Button, c);
    w->setPalette(p);
    w->setAutoFillBackground(true);
    w->setProperty("backColourValue", colour);
}

ColourValue backColour(const QWidget* w) {
    const QVariant v = w->property("backColourValue");
    return v.isValid() ? v.toInt() : fromQColor(w->palette().color(QPalette::Window));
}

} // namespace sorami
