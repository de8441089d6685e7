#pragma once
// Domain texts are CP932 (Shift-JIS) byte strings; widgets show QString.
// This is the only place where the two meet.

#include <QString>
#include <string>
#include <string_view>

namespace sorami {

// Whether a byte opens a double-byte character (the second byte follows).
constexpr bool isSjisLeadByte(unsigned char b) {
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}
constexpr bool isSjisLeadByte(char c) {
    return isSjisLeadByte(static_cast<unsigned char>(c));
}

// Bytes to display text. Bytes that are not valid CP932 show as U+FFFD;
// the bytes themselves are never touched by this.
QString fromSjis(std::string_view bytes);

// The first `maxChars` characters of `bytes`, a double-byte character
// counting one and never cut in half.
std::string_view sjisPrefix(std::string_view bytes, size_t maxChars);

// Display text to bytes. Characters that CP932 cannot hold become "?".
std::string toSjis(const QString& text);

// Like toSjis, but when the text is exactly what `original` shows as, the
// original bytes come back unchanged: a line with invalid bytes that the
// learner did not edit is written back as it was read.
std::string toSjisKeeping(const QString& text, std::string_view original);

// A source-code text (UTF-8) as CP932 bytes, for INI sections, keys and
// other fixed texts of the file formats.
inline std::string sjis(const char* utf8) {
    return toSjis(QString::fromUtf8(utf8));
}

} // namespace sorami
