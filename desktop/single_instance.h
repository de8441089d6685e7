#pragma once
// The named lock that keeps a second copy of the drill from starting. It is
// an advisory lock on a file in the user's runtime directory, so the system
// releases it whenever the process ends, even by a crash or kill -9.

#include <QString>

namespace sorami {

class SingleInstanceLock {
public:
    explicit SingleInstanceLock(const QString& name);
    ~SingleInstanceLock();
    SingleInstanceLock(const SingleInstanceLock&) = delete;
    SingleInstanceLock& operator=(const SingleInstanceLock&) = delete;

    // True when another process holds the lock.
    static bool heldElsewhere(const QString& name);
    // Takes the lock; false when another process holds it.
    bool acquire();
    void release();
    bool held() const { return fd_ >= 0; }

    static QString lockFilePath(const QString& name);

private:
    QString name_;
    int fd_ = -1;
};

} // namespace sorami
