#pragma once

#include <QMainWindow>

#include "counter/MainWindowUi.h"
#include "receipt/ReceiptContent.h"
#include "store/CurrentUser.h"
#include "store/PrintOptions.h"

class CustomerChoosers;
class Database;
class QDialog;
class NumberFormatDialog;
class PaymentPanel;
class Platform;
class ProductTypeAhead;
class ReceiptOutput;
class ReceiptNumbering;
class SaleLines;
class SaleSaver;
class SettingsWindow;

// The sales counter. Opened after a login; closing it ends the program.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    MainWindow(Platform& platform, Database& db, CurrentUser user, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Reads the permission, the settings and the lists; run once right after the window shows.
    void openCounter();

    const CurrentUser& currentUser() const { return user_; }
    const PrintOptions& printOptions() const { return printOptions_; }
    // The settings and logo windows change these; the next receipt follows them.
    PrintOptions& printOptions() { return printOptions_; }
    bool saveSalesRecords() const { return saveSalesRecords_; }
    const MainWindowUi& ui() const { return ui_; }

    SaleLines& saleLines() { return *lines_; }
    PaymentPanel& payment() { return *payment_; }
    ReceiptNumbering& receiptNumbering() { return *numbering_; }
    // Stores the sale on screen (仅保存小票; printing calls it after the receipt went out).
    bool saveSale();
    ReceiptOutput& receipts() { return *receipts_; }
    // The numbering format, window-modal over `owner` (the settings window), deleted on close.
    NumberFormatDialog* openNumberFormatDialog(QWidget* owner);
    // The settings window (软件设置), window-modal, deleted on close.
    SettingsWindow* openSettings();

signals:
    void closed();
    // The data were replaced by a new database: the program should start again on it.
    void restartRequested();
    // The counter's Enter and F5 keys, delivered only while this window is active.
    void enterPressed();
    void f5Pressed();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void showClock();
    void applyOption(const QString& column, QCheckBox* box, const QList<QWidget*>& controls);
    void startFirstInstalled(const QStringList& programs, const QString& missingMessage);
    void showAbout();
    void openSalesRecords();
    ReceiptContent receiptContent();
    void openPaymentMethods();
    // Window-modal over its parent, deleted when closed.
    static void openDialog(QDialog* dialog);
    void openCustomers();

    Platform& platform_;
    Database& db_;
    CurrentUser user_;
    PrintOptions printOptions_;
    bool saveSalesRecords_ = true;
    MainWindowUi ui_{};
    ProductTypeAhead* typeAhead_ = nullptr;
    SaleLines* lines_ = nullptr;
    PaymentPanel* payment_ = nullptr;
    ReceiptNumbering* numbering_ = nullptr;
    SaleSaver* saver_ = nullptr;
    ReceiptOutput* receipts_ = nullptr;
    CustomerChoosers* customers_ = nullptr;
};
