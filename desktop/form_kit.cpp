#include "form_kit.h"

#include <QAbstractScrollArea>
#include <QApplication>
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
    fitTextColours(w);
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
    fitTextColours(w);
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
    fitTextColours(w);
}

namespace {

// The name under which a widget keeps the colour the fitting painted a role
// in, to tell it from a colour set by hand.
QByteArray fittedKey(QPalette::ColorRole role) {
    return "soramiFitted" + QByteArray::number(static_cast<int>(role));
}

bool setByHand(const QWidget* w, QPalette::ColorRole role) {
    const QPalette& p = w->palette();
    if (!p.isBrushSet(QPalette::Active, role)) return false;
    const QVariant fitted = w->property(fittedKey(role));
    return !fitted.isValid() || fitted.value<QColor>() != p.color(QPalette::Active, role);
}

// The colour the form or the desktop means the role to have, before fitting.
QColor meantColour(const QWidget* w, QPalette::ColorRole role) {
    for (const QWidget* a = w; a; a = a->parentWidget()) {
        const QVariant v = a->property("fontColourValue");
        if (v.isValid()) return toQColor(v.toInt());
        if (setByHand(a, role)) return a->palette().color(QPalette::Active, role);
        if (a->isWindow()) break;
    }
    return QApplication::palette(w).color(QPalette::Active, role);
}

// What a label, a check box or a group title is painted on: the face of the
// nearest widget that fills its background.
QColor faceUnder(const QWidget* w) {
    for (const QWidget* a = w; a; a = a->parentWidget())
        if (a->autoFillBackground() || a->isWindow())
            return a->palette().color(QPalette::Active, a->backgroundRole());
    return QApplication::palette().color(QPalette::Window);
}

QColor boxBase(const QWidget* w) {
    if (auto* area = qobject_cast<const QAbstractScrollArea*>(w)) {
        const QWidget* view = area->viewport();
        return view->palette().color(QPalette::Active, view->backgroundRole());
    }
    return w->palette().color(QPalette::Active, QPalette::Base);
}

bool learnerChoseBoth(const QWidget* w) {
    if (!w->property("learnerColours").toBool()) return false;
    const QVariant text = w->property("fontColourValue");
    const QVariant back = w->property("backColourValue");
    return text.isValid() && back.isValid() && !isSystemColour(text.toInt()) &&
           !isSystemColour(back.toInt());
}

void fitOne(QWidget* w) {
    const std::pair<QPalette::ColorRole, QColor> pairs[] = {
        {QPalette::WindowText, faceUnder(w)},
        {QPalette::ButtonText, w->palette().color(QPalette::Active, QPalette::Button)},
        {QPalette::Text, boxBase(w)}};
    QPalette p = w->palette();
    bool changed = false;
    const bool asChosen = learnerChoseBoth(w);
    for (const auto& [role, back] : pairs) {
        const QColor meant = meantColour(w, role);
        const QColor painted = asChosen ? meant : readableOn(meant, back);
        if (p.color(QPalette::Active, role) == painted) continue;
        // The disabled look stays the style's grey.
        for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive})
            p.setColor(group, role, painted);
        w->setProperty(fittedKey(role), painted);
        changed = true;
    }
    if (changed) w->setPalette(p);
}

} // namespace

void letLearnerChooseColours(QWidget* box) {
    box->setProperty("learnerColours", true);
    fitTextColours(box);
}

void fitTextColours(QWidget* root) {
    fitOne(root);
    // Parents come before their children, whose colours they pass on.
    for (QWidget* w : root->findChildren<QWidget*>())
        fitOne(w);
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

void finishForm(QWidget* form) {
    nameControlsForAccessibility(form);
    fitTextColours(form);
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

bool programPlacesWindows() {
    return !QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

void bringToFront(QWidget* window) {
    window->raise();
    if (programPlacesWindows()) window->activateWindow();
}

void centreOnScreen(QWidget* window) {
    if (!programPlacesWindows()) return;
    const QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen) return;
    const QRect area = screen->geometry();
    const QSize frame = window->frameGeometry().size();
    window->move(area.x() + (area.width() - frame.width()) / 2,
                 area.y() + (area.height() - frame.height()) / 2);
}

} // namespace sorami
