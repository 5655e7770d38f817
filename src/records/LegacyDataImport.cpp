#include "records/LegacyDataImport.h"

#include <QDir>
#include <QFileInfo>
#include <QProgressDialog>
#include <QWidget>

#include "platform/Clock.h"
#include "platform/Platform.h"
#include "platform/Prompter.h"
#include "records/DataInitialiser.h"
#include "records/SavePath.h"
#include "store/AccessImportJob.h"
#include "store/Database.h"
#include "store/TextRules.h"

LegacyDataImport::LegacyDataImport(Platform& platform, Database& db, QWidget* owner)
    : QObject(owner), platform_(platform), db_(db), owner_(owner) {}

LegacyDataImport::~LegacyDataImport() {
    if (progress_) progress_->deleteLater();
}

bool LegacyDataImport::isRunning() const {
    return job_ && job_->isRunning();
}

void LegacyDataImport::start() {
    if (isRunning()) return;
    Prompter& prompter = platform_.prompter();
    if (!prompter.confirm(owner_,
                          QStringLiteral("导入旧版数据将替换现有的全部数据，现有数据会先备份。是否继续？"),
                          MessageIcon::None, QStringLiteral("提示")))
        return;

    FileDialogRequest source;
    source.caption = QStringLiteral("选择旧版数据库");
    source.filter = QStringLiteral("Access 数据库 (*.mdb);;所有文件 (*)");
    const QString accessPath = prompter.openFileName(owner_, source);
    if (accessPath.isEmpty()) return;

    FileDialogRequest backup;
    backup.caption = QStringLiteral("备份数据");
    backup.filter = QStringLiteral("*.mdb (*)");
    backup.proposedName = shortDateText(platform_.clock().now().date()) + QStringLiteral("查询结果.mdb");
    const QString chosen = prompter.saveFileName(owner_, backup);
    backupPath_ = chosen;
    if (!chosen.isEmpty() && QFileInfo(chosen).suffix().isEmpty()) backupPath_ += QStringLiteral(".mdb");
    if (chosen.isEmpty() || !mayReplace(prompter, owner_, chosen, backupPath_)) {
        prompter.tell(owner_, QStringLiteral("保存失败！"));
        return;
    }
    // The backup would otherwise replace the very file being imported.
    if (QFileInfo(backupPath_).absoluteFilePath() == QFileInfo(accessPath).absoluteFilePath()) {
        prompter.tell(owner_, QStringLiteral("备份文件不能覆盖要导入的旧版数据库，请另选备份文件名。"));
        return;
    }

    if (job_) job_->deleteLater();
    job_ = new AccessImportJob(platform_.shell(), accessPath, QFileInfo(db_.path()).absolutePath(), this);
    connect(job_, &AccessImportJob::finished, this, &LegacyDataImport::importFinished, Qt::QueuedConnection);
    progress_ = new QProgressDialog(QStringLiteral("正在导入旧版数据，请稍候…"), QString(), 0, 0, owner_);
    progress_->setObjectName(QStringLiteral("导入进度"));
    progress_->setWindowModality(Qt::WindowModal);
    progress_->setCancelButton(nullptr);
    progress_->setMinimumDuration(0);
    progress_->open();
    job_->start();
}

void LegacyDataImport::importFinished(bool ok) {
    if (progress_) {
        progress_->close();
        progress_->deleteLater();
    }
    if (!ok) {
        platform_.prompter().tell(
            owner_, QStringLiteral("导入旧版数据失败：%1\n现有数据没有改动。").arg(job_->result().error),
            MessageIcon::Error);
        return;
    }
    replaceData();
}

void LegacyDataImport::replaceData() {
    Prompter& prompter = platform_.prompter();
    DataInitialiser initialiser(db_);
    if (!initialiser.backUp(backupPath_)) {
        job_->discard();
        prompter.tell(owner_, QStringLiteral("备份失败！现有数据没有改动，也没有导入。"), MessageIcon::Error);
        return;
    }
    const QString path = db_.path();
    // Closed first, so its last writes land in the old file before the new one takes its name.
    db_.close();
    if (!job_->install(path)) {
        db_.open(path);
        job_->discard();
        prompter.tell(owner_, QStringLiteral("无法替换数据库，现有数据没有改动。"), MessageIcon::Error);
        return;
    }
    prompter.tell(owner_, AccessImportJob::summaryText(job_->result()) +
                              QStringLiteral("\n原有数据已备份到“%1”。\n程序将重新启动。")
                                  .arg(QDir::toNativeSeparators(backupPath_)));
    emit dataReplaced();
}
