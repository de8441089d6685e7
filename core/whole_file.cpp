#include "whole_file.h"

#include "sorami_error.h"

#include <QFileInfo>
#include <QSaveFile>
#include <unistd.h>

namespace sorami {

bool mayWrite(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists() || !info.isWritable()) return false;
    if (geteuid() != 0) return true;
    return (info.permissions() & (QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther)) != 0;
}

void writeWholeFile(const QString& path, std::string_view bytes, const WholeFileErrors& errors,
                    DirectWrite direct) {
    const QFileInfo info(path);
    if (info.exists() && (!info.isFile() || !mayWrite(path))) raise(errors.cannotCreate);
    QSaveFile f(path);
    f.setDirectWriteFallback(direct == DirectWrite::WhenFolderIsReadOnly);
    if (!f.open(QIODevice::WriteOnly)) raise(errors.cannotCreate);
    const auto failed = [&] {
        const QString why = errors.writeFailed.isEmpty() ? f.errorString() : errors.writeFailed;
        f.cancelWriting();
        raise(why);
    };
    // QSaveFile buffers: a full disk may show only when the buffer goes out,
    // and commit() would still rename a cut-off file over the good one.
    const auto size = static_cast<qint64>(bytes.size());
    if (f.write(bytes.data(), size) != size) failed();
    if (!f.flush() || f.error() != QFileDevice::NoError) failed();
    if (detail::beforeRenameForTesting) detail::beforeRenameForTesting();
    if (!f.commit()) raise(errors.writeFailed.isEmpty() ? f.errorString() : errors.writeFailed);
}

} // namespace sorami
