#include "counter/ProductTypeAhead.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <algorithm>
#include <utility>

#include "counter/MainWindowUi.h"
#include "platform/Prompter.h"
#include "store/Database.h"
#include "store/NumberRules.h"
#include "widgets/DropDownEdit.h"
#include "widgets/WheelNotches.h"

namespace {

// The box text as a LIKE prefix: its own % and _ stand for themselves.
QString likePrefix(const QString& text) {
    QString escaped = text;
    escaped.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    escaped.replace(QLatin1Char('%'), QStringLiteral("\\%"));
    escaped.replace(QLatin1Char('_'), QStringLiteral("\\_"));
    return escaped + QLatin1Char('%');
}

}  // namespace

ProductTypeAhead::ProductTypeAhead(Database& db, Prompter& prompter, const MainWindowUi& ui, QObject* parent)
    : QObject(parent), db_(db), prompter_(prompter), ui_(ui) {
    ui_.name->installEventFilter(this);
    connect(ui_.name, &QLineEdit::textEdited, this, &ProductTypeAhead::nameEdited);
    connect(ui_.nameCombo, &DropDownEdit::aboutToDropDown, this, &ProductTypeAhead::fillProductCombo);
    connect(ui_.nameCombo, qOverload<int>(&QComboBox::activated), this,
            &ProductTypeAhead::suggestionSelected);
    for (QWidget* over : {static_cast<QWidget*>(ui_.nameCombo), static_cast<QWidget*>(ui_.name)})
        connect(new WheelNotches(over), &WheelNotches::notch, this, &ProductTypeAhead::wheelOverName);
}

bool ProductTypeAhead::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        deleting_ = key == Qt::Key_Backspace || key == Qt::Key_Delete;
    }
    return QObject::eventFilter(watched, event);
}

bool ProductTypeAhead::lookupProduct() {
    // The last product in table order decides, as the list of products shows them.
    RecordSet rows = db_.query(QStringLiteral("SELECT 名称, 单价 FROM 商品名称 WHERE 名称 LIKE ? ESCAPE '\\' "
                                              "ORDER BY ID DESC LIMIT 1"),
                               {likePrefix(ui_.name->text())});
    if (!rows.ok()) {
        prompter_.tell(ui_.name->window(), QStringLiteral("查询失败！"));
        return false;
    }
    if (rows.isPastLast()) return true;
    lastFoundName_ = rows.text(QStringLiteral("名称"));
    ui_.price->setText(rows.text(QStringLiteral("单价")));
    return true;
}

void ProductTypeAhead::nameEdited(const QString& text) {
    // Text from an input method comes without a key press; it never counts as deleting.
    const bool deleted = std::exchange(deleting_, false);
    if (text.isEmpty()) {
        ui_.price->setText(QStringLiteral("0.00"));
        return;
    }
    // Deleting (Backspace over the completion, or more) must not bring the completion back.
    if (deleted) return;
    if (!lookupProduct()) return;
    // Only a name that really begins with what was typed completes it.
    if (lastFoundName_.size() <= text.size() || !lastFoundName_.startsWith(text, Qt::CaseInsensitive)) return;
    const QString completion = lastFoundName_.mid(text.size());
    ui_.name->setText(text + completion);
    ui_.name->setSelection(static_cast<int>(text.size()), static_cast<int>(completion.size()));
}

void ProductTypeAhead::fillProductCombo() {
    RecordSet rows = db_.query(QStringLiteral("SELECT 名称, 单价 FROM 商品名称 ORDER BY ID"));
    if (!rows.ok()) {
        ui_.nameCombo->replaceItems({});
        prompter_.tell(ui_.name->window(), QStringLiteral("查询失败！"));
        return;
    }
    QStringList names;
    QList<QVariant> prices;
    for (; !rows.isPastLast(); rows.next()) {
        names << rows.text(QStringLiteral("名称"));
        prices << QVariant(wholeNumberOf(rows.text(QStringLiteral("单价"))));
    }
    ui_.nameCombo->replaceItems(names, prices);
}

void ProductTypeAhead::suggestionSelected(int index) {
    if (index < 0) return;
    suggestionPicked_ = true;
    ui_.name->setText(ui_.nameCombo->itemText(index));
    ui_.price->setText(numberText(static_cast<double>(ui_.nameCombo->itemData(index).toLongLong())));
}

void ProductTypeAhead::wheelOverName(int direction) {
    const int count = ui_.nameCombo->count();
    if (count == 0) return;
    suggestionIndex_ += direction > 0 ? -1 : 1;
    suggestionIndex_ = std::clamp(suggestionIndex_, 1, count);
    const int item = suggestionIndex_ - 1;
    ui_.name->setText(ui_.nameCombo->itemText(item));
    ui_.price->setText(numberText(static_cast<double>(ui_.nameCombo->itemData(item).toLongLong())));
}
