#pragma once

#include <QString>
#include <QVariantList>

class Database;
class Prompter;
class QWidget;

// Readers of the one configuration row. Each runs its own query, so every window sees the
// file as it is now. A failed query shows "查询失败！" and gives the neutral value.
QString readConfigText(Database& db, Prompter& prompter, const QString& column, QWidget* owner = nullptr);
bool readConfigFlag(Database& db, Prompter& prompter, const QString& column, QWidget* owner = nullptr);
// A text for the caller's whole-number rule; "假" (so 0) when the query fails.
QString readConfigNumber(Database& db, Prompter& prompter, const QString& column, QWidget* owner = nullptr);
// 是否打印logo; "logo数据打开失败！" on failure.
QString readLogoFlag(Database& db, Prompter& prompter, QWidget* owner = nullptr);

// The column's text in the last row of the result; empty when there is none.
QString readLastValue(Database& db, Prompter& prompter, const QString& sql, const QVariantList& values,
                      const QString& column, QWidget* owner = nullptr);

// Writes one column of the configuration row.
bool writeConfigValue(Database& db, const QString& column, const QVariant& value);
