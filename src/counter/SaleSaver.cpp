#include "counter/SaleSaver.h"

#include <QLineEdit>
#include <QPlainTextEdit>

#include "counter/MainWindowUi.h"
#include "counter/ReceiptNumbering.h"
#include "counter/SaleLines.h"
#include "platform/Clock.h"
#include "platform/Prompter.h"
#include "store/Database.h"
#include "store/NumberRules.h"
#include "store/TextRules.h"
#include "store/Transaction.h"

SaleSaver::SaleSaver(Database& db, Prompter& prompter, Clock& clock, const MainWindowUi& ui, SaleLines& lines,
                     ReceiptNumbering& numbering, std::function<bool()> saveSalesRecords, QObject* parent)
    : QObject(parent),
      db_(db),
      prompter_(prompter),
      clock_(clock),
      ui_(ui),
      lines_(lines),
      numbering_(numbering),
      saveSalesRecords_(std::move(saveSalesRecords)) {}

bool SaleSaver::saveSale() {
    QWidget* owner = ui_.receiptNumber->window();
    if (lines_.lineCount() == 0) {
        prompter_.tell(owner, QStringLiteral("没有可以保存的数据！"));
        return false;
    }
    const QString number = numbering_.numberForThisSale();
    if (number.isEmpty()) {
        prompter_.tell(owner, QStringLiteral("单号不能为空！"));
        return false;
    }
    if (saveSalesRecords_() && !storeSale(number)) {
        prompter_.tell(owner, QStringLiteral("添加失败！"));
        return false;
    }
    numbering_.advanceReceiptNumber(number);
    lines_.clearSale();
    return true;
}

bool SaleSaver::storeSale(const QString& number) {
    const QString note = ui_.notes->toPlainText();
    Transaction transaction = db_.transaction();
    if (!transaction.isActive()) return false;
    // The blanks keep both note columns storable when the shop has no note.
    if (!db_.execute(QStringLiteral("INSERT INTO 销售记录 (销售票号, 销售时间, 数量, 金额, 收银员, 备注) "
                                    "VALUES (?, ?, ?, ?, ?, ?)"),
                     {number, storedDateTimeText(clock_.now()), lines_.sumSaleColumn(SaleLines::Quantity),
                      formatMoneyText(lines_.sumSaleColumn(SaleLines::Amount)), ui_.cashier->text(),
                      QString(note + QLatin1Char(' '))}))
        return false;
    const qint64 receipt = db_.lastInsertId();
    const QString lineNote = QLatin1Char(' ') + note;
    for (int row = 0; row < lines_.lineCount(); ++row) {
        if (!db_.execute(QStringLiteral("INSERT INTO 销售详情 (关联, 名称, 数量, 单价, 金额, 折后, 备注) "
                                        "VALUES (?, ?, ?, ?, ?, ?, ?)"),
                         {receipt, lines_.cell(row, SaleLines::Name), lines_.cell(row, SaleLines::Quantity),
                          lines_.cell(row, SaleLines::UnitPrice), lines_.cell(row, SaleLines::Amount),
                          lines_.cell(row, SaleLines::Discounted), lineNote}))
            return false;
    }
    return transaction.commit();
}
