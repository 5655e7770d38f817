#pragma once

#include <QSqlDatabase>
#include <QString>
#include <QVariant>
#include <QVariantList>

#include "store/RecordSet.h"

class Transaction;

// The one connection to RX.mdb. Every user text goes in as a bound value.
class Database {
public:
    explicit Database(QString connectionName = QStringLiteral("korvane"));
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    // Opens an existing Korvane database; anything else (missing, empty, damaged, another
    // program's file) fails and the file is left as it was.
    bool open(const QString& path);
    void close();
    bool isOpen() const;
    QString path() const { return path_; }
    QString lastError() const { return lastError_; }

    RecordSet query(const QString& sql, const QVariantList& values = {});
    bool execute(const QString& sql, const QVariantList& values = {});
    // The ID given to the row of the last successful INSERT.
    qint64 lastInsertId() const { return lastInsertId_; }
    // How many rows the last successful statement changed.
    int changedRows() const { return changedRows_; }
    Transaction transaction();

    QSqlDatabase handle() const;

private:
    bool probe();

    QString connectionName_;
    QString path_;
    QString lastError_;
    qint64 lastInsertId_ = 0;
    int changedRows_ = 0;
};
