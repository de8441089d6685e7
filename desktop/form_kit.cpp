#include "form_kit.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QScreen>
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

void setDialogFrame(QWidget* dialog) {
    dialog->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowCloseButtonHint);
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
