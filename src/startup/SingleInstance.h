#pragma once

#include <QLockFile>
#include <QString>

// One running program per data folder, held by a lock file beside RX.mdb. A lock left by a
// crashed run is taken over.
class SingleInstance {
public:
    explicit SingleInstance(const QString& dataDirectory);

    enum class Result { Acquired, HeldByAnother, Unavailable };
    Result acquire();
    // Before this program starts its successor, so the new copy finds the folder free.
    void release();

private:
    QLockFile lock_;
};
