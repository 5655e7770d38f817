#include "counter/SaleLines.h"

#include <QCheckBox>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QTreeView>

#include "counter/MainWindowUi.h"
#include "counter/ProductTypeAhead.h"
#include "platform/Prompter.h"
#include "store/Database.h"
#include "store/DiscountRates.h"
#include "store/NumberRules.h"
#include "widgets/DropDownEdit.h"
#include "widgets/ReportListModel.h"
#include "widgets/WheelNotches.h"

namespace {

// The longest text the sale's tables keep in a column.
constexpr int storedTextLimit = 50;

// What the receipt shows: the part after the first dash is the name, the part before it a
// typing code. A name that ends in its first dash keeps its whole text, so it can be stored.
QString receiptName(const QString& name) {
    const qsizetype dash = name.indexOf(QLatin1Char('-'));
    if (dash < 0 || dash == name.size() - 1) return name;
    return name.mid(dash + 1);
}

}  // namespace

SaleLines::SaleLines(Database& db, Prompter& prompter, const MainWindowUi& ui, ProductTypeAhead& typeAhead,
                     QObject* parent)
    : QObject(parent), db_(db), prompter_(prompter), ui_(ui), typeAhead_(typeAhead) {
    // Whole quantities and plain decimal prices only, as the cashier types them.
    ui_.quantity->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,10}")), ui_.quantity));
    ui_.price->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[0-9]{0,12}(\\.[0-9]{0,6})?")), ui_.price));
    connect(ui_.addButton, &QPushButton::clicked, this, &SaleLines::addSaleLine);
    connect(ui_.modifyButton, &QPushButton::clicked, this, &SaleLines::modifySaleLine);
    connect(ui_.deleteButton, &QPushButton::clicked, this, &SaleLines::deleteSaleLines);
    connect(ui_.saleList, &QTreeView::clicked, this, &SaleLines::rowClicked);
    connect(new WheelNotches(ui_.price), &WheelNotches::notch, this, &SaleLines::stepPrice);
    connect(new WheelNotches(ui_.quantity), &WheelNotches::notch, this, &SaleLines::stepQuantity);
}

QStringList SaleLines::amounts(const QString& quantityText, const QString& priceText) const {
    const double amount = numberOf(priceText) * numberOf(quantityText);
    const QString total = moneyText(amount);
    const QString discounted = ui_.discountSwitch->isChecked() ? moneyText(amount * discountFactor()) : total;
    return {total, discounted};
}

bool SaleLines::nameTooLong(const QString& name) {
    if (name.size() <= storedTextLimit) return false;
    prompter_.tell(ui_.name->window(), QStringLiteral("添加失败！"));
    return true;
}

void SaleLines::addSaleLine() {
    QWidget* owner = ui_.name->window();
    const QString name = ui_.name->text();
    const QString quantity = ui_.quantity->text();
    const QString price = ui_.price->text();
    const QString title = QStringLiteral("提示");
    if (name.isEmpty())
        return prompter_.tell(owner, QStringLiteral("商品名称不能为空！"), MessageIcon::Error, title);
    if (quantity.isEmpty())
        return prompter_.tell(owner, QStringLiteral("数量不能为空！"), MessageIcon::Error, title);
    if (price.isEmpty())
        return prompter_.tell(owner, QStringLiteral("价格不能为空！"), MessageIcon::Error, title);
    if (nameTooLong(name)) return;

    // Until a product has been found, picked or stored in this run, a new name is remembered.
    if (typeAhead_.lastFoundName().isEmpty() && !typeAhead_.suggestionPicked()) {
        if (!db_.execute(QStringLiteral("INSERT INTO 商品名称 (名称, 单价) VALUES (?, ?)"),
                         {name, formatMoneyText(price)})) {
            prompter_.tell(owner, QStringLiteral("添加失败！"));
            return;
        }
        typeAhead_.markPicked();
    }

    const QStringList money = amounts(quantity, price);
    ui_.saleLines->appendRow(0, {QString::number(lineCount() + 1), receiptName(name), quantity,
                                 formatMoneyText(price), money[0], money[1]});
    resetEntry();
    refreshSaleTotals();
    scrollToLastLine();
}

void SaleLines::modifySaleLine() {
    QWidget* owner = ui_.name->window();
    const QString name = ui_.name->text();
    const QString quantity = ui_.quantity->text();
    const QString price = ui_.price->text();
    if (name.isEmpty()) return prompter_.tell(owner, QStringLiteral("商品名称不能为空！"));
    if (price.isEmpty()) return prompter_.tell(owner, QStringLiteral("单价不能为空！"));
    if (quantity.isEmpty()) return prompter_.tell(owner, QStringLiteral("数量不能为空！"));
    if (nameTooLong(name)) return;

    const int row = selectedRow();
    if (row >= 0) {
        const QStringList money = amounts(quantity, price);
        ReportListModel& lines = *ui_.saleLines;
        lines.setCell(row, Name, name);
        lines.setCell(row, Quantity, quantity);
        lines.setCell(row, UnitPrice, formatMoneyText(price));
        lines.setCell(row, Amount, money[0]);
        lines.setCell(row, Discounted, money[1]);
    }
    resetEntry();
    refreshSaleTotals();
}

void SaleLines::deleteSaleLines() {
    resetEntry();
    QList<int> rows;
    for (const QModelIndex& index : ui_.saleList->selectionModel()->selectedRows()) rows << index.row();
    std::sort(rows.begin(), rows.end(), std::greater<>());
    for (int row : rows) ui_.saleLines->removeRowAt(row);
    renumberSaleLines();
    refreshSaleTotals();
}

void SaleLines::renumberSaleLines() {
    for (int row = 0; row < lineCount(); ++row) ui_.saleLines->setCell(row, Number, QString::number(row + 1));
}

QString SaleLines::sumSaleColumn(int column) const {
    double sum = 0;
    for (const ReportListModel::Row& row : ui_.saleLines->rows()) sum += numberOf(row.cells.value(column));
    return numberText(round2(sum));
}

void SaleLines::refreshSaleTotals() {
    ui_.totalQuantity->setText(sumSaleColumn(Quantity));
    const QString amount = formatMoneyText(sumSaleColumn(Amount));
    const QString discounted = formatMoneyText(sumSaleColumn(Discounted));
    ui_.totalAmount->setText(amount);
    ui_.discountedTotal->setText(discounted);
    emit amountDueChanged(ui_.discountSwitch->isChecked() ? discounted : amount);
}

double SaleLines::discountFactor() const {
    return discountFactorOf(ui_.discountCombo->currentText());
}

void SaleLines::scrollToLastLine() {
    if (lineCount() > 0) ui_.saleList->scrollTo(ui_.saleLines->index(lineCount() - 1, 0));
}

int SaleLines::lineCount() const {
    return ui_.saleLines->rowCount();
}

QString SaleLines::cell(int row, int column) const {
    return ui_.saleLines->cell(row, column);
}

void SaleLines::clearSale() {
    ui_.saleLines->clear();
    ui_.totalQuantity->clear();
    ui_.totalAmount->clear();
    ui_.discountedTotal->clear();
}

void SaleLines::resetEntry() {
    ui_.name->setText(QString());
    ui_.quantity->setText(QStringLiteral("1"));
    ui_.price->setText(QStringLiteral("0.00"));
}

int SaleLines::selectedRow() const {
    QItemSelectionModel* selection = ui_.saleList->selectionModel();
    const QModelIndex current = selection->currentIndex();
    if (current.isValid() && selection->isRowSelected(current.row(), QModelIndex())) return current.row();
    const QModelIndexList rows = selection->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void SaleLines::rowClicked(const QModelIndex& index) {
    if (!index.isValid()) return;
    const int row = index.row();
    ui_.modifyButton->setEnabled(true);
    ui_.deleteButton->setEnabled(true);
    ui_.name->setText(cell(row, Name));
    ui_.quantity->setText(cell(row, Quantity));
    ui_.price->setText(cell(row, UnitPrice));
}

// A notch away from the user lowers the value by one, a notch towards it raises it; never below 0.
void SaleLines::stepPrice(int direction) {
    const int step = direction > 0 ? -1 : 1;
    QString text = ui_.price->text();
    const qint64 whole = wholeNumberOf(text);
    if (whole <= 0 && step < 0) return;
    if (!text.contains(QLatin1Char('.'))) text += QStringLiteral(".00");
    // The fraction as typed follows the new whole part: 12.50 gives 13.50, 12.5 gives 13.5.
    ui_.price->setText(numberText(static_cast<double>(whole + step)) +
                       text.mid(text.indexOf(QLatin1Char('.'))));
}

void SaleLines::stepQuantity(int direction) {
    const int step = direction > 0 ? -1 : 1;
    const qint64 whole = wholeNumberOf(ui_.quantity->text());
    if (whole <= 0 && step < 0) return;
    ui_.quantity->setText(numberText(static_cast<double>(whole + step)));
}
