#include "platform/ChildProcess.h"

#include <QProcess>

void runChildProcess(const QString& program, const QStringList& arguments, QObject* context,
                     HelperDone done) {
    auto* process = new QProcess(context);
    process->setProcessChannelMode(QProcess::ForwardedChannels);
    QObject::connect(
        process, &QProcess::finished, context, [process, done](int exitCode, QProcess::ExitStatus status) {
            process->deleteLater();
            done(status == QProcess::CrashExit ? HelperEnd::Crashed : HelperEnd::Finished, exitCode);
        });
    QObject::connect(process, &QProcess::errorOccurred, context,
                     [process, done](QProcess::ProcessError error) {
                         // A crash is also reported by finished(); only a failed start ends here.
                         if (error != QProcess::FailedToStart) return;
                         process->deleteLater();
                         done(HelperEnd::NotStarted, -1);
                     });
    // The context going first ends the helper (children are deleted after destroyed()),
    // without calling done.
    QObject::connect(context, &QObject::destroyed, process, [process] {
        process->disconnect();
        process->kill();
        process->waitForFinished();
    });
    process->start(program, arguments);
}
