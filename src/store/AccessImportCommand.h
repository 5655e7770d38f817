#pragma once

#include <QString>
#include <QStringList>

#include "store/AccessImporter.h"

// The import as a helper copy of the program runs it, so that a reader crashing on a damaged
// file ends only the helper. The helper writes its result to a file that the caller reads.

// Whether the program was started as that helper (its first argument).
bool isAccessImportCommand(const char* firstArgument);
QStringList accessImportArguments(const QString& accessPath, const QString& targetPath,
                                  const QString& resultPath);
// In the helper, with the arguments after the program name. 0 once the result is written.
int runAccessImportCommand(const QStringList& arguments);
// In the caller, after the helper ended; a missing or unreadable result is a failure.
AccessImportResult readAccessImportResult(const QString& resultPath);
