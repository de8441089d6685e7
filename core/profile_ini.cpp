#include "profile_ini.h"

#include "sjis_text.h"
#include "sorami_error.h"
#include "whole_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstdint>
#include <optional>
#include <vector>

// Files are shared with the old Windows programs, so lines are read and
// matched as the Windows profile functions do; the test tables list the cases.
// Everything is scanned as CP932: the trail byte of a double-byte character is
// never taken for a letter or a "]".

namespace sorami {
namespace {

constexpr size_t MaxValueBytes = 1023;

bool isLeadByte(char c) {
    const auto b = static_cast<unsigned char>(c);
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && isBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

char asciiLower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool sameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (isLeadByte(a[i]) && i + 1 < a.size()) {
            // Both names agree up to here, so b[i] is a lead byte as well.
            if (a[i] != b[i] || a[i + 1] != b[i + 1]) return false;
            ++i;
        } else if (asciiLower(a[i]) != asciiLower(b[i])) {
            return false;
        }
    }
    return true;
}

// Position of the first "]" that is a character of its own, or npos.
size_t findClosingBracket(std::string_view s, size_t from) {
    for (size_t i = from; i < s.size(); ++i) {
        if (isLeadByte(s[i]))
            ++i;
        else if (s[i] == ']')
            return i;
    }
    return std::string_view::npos;
}

// Longest prefix of at most `limit` bytes that does not end inside a
// double-byte character.
std::string_view cutToCharacters(std::string_view s, size_t limit) {
    if (s.size() <= limit) return s;
    size_t i = 0;
    while (i < limit) {
        const size_t step = (isLeadByte(s[i]) && i + 1 < s.size()) ? 2 : 1;
        if (i + step > limit) break;
        i += step;
    }
    return s.substr(0, i);
}

std::optional<int> parseInteger(std::string_view s) {
    if (s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
        // Hexadecimal is a bit pattern: up to 0xFFFFFFFF, so that the system
        // colours (top bit set) can be given as they are usually written.
        std::uint64_t v = 0;
        for (const char c : s.substr(2)) {
            int d;
            if (c >= '0' && c <= '9')
                d = c - '0';
            else if (c >= 'a' && c <= 'f')
                d = c - 'a' + 10;
            else if (c >= 'A' && c <= 'F')
                d = c - 'A' + 10;
            else
                return std::nullopt;
            v = v * 16 + static_cast<std::uint64_t>(d);
            if (v > 0xFFFFFFFFu) return std::nullopt;
        }
        return static_cast<int>(static_cast<std::uint32_t>(v));
    }
    bool negative = false;
    if (!s.empty() && (s[0] == '+' || s[0] == '-')) {
        negative = s[0] == '-';
        s.remove_prefix(1);
    }
    if (s.empty()) return std::nullopt;
    std::int64_t v = 0;
    for (const char c : s) {
        if (c < '0' || c > '9') return std::nullopt;
        v = v * 10 + (c - '0');
        if (v > 2147483648LL) return std::nullopt;
    }
    if (negative) v = -v;
    if (v < INT32_MIN || v > INT32_MAX) return std::nullopt;
    return static_cast<int>(v);
}

struct Line {
    enum Kind { Other, Section, Key };
    size_t begin = 0; // first byte of the line
    size_t end = 0;   // end of its text, before the line break
    size_t next = 0;  // start of the following line
    Kind kind = Other;
    std::string_view name; // section or key name, without blanks
    size_t valueBegin = 0; // Key: first byte after "=" and the blanks after it
    std::string_view value;
};

// One parse of the file's bytes; the views point into `bytes`.
class Profile {
public:
    explicit Profile(std::string data) : bytes(std::move(data)) { split(); }

    struct Place {
        int header = -1;  // the section's header line
        int key = -1;     // the key's line
        int lastKey = -1; // the section's last key line
    };

    Place find(std::string_view section, std::string_view key) const {
        Place p;
        for (int i = 0; i < static_cast<int>(lines.size()); ++i) {
            const Line& l = lines[static_cast<size_t>(i)];
            if (l.kind == Line::Section) {
                if (p.header >= 0) break;
                if (sameName(l.name, section)) p.header = i;
            } else if (l.kind == Line::Key && p.header >= 0) {
                p.lastKey = i;
                if (p.key < 0 && sameName(l.name, key)) p.key = i;
            }
        }
        return p;
    }

    std::string bytes;
    std::vector<Line> lines;

private:
    void split() {
        const std::string_view all(bytes);
        size_t i = 0;
        while (i < all.size()) {
            Line l;
            l.begin = i;
            while (i < all.size() && all[i] != '\r' && all[i] != '\n')
                ++i;
            l.end = i;
            if (i < all.size())
                i += (all[i] == '\r' && i + 1 < all.size() && all[i + 1] == '\n') ? 2 : 1;
            l.next = i;
            classify(l, all);
            lines.push_back(l);
        }
    }

    static void classify(Line& l, std::string_view all) {
        const std::string_view text = all.substr(l.begin, l.end - l.begin);
        size_t start = 0;
        while (start < text.size() && isBlank(text[start]))
            ++start;
        if (start == text.size() || text[start] == ';') return;
        if (text[start] == '[') {
            const size_t close = findClosingBracket(text, start + 1);
            if (close == std::string_view::npos) return;
            l.kind = Line::Section;
            l.name = trimmed(text.substr(start + 1, close - start - 1));
            return;
        }
        // "=" (0x3D) is never the trail byte of a double-byte character.
        const size_t eq = text.find('=', start);
        if (eq == std::string_view::npos) return;
        l.kind = Line::Key;
        l.name = trimmed(text.substr(start, eq - start));
        size_t v = eq + 1;
        while (v < text.size() && isBlank(text[v]))
            ++v;
        l.valueBegin = l.begin + v;
        l.value = trimmed(text.substr(v));
    }
};

std::optional<std::string> readFile(const QString& path) {
    // A named pipe in the INI's place would block the open; only a regular
    // file is a profile.
    if (!QFileInfo(path).isFile()) return std::nullopt;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return std::nullopt;
    const QByteArray data = f.readAll();
    if (f.error() != QFileDevice::NoError) return std::nullopt;
    return data.toStdString();
}

[[noreturn]] void cannotWrite(const QString& path) {
    raise(fillTemplate(QStringLiteral("%s に書き込めません"), QDir::toNativeSeparators(path)));
}

} // namespace

std::optional<std::string> profileValue(std::string_view bytes, std::string_view section,
                                        std::string_view key) {
    const Profile profile{std::string(bytes)};
    const Profile::Place place = profile.find(section, key);
    if (place.key < 0) return std::nullopt;
    std::string_view value = profile.lines[static_cast<size_t>(place.key)].value;
    if (const size_t nul = value.find('\0'); nul != std::string_view::npos)
        value = value.substr(0, nul);
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front())
        value = value.substr(1, value.size() - 2);
    return std::string(cutToCharacters(value, MaxValueBytes));
}

std::string ProfileIni::readString(const QString& section, const QString& key,
                                   std::string_view def) const {
    const auto data = readFile(path_);
    if (!data) return std::string(def);
    return profileValue(*data, toSjis(section), toSjis(key)).value_or(std::string(def));
}

int ProfileIni::readInteger(const QString& section, const QString& key, int def) const {
    // An empty text never parses, so a missing key gives `def` as well.
    const std::string text = readString(section, key, std::string_view());
    return parseInteger(text).value_or(def);
}

bool ProfileIni::readBool(const QString& section, const QString& key, bool def) const {
    return readInteger(section, key, def ? 1 : 0) != 0;
}

std::string profileWithValue(std::string old, std::string_view sectionBytes,
                             std::string_view keyBytes, std::string_view value) {
    // One key is one line: a line break in the value would end the key there
    // and leave the rest as a stray line, so the value ends there instead.
    if (const size_t cut = value.find_first_of(std::string_view("\r\n\0", 3));
        cut != std::string_view::npos)
        value = value.substr(0, cut);
    const Profile profile(std::move(old));
    const std::string& bytes = profile.bytes;
    const Profile::Place place = profile.find(sectionBytes, keyBytes);
    std::string out;
    out.reserve(bytes.size() + sectionBytes.size() + keyBytes.size() + value.size() + 8);
    if (place.key >= 0) {
        // Everything left of the old value stays as the file had it.
        const Line& l = profile.lines[static_cast<size_t>(place.key)];
        out.append(bytes, 0, l.valueBegin);
        out.append(value);
        out.append(bytes, l.end, std::string::npos);
    } else if (place.header >= 0) {
        const Line& l =
            profile.lines[static_cast<size_t>(place.lastKey >= 0 ? place.lastKey : place.header)];
        out.append(bytes, 0, l.next);
        if (l.next == l.end) out += "\r\n";
        out.append(keyBytes);
        out += '=';
        out.append(value);
        out += "\r\n";
        out.append(bytes, l.next, std::string::npos);
    } else {
        out = bytes;
        if (!out.empty() && out.back() != '\n' && out.back() != '\r') out += "\r\n";
        out += '[';
        out.append(sectionBytes);
        out += "]\r\n";
        out.append(keyBytes);
        out += '=';
        out.append(value);
        out += "\r\n";
    }
    return out;
}

void ProfileIni::writeString(const QString& section, const QString& key, std::string_view value) {
    const std::string sectionBytes = toSjis(section);
    const std::string keyBytes = toSjis(key);

    const QFileInfo info(path_);
    std::string old;
    if (info.exists()) {
        // Never replace a file that we could not read whole, nor one that is
        // marked read-only: renaming over it would defeat the protection.
        auto data = info.isFile() && mayWrite(path_) ? readFile(path_) : std::nullopt;
        if (!data) cannotWrite(path_);
        old = std::move(*data);
    }

    const std::string out = profileWithValue(std::move(old), sectionBytes, keyBytes, value);
    const QString failure =
        fillTemplate(QStringLiteral("%s に書き込めません"), QDir::toNativeSeparators(path_));
    writeWholeFile(path_, out, {failure, failure});
}

void ProfileIni::writeInteger(const QString& section, const QString& key, int value) {
    writeString(section, key, std::to_string(value));
}

void ProfileIni::writeBool(const QString& section, const QString& key, bool value) {
    writeString(section, key, value ? "1" : "0");
}

} // namespace sorami
