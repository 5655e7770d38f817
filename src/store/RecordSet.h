#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QSqlQuery>
#include <QHash>
#include <QString>

// The rows of one SELECT, read forward only. It stands on the first row right after the query;
// a missing column, a NULL or a read past the last row gives the empty text.
class RecordSet {
public:
    RecordSet() = default;
    explicit RecordSet(QSqlQuery query);

    // False when the query itself failed.
    bool ok() const { return ok_; }
    bool isPastLast() const { return !onRow_; }
    void next();

    QString text(const QString& column) const;
    QString text(int column) const;
    // The position of a column, -1 when the result has none; for reading many rows fast.
    int columnIndex(const QString& column) const;
    qint64 integer(const QString& column) const;
    QByteArray bytes(const QString& column) const;
    QDateTime dateTime(const QString& column) const;
    QVariant value(const QString& column) const;

private:
    QSqlQuery query_;
    // Looked up once: QSqlQuery::record() builds a new record on every call.
    QHash<QString, int> columns_;
    int columnCount_ = 0;
    bool ok_ = false;
    bool onRow_ = false;
};
