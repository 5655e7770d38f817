#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>

#include "FileBytes.h"
#include "FakePlatform.h"
#include "Gui.h"
#include "TestDataDir.h"
#include "counter/MainWindow.h"
#include "records/SalesRecordsWindow.h"
#include "startup/LoginWindow.h"
#include "startup/StartupSequence.h"
#include "startup/UpdateCheck.h"
#include "store/TextRules.h"

namespace {

// Serves one fixed answer to every request, or holds the connection without answering.
class AnnouncementServer : public QTcpServer {
public:
    explicit AnnouncementServer(QByteArray body, bool answer = true) : body_(std::move(body)), answer_(answer) {
        connect(this, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* socket = nextPendingConnection()) {
                connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
                    if (!answer_ || !socket->readAll().contains("\r\n\r\n")) return;
                    socket->write("HTTP/1.1 200 OK\r\nContent-Type: text/html; charset=utf-8\r\nContent-Length: " +
                                  QByteArray::number(body_.size()) + "\r\nConnection: close\r\n\r\n" + body_);
                    socket->disconnectFromHost();
                });
            }
        });
        listen(QHostAddress::LocalHost);
    }
    QString url() const { return QStringLiteral("http://127.0.0.1:%1/notice").arg(serverPort()); }

private:
    QByteArray body_;
    bool answer_;
};

// Every table of a database file, the AutoNumber positions included: one line per row.
QStringList tablesOf(const QString& path) {
    QStringList lines;
    const QString name = QStringLiteral("tst-startup-dump");
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        if (db.open()) {
            QSqlQuery tables(db);
            tables.exec(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY name"));
            while (tables.next()) {
                const QString table = tables.value(0).toString();
                lines << QLatin1Char('[') + table + QLatin1Char(']');
                QSqlQuery rows(db);
                rows.exec(QStringLiteral("SELECT * FROM \"%1\" ORDER BY rowid").arg(table));
                while (rows.next()) {
                    QStringList cells;
                    for (int i = 0; i < rows.record().count(); ++i) {
                        const QVariant v = rows.value(i);
                        cells << (v.isNull() ? QStringLiteral("NULL")
                                  : v.typeId() == QMetaType::QByteArray ? QString::fromLatin1(v.toByteArray().toHex())
                                                                        : v.toString());
                    }
                    lines << cells.join(QLatin1Char('|'));
                }
            }
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return lines;
}

}  // namespace

class StartupTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void emptyFolderAsksAndCreatesTheDatabase();
    void answeringNoEndsWithoutAFile();
    void existingDatabaseIsNeverReplaced();
    void damagedFileReportsAndStaysUntouched();
    void secondCopyStopsAndStaleLockIsTakenOver();
    void directLogin_data();
    void directLogin();
    void announcedVersion_data();
    void announcedVersion();
    void updateNoticeOnlyForANewerVersion_data();
    void updateNoticeOnlyForANewerVersion();
    void silentPageGivesUpWithinTimeout();

    void adminLogsInWithEmptyPassword();
    void wrongPasswordThenRightOne();
    void quoteInPasswordIsRefusedBeforeAnyQuery();
    void awkwardNamesAndPasswords_data();
    void awkwardNamesAndPasswords();
    void directLoginIsRememberedOnlyOnSuccess();
    void quitButtonEnds();
    void restartFreesTheFolderFirst();
    void initialisationKeepsABackupAndStartsAfresh();

private:
    std::unique_ptr<StartupSequence> startWith(TestDataDir& dir);
    TestDataDir& newDir(bool withDatabase = true);
    LoginWindow* login() const { return sequence_->loginWindow(); }
    void logInAs(const QString& name, const QString& password);

    FakePlatform platform_;
    std::unique_ptr<StartupSequence> sequence_;
    std::unique_ptr<QSignalSpy> finished_;
    std::vector<std::unique_ptr<TestDataDir>> dirs_;
};

void StartupTest::init() { platform_.prompts.reset(); }

void StartupTest::cleanup() {
    VERIFY_PROMPTS_SETTLED(platform_.prompts);
    finished_.reset();
    sequence_.reset();
    dirs_.clear();
    qunsetenv("KORVANE_UPDATE_URL");
}

TestDataDir& StartupTest::newDir(bool withDatabase) {
    dirs_.push_back(std::make_unique<TestDataDir>(withDatabase));
    return *dirs_.back();
}

std::unique_ptr<StartupSequence> StartupTest::startWith(TestDataDir& dir) {
    auto sequence = std::make_unique<StartupSequence>(platform_, dir.path());
    finished_ = std::make_unique<QSignalSpy>(sequence.get(), &StartupSequence::finished);
    sequence->start();
    return sequence;
}

void StartupTest::logInAs(const QString& name, const QString& password) {
    auto* user = control<QComboBox>(login(), QStringLiteral("组合框_用户名"));
    user->showPopup();  // refills from the users table, as a click on the arrow does
    user->hidePopup();
    user->setCurrentIndex(user->findText(name));
    QCOMPARE(user->currentText(), name);
    auto* pw = control<QLineEdit>(login(), QStringLiteral("编辑框_密码"));
    pw->setFocus();
    pw->clear();
    typeText(pw, password);
    QTest::keyClick(pw, Qt::Key_Return);  // the default button 登录
}

void StartupTest::emptyFolderAsksAndCreatesTheDatabase() {
    TestDataDir& dir = newDir(false);
    platform_.prompts.expect(QStringLiteral("连接数据库失败！是否置入新的数据库"), MessageAnswer::Yes);
    platform_.prompts.expect(QStringLiteral("初始化成功！"));
    sequence_ = startWith(dir);
    QVERIFY(QFile::exists(dir.databasePath()));
    QVERIFY(login()->isVisible());
    QCOMPARE(control<QComboBox>(login(), QStringLiteral("组合框_用户名"))->currentText(), QStringLiteral("admin"));
    QCOMPARE(platform_.prompts.shown().first().message.buttons, MessageButtons::YesNo);

    logInAs(QStringLiteral("admin"), QString());
    MainWindow* main = sequence_->mainWindow();
    QVERIFY(main);
    QCOMPARE(main->windowTitle(), QStringLiteral("Korvanev3.2          收银员：admin(管理员)"));
    QVERIFY(!login()->isVisible());
}

void StartupTest::answeringNoEndsWithoutAFile() {
    TestDataDir& dir = newDir(false);
    platform_.prompts.expect(QStringLiteral("连接数据库失败！是否置入新的数据库"), MessageAnswer::No);
    sequence_ = startWith(dir);
    QCOMPARE(finished_->count(), 1);
    QCOMPARE(finished_->first().first().toInt(), 0);
    QVERIFY(!QFile::exists(dir.databasePath()));
    QCOMPARE(platform_.programs.restarts, 0);
}

void StartupTest::existingDatabaseIsNeverReplaced() {
    TestDataDir& dir = newDir();
    QVERIFY(dir.exec(QStringLiteral("UPDATE 配置文件 SET 店名 = '老店'")));
    sequence_ = startWith(dir);
    QVERIFY(login()->isVisible());
    QCOMPARE(dir.scalar(QStringLiteral("SELECT 店名 FROM 配置文件")), QStringLiteral("老店"));
}

void StartupTest::damagedFileReportsAndStaysUntouched() {
    TestDataDir& dir = newDir(false);
    const QByteArray junk("This is not a database, just some notes.\n");
    {
        QFile f(dir.databasePath());
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(junk);
    }
    platform_.prompts.expect(QStringLiteral("连接数据库失败！！"));
    sequence_ = startWith(dir);
    QCOMPARE(platform_.prompts.shown().last().message.icon, MessageIcon::Error);
    QVERIFY(login()->isVisible());
    QCOMPARE(finished_->count(), 0);
    QCOMPARE(readAll(dir.databasePath()), junk);

    // Without a database every login attempt reports the failed query; nothing crashes.
    platform_.prompts.expect(QStringLiteral("用户名不能为空！"));
    login()->logIn();
}

void StartupTest::secondCopyStopsAndStaleLockIsTakenOver() {
    TestDataDir& dir = newDir(false);
    // The real program, waiting at its first question, holds the folder.
    QProcess first;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("KORVANE_DATA_DIR"), dir.path());
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    first.setProcessEnvironment(env);
    first.start(QStringLiteral(KORVANE_BINARY), {});
    QVERIFY(first.waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(dir.file(QStringLiteral("RX.mdb.lock"))), 10000);

    platform_.prompts.expect(QStringLiteral("程序已经运行!"));
    sequence_ = startWith(dir);
    QCOMPARE(finished_->count(), 1);
    QCOMPARE(finished_->first().first().toInt(), 0);
    QVERIFY(!QFile::exists(dir.databasePath()));
    sequence_.reset();

    // A copy that crashed leaves its lock behind; the next start takes it over.
    first.kill();
    first.waitForFinished();
    QVERIFY(QFile::exists(dir.file(QStringLiteral("RX.mdb.lock"))));
    platform_.prompts.expect(QStringLiteral("连接数据库失败！是否置入新的数据库"), MessageAnswer::Yes);
    platform_.prompts.expect(QStringLiteral("初始化成功！"));
    sequence_ = startWith(dir);
    QVERIFY(login()->isVisible());
}

void StartupTest::directLogin_data() {
    QTest::addColumn<QString>("direct");
    QTest::addColumn<QString>("remembered");
    QTest::addColumn<bool>("mainWindow");
    QTest::newRow("on, admin") << "1" << "admin" << true;
    QTest::newRow("any text but 0 is on") << "真" << "admin" << true;
    QTest::newRow("off") << "0" << "admin" << false;
    QTest::newRow("on without a name") << "1" << "" << false;
}

void StartupTest::directLogin() {
    QFETCH(QString, direct);
    QFETCH(QString, remembered);
    QFETCH(bool, mainWindow);
    TestDataDir& dir = newDir();
    QVERIFY(dir.exec(QStringLiteral("UPDATE 配置文件 SET 直接登录 = '%1', 用户登录 = %2")
                         .arg(direct, remembered.isEmpty() ? QStringLiteral("NULL") : QLatin1Char('\'') + remembered + QLatin1Char('\''))));
    sequence_ = startWith(dir);
    QCOMPARE(sequence_->mainWindow() != nullptr, mainWindow);
    QCOMPARE(login()->isVisible(), !mainWindow);
    if (mainWindow) {
        QVERIFY(sequence_->mainWindow()->windowTitle().endsWith(QStringLiteral("收银员：admin(管理员)")));
    } else {
        QCOMPARE(control<QComboBox>(login(), QStringLiteral("组合框_用户名"))->currentText(), QStringLiteral("admin"));
    }
}

void StartupTest::announcedVersion_data() {
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("version");
    QTest::addColumn<bool>("newer");
    QTest::newRow("newer") << "<p>xp=3.3=dy</p>" << "3.3" << true;
    QTest::newRow("markers in any case") << "XP=4.0=DY" << "4.0" << true;
    QTest::newRow("same") << "xp=3.2=dy" << "3.2" << false;
    QTest::newRow("older") << "xp=3.1.9=dy" << "3.1.9" << false;
    QTest::newRow("two digits compare as numbers") << "xp=3.10=dy" << "3.10" << true;
    QTest::newRow("no markers") << "<html>maintenance</html>" << "" << false;
    QTest::newRow("not a version") << "xp=soon=dy" << "soon" << false;
    QTest::newRow("end marker searched after the start") << "xp==dy" << "" << false;
}

void StartupTest::announcedVersion() {
    QFETCH(QString, page);
    QFETCH(QString, version);
    QFETCH(bool, newer);
    QCOMPARE(UpdateCheck::announcedVersion(page), version);
    QCOMPARE(UpdateCheck::isNewer(version, QStringLiteral("3.2")), newer);
}

void StartupTest::updateNoticeOnlyForANewerVersion_data() {
    QTest::addColumn<QByteArray>("page");
    QTest::addColumn<bool>("notice");
    QTest::newRow("newer") << QByteArray("<body>当前版本 xp=3.5=dy</body>") << true;
    QTest::newRow("current") << QByteArray("xp=3.2=dy") << false;
    QTest::newRow("no markers") << QByteArray("<h1>502 Bad Gateway</h1>") << false;
}

void StartupTest::updateNoticeOnlyForANewerVersion() {
    QFETCH(QByteArray, page);
    QFETCH(bool, notice);
    AnnouncementServer server(page);
    qputenv("KORVANE_UPDATE_URL", server.url().toUtf8());
    TestDataDir& dir = newDir();
    if (notice) platform_.prompts.expect(QStringLiteral("当前版本已过旧，,请及时更新!"));
    sequence_ = startWith(dir);
    QTRY_VERIFY(login() && login()->isVisible());
}

void StartupTest::silentPageGivesUpWithinTimeout() {
    AnnouncementServer server("", false);
    qputenv("KORVANE_UPDATE_URL", server.url().toUtf8());
    TestDataDir& dir = newDir();
    sequence_ = startWith(dir);
    // Start-up goes on without a notice once the page has not answered in time.
    QTRY_VERIFY_WITH_TIMEOUT(login() && login()->isVisible(), 6000);
}

void StartupTest::adminLogsInWithEmptyPassword() {
    TestDataDir& dir = newDir();
    sequence_ = startWith(dir);
    logInAs(QStringLiteral("admin"), QString());
    QVERIFY(sequence_->mainWindow());
    QCOMPARE(sequence_->mainWindow()->currentUser().permission, QStringLiteral("管理员"));
    QCOMPARE(dir.scalar(QStringLiteral("SELECT 直接登录 FROM 配置文件")), QStringLiteral("0"));
}

void StartupTest::wrongPasswordThenRightOne() {
    TestDataDir& dir = newDir();
    QVERIFY(dir.exec(QStringLiteral("INSERT INTO 用户登录 (用户名, 权限, 密码) VALUES ('李店长', '管理员', '%1')")
                         .arg(passwordDigest(QStringLiteral("店长2016")))));
    sequence_ = startWith(dir);
    platform_.prompts.expect(QStringLiteral("请输入正确的密码！"));
    logInAs(QStringLiteral("李店长"), QStringLiteral("店长2017"));
    QCOMPARE(platform_.prompts.shown().last().message.title, QStringLiteral("提示："));
    QVERIFY(!sequence_->mainWindow());
    QCOMPARE(control<QLineEdit>(login(), QStringLiteral("编辑框_密码"))->text(), QStringLiteral("店长2017"));
    logInAs(QStringLiteral("李店长"), QStringLiteral("店长2016"));
    QVERIFY(sequence_->mainWindow());
    QCOMPARE(sequence_->mainWindow()->currentUser().name, QStringLiteral("李店长"));
}

void StartupTest::quoteInPasswordIsRefusedBeforeAnyQuery() {
    TestDataDir& dir = newDir();
    sequence_ = startWith(dir);
    platform_.prompts.expect(QStringLiteral("密码里存在注入语句!"));
    platform_.prompts.expect(QStringLiteral("密码里存在注入语句!"));
    logInAs(QStringLiteral("admin"), QStringLiteral("' or '1'='1"));
    logInAs(QStringLiteral("admin"), QStringLiteral("say \"hi\""));
    QCOMPARE(platform_.prompts.shown().last().message.icon, MessageIcon::Information);
    QVERIFY(!sequence_->mainWindow());
}

void StartupTest::awkwardNamesAndPasswords_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("password");
    QTest::newRow("apostrophe in the name") << "O'Brien" << "pass";
    QTest::newRow("chinese") << "收银员小王" << "密码一二三";
    QTest::newRow("long password") << "long" << QString(100, QChar(0x5BC6)) + QString(100, QLatin1Char('x'));
    QTest::newRow("fifty characters") << QString(50, QChar(0x738B)) << "1";
}

void StartupTest::awkwardNamesAndPasswords() {
    QFETCH(QString, name);
    QFETCH(QString, password);
    TestDataDir& dir = newDir();
    QVERIFY(dir.exec(QStringLiteral("INSERT INTO 用户登录 (用户名, 权限, 密码) VALUES ('%1', '普通用户', '%2')")
                         .arg(QString(name).replace(QLatin1Char('\''), QStringLiteral("''")), passwordDigest(password))));
    sequence_ = startWith(dir);
    auto* direct = control<QCheckBox>(login(), QStringLiteral("选择框1"));
    direct->setChecked(true);
    logInAs(name, password);
    QVERIFY(sequence_->mainWindow());
    QCOMPARE(sequence_->mainWindow()->currentUser().permission, QStringLiteral("普通用户"));
    QCOMPARE(dir.scalar(QStringLiteral("SELECT 用户登录 FROM 配置文件")), name);
}

void StartupTest::directLoginIsRememberedOnlyOnSuccess() {
    TestDataDir& dir = newDir();
    QVERIFY(dir.exec(QStringLiteral("INSERT INTO 用户登录 (用户名, 权限, 密码) VALUES ('张三', '普通用户', '%1')")
                         .arg(passwordDigest(QStringLiteral("123456")))));
    sequence_ = startWith(dir);
    auto* direct = control<QCheckBox>(login(), QStringLiteral("选择框1"));
    direct->click();
    direct->click();
    direct->click();
    QVERIFY(direct->isChecked());
    QCOMPARE(dir.scalar(QStringLiteral("SELECT 直接登录 FROM 配置文件")), QStringLiteral("0"));

    platform_.prompts.expect(QStringLiteral("请输入正确的密码！"));
    logInAs(QStringLiteral("张三"), QStringLiteral("wrong"));
    QCOMPARE(dir.scalar(QStringLiteral("SELECT 直接登录 || 用户登录 FROM 配置文件")), QStringLiteral("0admin"));

    logInAs(QStringLiteral("张三"), QStringLiteral("123456"));
    QCOMPARE(dir.scalar(QStringLiteral("SELECT 直接登录 || 用户登录 FROM 配置文件")), QStringLiteral("1张三"));
    sequence_.reset();

    // The next start goes straight to the counter as 张三.
    sequence_ = startWith(dir);
    QVERIFY(sequence_->mainWindow());
    QVERIFY(sequence_->mainWindow()->windowTitle().endsWith(QStringLiteral("收银员：张三(普通用户)")));
}

void StartupTest::quitButtonEnds() {
    TestDataDir& dir = newDir();
    sequence_ = startWith(dir);
    QTest::mouseClick(control<QPushButton>(login(), QStringLiteral("按钮_退出")), Qt::LeftButton);
    QCOMPARE(finished_->count(), 1);
    QCOMPARE(finished_->first().first().toInt(), 0);
    QVERIFY(!sequence_->database().isOpen());
}

void StartupTest::restartFreesTheFolderFirst() {
    TestDataDir& dir = newDir();
    sequence_ = startWith(dir);
    sequence_->restart();
    QCOMPARE(platform_.programs.restarts, 1);
    QCOMPARE(finished_->count(), 1);
    QCOMPARE(finished_->first().first().toInt(), 0);
    QVERIFY(!sequence_->database().isOpen());
    SingleInstance next(dir.path());
    QCOMPARE(next.acquire(), SingleInstance::Result::Acquired);
}

void StartupTest::initialisationKeepsABackupAndStartsAfresh() {
    TestDataDir& dir = newDir();
    for (const char* sql :
         {"UPDATE 配置文件 SET 店名 = 'O''Brien 的店', 直接登录 = '1', 用户登录 = '李店长'",
          "INSERT INTO 用户登录 (用户名, 权限, 密码) VALUES ('李店长', '管理员', 'd41d8cd98f00b204e9800998ecf8427e')",
          "INSERT INTO 商品名称 (名称, 单价) VALUES ('曲奇', '12.50')", "INSERT INTO 客户资料 (姓名, 电话) VALUES ('王', NULL)",
          "INSERT INTO 付款方式 (方式) VALUES ('支付宝')",
          "INSERT INTO 销售记录 (销售票号, 销售时间, 数量, 金额, 收银员) VALUES ('2612110000001', '2026-12-11 08:00:00', '2', '25.00', '李店长')",
          "INSERT INTO 销售详情 (关联, 名称, 数量, 单价, 金额, 折后) SELECT max(ID), '曲奇', '2', '12.50', '25.00', '25.00' FROM 销售记录"})
        QVERIFY2(dir.exec(QString::fromUtf8(sql)), sql);
    const QString backup = dir.file(QStringLiteral("备份 2026.mdb"));

    sequence_ = startWith(dir);
    MainWindow* main = sequence_->mainWindow();
    QVERIFY(main);
    const QStringList before = tablesOf(dir.databasePath());
    QVERIFY(before.contains(QStringLiteral("[销售详情]")));
    main->findChild<QAction*>(QStringLiteral("统计销售"))->trigger();
    auto* records = main->findChild<SalesRecordsWindow*>();
    QVERIFY(records);
    platform_.prompts.expect(QStringLiteral("确定初始化吗,并备份数据吗 ？"), MessageAnswer::Yes);
    platform_.prompts.expectSaveFile(backup);
    platform_.prompts.expect(QStringLiteral("初始化完成，并已备份！"));
    const int restarts = platform_.programs.restarts;
    QTest::mouseClick(control<QPushButton>(records, QStringLiteral("按钮_管理数据")), Qt::LeftButton);
    QCOMPARE(platform_.programs.restarts, restarts + 1);
    QCOMPARE(finished_->count(), 1);

    // The backup holds every table as it was.
    QCOMPARE(tablesOf(backup), before);

    // The new copy starts before this one has gone, and starts like a first installation.
    auto next = std::make_unique<StartupSequence>(platform_, dir.path());
    QSignalSpy nextFinished(next.get(), &StartupSequence::finished);
    next->start();
    QCOMPARE(nextFinished.count(), 0);
    QVERIFY(!next->mainWindow());
    QVERIFY(next->loginWindow() && next->loginWindow()->isVisible());
    QCOMPARE(control<QComboBox>(next->loginWindow(), QStringLiteral("组合框_用户名"))->currentText(), QStringLiteral("admin"));
    // Every table as in a blank database: the seed rows only.
    TestDataDir& blank = newDir();
    QCOMPARE(tablesOf(dir.databasePath()), tablesOf(blank.databasePath()));
    next.reset();
}

QTEST_MAIN(StartupTest)
#include "tst_startup.moc"
