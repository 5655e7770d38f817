#pragma once

#include <QString>

class Database;

// Backs up the live database and puts a new blank one in its place.
class DataInitialiser {
public:
    enum class Result { Done, BackupFailed, ReplaceFailed };

    explicit DataInitialiser(Database& db) : db_(db) {}

    // The backup is a consistent copy taken through the open connection; an existing file of
    // that name is replaced only once the copy is whole. After a failure the data stay as they
    // were and the connection is open again.
    Result run(const QString& backupPath);

    // A consistent copy of the live database at backupPath, put there in one rename; never
    // over the live file itself.
    bool backUp(const QString& backupPath);

private:

    Database& db_;
};
