#include "records/SalesQuery.h"

#include <QStringList>

#include "store/NumberRules.h"
#include "store/TextRules.h"

QString containsPattern(const QString& text) {
    QString escaped = text;
    escaped.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    escaped.replace(QLatin1Char('%'), QStringLiteral("\\%"));
    escaped.replace(QLatin1Char('_'), QStringLiteral("\\_"));
    return QLatin1Char('%') + escaped + QLatin1Char('%');
}

SqlStatement salesQueryStatement(const SalesQueryConditions& c) {
    SqlStatement s;
    s.sql = QStringLiteral("SELECT * FROM 销售记录 WHERE 销售时间 BETWEEN ? AND ?");
    s.values << storedDateTimeText(QDateTime(c.from, QTime(0, 0, 0)))
             << storedDateTimeText(QDateTime(c.to, QTime(23, 59, 59)));
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
    if (!parts.isEmpty())
        s.sql += QStringLiteral(" AND (") + parts.join(c.exact ? QStringLiteral(" AND ") : QStringLiteral(" OR ")) +
                 QLatin1Char(')');
    s.sql += QStringLiteral(" ORDER BY ID");
    return s;
}

SqlStatement todaysSalesStatement(const QDateTime& now) {
    return {QStringLiteral("SELECT * FROM 销售记录 WHERE 销售时间 BETWEEN ? AND ? ORDER BY 销售时间 DESC, ID DESC"),
            {storedDateTimeText(QDateTime(now.date(), QTime(0, 0, 0))), storedDateTimeText(now)}};
}

SqlStatement receiptNumberSearchStatement(const QString& fragment) {
    return {QStringLiteral("SELECT * FROM 销售记录 WHERE 销售票号 LIKE ? ESCAPE '\\' ORDER BY ID"),
            {containsPattern(fragment)}};
}
