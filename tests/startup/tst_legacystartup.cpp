#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include "FileBytes.h"
#include "FakePlatform.h"
#include "Gui.h"
#include "PdfText.h"
#include "TestDataDir.h"
#include "counter/MainWindow.h"
#include "records/SalesRecordsWindow.h"
#include "settings/CustomerWindow.h"
#include "startup/LoginWindow.h"
#include "startup/StartupSequence.h"
#include "store/Database.h"
#include "widgets/ReportListModel.h"

namespace {

const QString fixture = QStringLiteral(KORVANE_FIXTURES "/legacy-RX.mdb");
const QString question = QStringLiteral("检测到旧版数据库，是否导入？");
// A helper process reads the file; waiting for it has a generous bound, not a speed goal.
constexpr int helperWait = 60000;

// Every entry of the folder but the lock of the running copy.
QStringList entries(const QString& dir) {
    QStringList names =
        QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    names.removeAll(QStringLiteral("RX.mdb.lock"));
    return names;
}

QString summary(int lines) {
    return QStringLiteral(
               "导入完成\n销售记录：120 条\n销售详情：%1 条\n商品：8 个\n用户：3 个\n客户：5 个\n付款方式：6 "
               "种")
        .arg(lines);
}

}  // namespace

class LegacyStartupTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void answeringNoChangesNothing();
    void importKeepsTheOldFileAndStartsOnTheNewOne_data();
    void importKeepsTheOldFileAndStartsOnTheNewOne();
    void rejectedRowsAreReportedBesideTheDatabase();
    void failedImportChangesNothing_data();
    void failedImportChangesNothing();

private:
    void startWith(const QByteArray& rxMdb);
    void logInAs(const QString& name, const QString& password);

    QByteArray fixtureBytes_;
    FakePlatform platform_;
    std::unique_ptr<TestDataDir> dir_;
    std::unique_ptr<StartupSequence> sequence_;
    std::unique_ptr<QSignalSpy> finished_;
};

void LegacyStartupTest::initTestCase() {
    fixtureBytes_ = readAll(fixture);
    QVERIFY(!fixtureBytes_.isEmpty());
}

void LegacyStartupTest::init() {
    platform_.prompts.reset();
    platform_.programs.helperProgram = QStringLiteral(KORVANE_BINARY);
    platform_.programs.helperArguments.clear();
    dir_ = std::make_unique<TestDataDir>(false);
    QVERIFY(dir_->isValid());
}

void LegacyStartupTest::cleanup() {
    VERIFY_PROMPTS_SETTLED(platform_.prompts);
    finished_.reset();
    sequence_.reset();
    dir_.reset();
}

void LegacyStartupTest::startWith(const QByteArray& rxMdb) {
    QVERIFY(writeAll(dir_->databasePath(), rxMdb));
    sequence_ = std::make_unique<StartupSequence>(platform_, dir_->path());
    finished_ = std::make_unique<QSignalSpy>(sequence_.get(), &StartupSequence::finished);
    sequence_->start();
}

void LegacyStartupTest::logInAs(const QString& name, const QString& password) {
    LoginWindow* login = sequence_->loginWindow();
    auto* user = control<QComboBox>(login, QStringLiteral("组合框_用户名"));
    user->showPopup();
    user->hidePopup();
    user->setCurrentIndex(user->findText(name));
    QCOMPARE(user->currentText(), name);
    auto* pw = control<QLineEdit>(login, QStringLiteral("编辑框_密码"));
    pw->setFocus();
    typeText(pw, password);
    QTest::keyClick(pw, Qt::Key_Return);
}

void LegacyStartupTest::answeringNoChangesNothing() {
    platform_.prompts.expect(question, MessageAnswer::No);
    startWith(fixtureBytes_);
    QCOMPARE(finished_->count(), 1);
    QCOMPARE(finished_->first().first().toInt(), 0);
    QVERIFY(platform_.programs.helperRuns.isEmpty());
    QVERIFY(!sequence_->loginWindow());
    QCOMPARE(readAll(dir_->databasePath()), fixtureBytes_);
    QCOMPARE(entries(dir_->path()), QStringList{QStringLiteral("RX.mdb")});
}

void LegacyStartupTest::importKeepsTheOldFileAndStartsOnTheNewOne_data() {
    QTest::addColumn<bool>("earlierCopy");
    QTest::addColumn<QString>("keptName");
    QTest::newRow("first import") << false << "RX.access.mdb";
    QTest::newRow("an earlier copy stays") << true << "RX.access-2.mdb";
}

void LegacyStartupTest::importKeepsTheOldFileAndStartsOnTheNewOne() {
    QFETCH(bool, earlierCopy);
    QFETCH(QString, keptName);
    const QByteArray earlier("an earlier copy of the old program's file");
    if (earlierCopy) QVERIFY(writeAll(dir_->file(QStringLiteral("RX.access.mdb")), earlier));

    platform_.prompts.expect(question, MessageAnswer::Yes);
    platform_.prompts.expect(summary(315) + QStringLiteral("\n旧数据库已原样保留为“%1”。").arg(keptName));
    startWith(fixtureBytes_);
    QTRY_VERIFY_WITH_TIMEOUT(sequence_->loginWindow() || finished_->count() > 0, helperWait);
    QCOMPARE(finished_->count(), 0);
    QCOMPARE(platform_.prompts.shown().at(0).message.buttons, MessageButtons::YesNo);

    // The old file is kept byte for byte; the new database took its name; no scratch is left.
    QCOMPARE(readAll(dir_->file(keptName)), fixtureBytes_);
    if (earlierCopy) QCOMPARE(readAll(dir_->file(QStringLiteral("RX.access.mdb"))), earlier);
    QStringList expected{QStringLiteral("RX.mdb"), keptName};
    if (earlierCopy) expected << QStringLiteral("RX.access.mdb");
    QStringList actual = entries(dir_->path());
    actual.removeAll(QStringLiteral("RX.mdb-wal"));
    actual.removeAll(QStringLiteral("RX.mdb-shm"));
    expected.sort();
    actual.sort();
    QCOMPARE(actual, expected);
    QVERIFY(sequence_->database().isOpen());
    QCOMPARE(dir_->scalar(QStringLiteral("SELECT count(*) FROM 销售记录")), QStringLiteral("120"));

    // The imported settings say no direct login: the login window, preset with the last user.
    LoginWindow* login = sequence_->loginWindow();
    QVERIFY(login->isVisible());
    QCOMPARE(control<QComboBox>(login, QStringLiteral("组合框_用户名"))->currentText(),
             QStringLiteral("admin"));
    logInAs(QStringLiteral("李店长"), QStringLiteral("店长2016"));
    MainWindow* main = sequence_->mainWindow();
    QVERIFY(main);
    QCOMPARE(main->currentUser().permission, QStringLiteral("管理员"));

    // A sale found by its number in the records window.
    main->findChild<QAction*>(QStringLiteral("统计销售"))->trigger();
    auto* records = main->findChild<SalesRecordsWindow*>();
    QVERIFY(records && records->isVisible());
    typeText(control<QLineEdit>(records, QStringLiteral("编辑框_查单号")), QStringLiteral("1609110000120"));
    QTest::mouseClick(control<QPushButton>(records, QStringLiteral("按钮_搜索")), Qt::LeftButton);
    QCOMPARE(records->list().rowCount(), 1);
    QCOMPARE(records->list().cell(0, 1), QStringLiteral("1609110000120"));
    records->close();

    // A receipt printed on the imported settings; the sale continues after the old receipts.
    QTemporaryDir printed;
    FakePrinting& printers = platform_.printers;
    printers.printers = QStringList{QStringLiteral("前台小票机")};
    printers.defaultName = printers.printers.first();
    printers.outputDirectory = printed.path();
    printers.jobs.clear();
    printers.jobTitles.clear();
    main->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(main));
    const auto retype = [main](const char* name, const QString& text) {
        auto* box = control<QLineEdit>(main, QString::fromUtf8(name));
        box->setFocus();
        box->selectAll();
        QTest::keyClick(box, Qt::Key_Backspace);
        typeText(box, text);
    };
    retype("编辑框_名称", QStringLiteral("可乐"));
    retype("编辑框_数量", QStringLiteral("2"));
    retype("编辑框_单价", QStringLiteral("3.50"));
    QTest::mouseClick(control<QPushButton>(main, QStringLiteral("按钮_添加商品")), Qt::LeftButton);
    QTest::mouseClick(control<QPushButton>(main, QStringLiteral("按钮_打印小票")), Qt::LeftButton);
    QCOMPARE(printers.jobs.size(), 1);
    const QString number = dir_->scalar(QStringLiteral("SELECT 销售票号 FROM 销售记录 WHERE ID = 521"));
    QVERIFY(!number.isEmpty());
    QCOMPARE(dir_->scalar(QStringLiteral("SELECT 金额 || '|' || 收银员 FROM 销售记录 WHERE ID = 521")),
             QStringLiteral("7.00|李店长"));
    QCOMPARE(printers.jobTitles.first(), QStringLiteral("小票 ") + number);
    const QList<PdfWord> words = pdfWords(printers.jobs.first());
    QVERIFY(findWord(words, QStringLiteral("好又多便利店")).page == 0);
    QVERIFY(findWord(words, QStringLiteral("单号：") + number).page == 0);

    // A new customer continues after the old program's counter (7 was handed out and deleted).
    QTest::mouseClick(control<QPushButton>(main, QStringLiteral("按钮_设置客户")), Qt::LeftButton);
    auto* customers = main->findChild<CustomerWindow*>();
    QVERIFY(customers && customers->isVisible());
    auto* name = control<QLineEdit>(customers, QStringLiteral("编辑框_客户"));
    name->setFocus();
    typeText(name, QStringLiteral("O'Brien 王"));
    auto* phone = control<QLineEdit>(customers, QStringLiteral("编辑框_电话"));
    phone->setFocus();
    typeText(phone, QStringLiteral("13800000000"));
    QTest::mouseClick(control<QPushButton>(customers, QStringLiteral("按钮_添加")), Qt::LeftButton);
    QCOMPARE(dir_->scalar(QStringLiteral("SELECT max(ID) FROM 客户资料")), QStringLiteral("8"));
    QCOMPARE(dir_->scalar(QStringLiteral("SELECT 姓名 FROM 客户资料 WHERE ID = 8")),
             QStringLiteral("O'Brien 王"));
}

void LegacyStartupTest::rejectedRowsAreReportedBesideTheDatabase() {
    // Line 480 names receipt 999, which does not exist: the row field count (8), then its ID.
    QByteArray bytes = fixtureBytes_;
    QByteArray marker(6, '\0');
    qToLittleEndian<quint16>(8, marker.data());
    qToLittleEndian<qint32>(480, marker.data() + 2);
    const qsizetype at = bytes.indexOf(marker);
    QVERIFY(at > 0 && bytes.indexOf(marker, at + 1) < 0);
    QByteArray receipt(4, '\0');
    qToLittleEndian<qint32>(999, receipt.data());
    bytes.replace(at + marker.size(), 4, receipt);

    const QString report = dir_->file(QStringLiteral("导入报告.txt"));
    platform_.prompts.expect(question, MessageAnswer::Yes);
    platform_.prompts.expect(
        summary(314) +
        QStringLiteral("\n\n有 1 项没有原样导入：\n- 表“销售详情” ID 480 未导入：关联的销售记录不存在"
                       "\n全部问题和未导入的行见“%1”。\n旧数据库已原样保留为“RX.access.mdb”。")
            .arg(QDir::toNativeSeparators(report)));
    startWith(bytes);
    QTRY_VERIFY_WITH_TIMEOUT(sequence_->loginWindow() || finished_->count() > 0, helperWait);
    QCOMPARE(readAll(dir_->file(QStringLiteral("RX.access.mdb"))), bytes);
    const QString text = QString::fromUtf8(readAll(report));
    QVERIFY2(text.contains(QStringLiteral("\n480\t999\t")), qPrintable(text));
    QCOMPARE(dir_->scalar(QStringLiteral("SELECT count(*) FROM 销售详情 WHERE ID = 480")),
             QStringLiteral("0"));
}

void LegacyStartupTest::failedImportChangesNothing_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("helper");  // a shell script standing in for the helper, or the program itself
    QTest::addColumn<QString>("reason");
    const QByteArray f = readAll(fixture);
    const QString damaged = QStringLiteral("旧数据库文件已损坏或不完整，无法导入。");
    QTest::newRow("truncated") << f.left(f.size() / 2) << QString() << damaged;
    QTest::newRow("cut inside a page") << f.left(f.size() - 1000) << QString() << damaged;
    QByteArray zeroed = f;
    zeroed.replace(37 * 4096, 2 * 4096, QByteArray(2 * 4096, '\0'));  // the receipts' data pages
    QTest::newRow("pages zeroed") << zeroed << QString()
                                  << QStringLiteral(
                                         "旧数据库文件已损坏或不完整（表“销售记录”读不全），无法导入。");
    QByteArray jet3 = f;
    jet3[0x14] = 0;
    QTest::newRow("Jet 3")
        << jet3 << QString()
        << QStringLiteral(
               "这是 Access 97 或更早版本（Jet 3）的数据库，只能导入 Access 2000（Jet 4）格式的数据库。");
    QTest::newRow("reader crashes") << f << QStringLiteral("kill -SEGV $$")
                                    << QStringLiteral("读取旧数据库时出错（文件可能已损坏），无法导入。");
    QTest::newRow("helper gives no result")
        << f << QStringLiteral("exit 0") << QStringLiteral("导入程序没有给出结果，无法导入。");
    QTest::newRow("helper cannot start")
        << f << QStringLiteral("-") << QStringLiteral("无法启动导入程序，无法导入。");
}

void LegacyStartupTest::failedImportChangesNothing() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, helper);
    QFETCH(QString, reason);
    if (helper == QStringLiteral("-")) {
        platform_.programs.helperProgram = dir_->file(QStringLiteral("no-such-program"));
    } else if (!helper.isEmpty()) {
        platform_.programs.helperProgram = QStringLiteral("/bin/sh");
        platform_.programs.helperArguments = {QStringLiteral("-c"), helper, QStringLiteral("sh")};
    }
    platform_.prompts.expect(question, MessageAnswer::Yes);
    platform_.prompts.expect(QStringLiteral("导入旧版数据库失败：%1\n原来的数据库没有改动。").arg(reason));
    startWith(bytes);
    QTRY_COMPARE_WITH_TIMEOUT(finished_->count(), 1, helperWait);
    QCOMPARE(finished_->first().first().toInt(), 1);
    QCOMPARE(platform_.prompts.shown().last().message.icon, MessageIcon::Error);
    QVERIFY(!sequence_->loginWindow());
    QCOMPARE(readAll(dir_->databasePath()), bytes);
    QCOMPARE(entries(dir_->path()), QStringList{QStringLiteral("RX.mdb")});
}

QTEST_MAIN(LegacyStartupTest)
#include "tst_legacystartup.moc"
