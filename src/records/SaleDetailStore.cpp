#include "records/SaleDetailStore.h"

#include "store/Database.h"
#include "store/DiscountRates.h"
#include "store/NumberRules.h"
#include "store/Transaction.h"

namespace {

// An empty note is stored as no note: the table refuses the empty text.
QVariant noteValue(const QString& note) { return note.isEmpty() ? QVariant() : QVariant(note); }

}  // namespace

SaleDetailStore::Line SaleDetailStore::makeLine(const QString& name, const QString& quantity, const QString& price,
                                                bool discount, const QString& rate, const QString& note) {
    Line line{name, quantity, formatMoneyText(price), {}, {}, note};
    line.amount = moneyText(numberOf(price) * numberOf(quantity));
    line.discounted = discount ? moneyText(numberOf(line.amount) * discountFactorOf(rate)) : line.amount;
    return line;
}

qint64 SaleDetailStore::add(const Line& line) {
    Transaction transaction = db_.transaction();
    if (!db_.execute(QStringLiteral("INSERT INTO 销售详情 (关联, 名称, 数量, 单价, 金额, 折后, 备注) "
                                    "VALUES (?, ?, ?, ?, ?, ?, ?)"),
                     {recordId_, line.name, line.quantity, line.price, line.amount, line.discounted,
                      noteValue(line.note)}))
        return 0;
    const qint64 id = db_.lastInsertId();
    return recomputeReceipt() && transaction.commit() ? id : 0;
}

bool SaleDetailStore::modify(qint64 lineId, const Line& line) {
    Transaction transaction = db_.transaction();
    return db_.execute(QStringLiteral("UPDATE 销售详情 SET 名称 = ?, 数量 = ?, 单价 = ?, 金额 = ?, 折后 = ?, 备注 = ? "
                                      "WHERE ID = ? AND 关联 = ?"),
                       {line.name, line.quantity, line.price, line.amount, line.discounted, noteValue(line.note),
                        lineId, recordId_}) &&
           db_.changedRows() == 1 && recomputeReceipt() && transaction.commit();
}

bool SaleDetailStore::remove(qint64 lineId) {
    Transaction transaction = db_.transaction();
    return db_.execute(QStringLiteral("DELETE FROM 销售详情 WHERE ID = ? AND 关联 = ?"), {lineId, recordId_}) &&
           db_.changedRows() == 1 && recomputeReceipt() && transaction.commit();
}

bool SaleDetailStore::recomputeReceipt() {
    RecordSet lines = db_.query(QStringLiteral("SELECT 数量, 金额 FROM 销售详情 WHERE 关联 = ? ORDER BY ID"), {recordId_});
    if (!lines.ok()) return false;
    double quantity = 0;
    double amount = 0;
    for (; !lines.isPastLast(); lines.next()) {
        quantity += numberOf(lines.text(QStringLiteral("数量")));
        amount += numberOf(lines.text(QStringLiteral("金额")));
    }
    return db_.execute(QStringLiteral("UPDATE 销售记录 SET 数量 = ?, 金额 = ? WHERE ID = ?"),
                       {numberText(quantity), moneyText(amount), recordId_});
}
