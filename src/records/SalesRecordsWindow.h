#pragma once

#include <QDialog>

#include "records/SalesQuery.h"
#include "store/CurrentUser.h"

class Database;
class Platform;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QTreeView;
class ReportListModel;

// The stored sales: today's on opening, a search by receipt number, or a query's result.
class SalesRecordsWindow : public QDialog {
    Q_OBJECT
public:
    SalesRecordsWindow(Platform& platform, Database& db, CurrentUser user, QWidget* parent = nullptr);

    bool fillRecordList(const SqlStatement& statement);
    void refreshRecordTotals();
    void searchByReceiptNumber();
    void viewSaleDetails();
    void deleteSaleRecord();
    void openQuery();
    void initialiseData();

    // The sum of one column of the listed rows, in number text (cents rounded).
    QString sumRecordColumn(int column) const;
    qint64 selectedRecordId() const { return selectedRecordId_; }
    ReportListModel& list() const { return *rows_; }

signals:
    void detailsRequested(qint64 recordId);
    // RX.mdb was replaced by a new database: the program should start again on it.
    void dataReplaced();

private:
    void selectionChanged();
    void showPopup(const QPoint& at);
    void showStoredTotals(qint64 recordId);

    Platform& platform_;
    Database& db_;
    CurrentUser user_;
    qint64 selectedRecordId_ = 0;
    ReportListModel* rows_;
    QTreeView* view_;
    QLineEdit* searchBox_;
    QPushButton* detailsButton_;
    QLabel* totalQuantity_;
    QLabel* totalAmount_;
    QMenu* popup_;
};
