#pragma once

#include <QDialog>

#include "records/SalesQuery.h"

class Database;
class Platform;
class SalesRecordsWindow;
class DropDownEdit;
class QCheckBox;
class QDateEdit;
class QLineEdit;
class QRadioButton;

// Finds sales by date range, quantity, amount and cashier; the result shows in the records
// window behind it, and the dialog stays open for the next query.
class QueryDialog : public QDialog {
    Q_OBJECT
public:
    QueryDialog(Platform& platform, Database& db, SalesRecordsWindow& records);

    SalesQueryConditions conditions() const;
    void runSalesQuery();

private:
    Platform& platform_;
    Database& db_;
    SalesRecordsWindow& records_;
    QCheckBox* useTime_;
    QDateEdit* from_;
    QDateEdit* to_;
    QCheckBox* useQuantity_;
    QLineEdit* quantity_;
    QCheckBox* useAmount_;
    QLineEdit* amount_;
    QCheckBox* useCashier_;
    DropDownEdit* cashier_;
    QRadioButton* fuzzy_;
    QRadioButton* exact_;
};
