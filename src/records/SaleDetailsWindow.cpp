#include "records/SaleDetailsWindow.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QTreeView>

#include "platform/Platform.h"
#include "platform/Prompter.h"
#include "records/ListExport.h"
#include "records/SaleDetailStore.h"
#include "store/Database.h"
#include "store/DiscountRates.h"
#include "widgets/DropDownEdit.h"
#include "widgets/Named.h"
#include "widgets/ReportListModel.h"
#include "widgets/ReportView.h"

namespace {

QPushButton* button(const char* name, const char* text, QWidget* parent) {
    auto* b = named(new QPushButton(QString::fromUtf8(text), parent), name);
    b->setAutoDefault(false);
    return b;
}

}  // namespace

SaleDetailsWindow::SaleDetailsWindow(Platform& platform, Database& db, CurrentUser user, qint64 recordId,
                                     QWidget* parent)
    : QDialog(parent), platform_(platform), db_(db), user_(std::move(user)), recordId_(recordId) {
    setObjectName(QStringLiteral("SaleDetailsWindow"));
    setWindowTitle(QStringLiteral("销售Korvane"));
    resize(594, 511);

    view_ = named(new QTreeView(this), "超级列表框1");
    rows_ = new ReportListModel({QStringLiteral("序号"), QStringLiteral("名称"), QStringLiteral("数量"),
                                 QStringLiteral("单价"), QStringLiteral("金额"), QStringLiteral("折后")},
                                view_);
    rows_->setAlignment(1, Qt::AlignRight);
    for (int column = 2; column <= 5; ++column) rows_->setAlignment(column, Qt::AlignHCenter);
    setUpReportView(view_, rows_, {50, 120, 100, 100, 100, 100});

    name_ = named(new QLineEdit(this), "编辑框_名称");
    quantity_ = named(new QLineEdit(QStringLiteral("1"), this), "编辑框_数量");
    quantity_->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("-?\\d{0,9}")), quantity_));
    price_ = named(new QLineEdit(QStringLiteral("0.00"), this), "编辑框_单价");
    price_->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("-?\\d{0,12}(\\.\\d*)?")), price_));
    discountSwitch_ = named(new QCheckBox(QStringLiteral("折扣："), this), "选择框_折扣");
    discountCombo_ = named(new DropDownEdit(true, this), "组合框_折扣");
    discountCombo_->replaceItems(discountRates());
    discount_ = discountCombo_->lineEdit();
    discount_->setObjectName(QStringLiteral("编辑框_折扣"));
    discount_->setText(QStringLiteral("10"));
    discountCombo_->setEnabled(false);
    note_ = named(new QPlainTextEdit(this), "编辑框_备注");
    note_->setFixedHeight(60);

    auto* addButton = button("按钮_添加", "添加", this);
    auto* modifyButton = button("按钮_修改", "修改", this);
    auto* deleteButton = button("按钮_删除", "删除", this);
    auto* exportButton = button("按钮_导出", "导出", this);
    auto* closeButton = button("按钮_关闭", "关闭", this);

    auto* grid = new QGridLayout;
    const auto caption = [this](const char* name, const char* text, QWidget* buddy) {
        auto* l = named(new QLabel(QString::fromUtf8(text), this), name);
        l->setBuddy(buddy);
        return l;
    };
    grid->addWidget(caption("标签_名称", "名称：", name_), 0, 0);
    grid->addWidget(name_, 0, 1);
    grid->addWidget(caption("标签_数量", "数量：", quantity_), 0, 2);
    grid->addWidget(quantity_, 0, 3);
    grid->addWidget(caption("标签_单价", "单价：", price_), 0, 4);
    grid->addWidget(price_, 0, 5);
    grid->addWidget(discountSwitch_, 1, 0);
    grid->addWidget(discountCombo_, 1, 1);
    grid->addWidget(caption("标签1", "备注：", note_), 2, 0, Qt::AlignTop);
    grid->addWidget(note_, 2, 1, 1, 5);
    grid->setColumnStretch(1, 2);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {addButton, modifyButton, deleteButton, exportButton, closeButton}) buttons->addWidget(b);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(view_, 1);
    layout->addLayout(grid);
    layout->addLayout(buttons);

    connect(view_->selectionModel(), &QItemSelectionModel::selectionChanged, this, &SaleDetailsWindow::selectionChanged);
    connect(discountSwitch_, &QCheckBox::toggled, discountCombo_, &QWidget::setEnabled);
    connect(addButton, &QPushButton::clicked, this, &SaleDetailsWindow::addDetailLine);
    connect(modifyButton, &QPushButton::clicked, this, &SaleDetailsWindow::modifyDetailLine);
    connect(deleteButton, &QPushButton::clicked, this, &SaleDetailsWindow::deleteDetailLine);
    connect(exportButton, &QPushButton::clicked, this, [this] { exportListToSpreadsheet(platform_, this, *rows_); });
    connect(closeButton, &QPushButton::clicked, this, &QDialog::close);

    if (!user_.isAdministrator()) {
        for (QPushButton* b : {addButton, modifyButton, deleteButton, exportButton}) b->setEnabled(false);
    }
    loadSaleDetails();
}

bool SaleDetailsWindow::loadSaleDetails() {
    rows_->clear();
    RecordSet lines = db_.query(QStringLiteral("SELECT * FROM 销售详情 WHERE 关联 = ? ORDER BY ID"), {recordId_});
    if (!lines.ok()) {
        platform_.prompter().tell(this, QStringLiteral("查询失败！"));
        return false;
    }
    QVector<ReportListModel::Row> out;
    for (; !lines.isPastLast(); lines.next()) {
        QStringList cells{QString::number(out.size() + 1)};
        for (const char* column : {"名称", "数量", "单价", "金额", "折后"}) cells << lines.text(QString::fromUtf8(column));
        out.append({lines.integer(QStringLiteral("ID")), std::move(cells)});
    }
    rows_->setRows(std::move(out));
    return true;
}

int SaleDetailsWindow::selectedRow() const {
    const QModelIndexList selected = view_->selectionModel()->selectedRows();
    return selected.isEmpty() ? -1 : selected.first().row();
}

void SaleDetailsWindow::selectionChanged() {
    const int row = selectedRow();
    if (row < 0) return;
    selectedLineId_ = rows_->rowId(row);
    name_->setText(rows_->cell(row, 1));
    quantity_->setText(rows_->cell(row, 2));
    price_->setText(rows_->cell(row, 3));
    // The stored note, so a correction keeps it.
    RecordSet line = db_.query(QStringLiteral("SELECT 备注 FROM 销售详情 WHERE ID = ?"), {selectedLineId_});
    note_->setPlainText(line.text(QStringLiteral("备注")));
}

bool SaleDetailsWindow::entryComplete() {
    const struct {
        QLineEdit* box;
        const char* message;
    } checks[] = {{name_, "商品名称不能为空！"}, {quantity_, "数量不能为空！"}, {price_, "价格不能为空！"}};
    for (const auto& check : checks) {
        if (check.box->text().isEmpty()) {
            platform_.prompter().tell(this, QString::fromUtf8(check.message), MessageIcon::Error, QStringLiteral("提示"));
            return false;
        }
    }
    return true;
}

void SaleDetailsWindow::addDetailLine() {
    if (!entryComplete()) return;
    const SaleDetailStore::Line line =
        SaleDetailStore::makeLine(name_->text(), quantity_->text(), price_->text(), discountSwitch_->isChecked(),
                                  discount_->text(), note_->toPlainText());
    const qint64 id = SaleDetailStore(db_, recordId_).add(line);
    if (id == 0) {
        platform_.prompter().tell(this, QStringLiteral("数据添加失败"));
        return;
    }
    rows_->appendRow(id, {QString::number(rows_->rowCount() + 1), line.name, line.quantity, line.price, line.amount,
                          line.discounted});
    view_->scrollToBottom();
    emit receiptChanged(recordId_);
}

void SaleDetailsWindow::modifyDetailLine() {
    if (!entryComplete()) return;
    const int row = selectedRow();
    if (row < 0) {
        platform_.prompter().tell(this, QStringLiteral("请选择要修改的行！"), MessageIcon::None, QStringLiteral("提示："));
        return;
    }
    const SaleDetailStore::Line line =
        SaleDetailStore::makeLine(name_->text(), quantity_->text(), price_->text(), discountSwitch_->isChecked(),
                                  discount_->text(), note_->toPlainText());
    if (!SaleDetailStore(db_, recordId_).modify(rows_->rowId(row), line)) {
        platform_.prompter().tell(this, QStringLiteral("数据添加失败"));
        return;
    }
    const QStringList cells{line.name, line.quantity, line.price, line.amount, line.discounted};
    for (int column = 1; column <= 5; ++column) rows_->setCell(row, column, cells[column - 1]);
    emit receiptChanged(recordId_);
}

void SaleDetailsWindow::deleteDetailLine() {
    const int row = selectedRow();
    Prompter& prompter = platform_.prompter();
    if (row < 0) {
        prompter.tell(this, QStringLiteral("请选择要删除的行！"), MessageIcon::None, QStringLiteral("提示："));
        return;
    }
    if (!prompter.confirm(this, QStringLiteral("确定删除该行吗？"))) return;
    if (!SaleDetailStore(db_, recordId_).remove(rows_->rowId(row))) {
        prompter.tell(this, QStringLiteral("数据删除失败"));
        return;
    }
    view_->selectionModel()->clear();
    rows_->removeRowAt(row);
    renumber();
    emit receiptChanged(recordId_);
}

void SaleDetailsWindow::renumber() {
    for (int i = 0; i < rows_->rowCount(); ++i) rows_->setCell(i, 0, QString::number(i + 1));
}
