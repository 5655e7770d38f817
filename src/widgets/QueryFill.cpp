#include "widgets/QueryFill.h"

#include "platform/Prompter.h"
#include "store/Database.h"
#include "widgets/DropDownEdit.h"
#include "widgets/ReportListModel.h"

bool fillListFromQuery(Database& db, Prompter& prompter, const QString& sql, const QVariantList& values,
                       ReportListModel& list, const QStringList& columns, QWidget* owner) {
    list.clear();
    RecordSet rows = db.query(sql, values);
    if (!rows.ok()) {
        prompter.tell(owner, QStringLiteral("查询失败！"));
        return false;
    }
    QVector<ReportListModel::Row> out;
    for (; !rows.isPastLast(); rows.next()) {
        QStringList cells;
        cells.reserve(columns.size() + 1);
        cells << QString::number(out.size() + 1);
        for (const QString& column : columns) cells << rows.text(column);
        out.append({rows.integer(QStringLiteral("ID")), std::move(cells)});
    }
    list.setRows(std::move(out));
    return true;
}

bool fillComboFromQuery(Database& db, Prompter& prompter, const QString& sql, const QVariantList& values,
                        DropDownEdit& combo, const QString& column, bool withId, QWidget* owner) {
    RecordSet rows = db.query(sql, values);
    if (!rows.ok()) {
        combo.replaceItems({});
        prompter.tell(owner, QStringLiteral("查询失败！"));
        return false;
    }
    QStringList texts;
    QList<QVariant> ids;
    for (; !rows.isPastLast(); rows.next()) {
        texts << rows.text(column);
        ids << (withId ? QVariant(rows.integer(QStringLiteral("ID"))) : QVariant());
    }
    combo.replaceItems(texts, ids);
    return true;
}
