#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

class AccessImportJob;
class Database;
class Platform;
class QProgressDialog;
class QWidget;

// Replaces the current data by those of the old program's Access file: after a confirmation
// the user picks the file and a backup name; once the import has read the whole file the
// current data are backed up as data initialisation does and the new database takes the place
// of RX.mdb. Until then nothing changes; after it the program must start again.
class LegacyDataImport : public QObject {
    Q_OBJECT
public:
    LegacyDataImport(Platform& platform, Database& db, QWidget* owner);
    ~LegacyDataImport() override;

    // Asks, then imports in the background under a window-modal progress box.
    void start();
    bool isRunning() const;

signals:
    // The data were replaced: the program should start again on the new database.
    void dataReplaced();

private:
    void importFinished(bool ok);
    void replaceData();

    Platform& platform_;
    Database& db_;
    QWidget* owner_;
    AccessImportJob* job_ = nullptr;
    QPointer<QProgressDialog> progress_;
    QString backupPath_;
};
