// The records window on a large shop: 1,000,000 receipts with 3,000,000 lines.
// Prints the medians of opening on a day of 300 sales, a receipt-number search over all of them,
// and a query whose 100,000 rows are shown in the list.
#include <QApplication>
#include <QCheckBox>
#include <QDateEdit>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLineEdit>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QVariant>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "platform/SystemPlatform.h"
#include "records/QueryDialog.h"
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
        // Spread over the years before, then 300 sales on 2026-06-30; numbered in time order, as
        // the counter stores them.
        const int today = 1000000 - 300;
        const QDateTime when = i >= today ? QDateTime(QDate(2026, 6, 30), QTime(8, 0, 0)).addSecs((i - today) * 60)
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

QtMessageHandler standardHandler = nullptr;

// The offscreen platform warns on every window shown.
void quietOffscreen(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (!message.contains(QStringLiteral("propagateSizeHints"))) standardHandler(type, context, message);
}

}  // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    standardHandler = qInstallMessageHandler(quietOffscreen);
    QApplication app(argc, argv);
    // An optional path keeps the generated database for the next run (it takes half a minute).
    QTemporaryDir dir;
    const QString path = argc > 1 ? QString::fromLocal8Bit(argv[1]) : dir.path() + QStringLiteral("/RX.mdb");
    if (!QFileInfo::exists(path)) {
        QElapsedTimer build;
        build.start();
        if (!writeBlankDatabase(path) || !fill(path)) return 1;
        QSqlDatabase::removeDatabase(QStringLiteral("fill"));
        std::printf("generated 1,000,000 receipts and 3,000,000 lines in %.1f s\n", build.elapsed() / 1000.0);
    }

    BenchPlatform platform;
    Database db;
    if (!db.open(path)) return 1;
    CurrentUser admin{QStringLiteral("admin"), QStringLiteral("管理员")};
    int shown = 0;
    // Each figure includes painting the list, as the user waits for it.
    const double open = medianMs(7, [&] {
        SalesRecordsWindow w(platform, db, admin);
        w.show();
        QCoreApplication::processEvents();
        shown = w.list().rowCount();
    });
    std::printf("open the records window on a day of %d sales: median %.1f ms (goal < 100 ms)\n", shown, open);

    SalesRecordsWindow w(platform, db, admin);
    w.show();
    QCoreApplication::processEvents();
    w.findChild<QLineEdit*>(QStringLiteral("编辑框_查单号"))->setText(QStringLiteral("99999"));
    const double search = medianMs(5, [&] {
        w.searchByReceiptNumber();
        QCoreApplication::processEvents();
    });
    std::printf("receipt-number search over all receipts (%d found): median %.1f ms (goal < 500 ms)\n", w.list().rowCount(),
                search);

    // Every sale of 88 yuan since the shop began (fuzzy amount over the whole date range), through
    // the query dialog.
    w.openQuery();
    auto* dialog = w.findChild<QueryDialog*>();
    dialog->findChild<QCheckBox*>(QStringLiteral("选择框_时间"))->setChecked(true);
    dialog->findChild<QDateEdit*>(QStringLiteral("日期框1"))->setDate(QDate(2022, 1, 1));
    dialog->findChild<QDateEdit*>(QStringLiteral("日期框2"))->setDate(QDate(2026, 6, 30));
    dialog->findChild<QCheckBox*>(QStringLiteral("选择框_金额"))->setChecked(true);
    dialog->findChild<QLineEdit*>(QStringLiteral("编辑框_销售金额1"))->setText(QStringLiteral("88"));
    QCoreApplication::processEvents();
    const double query = medianMs(5, [&] {
        dialog->runSalesQuery();
        QCoreApplication::processEvents();
    });
    std::printf("query with %d rows shown: median %.1f ms (goal < 500 ms)\n", w.list().rowCount(), query);
    return 0;
}
