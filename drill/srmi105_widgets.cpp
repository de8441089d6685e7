#include "srmi105_widgets.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
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
    // The arrows show no words; a screen reader says what they do.
    down_->setAccessibleName(QStringLiteral("番号を一つ戻す"));
    up_->setAccessibleName(QStringLiteral("番号を一つ進める"));
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

void ColourCommandButton::paintEvent(QPaintEvent* event) {
    QToolButton::paintEvent(event);
    QPainter p(this);
    // Red, green and blue read as "colour" in a light and a dark theme alike.
    static const QColor band[] = {QColor(0xE0, 0x30, 0x30), QColor(0x20, 0xA0, 0x30),
                                  QColor(0x30, 0x60, 0xE0)};
    const int height = std::max(3, this->height() / 8);
    const QRect r(4, this->height() - height - 2, width() - 8, height);
    const int part = r.width() / 3;
    for (int i = 0; i < 3; ++i) {
        const int left = r.left() + i * part;
        const int right = i == 2 ? r.right() : left + part - 1;
        p.fillRect(QRect(QPoint(left, r.top()), QPoint(right, r.bottom())),
                   isEnabled() ? band[i] : palette().color(QPalette::Disabled, QPalette::Text));
    }
}

UpDownSpinner::UpDownSpinner(QWidget* parent) : QSpinBox(parent) {
    // Keys typed while the spinner has the focus must not reach the hidden
    // text and turn into a number on Enter.
    lineEdit()->setReadOnly(true);
    lineEdit()->hide();
    setButtonSymbols(QAbstractSpinBox::UpDownArrows);
    setWrapping(false);
    setSingleStep(1);
    setGroupSeparatorShown(false);
}

bool escapeClicksCancel(QKeyEvent* event, QAbstractButton* cancel) {
    if (event->key() != Qt::Key_Escape || event->modifiers() != Qt::NoModifier) return false;
    cancel->click();
    return true;
}

} // namespace sorami
