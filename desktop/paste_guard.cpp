#include "paste_guard.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QTextEdit>

namespace sorami {

bool clipboardHoldsText() {
    const QClipboard* clipboard = QGuiApplication::clipboard();
    if (!clipboard) return false;
    const QMimeData* data = clipboard->mimeData(QClipboard::Clipboard);
    return data && data->hasText();
}

namespace {

bool isTextBox(const QObject* o) {
    // The viewport of a text edit receives no keys; the edit itself does.
    return qobject_cast<const QTextEdit*>(o) || qobject_cast<const QPlainTextEdit*>(o) ||
           qobject_cast<const QLineEdit*>(o) || qobject_cast<const QAbstractSpinBox*>(o);
}

} // namespace

bool PasteGuard::eventFilter(QObject* watched, QEvent* event) {
    const auto type = event->type();
    if ((type == QEvent::KeyPress || type == QEvent::ShortcutOverride) && isTextBox(watched)) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->matches(QKeySequence::Paste) && !clipboardHoldsText()) {
            // Swallowed: the box never starts its paste. A short-cut of a
            // menu with the same key is not triggered either, which is right:
            // there is nothing to paste.
            event->accept();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

void installPasteGuard() {
    static PasteGuard* guard = nullptr;
    if (guard || !qApp) return;
    guard = new PasteGuard(qApp);
    qApp->installEventFilter(guard);
}

} // namespace sorami
