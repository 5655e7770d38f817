#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

#include "FileBytes.h"
#include "FakePlatform.h"
#include "JournalHolder.h"
#include "TestDataDir.h"
#include "records/LegacyDataImport.h"
#include "store/AccessImportJob.h"
#include "store/Database.h"

namespace {

const QString fixture = QStringLiteral(KORVANE_FIXTURES "/legacy-RX.mdb");
const QString question = QStringLiteral("导入旧版数据将替换现有的全部数据，现有数据会先备份。是否继续？");
// A helper process reads the file; waiting for it has a generous bound, not a speed goal.
constexpr int helperWait = 60000;

QStringList entries(const QString& dir) {
    QStringList names =
        QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    names.removeAll(QStringLiteral("RX.mdb-wal"));
    names.removeAll(QStringLiteral("RX.mdb-shm"));
    return names;
}

}  // namespace

class LegacyDataImportTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void importReplacesTheDataAfterABackup();
    void nothingChangesUntilTheImportIsWhole_data();
    void nothingChangesUntilTheImportIsWhole();
    void hangingReaderIsStopped();

private:
    FakePlatform platform_;
    std::unique_ptr<TestDataDir> data_;
    std::unique_ptr<QTemporaryDir> stick_;  // where the old file and the backup go
    std::unique_ptr<Database> db_;
    std::unique_ptr<QWidget> owner_;
    QString accessPath_;
};

void LegacyDataImportTest::init() {
    platform_.prompts.reset();
    platform_.programs.helperProgram = QStringLiteral(KORVANE_BINARY);
    platform_.programs.helperArguments.clear();
    data_ = std::make_unique<TestDataDir>();
    stick_ = std::make_unique<QTemporaryDir>();
    QVERIFY(data_->isValid() && stick_->isValid());
    accessPath_ = stick_->filePath(QStringLiteral("旧 收银 数据.mdb"));
    QVERIFY(QFile::copy(fixture, accessPath_));
    db_ = std::make_unique<Database>();
    QVERIFY(db_->open(data_->databasePath()));
    QVERIFY(db_->execute(QStringLiteral("INSERT INTO 商品名称 (名称, 单价) VALUES (?, ?)"),
                         {QStringLiteral("O'Brien 的茶"), QStringLiteral("8.50")}));
    owner_ = std::make_unique<QWidget>();
    owner_->show();
}

void LegacyDataImportTest::cleanup() {
    VERIFY_PROMPTS_SETTLED(platform_.prompts);
    owner_.reset();
    db_.reset();
    data_.reset();
    stick_.reset();
}

void LegacyDataImportTest::importReplacesTheDataAfterABackup() {
    const QString backup = stick_->filePath(QStringLiteral("备份 一"));
    JournalHolder other(data_->databasePath());
    QVERIFY(other.written());
    auto* import = new LegacyDataImport(platform_, *db_, owner_.get());
    QSignalSpy replaced(import, &LegacyDataImport::dataReplaced);
    platform_.prompts.expect(question, MessageAnswer::Yes);
    platform_.prompts.expectOpenFile(accessPath_);
    platform_.prompts.expectSaveFile(backup);
    platform_.prompts.expect(
        QStringLiteral(
            "导入完成\n销售记录：120 条\n销售详情：315 条\n商品：8 个\n用户：3 个\n客户：5 个\n付款方式：6 种"
            "\n原有数据已备份到“%1.mdb”。\n程序将重新启动。")
            .arg(QDir::toNativeSeparators(backup)));
    import->start();
    QCOMPARE(platform_.prompts.shown().first().message.title, QStringLiteral("提示"));
    QTRY_COMPARE_WITH_TIMEOUT(replaced.count(), 1, helperWait);
    other.close();

    // The old data are in the backup, the old file's in RX.mdb; the old file is only read.
    QCOMPARE(readAll(accessPath_), readAll(fixture));
    Database saved(QStringLiteral("backup"));
    QVERIFY(saved.open(backup + QStringLiteral(".mdb")));
    QCOMPARE(saved
                 .query(QStringLiteral("SELECT 单价 FROM 商品名称 WHERE 名称 = ?"),
                        {QStringLiteral("O'Brien 的茶")})
                 .text(QStringLiteral("单价")),
             QStringLiteral("8.50"));
    saved.close();
    QVERIFY(!db_->isOpen());
    QCOMPARE(data_->scalar(QStringLiteral("SELECT count(*) FROM 销售记录")), QStringLiteral("120"));
    QCOMPARE(data_->scalar(QStringLiteral("SELECT count(*) FROM 商品名称 WHERE 名称 = 'O''Brien 的茶'")),
             QStringLiteral("0"));
    // The new file is the imported database, whole; the old journal is gone with the old file.
    QCOMPARE(data_->scalar(QStringLiteral("PRAGMA integrity_check")), QStringLiteral("ok"));
    QCOMPARE(data_->scalar(QStringLiteral("SELECT count(*) FROM 商品名称")), QStringLiteral("8"));
    QCOMPARE(entries(data_->path()), QStringList{QStringLiteral("RX.mdb")});
}

void LegacyDataImportTest::nothingChangesUntilTheImportIsWhole_data() {
    QTest::addColumn<bool>("confirm");
    QTest::addColumn<QByteArray>("accessBytes");  // empty: the open dialog is cancelled
    QTest::addColumn<QString>("backupName");      // empty: the save dialog is cancelled
    QTest::addColumn<QString>("helper");          // a shell script standing in for the helper
    QTest::addColumn<QStringList>("messages");
    const QByteArray f = readAll(fixture);
    QTest::newRow("answer No") << false << f << "b.mdb"
                               << "" << QStringList{};
    QTest::newRow("no old file chosen") << true << QByteArray() << "b.mdb"
                                        << "" << QStringList{};
    QTest::newRow("backup dialog cancelled") << true << f << ""
                                             << "" << QStringList{QStringLiteral("保存失败！")};
    QTest::newRow("backup over the old file")
        << true << f << "旧 收银 数据.mdb"
        << "" << QStringList{QStringLiteral("备份文件不能覆盖要导入的旧版数据库，请另选备份文件名。")};
    QTest::newRow("truncated old file")
        << true << f.left(f.size() / 3) << "b.mdb"
        << ""
        << QStringList{QStringLiteral(
               "导入旧版数据失败：旧数据库文件已损坏或不完整，无法导入。\n现有数据没有改动。")};
    QTest::newRow("not an Access file")
        << true << QByteArray("just some notes\n") << "b.mdb"
        << ""
        << QStringList{QStringLiteral(
               "导入旧版数据失败：这个文件不是 Access 数据库，无法导入。\n现有数据没有改动。")};
    QTest::newRow("reader crashes")
        << true << f << "b.mdb"
        << "kill -SEGV $$"
        << QStringList{QStringLiteral(
               "导入旧版数据失败：读取旧数据库时出错（文件可能已损坏），无法导入。\n现有数据没有改动。")};
    QTest::newRow("backup folder missing")
        << true << f << "no such folder/b.mdb"
        << "" << QStringList{QStringLiteral("备份失败！现有数据没有改动，也没有导入。")};
}

void LegacyDataImportTest::nothingChangesUntilTheImportIsWhole() {
    QFETCH(bool, confirm);
    QFETCH(QByteArray, accessBytes);
    QFETCH(QString, backupName);
    QFETCH(QString, helper);
    QFETCH(QStringList, messages);
    if (!helper.isEmpty()) {
        platform_.programs.helperProgram = QStringLiteral("/bin/sh");
        platform_.programs.helperArguments = {QStringLiteral("-c"), helper, QStringLiteral("sh")};
    }
    if (!accessBytes.isEmpty()) {
        QVERIFY(writeAll(accessPath_, accessBytes));
        platform_.prompts.expectOpenFile(accessPath_);
    }
    if (!backupName.isEmpty()) platform_.prompts.expectSaveFile(stick_->filePath(backupName));
    platform_.prompts.expect(question, confirm ? MessageAnswer::Yes : MessageAnswer::No);
    for (const QString& m : messages) platform_.prompts.expect(m);
    const QStringList stickBefore = entries(stick_->path());

    auto* import = new LegacyDataImport(platform_, *db_, owner_.get());
    QSignalSpy replaced(import, &LegacyDataImport::dataReplaced);
    import->start();
    QTRY_VERIFY_WITH_TIMEOUT(platform_.prompts.pending().isEmpty() && !import->isRunning(), helperWait);
    QCOMPARE(platform_.prompts.fileRequests().size(),
             (confirm ? 1 : 0) + (confirm && !accessBytes.isEmpty() ? 1 : 0));
    QCOMPARE(replaced.count(), 0);

    // The data stay as they were and in use; the old file and the backup folder are untouched.
    QVERIFY(db_->isOpen());
    QCOMPARE(db_->query(QStringLiteral("SELECT 单价 FROM 商品名称 WHERE 名称 = ?"),
                        {QStringLiteral("O'Brien 的茶")})
                 .text(QStringLiteral("单价")),
             QStringLiteral("8.50"));
    QCOMPARE(entries(data_->path()), QStringList{QStringLiteral("RX.mdb")});
    QCOMPARE(entries(stick_->path()), stickBefore);
    if (!accessBytes.isEmpty()) QCOMPARE(readAll(accessPath_), accessBytes);
}

void LegacyDataImportTest::hangingReaderIsStopped() {
    // The helper writes a scratch file, then never ends.
    platform_.programs.helperProgram = QStringLiteral("/bin/sh");
    platform_.programs.helperArguments = {
        QStringLiteral("-c"), QStringLiteral("echo x > \"$3\"; exec sleep 600"), QStringLiteral("sh")};
    platform_.prompts.expect(question, MessageAnswer::Yes);
    platform_.prompts.expectOpenFile(accessPath_);
    platform_.prompts.expectSaveFile(stick_->filePath(QStringLiteral("b.mdb")));
    platform_.prompts.expect(QStringLiteral(
        "导入旧版数据失败：读取旧数据库的时间过长（文件可能已损坏），已停止，无法导入。\n现有数据没有改动。"));
    const QStringList stickBefore = entries(stick_->path());

    auto* import = new LegacyDataImport(platform_, *db_, owner_.get());
    QSignalSpy replaced(import, &LegacyDataImport::dataReplaced);
    import->start();
    auto* job = import->findChild<AccessImportJob*>();
    QVERIFY(job && job->isRunning());
    QVERIFY(job->timeLimit() >= std::chrono::minutes(1));
    job->setTimeLimit(std::chrono::milliseconds(300));
    QTRY_VERIFY_WITH_TIMEOUT(!import->isRunning(), helperWait);
    QVERIFY(platform_.prompts.pending().isEmpty());
    QCOMPARE(replaced.count(), 0);
    QVERIFY(db_->isOpen());
    QCOMPARE(entries(data_->path()), QStringList{QStringLiteral("RX.mdb")});
    QCOMPARE(entries(stick_->path()), stickBefore);
    QCOMPARE(readAll(accessPath_), readAll(fixture));
}

QTEST_MAIN(LegacyDataImportTest)
#include "tst_legacydataimport.moc"
