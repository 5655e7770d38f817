#pragma once

#include <QDialog>

class Printing;
class Prompter;
class QComboBox;

// Chooses the printer receipts go to: the user's default printer, shared with every program.
class PrinterDialog : public QDialog {
    Q_OBJECT
public:
    PrinterDialog(Printing& printing, Prompter& prompter, QWidget* parent = nullptr);

    void fillPrinterList();
    void saveDefaultPrinter();

private:
    Printing& printing_;
    Prompter& prompter_;
    QComboBox* printers_;
};
