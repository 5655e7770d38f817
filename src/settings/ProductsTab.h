#pragma once

#include <QWidget>

class Database;
class Prompter;
class QLineEdit;
class QPushButton;
class QTreeView;
class ReportListModel;

// The shop's usual products, a name and a unit price each, kept in 商品名称.
class ProductsTab : public QWidget {
    Q_OBJECT
public:
    ProductsTab(Database& db, Prompter& prompter, QWidget* parent = nullptr);

    bool fillProductList();
    void addProduct();
    void modifyProduct();
    void deleteProduct();
    // Changing the catalogue is an administrator's task.
    void allowChanges(bool allowed);

    int selectedProductRow() const { return selectedRow_; }
    ReportListModel& list() const { return *rows_; }

signals:
    // After every click of 添加, 修改 and 删除: the counter refills its suggestions.
    void productsChanged();

private:
    void selectionChanged();
    void reloadAfterChange();
    void tellSelectRow();

    Database& db_;
    Prompter& prompter_;
    int selectedRow_ = -1;
    ReportListModel* rows_;
    QTreeView* view_;
    QLineEdit* name_;
    QLineEdit* price_;
    QList<QPushButton*> changeButtons_;
};
