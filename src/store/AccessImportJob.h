#pragma once

#include <QObject>
#include <QString>
#include <chrono>
#include <memory>

#include "platform/Shell.h"
#include "store/AccessImporter.h"

class QTemporaryDir;
class QTimer;

// Imports the old program's Access file in a helper process, into a scratch folder inside the
// data folder; install() then puts the new database in place. A reader that crashes, or hangs
// past the time limit (the helper is then killed), gives a failed result, and until install()
// neither the Access file nor the data folder changes.
class AccessImportJob : public QObject {
    Q_OBJECT
public:
    AccessImportJob(Shell& shell, QString accessPath, QString dataDirectory, QObject* parent = nullptr);
    ~AccessImportJob() override;

    // finished() follows from the event loop.
    void start();
    // How long the helper may take; by default a minute plus two seconds per MiB of the file,
    // far beyond what a whole file needs. Changing it restarts a running job's clock.
    void setTimeLimit(std::chrono::milliseconds limit);
    std::chrono::milliseconds timeLimit() const { return timeLimit_; }
    bool isRunning() const { return running_; }
    const AccessImportResult& result() const { return result_; }

    // After a good import: the new database replaces databasePath in one rename and the
    // report goes beside it. False when it could not; databasePath is then as it was.
    bool install(const QString& databasePath);
    // Drops the new database when it is not wanted after all.
    void discard();

    // What the user is told after a good import.
    static QString summaryText(const AccessImportResult& result);

signals:
    void finished(bool ok);

private:
    void helperEnded(HelperEnd end, int exitCode);
    void timedOut();
    void fail(const QString& error);

    Shell& shell_;
    QString accessPath_;
    QString dataDirectory_;
    std::unique_ptr<QTemporaryDir> scratch_;
    // Owns the helper process: deleting it kills the helper and drops its end notice.
    QObject* helper_ = nullptr;
    QTimer* deadline_;
    std::chrono::milliseconds timeLimit_;
    AccessImportResult result_;
    bool running_ = false;
};
