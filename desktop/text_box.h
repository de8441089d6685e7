#pragma once
// Plain text into a text box. A wrapping box breaks a line far longer than
// any sentence anywhere instead of at word boundaries: Qt's word breaking
// takes minutes on a megabyte without a blank, and such a line can only come
// from a damaged or foreign file. Ordinary lines keep the box's own mode.

#include <QString>
#include <QTextOption>
#include <QVariant>

namespace sorami {

constexpr qsizetype LongLineLength = 4096;

template <typename Box> void showPlainText(Box* box, const QString& text) {
    static constexpr char savedMode[] = "soramiWordWrapMode";
    QVariant own = box->property(savedMode);
    if (!own.isValid()) {
        own = static_cast<int>(box->wordWrapMode());
        box->setProperty(savedMode, own);
    }
    const auto mode = text.size() > LongLineLength
                          ? QTextOption::WrapAnywhere
                          : static_cast<QTextOption::WrapMode>(own.toInt());
    // Change the mode while the box holds the shorter text: re-wrapping the
    // long line in the slow mode is exactly what must not happen.
    if (mode == QTextOption::WrapAnywhere) {
        if (box->wordWrapMode() != mode) box->setWordWrapMode(mode);
        box->setPlainText(text);
    } else {
        box->setPlainText(text);
        if (box->wordWrapMode() != mode) box->setWordWrapMode(mode);
    }
}

} // namespace sorami
