#include "startup/SingleInstance.h"

SingleInstance::SingleInstance(const QString& dataDirectory)
    : lock_(dataDirectory + QStringLiteral("/RX.mdb.lock")) {
    // Never stale by age: only a lock whose process is gone is taken over.
    lock_.setStaleLockTime(0);
}

SingleInstance::Result SingleInstance::acquire() {
    if (lock_.isLocked()) return Result::Acquired;
    if (lock_.tryLock(0)) return Result::Acquired;
    return lock_.error() == QLockFile::LockFailedError ? Result::HeldByAnother : Result::Unavailable;
}

void SingleInstance::release() { lock_.unlock(); }
