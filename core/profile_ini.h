#pragma once
// INI profile files as the programs' settings use them. Sections, keys and
// values are CP932 byte strings; section and key names are given as display
// text and converted here. An object reads its file once, when first asked;
// every write rewrites it whole through a temporary file, keeping every other
// line as it was, and `batch` gathers many keys into one such write.

#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sorami {

// The rules on the bytes of a profile, for the class below and for tests.
// Section and key are CP932 bytes. The value of a key as read (at most 1023
// bytes, quotes and anything after a NUL dropped); nothing when it is missing.
std::optional<std::string> profileValue(std::string_view bytes, std::string_view section,
                                        std::string_view key);
// The profile with the key set to `value` (cut at a line break), every other
// byte kept: a new key goes after its section's last key, a new section at the end.
std::string profileWithValue(std::string bytes, std::string_view section, std::string_view key,
                             std::string_view value);
// One key to set: section and key as CP932 bytes.
struct ProfileEdit {
    std::string section, key, value;
};
// The profile with every edit made, in one pass over its bytes: the same bytes
// as profileWithValue applied edit by edit, in their order.
std::string profileWithValues(std::string bytes, const std::vector<ProfileEdit>& edits);

class ProfileIni {
public:
    explicit ProfileIni(QString path);
    ~ProfileIni();
    ProfileIni(const ProfileIni&) = delete;
    ProfileIni& operator=(const ProfileIni&) = delete;
    const QString& path() const { return path_; }

    // Value of the key, at most 1023 bytes; `def` when the key or file is missing.
    std::string readString(const QString& section, const QString& key, std::string_view def) const;
    // Decimal, or hexadecimal after "0x"/"0X"; anything else gives `def`.
    int readInteger(const QString& section, const QString& key, int def) const;
    // Read as an integer: 0 is false, any other number true.
    bool readBool(const QString& section, const QString& key, bool def) const;

    // Each write throws SoramiError "%s に書き込めません" (with the INI's path)
    // when the file cannot be written; earlier writes stay, later ones do not happen.
    void writeString(const QString& section, const QString& key, std::string_view value);
    void writeInteger(const QString& section, const QString& key, int value); // signed decimal
    void writeBool(const QString& section, const QString& key, bool value);   // "1" / "0"

    // Runs `writes`, which write keys of this object, and writes them all
    // with one read and one write of the file when it returns: all of them or,
    // when the file cannot be written, none (the error is thrown then). Reads
    // inside see the file as it was.
    void batch(const std::function<void()>& writes);

private:
    struct Cache;
    const Cache& cache() const;
    void commit(std::vector<ProfileEdit> edits);

    QString path_;
    mutable std::unique_ptr<Cache> cache_;
    std::vector<ProfileEdit>* pending_ = nullptr;
};

namespace detail {
// Whole reads and writes of INI files on this thread, for tests that hold
// writing N keys to one read and one write.
extern thread_local int profileFileReads;
extern thread_local int profileFileWrites;
} // namespace detail

} // namespace sorami
