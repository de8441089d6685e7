#pragma once
// Small text helpers the commands share: walking CP932 bytes character by
// character (valid or not), and the choice between English and Japanese
// messages.

#include <QString>
#include <string>
#include <string_view>
#include <vector>

namespace sorami::tool {

// One character of a CP932 byte string: where it starts, how many bytes it
// takes, and whether CP932 knows it. An invalid byte is a unit of its own, so
// the walk never skips a byte and never reads past the end.
struct SjisUnit {
    size_t pos = 0;
    size_t len = 1;
    bool valid = true;
    QString text; // the character, empty when invalid
};
std::vector<SjisUnit> sjisUnits(std::string_view bytes);

// Whether messages should be Japanese: the first of LC_ALL, LC_MESSAGES and
// LANG that is set decides, as the C library decides for its own messages.
bool japaneseLocale(const char* lcAll, const char* lcMessages, const char* lang);

// The message in the learner's language.
struct Lang {
    bool ja = false;
    QString operator()(const char* english, const char* japanese) const {
        return QString::fromUtf8(ja ? japanese : english);
    }
};

inline std::string utf8(const QString& text) {
    const QByteArray b = text.toUtf8();
    return std::string(b.constData(), static_cast<size_t>(b.size()));
}

} // namespace sorami::tool
