#pragma once

#include <QString>
#include <QStringList>

#include "platform/Shell.h"

class QObject;

// Starts program and calls done once it has ended, from the event loop: the caller never
// waits. The process belongs to context; when context goes first, the process is ended and
// done is not called.
void runChildProcess(const QString& program, const QStringList& arguments, QObject* context, HelperDone done);
