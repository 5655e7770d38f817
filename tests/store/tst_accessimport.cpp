#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>
#include <cmath>
#include <limits>

#include "FileBytes.h"
#include "store/AccessDate.h"
#include "store/AccessImporter.h"
#include "store/BlankDatabase.h"
#include "store/Database.h"
#include "store/NumberRules.h"
#include "store/OlePicture.h"
#include "store/TextRules.h"

namespace {

const QString fixture = QStringLiteral(KORVANE_FIXTURES "/legacy-RX.mdb");

using Rows = QList<QStringList>;

// A table as mdb-export writes it: the header row, then every row ordered by ID; NULL and the
// empty text both read as "", OLE Objects as upper-case hex.
Rows exported(const QString& file, const QString& table) {
    QProcess p;
    p.start(QStringLiteral("mdb-export"), {QStringLiteral("-Q"), QStringLiteral("-d"), QStringLiteral("\x1f"), QStringLiteral("-R"),
                                           QStringLiteral("\x1e"), QStringLiteral("-T"), QStringLiteral("%Y-%m-%d %H:%M:%S"),
                                           QStringLiteral("-b"), QStringLiteral("hex"), file, table});
    if (!p.waitForFinished(60000) || p.exitCode() != 0) return {};
    Rows rows;
    for (const QString& line : QString::fromUtf8(p.readAllStandardOutput()).split(QChar(0x1e), Qt::SkipEmptyParts))
        rows << line.split(QChar(0x1f));
    std::sort(rows.begin() + 1, rows.end(), [](const QStringList& a, const QStringList& b) { return a[0].toLongLong() < b[0].toLongLong(); });
    return rows;
}

// The same table read back from a Korvane database, columns named by the header given.
Rows stored(const QString& file, const QString& table, const QStringList& header) {
    Rows rows{header};
    const QString name = QStringLiteral("tst-accessimport-read");
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(file);
        if (db.open()) {
            QSqlQuery q(db);
            q.exec(QStringLiteral("SELECT * FROM %1 ORDER BY ID").arg(table));
            while (q.next()) {
                QStringList row;
                for (const QString& column : header) {
                    const QVariant v = q.value(q.record().indexOf(column));
                    row << (v.typeId() == QMetaType::QByteArray ? QString::fromLatin1(v.toByteArray().toHex().toUpper())
                                                                 : v.toString());
                }
                rows << row;
            }
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return rows;
}

QString scalar(const QString& file, const QString& sql) {
    const QString name = QStringLiteral("tst-accessimport-scalar");
    QString out;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(file);
        if (db.open()) {
            QSqlQuery q(db);
            if (q.exec(sql) && q.next()) out = q.value(0).toString();
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return out;
}

// Overwrites the bytes right after the only occurrence of `marker` in `file`.
bool patchAfter(QByteArray& file, const QByteArray& marker, const QByteArray& bytes) {
    const qsizetype at = file.indexOf(marker);
    if (at < 0 || file.indexOf(marker, at + 1) >= 0) return false;
    file.replace(at + marker.size(), bytes.size(), bytes);
    return true;
}

QByteArray le32(qint32 v) {
    QByteArray b(4, '\0');
    qToLittleEndian(v, b.data());
    return b;
}

QByteArray leDouble(double v) {
    QByteArray b(8, '\0');
    qToLittleEndian(v, b.data());
    return b;
}

// A text as the file stores it uncompressed: UTF-16 little-endian.
QByteArray utf16(const QString& text) {
    return QByteArray(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
}

// A fixed-column row start in a Jet 4 data page: column count, then the ID.
QByteArray rowStart(quint16 columns, qint32 id) {
    QByteArray b(2, '\0');
    qToLittleEndian(columns, b.data());
    return b + le32(id);
}

QStringList filesIn(const QString& dir) { return QDir(dir).entryList(QDir::Files | QDir::Hidden | QDir::System); }

}  // namespace

class AccessImportTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();

    void fixtureKeepsEveryRowAndValue_data();
    void fixtureKeepsEveryRowAndValue();
    void fixtureCountsUsersAndSales();
    void resultWorksAsOurOwnDatabase();
    void textsStayUtf8WhateverTheEnvironment();

    void unusableFilesChangeNothing_data();
    void unusableFilesChangeNothing();
    void importingOntoTheSourceIsRefused();
    void rowsThatCannotBeStoredAreReportedAndKept();
    void fileWithoutAnAdministratorGetsOne();

    void accessDates_data();
    void accessDates();
    void picturesInsideOleWrappers_data();
    void picturesInsideOleWrappers();

private:
    QTemporaryDir dir_;
    QString imported_;
    AccessImportResult result_;
    QByteArray fixtureBytes_;
};

void AccessImportTest::initTestCase() {
    fixtureBytes_ = readAll(fixture);
    QVERIFY(!fixtureBytes_.isEmpty());
    QVERIFY(dir_.isValid());
    imported_ = dir_.filePath(QStringLiteral("RX.mdb"));
    result_ = importAccessDatabase(fixture, imported_);
    QVERIFY2(result_.ok, qPrintable(result_.error));
}

void AccessImportTest::fixtureKeepsEveryRowAndValue_data() {
    QTest::addColumn<QString>("table");
    for (const char* t : {"客户资料", "付款方式", "商品名称", "用户登录", "销售记录", "销售详情", "配置文件"})
        QTest::newRow(t) << QString::fromUtf8(t);
}

void AccessImportTest::fixtureKeepsEveryRowAndValue() {
    QFETCH(QString, table);
    const Rows expected = exported(fixture, table);
    QVERIFY2(expected.size() > 1, "mdb-export (package mdbtools) gave nothing");
    const Rows actual = stored(imported_, table, expected.first());
    QCOMPARE(actual.size(), expected.size());
    for (int i = 1; i < expected.size(); ++i) QCOMPARE(actual[i], expected[i]);
    // Where the file had empty texts the new file has NULL, never the refused ''.
    QCOMPARE(readAll(fixture), fixtureBytes_);
}

void AccessImportTest::fixtureCountsUsersAndSales() {
    QCOMPARE(result_.sales, 120);
    QCOMPARE(result_.lines, 315);
    QCOMPARE(result_.products, 8);
    QCOMPARE(result_.users, 3);
    QCOMPARE(result_.customers, 5);
    QCOMPARE(result_.paymentMethods, 6);
    QCOMPARE(result_.problems, QStringList());
    QVERIFY(result_.reportPath.isEmpty());
    QVERIFY(!QFile::exists(dir_.filePath(QStringLiteral("导入报告.txt"))));

    QCOMPARE(scalar(imported_, QStringLiteral("SELECT min(ID) || '-' || max(ID) FROM 销售记录")), QStringLiteral("401-520"));
    QCOMPARE(scalar(imported_, QStringLiteral("SELECT min(销售票号) || '-' || max(销售票号) FROM 销售记录")),
             QStringLiteral("1608180000001-1609110000120"));
    const QString name = QStringLiteral("tst-sum");
    double total = 0;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(imported_);
        QVERIFY(db.open());
        QSqlQuery q(db);
        QVERIFY(q.exec(QStringLiteral("SELECT 金额 FROM 销售记录")));
        while (q.next()) total += numberOf(q.value(0).toString());
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    QCOMPARE(moneyText(total), QStringLiteral("41079.00"));
    QCOMPARE(scalar(imported_, QStringLiteral("SELECT min(ID) || '-' || max(ID) FROM 商品名称")), QStringLiteral("23-30"));
    QCOMPARE(scalar(imported_, QStringLiteral("SELECT group_concat(ID) FROM (SELECT ID FROM 付款方式 ORDER BY ID)")),
             QStringLiteral("1,3,9,10,12,13"));
    QCOMPARE(scalar(imported_, QStringLiteral("SELECT 销售时间 FROM 销售记录 WHERE ID = 401")), QStringLiteral("2016-08-18 20:55:36"));
    QCOMPARE(scalar(imported_, QStringLiteral("SELECT count(*) FROM 客户资料 WHERE 电话 IS NULL")), QStringLiteral("1"));

    const QList<QPair<QString, QString>> users{{QStringLiteral("admin"), QString()},
                                               {QStringLiteral("张三"), QStringLiteral("123456")},
                                               {QStringLiteral("李店长"), QStringLiteral("店长2016")}};
    for (const auto& [user, password] : users) {
        const QString digest = scalar(imported_, QStringLiteral("SELECT 密码 FROM 用户登录 WHERE 用户名 = '%1'").arg(user));
        QCOMPARE(digest, passwordDigest(password));
    }
    QCOMPARE(scalar(imported_, QStringLiteral("SELECT 权限 FROM 用户登录 WHERE 用户名 = '张三'")), QStringLiteral("普通用户"));
    QCOMPARE(scalar(imported_, QStringLiteral("SELECT hex(substr(logo, 1, 3)) FROM 配置文件")), QStringLiteral("FFD8FF"));
}

void AccessImportTest::resultWorksAsOurOwnDatabase() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("RX.mdb"));
    QVERIFY(importAccessDatabase(fixture, path).ok);
    QCOMPARE(QFile::permissions(path) & (QFile::ReadGroup | QFile::ReadOther), QFile::Permissions());
    Database db;
    QVERIFY2(db.open(path), qPrintable(db.lastError()));
    // The counters continue after the file's own: customer 7 was handed out and deleted.
    QVERIFY(db.execute(QStringLiteral("INSERT INTO 客户资料 (姓名, 电话) VALUES (?, ?)"), {QStringLiteral("新客户"), QStringLiteral("1")}));
    QCOMPARE(db.lastInsertId(), 8);
    QVERIFY(db.execute(QStringLiteral("INSERT INTO 销售记录 (销售票号, 数量, 金额, 收银员) VALUES ('1', '1', '1.00', 'admin')")));
    QCOMPARE(db.lastInsertId(), 521);
    QVERIFY(db.execute(QStringLiteral("INSERT INTO 销售详情 (关联, 名称) VALUES (521, 'x')")));
    QCOMPARE(db.lastInsertId(), 795);
    QVERIFY(db.execute(QStringLiteral("DELETE FROM 销售记录 WHERE ID = 401")));
    QCOMPARE(db.query(QStringLiteral("SELECT count(*) AS n FROM 销售详情 WHERE 关联 = 401")).integer(QStringLiteral("n")), 0);
    RecordSet sale = db.query(QStringLiteral("SELECT * FROM 销售记录 WHERE 销售票号 = ?"), {QStringLiteral("1609110000120")});
    QVERIFY(!sale.isPastLast());
    QCOMPARE(sale.integer(QStringLiteral("ID")), 520);
}

void AccessImportTest::textsStayUtf8WhateverTheEnvironment() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("RX.mdb"));
    qputenv("MDBICONV", "GB18030");
    const AccessImportResult result = importAccessDatabase(fixture, path);
    qunsetenv("MDBICONV");
    QVERIFY(result.ok);
    QCOMPARE(scalar(path, QStringLiteral("SELECT 用户名 FROM 用户登录 WHERE ID = 15")), QStringLiteral("李店长"));
}

void AccessImportTest::unusableFilesChangeNothing_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("errorPart");
    const QByteArray f = readAll(fixture);
    const qsizetype pages = f.size() / 4096;
    QTest::newRow("empty") << QByteArray() << QStringLiteral("不是 Access");
    QTest::newRow("not Access") << QByteArray("SQLite format 3\0", 16) + QByteArray(8192, 'x') << QStringLiteral("不是 Access");
    QTest::newRow("first page only") << f.left(4096) << QStringLiteral("损坏");
    QTest::newRow("cut inside a page") << f.left(f.size() - 1000) << QStringLiteral("损坏");
    QTest::newRow("last third missing") << f.left(pages * 2 / 3 * 4096) << QStringLiteral("损坏");
    QTest::newRow("last page missing") << f.left(f.size() - 4096) << QStringLiteral("损坏");
    QByteArray zeroed = f;
    zeroed.replace(37 * 4096, 2 * 4096, QByteArray(2 * 4096, '\0'));  // the receipts' data
    QTest::newRow("pages zeroed") << zeroed << QStringLiteral("损坏");
    QByteArray catalog = f;
    catalog.replace(2 * 4096, 4096, QByteArray(4096, '\xA5'));  // the catalog's definition
    QTest::newRow("catalog overwritten") << catalog << QStringLiteral("损坏");
    QByteArray jet3 = f;
    jet3[0x14] = 0;
    QTest::newRow("Jet 3") << jet3 << QStringLiteral("Jet 3");
    QByteArray accdb = f;
    accdb.replace(4, 16, QByteArray("Standard ACE DB\0", 16));
    accdb[0x14] = 2;
    QTest::newRow("accdb") << accdb << QStringLiteral(".accdb");
}

void AccessImportTest::unusableFilesChangeNothing() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, errorPart);
    QTemporaryDir dir;
    const QString source = dir.filePath(QStringLiteral("RX.access.mdb"));
    const QString target = dir.filePath(QStringLiteral("RX.mdb"));
    QVERIFY(writeAll(source, bytes));
    QVERIFY(writeBlankDatabase(target));
    const QByteArray before = readAll(target);
    const QStringList files = filesIn(dir.path());

    const AccessImportResult result = importAccessDatabase(source, target);
    QVERIFY(!result.ok);
    QVERIFY2(result.error.contains(errorPart), qPrintable(result.error));
    QCOMPARE(readAll(source), bytes);
    QCOMPARE(readAll(target), before);
    QCOMPARE(filesIn(dir.path()), files);
}

void AccessImportTest::importingOntoTheSourceIsRefused() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("RX.mdb"));
    QVERIFY(writeAll(path, fixtureBytes_));
    const AccessImportResult result = importAccessDatabase(path, path);
    QVERIFY(!result.ok);
    QVERIFY(!result.error.isEmpty());
    QCOMPARE(readAll(path), fixtureBytes_);
    QCOMPARE(filesIn(dir.path()), QStringList{QStringLiteral("RX.mdb")});
}

void AccessImportTest::rowsThatCannotBeStoredAreReportedAndKept() {
    QByteArray bytes = fixtureBytes_;
    // Line 480 names receipt 999, which does not exist.
    QVERIFY(patchAfter(bytes, rowStart(8, 480), le32(999)));
    // Receipt 401 just before 1899-12-30, 402 a hair before midnight, 403 after year 9999.
    QVERIFY(patchAfter(bytes, rowStart(7, 401), leDouble(-1.5)));
    QVERIFY(patchAfter(bytes, rowStart(7, 402), leDouble(42601.9999999)));
    QVERIFY(patchAfter(bytes, rowStart(7, 403), leDouble(3.0e6)));
    // The lines' column 折后 renamed to a column the schema does not have.
    const qsizetype at = bytes.indexOf(utf16(QStringLiteral("折后")));
    QVERIFY(at > 0 && bytes.indexOf(utf16(QStringLiteral("折后")), at + 1) < 0);
    bytes.replace(at, 4, utf16(QStringLiteral("折X")));

    QTemporaryDir dir;
    const QString source = dir.filePath(QStringLiteral("old.mdb"));
    const QString target = dir.filePath(QStringLiteral("RX.mdb"));
    QVERIFY(writeAll(source, bytes));
    const AccessImportResult result = importAccessDatabase(source, target);
    QVERIFY2(result.ok, qPrintable(result.error));

    const int linesOf403 = scalar(imported_, QStringLiteral("SELECT count(*) FROM 销售详情 WHERE 关联 = 403")).toInt();
    QVERIFY(linesOf403 > 0);
    QCOMPARE(result.sales, 119);
    QCOMPARE(result.lines, 315 - 1 - linesOf403);
    QCOMPARE(scalar(target, QStringLiteral("SELECT 销售时间 FROM 销售记录 WHERE ID = 401")), QStringLiteral("1899-12-29 12:00:00"));
    QCOMPARE(scalar(target, QStringLiteral("SELECT 销售时间 FROM 销售记录 WHERE ID = 402")), QStringLiteral("2016-08-20 00:00:00"));
    QCOMPARE(scalar(target, QStringLiteral("SELECT count(*) FROM 销售详情 WHERE 折后 IS NOT NULL")), QStringLiteral("0"));
    QCOMPARE(scalar(target, QStringLiteral("SELECT seq FROM sqlite_sequence WHERE name = '销售记录'")), QStringLiteral("520"));

    const QString problems = result.problems.join(QLatin1Char('\n'));
    QVERIFY2(problems.contains(QStringLiteral("“折X”")), qPrintable(problems));
    QVERIFY2(problems.contains(QStringLiteral("表“销售详情” ID 480 未导入")), qPrintable(problems));
    QVERIFY2(problems.contains(QStringLiteral("表“销售记录” ID 403 未导入")), qPrintable(problems));
    QCOMPARE(result.problems.size(), 1 + 1 + 1 + linesOf403);

    QCOMPARE(result.reportPath, dir.filePath(QStringLiteral("导入报告.txt")));
    const QString report = QString::fromUtf8(readAll(result.reportPath));
    for (const QString& problem : result.problems) QVERIFY2(report.contains(problem), qPrintable(problem));
    // The rows not stored are in the report with their values.
    QVERIFY(report.contains(QStringLiteral("480\t999\t键盘\t1\t89.90\t89.90\t(空)\t 1.所购商品7日内凭购物小票调换\\r\\n")));
    QVERIFY(report.contains(QStringLiteral("403\t1609190000003")) || report.contains(QStringLiteral("403\t16")));
    QCOMPARE(readAll(source), bytes);
}

void AccessImportTest::fileWithoutAnAdministratorGetsOne() {
    QByteArray bytes = fixtureBytes_;
    // Both administrators of the file demoted, as the old program allowed.
    QCOMPARE(bytes.count(utf16(QStringLiteral("管理员"))), 2);
    bytes.replace(utf16(QStringLiteral("管理员")), utf16(QStringLiteral("收银员")));

    QTemporaryDir dir;
    const QString source = dir.filePath(QStringLiteral("old.mdb"));
    const QString target = dir.filePath(QStringLiteral("RX.mdb"));
    QVERIFY(writeAll(source, bytes));
    const AccessImportResult result = importAccessDatabase(source, target);
    QVERIFY2(result.ok, qPrintable(result.error));
    QCOMPARE(result.users, 3);
    // "admin" is taken by a cashier now.
    QCOMPARE(scalar(target, QStringLiteral("SELECT 用户名 || ',' || 密码 FROM 用户登录 WHERE 权限 = '管理员'")),
             QStringLiteral("admin2,") + passwordDigest(QString()));
    QCOMPARE(scalar(target, QStringLiteral("SELECT 权限 FROM 用户登录 WHERE 用户名 = 'admin'")), QStringLiteral("收银员"));
    QCOMPARE(result.problems,
             QStringList{QStringLiteral("旧数据库中没有管理员，已添加管理员“admin2”（密码为空），请登录后设置密码")});
}

void AccessImportTest::accessDates_data() {
    QTest::addColumn<double>("days");
    QTest::addColumn<QString>("text");
    QTest::newRow("day zero") << 0.0 << "1899-12-30 00:00:00";
    QTest::newRow("noon after") << 2.5 << "1900-01-01 12:00:00";
    QTest::newRow("before day zero counts the time forward") << -1.25 << "1899-12-29 06:00:00";
    QTest::newRow("rounds to the second") << 42600.871944444 << "2016-08-18 20:55:36";
    QTest::newRow("just before midnight is the next day") << 42600.9999999 << "2016-08-19 00:00:00";
    QTest::newRow("year 100") << -657434.0 << "0100-01-01 00:00:00";
    QTest::newRow("last second of 9999") << 2958465.999988 << "9999-12-31 23:59:59";
    QTest::newRow("year 10000") << 2958466.0 << QString();
    QTest::newRow("far past") << -1.0e7 << QString();
    QTest::newRow("not a number") << std::numeric_limits<double>::quiet_NaN() << QString();
    QTest::newRow("infinite") << std::numeric_limits<double>::infinity() << QString();
}

void AccessImportTest::accessDates() {
    QFETCH(double, days);
    QFETCH(QString, text);
    QCOMPARE(accessDateText(days), text);
}

void AccessImportTest::picturesInsideOleWrappers_data() {
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<QByteArray>("picture");
    const QByteArray jpeg = QByteArray("\xFF\xD8\xFF\xE0", 4) + QByteArray(40, 'j') + QByteArray("\xFF\xD9", 2);
    QByteArray png("\x89PNG\r\n\x1A\n", 8);
    png += QByteArray("\0\0\0\x0DIHDR", 8) + QByteArray(13, 'h') + QByteArray(4, 'c');
    png += QByteArray("\0\0\0\0IEND", 8) + QByteArray("\xAE\x42\x60\x82", 4);
    QByteArray bmp("BM", 2);
    bmp += le32(38) + le32(0) + le32(26) + le32(12) + QByteArray(20, 'b');
    const QByteArray gif = QByteArray("GIF89a") + QByteArray(20, 'g');
    const QByteArray oleHeader = QByteArray("\x15\x1C\x2F\0\x02\0\0\0", 8) + QByteArray("Bitmap Image\0Paint.Picture\0BM\0", 31) +
                                 QByteArray(24, '\x01');
    const QByteArray oleTrailer = QByteArray(16, '\x02');
    QTest::newRow("raw JPEG") << jpeg << jpeg;
    QTest::newRow("wrapped JPEG") << oleHeader + jpeg + oleTrailer << jpeg + oleTrailer;
    QTest::newRow("wrapped PNG cut at IEND") << oleHeader + png + oleTrailer << png;
    QTest::newRow("wrapped BMP cut at its size, stray BM skipped") << oleHeader + bmp + oleTrailer << bmp;
    QTest::newRow("wrapped GIF") << oleHeader + gif << gif;
    QTest::newRow("no picture") << oleHeader + oleTrailer << QByteArray();
    QTest::newRow("empty") << QByteArray() << QByteArray();
}

void AccessImportTest::picturesInsideOleWrappers() {
    QFETCH(QByteArray, value);
    QFETCH(QByteArray, picture);
    QCOMPARE(pictureFromOle(value), picture);
}

QTEST_GUILESS_MAIN(AccessImportTest)
#include "tst_accessimport.moc"
