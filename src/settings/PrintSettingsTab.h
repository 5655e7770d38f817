#pragma once

#include <QWidget>

class Database;
class Prompter;
class QCheckBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
struct PrintOptions;

// The receipt's settings: shop name, notes, margin and offset (stored by 保存设置), the four
// options (stored as they are clicked) and the doors to the logo, numbering and printer dialogs.
class PrintSettingsTab : public QWidget {
    Q_OBJECT
public:
    PrintSettingsTab(Database& db, Prompter& prompter, PrintOptions& printOptions, bool& saveSalesRecords,
                     QWidget* parent = nullptr);

    // Reads the stored settings into the boxes.
    void load();
    bool loadShopTexts();
    void saveBasicSettings();
    void showReceiptNumber(const QString& number);
    // Only an administrator may bring in the old program's data.
    void allowImport(bool allowed);

signals:
    void shopTextsSaved(const QString& shopName, const QString& notes);
    void logoWindowRequested();
    void numberFormatRequested();
    void printerDialogRequested();
    void importLegacyRequested();

private:
    bool saveNumber(const QString& column, QLineEdit* box, int& inMemory);
    void optionClicked(QCheckBox* box, const QString& column, bool& inMemory, bool checked);

    Database& db_;
    Prompter& prompter_;
    PrintOptions& printOptions_;
    bool& saveSalesRecords_;
    QLineEdit* shopName_;
    QPlainTextEdit* notes_;
    QLineEdit* receiptNumber_;
    QCheckBox* saveRecords_;
    QCheckBox* showPrintDone_;
    QCheckBox* askPrintAgain_;
    QCheckBox* printUnitPrice_;
    QLineEdit* margin_;
    QLineEdit* offset_;
    QPushButton* importButton_;
};
