// Feeds arbitrary bytes to the readers of the file formats the programs
// open: question files, Shift-JIS display conversion and INI files. Besides
// "no crash", it checks the properties the programs rely on.

#include "profile_ini.h"
#include "question_file.h"
#include "sjis_text.h"

#include <QDir>
#include <QFile>
#include <QString>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <unistd.h>

using namespace sorami;

namespace {
void check(bool ok, const char* what) {
    if (!ok) {
        fprintf(stderr, "property broken: %s\n", what);
        abort();
    }
}

QString scratchIni() {
    static const QString path =
        QDir::temp().filePath(QStringLiteral("sorami-fuzz-%1.ini").arg(getpid()));
    return path;
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

    // Any file content can be read as an INI, and a written key reads back.
    const QString path = scratchIni();
    {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) return 0;
        f.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
    }
    ProfileIni ini(path);
    (void)ini.readString(QStringLiteral("問題ファイル名"), QStringLiteral("PFileName"), "-1");
    (void)ini.readInteger(QStringLiteral("問題番号"), QStringLiteral("PProblemNum"), -1);
    const std::string value = "v" + std::to_string(size);
    ini.writeString(QStringLiteral("問題ファイル名"), QStringLiteral("PFileName"), value);
    check(ini.readString(QStringLiteral("問題ファイル名"), QStringLiteral("PFileName"), "-1") ==
              value,
          "INI write/read");
    ini.writeInteger(QStringLiteral("問題番号"), QStringLiteral("PProblemNum"), -7);
    check(ini.readInteger(QStringLiteral("問題番号"), QStringLiteral("PProblemNum"), 0) == -7,
          "INI integer write/read");
    return 0;
}
