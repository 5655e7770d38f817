#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include "FileBytes.h"
#include "ReadWorkbook.h"
#include "records/SpreadsheetWriter.h"

namespace {

// Rows of a CSV text: fields split at commas, quoted fields with doubled quotes and line breaks.
QVector<QStringList> parseCsv(const QString& text) {
    QVector<QStringList> rows;
    QStringList row;
    QString field;
    bool quoted = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c == QLatin1Char('"') && i + 1 < text.size() && text[i + 1] == QLatin1Char('"')) {
                field += c;
                ++i;
            } else if (c == QLatin1Char('"')) {
                quoted = false;
            } else {
                field += c;
            }
        } else if (c == QLatin1Char('"')) {
            quoted = true;
        } else if (c == QLatin1Char(',')) {
            row << field;
            field.clear();
        } else if (c == QLatin1Char('\n')) {
            row << field;
            rows << row;
            row.clear();
            field.clear();
        } else if (c != QLatin1Char('\r')) {
            field += c;
        }
    }
    if (!field.isEmpty() || !row.isEmpty()) rows << (row << field);
    return rows;
}

}  // namespace

class SpreadsheetTest : public QObject {
    Q_OBJECT
private slots:
    void cellsReadBackExactly_data();
    void cellsReadBackExactly();
    void rowsContinueOnTheNextSheet();
    void failedWriteLeavesTheOldFile_data();
    void failedWriteLeavesTheOldFile();
    void fileOpenElsewhereIsReplacedWhole();
    void libreOfficeReadsEveryCell();
};

void SpreadsheetTest::cellsReadBackExactly_data() {
    QTest::addColumn<QString>("text");
    QTest::newRow("chinese and apostrophes") << QStringLiteral("O'Brien's 曲奇 '); DROP TABLE x; --");
    QTest::newRow("empty") << QString();
    QTest::newRow("string across record ends") << QString(9000, QChar(0x6C49));
    QTest::newRow("character outside the basic plane") << QString::fromUtf8("\xF0\x9F\x98\x80 笑");
    QTest::newRow("line breaks") << QStringLiteral("1.所购商品7日内凭购物小票调换\r\n2.所调换商品不能影响二次销售");
}

void SpreadsheetTest::cellsReadBackExactly() {
    QFETCH(QString, text);
    QTemporaryDir dir(QDir::tempPath() + QStringLiteral("/导出 目录-XXXXXX"));
    const QString path = dir.path() + QStringLiteral("/26年12月查询结果.xls");
    const QStringList titles{QStringLiteral("序号"), QStringLiteral("销售票号"), QStringLiteral("备注")};
    const QVector<QStringList> rows{{QStringLiteral("1"), QStringLiteral("0000000000002"), text},
                                    {QStringLiteral("2"), text, QStringLiteral("x")}};
    SpreadsheetWriter writer;
    QVERIFY2(writer.write(path, titles, static_cast<int>(rows.size()), [&](int r) { return rows[r]; }),
             qPrintable(writer.lastError()));
    QVERIFY(!writer.cutCells());
    const QJsonArray book = readWorkbook(path);
    QCOMPARE(book.size(), 1);
    QCOMPARE(book.at(0).toArray().at(0).toString(), QStringLiteral("Sheet1"));
    const QJsonArray read = sheetRows(book, 0);
    QCOMPARE(read.size(), 3);
    QCOMPARE(read.at(0).toArray().at(1).toString(), QStringLiteral("销售票号"));
    QCOMPARE(read.at(1).toArray().at(1).toString(), QStringLiteral("0000000000002"));
    QCOMPARE(read.at(1).toArray().at(2).toString(), text);
    QCOMPARE(read.at(2).toArray().at(1).toString(), text);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"26年12月查询结果.xls"});
}

void SpreadsheetTest::rowsContinueOnTheNextSheet() {
    QTemporaryDir dir;
    const QString path = dir.path() + QStringLiteral("/big.xls");
    const int count = 70000;
    const QString huge(40000, QLatin1Char('x'));
    SpreadsheetWriter writer;
    QVERIFY(writer.write(path, {QStringLiteral("序号"), QStringLiteral("备注")}, count, [&](int r) {
        return QStringList{QString::number(r + 1), r == 5 ? huge : QStringLiteral("第%1行").arg(r % 100)};
    }));
    QVERIFY(writer.cutCells());
    const QJsonArray book = readWorkbook(path);
    QCOMPARE(book.size(), 2);
    QCOMPARE(book.at(1).toArray().at(0).toString(), QStringLiteral("Sheet2"));
    const QJsonArray first = sheetRows(book, 0);
    const QJsonArray second = sheetRows(book, 1);
    QCOMPARE(first.size(), SpreadsheetWriter::rowsPerSheet);
    QCOMPARE(second.size(), count - (SpreadsheetWriter::rowsPerSheet - 1) + 1);
    QCOMPARE(second.at(0).toArray().at(1).toString(), QStringLiteral("备注"));
    QCOMPARE(second.at(1).toArray().at(0).toString(), QString::number(SpreadsheetWriter::rowsPerSheet));
    QCOMPARE(second.last().toArray().at(0).toString(), QString::number(count));
    QCOMPARE(first.at(6).toArray().at(1).toString().size(), SpreadsheetWriter::maxCellLength);
}

void SpreadsheetTest::failedWriteLeavesTheOldFile_data() {
    QTest::addColumn<QString>("target");  // inside the test folder
    QTest::newRow("folder missing") << QStringLiteral("missing folder/x.xls");
    QTest::newRow("a folder of that name") << QStringLiteral("结果 目录.xls");
}

void SpreadsheetTest::failedWriteLeavesTheOldFile() {
    QFETCH(QString, target);
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("结果 目录.xls")));
    const QString kept = dir.filePath(QStringLiteral("结果 目录.xls/old.xls"));
    QVERIFY(writeAll(kept, "old contents"));
    QVERIFY(writeAll(dir.filePath(QStringLiteral("old.xls")), "old contents"));
    const auto tree = [&dir] {
        QStringList names;
        QDirIterator it(dir.path(), QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
        while (it.hasNext()) names << it.next();
        names.sort();
        return names;
    };
    const QStringList before = tree();

    SpreadsheetWriter writer;
    QVERIFY(!writer.write(dir.filePath(target), {QStringLiteral("a")}, 1, [](int) { return QStringList{"b"}; }));
    QVERIFY(!writer.lastError().isEmpty());
    // Nothing half-written is left, and the files there are as they were.
    QCOMPARE(tree(), before);
    QCOMPARE(readAll(kept), QByteArray("old contents"));
    QCOMPARE(readAll(dir.filePath(QStringLiteral("old.xls"))), QByteArray("old contents"));
}

void SpreadsheetTest::fileOpenElsewhereIsReplacedWhole() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("old.xls"));
    QVERIFY(writeAll(path, "old contents"));
    // Another program holding the old file open keeps reading the old bytes.
    QFile other(path);
    QVERIFY(other.open(QIODevice::ReadOnly));
    SpreadsheetWriter writer;
    QVERIFY(writer.write(path, {QStringLiteral("a")}, 1, [](int) { return QStringList{QStringLiteral("乙")}; }));
    QCOMPARE(other.readAll(), QByteArray("old contents"));
    const QJsonArray rows = sheetRows(readWorkbook(path), 0);
    QCOMPARE(rows.size(), 2);
    QCOMPARE(rows.at(1).toArray().at(0).toString(), QStringLiteral("乙"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"old.xls"});
}

void SpreadsheetTest::libreOfficeReadsEveryCell() {
    const QString soffice = QStringLiteral("/usr/bin/soffice");
    QVERIFY2(QFile::exists(soffice), "LibreOffice is missing: run scripts/install-deps (package libreoffice-calc)");
    QTemporaryDir dir(QDir::tempPath() + QStringLiteral("/导出 目录-XXXXXX"));
    const QString path = dir.path() + QStringLiteral("/26年12月 查询结果.xls");
    // Cells a spreadsheet would take for numbers or dates stay texts, as the list shows them.
    const QStringList titles{QStringLiteral("序号"), QStringLiteral("销售票号"), QStringLiteral("金额"), QStringLiteral("客户's 备注")};
    const QVector<QStringList> rows{
        {QStringLiteral("1"), QStringLiteral("0000000000002"), QStringLiteral("12.50"), QStringLiteral("O'Brien's 曲奇 '); DROP TABLE x; --")},
        {QStringLiteral("2"), QStringLiteral("1609110000120"), QStringLiteral("-0.10"), QStringLiteral("说 \"好\", 行,列")},
        {QStringLiteral("3"), QStringLiteral("2016-08-18  20:55:36"), QStringLiteral("1e5"), QStringLiteral("1.所购商品7日内凭购物小票调换\n2.联系电话")},
        {QStringLiteral("4"), QString(), QStringLiteral("=1+1"), QStringLiteral("'")},
    };
    SpreadsheetWriter writer;
    QVERIFY2(writer.write(path, titles, static_cast<int>(rows.size()), [&](int r) { return rows[r]; }),
             qPrintable(writer.lastError()));

    // Comma-separated UTF-8, every sheet into a file of its own, with a profile of the test's own
    // (as an encoded URL: with blanks or Chinese left raw LibreOffice waits for ever).
    const QString out = dir.path() + QStringLiteral("/csv");
    QProcess office;
    office.start(soffice, {QStringLiteral("-env:UserInstallation=") + QString::fromLatin1(QUrl::fromLocalFile(dir.path() + QStringLiteral("/profile")).toEncoded()),
                           QStringLiteral("--headless"), QStringLiteral("--norestore"), QStringLiteral("--convert-to"),
                           QStringLiteral("csv:Text - txt - csv (StarCalc):44,34,76,1,,0,false,true,false,false,false,-1"),
                           QStringLiteral("--outdir"), out, path});
    QVERIFY(office.waitForFinished(240000));
    QCOMPARE(office.exitCode(), 0);
    const QStringList produced = QDir(out).entryList(QDir::Files);
    QCOMPARE(produced, QStringList{QStringLiteral("26年12月 查询结果-Sheet1.csv")});
    QFile csv(out + QLatin1Char('/') + produced.first());
    QVERIFY(csv.open(QIODevice::ReadOnly));
    const QVector<QStringList> read = parseCsv(QString::fromUtf8(csv.readAll()));
    QCOMPARE(read.size(), rows.size() + 1);
    QCOMPARE(read.at(0), titles);
    for (int r = 0; r < rows.size(); ++r) QCOMPARE(read.at(r + 1), rows[r]);
}

QTEST_APPLESS_MAIN(SpreadsheetTest)
#include "tst_spreadsheet.moc"
