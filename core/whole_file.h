#pragma once
// Every rewrite of a whole file (question files, INI files, starting the
// score file anew, memo files) goes through here: the bytes go to a
// temporary file beside the target, every write and the final flush are
// checked, and only then is the temporary file renamed over the old one.
// Any failure cancels the write, so the old file stays as it was, and
// throws SoramiError with the caller's message.

#include <QString>
#include <functional>
#include <string_view>

namespace sorami {

// Whether the learner may write to `path` (a file or a folder): the system's
// answer, and for root, whom the system lets write anywhere, the write bits
// of its mode, so that a file or folder marked read-only stays so for root.
bool mayWrite(const QString& path);

struct WholeFileErrors {
    QString cannotCreate; // the file cannot be opened for writing
    QString writeFailed;  // a write, the flush or the rename failed; empty: the system's own text
};

enum class DirectWrite {
    Never,
    // A writable file in a folder that takes no new files is overwritten in
    // place instead of refused. The old content cannot survive a failure then.
    WhenFolderIsReadOnly,
};

// Writes `bytes` as the whole content of `path`. An existing file that is
// read-only is refused with `cannotCreate`: renaming a new file over it
// would quietly defeat the protection.
void writeWholeFile(const QString& path, std::string_view bytes, const WholeFileErrors& errors,
                    DirectWrite direct = DirectWrite::Never);

namespace detail {
// Runs after the last write, before the new file is renamed over the old
// one: a test makes the rename fail there, as a failing disk would.
inline std::function<void()> beforeRenameForTesting;
} // namespace detail

} // namespace sorami
