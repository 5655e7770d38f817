#pragma once

#include <QList>
#include <QString>

// One row of the sale as the receipt prints it.
struct ReceiptLine {
    QString name;
    QString quantity;
    QString unitPrice;
    QString amount;
};

// The texts of the sale standing in the counter, taken at the moment of printing.
struct ReceiptContent {
    QString shopName;
    QString receiptNumber;
    QString time;
    QList<ReceiptLine> lines;
    QString totalQuantity;
    QString totalAmount;
    QString discountedTotal;
    QString received;
    QString change;
    QString cashier;
    QString paymentMethod;
    QString note;
};
