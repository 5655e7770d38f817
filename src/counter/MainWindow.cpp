#include "counter/MainWindow.h"

#include <QCheckBox>
#include <QLabel>
#include <QCloseEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>
#include <QTimer>
#include <QUrl>

#include "counter/CustomerChoosers.h"
#include "counter/NumberFormatDialog.h"
#include "counter/PaymentPanel.h"
#include "counter/ProductTypeAhead.h"
#include "counter/ReceiptNumbering.h"
#include "counter/SaleLines.h"
#include "counter/SaleSaver.h"
#include "platform/Clock.h"
#include "platform/Platform.h"
#include "platform/Prompter.h"
#include "platform/Shell.h"
#include "receipt/LogoWindow.h"
#include "receipt/PrinterDialog.h"
#include "receipt/ReceiptOutput.h"
#include "records/LegacyDataImport.h"
#include "records/SalesRecordsWindow.h"
#include "settings/CustomerWindow.h"
#include "settings/PaymentMethodWindow.h"
#include "settings/SettingsWindow.h"
#include "store/ConfigReaders.h"
#include "store/Database.h"
#include "store/NumberRules.h"
#include "store/TextRules.h"
#include "widgets/DropDownEdit.h"
#include "widgets/QueryFill.h"

namespace {

const QStringList calculators = {QStringLiteral("gnome-calculator"), QStringLiteral("kcalc"),
                                 QStringLiteral("mate-calc"),        QStringLiteral("galculator"),
                                 QStringLiteral("qalculate-gtk"),    QStringLiteral("xcalc")};
const QStringList textEditors = {QStringLiteral("gnome-text-editor"),
                                 QStringLiteral("gedit"),
                                 QStringLiteral("kwrite"),
                                 QStringLiteral("kate"),
                                 QStringLiteral("mousepad"),
                                 QStringLiteral("pluma"),
                                 QStringLiteral("xed"),
                                 QStringLiteral("featherpad"),
                                 QStringLiteral("leafpad")};

}  // namespace

MainWindow::MainWindow(Platform& platform, Database& db, CurrentUser user, QWidget* parent)
    : QMainWindow(parent), platform_(platform), db_(db), user_(std::move(user)) {
    ui_.build(this);
    Prompter& prompter = platform_.prompter();
    typeAhead_ = new ProductTypeAhead(db_, prompter, ui_, this);
    lines_ = new SaleLines(db_, prompter, ui_, *typeAhead_, this);
    payment_ = new PaymentPanel(db_, prompter, ui_, *lines_, this);
    numbering_ = new ReceiptNumbering(db_, prompter, platform_.clock(), *ui_.receiptNumber, this);
    saver_ = new SaleSaver(
        db_, prompter, platform_.clock(), ui_, *lines_, *numbering_, [this] { return saveSalesRecords_; },
        this);
    connect(lines_, &SaleLines::amountDueChanged, payment_, &PaymentPanel::writeReceived);
    connect(this, &MainWindow::enterPressed, lines_, &SaleLines::addSaleLine);
    connect(ui_.saveOnlyButton, &QPushButton::clicked, this, &MainWindow::saveSale);
    receipts_ = new ReceiptOutput(platform_, db_, printOptions_, this, [this] { return receiptContent(); });
    const auto printAndSave = [this] { receipts_->printAndSaveSale([this] { return saveSale(); }); };
    connect(ui_.printButton, &QPushButton::clicked, this, printAndSave);
    connect(this, &MainWindow::f5Pressed, this, printAndSave);
    connect(ui_.previewButton, &QPushButton::clicked, receipts_, &ReceiptOutput::openPreview);
    customers_ = new CustomerChoosers(db_, prompter, ui_, this);
    connect(ui_.setCustomerButton, &QPushButton::clicked, this, &MainWindow::openCustomers);
    connect(ui_.paymentButton, &QPushButton::clicked, this, &MainWindow::openPaymentMethods);

    // Window shortcuts fire only while this window is active, so Enter in a dialog opened from
    // here stays the dialog's own.
    for (const QKeySequence& key : {QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)}) {
        auto* shortcut = new QShortcut(key, this);
        connect(shortcut, &QShortcut::activated, this, &MainWindow::enterPressed);
    }
    auto* f5 = new QShortcut(QKeySequence(Qt::Key_F5), this);
    connect(f5, &QShortcut::activated, this, &MainWindow::f5Pressed);

    connect(ui_.clock, &QTimer::timeout, this, &MainWindow::showClock);
    connect(ui_.recordsAction, &QAction::triggered, this, &MainWindow::openSalesRecords);
    connect(ui_.settingsAction, &QAction::triggered, this, &MainWindow::openSettings);
    connect(ui_.calculatorAction, &QAction::triggered, this, [this] {
        startFirstInstalled(
            calculators, QStringLiteral("没有找到计算器程序，请先安装一个计算器（例如 gnome-calculator）。"));
    });
    connect(ui_.editorAction, &QAction::triggered, this, [this] {
        startFirstInstalled(textEditors,
                            QStringLiteral("没有找到文本编辑器，请先安装一个文本编辑器（例如 gedit）。"));
    });
    connect(ui_.contactAction, &QAction::triggered, this, [this] {
        if (!platform_.shell().openUrl(QUrl(QStringLiteral("https://korvane.example/contact"))))
            platform_.prompter().tell(this, QStringLiteral("无法打开网页浏览器。"), MessageIcon::Warning);
    });
    connect(ui_.aboutAction, &QAction::triggered, this, &MainWindow::showAbout);
}

MainWindow::~MainWindow() = default;

void MainWindow::openCounter() {
    Prompter& prompter = platform_.prompter();
    user_.permission =
        readLastValue(db_, prompter, QStringLiteral("SELECT * FROM 用户登录 WHERE 用户名 = ? ORDER BY ID"),
                      {user_.name}, QStringLiteral("权限"), this);
    setWindowTitle(QStringLiteral("Korvanev3.2          收银员：") + user_.name + QLatin1Char('(') +
                   user_.permission + QLatin1Char(')'));

    ui_.cashier->setText(user_.name);
    if (!user_.isAdministrator()) {
        ui_.cashierCombo->setEnabled(false);
        ui_.saveOnlyButton->setEnabled(false);
    }

    numbering_->readNumberFormatMode();

    fillComboFromQuery(db_, prompter, QStringLiteral("SELECT * FROM 付款方式 ORDER BY ID"), {},
                       *ui_.paymentCombo, QStringLiteral("方式"), false, this);
    ui_.payment->setText(QStringLiteral("现金"));

    ui_.notes->setPlainText(readConfigText(db_, prompter, QStringLiteral("备注"), this));
    ui_.shopName->setText(readConfigText(db_, prompter, QStringLiteral("店名"), this));
    numbering_->initialReceiptNumber();

    applyOption(QStringLiteral("电话"), ui_.phoneSwitch, {ui_.phoneCombo});
    applyOption(QStringLiteral("客户"), ui_.customerSwitch, {ui_.customerCombo});
    applyOption(QStringLiteral("折扣"), ui_.discountSwitch, {ui_.discountCombo});
    applyOption(QStringLiteral("付款方式的选中"), ui_.paymentSwitch, {ui_.paymentCombo});
    customers_->start();

    printOptions_.showPrintDone = readConfigFlag(db_, prompter, QStringLiteral("显示打印完毕"), this);
    printOptions_.askPrintAgain = readConfigFlag(db_, prompter, QStringLiteral("提示再次打印"), this);
    printOptions_.printUnitPrice = readConfigFlag(db_, prompter, QStringLiteral("打印单价"), this);
    saveSalesRecords_ = readConfigFlag(db_, prompter, QStringLiteral("保存销售记录"), this);
    printOptions_.printLogo = readLogoFlag(db_, prompter, this) == QStringLiteral("真");
    printOptions_.paperMargin =
        static_cast<int>(wholeNumberOf(readConfigNumber(db_, prompter, QStringLiteral("纸张边距"), this)));
    printOptions_.printOffset =
        static_cast<int>(wholeNumberOf(readConfigNumber(db_, prompter, QStringLiteral("打印偏差"), this)));

    ui_.deleteButton->setEnabled(false);
    ui_.modifyButton->setEnabled(false);
    ui_.name->setFocus();

    fillComboFromQuery(db_, prompter, QStringLiteral("SELECT * FROM 用户登录 ORDER BY ID"), {},
                       *ui_.cashierCombo, QStringLiteral("用户名"), true, this);

    showClock();
    ui_.clock->start();
}

bool MainWindow::saveSale() {
    payment_->settleChange();
    return saver_->saveSale();
}

NumberFormatDialog* MainWindow::openNumberFormatDialog(QWidget* owner) {
    auto* dialog = new NumberFormatDialog(db_, platform_.prompter(), platform_.clock(), *numbering_,
                                          owner ? owner : this);
    openDialog(dialog);
    return dialog;
}

ReceiptContent MainWindow::receiptContent() {
    payment_->settleChange();
    ReceiptContent content;
    content.shopName = ui_.shopName->text();
    content.receiptNumber = ui_.receiptNumber->text();
    content.time = ui_.time->text();
    for (int row = 0; row < lines_->lineCount(); ++row)
        content.lines.append({lines_->cell(row, SaleLines::Name), lines_->cell(row, SaleLines::Quantity),
                              lines_->cell(row, SaleLines::UnitPrice), lines_->cell(row, SaleLines::Amount)});
    content.totalQuantity = ui_.totalQuantity->text();
    content.totalAmount = ui_.totalAmount->text();
    content.discountedTotal = ui_.discountedTotal->text();
    content.received = ui_.received->text();
    content.change = ui_.change->text();
    content.cashier = ui_.cashier->text();
    content.paymentMethod = ui_.payment->text();
    content.note = ui_.notes->toPlainText();
    return content;
}

void MainWindow::openDialog(QDialog* dialog) {
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowModality(Qt::WindowModal);
    dialog->open();
}

SettingsWindow* MainWindow::openSettings() {
    numbering_->readNumberFormatMode();
    auto* settings = new SettingsWindow(platform_, db_, user_, printOptions_, saveSalesRecords_,
                                        ui_.receiptNumber->text(), this);
    settings->setAttribute(Qt::WA_DeleteOnClose);
    connect(settings, &SettingsWindow::shopTextsSaved, this, [this](const QString& shopName, const QString& notes) {
        ui_.shopName->setText(shopName);
        ui_.notes->setPlainText(notes);
    });
    connect(settings, &SettingsWindow::productsChanged, typeAhead_, &ProductTypeAhead::fillProductCombo);
    connect(settings, &SettingsWindow::numberFormatRequested, this, [this, settings] {
        connect(openNumberFormatDialog(settings), &NumberFormatDialog::numberRestarted, settings,
                &SettingsWindow::showReceiptNumber);
    });
    connect(settings, &SettingsWindow::logoWindowRequested, this, [this, settings] {
        openDialog(new LogoWindow(db_, platform_.prompter(), printOptions_, settings));
    });
    connect(settings, &SettingsWindow::printerDialogRequested, this, [this, settings] {
        openDialog(new PrinterDialog(platform_.printing(), platform_.prompter(), settings));
    });
    auto* legacyImport = new LegacyDataImport(platform_, db_, settings);
    connect(settings, &SettingsWindow::importLegacyRequested, legacyImport, &LegacyDataImport::start);
    connect(legacyImport, &LegacyDataImport::dataReplaced, this, &MainWindow::restartRequested);
    settings->open();
    return settings;
}

void MainWindow::openPaymentMethods() {
    auto* methods = new PaymentMethodWindow(db_, platform_.prompter(), this);
    methods->setAttribute(Qt::WA_DeleteOnClose);
    // The counter's list follows the changes once the window is closed.
    connect(methods, &QDialog::finished, this, [this] {
        fillComboFromQuery(db_, platform_.prompter(), QStringLiteral("SELECT * FROM 付款方式 ORDER BY ID"), {},
                           *ui_.paymentCombo, QStringLiteral("方式"), false, this);
    });
    methods->open();
}

void MainWindow::openCustomers() {
    auto* customers = new CustomerWindow(db_, platform_.prompter(), this);
    customers->setAttribute(Qt::WA_DeleteOnClose);
    customers->open();
}

void MainWindow::applyOption(const QString& column, QCheckBox* box, const QList<QWidget*>& controls) {
    const QString value = readConfigText(db_, platform_.prompter(), column, this);
    if (value != QStringLiteral("真") && value != QStringLiteral("假")) return;
    const bool on = value == QStringLiteral("真");
    box->setChecked(on);
    for (QWidget* control : controls) control->setEnabled(on);
}

void MainWindow::showClock() {
    ui_.time->setText(formatDateTimeText(platform_.clock().now()));
}

void MainWindow::startFirstInstalled(const QStringList& programs, const QString& missingMessage) {
    Shell& shell = platform_.shell();
    for (const QString& program : programs) {
        if (shell.isInstalled(program)) {
            if (!shell.startProgram(program))
                platform_.prompter().tell(this, QStringLiteral("无法启动 ") + program + QStringLiteral("。"),
                                          MessageIcon::Warning);
            return;
        }
    }
    platform_.prompter().tell(this, missingMessage, MessageIcon::Information);
}

void MainWindow::openSalesRecords() {
    auto* records = new SalesRecordsWindow(platform_, db_, user_, this);
    records->setAttribute(Qt::WA_DeleteOnClose);
    connect(records, &SalesRecordsWindow::dataReplaced, this, &MainWindow::restartRequested);
    records->open();
}

void MainWindow::showAbout() {
    platform_.prompter().tell(this,
                              QStringLiteral("感谢您使用 Korvane 收银系统 v3.2！\n"
                                             "祝您生意兴隆，财源广进。"),
                              MessageIcon::Information, QStringLiteral("关于"));
}

void MainWindow::closeEvent(QCloseEvent* event) {
    ui_.clock->stop();
    event->accept();
    emit closed();
}
