#pragma once

#include <QString>

// Writes a new database with the seed rows at path. It is built in a temporary file beside
// the target and renamed into place, so the target is either the whole new file or untouched.
bool writeBlankDatabase(const QString& path);

// Puts from in place of to in one step (rename within a folder), then syncs the folder.
bool replaceFile(const QString& from, const QString& to);
