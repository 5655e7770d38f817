#pragma once

#include <QModelIndex>
#include <QObject>
#include <QString>

class Database;
class Prompter;
class ProductTypeAhead;
struct MainWindowUi;

// The sale being entered: the rows of 超级列表框1, the entry boxes that make a line, and the
// totals under the list. The rows are the sale; there is no other copy of it.
class SaleLines : public QObject {
    Q_OBJECT
public:
    enum Column { Number = 0, Name = 1, Quantity = 2, UnitPrice = 3, Amount = 4, Discounted = 5 };

    SaleLines(Database& db, Prompter& prompter, const MainWindowUi& ui, ProductTypeAhead& typeAhead,
              QObject* parent = nullptr);

    void addSaleLine();
    void modifySaleLine();
    void deleteSaleLines();
    void renumberSaleLines();
    // The column's numbers added up and rounded to cents, as number text; 0 for an empty list.
    QString sumSaleColumn(int column) const;
    void refreshSaleTotals();
    double discountFactor() const;
    void scrollToLastLine();

    int lineCount() const;
    QString cell(int row, int column) const;
    // After a save: no lines, the three totals blank.
    void clearSale();

signals:
    // The amount the customer owes changed; the amount received follows it.
    void amountDueChanged(const QString& money);

private:
    // Columns 4 and 5 of a line, the same whether it is added or modified.
    QStringList amounts(const QString& quantityText, const QString& priceText) const;
    bool nameTooLong(const QString& name);
    void resetEntry();
    void rowClicked(const QModelIndex& index);
    int selectedRow() const;
    void stepPrice(int direction);
    void stepQuantity(int direction);

    Database& db_;
    Prompter& prompter_;
    const MainWindowUi& ui_;
    ProductTypeAhead& typeAhead_;
};
