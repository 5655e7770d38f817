#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QVariantList>

struct SqlStatement {
    QString sql;
    QVariantList values;
};

// What the query dialog asks for. Only checked conditions take part.
struct SalesQueryConditions {
    QDate from;
    QDate to;
    bool useQuantity = false;
    QString quantity;
    bool useAmount = false;
    QString amount;
    bool useCashier = false;
    QString cashier;
    bool exact = false;
};

class Database;

// Sales from 00:00:00 of the first date to 23:59:59 of the second. Fuzzy: any checked condition
// contains its text (the amount in money form); exact: every checked condition equals it.
// wideRange asks for a statement that suits a range holding most of the sales; the rows are the same.
SqlStatement salesQueryStatement(const SalesQueryConditions& conditions, bool wideRange = false);
// Whether the range of the conditions likely holds more than half of the stored sales.
bool rangeHoldsMostSales(Database& db, const SalesQueryConditions& conditions);
// Today's sales up to now, newest first.
SqlStatement todaysSalesStatement(const QDateTime& now);
// Receipts whose number contains the fragment, taken literally (% and _ included).
SqlStatement receiptNumberSearchStatement(const QString& fragment);
// A LIKE pattern for "contains text"; used with ESCAPE '\'.
QString containsPattern(const QString& text);
