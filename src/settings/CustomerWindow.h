#pragma once

#include <QDialog>
#include <QVariantList>

class Database;
class Prompter;
class QCheckBox;
class QLineEdit;
class QTreeView;
class ReportListModel;

// The shop's customers in 客户资料: listed, added, changed, deleted and searched.
class CustomerWindow : public QDialog {
    Q_OBJECT
public:
    CustomerWindow(Database& db, Prompter& prompter, QWidget* parent = nullptr);

    void addCustomer();
    void modifyCustomer();
    void deleteCustomer();
    void findCustomers();

    int selectedCustomerRow() const { return selectedRow_; }
    ReportListModel& list() const { return *rows_; }

private:
    struct Listing {
        QString sql;
        QVariantList values;
    };

    bool fill(const Listing& listing);
    void pickCustomer();
    void afterCustomerChange();
    qint64 selectedId() const;

    Database& db_;
    Prompter& prompter_;
    int selectedRow_ = -1;
    Listing listing_;
    ReportListModel* rows_;
    QTreeView* view_;
    QLineEdit* name_;
    QLineEdit* phone_;
    QLineEdit* findName_;
    QLineEdit* findPhone_;
    QCheckBox* byPart_;
};
