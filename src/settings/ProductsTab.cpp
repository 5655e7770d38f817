#include "settings/ProductsTab.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QTreeView>

#include "platform/Prompter.h"
#include "settings/FormControls.h"
#include "store/Database.h"
#include "store/NumberRules.h"
#include "widgets/QueryFill.h"
#include "widgets/ReportListModel.h"
#include "widgets/ReportView.h"

ProductsTab::ProductsTab(Database& db, Prompter& prompter, QWidget* parent)
    : QWidget(parent), db_(db), prompter_(prompter) {
    view_ = named(new QTreeView(this), "超级列表框1");
    rows_ =
        new ReportListModel({QStringLiteral("ID"), QStringLiteral("名称"), QStringLiteral("单价")}, view_);
    setUpReportView(view_, rows_, {50, 165, 60});

    name_ = named(new QLineEdit(this), "编辑框_名称");
    price_ = named(new QLineEdit(this), "编辑框_单价");
    // The same rule as the counter's price box: a decimal number or nothing.
    price_->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[0-9]{0,12}(\\.[0-9]{0,6})?")), price_));
    auto* addButton = formButton("按钮_添加", "添加", this);
    auto* modifyButton = formButton("按钮_修改", "修改", this);
    auto* deleteButton = formButton("按钮_删除", "删除", this);
    changeButtons_ = {addButton, modifyButton, deleteButton};
    // The counter always remembers a new product it sells; the box says so and cannot be unchecked.
    auto* remember = named(new QCheckBox(QStringLiteral("自动记忆商品信息"), this), "选择框1");
    remember->setChecked(true);
    remember->setEnabled(false);
    remember->setToolTip(QStringLiteral("收银时输入的新商品会自动记入商品列表"));

    auto* boxes = new QGridLayout;
    boxes->addWidget(formLabel("标签13", "商品名称：", name_, this), 0, 0);
    boxes->addWidget(name_, 0, 1);
    boxes->addWidget(formLabel("标签14", "商品单价：", price_, this), 1, 0);
    boxes->addWidget(price_, 1, 1);
    boxes->setColumnStretch(1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(remember);
    buttons->addStretch();
    for (QPushButton* b : changeButtons_) buttons->addWidget(b);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(view_, 1);
    layout->addLayout(boxes);
    layout->addLayout(buttons);

    connect(view_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &ProductsTab::selectionChanged);
    connect(addButton, &QPushButton::clicked, this, &ProductsTab::addProduct);
    connect(modifyButton, &QPushButton::clicked, this, &ProductsTab::modifyProduct);
    connect(deleteButton, &QPushButton::clicked, this, &ProductsTab::deleteProduct);
}

void ProductsTab::allowChanges(bool allowed) {
    for (QPushButton* b : changeButtons_) b->setEnabled(allowed);
}

bool ProductsTab::fillProductList() {
    selectedRow_ = -1;
    return fillListFromQuery(db_, prompter_, QStringLiteral("SELECT * FROM 商品名称 ORDER BY ID"), {}, *rows_,
                             {QStringLiteral("名称"), QStringLiteral("单价")}, window());
}

void ProductsTab::selectionChanged() {
    const QModelIndexList selected = view_->selectionModel()->selectedRows();
    // A row deselected (Ctrl+click) is no longer the one 修改 and 删除 act on; the boxes keep
    // what the user may be typing.
    if (selected.isEmpty()) {
        selectedRow_ = -1;
        return;
    }
    selectedRow_ = selected.first().row();
    name_->setText(rows_->cell(selectedRow_, 1));
    price_->setText(rows_->cell(selectedRow_, 2));
}

void ProductsTab::reloadAfterChange() {
    name_->clear();
    price_->clear();
    fillProductList();
}

void ProductsTab::tellSelectRow() {
    prompter_.tell(window(), QStringLiteral("请选择要修改的行！"), MessageIcon::None,
                   QStringLiteral("提示："));
}

void ProductsTab::addProduct() {
    if (name_->text().isEmpty()) {
        prompter_.tell(window(), QStringLiteral("商品名称不能为空！"));
    } else if (price_->text().isEmpty()) {
        prompter_.tell(window(), QStringLiteral("商品价格不能为空！"));
    } else if (db_.execute(QStringLiteral("INSERT INTO 商品名称 (名称, 单价) VALUES (?, ?)"),
                           {name_->text(), formatMoneyText(price_->text())})) {
        reloadAfterChange();
    } else {
        prompter_.tell(window(), QStringLiteral("添加失败！"));
    }
    emit productsChanged();
}

void ProductsTab::modifyProduct() {
    if (selectedRow_ < 0) {
        tellSelectRow();
    } else if (db_.execute(QStringLiteral("UPDATE 商品名称 SET 名称 = ?, 单价 = ? WHERE ID = ?"),
                           {name_->text(), formatMoneyText(price_->text()), rows_->rowId(selectedRow_)})) {
        reloadAfterChange();
    } else {
        prompter_.tell(window(), QStringLiteral("数据添加失败"));
    }
    emit productsChanged();
}

void ProductsTab::deleteProduct() {
    if (selectedRow_ < 0) {
        tellSelectRow();
    } else if (db_.execute(QStringLiteral("DELETE FROM 商品名称 WHERE ID = ?"),
                           {rows_->rowId(selectedRow_)})) {
        reloadAfterChange();
    } else {
        prompter_.tell(window(), QStringLiteral("数据删除失败"));
    }
    emit productsChanged();
}
