#include "startup/StartupSequence.h"

#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProgressDialog>
#include <QUrl>

#include "counter/MainWindow.h"
#include "platform/Platform.h"
#include "platform/Prompter.h"
#include "platform/Shell.h"
#include "startup/LoginWindow.h"
#include "startup/UpdateCheck.h"
#include "store/AccessImportJob.h"
#include "store/BlankDatabase.h"
#include "store/ConfigReaders.h"

StartupSequence::StartupSequence(Platform& platform, QString dataDirectory, QObject* parent)
    : QObject(parent), platform_(platform), dataDirectory_(std::move(dataDirectory)), instance_(dataDirectory_) {}

StartupSequence::~StartupSequence() {
    importing_.reset();
    import_.reset();
    main_.reset();
    login_.reset();
    db_.close();
}

QString StartupSequence::databasePath() const { return dataDirectory_ + QStringLiteral("/RX.mdb"); }

void StartupSequence::start() {
    // A second copy stops before it touches the network or the file.
    if (instance_.acquire() == SingleInstance::Result::HeldByAnother) {
        platform_.prompter().tell(nullptr, QStringLiteral("程序已经运行!"));
        end(0);
        return;
    }
    checkForUpdate();
}

void StartupSequence::checkForUpdate() {
    // Only a configured announcement page is asked, and for at most 3 s.
    const QString page = qEnvironmentVariable("KORVANE_UPDATE_URL");
    if (page.isEmpty()) {
        openDatabase();
        return;
    }
    auto* check = new UpdateCheck(this);
    connect(check, &UpdateCheck::finished, this, [this, check](bool newer) {
        check->deleteLater();
        if (newer) platform_.prompter().tell(nullptr, QStringLiteral("当前版本已过旧，,请及时更新!"));
        openDatabase();
    });
    check->start(QUrl(page));
}

bool StartupSequence::placeDatabase() {
    if (QFileInfo::exists(databasePath())) return true;
    Prompter& prompter = platform_.prompter();
    if (!prompter.confirm(nullptr, QStringLiteral("连接数据库失败！是否置入新的数据库"))) {
        end(0);
        return false;
    }
    if (writeBlankDatabase(databasePath()))
        prompter.tell(nullptr, QStringLiteral("初始化成功！"));
    else
        prompter.tell(nullptr, QStringLiteral("初始化失败！"));
    return true;
}

void StartupSequence::openDatabase() {
    if (ended_) return;
    if (isAccessFile(databasePath())) {
        offerImport();
        return;
    }
    if (placeDatabase()) openAndLogIn();
}

void StartupSequence::offerImport() {
    if (!platform_.prompter().confirm(nullptr, QStringLiteral("检测到旧版数据库，是否导入？"))) {
        end(0);
        return;
    }
    // The old file is read by a helper process, so a reader crash cannot take this one down.
    import_ = std::make_unique<AccessImportJob>(platform_.shell(), databasePath(), dataDirectory_);
    connect(import_.get(), &AccessImportJob::finished, this, &StartupSequence::importFinished, Qt::QueuedConnection);
    importing_ = std::make_unique<QProgressDialog>(QStringLiteral("正在导入旧版数据库，请稍候…"), QString(), 0, 0);
    importing_->setObjectName(QStringLiteral("导入进度"));
    importing_->setWindowTitle(QStringLiteral("Korvane"));
    importing_->setCancelButton(nullptr);
    importing_->setMinimumDuration(0);
    importing_->show();
    import_->start();
}

void StartupSequence::importFinished(bool ok) {
    importing_.reset();
    if (!ok) {
        importFailed(import_->result().error);
        return;
    }
    const QString kept = keepAccessFile();
    if (kept.isEmpty()) {
        importFailed(QStringLiteral("无法在“%1”中保留旧数据库的副本。").arg(QDir::toNativeSeparators(dataDirectory_)));
        return;
    }
    if (!import_->install(databasePath())) {
        QFile::remove(kept);
        importFailed(QStringLiteral("无法把新数据库放到“%1”。").arg(QDir::toNativeSeparators(databasePath())));
        return;
    }
    platform_.prompter().tell(nullptr, AccessImportJob::summaryText(import_->result()) +
                                           QStringLiteral("\n旧数据库已原样保留为“%1”。").arg(QFileInfo(kept).fileName()));
    import_.reset();
    openAndLogIn();
}

void StartupSequence::importFailed(QString reason) {
    import_.reset();
    platform_.prompter().tell(nullptr, QStringLiteral("导入旧版数据库失败：%1\n原来的数据库没有改动。").arg(reason), MessageIcon::Error);
    end(1);
}

QString StartupSequence::keepAccessFile() const {
    QString kept = dataDirectory_ + QStringLiteral("/RX.access.mdb");
    for (int n = 2; QFileInfo::exists(kept) || QFileInfo(kept).isSymLink(); ++n)
        kept = dataDirectory_ + QStringLiteral("/RX.access-%1.mdb").arg(n);
    // A second name for the same bytes; a copy where the file system has no links.
    if (::link(QFile::encodeName(databasePath()).constData(), QFile::encodeName(kept).constData()) == 0) return kept;
    return QFile::copy(databasePath(), kept) ? kept : QString();
}

void StartupSequence::openAndLogIn() {
    login_ = std::make_unique<LoginWindow>(db_, platform_.prompter());
    connect(login_.get(), &LoginWindow::quitRequested, this, [this] { end(0); });
    connect(login_.get(), &LoginWindow::loggedIn, this, &StartupSequence::openMainWindow);

    Prompter& prompter = platform_.prompter();
    if (!db_.open(databasePath())) {
        login_->show();
        prompter.tell(login_.get(), QStringLiteral("连接数据库失败！！"), MessageIcon::Error);
        return;
    }

    if (readConfigText(db_, prompter, QStringLiteral("直接登录")) != QStringLiteral("0")) {
        const QString remembered = readConfigText(db_, prompter, QStringLiteral("用户登录"));
        if (!remembered.isEmpty()) {
            openMainWindow(CurrentUser{remembered, QString()});
            return;
        }
    }
    login_->presetUserName(readConfigText(db_, prompter, QStringLiteral("用户登录")));
    login_->show();
}

void StartupSequence::openMainWindow(const CurrentUser& user) {
    main_ = std::make_unique<MainWindow>(platform_, db_, user);
    connect(main_.get(), &MainWindow::closed, this, [this] { end(0); });
    connect(main_.get(), &MainWindow::restartRequested, this, &StartupSequence::restart);
    main_->show();
    // Enter and F5 act only in the active window: the cashier types at once.
    main_->activateWindow();
    main_->openCounter();
    login_->hide();
}

void StartupSequence::restart() {
    if (ended_) return;
    if (main_) main_->hide();
    db_.close();
    instance_.release();
    if (!platform_.shell().restartProgram())
        platform_.prompter().tell(nullptr, QStringLiteral("无法重新启动程序，请手动启动 Korvane。"), MessageIcon::Warning);
    end(0);
}

void StartupSequence::end(int exitCode) {
    if (ended_) return;
    ended_ = true;
    if (login_) login_->hide();
    db_.close();
    emit finished(exitCode);
}
