// Feeds arbitrary bytes to the readers of the file formats the programs
// open: question files, Shift-JIS display conversion and INI files (their
// rules run on bytes in memory, so thousands of inputs go through a second). Besides
// "no crash", it checks the properties the programs rely on.

#include "profile_ini.h"
#include "question_file.h"
#include "sjis_text.h"

#include <QString>
#include <cstdint>
#include <cstdlib>
#include <string>

using namespace sorami;

namespace {
void check(bool ok, const char* what) {
    if (!ok) {
        fprintf(stderr, "property broken: %s\n", what);
        abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    // Lines never hold a break or NUL, and writing then reading gives them back.
    const Lines lines = splitLines(bytes);
    for (const auto& l : lines)
        check(l.find_first_of(std::string_view("\r\n\0", 3)) == std::string::npos,
              "line holds a break");
    check(splitLines(joinLines(lines)) == lines, "write/read round trip");

    // An unedited line is written back byte for byte, whatever it holds.
    for (const auto& l : lines)
        check(toSjisKeeping(fromSjis(l), l) == l, "unedited line changed");
    const std::string reencoded = toSjis(fromSjis(bytes));
    check(fromSjis(reencoded).size() <= fromSjis(bytes).size(), "re-encoding grew the text");

    // Any content can be read as an INI, and a written key reads back with
    // every other key as it was. The profile rules run in memory: the file
    // itself is only read and written whole.
    const std::string fileSection = sjis("問題ファイル名"), numberSection = sjis("問題番号");
    const std::string before = std::string(bytes);
    const auto oldNumber = profileValue(before, numberSection, "PProblemNum");
    const std::string value = "v" + std::to_string(size);
    const std::string written = profileWithValue(before, fileSection, "PFileName", value);
    check(profileValue(written, fileSection, "PFileName") == value, "INI write/read");
    check(profileValue(written, numberSection, "PProblemNum") == oldNumber,
          "INI write changed another key");
    const std::string again = profileWithValue(written, numberSection, "PProblemNum", "-7");
    check(profileValue(again, numberSection, "PProblemNum") == std::optional<std::string>("-7"),
          "INI integer write/read");
    check(profileValue(again, fileSection, "PFileName") == value,
          "INI second write lost the first");
    return 0;
}
