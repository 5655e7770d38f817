#pragma once

#include <QObject>
#include <functional>

class Clock;
class Database;
class Prompter;
class ReceiptNumbering;
class SaleLines;
struct MainWindowUi;

// Stores the sale on screen: one 销售记录 row and one 销售详情 row per line, all or nothing.
class SaleSaver : public QObject {
    Q_OBJECT
public:
    SaleSaver(Database& db, Prompter& prompter, Clock& clock, const MainWindowUi& ui, SaleLines& lines,
              ReceiptNumbering& numbering, std::function<bool()> saveSalesRecords, QObject* parent = nullptr);

    // True when the sale went out (stored, or cleared because the shop keeps no records).
    bool saveSale();

private:
    bool storeSale(const QString& number);

    Database& db_;
    Prompter& prompter_;
    Clock& clock_;
    const MainWindowUi& ui_;
    SaleLines& lines_;
    ReceiptNumbering& numbering_;
    std::function<bool()> saveSalesRecords_;
};
