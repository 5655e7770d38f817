#include "counter/NumberFormatDialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLineEdit>
#include <QPushButton>

#include "counter/ReceiptNumbering.h"
#include "platform/Clock.h"
#include "platform/Prompter.h"
#include "store/Database.h"
#include "store/Transaction.h"

NumberFormatDialog::NumberFormatDialog(Database& db, Prompter& prompter, Clock& clock,
                                       ReceiptNumbering& numbering, QWidget* parent)
    : QDialog(parent), db_(db), prompter_(prompter), numbering_(numbering) {
    setObjectName(QStringLiteral("NumberFormatDialog"));
    setWindowTitle(QStringLiteral("销售Korvane"));
    resize(345, 190);

    customBox_ = new QCheckBox(QStringLiteral("加自定义前缀"), this);
    customBox_->setObjectName(QStringLiteral("选择框1"));
    customPrefix_ = new QLineEdit(this);
    customPrefix_->setObjectName(QStringLiteral("编辑框1"));
    // A stored receipt number holds at most 50 characters, seven of them the counter.
    customPrefix_->setMaxLength(43);
    dateBox_ = new QCheckBox(QStringLiteral("加入日期前缀"), this);
    dateBox_->setObjectName(QStringLiteral("选择框2"));
    datePrefix_ = new QLineEdit(this);
    datePrefix_->setObjectName(QStringLiteral("编辑框2"));
    datePrefix_->setReadOnly(true);
    auto* ok = new QPushButton(QStringLiteral("确定"), this);
    ok->setObjectName(QStringLiteral("按钮1"));
    ok->setAutoDefault(false);
    auto* cancel = new QPushButton(QStringLiteral("取消"), this);
    cancel->setObjectName(QStringLiteral("按钮2"));
    cancel->setAutoDefault(false);

    auto* grid = new QGridLayout(this);
    grid->addWidget(customBox_, 0, 0);
    grid->addWidget(customPrefix_, 0, 1);
    grid->addWidget(dateBox_, 1, 0);
    grid->addWidget(datePrefix_, 1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    grid->addLayout(buttons, 2, 0, 1, 2);

    customPrefix_->setText(numbering_.customPrefix());
    datePrefix_->setText(ReceiptNumbering::datePrefix(clock.now()));
    numbering_.readNumberFormatMode();
    choose(numbering_.numberFormatMode() == ReceiptNumbering::CustomPrefixMode);

    // Exactly one of the two boxes is checked at any time.
    connect(customBox_, &QCheckBox::clicked, this, [this](bool on) { choose(on); });
    connect(dateBox_, &QCheckBox::clicked, this, [this](bool on) { choose(!on); });
    connect(ok, &QPushButton::clicked, this, &NumberFormatDialog::store);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void NumberFormatDialog::choose(bool custom) {
    customBox_->setChecked(custom);
    dateBox_->setChecked(!custom);
    customPrefix_->setEnabled(custom);
    datePrefix_->setEnabled(!custom);
}

void NumberFormatDialog::store() {
    const bool custom = customBox_->isChecked();
    const QString prefix = customPrefix_->text();
    // The table refuses an empty prefix; asking first keeps mode and prefix from parting ways.
    if (prefix.isEmpty()) {
        prompter_.tell(this, QStringLiteral("自定义前缀不能为空！"), MessageIcon::Error);
        return;
    }
    // Mode and prefix change together or not at all.
    Transaction transaction = db_.transaction();
    if (!transaction.isActive() || !db_.execute(QStringLiteral("UPDATE 配置文件 SET 全局单号格式 = ?"),
                                                {custom ? QStringLiteral("1") : QStringLiteral("2")})) {
        prompter_.tell(this, QStringLiteral("数据添加失败"));
        return;
    }
    if (!db_.execute(QStringLiteral("UPDATE 配置文件 SET 单号格式 = ? WHERE ID = 1"), {prefix}) ||
        !transaction.commit()) {
        prompter_.tell(this, QStringLiteral("数据添加失败！"), MessageIcon::Error);
        return;
    }
    numbering_.readNumberFormatMode();
    const QString chosen = custom ? prefix : datePrefix_->text();
    numbering_.restart(chosen);
    emit numberRestarted(chosen + ReceiptNumbering::counterText(1));
}
