#include "settings/CustomerWindow.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QTreeView>

#include "platform/Prompter.h"
#include "settings/FormControls.h"
#include "store/Database.h"
#include "widgets/QueryFill.h"
#include "widgets/ReportListModel.h"
#include "widgets/ReportView.h"

namespace {

const QString everyCustomer = QStringLiteral("SELECT * FROM 客户资料 ORDER BY ID");

// "Contains the text": the user's own % and _ stand for themselves.
QString containsPattern(QString text) {
    text.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    text.replace(QLatin1Char('%'), QStringLiteral("\\%"));
    text.replace(QLatin1Char('_'), QStringLiteral("\\_"));
    return QLatin1Char('%') + text + QLatin1Char('%');
}

}  // namespace

CustomerWindow::CustomerWindow(Database& db, Prompter& prompter, QWidget* parent)
    : QDialog(parent), db_(db), prompter_(prompter), listing_{everyCustomer, {}} {
    setObjectName(QStringLiteral("CustomerWindow"));
    setWindowTitle(QStringLiteral("销售Korvane"));
    resize(440, 411);

    view_ = named(new QTreeView(this), "超级列表框1");
    rows_ =
        new ReportListModel({QStringLiteral("序号"), QStringLiteral("客户"), QStringLiteral("电话")}, view_);
    setUpReportView(view_, rows_, {50, 100, 100});

    name_ = named(new QLineEdit(this), "编辑框_客户");
    phone_ = named(new QLineEdit(this), "编辑框_电话");
    auto* addButton = formButton("按钮_添加", "添加", this);
    auto* modifyButton = formButton("按钮_修改", "修改", this);
    auto* deleteButton = formButton("按钮_删除", "删除", this);
    auto* edit = new QGridLayout;
    edit->addWidget(formLabel("标签_客户", "客户：", name_, this), 0, 0);
    edit->addWidget(name_, 0, 1);
    edit->addWidget(formLabel("标签_电话", "电话：", phone_, this), 0, 2);
    edit->addWidget(phone_, 0, 3);
    auto* editButtons = new QHBoxLayout;
    editButtons->addStretch();
    for (QPushButton* b : {addButton, modifyButton, deleteButton}) editButtons->addWidget(b);
    edit->addLayout(editButtons, 1, 0, 1, 4);
    edit->setColumnStretch(1, 1);
    edit->setColumnStretch(3, 1);

    auto* search = new QGroupBox(QStringLiteral("查找客户"), this);
    findName_ = named(new QLineEdit(search), "编辑框3");
    findPhone_ = named(new QLineEdit(search), "编辑框4");
    byPart_ = named(new QCheckBox(QStringLiteral("模糊查找"), search), "选择框1");
    auto* findButton = formButton("按钮__查询", "查询", search);
    auto* find = new QGridLayout(search);
    find->addWidget(formLabel("标签1_客户", "客户：", findName_, search), 0, 0);
    find->addWidget(findName_, 0, 1);
    find->addWidget(formLabel("标签1_电话", "电话：", findPhone_, search), 0, 2);
    find->addWidget(findPhone_, 0, 3);
    find->addWidget(byPart_, 1, 1);
    find->addWidget(findButton, 1, 3, Qt::AlignRight);
    find->setColumnStretch(1, 1);
    find->setColumnStretch(3, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(view_, 1);
    layout->addLayout(edit);
    layout->addWidget(search);

    connect(view_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &CustomerWindow::pickCustomer);
    connect(addButton, &QPushButton::clicked, this, &CustomerWindow::addCustomer);
    connect(modifyButton, &QPushButton::clicked, this, &CustomerWindow::modifyCustomer);
    connect(deleteButton, &QPushButton::clicked, this, &CustomerWindow::deleteCustomer);
    connect(findButton, &QPushButton::clicked, this, &CustomerWindow::findCustomers);

    fill(listing_);
}

bool CustomerWindow::fill(const Listing& listing) {
    selectedRow_ = -1;
    return fillListFromQuery(db_, prompter_, listing.sql, listing.values, *rows_,
                             {QStringLiteral("姓名"), QStringLiteral("电话")}, this);
}

void CustomerWindow::pickCustomer() {
    const QModelIndexList selected = view_->selectionModel()->selectedRows();
    selectedRow_ = selected.isEmpty() ? -1 : selected.first().row();
    name_->setText(rows_->cell(selectedRow_, 1));
    phone_->setText(rows_->cell(selectedRow_, 2));
}

qint64 CustomerWindow::selectedId() const {
    return rows_->rowId(selectedRow_);
}

void CustomerWindow::afterCustomerChange() {
    name_->clear();
    phone_->clear();
    listing_ = {everyCustomer, {}};
    fill(listing_);
}

void CustomerWindow::addCustomer() {
    if (db_.execute(QStringLiteral("INSERT INTO 客户资料 (姓名, 电话) VALUES (?, ?)"),
                    {name_->text(), phone_->text()}))
        afterCustomerChange();
    else
        prompter_.tell(this, QStringLiteral("添加失败！"));
}

void CustomerWindow::modifyCustomer() {
    // With no row chosen the ID is 0, which no customer has: nothing changes.
    if (db_.execute(QStringLiteral("UPDATE 客户资料 SET 姓名 = ?, 电话 = ? WHERE ID = ?"),
                    {name_->text(), phone_->text(), selectedId()}))
        afterCustomerChange();
    else
        prompter_.tell(this, QStringLiteral("数据添加失败"));
}

void CustomerWindow::deleteCustomer() {
    if (db_.execute(QStringLiteral("DELETE FROM 客户资料 WHERE ID = ?"), {selectedId()}))
        afterCustomerChange();
    else
        prompter_.tell(this, QStringLiteral("数据删除失败"));
}

void CustomerWindow::findCustomers() {
    const bool byPart = byPart_->isChecked();
    const auto condition = [byPart](const char* column, const QString& text) {
        const QString c = QString::fromUtf8(column);
        return byPart ? Listing{QStringLiteral("SELECT * FROM 客户资料 WHERE ") + c +
                                    QStringLiteral(" LIKE ? ESCAPE '\\' ORDER BY ID"),
                                {containsPattern(text)}}
                      : Listing{QStringLiteral("SELECT * FROM 客户资料 WHERE ") + c +
                                    QStringLiteral(" = ? ORDER BY ID"),
                                {text}};
    };
    if (!findName_->text().isEmpty())
        listing_ = condition("姓名", findName_->text());
    else if (!findPhone_->text().isEmpty())
        listing_ = condition("电话", findPhone_->text());
    fill(listing_);
}
