#pragma once

#include <QDialog>

class Clock;
class Database;
class Prompter;
class QCheckBox;
class QLineEdit;
class QPushButton;
class ReceiptNumbering;

// Chooses between the shop's own receipt-number prefix and the date prefix.
class NumberFormatDialog : public QDialog {
    Q_OBJECT
public:
    NumberFormatDialog(Database& db, Prompter& prompter, Clock& clock, ReceiptNumbering& numbering,
                       QWidget* parent = nullptr);

signals:
    // The counter started again under this number (the settings window shows it).
    void numberRestarted(const QString& number);

private:
    void choose(bool custom);
    void store();

    Database& db_;
    Prompter& prompter_;
    ReceiptNumbering& numbering_;
    QCheckBox* customBox_;
    QLineEdit* customPrefix_;
    QCheckBox* dateBox_;
    QLineEdit* datePrefix_;
};
