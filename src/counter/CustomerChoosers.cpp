#include "counter/CustomerChoosers.h"

#include <QCheckBox>
#include <QLineEdit>

#include "counter/MainWindowUi.h"
#include "platform/Prompter.h"
#include "store/ConfigReaders.h"
#include "store/Database.h"
#include "widgets/DropDownEdit.h"

CustomerChoosers::CustomerChoosers(Database& db, Prompter& prompter, const MainWindowUi& ui, QObject* parent)
    : QObject(parent), db_(db), prompter_(prompter), ui_(ui) {
    connect(ui_.phoneSwitch, &QCheckBox::clicked, this, &CustomerChoosers::phoneSwitched);
    connect(ui_.customerSwitch, &QCheckBox::clicked, this, &CustomerChoosers::customerSwitched);
    connect(ui_.phoneCombo, qOverload<int>(&QComboBox::activated), this,
            [this](int index) { picked(index, *ui_.phoneCombo, *ui_.customerCombo); });
    connect(ui_.customerCombo, qOverload<int>(&QComboBox::activated), this,
            [this](int index) { picked(index, *ui_.customerCombo, *ui_.phoneCombo); });
}

void CustomerChoosers::start() {
    if (ui_.phoneSwitch->isChecked()) phoneSwitched(true);
    if (ui_.customerSwitch->isChecked()) customerSwitched(true);
}

void CustomerChoosers::phoneSwitched(bool on) {
    ui_.phoneCombo->setEnabled(on);
    if (on) ui_.phone->setText(ui_.phoneCombo->itemText(0));
    store(QStringLiteral("电话"), on);
    if (on) refill(QStringLiteral("电话"), *ui_.phoneCombo);
}

void CustomerChoosers::customerSwitched(bool on) {
    ui_.customerCombo->setEnabled(on);
    store(QStringLiteral("客户"), on);
    if (on) refill(QStringLiteral("姓名"), *ui_.customerCombo);
}

void CustomerChoosers::store(const QString& column, bool on) {
    if (!writeConfigValue(db_, column, on ? QStringLiteral("真") : QStringLiteral("假")))
        prompter_.tell(ui_.phoneCombo->window(), QStringLiteral("数据修改失败"));
}

void CustomerChoosers::refill(const QString& column, DropDownEdit& combo) {
    RecordSet rows = db_.query(QStringLiteral("SELECT * FROM 客户资料 ORDER BY ID"));
    if (!rows.ok()) {
        combo.replaceItems({});
        prompter_.tell(combo.window(), QStringLiteral("查询失败！"));
        return;
    }
    QStringList texts;
    QList<QVariant> ids;
    for (; !rows.isPastLast(); rows.next()) {
        texts << rows.text(column);
        ids << QVariant(rows.integer(QStringLiteral("ID")));
    }
    combo.replaceItems(texts, ids);
}

void CustomerChoosers::picked(int index, DropDownEdit& from, DropDownEdit& other) {
    if (index < 0) return;
    from.lineEdit()->setText(from.itemText(index));
    // The other list may lack the customer (empty when its switch was never on).
    const int same = other.findData(from.itemData(index));
    other.lineEdit()->setText(same >= 0 ? other.itemText(same) : QString());
}
