#pragma once
// Pasting with nothing on the clipboard. When no program owns the clipboard
// (a fresh desktop), Qt's text boxes crash on Ctrl+V. The guard, installed
// once for the whole application, lets a paste key through only when the
// clipboard holds text, and the programs' own paste commands ask the same
// question before they paste.

#include <QObject>

namespace sorami {

// True when the clipboard holds something a text box can paste.
bool clipboardHoldsText();

class PasteGuard : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

// Installs one guard on the application (again: nothing happens).
void installPasteGuard();

} // namespace sorami
