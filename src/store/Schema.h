#pragma once

#include <QString>
#include <QStringList>

namespace Schema {

// 'KRVN': tells our files from other SQLite files.
constexpr qint64 applicationId = 1263687246;
constexpr int version = 1;

// The statements of a script resource (":/store/schema.sql"), comments dropped.
QStringList statements(const QString& resource);

}  // namespace Schema
