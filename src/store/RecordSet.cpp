#include "store/RecordSet.h"

#include <QSqlRecord>

#include "store/TextRules.h"

RecordSet::RecordSet(QSqlQuery query) : query_(std::move(query)), ok_(true) {
    const QSqlRecord record = query_.record();
    // Names as written and case-folded, since SQL names ignore letter case.
    for (int i = record.count() - 1; i >= 0; --i) {
        columns_.insert(record.fieldName(i), i);
        columns_.insert(record.fieldName(i).toCaseFolded(), i);
    }
    columnCount_ = record.count();
    onRow_ = query_.next();
}

int RecordSet::columnIndex(const QString& column) const {
    const auto exact = columns_.constFind(column);
    return exact != columns_.constEnd() ? exact.value() : columns_.value(column.toCaseFolded(), -1);
}

void RecordSet::next() {
    if (onRow_) onRow_ = query_.next();
}

QVariant RecordSet::value(const QString& column) const {
    if (!onRow_) return {};
    const int index = columnIndex(column);
    return index < 0 ? QVariant() : query_.value(index);
}

QString RecordSet::text(const QString& column) const {
    const QVariant v = value(column);
    return v.isNull() ? QString() : v.toString();
}

QString RecordSet::text(int column) const {
    if (!onRow_ || column < 0 || column >= columnCount_) return QString();
    const QVariant v = query_.value(column);
    return v.isNull() ? QString() : v.toString();
}

qint64 RecordSet::integer(const QString& column) const { return value(column).toLongLong(); }

QByteArray RecordSet::bytes(const QString& column) const { return value(column).toByteArray(); }

QDateTime RecordSet::dateTime(const QString& column) const {
    return parseStoredDateTime(text(column));
}
