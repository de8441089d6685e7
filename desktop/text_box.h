#pragma once
// Plain text into a text box. A line far longer than any sentence can only
// come from a damaged or foreign file, and Qt lays out such a line in time
// that grows faster than its length (seconds for megabytes, hours for 50 MB).
// A box therefore shows only the beginning of it, followed by an ellipsis,
// and breaks it anywhere rather than at word boundaries. The full line stays
// in memory: what a box shows is never read back into the question list.
// Ordinary lines keep the box's own mode.

#include "sjis_text.h"

#include <QString>
#include <QTextOption>
#include <QVariant>
#include <string_view>

namespace sorami {

constexpr qsizetype LongLineLength = 4096;

// What a box shows of a text: all of it, or the first LongLineLength
// characters and "…". Showing it again changes nothing.
inline QString shownText(const QString& text) {
    if (text.size() <= LongLineLength + 1) return text;
    qsizetype cut = LongLineLength;
    if (text.at(cut - 1).isHighSurrogate()) --cut;
    return text.left(cut) + QChar(0x2026);
}

// The same for a line of the question file, converting only what is shown.
inline QString shownLine(std::string_view bytes) {
    // One character more than a whole line may have tells a cut line.
    return shownText(fromSjis(sjisPrefix(bytes, LongLineLength + 2)));
}

template <typename Box> void showPlainText(Box* box, const QString& fullText) {
    const QString text = shownText(fullText);
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
