#pragma once
// What srmtool's tests share: English messages, bytes between Qt and the
// standard library, and a command run as a function.

#include "tool_commands.h"

#include <QByteArray>
#include <sstream>
#include <string>

namespace sorami::tool::test {

inline const Lang english{false};

inline std::string bytesOf(const QByteArray& a) {
    return std::string(a.constData(), static_cast<size_t>(a.size()));
}

inline QByteArray arrayOf(const std::string& s) {
    return QByteArray(s.data(), static_cast<qsizetype>(s.size()));
}

// Exit status of `srmtool ARGS`, with what it wrote to stdout and stderr.
inline int run(const QStringList& args, std::string* out = nullptr, std::string* err = nullptr) {
    std::ostringstream o, e;
    const int code = runTool(args, o, e, english);
    if (out) *out = o.str();
    if (err) *err = e.str();
    return code;
}

} // namespace sorami::tool::test
