#include "tool_text.h"

#include "sjis_text.h"

namespace sorami::tool {

namespace {
// The core's decoder is the judge of validity, so the tool and the programs
// never disagree about which bytes show as U+FFFD.
QString decodedUnit(std::string_view unit) {
    const QString s = fromSjis(unit);
    if (s.size() != 1 || s.at(0) == QChar::ReplacementCharacter) return {};
    return s;
}
} // namespace

std::vector<SjisUnit> sjisUnits(std::string_view bytes) {
    std::vector<SjisUnit> units;
    units.reserve(bytes.size());
    for (size_t i = 0; i < bytes.size();) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        if (isSjisLeadByte(b) && i + 1 < bytes.size()) {
            QString ch = decodedUnit(bytes.substr(i, 2));
            if (!ch.isEmpty()) {
                units.push_back({i, 2, true, ch});
                i += 2;
                continue;
            }
        }
        QString ch = isSjisLeadByte(b) ? QString() : decodedUnit(bytes.substr(i, 1));
        const bool valid = !ch.isEmpty();
        units.push_back({i, 1, valid, ch});
        ++i;
    }
    return units;
}

bool japaneseLocale(const char* lcAll, const char* lcMessages, const char* lang) {
    for (const char* v : {lcAll, lcMessages, lang}) {
        if (v && *v) return v[0] == 'j' && v[1] == 'a';
    }
    return false;
}

} // namespace sorami::tool
