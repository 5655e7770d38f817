#pragma once

#include <QDialog>

#include "store/CurrentUser.h"

class Database;
class Platform;
class DropDownEdit;
class QCheckBox;
class QLineEdit;
class QPlainTextEdit;
class QTreeView;
class ReportListModel;

// The lines of one stored receipt; an administrator adds, corrects and removes them.
class SaleDetailsWindow : public QDialog {
    Q_OBJECT
public:
    SaleDetailsWindow(Platform& platform, Database& db, CurrentUser user, qint64 recordId, QWidget* parent = nullptr);

    bool loadSaleDetails();
    void addDetailLine();
    void modifyDetailLine();
    void deleteDetailLine();

    ReportListModel& list() const { return *rows_; }
    qint64 selectedLineId() const { return selectedLineId_; }

signals:
    // A line was stored, changed or removed, and with it the receipt's quantity and amount.
    void receiptChanged(qint64 recordId);

private:
    bool entryComplete();
    int selectedRow() const;
    void selectionChanged();
    void renumber();

    Platform& platform_;
    Database& db_;
    CurrentUser user_;
    qint64 recordId_;
    qint64 selectedLineId_ = 0;
    ReportListModel* rows_;
    QTreeView* view_;
    QLineEdit* name_;
    QLineEdit* quantity_;
    QLineEdit* price_;
    QCheckBox* discountSwitch_;
    DropDownEdit* discountCombo_;
    QLineEdit* discount_;
    QPlainTextEdit* note_;
};
