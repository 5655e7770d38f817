#include "platform/SystemShell.h"

#include "platform/ChildProcess.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

bool SystemShell::isInstalled(const QString& program) const {
    return !QStandardPaths::findExecutable(program).isEmpty();
}

bool SystemShell::startProgram(const QString& program, const QStringList& arguments) {
    return QProcess::startDetached(program, arguments);
}

bool SystemShell::openUrl(const QUrl& url) { return QDesktopServices::openUrl(url); }

bool SystemShell::restartProgram() {
    return QProcess::startDetached(QCoreApplication::applicationFilePath(), {});
}

void SystemShell::runHelper(const QStringList& arguments, QObject* context, HelperDone done) {
    runChildProcess(QCoreApplication::applicationFilePath(), arguments, context, std::move(done));
}
