#include "single_instance.h"

#include <QDir>
#include <QFile>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace sorami {

QString SingleInstanceLock::lockFilePath(const QString& name) {
    // One lock per user, as a named object of a desktop session is.
    QString dir = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (dir.isEmpty() || !QDir(dir).exists()) dir = QDir::tempPath();
    return QDir(dir).filePath(QStringLiteral("%1-%2.lock").arg(name).arg(getuid()));
}

SingleInstanceLock::SingleInstanceLock(const QString& name) : name_(name) {}

SingleInstanceLock::~SingleInstanceLock() {
    release();
}

bool SingleInstanceLock::heldElsewhere(const QString& name) {
    const QByteArray path = QFile::encodeName(lockFilePath(name));
    const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false; // never created: nobody holds it
    const bool busy = ::flock(fd, LOCK_SH | LOCK_NB) != 0 && errno == EWOULDBLOCK;
    ::close(fd); // closing drops our shared lock, if we got one
    return busy;
}

bool SingleInstanceLock::acquire() {
    if (fd_ >= 0) return true;
    const QByteArray path = QFile::encodeName(lockFilePath(name_));
    const int fd = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) return true; // no place for a lock: let the program run rather than refuse it
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return false;
    }
    fd_ = fd;
    return true;
}

void SingleInstanceLock::release() {
    if (fd_ < 0) return;
    ::flock(fd_, LOCK_UN);
    ::close(fd_);
    fd_ = -1;
}

} // namespace sorami
