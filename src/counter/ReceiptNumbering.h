#pragma once

#include <QDateTime>
#include <QObject>
#include <QString>

class Clock;
class Database;
class Prompter;
class QLineEdit;

// Receipt numbers: a prefix (the shop's own text, or the date as YYMMDD) and a seven-digit
// counter. The box always holds the number the sale now being entered will be printed and
// stored under; saving stores it and then moves the box on to the next one.
class ReceiptNumbering : public QObject {
    Q_OBJECT
public:
    enum Mode { CustomPrefixMode = 1, DatePrefixMode = 2 };

    ReceiptNumbering(Database& db, Prompter& prompter, Clock& clock, QLineEdit& box,
                     QObject* parent = nullptr);

    // Reads 全局单号格式; keeps the mode it had when the query fails.
    void readNumberFormatMode();
    int numberFormatMode() const { return mode_; }
    QString customPrefix();
    static QString datePrefix(const QDateTime& moment);
    QString lastSaleId();
    QString lastReceiptNumber();

    // The number after the last stored sale, into the box.
    void initialReceiptNumber();
    // The number the current sale goes out under. A number the program formed with yesterday's
    // date takes today's; a number the cashier typed is used as it stands.
    QString numberForThisSale();
    // After a sale went out under `used`: the box shows the one after it.
    void advanceReceiptNumber(const QString& used);
    // A new numbering format: the counter starts again at 0000001.
    void restart(const QString& prefix);

    static QString counterText(qint64 counter);

private:
    QString currentPrefix();
    void show(const QString& prefix, const QString& counter);

    Database& db_;
    Prompter& prompter_;
    Clock& clock_;
    QLineEdit& box_;
    int mode_ = 0;
    // The number this class last put into the box; anything else there was typed.
    QString formed_;
    QString formedPrefix_;
};
