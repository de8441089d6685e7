#pragma once
// The commands of srmtool, callable without a process: arguments in,
// output and messages into streams, the exit code back.

#include "tool_chart.h"
#include "tool_text.h"

#include <QFile>
#include <QStringList>
#include <ostream>

namespace sorami::tool {

enum ExitCode { Clean = 0, Findings = 1, Unreadable = 2 };

// `args` without the program name. `png` draws PNG charts; without it only
// SVG charts can be made.
int runTool(const QStringList& args, std::ostream& out, std::ostream& err, const Lang& lang,
            PngPainter png = nullptr);

// Opens a file for a command that reads it in pieces. False, with the
// reason in `why`, when the path is missing, a folder, not a regular file,
// larger than `maxBytes` (when that is not negative) or not readable.
bool openInput(const QString& path, QFile& file, QString& why, const Lang& lang, qint64 maxBytes);

// Reads a whole file for a command. Returns false, with the reason in `why`,
// when the path is missing, a folder, not a regular file or not readable.
bool readInput(const QString& path, std::string& bytes, QString& why, const Lang& lang);

} // namespace sorami::tool
