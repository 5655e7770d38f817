#include "store/BlankDatabase.h"

#include <fcntl.h>
#include <unistd.h>

#include <QAtomicInt>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryFile>
#include <cstdio>

#include "store/SampleLogo.h"
#include "store/Schema.h"

namespace {

bool buildInto(const QString& file) {
    static QAtomicInt counter;
    const QString name = QStringLiteral("korvane-blank-%1").arg(counter.fetchAndAddRelaxed(1));
    bool done = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(file);
        if (db.open()) {
            QSqlQuery q(db);
            done = q.exec(QStringLiteral("PRAGMA journal_mode=DELETE")) && db.transaction();
            const QStringList script =
                Schema::statements(QStringLiteral(":/store/schema.sql")) + Schema::statements(QStringLiteral(":/store/seed.sql"));
            for (const QString& statement : script) {
                if (!done) break;
                // Only the seed's logo row takes a value.
                if (statement.contains(QLatin1Char('?'))) {
                    done = q.prepare(statement);
                    q.addBindValue(sampleLogoJpeg());
                    done = done && q.exec();
                } else {
                    done = q.exec(statement);
                }
            }
            done = done && db.commit();
            done = done && q.exec(QStringLiteral("PRAGMA journal_mode=WAL"));
            q.finish();
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(name);
    return done;
}

bool syncPath(const QString& path, int flags) {
    const int fd = ::open(QFile::encodeName(path).constData(), flags);
    if (fd < 0) return false;
    const bool ok = ::fsync(fd) == 0;
    ::close(fd);
    return ok;
}

}  // namespace

bool replaceFile(const QString& from, const QString& to) {
    if (std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) != 0) return false;
    syncPath(QFileInfo(to).absolutePath(), O_RDONLY | O_DIRECTORY);
    return true;
}

bool writeBlankDatabase(const QString& path) {
    const QFileInfo target(path);
    QTemporaryFile temp(target.absolutePath() + QStringLiteral("/.RX.mdb.new-XXXXXX"));
    if (!temp.open()) return false;
    const QString tempPath = temp.fileName();
    temp.close();

    const bool built = buildInto(tempPath) && syncPath(tempPath, O_RDWR);
    QFile::remove(tempPath + QStringLiteral("-journal"));
    QFile::remove(tempPath + QStringLiteral("-wal"));
    QFile::remove(tempPath + QStringLiteral("-shm"));
    if (!built || !replaceFile(tempPath, target.absoluteFilePath())) return false;
    temp.setAutoRemove(false);
    return true;
}
