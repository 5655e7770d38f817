#include "store/AccessImportJob.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTimer>
#include <utility>

#include "store/AccessImportCommand.h"
#include "store/BlankDatabase.h"

namespace {

const QString importedName = QStringLiteral("RX.mdb");
const QString resultName = QStringLiteral("result.json");
// The problems listed in the message; the report holds them all.
constexpr int problemsShown = 10;

std::chrono::milliseconds defaultTimeLimit(const QString& accessPath) {
    using namespace std::chrono;
    const qint64 mebibytes = QFileInfo(accessPath).size() / (1024 * 1024);
    return duration_cast<milliseconds>(minutes(1) + seconds(2) * mebibytes);
}

}  // namespace

AccessImportJob::AccessImportJob(Shell& shell, QString accessPath, QString dataDirectory, QObject* parent)
    : QObject(parent),
      shell_(shell),
      accessPath_(std::move(accessPath)),
      dataDirectory_(std::move(dataDirectory)),
      deadline_(new QTimer(this)),
      timeLimit_(defaultTimeLimit(accessPath_)) {
    deadline_->setSingleShot(true);
    connect(deadline_, &QTimer::timeout, this, &AccessImportJob::timedOut);
}

AccessImportJob::~AccessImportJob() {
    // The helper goes before its scratch folder.
    delete helper_;
}

void AccessImportJob::start() {
    if (running_) return;
    running_ = true;
    result_ = AccessImportResult();
    // Inside the data folder, so the new database reaches RX.mdb by a rename.
    scratch_ = std::make_unique<QTemporaryDir>(dataDirectory_ + QStringLiteral("/.import-XXXXXX"));
    if (!scratch_->isValid()) {
        QTimer::singleShot(0, this, [this] {
            fail(QStringLiteral("无法在“%1”中创建临时文件，无法导入。")
                     .arg(QDir::toNativeSeparators(dataDirectory_)));
        });
        return;
    }
    helper_ = new QObject(this);
    deadline_->start(timeLimit_);
    shell_.runHelper(accessImportArguments(QFileInfo(accessPath_).absoluteFilePath(),
                                           scratch_->filePath(importedName), scratch_->filePath(resultName)),
                     helper_, [this](HelperEnd end, int exitCode) { helperEnded(end, exitCode); });
}

void AccessImportJob::setTimeLimit(std::chrono::milliseconds limit) {
    timeLimit_ = limit;
    if (deadline_->isActive()) deadline_->start(timeLimit_);
}

void AccessImportJob::timedOut() {
    if (!running_) return;
    // Ends the helper, which then reports nothing; its files go with the scratch folder.
    delete std::exchange(helper_, nullptr);
    fail(QStringLiteral("读取旧数据库的时间过长（文件可能已损坏），已停止，无法导入。"));
}

void AccessImportJob::helperEnded(HelperEnd end, int exitCode) {
    if (!helper_) return;
    deadline_->stop();
    std::exchange(helper_, nullptr)->deleteLater();
    switch (end) {
        case HelperEnd::NotStarted:
            fail(QStringLiteral("无法启动导入程序，无法导入。"));
            return;
        case HelperEnd::Crashed:
            fail(QStringLiteral("读取旧数据库时出错（文件可能已损坏），无法导入。"));
            return;
        case HelperEnd::Finished:
            break;
    }
    const AccessImportResult result = readAccessImportResult(scratch_->filePath(resultName));
    if (exitCode != 0 || !result.ok) {
        fail(result.ok || result.error.isEmpty() ? QStringLiteral("导入失败。") : result.error);
        return;
    }
    running_ = false;
    result_ = result;
    emit finished(true);
}

void AccessImportJob::fail(const QString& error) {
    deadline_->stop();
    running_ = false;
    result_ = AccessImportResult();
    result_.error = error;
    scratch_.reset();
    emit finished(false);
}

bool AccessImportJob::install(const QString& databasePath) {
    if (!result_.ok || !scratch_) return false;
    const QString folder = QFileInfo(databasePath).absolutePath();
    QString report;
    if (!result_.reportPath.isEmpty()) {
        report = folder + QLatin1Char('/') + QFileInfo(result_.reportPath).fileName();
        if (!replaceFile(result_.reportPath, report)) return false;
    }
    if (!replaceFile(scratch_->filePath(importedName), databasePath)) {
        if (!report.isEmpty()) QFile::remove(report);
        return false;
    }
    // A journal the old file left behind must not be replayed into the new one.
    QFile::remove(databasePath + QStringLiteral("-wal"));
    QFile::remove(databasePath + QStringLiteral("-shm"));
    result_.reportPath = report;
    scratch_.reset();
    return true;
}

void AccessImportJob::discard() {
    if (running_) return;
    scratch_.reset();
    result_.ok = false;
}

QString AccessImportJob::summaryText(const AccessImportResult& result) {
    const QStringList counts{
        QStringLiteral("导入完成"),
        QStringLiteral("销售记录：%1 条").arg(result.sales),
        QStringLiteral("销售详情：%1 条").arg(result.lines),
        QStringLiteral("商品：%1 个").arg(result.products),
        QStringLiteral("用户：%1 个").arg(result.users),
        QStringLiteral("客户：%1 个").arg(result.customers),
        QStringLiteral("付款方式：%1 种").arg(result.paymentMethods),
    };
    QString text = counts.join(QLatin1Char('\n'));
    if (result.problems.isEmpty()) return text;
    text += QStringLiteral("\n\n有 %1 项没有原样导入：").arg(result.problems.size());
    for (const QString& problem : result.problems.mid(0, problemsShown))
        text += QStringLiteral("\n- ") + problem;
    if (result.problems.size() > problemsShown) text += QStringLiteral("\n……");
    if (!result.reportPath.isEmpty())
        text +=
            QStringLiteral("\n全部问题和未导入的行见“%1”。").arg(QDir::toNativeSeparators(result.reportPath));
    return text;
}
