#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTest>

#include "FileBytes.h"
#include "FakePlatform.h"
#include "TestDataDir.h"
#include "store/BlankDatabase.h"
#include "store/ConfigReaders.h"
#include "store/Database.h"
#include "store/Transaction.h"
#include "widgets/DropDownEdit.h"
#include "widgets/QueryFill.h"
#include "widgets/ReportListModel.h"

namespace {

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

}  // namespace

class DatabaseTest : public QObject {
    Q_OBJECT
private slots:
    void blankDatabaseHasTheTablesInOrder_data();
    void blankDatabaseHasTheTablesInOrder();
    void seedRowsAndNextIds();
    void blankDatabaseIsPrivateAndLeavesNothingBehind();
    void blankDatabaseInUnwritableFolderFails();
    void emptyTextRefusedInEveryTextColumn_data();
    void emptyTextRefusedInEveryTextColumn();
    void textLengthLimits();
    void deletingReceiptRemovesItsLines();
    void lineWithoutReceiptRefused();
    void apostrophesAreStoredAsTyped();
    void foreignFilesAreRefusedAndUntouched_data();
    void foreignFilesAreRefusedAndUntouched();
    void missingFileIsNotCreated();
    void recordSetReadsEmptyTextOutsideTheResult();
    void transactionRollsBackUnlessCommitted();
    void configReaders();
    void configReadersWithoutTheRow();
    void configReadersWhenTheDatabaseIsClosed();
    void fillListNumbersRowsAndKeepsIds();
};

void DatabaseTest::blankDatabaseHasTheTablesInOrder_data() {
    QTest::addColumn<QString>("table");
    QTest::addColumn<QStringList>("columns");
    QTest::newRow("客户资料") << "客户资料" << QStringList{"ID", "姓名", "电话"};
    QTest::newRow("付款方式") << "付款方式" << QStringList{"ID", "方式"};
    QTest::newRow("商品名称") << "商品名称" << QStringList{"ID", "名称", "单价"};
    QTest::newRow("用户登录") << "用户登录" << QStringList{"ID", "用户名", "权限", "密码"};
    QTest::newRow("销售记录") << "销售记录" << QStringList{"ID", "销售票号", "销售时间", "数量", "金额", "收银员", "备注"};
    QTest::newRow("销售详情") << "销售详情" << QStringList{"ID", "关联", "名称", "数量", "单价", "金额", "折后", "备注"};
    QTest::newRow("配置文件") << "配置文件"
                          << QStringList{"ID",     "店名",     "全局单号格式", "单号格式",       "备注",
                                         "客户",   "电话",     "折扣",         "付款方式的选中", "保存销售记录",
                                         "显示打印完毕", "提示再次打印", "打印单价", "纸张边距", "打印偏差",
                                         "用户登录", "直接登录", "logo高度",     "logo宽度",       "logo偏差",
                                         "是否打印logo", "logo"};
}

void DatabaseTest::blankDatabaseHasTheTablesInOrder() {
    QFETCH(QString, table);
    QFETCH(QStringList, columns);
    TestDataDir dir;
    QVERIFY(dir.isValid());
    Database db;
    QVERIFY(db.open(dir.databasePath()));
    RecordSet rows = db.query(QStringLiteral("SELECT * FROM ") + table);
    QVERIFY(rows.ok());
    const QSqlRecord record = db.handle().record(table);
    QStringList actual;
    for (int i = 0; i < record.count(); ++i) actual << record.fieldName(i);
    QCOMPARE(actual, columns);
    QCOMPARE(dir.scalar(QStringLiteral("SELECT count(*) FROM sqlite_master WHERE type='table' AND name NOT LIKE 'sqlite%'")),
             QStringLiteral("7"));
}

void DatabaseTest::seedRowsAndNextIds() {
    TestDataDir dir;
    Database db;
    QVERIFY(db.open(dir.databasePath()));
    QCOMPARE(dir.scalar(QStringLiteral("SELECT group_concat(ID) FROM 付款方式")), QStringLiteral("1,3,9,10,12,13"));
    QCOMPARE(dir.scalar(QStringLiteral("SELECT 密码 FROM 用户登录 WHERE 用户名='ADMIN'")),
             QStringLiteral("d41d8cd98f00b204e9800998ecf8427e"));
    QCOMPARE(dir.scalar(QStringLiteral("SELECT 备注 FROM 销售记录 WHERE ID=401")),
             QStringLiteral("1.所购商品7日内凭购物小票调换\r\n2.所调换商品不能影响二次销售 "));
    QCOMPARE(dir.scalar(QStringLiteral("SELECT 销售时间 FROM 销售记录 WHERE ID=401")), QStringLiteral("2016-08-18 20:55:36"));
    QVERIFY(dir.scalar(QStringLiteral("SELECT hex(substr(logo,1,3)) FROM 配置文件")) == QStringLiteral("FFD8FF"));

    struct Next {
        const char* insert;
        qint64 id;
    };
    const Next next[] = {
        {"INSERT INTO 客户资料 (姓名, 电话) VALUES ('王五', '123')", 5},
        {"INSERT INTO 付款方式 (方式) VALUES ('赊账')", 14},
        {"INSERT INTO 商品名称 (名称, 单价) VALUES ('x', '1.00')", 27},
        {"INSERT INTO 用户登录 (用户名, 权限, 密码) VALUES ('张三', '普通用户', 'x')", 14},
        {"INSERT INTO 销售记录 (销售票号) VALUES ('1')", 402},
        {"INSERT INTO 销售详情 (关联, 名称) VALUES (401, 'x')", 481},
    };
    for (const Next& n : next) {
        QVERIFY2(db.execute(QString::fromUtf8(n.insert)), qPrintable(db.lastError()));
        QCOMPARE(db.lastInsertId(), n.id);
    }
}

void DatabaseTest::blankDatabaseIsPrivateAndLeavesNothingBehind() {
    TestDataDir dir(false);
    QVERIFY(writeBlankDatabase(dir.databasePath()));
    struct stat info {};
    QCOMPARE(::stat(QFile::encodeName(dir.databasePath()).constData(), &info), 0);
    QCOMPARE(info.st_mode & 0777, 0600u);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"RX.mdb"});
}

void DatabaseTest::blankDatabaseInUnwritableFolderFails() {
    if (::geteuid() == 0) QSKIP("root writes into read-only folders");
    TestDataDir dir(false);
    QVERIFY(QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner));
    QVERIFY(!writeBlankDatabase(dir.databasePath()));
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QVERIFY(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).isEmpty());
}

void DatabaseTest::emptyTextRefusedInEveryTextColumn_data() {
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("column");
    const QList<QPair<const char*, QStringList>> tables = {
        {"客户资料", {"姓名", "电话"}},
        {"付款方式", {"方式"}},
        {"商品名称", {"名称", "单价"}},
        {"用户登录", {"用户名", "权限", "密码"}},
        {"销售记录", {"销售票号", "数量", "金额", "收银员", "备注"}},
        {"销售详情", {"名称", "数量", "单价", "金额", "折后", "备注"}},
        {"配置文件", {"店名", "全局单号格式", "单号格式", "备注", "客户", "电话", "折扣", "付款方式的选中", "保存销售记录",
                      "显示打印完毕", "提示再次打印", "打印单价", "纸张边距", "打印偏差", "用户登录", "直接登录",
                      "是否打印logo"}},
    };
    for (const auto& [table, columns] : tables)
        for (const QString& column : columns)
            QTest::newRow(qPrintable(QString::fromUtf8(table) + QLatin1Char('.') + column))
                << QString::fromUtf8(table) << column;
}

void DatabaseTest::emptyTextRefusedInEveryTextColumn() {
    QFETCH(QString, table);
    QFETCH(QString, column);
    TestDataDir dir;
    Database db;
    QVERIFY(db.open(dir.databasePath()));
    const QString id = db.query(QStringLiteral("SELECT min(ID) AS ID FROM ") + table).text(QStringLiteral("ID"));
    const QString update = QStringLiteral("UPDATE ") + table + QStringLiteral(" SET ") + column + QStringLiteral(" = ? WHERE ID = ") + id;
    const QString before = db.query(QStringLiteral("SELECT * FROM ") + table + QStringLiteral(" WHERE ID = ") + id).text(column);
    QVERIFY(!db.execute(update, {QVariant(QString())}));
    QCOMPARE(db.query(QStringLiteral("SELECT * FROM ") + table + QStringLiteral(" WHERE ID = ") + id).text(column), before);
    // NULL is allowed, as a non-empty text is.
    QVERIFY2(db.execute(update, {QStringLiteral("x")}), qPrintable(db.lastError()));
    QVERIFY(db.execute(update, {QVariant()}));
}

void DatabaseTest::textLengthLimits() {
    TestDataDir dir;
    Database db;
    QVERIFY(db.open(dir.databasePath()));
    const QString fifty(50, QChar(0x4E2D));
    QVERIFY(db.execute(QStringLiteral("INSERT INTO 商品名称 (名称, 单价) VALUES (?, '1.00')"), {fifty}));
    QVERIFY(!db.execute(QStringLiteral("INSERT INTO 商品名称 (名称, 单价) VALUES (?, '1.00')"), {QString(fifty + QLatin1Char('x'))}));
    QVERIFY(db.execute(QStringLiteral("INSERT INTO 客户资料 (姓名, 电话) VALUES ('a', ?)"), {QString(100, QLatin1Char('9'))}));
    QVERIFY(!db.execute(QStringLiteral("UPDATE 销售记录 SET 销售时间 = '2016-8-18' WHERE ID = 401")));
}

void DatabaseTest::deletingReceiptRemovesItsLines() {
    TestDataDir dir;
    Database db;
    QVERIFY(db.open(dir.databasePath()));
    QCOMPARE(db.query(QStringLiteral("SELECT count(*) AS n FROM 销售详情 WHERE ID = 480")).text(QStringLiteral("n")), QStringLiteral("1"));
    QVERIFY(db.execute(QStringLiteral("DELETE FROM 销售记录 WHERE ID = ?"), {401}));
    QCOMPARE(db.query(QStringLiteral("SELECT count(*) AS n FROM 销售详情")).text(QStringLiteral("n")), QStringLiteral("0"));
}

void DatabaseTest::lineWithoutReceiptRefused() {
    TestDataDir dir;
    Database db;
    QVERIFY(db.open(dir.databasePath()));
    QVERIFY(!db.execute(QStringLiteral("INSERT INTO 销售详情 (关联, 名称) VALUES (999, 'x')")));
    QVERIFY(!db.execute(QStringLiteral("INSERT INTO 销售详情 (名称) VALUES ('default 0 names no receipt')")));
    QCOMPARE(db.query(QStringLiteral("SELECT count(*) AS n FROM 销售详情")).text(QStringLiteral("n")), QStringLiteral("1"));
}

void DatabaseTest::apostrophesAreStoredAsTyped() {
    TestDataDir dir;
    Database db;
    QVERIFY(db.open(dir.databasePath()));
    const QString name = QStringLiteral("O'Brien'); DROP TABLE 客户资料; --");
    QVERIFY(db.execute(QStringLiteral("INSERT INTO 客户资料 (姓名, 电话) VALUES (?, ?)"), {name, QStringLiteral("1")}));
    RecordSet rows = db.query(QStringLiteral("SELECT * FROM 客户资料 WHERE 姓名 = ?"), {name});
    QCOMPARE(rows.text(QStringLiteral("姓名")), name);
    QCOMPARE(rows.integer(QStringLiteral("ID")), qint64(5));
}

void DatabaseTest::foreignFilesAreRefusedAndUntouched_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("truncateBlank");
    QTest::newRow("empty") << QByteArray() << false;
    QTest::newRow("random bytes") << QByteArray(4096, '\x5a') << false;
    QTest::newRow("text file") << QByteArray("name,price\nx,1\n") << false;
    QTest::newRow("access file") << QByteArray("\x00\x01\x00\x00Standard Jet DB\x00", 20) + QByteArray(2000, '\0') << false;
    QTest::newRow("truncated database") << QByteArray() << true;
}

void DatabaseTest::foreignFilesAreRefusedAndUntouched() {
    QFETCH(QByteArray, content);
    QFETCH(bool, truncateBlank);
    TestDataDir dir(truncateBlank);
    if (truncateBlank) {
        const QByteArray whole = readAll(dir.databasePath());
        content = whole.left(whole.size() / 2);
    }
    writeFile(dir.databasePath(), content);
    Database db;
    QVERIFY(!db.open(dir.databasePath()));
    QVERIFY(!db.isOpen());
    QCOMPARE(readAll(dir.databasePath()), content);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"RX.mdb"});
}

void DatabaseTest::missingFileIsNotCreated() {
    TestDataDir dir(false);
    Database db;
    QVERIFY(!db.open(dir.databasePath()));
    QVERIFY(!QFile::exists(dir.databasePath()));

    // Another program's SQLite file is refused as well.
    {
        QSqlDatabase other = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("other"));
        other.setDatabaseName(dir.databasePath());
        QVERIFY(other.open());
        QVERIFY(QSqlQuery(other).exec(QStringLiteral("CREATE TABLE t (x)")));
        other.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("other"));
    const QByteArray before = readAll(dir.databasePath());
    QVERIFY(!db.open(dir.databasePath()));
    QCOMPARE(readAll(dir.databasePath()), before);
}

void DatabaseTest::recordSetReadsEmptyTextOutsideTheResult() {
    TestDataDir dir;
    Database db;
    QVERIFY(db.open(dir.databasePath()));
    RecordSet rows = db.query(QStringLiteral("SELECT * FROM 付款方式 ORDER BY ID"));
    QCOMPARE(rows.text(QStringLiteral("方式")), QStringLiteral("现金"));
    QCOMPARE(rows.text(QStringLiteral("没有的列")), QString());
    int count = 0;
    for (; !rows.isPastLast(); rows.next()) ++count;
    QCOMPARE(count, 6);
    QCOMPARE(rows.text(QStringLiteral("方式")), QString());
    RecordSet none = db.query(QStringLiteral("SELECT * FROM 付款方式 WHERE ID = 2"));
    QVERIFY(none.ok());
    QVERIFY(none.isPastLast());
    QCOMPARE(none.text(QStringLiteral("方式")), QString());
    QVERIFY(!db.query(QStringLiteral("SELECT * FROM 没有的表")).ok());
}

void DatabaseTest::transactionRollsBackUnlessCommitted() {
    TestDataDir dir;
    Database db;
    QVERIFY(db.open(dir.databasePath()));
    {
        Transaction t = db.transaction();
        QVERIFY(t.isActive());
        QVERIFY(db.execute(QStringLiteral("INSERT INTO 付款方式 (方式) VALUES ('a')")));
    }
    QCOMPARE(dir.scalar(QStringLiteral("SELECT count(*) FROM 付款方式")), QStringLiteral("6"));
    {
        Transaction t = db.transaction();
        QVERIFY(db.execute(QStringLiteral("INSERT INTO 付款方式 (方式) VALUES ('b')")));
        QVERIFY(t.commit());
    }
    QCOMPARE(dir.scalar(QStringLiteral("SELECT count(*) FROM 付款方式")), QStringLiteral("7"));
}

void DatabaseTest::configReaders() {
    TestDataDir dir;
    Database db;
    QVERIFY(db.open(dir.databasePath()));
    FakePrompter prompter;
    QCOMPARE(readConfigText(db, prompter, QStringLiteral("单号格式")), QStringLiteral("000000"));
    QVERIFY(readConfigFlag(db, prompter, QStringLiteral("打印单价")));
    QVERIFY(writeConfigValue(db, QStringLiteral("打印单价"), QStringLiteral("1")));
    QVERIFY(!readConfigFlag(db, prompter, QStringLiteral("打印单价")));
    QVERIFY(writeConfigValue(db, QStringLiteral("纸张边距"), QStringLiteral("12.9")));
    QCOMPARE(readConfigNumber(db, prompter, QStringLiteral("纸张边距")), QStringLiteral("12.9"));
    QCOMPARE(readLogoFlag(db, prompter), QStringLiteral("假"));
    QCOMPARE(readLastValue(db, prompter, QStringLiteral("SELECT * FROM 付款方式 ORDER BY ID"), {}, QStringLiteral("方式")),
             QStringLiteral("财付通"));
    QVERIFY(!writeConfigValue(db, QStringLiteral("店名"), QString()));
    QCOMPARE(prompter.shown().size(), 0);
}

void DatabaseTest::configReadersWithoutTheRow() {
    TestDataDir dir;
    QVERIFY(dir.exec(QStringLiteral("DELETE FROM 配置文件")));
    Database db;
    QVERIFY(db.open(dir.databasePath()));
    FakePrompter prompter;
    QCOMPARE(readConfigText(db, prompter, QStringLiteral("直接登录")), QString());
    QVERIFY(!readConfigFlag(db, prompter, QStringLiteral("保存销售记录")));
    QCOMPARE(readConfigNumber(db, prompter, QStringLiteral("纸张边距")), QString());
    QCOMPARE(readLogoFlag(db, prompter), QString());
    QVERIFY(prompter.shown().isEmpty());
}

void DatabaseTest::configReadersWhenTheDatabaseIsClosed() {
    Database db;
    FakePrompter prompter;
    QCOMPARE(readConfigText(db, prompter, QStringLiteral("店名")), QString());
    QVERIFY(!readConfigFlag(db, prompter, QStringLiteral("打印单价")));
    QCOMPARE(readConfigNumber(db, prompter, QStringLiteral("纸张边距")), QStringLiteral("假"));
    QCOMPARE(readLogoFlag(db, prompter), QString());
    QCOMPARE(prompter.shownTexts(), (QStringList{"查询失败！", "查询失败！", "查询失败！", "logo数据打开失败！"}));
    QCOMPARE(prompter.shown().last().message.icon, MessageIcon::Error);
    QCOMPARE(prompter.shown().first().message.title, QStringLiteral("信息："));
}

void DatabaseTest::fillListNumbersRowsAndKeepsIds() {
    TestDataDir dir;
    Database db;
    QVERIFY(db.open(dir.databasePath()));
    FakePrompter prompter;
    ReportListModel list({QStringLiteral("ID"), QStringLiteral("姓名"), QStringLiteral("电话")});
    QVERIFY(fillListFromQuery(db, prompter, QStringLiteral("SELECT * FROM 客户资料 ORDER BY ID"), {}, list,
                              {QStringLiteral("姓名"), QStringLiteral("电话")}));
    QCOMPARE(list.rowCount(), 3);
    QCOMPARE(list.cell(2, 0), QStringLiteral("3"));
    QCOMPARE(list.cell(2, 1), QStringLiteral("369"));
    QCOMPARE(list.rowId(2), qint64(4));
    QCOMPARE(list.data(list.index(2, 1), Qt::UserRole).toLongLong(), qint64(4));

    QVERIFY(dir.exec(QStringLiteral("DELETE FROM 客户资料")));
    QVERIFY(fillListFromQuery(db, prompter, QStringLiteral("SELECT * FROM 客户资料"), {}, list, {QStringLiteral("姓名")}));
    QCOMPARE(list.rowCount(), 0);
    QVERIFY(prompter.shown().isEmpty());

    DropDownEdit combo(true);
    combo.setEditText(QStringLiteral("typed"));
    QVERIFY(fillComboFromQuery(db, prompter, QStringLiteral("SELECT * FROM 付款方式 ORDER BY ID"), {}, combo,
                               QStringLiteral("方式"), true));
    QCOMPARE(combo.count(), 6);
    QCOMPARE(combo.itemData(2).toLongLong(), qint64(9));
    QCOMPARE(combo.currentText(), QStringLiteral("typed"));
    QVERIFY(!fillComboFromQuery(db, prompter, QStringLiteral("SELECT * FROM nothing"), {}, combo, QStringLiteral("x"), false));
    QCOMPARE(prompter.shownTexts(), QStringList{"查询失败！"});
}

QTEST_MAIN(DatabaseTest)
#include "tst_database.moc"
