#pragma once

#include <QDialog>

#include "store/CurrentUser.h"

class Database;
class Platform;
class PrintSettingsTab;
class ProductsTab;
class QTabWidget;
class UsersTab;
struct PrintOptions;

// The shop's settings in three tabs: the receipt, the product catalogue and the cashiers.
// The counter's in-memory copies of the options are changed through the references given here.
class SettingsWindow : public QDialog {
    Q_OBJECT
public:
    enum Tab { PrintTab = 0, ProductTab = 1, UserTab = 2 };

    SettingsWindow(Platform& platform, Database& db, CurrentUser user, PrintOptions& printOptions,
                   bool& saveSalesRecords, const QString& receiptNumber, QWidget* parent = nullptr);

    PrintSettingsTab& printSettings() const { return *printTab_; }
    ProductsTab& products() const { return *productsTab_; }
    UsersTab& users() const { return *usersTab_; }

    // The numbering dialog started the counter again under this number.
    void showReceiptNumber(const QString& number);

signals:
    void shopTextsSaved(const QString& shopName, const QString& notes);
    void productsChanged();
    void logoWindowRequested();
    void numberFormatRequested();
    void printerDialogRequested();
    void importLegacyRequested();

private:
    void tabChosen(int index);

    QTabWidget* tabs_;
    PrintSettingsTab* printTab_;
    ProductsTab* productsTab_;
    UsersTab* usersTab_;
};
