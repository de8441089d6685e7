#include "file_stamp.h"

#include <QCryptographicHash>
#include <QFile>
#include <sys/stat.h>

namespace sorami {

namespace {

QByteArray hashOf(std::string_view bytes) {
    return QCryptographicHash::hash(QByteArrayView(bytes.data(), qsizetype(bytes.size())),
                                    QCryptographicHash::Sha1);
}

qint64 nanoseconds(const struct stat& st) {
    return qint64(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
}

} // namespace

FileStamp stampOf(int fd, std::string_view bytes) {
    struct stat st = {};
    if (::fstat(fd, &st) != 0) return {};
    return {qint64(st.st_size), nanoseconds(st), hashOf(bytes)};
}

FileStamp stampOf(const QString& path, std::string_view bytes) {
    struct stat st = {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0) return {};
    return {qint64(st.st_size), nanoseconds(st), hashOf(bytes)};
}

bool changedSince(const QString& path, const FileStamp& stamp) {
    if (stamp.isNull()) return false;
    struct stat st = {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
    if (qint64(st.st_size) != stamp.size) return true;
    if (nanoseconds(st) == stamp.modifiedNs) return false;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return false;
    QCryptographicHash hash(QCryptographicHash::Sha1);
    if (!hash.addData(&f)) return false;
    return hash.result() != stamp.hash;
}

} // namespace sorami
