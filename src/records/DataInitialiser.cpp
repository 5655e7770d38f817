#include "records/DataInitialiser.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include "store/BlankDatabase.h"
#include "store/Database.h"

bool DataInitialiser::backUp(const QString& backupPath) {
    const QFileInfo target(backupPath);
    // A backup over the live file would be lost with it.
    if (target.absoluteFilePath() == QFileInfo(db_.path()).absoluteFilePath()) return false;
    QString tempPath;
    {
        // VACUUM INTO wants a name that does not exist yet.
        QTemporaryFile temp(target.absolutePath() + QStringLiteral("/.") + target.fileName() + QStringLiteral(".XXXXXX"));
        if (!temp.open()) return false;
        tempPath = temp.fileName();
    }
    if (!db_.execute(QStringLiteral("VACUUM INTO ?"), {tempPath})) {
        QFile::remove(tempPath);
        return false;
    }
    if (!replaceFile(tempPath, target.absoluteFilePath())) {
        QFile::remove(tempPath);
        return false;
    }
    return true;
}

DataInitialiser::Result DataInitialiser::run(const QString& backupPath) {
    const QString path = db_.path();
    if (!backUp(backupPath)) return Result::BackupFailed;
    // Closed first, so its last writes land in the old file before the new one takes its name.
    db_.close();
    if (!writeBlankDatabase(path)) {
        db_.open(path);
        return Result::ReplaceFailed;
    }
    // A journal the old file left behind must not be replayed into the new one.
    QFile::remove(path + QStringLiteral("-wal"));
    QFile::remove(path + QStringLiteral("-shm"));
    return Result::Done;
}
