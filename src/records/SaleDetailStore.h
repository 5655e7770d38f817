#pragma once

#include <QString>

class Database;

// The stored lines of one receipt. Every change to a line recomputes the receipt's quantity and
// amount from its lines in the same transaction, so the two never disagree.
class SaleDetailStore {
public:
    struct Line {
        QString name;
        QString quantity;
        QString price;       // money text
        QString amount;      // money text
        QString discounted;  // money text
        QString note;
    };

    SaleDetailStore(Database& db, qint64 recordId) : db_(db), recordId_(recordId) {}

    // Amount and discounted amount as the counter computes them.
    static Line makeLine(const QString& name, const QString& quantity, const QString& price, bool discount,
                         const QString& rate, const QString& note);

    // The new line's ID, 0 on failure.
    qint64 add(const Line& line);
    bool modify(qint64 lineId, const Line& line);
    bool remove(qint64 lineId);

private:
    bool recomputeReceipt();

    Database& db_;
    qint64 recordId_;
};
