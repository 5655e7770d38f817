#include "TestDataDir.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QVariant>

#include "store/BlankDatabase.h"

TestDataDir::TestDataDir(bool withDatabase) {
    if (withDatabase) valid_ = writeBlankDatabase(databasePath());
}

namespace {

template <typename F>
auto withConnection(const QString& path, F&& f) {
    const QString name = QStringLiteral("test-side-connection");
    decltype(f(std::declval<QSqlDatabase&>())) result{};
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        if (db.open()) {
            QSqlQuery(db).exec(QStringLiteral("PRAGMA foreign_keys=ON"));
            result = f(db);
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return result;
}

}  // namespace

bool TestDataDir::exec(const QString& sql) const {
    return withConnection(databasePath(), [&](QSqlDatabase& db) { return QSqlQuery(db).exec(sql); });
}

QString TestDataDir::scalar(const QString& sql) const {
    return withConnection(databasePath(), [&](QSqlDatabase& db) {
        QSqlQuery q(db);
        return q.exec(sql) && q.next() ? q.value(0).toString() : QString();
    });
}
