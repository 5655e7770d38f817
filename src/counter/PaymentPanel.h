#pragma once

#include <QObject>
#include <QString>

class Database;
class Prompter;
class QTimer;
class SaleLines;
struct MainWindowUi;

// Discount rate, payment method, amount received and change, and the editable sale time.
class PaymentPanel : public QObject {
    Q_OBJECT
public:
    PaymentPanel(Database& db, Prompter& prompter, const MainWindowUi& ui, const SaleLines& lines,
                 QObject* parent = nullptr);

    // The program writes the amount received; the change follows at once.
    void writeReceived(const QString& money);
    void computeChange();
    // Computes a change still waiting for the cashier's typing to settle, so printing and
    // saving never use a stale one.
    void settleChange();

private:
    void discountSwitched(bool on);
    void paymentSwitched(bool on);
    void paymentPicked(int index);
    void quickAmountPicked(int index);
    void quickAmountWheel(int direction);
    void timeEditingSwitched(bool on);

    Database& db_;
    Prompter& prompter_;
    const MainWindowUi& ui_;
    const SaleLines& lines_;
    QTimer* changeDelay_;
};
