#include "form_kit.h"

#include <QEvent>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QScreen>
#include <QToolButton>
#include <QVariant>

namespace sorami {

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

void setFaceColour(QWidget* w, ColourValue colour) {
    QPalette p = w->palette();
    p.setColor(QPalette::Window, toQColor(colour));
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

void fitCaption(QAbstractButton* button) {
    const QString text = button->text().remove(QLatin1Char('&'));
    if (text.isEmpty()) return;
    QFont f = button->font();
    const int room = button->width() - CaptionFrameRoom;
    int pixels = QFontInfo(f).pixelSize();
    while (pixels > 8 && QFontMetrics(f).horizontalAdvance(text) > room) {
        f.setPixelSize(--pixels);
    }
    if (f != button->font()) button->setFont(f);
}

void nameControlsForAccessibility(QWidget* root) {
    for (QWidget* w : root->findChildren<QWidget*>()) {
        if (!w->accessibleName().isEmpty()) continue;
        QString name;
        if (auto* b = qobject_cast<QAbstractButton*>(w)) name = b->text().remove(QLatin1Char('&'));
        if (name.isEmpty()) name = w->toolTip();
        if (!name.isEmpty()) w->setAccessibleName(name);
    }
}

namespace {

class DialogButtonKeys : public QObject {
public:
    explicit DialogButtonKeys(QWidget* dialog) : QObject(dialog), dialog_(dialog) {
        dialog->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != dialog_) return false;
        if (event->type() == QEvent::Show) {
            // A push button that takes the focus becomes the default for as
            // long as it has it, and presses itself on Return.
            for (QPushButton* b : dialog_->findChildren<QPushButton*>())
                if (b->focusPolicy() != Qt::NoFocus) b->setAutoDefault(true);
            return false;
        }
        if (event->type() != QEvent::KeyPress) return false;
        // Here come the keys the focused control left alone: a tool button
        // takes Return too, before the default button does.
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter) return false;
        if ((key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) return false;
        auto* focused = qobject_cast<QAbstractButton*>(dialog_->focusWidget());
        if (!focused ||
            !(qobject_cast<QPushButton*>(focused) || qobject_cast<QToolButton*>(focused)))
            return false;
        if (focused->isEnabled() && focused->isVisible()) focused->click();
        return true;
    }

private:
    QWidget* dialog_;
};

} // namespace

void setDialogFrame(QWidget* dialog) {
    dialog->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowCloseButtonHint);
    static const char* const keysInstalled = "soramiDialogButtonKeys";
    if (dialog->property(keysInstalled).toBool()) return;
    dialog->setProperty(keysInstalled, true);
    new DialogButtonKeys(dialog);
}

void centreOnScreen(QWidget* window) {
    const QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen) return;
    const QRect area = screen->geometry();
    const QSize frame = window->frameGeometry().size();
    window->move(area.x() + (area.width() - frame.width()) / 2,
                 area.y() + (area.height() - frame.height()) / 2);
}

} // namespace sorami
