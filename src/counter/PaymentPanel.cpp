#include "counter/PaymentPanel.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QTimer>

#include "counter/MainWindowUi.h"
#include "counter/SaleLines.h"
#include "platform/Prompter.h"
#include "store/ConfigReaders.h"
#include "store/Database.h"
#include "store/DiscountRates.h"
#include "store/NumberRules.h"
#include "widgets/DropDownEdit.h"
#include "widgets/WheelNotches.h"

namespace {
// The cashier may still be typing the amount; the change waits for a pause.
constexpr int typingPauseMs = 500;
constexpr int clockPeriodMs = 999;
}  // namespace

PaymentPanel::PaymentPanel(Database& db, Prompter& prompter, const MainWindowUi& ui, const SaleLines& lines,
                           QObject* parent)
    : QObject(parent), db_(db), prompter_(prompter), ui_(ui), lines_(lines), changeDelay_(new QTimer(this)) {
    ui_.discountCombo->replaceItems(discountRates());
    for (QLineEdit* money : {ui_.received, ui_.change})
        money->setValidator(new QRegularExpressionValidator(
            QRegularExpression(QStringLiteral("[0-9]{0,12}(\\.[0-9]{0,6})?")), money));
    changeDelay_->setSingleShot(true);
    changeDelay_->setInterval(typingPauseMs);
    connect(changeDelay_, &QTimer::timeout, this, &PaymentPanel::computeChange);
    connect(ui_.received, &QLineEdit::textEdited, changeDelay_, qOverload<>(&QTimer::start));

    connect(ui_.discountSwitch, &QCheckBox::clicked, this, &PaymentPanel::discountSwitched);
    connect(ui_.paymentSwitch, &QCheckBox::clicked, this, &PaymentPanel::paymentSwitched);
    connect(ui_.paymentCombo, qOverload<int>(&QComboBox::activated), this, &PaymentPanel::paymentPicked);
    connect(ui_.receivedCombo, qOverload<int>(&QComboBox::activated), this, &PaymentPanel::quickAmountPicked);
    for (QWidget* over : {static_cast<QWidget*>(ui_.receivedCombo), static_cast<QWidget*>(ui_.received)})
        connect(new WheelNotches(over), &WheelNotches::notch, this, &PaymentPanel::quickAmountWheel);
    connect(ui_.editTime, &QCheckBox::clicked, this, &PaymentPanel::timeEditingSwitched);
}

void PaymentPanel::writeReceived(const QString& money) {
    changeDelay_->stop();
    ui_.received->setText(money);
    computeChange();
}

void PaymentPanel::computeChange() {
    changeDelay_->stop();
    const int column = ui_.discountSwitch->isChecked() ? SaleLines::Discounted : SaleLines::Amount;
    const double change = numberOf(ui_.received->text()) - numberOf(lines_.sumSaleColumn(column));
    ui_.change->setText(formatMoneyText(numberText(change)));
}

void PaymentPanel::settleChange() {
    if (changeDelay_->isActive()) computeChange();
}

void PaymentPanel::discountSwitched(bool on) {
    ui_.discountCombo->setEnabled(on);
    if (on) ui_.discountCombo->setCurrentIndex(0);
}

void PaymentPanel::paymentSwitched(bool on) {
    ui_.paymentCombo->setEnabled(on);
    if (on && ui_.paymentCombo->count() > 0) ui_.paymentCombo->setCurrentIndex(0);
    if (!writeConfigValue(db_, QStringLiteral("付款方式的选中"),
                          on ? QStringLiteral("真") : QStringLiteral("假")))
        prompter_.tell(ui_.paymentCombo->window(), QStringLiteral("数据修改失败"));
}

void PaymentPanel::paymentPicked(int index) {
    if (index >= 0) ui_.payment->setText(ui_.paymentCombo->itemText(index));
}

void PaymentPanel::quickAmountPicked(int index) {
    if (index >= 0) writeReceived(formatMoneyText(ui_.receivedCombo->itemText(index)));
}

void PaymentPanel::quickAmountWheel(int direction) {
    const int step = direction > 0 ? -1 : 1;
    const qint64 whole = wholeNumberOf(ui_.received->text());
    if (whole <= 0 && step < 0) return;
    writeReceived(numberText(static_cast<double>(whole + step)));
}

void PaymentPanel::timeEditingSwitched(bool on) {
    ui_.time->setReadOnly(!on);
    if (on) {
        ui_.clock->stop();
    } else {
        ui_.clock->start(clockPeriodMs);
    }
}
