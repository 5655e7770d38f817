#include "receipt/PrinterDialog.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/Printing.h"
#include "platform/Prompter.h"
#include "widgets/Named.h"

PrinterDialog::PrinterDialog(Printing& printing, Prompter& prompter, QWidget* parent)
    : QDialog(parent), printing_(printing), prompter_(prompter) {
    setObjectName(QStringLiteral("PrinterDialog"));
    setWindowTitle(QStringLiteral("销售Korvane"));
    resize(354, 210);

    auto* group = named(new QGroupBox(QStringLiteral("请选择使用的打印设备"), this), "分组框1");
    printers_ = named(new QComboBox(group), "组合框_打印机名称");
    printers_->setMinimumWidth(256);
    auto* groupLayout = new QVBoxLayout(group);
    groupLayout->addWidget(printers_);
    auto* save = named(new QPushButton(QStringLiteral("保存"), this), "按钮_保存");
    auto* quit = named(new QPushButton(QStringLiteral("退出"), this), "按钮1");
    for (QPushButton* button : {save, quit}) {
        button->setAutoDefault(false);
        button->setMinimumSize(96, 40);
    }
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(save);
    buttons->addStretch();
    buttons->addWidget(quit);
    layout->addLayout(buttons);

    fillPrinterList();
    // The user's default preselected; none when it is not in the list, the first when there is none.
    const QString current = printing_.defaultPrinter().section(QLatin1Char(','), 0, 0);
    if (current.isEmpty())
        printers_->setCurrentIndex(printers_->count() > 0 ? 0 : -1);
    else
        printers_->setCurrentIndex(printers_->findText(current, Qt::MatchStartsWith));

    connect(save, &QPushButton::clicked, this, &PrinterDialog::saveDefaultPrinter);
    connect(quit, &QPushButton::clicked, this, &QDialog::close);
}

void PrinterDialog::fillPrinterList() {
    printers_->clear();
    const std::optional<QStringList> names = printing_.printerNames();
    if (!names) {
        prompter_.tell(this, QStringLiteral("枚举打印机失败"));
        return;
    }
    for (const QString& name : *names) printers_->addItem(name.section(QLatin1Char(','), 0, 0));
}

void PrinterDialog::saveDefaultPrinter() {
    const QString name = printers_->currentIndex() >= 0 ? printers_->currentText() : QString();
    if (!printing_.setDefaultPrinter(name))
        prompter_.tell(this, name.isEmpty() ? QStringLiteral("请先选择一台打印机。")
                                            : QStringLiteral("无法把 ") + name + QStringLiteral(" 设为默认打印机！"),
                       MessageIcon::Error);
}
