#pragma once

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>

// Another program that holds the database open with a write still in its journal, until close().
class JournalHolder {
public:
    explicit JournalHolder(const QString& databasePath) {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name_);
        db.setDatabaseName(databasePath);
        if (!db.open()) return;
        QSqlQuery q(db);
        written_ = q.exec(QStringLiteral("PRAGMA wal_autocheckpoint=0")) &&
                   q.exec(QStringLiteral("INSERT INTO 商品名称 (名称, 单价) VALUES ('旧的', '1.00')"));
    }
    ~JournalHolder() { close(); }
    JournalHolder(const JournalHolder&) = delete;
    JournalHolder& operator=(const JournalHolder&) = delete;

    bool written() const { return written_; }
    void close() {
        if (open_) QSqlDatabase::removeDatabase(name_);
        open_ = false;
    }

private:
    const QString name_ = QStringLiteral("another program");
    bool written_ = false;
    bool open_ = true;
};
