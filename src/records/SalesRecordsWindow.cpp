#include "records/SalesRecordsWindow.h"

#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTreeView>

#include "platform/Clock.h"
#include "platform/Platform.h"
#include "platform/Prompter.h"
#include "records/DataInitialiser.h"
#include "records/ListExport.h"
#include "records/QueryDialog.h"
#include "records/SaleDetailsWindow.h"
#include "records/SalesRecordsWindowRows.h"
#include "records/SavePath.h"
#include "store/Database.h"
#include "store/NumberRules.h"
#include "store/TextRules.h"
#include "widgets/ReportListModel.h"
#include "widgets/ReportView.h"

namespace {

QPushButton* button(const char* name, const char* text, QWidget* parent) {
    auto* b = new QPushButton(QString::fromUtf8(text), parent);
    b->setObjectName(QString::fromUtf8(name));
    b->setAutoDefault(false);
    return b;
}

QLabel* label(const char* name, const char* text, QWidget* parent) {
    auto* l = new QLabel(QString::fromUtf8(text), parent);
    l->setObjectName(QString::fromUtf8(name));
    return l;
}

}  // namespace

SalesRecordsWindow::SalesRecordsWindow(Platform& platform, Database& db, CurrentUser user, QWidget* parent)
    : QDialog(parent), platform_(platform), db_(db), user_(std::move(user)) {
    setObjectName(QStringLiteral("SalesRecordsWindow"));
    setWindowTitle(QStringLiteral("销售Korvane"));
    resize(593, 703);

    auto* queryButton = button("按钮_查询", "查询", this);
    detailsButton_ = button("按钮_查看详情", "查看详情", this);
    auto* exportButton = button("按钮_导出表", "导出表", this);
    auto* resetButton = button("按钮_管理数据", "数据初始化", this);

    auto* searchGroup = new QGroupBox(QStringLiteral("按单号快速查找"), this);
    searchGroup->setObjectName(QStringLiteral("分组框1"));
    searchBox_ = new QLineEdit(searchGroup);
    searchBox_->setObjectName(QStringLiteral("编辑框_查单号"));
    searchBox_->setAccessibleName(searchGroup->title());
    auto* searchButton = button("按钮_搜索", "搜索", searchGroup);
    auto* searchRow = new QHBoxLayout(searchGroup);
    searchRow->addWidget(searchBox_, 1);
    searchRow->addWidget(searchButton);

    view_ = new QTreeView(this);
    view_->setObjectName(QStringLiteral("超级列表框1"));
    rows_ = new ReportListModel({QStringLiteral("序号"), QStringLiteral("销售票号"), QStringLiteral("销售时间"),
                                 QStringLiteral("数量"), QStringLiteral("金额"), QStringLiteral("收银员"),
                                 QStringLiteral("备注")},
                                view_);
    for (int column = 3; column <= 6; ++column) rows_->setAlignment(column, Qt::AlignHCenter);
    setUpReportView(view_, rows_, {50, 90, 126, 50, 80, 60, 115});
    // A receipt number and a sale time are read whole, whatever the font.
    widenColumnFor(view_, 1, QStringLiteral("0000000000000"));
    widenColumnFor(view_, 2, QStringLiteral("2026年12月31日23时59分59秒"));
    view_->setContextMenuPolicy(Qt::CustomContextMenu);

    auto* totals = new QFrame(this);
    totals->setObjectName(QStringLiteral("外形框1"));
    totals->setFrameShape(QFrame::StyledPanel);
    totalQuantity_ = label("标签_销售数量", "", totals);
    totalAmount_ = label("标签_总金额", "", totals);
    auto* totalsRow = new QHBoxLayout(totals);
    QLabel* quantityCaption = label("标签1", "销售总量：", totals);
    quantityCaption->setBuddy(totalQuantity_);
    QLabel* amountCaption = label("标签2", "总金额：", totals);
    amountCaption->setBuddy(totalAmount_);
    totalsRow->addWidget(quantityCaption);
    totalsRow->addWidget(totalQuantity_, 1);
    totalsRow->addWidget(amountCaption);
    totalsRow->addWidget(totalAmount_, 1);

    popup_ = new QMenu(QStringLiteral("菜单"), this);
    popup_->setObjectName(QStringLiteral("菜单"));
    QAction* detailsItem = popup_->addAction(QStringLiteral("查看详情"));
    detailsItem->setObjectName(QStringLiteral("查看详情"));
    QAction* deleteItem = popup_->addAction(QStringLiteral("删除记录"));
    deleteItem->setObjectName(QStringLiteral("删除记录"));

    auto* top = new QHBoxLayout;
    for (QPushButton* b : {queryButton, detailsButton_, exportButton, resetButton}) top->addWidget(b);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(searchGroup);
    layout->addWidget(view_, 1);
    layout->addWidget(totals);

    connect(queryButton, &QPushButton::clicked, this, &SalesRecordsWindow::openQuery);
    connect(detailsButton_, &QPushButton::clicked, this, &SalesRecordsWindow::viewSaleDetails);
    connect(exportButton, &QPushButton::clicked, this, [this] { exportListToSpreadsheet(platform_, this, *rows_); });
    connect(resetButton, &QPushButton::clicked, this, &SalesRecordsWindow::initialiseData);
    connect(searchButton, &QPushButton::clicked, this, &SalesRecordsWindow::searchByReceiptNumber);
    connect(searchBox_, &QLineEdit::returnPressed, this, &SalesRecordsWindow::searchByReceiptNumber);
    connect(view_->selectionModel(), &QItemSelectionModel::selectionChanged, this, &SalesRecordsWindow::selectionChanged);
    connect(view_, &QTreeView::doubleClicked, this, &SalesRecordsWindow::viewSaleDetails);
    connect(view_, &QTreeView::customContextMenuRequested, this, &SalesRecordsWindow::showPopup);
    connect(detailsItem, &QAction::triggered, this, &SalesRecordsWindow::viewSaleDetails);
    connect(deleteItem, &QAction::triggered, this, &SalesRecordsWindow::deleteSaleRecord);

    if (!user_.isAdministrator()) {
        exportButton->setEnabled(false);
        resetButton->setEnabled(false);
    }
    detailsButton_->setEnabled(false);
    fillRecordList(todaysSalesStatement(platform_.clock().now()));
    refreshRecordTotals();
}

bool SalesRecordsWindow::fillRecordList(const SqlStatement& statement) {
    view_->selectionModel()->clear();
    RecordSet records = db_.query(statement.sql, statement.values);
    if (!records.ok()) {
        rows_->clear();
        platform_.prompter().tell(this, QStringLiteral("查询失败！"));
        return false;
    }
    rows_->setRows(salesRecordRows(records));
    return true;
}

QString SalesRecordsWindow::sumRecordColumn(int column) const { return numberText(round2(columnSum(rows_->rows(), column))); }

void SalesRecordsWindow::refreshRecordTotals() {
    totalQuantity_->setText(sumRecordColumn(3));
    totalAmount_->setText(formatMoneyText(sumRecordColumn(4)));
}

void SalesRecordsWindow::searchByReceiptNumber() {
    if (searchBox_->text().isEmpty()) {
        platform_.prompter().tell(this, QStringLiteral("内容不能为空！"));
        return;
    }
    fillRecordList(receiptNumberSearchStatement(searchBox_->text()));
    refreshRecordTotals();
}

void SalesRecordsWindow::selectionChanged() {
    const QModelIndexList selected = view_->selectionModel()->selectedRows();
    if (selected.isEmpty()) return;
    detailsButton_->setEnabled(true);
    selectedRecordId_ = rows_->rowId(selected.first().row());
}

void SalesRecordsWindow::viewSaleDetails() {
    emit detailsRequested(selectedRecordId_);
    auto* details = new SaleDetailsWindow(platform_, db_, user_, selectedRecordId_, this);
    details->setAttribute(Qt::WA_DeleteOnClose);
    connect(details, &SaleDetailsWindow::receiptChanged, this, &SalesRecordsWindow::showStoredTotals);
    details->open();
}

// A corrected receipt shows its new quantity and amount, and the totals follow.
void SalesRecordsWindow::showStoredTotals(qint64 recordId) {
    RecordSet receipt = db_.query(QStringLiteral("SELECT 数量, 金额 FROM 销售记录 WHERE ID = ?"), {recordId});
    if (receipt.isPastLast()) return;
    for (int row = 0; row < rows_->rowCount(); ++row) {
        if (rows_->rowId(row) != recordId) continue;
        rows_->setCell(row, 3, receipt.text(QStringLiteral("数量")));
        rows_->setCell(row, 4, receipt.text(QStringLiteral("金额")));
    }
    refreshRecordTotals();
}

void SalesRecordsWindow::showPopup(const QPoint& at) {
    if (!view_->indexAt(at).isValid()) return;
    popup_->popup(view_->viewport()->mapToGlobal(at));
}

void SalesRecordsWindow::deleteSaleRecord() {
    Prompter& prompter = platform_.prompter();
    if (!user_.isAdministrator()) {
        prompter.tell(this, QStringLiteral("只有管理员才有删除权限！"), MessageIcon::None, QStringLiteral("提示"));
        return;
    }
    const QModelIndexList selected = view_->selectionModel()->selectedRows();
    if (selected.isEmpty()) {
        prompter.tell(this, QStringLiteral("请选择要删除的行！"), MessageIcon::None, QStringLiteral("提示："));
        return;
    }
    if (!prompter.confirm(this, QStringLiteral("确定删除该销售记录吗？"))) return;
    const int row = selected.first().row();
    // Its lines go with it through the table's cascade.
    if (!db_.execute(QStringLiteral("DELETE FROM 销售记录 WHERE ID = ?"), {rows_->rowId(row)})) {
        prompter.tell(this, QStringLiteral("数据删除失败"));
        return;
    }
    view_->selectionModel()->clear();
    rows_->removeRowAt(row);
    for (int i = 0; i < rows_->rowCount(); ++i) rows_->setCell(i, 0, QString::number(i + 1));
    refreshRecordTotals();
}

void SalesRecordsWindow::openQuery() {
    auto* dialog = new QueryDialog(platform_, db_, *this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->open();
}

void SalesRecordsWindow::initialiseData() {
    Prompter& prompter = platform_.prompter();
    if (!prompter.confirm(this, QStringLiteral("确定初始化吗,并备份数据吗 ？"), MessageIcon::None, QStringLiteral("提示")))
        return;
    FileDialogRequest request;
    request.caption = QStringLiteral("备份数据");
    request.filter = QStringLiteral("*.mdb (*)");
    request.proposedName = shortDateText(platform_.clock().now().date()) + QStringLiteral("查询结果.mdb");
    const QString chosen = prompter.saveFileName(this, request);
    QString backup = chosen;
    if (!chosen.isEmpty() && QFileInfo(chosen).suffix().isEmpty()) backup += QStringLiteral(".mdb");
    if (chosen.isEmpty() || !mayReplace(prompter, this, chosen, backup)) {
        prompter.tell(this, QStringLiteral("保存失败！"));
        return;
    }
    switch (DataInitialiser(db_).run(backup)) {
        case DataInitialiser::Result::BackupFailed:
            prompter.tell(this, QStringLiteral("初始化错误！"));
            return;
        case DataInitialiser::Result::ReplaceFailed:
            prompter.tell(this, QStringLiteral("初始化失败！"));
            return;
        case DataInitialiser::Result::Done:
            prompter.tell(this, QStringLiteral("初始化完成，并已备份！"));
            emit dataReplaced();
            return;
    }
}
