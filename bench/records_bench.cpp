// The records window on a large shop: 1,000,000 receipts with 3,000,000 lines.
// Prints the medians of opening on a day of 300 sales, a receipt-number search over all of them,
// and a query whose 100,000 rows are shown in the list.
#include <QApplication>
#include <QElapsedTimer>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QVariant>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "platform/SystemPlatform.h"
#include "records/SalesRecordsWindow.h"
#include "store/BlankDatabase.h"
#include "store/Database.h"
#include "widgets/ReportListModel.h"

namespace {

class FixedClock : public Clock {
public:
    QDateTime now() const override { return QDateTime(QDate(2026, 6, 30), QTime(21, 0, 0)); }
};

class BenchPlatform : public SystemPlatform {
public:
    Clock& clock() override { return clock_; }

private:
    FixedClock clock_;
};

template <typename F>
double medianMs(int runs, F&& f) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        t.start();
        f();
        times.push_back(static_cast<double>(t.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

bool fill(const QString& path) {
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("fill"));
    db.setDatabaseName(path);
    if (!db.open()) return false;
    QSqlQuery q(db);
    q.exec(QStringLiteral("PRAGMA synchronous=OFF"));
    db.transaction();
    QSqlQuery receipt(db);
    receipt.prepare(QStringLiteral("INSERT INTO 销售记录 (ID, 销售票号, 销售时间, 数量, 金额, 收银员) VALUES (?, ?, ?, '3', ?, 'admin')"));
    QSqlQuery line(db);
    line.prepare(QStringLiteral("INSERT INTO 销售详情 (关联, 名称, 数量, 单价, 金额, 折后) VALUES (?, '打印机', '1', '10.00', '10.00', '10.00')"));
    const QDateTime start(QDate(2022, 1, 1), QTime(8, 0, 0));
    for (int i = 0; i < 1000000; ++i) {
        const int id = 1000 + i;
        // 300 sales on 2026-06-30, the rest spread over the years before.
        const QDateTime when = i < 300 ? QDateTime(QDate(2026, 6, 30), QTime(8, 0, 0)).addSecs(i * 60)
                                       : start.addSecs(static_cast<qint64>(i) * 120);
        receipt.addBindValue(id);
        receipt.addBindValue(QStringLiteral("%1").arg(i, 13, 10, QLatin1Char('0')));
        receipt.addBindValue(when.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")));
        receipt.addBindValue(i % 10 == 0 ? QStringLiteral("88.00") : QStringLiteral("30.00"));
        if (!receipt.exec()) return false;
        for (int k = 0; k < 3; ++k) {
            line.addBindValue(id);
            if (!line.exec()) return false;
        }
    }
    return db.commit();
}

}  // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const QString path = dir.path() + QStringLiteral("/RX.mdb");
    QElapsedTimer build;
    build.start();
    if (!writeBlankDatabase(path) || !fill(path)) return 1;
    QSqlDatabase::removeDatabase(QStringLiteral("fill"));
    std::printf("generated 1,000,000 receipts and 3,000,000 lines in %.1f s\n", build.elapsed() / 1000.0);

    BenchPlatform platform;
    Database db;
    if (!db.open(path)) return 1;
    CurrentUser admin{QStringLiteral("admin"), QStringLiteral("管理员")};
    int shown = 0;
    const double open = medianMs(7, [&] {
        SalesRecordsWindow w(platform, db, admin);
        shown = w.list().rowCount();
    });
    std::printf("open the records window on a day of %d sales: median %.1f ms (goal < 100 ms)\n", shown, open);

    SalesRecordsWindow w(platform, db, admin);
    const double search = medianMs(5, [&] { w.fillRecordList(receiptNumberSearchStatement(QStringLiteral("99999"))); });
    std::printf("receipt-number search over all receipts (%d found): median %.1f ms (goal < 500 ms)\n", w.list().rowCount(),
                search);

    SalesQueryConditions c;
    c.from = QDate(2022, 1, 1);
    c.to = QDate(2026, 12, 31);
    c.useAmount = true;
    c.amount = QStringLiteral("88");
    const double query = medianMs(5, [&] {
        w.fillRecordList(salesQueryStatement(c));
        w.refreshRecordTotals();
    });
    std::printf("query with %d rows shown: median %.1f ms (goal < 500 ms)\n", w.list().rowCount(), query);
    return 0;
}
