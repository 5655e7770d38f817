#pragma once

#include <QObject>
#include <QString>
#include <memory>

#include "startup/SingleInstance.h"
#include "store/CurrentUser.h"
#include "store/Database.h"

class AccessImportJob;
class Platform;
class LoginWindow;
class MainWindow;
class QProgressDialog;

// From launch to the moment a cashier can work: one copy per data folder, the update notice,
// the database placed and opened, then direct login or the login window. It also ends the run.
class StartupSequence : public QObject {
    Q_OBJECT
public:
    StartupSequence(Platform& platform, QString dataDirectory, QObject* parent = nullptr);
    ~StartupSequence() override;

    void start();
    // Ends this run and starts the program again; the new copy finds the folder free.
    void restart();

    QString databasePath() const;
    Database& database() { return db_; }
    LoginWindow* loginWindow() const { return login_.get(); }
    MainWindow* mainWindow() const { return main_.get(); }

signals:
    // The program should end with this exit code.
    void finished(int exitCode);

private:
    void checkForUpdate();
    void openDatabase();
    bool placeDatabase();
    void offerImport();
    void importFinished(bool ok);
    void importFailed(QString reason);
    QString keepAccessFile() const;
    void openAndLogIn();
    void openMainWindow(const CurrentUser& user);
    void end(int exitCode);

    Platform& platform_;
    QString dataDirectory_;
    SingleInstance instance_;
    Database db_;
    std::unique_ptr<LoginWindow> login_;
    std::unique_ptr<MainWindow> main_;
    std::unique_ptr<AccessImportJob> import_;
    std::unique_ptr<QProgressDialog> importing_;
    bool ended_ = false;
};
