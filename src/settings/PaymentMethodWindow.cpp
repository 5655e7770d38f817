#include "settings/PaymentMethodWindow.h"

#include <QGridLayout>
#include <QLineEdit>
#include <QTreeView>

#include "platform/Prompter.h"
#include "settings/FormControls.h"
#include "store/Database.h"
#include "widgets/QueryFill.h"
#include "widgets/ReportListModel.h"
#include "widgets/ReportView.h"

PaymentMethodWindow::PaymentMethodWindow(Database& db, Prompter& prompter, QWidget* parent)
    : QDialog(parent), db_(db), prompter_(prompter) {
    setObjectName(QStringLiteral("PaymentMethodWindow"));
    setWindowTitle(QStringLiteral("销售Korvane"));
    resize(334, 282);

    view_ = named(new QTreeView(this), "超级列表框1");
    rows_ = new ReportListModel({QStringLiteral("序号"), QStringLiteral("       收款方式")}, view_);
    setUpReportView(view_, rows_, {50, 150});
    method_ = named(new QLineEdit(this), "编辑框1");
    method_->setAccessibleName(QStringLiteral("收款方式"));
    auto* addButton = formButton("按钮_添加", "添加", this);
    auto* modifyButton = formButton("按钮_修改", "修改", this);
    auto* deleteButton = formButton("按钮_删除", "删除", this);

    auto* row = new QHBoxLayout;
    row->addStretch();
    for (QPushButton* b : {addButton, modifyButton, deleteButton}) row->addWidget(b);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(view_, 1);
    layout->addWidget(method_);
    layout->addLayout(row);

    connect(view_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &PaymentMethodWindow::selectionChanged);
    connect(addButton, &QPushButton::clicked, this, &PaymentMethodWindow::addPaymentMethod);
    connect(modifyButton, &QPushButton::clicked, this, &PaymentMethodWindow::modifyPaymentMethod);
    connect(deleteButton, &QPushButton::clicked, this, &PaymentMethodWindow::deletePaymentMethod);

    fillPaymentList();
}

bool PaymentMethodWindow::fillPaymentList() {
    selectedRow_ = -1;
    return fillListFromQuery(db_, prompter_, QStringLiteral("SELECT * FROM 付款方式 ORDER BY ID"), {}, *rows_,
                             {QStringLiteral("方式")}, this);
}

void PaymentMethodWindow::selectionChanged() {
    const QModelIndexList selected = view_->selectionModel()->selectedRows();
    selectedRow_ = selected.isEmpty() ? -1 : selected.first().row();
    method_->setText(rows_->cell(selectedRow_, 1));
}

void PaymentMethodWindow::addPaymentMethod() {
    if (method_->text().isEmpty()) {
        prompter_.tell(this, QStringLiteral("不能为空"));
        return;
    }
    if (db_.execute(QStringLiteral("INSERT INTO 付款方式 (方式) VALUES (?)"), {method_->text()}))
        fillPaymentList();
    else
        prompter_.tell(this, QStringLiteral("添加失败！"));
}

void PaymentMethodWindow::modifyPaymentMethod() {
    // With no row chosen the ID is 0, which no method has: nothing changes.
    if (db_.execute(QStringLiteral("UPDATE 付款方式 SET 方式 = ? WHERE ID = ?"),
                    {method_->text(), rows_->rowId(selectedRow_)}))
        fillPaymentList();
    else
        prompter_.tell(this, QStringLiteral("数据修改失败"));
}

void PaymentMethodWindow::deletePaymentMethod() {
    if (db_.execute(QStringLiteral("DELETE FROM 付款方式 WHERE ID = ?"), {rows_->rowId(selectedRow_)}))
        fillPaymentList();
    else
        prompter_.tell(this, QStringLiteral("数据删除失败"));
}
