#pragma once
// What a file was when a program read or wrote it: its size, its time of
// change and a hash of its bytes. Before a rewrite the program compares the
// file with it, so what another program wrote meanwhile (a text editor, an
// import) is never overwritten unasked.

#include <QByteArray>
#include <QString>
#include <string_view>

namespace sorami {

struct FileStamp {
    qint64 size = -1; // -1: no stamp
    qint64 modifiedNs = 0;
    QByteArray hash; // SHA-1 of the bytes
    bool isNull() const { return size < 0; }
    bool operator==(const FileStamp&) const = default;
};

// The stamp of `bytes`, read from or written to the file whose descriptor
// is `fd` (its size and time come from the file itself).
FileStamp stampOf(int fd, std::string_view bytes);
// The stamp of `bytes` just written to `path`.
FileStamp stampOf(const QString& path, std::string_view bytes);

// Whether the file at `path` holds other bytes than `stamp` says. The same
// size and time count as the same file without reading it; the same bytes
// under a new time (a file touched or saved unchanged) are no change. A file
// that is gone, or a null stamp, is no change either: nothing would be
// overwritten.
bool changedSince(const QString& path, const FileStamp& stamp);

} // namespace sorami
