#pragma once
// The memo notebook's files and settings, apart from its window: reading a
// memo file in either mode, writing one whole, the memo INI, and what the
// memo module keeps for the whole run.

#include "colour.h"
#include "rich_text.h"

#include <QString>
#include <string>

namespace sorami {

// How files are read and written; the text in the box keeps its formatting
// whichever mode is chosen.
enum class MemoMode { Rich, Plain };

// Reads a memo file. In rich mode a file that is not RTF is read again as
// plain text. A file that cannot be read throws SoramiError; text past the
// memo's limit is cut and the document marked truncated.
rich::Document readMemoFile(const QString& path, MemoMode mode);

// Writes the whole file through the whole-file writer: on failure the old
// file stays as it was and SoramiError says so.
void writeMemoFile(const QString& path, const rich::Document& doc, MemoMode mode);

// The five keys of the memo INI; -1 (or "-1") keeps the design value.
struct MemoSettings {
    ColourValue background = -1;
    std::string faceName = "-1"; // Shift-JIS bytes
    int size = -1;               // points
    ColourValue fontColour = -1;
    bool plainText = true;
};

QString memoIniPath();
MemoSettings readMemoSettings(const QString& iniPath);
// Writes the keys in order; the first that fails throws and the rest stay unwritten.
void writeMemoSettings(const QString& iniPath, const MemoSettings& settings);

// What the memo module keeps for the whole run, whatever windows come and go.
struct MemoModule {
    QString memoFilePath;    // the file last opened or saved under a name
    int bulletToggle = 0;    // the bullet command alternates across windows
    int findDialogOpens = 0; // decides where a search starts
};
MemoModule& memoModule();

// The sixteen background colours of the colour list, in its order.
struct NamedColour {
    const char* name; // UTF-8
    ColourValue value;
};
inline constexpr NamedColour BackgroundColours[] = {
    {"栗色", 0x000080}, {"緑色", 0x008000}, {"黄緑", 0x008080}, {"濃紺", 0x800000},
    {"紫色", 0x800080}, {"暗青", 0x808000}, {"灰色", 0x808080}, {"銀色", 0xC0C0C0},
    {"赤色", 0x0000FF}, {"濃緑", 0x00FF00}, {"黄色", 0x00FFFF}, {"青色", 0xFF0000},
    {"赤紫", 0xFF00FF}, {"水色", 0xFFFF00}, {"白色", 0xFFFFFF}, {"黒色", 0x000000},
};

} // namespace sorami
