#include "question_file.h"

#include "sorami_error.h"
#include "whole_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstring>

namespace sorami {

Lines splitLines(std::string_view bytes) {
    if (const auto nul = bytes.find('\0'); nul != std::string_view::npos)
        bytes = bytes.substr(0, nul);
    Lines lines;
    // Questions run to about 40 bytes a line; one guess saves the regrowing.
    lines.reserve(bytes.size() / 32 + 1);
    const char* const begin = bytes.data();
    const char* const end = begin + bytes.size();
    const char* p = begin;
    while (p < end) {
        // memchr runs many bytes at a time; a lone CR is looked for only
        // within the line that an LF ends.
        const char* lf = static_cast<const char*>(std::memchr(p, '\n', size_t(end - p)));
        const char* stop = lf ? lf : end;
        const char* cr = static_cast<const char*>(std::memchr(p, '\r', size_t(stop - p)));
        if (cr && cr + 1 < stop) { // a CR that ends a line of its own
            lines.emplace_back(p, size_t(cr - p));
            p = cr + 1;
        } else if (cr) { // CR LF, or a CR as the very last byte
            lines.emplace_back(p, size_t(cr - p));
            p = lf ? lf + 1 : end;
        } else if (lf) {
            lines.emplace_back(p, size_t(lf - p));
            p = lf + 1;
        } else {
            lines.emplace_back(p, size_t(end - p));
            p = end;
        }
    }
    return lines;
}

std::string joinLines(const Lines& lines) {
    size_t total = 0;
    for (const auto& l : lines)
        total += l.size() + 2;
    std::string out;
    out.reserve(total);
    for (const auto& l : lines) {
        out += l;
        out += "\r\n";
    }
    return out;
}

Lines readQuestionFile(const QString& path) {
    return readQuestionFile(path, nullptr);
}

Lines readQuestionFile(const QString& path, long long* nulOffset) {
    // Only a regular file is read: opening a named pipe would block until
    // someone writes to it, and a device like /dev/zero never ends.
    QFile f(path);
    if (!QFileInfo(path).isFile() || !f.open(QIODevice::ReadOnly))
        raise(fillTemplate(QStringLiteral("ﾌｧｲﾙ %s は開けません"), QDir::toNativeSeparators(path)));
    const QByteArray data = f.readAll();
    if (f.error() != QFileDevice::NoError)
        raise(fillTemplate(QStringLiteral("ﾌｧｲﾙ %s は開けません"), QDir::toNativeSeparators(path)));
    const std::string_view bytes(data.constData(), static_cast<size_t>(data.size()));
    if (nulOffset) {
        const auto nul = bytes.find('\0');
        *nulOffset = nul == std::string_view::npos ? -1 : static_cast<long long>(nul);
    }
    return splitLines(bytes);
}

void writeQuestionFile(const QString& path, const Lines& lines) {
    writeWholeFile(
        path, joinLines(lines),
        {fillTemplate(QStringLiteral("ﾌｧｲﾙ %s を作成できません"), QDir::toNativeSeparators(path)),
         {}});
}

int countMarked(const Lines& lines) {
    int n = 0;
    const size_t triples = lines.size() / 3;
    for (size_t k = 0; k < triples; ++k)
        if (isMarked(lines[k * 3])) ++n;
    return n;
}

QString questionFileFilter() {
    return QStringLiteral("ソラミ君データ(*.lko)|*.lko|ソラミ君データ(*.sra)|*.sra|"
                          "ﾃｷｽﾄﾌｧｲﾙ   (*.txt)|*.txt|ある特定ﾌｧｲﾙ(*.qvd)|*.qvd|"
                          "すべてのﾌｧｲﾙ(*.*)|*.*");
}

} // namespace sorami
