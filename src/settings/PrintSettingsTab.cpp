#include "settings/PrintSettingsTab.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QRegularExpressionValidator>

#include "platform/Prompter.h"
#include "settings/FormControls.h"
#include "store/ConfigReaders.h"
#include "store/Database.h"
#include "store/NumberRules.h"
#include "store/PrintOptions.h"

namespace {

const QString saveFailed = QStringLiteral("数据添加失败");

// Millimetres, signed, with decimals; letters never reach the receipt's geometry.
const QRegularExpression millimetres(QStringLiteral("-?[0-9]{0,6}(\\.[0-9]{0,6})?"));
const QRegularExpression completeNumber(
    QRegularExpression::anchoredPattern(QStringLiteral("-?([0-9]+(\\.[0-9]*)?|\\.[0-9]+)")));

QCheckBox* option(const char* name, const char* text, QWidget* parent) {
    return named(new QCheckBox(QString::fromUtf8(text), parent), name);
}

QLabel* hint(const char* name, const char* text, QWidget* parent) {
    auto* l = formLabel(name, text, nullptr, parent);
    l->setStyleSheet(QStringLiteral("color: #a03030;"));
    return l;
}

}  // namespace

PrintSettingsTab::PrintSettingsTab(Database& db, Prompter& prompter, PrintOptions& printOptions,
                                   bool& saveSalesRecords, QWidget* parent)
    : QWidget(parent),
      db_(db),
      prompter_(prompter),
      printOptions_(printOptions),
      saveSalesRecords_(saveSalesRecords) {
    shopName_ = named(new QLineEdit(this), "编辑框_店名");
    notes_ = named(new QPlainTextEdit(this), "编辑框_备注");
    notes_->setTabChangesFocus(true);
    auto* logoButton = formButton("按钮5", "设置\nLogo", this);
    receiptNumber_ = named(new QLineEdit(this), "编辑框3");
    receiptNumber_->setEnabled(false);
    auto* formatButton = formButton("按钮1", "格式设置", this);
    saveRecords_ = option("选择框_保存销售记录", "保存销售记录", this);
    showPrintDone_ = option("选择框_显示打印完毕", "显示打印完毕", this);
    askPrintAgain_ = option("选择框_提示再次打印", "提示再次打印", this);
    printUnitPrice_ = option("选择框_打印单价", "打印单价", this);
    margin_ = named(new QLineEdit(this), "编辑框_边距");
    offset_ = named(new QLineEdit(this), "编辑框_偏差");
    for (QLineEdit* box : {margin_, offset_}) {
        box->setValidator(new QRegularExpressionValidator(millimetres, box));
        box->setMaximumWidth(90);
    }
    auto* printerButton = formButton("按钮_选择打印机", "选择打印机", this);
    auto* saveButton = formButton("按钮_保存", "保存设置", this);
    // No print font is kept: the button stays out of sight.
    auto* fontButton = formButton("按钮_字体设置", "打印字体设置", this);
    fontButton->hide();
    importButton_ = formButton("按钮_导入旧版数据", "导入旧版数据…", this);

    auto* grid = new QGridLayout(this);
    grid->addWidget(formLabel("标签1", "店名：", shopName_, this), 0, 0);
    grid->addWidget(shopName_, 0, 1, 1, 3);
    grid->addWidget(hint("标签2", "* [请将店名字数控制在16字以内]", this), 1, 1, 1, 3);
    grid->addWidget(formLabel("标签3", "备注：", notes_, this), 2, 0, Qt::AlignTop);
    grid->addWidget(notes_, 2, 1, 1, 3);
    grid->addWidget(hint("标签4", "* [备注内容可通过 Enter 键使文字换行]", this), 3, 1, 1, 3);

    auto* numberRow = new QHBoxLayout;
    numberRow->addWidget(receiptNumber_, 1);
    numberRow->addWidget(formatButton);
    grid->addWidget(formLabel("标签5", "销售票号：", receiptNumber_, this), 4, 0);
    grid->addLayout(numberRow, 4, 1, 1, 2);
    logoButton->setMinimumHeight(2 * formatButton->sizeHint().height());
    grid->addWidget(logoButton, 4, 3, 2, 1);

    auto* options = new QGridLayout;
    options->addWidget(saveRecords_, 0, 0);
    options->addWidget(showPrintDone_, 0, 1);
    options->addWidget(askPrintAgain_, 1, 0);
    options->addWidget(printUnitPrice_, 1, 1);
    grid->addLayout(options, 5, 1, 2, 2);

    const auto numberRowOf = [this](QLineEdit* box, QLabel* unit) {
        auto* row = new QHBoxLayout;
        row->addWidget(box);
        row->addWidget(unit);
        row->addStretch();
        return row;
    };
    grid->addWidget(formLabel("标签6", "纸张边距：", margin_, this), 7, 0);
    grid->addLayout(numberRowOf(margin_, formLabel("标签8", "毫米", nullptr, this)), 7, 1, 1, 3);
    grid->addWidget(hint("标签10", "* [输入正数边距增大，负数缩小]", this), 8, 1, 1, 3);
    grid->addWidget(formLabel("标签7", "打印偏差：", offset_, this), 9, 0);
    grid->addLayout(numberRowOf(offset_, formLabel("标签9", "毫米", nullptr, this)), 9, 1, 1, 3);
    grid->addWidget(hint("标签11", "* [输入正数偏差向右，负数向左]", this), 10, 1, 1, 3);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(printerButton);
    buttons->addWidget(importButton_);
    buttons->addStretch();
    buttons->addWidget(saveButton);
    buttons->addWidget(fontButton);
    grid->setRowStretch(11, 1);
    grid->addLayout(buttons, 12, 0, 1, 4);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(2, 1);

    connect(saveButton, &QPushButton::clicked, this, &PrintSettingsTab::saveBasicSettings);
    connect(logoButton, &QPushButton::clicked, this, &PrintSettingsTab::logoWindowRequested);
    connect(formatButton, &QPushButton::clicked, this, &PrintSettingsTab::numberFormatRequested);
    connect(printerButton, &QPushButton::clicked, this, &PrintSettingsTab::printerDialogRequested);
    connect(importButton_, &QPushButton::clicked, this, &PrintSettingsTab::importLegacyRequested);
    connect(saveRecords_, &QCheckBox::clicked, this, [this](bool checked) {
        optionClicked(saveRecords_, QStringLiteral("保存销售记录"), saveSalesRecords_, checked);
    });
    connect(showPrintDone_, &QCheckBox::clicked, this, [this](bool checked) {
        optionClicked(showPrintDone_, QStringLiteral("显示打印完毕"), printOptions_.showPrintDone, checked);
    });
    connect(askPrintAgain_, &QCheckBox::clicked, this, [this](bool checked) {
        optionClicked(askPrintAgain_, QStringLiteral("提示再次打印"), printOptions_.askPrintAgain, checked);
    });
    connect(printUnitPrice_, &QCheckBox::clicked, this, [this](bool checked) {
        optionClicked(printUnitPrice_, QStringLiteral("打印单价"), printOptions_.printUnitPrice, checked);
    });
}

void PrintSettingsTab::load() {
    margin_->setText(readConfigNumber(db_, prompter_, QStringLiteral("纸张边距"), window()));
    offset_->setText(readConfigNumber(db_, prompter_, QStringLiteral("打印偏差"), window()));
    loadShopTexts();
    const struct {
        QCheckBox* box;
        const char* column;
    } flags[] = {{showPrintDone_, "显示打印完毕"},
                 {askPrintAgain_, "提示再次打印"},
                 {printUnitPrice_, "打印单价"},
                 {saveRecords_, "保存销售记录"}};
    for (const auto& flag : flags)
        flag.box->setChecked(readConfigFlag(db_, prompter_, QString::fromUtf8(flag.column), window()));
}

bool PrintSettingsTab::loadShopTexts() {
    RecordSet config = db_.query(QStringLiteral("SELECT * FROM 配置文件 ORDER BY ID LIMIT 1"));
    if (!config.ok()) {
        prompter_.tell(window(), QStringLiteral("查询失败！"));
        return false;
    }
    shopName_->setText(config.text(QStringLiteral("店名")));
    notes_->setPlainText(config.text(QStringLiteral("备注")));
    return true;
}

void PrintSettingsTab::saveBasicSettings() {
    const QString shopName = shopName_->text();
    const QString notes = notes_->toPlainText();
    if (!db_.execute(QStringLiteral("UPDATE 配置文件 SET 店名 = ?, 备注 = ? WHERE ID = 1"),
                     {shopName, notes})) {
        prompter_.tell(window(), QStringLiteral("数据添加失败!"));
        return;
    }
    // The counter shows what is stored, whatever happens to the numbers below.
    emit shopTextsSaved(shopName, notes);
    if (!saveNumber(QStringLiteral("纸张边距"), margin_, printOptions_.paperMargin)) return;
    if (!saveNumber(QStringLiteral("打印偏差"), offset_, printOptions_.printOffset)) return;
    loadShopTexts();
    prompter_.tell(window(), QStringLiteral("基本信息已经保存！"));
}

bool PrintSettingsTab::saveNumber(const QString& column, QLineEdit* box, int& inMemory) {
    // A lone "-" or "." is no number: refused like an empty box, so the stored text always
    // means what the receipt uses.
    const QString text = box->text();
    if (!completeNumber.match(text).hasMatch() || !writeConfigValue(db_, column, text)) {
        prompter_.tell(window(), saveFailed);
        return false;
    }
    inMemory = static_cast<int>(wholeNumberOf(readConfigNumber(db_, prompter_, column, window())));
    return true;
}

void PrintSettingsTab::optionClicked(QCheckBox* box, const QString& column, bool& inMemory, bool checked) {
    if (writeConfigValue(db_, column, checked ? QStringLiteral("真") : QStringLiteral("假"))) {
        inMemory = checked;
        return;
    }
    prompter_.tell(window(), saveFailed);
    // The box goes back to what is stored and used.
    const QSignalBlocker blocker(box);
    box->setChecked(inMemory);
}

void PrintSettingsTab::showReceiptNumber(const QString& number) {
    receiptNumber_->setText(number);
}

void PrintSettingsTab::allowImport(bool allowed) {
    importButton_->setEnabled(allowed);
}
