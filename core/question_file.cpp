#include "question_file.h"

#include "sorami_error.h"
#include "whole_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cstring>
#include <memory>

namespace sorami {

Lines splitLines(std::string_view bytes) {
    ByteBlock block(bytes.size());
    if (!bytes.empty()) std::memcpy(block.data(), bytes.data(), bytes.size());
    return Lines::cut(std::move(block), bytes.size());
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

Lines readQuestionFile(const QString& path, long long* nulOffset, FileStamp* stamp) {
    // Only a regular file is read: opening a named pipe would block until
    // someone writes to it, and a device like /dev/zero never ends.
    const auto cannotOpen = [&] {
        raise(fillTemplate(QStringLiteral("ﾌｧｲﾙ %s は開けません"), QDir::toNativeSeparators(path)));
    };
    QFile f(path);
    if (!QFileInfo(path).isFile() || !f.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        cannotOpen();
    // The bytes go straight into the block the lines will point into.
    std::optional<FileBytes> bytes =
        readToEnd(static_cast<size_t>(std::max<qint64>(f.size(), 0)),
                  [&f](char* into, size_t room) { return f.read(into, qint64(room)); });
    if (!bytes) cannotOpen();
    const ByteBlock& block = bytes->block;
    const size_t size = bytes->size;
    if (stamp) *stamp = stampOf(f.handle(), std::string_view(block.data(), size));
    if (nulOffset) {
        const void* nul = std::memchr(block.data(), '\0', size);
        *nulOffset = nul ? static_cast<const char*>(nul) - block.data() : -1;
    }
    return Lines::cut(std::move(bytes->block), size);
}

FileStamp writeQuestionFile(const QString& path, const Lines& lines) {
    const std::string bytes = joinLines(lines);
    writeWholeFile(
        path, bytes,
        {fillTemplate(QStringLiteral("ﾌｧｲﾙ %s を作成できません"), QDir::toNativeSeparators(path)),
         {}});
    return stampOf(path, bytes);
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
