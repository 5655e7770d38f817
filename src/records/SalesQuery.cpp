#include "records/SalesQuery.h"

#include <QStringList>

#include "store/Database.h"
#include "store/NumberRules.h"
#include "store/TextRules.h"

QString containsPattern(const QString& text) {
    QString escaped = text;
    escaped.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    escaped.replace(QLatin1Char('%'), QStringLiteral("\\%"));
    escaped.replace(QLatin1Char('_'), QStringLiteral("\\_"));
    return QLatin1Char('%') + escaped + QLatin1Char('%');
}

SqlStatement salesQueryStatement(const SalesQueryConditions& conditions, bool wideRange) {
    // A box checked but left empty asks for nothing: it would match every sale in fuzzy mode
    // (and an empty amount "0.00" many) and none in exact mode.
    SalesQueryConditions c = conditions;
    c.useQuantity = c.useQuantity && !c.quantity.isEmpty();
    c.useAmount = c.useAmount && !c.amount.isEmpty();
    c.useCashier = c.useCashier && !c.cashier.isEmpty();
    SqlStatement s;
    QStringList parts;
    if (c.exact) {
        if (c.useQuantity) {
            parts << QStringLiteral("数量 = ?");
            s.values << c.quantity;
        }
        if (c.useAmount) {
            // As typed or in money form: 10 finds the stored 10.00.
            parts << QStringLiteral("(金额 = ? OR 金额 = ?)");
            s.values << c.amount << formatMoneyText(c.amount);
        }
        if (c.useCashier) {
            parts << QStringLiteral("收银员 = ?");
            s.values << c.cashier;
        }
    } else {
        if (c.useQuantity) {
            parts << QStringLiteral("数量 LIKE ? ESCAPE '\\'");
            s.values << containsPattern(c.quantity);
        }
        if (c.useAmount) {
            parts << QStringLiteral("金额 LIKE ? ESCAPE '\\'");
            s.values << containsPattern(formatMoneyText(c.amount));
        }
        if (c.useCashier) {
            parts << QStringLiteral("收银员 LIKE ? ESCAPE '\\'");
            s.values << containsPattern(c.cashier);
        }
    }
    s.sql = QStringLiteral("SELECT * FROM 销售记录 WHERE ");
    if (!parts.isEmpty()) {
        s.sql += QLatin1Char('(') + parts.join(c.exact ? QStringLiteral(" AND ") : QStringLiteral(" OR ")) +
                 QStringLiteral(") AND ");
    }
    // Over most of the table one pass over every row is quicker than the date index, and the
    // conditions go first as they rule out most rows; the unary + keeps the index out.
    s.sql += (wideRange && !parts.isEmpty() ? QStringLiteral("+销售时间") : QStringLiteral("销售时间")) +
             QStringLiteral(" BETWEEN ? AND ? ORDER BY ID");
    s.values << storedDateTimeText(QDateTime(c.from, QTime(0, 0, 0)))
             << storedDateTimeText(QDateTime(c.to, QTime(23, 59, 59)));
    return s;
}

bool rangeHoldsMostSales(Database& db, const SalesQueryConditions& c) {
    if (!c.useQuantity && !c.useAmount && !c.useCashier) return false;  // the plan would not change
    // Receipts are numbered in the order they are stored, so the IDs of the range's first and last
    // sale, found at once through the date index, tell about how many sales it holds. A guess
    // that is off only costs time: both statements give the same rows.
    RecordSet ids = db.query(
        QStringLiteral("SELECT (SELECT ID FROM 销售记录 WHERE 销售时间 >= ? ORDER BY 销售时间 LIMIT 1) AS first, "
                       "(SELECT ID FROM 销售记录 WHERE 销售时间 <= ? ORDER BY 销售时间 DESC LIMIT 1) AS last, "
                       "(SELECT min(ID) FROM 销售记录) AS lowest, (SELECT max(ID) FROM 销售记录) AS highest"),
        {storedDateTimeText(QDateTime(c.from, QTime(0, 0, 0))), storedDateTimeText(QDateTime(c.to, QTime(23, 59, 59)))});
    if (ids.text(QStringLiteral("first")).isEmpty() || ids.text(QStringLiteral("last")).isEmpty()) return false;
    const qint64 inRange = ids.integer(QStringLiteral("last")) - ids.integer(QStringLiteral("first")) + 1;
    const qint64 all = ids.integer(QStringLiteral("highest")) - ids.integer(QStringLiteral("lowest")) + 1;
    return 2 * inRange > all;
}

SqlStatement todaysSalesStatement(const QDateTime& now) {
    return {QStringLiteral("SELECT * FROM 销售记录 WHERE 销售时间 BETWEEN ? AND ? ORDER BY 销售时间 DESC, ID DESC"),
            {storedDateTimeText(QDateTime(now.date(), QTime(0, 0, 0))), storedDateTimeText(now)}};
}

SqlStatement receiptNumberSearchStatement(const QString& fragment) {
    return {QStringLiteral("SELECT * FROM 销售记录 WHERE 销售票号 LIKE ? ESCAPE '\\' ORDER BY ID"),
            {containsPattern(fragment)}};
}
