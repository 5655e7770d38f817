#include "counter/MainWindowUi.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QTreeView>

#include "widgets/DropDownEdit.h"
#include "widgets/Named.h"
#include "widgets/ReportListModel.h"
#include "widgets/ReportView.h"

namespace {

QLabel* label(const char* name, const char* text, QWidget* buddy, QWidget* parent) {
    auto* l = named(new QLabel(QString::fromUtf8(text), parent), name);
    if (buddy) l->setBuddy(buddy);
    return l;
}

QLineEdit* edit(const char* name, const char* text, QWidget* parent) {
    return named(new QLineEdit(QString::fromUtf8(text), parent), name);
}

QPushButton* button(const char* name, const char* text, QWidget* parent) {
    auto* b = named(new QPushButton(QString::fromUtf8(text), parent), name);
    b->setAutoDefault(false);
    return b;
}

// An edit box with its drop-down list: the combo box carries one name, its edit box the other.
DropDownEdit* dropDown(const char* comboName, const char* editName, QLineEdit** editOut, QWidget* parent) {
    auto* combo = named(new DropDownEdit(true, parent), comboName);
    combo->lineEdit()->setObjectName(QString::fromUtf8(editName));
    *editOut = combo->lineEdit();
    return combo;
}

QAction* menuItem(QMenu* menu, const char* text) {
    QAction* action = menu->addAction(QString::fromUtf8(text));
    action->setObjectName(QString::fromUtf8(text));
    return action;
}

}  // namespace

void MainWindowUi::build(QMainWindow* window) {
    window->setObjectName(QStringLiteral("MainWindow"));
    window->resize(665, 712);
    auto* central = new QWidget(window);
    window->setCentralWidget(central);

    QMenuBar* bar = window->menuBar();
    QMenu* system = bar->addMenu(QStringLiteral("系统设置"));
    settingsAction = menuItem(system, "软件设置");
    QMenu* statistics = bar->addMenu(QStringLiteral("查询统计"));
    recordsAction = menuItem(statistics, "统计销售");
    QMenu* extras = bar->addMenu(QStringLiteral("附加功能"));
    calculatorAction = menuItem(extras, "计算器");
    editorAction = menuItem(extras, "记事本");
    QMenu* help = bar->addMenu(QStringLiteral("帮助"));
    contactAction = menuItem(help, "联系作者");
    aboutAction = menuItem(help, "关于");

    // Shop name across the top.
    shopName = edit("编辑框_店名", "", central);
    shopName->setReadOnly(true);
    shopName->setAlignment(Qt::AlignCenter);
    QFont shopFont = shopName->font();
    shopFont.setPointSizeF(shopFont.pointSizeF() * 1.3);
    shopFont.setBold(true);
    shopName->setFont(shopFont);
    auto* top = new QHBoxLayout;
    top->addWidget(label("标签_店名", "店名：", shopName, central));
    top->addWidget(shopName, 1);

    // The receipt group: number, time and the line being entered.
    auto* receipt = named(new QGroupBox(central), "外形框2");
    receiptNumber = edit("编辑框_单号", "", receipt);
    time = edit("编辑框_时间", "", receipt);
    time->setReadOnly(true);
    editTime = named(new QCheckBox(QStringLiteral("修改时间"), receipt), "选择框_修改时间");
    nameCombo = dropDown("组合框_名称", "编辑框_名称", &name, receipt);
    quantity = edit("编辑框_数量", "1", receipt);
    price = edit("编辑框_单价", "0.00", receipt);
    discountSwitch = named(new QCheckBox(QStringLiteral("折扣："), receipt), "选择框_折扣");
    discountCombo = named(new DropDownEdit(false, receipt), "组合框_折扣");
    discountCombo->setEnabled(false);
    deleteButton = button("按钮_删除", "删除", receipt);
    modifyButton = button("按钮_修改", "修改", receipt);
    addButton = button("按钮_添加商品", "添加", receipt);

    auto* grid = new QGridLayout(receipt);
    grid->addWidget(label("标签_单号", "单号：", receiptNumber, receipt), 0, 0);
    grid->addWidget(receiptNumber, 0, 1, 1, 3);
    grid->addWidget(label("标签_时间", "时间：", time, receipt), 0, 4);
    grid->addWidget(time, 0, 5, 1, 2);
    grid->addWidget(editTime, 0, 7);
    grid->addWidget(label("标签_名称", "名称：", name, receipt), 1, 0);
    grid->addWidget(nameCombo, 1, 1, 1, 3);
    grid->addWidget(label("标签_数量", "数量：", quantity, receipt), 1, 4);
    grid->addWidget(quantity, 1, 5);
    grid->addWidget(label("标签_单价", "单价：", price, receipt), 1, 6);
    grid->addWidget(price, 1, 7);
    grid->addWidget(discountSwitch, 2, 0);
    grid->addWidget(discountCombo, 2, 1, 1, 2);
    auto* lineButtons = new QHBoxLayout;
    lineButtons->addStretch();
    lineButtons->addWidget(deleteButton);
    lineButtons->addWidget(modifyButton);
    lineButtons->addWidget(addButton);
    grid->addLayout(lineButtons, 2, 3, 1, 5);
    grid->setColumnStretch(1, 2);
    grid->setColumnStretch(5, 1);
    grid->setColumnStretch(7, 1);

    // The sale: one row per line of goods.
    saleList = named(new QTreeView(central), "超级列表框1");
    saleLines = new ReportListModel({QStringLiteral("ID"), QStringLiteral("        商品名称"), QStringLiteral("数量"),
                                     QStringLiteral("单价"), QStringLiteral("总价"), QStringLiteral("折后")},
                                    saleList);
    for (int column = 2; column <= 5; ++column) saleLines->setAlignment(column, Qt::AlignHCenter);
    setUpReportView(saleList, saleLines, {50, 210, 80, 80, 100, 95}, true);
    saleList->header()->setStretchLastSection(true);

    // Totals under the list.
    auto* totals = named(new QGroupBox(central), "外形框1");
    totalQuantity = named(new QLabel(QStringLiteral("0"), totals), "标签_总量");
    totalAmount = named(new QLabel(QStringLiteral("0.00"), totals), "标签_总金额");
    discountedTotal = named(new QLabel(QStringLiteral("0.00"), totals), "标签_打折后");
    auto* totalsRow = new QHBoxLayout(totals);
    totalsRow->addWidget(label("标签1", "总量：", totalQuantity, totals));
    totalsRow->addWidget(totalQuantity, 1);
    totalsRow->addWidget(label("标签2", "总金额：", totalAmount, totals));
    totalsRow->addWidget(totalAmount, 1);
    totalsRow->addWidget(label("标签3", "折后：", discountedTotal, totals));
    totalsRow->addWidget(discountedTotal, 1);

    // Payment, customer and phone.
    paymentSwitch = named(new QCheckBox(QStringLiteral("付款方式："), central), "选择框_付款方式");
    paymentCombo = dropDown("组合框_付款方式", "编辑框_付款方式", &payment, central);
    paymentCombo->setEnabled(false);
    paymentButton = button("按钮_付款方式", "付款方式", central);
    phoneSwitch = named(new QCheckBox(QStringLiteral("电话"), central), "选择框_电话");
    phoneCombo = dropDown("组合框_电话", "编辑框_电话", &phone, central);
    customerSwitch = named(new QCheckBox(QStringLiteral("客户"), central), "选择框_客户");
    customerCombo = dropDown("组合框_客户", "编辑框_客户", &customer, central);
    setCustomerButton = button("按钮_设置客户", "设置客户", central);
    auto* people = new QGridLayout;
    people->addWidget(paymentSwitch, 0, 0);
    people->addWidget(paymentCombo, 0, 1);
    people->addWidget(paymentButton, 0, 2);
    people->addWidget(phoneSwitch, 0, 3);
    people->addWidget(phoneCombo, 0, 4);
    people->addWidget(customerSwitch, 1, 3);
    people->addWidget(customerCombo, 1, 4);
    people->addWidget(setCustomerButton, 1, 2);
    people->setColumnStretch(1, 1);
    people->setColumnStretch(4, 1);

    // Cashier, amount received, change, notes and the two big buttons.
    cashierCombo = dropDown("组合框_收银员", "编辑框_收银员", &cashier, central);
    saveOnlyButton = button("按钮_仅保存小票", "仅保存小票", central);
    receivedCombo = dropDown("组合框_实收", "编辑框_实收", &received, central);
    receivedCombo->replaceItems({QStringLiteral("10"), QStringLiteral("20"), QStringLiteral("50"),
                                 QStringLiteral("100"), QStringLiteral("150"), QStringLiteral("500"),
                                 QStringLiteral("1000")});
    change = edit("编辑框_找零", "0.00", central);
    notes = named(new QPlainTextEdit(central), "编辑框_备注");
    notes->setReadOnly(true);
    notes->setFixedHeight(72);
    previewButton = button("按钮_打印预览", "打印预览", central);
    printButton = button("按钮_打印小票", "打印小票", central);
    for (QPushButton* big : {previewButton, printButton}) {
        big->setMinimumSize(110, 56);
        QFont f = big->font();
        f.setPointSizeF(f.pointSizeF() * 1.25);
        f.setBold(true);
        big->setFont(f);
    }
    auto* bottom = new QGridLayout;
    bottom->addWidget(label("标签_收银员", "收银员：", cashier, central), 0, 0);
    bottom->addWidget(cashierCombo, 0, 1);
    bottom->addWidget(saveOnlyButton, 0, 2, 1, 2);
    bottom->addWidget(label("标签_实收", "实收：", received, central), 1, 0);
    bottom->addWidget(receivedCombo, 1, 1);
    bottom->addWidget(label("标签_找零", "找零：", change, central), 1, 2);
    bottom->addWidget(change, 1, 3);
    bottom->addWidget(label("标签_备注", "备注：", notes, central), 2, 0, Qt::AlignTop);
    bottom->addWidget(notes, 2, 1, 1, 3);
    auto* bigButtons = new QVBoxLayout;
    bigButtons->addWidget(previewButton);
    bigButtons->addWidget(printButton);
    bottom->addLayout(bigButtons, 0, 4, 3, 1);
    bottom->setColumnStretch(1, 1);
    bottom->setColumnStretch(3, 1);

    // Hidden helpers: the picture used while printing and the label that takes the hot keys.
    pictureBox = named(new QLabel(central), "图片框1");
    pictureBox->setFixedSize(200, 200);
    pictureBox->hide();
    feedback = named(new QLabel(QStringLiteral("反馈标签"), central), "标签_反馈");
    feedback->hide();
    clock = named(new QTimer(window), "时钟1");
    clock->setInterval(999);

    auto* layout = new QVBoxLayout(central);
    layout->addLayout(top);
    layout->addWidget(receipt);
    layout->addWidget(saleList, 1);
    layout->addWidget(totals);
    layout->addLayout(people);
    layout->addLayout(bottom);
}
