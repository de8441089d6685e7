#include "profile_ini.h"

#include "sjis_text.h"
#include "sorami_error.h"
#include "whole_file.h"

#include "large_memory.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <map>
#include <memory>
#include <optional>
#include <vector>

// Files are shared with the old Windows programs, so lines are read and
// matched as the Windows profile functions do; the test tables list the cases.
// Everything is scanned as CP932: the trail byte of a double-byte character is
// never taken for a letter or a "]".

namespace sorami {
namespace {

constexpr size_t MaxValueBytes = 1023;

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
        if (isSjisLeadByte(a[i]) && i + 1 < a.size()) {
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
        if (isSjisLeadByte(s[i]))
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
        const size_t step = (isSjisLeadByte(s[i]) && i + 1 < s.size()) ? 2 : 1;
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

// A section or key line: where its parts lie in the file's bytes.
struct Line {
    enum Kind : std::uint8_t { Other, Section, Key };
    size_t end = 0;               // end of its text, before the line break
    size_t next = 0;              // start of the following line
    size_t valueBegin = 0;        // Key: first byte after "=" and the blanks after it
    const char* nameAt = nullptr; // section or key name, without blanks
    std::uint32_t nameSize = 0;
    Kind kind = Other;
    std::string_view name() const { return {nameAt, nameSize}; }
};

// A hash that names equal by sameName share: ASCII letters in either case
// alike, the two bytes of a double-byte character as they are.
std::uint32_t nameHash(std::string_view s) {
    std::uint32_t h = 2166136261u;
    const auto mix = [&h](char c) { h = (h ^ static_cast<unsigned char>(c)) * 16777619u; };
    for (size_t i = 0; i < s.size(); ++i) {
        if (isSjisLeadByte(s[i]) && i + 1 < s.size()) {
            mix(s[i]);
            mix(s[++i]);
        } else {
            mix(asciiLower(s[i]));
        }
    }
    return h;
}

// Calls f(begin, end, next) for each line of all[from, to): `end` before its
// line break (CR LF, CR or LF), `next` after it. `to` is the end of the bytes
// or the start of a line. The breaks are found with memchr, the next CR and
// the next LF kept, so each byte is looked at about once.
template <class F> void forEachLine(std::string_view all, size_t from, size_t to, F&& f) {
    if (from >= to) return;
    const char* const base = all.data();
    const auto find = [&](char c, size_t at) {
        const void* p = std::memchr(base + at, c, to - at);
        return p ? static_cast<size_t>(static_cast<const char*>(p) - base) : to;
    };
    size_t cr = find('\r', from);
    size_t lf = find('\n', from);
    for (size_t i = from; i < to;) {
        if (cr < i) cr = find('\r', i);
        if (lf < i) lf = find('\n', i);
        const size_t end = std::min(cr, lf);
        size_t next = end;
        if (end < to) next += (base[end] == '\r' && end + 1 < to && base[end + 1] == '\n') ? 2 : 1;
        f(i, end, next);
        i = next;
    }
}

// One parse of the file's bytes; the views point into them, so a profile
// stays where it was made.
class Profile {
public:
    explicit Profile(std::string data) : owned_(std::move(data)), bytes(owned_) {}
    Profile(ByteBlock block, size_t size) : block_(std::move(block)), bytes(block_.data(), size) {}
    Profile(const Profile&) = delete;
    Profile& operator=(const Profile&) = delete;

private:
    std::string owned_;
    ByteBlock block_;

public:
    std::string_view bytes;

    // A key's value: from after "=" and its blanks to the end of the line,
    // without the blanks there.
    std::string_view value(const Line& l) const {
        return trimmed(bytes.substr(l.valueBegin, l.end - l.valueBegin));
    }

    struct Place {
        bool found = false; // the section is there
        Line header;        // its header line
        Line key;           // the key's line; kind Other when it is missing
        Line lastKey;       // the section's last key line; kind Other when it has none
    };

    Place find(std::string_view section, std::string_view key) const {
        if (!indexed_) index();
        const std::uint32_t hash = nameHash(section);
        Place p;
        for (size_t s = 0; s < hashes_.size(); ++s) {
            if (hashes_[s] != hash) continue;
            const Line header = lineAt(starts_[s]);
            if (!sameName(header.name(), section)) continue;
            p.found = true;
            p.header = header;
            const size_t bodyEnd = s + 1 < starts_.size() ? starts_[s + 1] : bytes.size();
            for (const Line& l : keysOf(s, header.next, bodyEnd)) {
                p.lastKey = l;
                if (p.key.kind != Line::Key && sameName(l.name(), key)) p.key = l;
            }
            break;
        }
        return p;
    }

private:
    // Where each section's header line starts, in file order, and the hash
    // of its name: made when a key is first looked for, so a file just
    // written costs nothing until then. A table of every key line of a
    // large file cost more to fill than the file to read, and a lookup ran
    // through all of it; keys are split per section, when that section is
    // first looked into.
    mutable bool indexed_ = false;
    mutable std::vector<size_t> starts_;
    mutable std::vector<std::uint32_t> hashes_;
    mutable std::map<size_t, std::vector<Line>> keys_; // section -> its key lines

    void index() const {
        indexed_ = true;
        forEachLine(bytes, 0, bytes.size(), [&](size_t begin, size_t end, size_t) {
            size_t s = begin;
            while (s < end && isBlank(bytes[s]))
                ++s;
            if (s == end || bytes[s] != '[') return;
            Line l;
            l.end = end;
            classify(l, bytes, begin);
            if (l.kind != Line::Section) return;
            starts_.push_back(begin);
            hashes_.push_back(nameHash(l.name()));
        });
    }

    // The line that starts at `begin`, and no further.
    Line lineAt(size_t begin) const {
        const char* const base = bytes.data();
        const auto find = [&](char c, size_t to) {
            const void* p = std::memchr(base + begin, c, to - begin);
            return p ? static_cast<size_t>(static_cast<const char*>(p) - base) : to;
        };
        Line l;
        // A CR is looked for only before the LF: a file of LF lines has none.
        l.end = find('\r', find('\n', bytes.size()));
        l.next = l.end;
        if (l.end < bytes.size())
            l.next += (base[l.end] == '\r' && l.end + 1 < bytes.size() && base[l.end + 1] == '\n')
                          ? 2
                          : 1;
        classify(l, bytes, begin);
        return l;
    }

    const std::vector<Line>& keysOf(size_t section, size_t from, size_t to) const {
        const auto [at, fresh] = keys_.try_emplace(section);
        if (fresh)
            forEachLine(bytes, from, to, [&](size_t begin, size_t end, size_t next) {
                Line l;
                l.end = end;
                l.next = next;
                classify(l, bytes, begin);
                if (l.kind == Line::Key) at->second.push_back(l);
            });
        return at->second;
    }

    static void setName(Line& l, std::string_view name) {
        // A name longer than 4 GB cannot be one a program looks for.
        l.nameAt = name.data();
        l.nameSize = static_cast<std::uint32_t>(std::min<size_t>(name.size(), UINT32_MAX));
    }

    static void classify(Line& l, std::string_view all, size_t begin) {
        const std::string_view text = all.substr(begin, l.end - begin);
        size_t start = 0;
        while (start < text.size() && isBlank(text[start]))
            ++start;
        if (start == text.size() || text[start] == ';') return;
        if (text[start] == '[') {
            const size_t close = findClosingBracket(text, start + 1);
            if (close == std::string_view::npos) return;
            l.kind = Line::Section;
            setName(l, trimmed(text.substr(start + 1, close - start - 1)));
            return;
        }
        // "=" (0x3D) is never the trail byte of a double-byte character.
        const size_t eq = text.find('=', start);
        if (eq == std::string_view::npos) return;
        l.kind = Line::Key;
        setName(l, trimmed(text.substr(start, eq - start)));
        size_t v = eq + 1;
        while (v < text.size() && isBlank(text[v]))
            ++v;
        l.valueBegin = begin + v;
    }
};

std::shared_ptr<const Profile> readFile(const QString& path) {
    const QByteArray name = QFile::encodeName(path);
    // Opened without waiting: a named pipe in the INI's place would block
    // the open. Only a regular file is a profile.
    const int fd = ::open(name.constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return nullptr;
    const struct Closer {
        int fd;
        ~Closer() { ::close(fd); }
    } closer{fd};
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) return nullptr;
    ++detail::profileFileReads;
    std::optional<FileBytes> bytes = readToEnd(static_cast<size_t>(std::max<off_t>(st.st_size, 0)),
                                               [fd](char* into, size_t room) -> long long {
                                                   for (;;) {
                                                       const ssize_t got = ::read(fd, into, room);
                                                       if (got >= 0 || errno != EINTR) return got;
                                                   }
                                               });
    if (!bytes) return nullptr;
    return std::make_shared<const Profile>(std::move(bytes->block), bytes->size);
}

[[noreturn]] void cannotWrite(const QString& path) {
    raise(fillTemplate(QStringLiteral("%s に書き込めません"), QDir::toNativeSeparators(path)));
}

std::string_view cutAtLineBreak(std::string_view value) {
    // One key is one line: a line break in the value would end the key there
    // and leave the rest as a stray line, so the value ends there instead.
    if (const size_t cut = value.find_first_of(std::string_view("\r\n\0", 3));
        cut != std::string_view::npos)
        return value.substr(0, cut);
    return value;
}

std::optional<std::string> valueIn(const Profile& profile, std::string_view section,
                                   std::string_view key) {
    const Profile::Place place = profile.find(section, key);
    if (place.key.kind != Line::Key) return std::nullopt;
    std::string_view value = profile.value(place.key);
    if (const size_t nul = value.find('\0'); nul != std::string_view::npos)
        value = value.substr(0, nul);
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front())
        value = value.substr(1, value.size() - 2);
    return std::string(cutToCharacters(value, MaxValueBytes));
}

} // namespace

thread_local int detail::profileFileReads = 0;
thread_local int detail::profileFileWrites = 0;

std::optional<std::string> profileValue(std::string_view bytes, std::string_view section,
                                        std::string_view key) {
    return valueIn(Profile{std::string(bytes)}, section, key);
}

std::string profileWithValue(std::string old, std::string_view sectionBytes,
                             std::string_view keyBytes, std::string_view value) {
    return profileWithValues(
        std::move(old), {{std::string(sectionBytes), std::string(keyBytes), std::string(value)}});
}

namespace {

std::string withValues(const Profile& profile, const std::vector<ProfileEdit>& edits) {
    const std::string_view bytes = profile.bytes;
    struct NewKey {
        std::string_view key, value;
    };
    // A key given twice keeps its first spelling and its last value, as
    // writing the keys one after the other would.
    const auto put = [](std::vector<NewKey>& keys, std::string_view key, std::string_view value) {
        for (NewKey& k : keys)
            if (sameName(k.key, key)) {
                k.value = value;
                return;
            }
        keys.push_back({key, value});
    };
    // Both by where the line starts in the file.
    std::map<size_t, std::pair<Line, std::string_view>> replaced;      // key line, new value
    std::map<size_t, std::pair<Line, std::vector<NewKey>>> addedAfter; // line, keys after it
    struct NewSection {
        std::string_view name;
        std::vector<NewKey> keys;
    };
    std::vector<NewSection> appended;
    for (const ProfileEdit& e : edits) {
        const std::string_view value = cutAtLineBreak(e.value);
        const Profile::Place place = profile.find(e.section, e.key);
        if (place.key.kind == Line::Key) {
            replaced[place.key.valueBegin] = {place.key, value};
        } else if (place.found) {
            const Line& after = place.lastKey.kind == Line::Key ? place.lastKey : place.header;
            auto& [line, keys] = addedAfter[after.next];
            line = after;
            put(keys, e.key, value);
        } else {
            auto s = std::find_if(appended.begin(), appended.end(),
                                  [&](const NewSection& n) { return sameName(n.name, e.section); });
            if (s == appended.end()) s = appended.insert(appended.end(), {e.section, {}});
            put(s->keys, e.key, value);
        }
    }

    // The changes in the order of their places in the file; none overlap: a
    // value ends before its line break, and keys are added after one.
    struct Splice {
        size_t from, to;
        std::string text;
    };
    std::vector<Splice> splices;
    size_t added = 0;
    for (const auto& [at, change] : replaced) {
        const auto& [l, value] = change;
        splices.push_back({l.valueBegin, l.end, std::string(value)});
        added += value.size();
    }
    for (const auto& [at, change] : addedAfter) {
        const auto& [l, keys] = change;
        std::string text = l.next == l.end ? "\r\n" : "";
        for (const NewKey& k : keys)
            text.append(k.key).append("=").append(k.value).append("\r\n");
        added += text.size();
        splices.push_back({l.next, l.next, std::move(text)});
    }
    for (const NewSection& n : appended) {
        added += n.name.size() + 6;
        for (const NewKey& k : n.keys)
            added += k.key.size() + k.value.size() + 3;
    }
    std::sort(splices.begin(), splices.end(),
              [](const Splice& a, const Splice& b) { return a.from < b.from; });
    // Room for all of it at once: a large file is copied once, not once per
    // doubling.
    std::string out;
    out.reserve(bytes.size() + added);
    size_t done = 0;
    for (const Splice& sp : splices) {
        out.append(bytes.substr(done, sp.from - done));
        out.append(sp.text);
        done = sp.to;
    }
    out.append(bytes.substr(done));
    for (const NewSection& n : appended) {
        if (!out.empty() && out.back() != '\n' && out.back() != '\r') out += "\r\n";
        out.append("[").append(n.name).append("]\r\n");
        for (const NewKey& k : n.keys)
            out.append(k.key).append("=").append(k.value).append("\r\n");
    }
    return out;
}

namespace {
// What tells one state of the file from another without reading it.
struct Stamp {
    bool exists = false, isFile = false;
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    long long modifiedNs = 0;
    bool operator==(const Stamp&) const = default;
};
Stamp stampOf(const QString& path) {
    Stamp s;
    const QByteArray name = QFile::encodeName(path);
    struct stat st {};
    // A link that leads nowhere (or round in a loop) is something too:
    // replacing it with a file would not write where it points.
    if (::stat(name.constData(), &st) != 0) {
        s.exists = ::lstat(name.constData(), &st) == 0;
        return s;
    }
    s.exists = true;
    s.isFile = S_ISREG(st.st_mode);
    s.device = st.st_dev;
    s.inode = st.st_ino;
    s.size = st.st_size;
    s.modifiedNs = static_cast<long long>(st.st_mtim.tv_sec) * 1000000000LL + st.st_mtim.tv_nsec;
    return s;
}
} // namespace

// The file this thread wrote last, as it wrote it. An object made for it
// next (the next window, the next command) starts from these bytes, without
// reading and splitting them again, as long as the file keeps the stamp the
// write left: another writer's file has another inode, size or time.
struct Written {
    Stamp stamp;
    std::shared_ptr<const Profile> profile;
};
thread_local Written lastWritten;

} // namespace

std::string profileWithValues(std::string old, const std::vector<ProfileEdit>& edits) {
    return withValues(Profile(std::move(old)), edits);
}

// The file as this object last read or wrote it: every read still sees the
// file as it is now, since a file whose stamp changed is read again, but a
// large file is not read once per key.
struct ProfileIni::Cache {
    Stamp stamp;
    std::shared_ptr<const Profile> profile; // a regular file that could be read whole
    // A file changed within the last moments may change again within the
    // same tick of the file system's clock, keeping its stamp: such a read is
    // not trusted to stand for the file on the next read.
    bool trusted = false;
};

ProfileIni::ProfileIni(QString path) : path_(std::move(path)) {}
ProfileIni::~ProfileIni() = default;

const ProfileIni::Cache& ProfileIni::cache() const {
    const Stamp now = stampOf(path_);
    if (!cache_ || !cache_->trusted || cache_->stamp != now) {
        cache_ = std::make_unique<Cache>();
        cache_->stamp = now;
        if (now.isFile && lastWritten.profile && lastWritten.stamp == now) {
            cache_->profile = lastWritten.profile;
            cache_->trusted = true; // its bytes are the ones this thread wrote
        } else {
            const long long ageNs =
                QDateTime::currentMSecsSinceEpoch() * 1000000LL - now.modifiedNs;
            cache_->trusted = ageNs > 2000000000LL;
            if (now.isFile) cache_->profile = readFile(path_);
        }
    }
    return *cache_;
}

std::string ProfileIni::readString(const QString& section, const QString& key,
                                   std::string_view def) const {
    const Cache& c = cache();
    if (!c.profile) return std::string(def);
    return valueIn(*c.profile, toSjis(section), toSjis(key)).value_or(std::string(def));
}

int ProfileIni::readInteger(const QString& section, const QString& key, int def) const {
    // An empty text never parses, so a missing key gives `def` as well.
    const std::string text = readString(section, key, std::string_view());
    return parseInteger(text).value_or(def);
}

bool ProfileIni::readBool(const QString& section, const QString& key, bool def) const {
    return readInteger(section, key, def ? 1 : 0) != 0;
}

void ProfileIni::writeString(const QString& section, const QString& key, std::string_view value) {
    ProfileEdit edit{toSjis(section), toSjis(key), std::string(value)};
    if (pending_)
        pending_->push_back(std::move(edit));
    else
        commit({std::move(edit)});
}

void ProfileIni::writeInteger(const QString& section, const QString& key, int value) {
    writeString(section, key, std::to_string(value));
}

void ProfileIni::writeBool(const QString& section, const QString& key, bool value) {
    writeString(section, key, value ? "1" : "0");
}

void ProfileIni::batch(const std::function<void()>& writes) {
    if (pending_) { // already gathering: the outer batch writes these too
        writes();
        return;
    }
    std::vector<ProfileEdit> edits;
    pending_ = &edits;
    try {
        writes();
    } catch (...) {
        pending_ = nullptr;
        throw;
    }
    pending_ = nullptr;
    if (!edits.empty()) commit(std::move(edits));
}

void ProfileIni::commit(std::vector<ProfileEdit> edits) {
    const Cache& c = cache();
    // Never replace a file that we could not read whole, nor one that is
    // marked read-only: renaming over it would defeat the protection.
    if (c.stamp.exists && !(c.stamp.isFile && c.profile && mayWrite(path_))) cannotWrite(path_);
    std::string out = c.profile ? withValues(*c.profile, edits) : profileWithValues({}, edits);
    const QString failure =
        fillTemplate(QStringLiteral("%s に書き込めません"), QDir::toNativeSeparators(path_));
    writeWholeFile(path_, out, {failure, failure});
    ++detail::profileFileWrites;
    // What is on disk now; the next read or write starts from it without a read.
    cache_ = std::make_unique<Cache>();
    cache_->stamp = stampOf(path_);
    cache_->trusted = true; // its bytes are the ones just written
    cache_->profile = std::make_shared<const Profile>(std::move(out));
    lastWritten = {cache_->stamp, cache_->profile};
}

} // namespace sorami
