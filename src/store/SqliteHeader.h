#pragma once

#include <QString>

// Looks at the first 100 bytes of a file: an empty text when it is a whole SQLite database,
// else what is wrong (empty, not SQLite, truncated).
QString checkSqliteHeader(const QString& path);
