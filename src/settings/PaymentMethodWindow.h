#pragma once

#include <QDialog>

class Database;
class Prompter;
class QLineEdit;
class QTreeView;
class ReportListModel;

// The payment methods in 付款方式 the cashier chooses from.
class PaymentMethodWindow : public QDialog {
    Q_OBJECT
public:
    PaymentMethodWindow(Database& db, Prompter& prompter, QWidget* parent = nullptr);

    void addPaymentMethod();
    void modifyPaymentMethod();
    void deletePaymentMethod();

    int selectedPaymentRow() const { return selectedRow_; }
    ReportListModel& list() const { return *rows_; }

private:
    bool fillPaymentList();
    void selectionChanged();

    Database& db_;
    Prompter& prompter_;
    int selectedRow_ = -1;
    ReportListModel* rows_;
    QTreeView* view_;
    QLineEdit* method_;
};
