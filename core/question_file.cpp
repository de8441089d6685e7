#include "question_file.h"

#include "sorami_error.h"
#include "whole_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace sorami {

Lines splitLines(std::string_view bytes) {
    if (const auto nul = bytes.find('\0'); nul != std::string_view::npos)
        bytes = bytes.substr(0, nul);
    Lines lines;
    size_t start = 0;
    const size_t n = bytes.size();
    size_t i = 0;
    while (i < n) {
        const char c = bytes[i];
        if (c == '\r' || c == '\n') {
            lines.emplace_back(bytes.substr(start, i - start));
            i += (c == '\r' && i + 1 < n && bytes[i + 1] == '\n') ? 2 : 1;
            start = i;
        } else {
            ++i;
        }
    }
    if (start < n) lines.emplace_back(bytes.substr(start));
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
    // Only a regular file is read: opening a named pipe would block until
    // someone writes to it, and a device like /dev/zero never ends.
    QFile f(path);
    if (!QFileInfo(path).isFile() || !f.open(QIODevice::ReadOnly))
        raise(fillTemplate(QStringLiteral("ﾌｧｲﾙ %s は開けません"), QDir::toNativeSeparators(path)));
    const QByteArray data = f.readAll();
    if (f.error() != QFileDevice::NoError)
        raise(fillTemplate(QStringLiteral("ﾌｧｲﾙ %s は開けません"), QDir::toNativeSeparators(path)));
    return splitLines(std::string_view(data.constData(), static_cast<size_t>(data.size())));
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
