#pragma once

#include <QString>
#include <QStringList>
#include <QVariantList>

class Database;
class Prompter;
class QWidget;
class ReportListModel;
class DropDownEdit;

// Fills a list from one SELECT: column 0 is the row number from 1, then the named columns;
// each row carries its record's ID. "查询失败！" and an empty list when the query fails.
bool fillListFromQuery(Database& db, Prompter& prompter, const QString& sql, const QVariantList& values,
                       ReportListModel& list, const QStringList& columns, QWidget* owner = nullptr);

// Fills a drop-down list with one column, optionally with the row's ID as each item's value.
bool fillComboFromQuery(Database& db, Prompter& prompter, const QString& sql, const QVariantList& values,
                        DropDownEdit& combo, const QString& column, bool withId, QWidget* owner = nullptr);
