#include "settings/SettingsWindow.h"

#include <QTabWidget>
#include <QVBoxLayout>

#include "platform/Platform.h"
#include "settings/PrintSettingsTab.h"
#include "settings/ProductsTab.h"
#include "settings/UsersTab.h"
#include "widgets/Named.h"

SettingsWindow::SettingsWindow(Platform& platform, Database& db, CurrentUser user, PrintOptions& printOptions,
                               bool& saveSalesRecords, const QString& receiptNumber, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("SettingsWindow"));
    setWindowTitle(QStringLiteral("销售Korvane"));
    resize(417, 511);

    Prompter& prompter = platform.prompter();
    tabs_ = named(new QTabWidget(this), "高级选择夹1");
    printTab_ = new PrintSettingsTab(db, prompter, printOptions, saveSalesRecords, tabs_);
    productsTab_ = new ProductsTab(db, prompter, tabs_);
    usersTab_ = new UsersTab(db, prompter, user, tabs_);
    tabs_->addTab(printTab_, QStringLiteral("打印设置"));
    tabs_->addTab(productsTab_, QStringLiteral("设置常用商品名"));
    tabs_->addTab(usersTab_, QStringLiteral("设置用户（收银员）"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(tabs_);

    connect(printTab_, &PrintSettingsTab::shopTextsSaved, this, &SettingsWindow::shopTextsSaved);
    connect(printTab_, &PrintSettingsTab::logoWindowRequested, this, &SettingsWindow::logoWindowRequested);
    connect(printTab_, &PrintSettingsTab::numberFormatRequested, this,
            &SettingsWindow::numberFormatRequested);
    connect(printTab_, &PrintSettingsTab::printerDialogRequested, this,
            &SettingsWindow::printerDialogRequested);
    connect(printTab_, &PrintSettingsTab::importLegacyRequested, this,
            &SettingsWindow::importLegacyRequested);
    connect(productsTab_, &ProductsTab::productsChanged, this, &SettingsWindow::productsChanged);

    const bool administrator = user.isAdministrator();
    productsTab_->allowChanges(administrator);
    usersTab_->allowChanges(administrator);
    printTab_->allowImport(administrator);
    printTab_->load();
    printTab_->showReceiptNumber(receiptNumber);

    // Every choice of a tab, the first one made here included, fills its list afresh.
    connect(tabs_, &QTabWidget::currentChanged, this, &SettingsWindow::tabChosen);
    if (!administrator) {
        tabs_->setTabEnabled(PrintTab, false);
        tabs_->setCurrentIndex(ProductTab);
    }
}

void SettingsWindow::showReceiptNumber(const QString& number) {
    printTab_->showReceiptNumber(number);
}

void SettingsWindow::tabChosen(int index) {
    // A switched-off tab is never shown, however it was chosen.
    if (!tabs_->isTabEnabled(index)) {
        tabs_->setCurrentIndex(ProductTab);
        return;
    }
    if (index == ProductTab) productsTab_->fillProductList();
    if (index == UserTab) usersTab_->refreshUsers(false);
}
