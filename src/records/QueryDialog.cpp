#include "records/QueryDialog.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QStyle>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "platform/Clock.h"
#include "platform/Platform.h"
#include "records/SalesRecordsWindow.h"
#include "widgets/DropDownEdit.h"
#include "widgets/Named.h"
#include "widgets/QueryFill.h"

namespace {

QCheckBox* switchFor(const char* name, const char* text, QWidget* control, QWidget* parent) {
    auto* box = named(new QCheckBox(QString::fromUtf8(text), parent), name);
    control->setEnabled(false);
    control->setAccessibleName(box->text());
    QObject::connect(box, &QCheckBox::toggled, control, &QWidget::setEnabled);
    return box;
}

}  // namespace

QueryDialog::QueryDialog(Platform& platform, Database& db, SalesRecordsWindow& records)
    : QDialog(&records), platform_(platform), db_(db), records_(records) {
    setObjectName(QStringLiteral("QueryDialog"));
    setWindowTitle(QStringLiteral("查询"));
    resize(359, 345);

    const QDate today = platform_.clock().now().date();
    from_ = named(new QDateEdit(today, this), "日期框1");
    to_ = named(new QDateEdit(today, this), "日期框2");
    for (QDateEdit* date : {from_, to_}) {
        date->setCalendarPopup(true);
        date->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
        // The whole date beside the drop-down arrow (the box's own size hint leaves out the arrow).
        const QFontMetrics metrics = date->fontMetrics();
        date->setMinimumWidth(metrics.horizontalAdvance(QStringLiteral("8888-88-88")) + 4 * metrics.averageCharWidth() +
                              date->style()->pixelMetric(QStyle::PM_ScrollBarExtent));
    }
    // The range always applies; the box only unlocks the dates for changing.
    useTime_ = named(new QCheckBox(QStringLiteral("时间："), this), "选择框_时间");
    for (QDateEdit* date : {from_, to_}) {
        date->setEnabled(false);
        connect(useTime_, &QCheckBox::toggled, date, &QWidget::setEnabled);
    }
    quantity_ = named(new QLineEdit(this), "编辑框_数量1");
    useQuantity_ = switchFor("选择框_数量", "数量", quantity_, this);
    amount_ = named(new QLineEdit(this), "编辑框_销售金额1");
    useAmount_ = switchFor("选择框_金额", "金额", amount_, this);
    cashier_ = named(new DropDownEdit(true, this), "组合框_收银员");
    useCashier_ = switchFor("选择框_收银员", "收银员", cashier_, this);

    auto* mode = named(new QGroupBox(QStringLiteral("查询方式"), this), "分组框1");
    fuzzy_ = named(new QRadioButton(QStringLiteral("模糊查找"), mode), "单选框_模糊");
    exact_ = named(new QRadioButton(QStringLiteral("精确查找"), mode), "单选框_精确");
    fuzzy_->setChecked(true);
    auto* explanation = named(new QLabel(QStringLiteral("\r\n* 模糊查找   \r\n1.不一定准确\r\n2.很方便使用\r\n\r\n*精确查找\r\n"
                                                        "1.所有条件勾选\r\n2.准确率高"),
                                         mode),
                              "标签_说明");
    auto* modeLayout = new QGridLayout(mode);
    modeLayout->addWidget(fuzzy_, 0, 0);
    modeLayout->addWidget(exact_, 1, 0);
    modeLayout->addWidget(explanation, 0, 1, 3, 1);
    modeLayout->setRowStretch(2, 1);

    auto* queryButton = named(new QPushButton(QStringLiteral("查询"), this), "按钮1");
    queryButton->setDefault(true);
    auto* closeButton = named(new QPushButton(QStringLiteral("关闭"), this), "按钮2");
    closeButton->setAutoDefault(false);

    auto* grid = new QGridLayout;
    grid->addWidget(useTime_, 0, 0);
    grid->addWidget(from_, 0, 1);
    grid->addWidget(named(new QLabel(QStringLiteral("至"), this), "标签1"), 0, 2);
    grid->addWidget(to_, 0, 3);
    grid->addWidget(useQuantity_, 1, 0);
    grid->addWidget(quantity_, 1, 1, 1, 3);
    grid->addWidget(useAmount_, 2, 0);
    grid->addWidget(amount_, 2, 1, 1, 3);
    grid->addWidget(useCashier_, 3, 0);
    grid->addWidget(cashier_, 3, 1, 1, 3);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(queryButton);
    buttons->addWidget(closeButton);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(mode, 1);
    layout->addLayout(buttons);

    connect(queryButton, &QPushButton::clicked, this, &QueryDialog::runSalesQuery);
    connect(closeButton, &QPushButton::clicked, this, &QDialog::close);

    fillComboFromQuery(db_, platform_.prompter(), QStringLiteral("SELECT * FROM 用户登录 ORDER BY ID"), {}, *cashier_,
                       QStringLiteral("用户名"), true, this);
    cashier_->setEditText(QString());
}

SalesQueryConditions QueryDialog::conditions() const {
    SalesQueryConditions c;
    c.from = from_->date();
    c.to = to_->date();
    c.useQuantity = useQuantity_->isChecked();
    c.quantity = quantity_->text();
    c.useAmount = useAmount_->isChecked();
    c.amount = amount_->text();
    c.useCashier = useCashier_->isChecked();
    c.cashier = cashier_->currentText();
    c.exact = exact_->isChecked();
    return c;
}

void QueryDialog::runSalesQuery() {
    const SalesQueryConditions c = conditions();
    records_.fillRecordList(salesQueryStatement(c, rangeHoldsMostSales(db_, c)));
    records_.refreshRecordTotals();
}
