#include <QAction>
#include <QFile>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTest>
#include <QTreeView>

#include "FakePlatform.h"
#include "JournalHolder.h"
#include "Gui.h"
#include "ReadWorkbook.h"
#include "TestDataDir.h"
#include "records/QueryDialog.h"
#include "records/SalesRecordsWindow.h"
#include "store/Database.h"
#include "store/NumberRules.h"
#include "store/TextRules.h"
#include "widgets/ReportListModel.h"

namespace {

struct Sale {
    const char* number;
    const char* time;
    const char* quantity;
    const char* amount;
    const char* cashier;
};

// "Today" is 2026-12-11 09:30:05 on the fake clock.
const Sale sales[] = {
    {"2612110000001", "2026-12-11 08:00:00", "1", "10.00", "admin"},
    {"2612110000002", "2026-12-11 09:15:30", "2", "12.50", "张三"},
    {"2612110000003", "2026-12-11 09:30:05", "0.5", "0.25", "admin"},
    {"2612100000004", "2026-12-10 23:59:59", "12", "100.00", "李店长"},
    {"2612120000005", "2026-12-12 00:00:00", "3", "10.00", "admin"},
    {"it's_50%", "2026-12-01 12:00:00", "2.5", "110.00", "O'Brien"},
};

QStringList column(const ReportListModel& list, int c) {
    QStringList out;
    for (int row = 0; row < list.rowCount(); ++row) out << list.cell(row, c);
    return out;
}

}  // namespace

class RecordsTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void displayText_data();
    void displayText();
    void opensOnTodaysSalesNewestFirst();
    void notesShowOnOneLine();
    void totalsKeepEveryCent();
    void totalsFollowTheNumberRule();
    void storedTimesShow_data();
    void storedTimesShow();
    void searchIsLiteral_data();
    void searchIsLiteral();
    void deleteAsksAndRemovesTheLines();
    void deleteRefusedWithoutPermissionOrSelection();
    void detailsFromButtonDoubleClickAndPopup();
    void query_data();
    void query();
    void emptyCheckedBoxTakesNoPart_data();
    void emptyCheckedBoxTakesNoPart();
    void queryDialogStaysOpenAndFillsCashiers();
    void wideRangeJudgedBySalesHeld_data();
    void wideRangeJudgedBySalesHeld();
    void exportWritesTheListAsShown();
    void exportRefusals();
    void fileTheDialogDidNotNameIsReplacedOnlyWhenAsked_data();
    void fileTheDialogDidNotNameIsReplacedOnlyWhenAsked();
    void initialisationBacksUpAndReplaces();
    void initialisationThatFailsChangesNothing();
    void initialisationLeavesTheOldJournalBehind();

private:
    SalesRecordsWindow* open(const QString& permission = QStringLiteral("管理员"));

    FakePlatform platform_;
    std::unique_ptr<TestDataDir> dir_;
    std::unique_ptr<Database> db_;
    std::unique_ptr<SalesRecordsWindow> window_;
};

void RecordsTest::init() {
    platform_.prompts.reset();
    platform_.time.set(QDateTime(QDate(2026, 12, 11), QTime(9, 30, 5)));
    dir_ = std::make_unique<TestDataDir>();
    QVERIFY(dir_->exec(QStringLiteral("DELETE FROM 销售记录")));
    int id = 402;
    for (const Sale& s : sales) {
        QVERIFY(dir_->exec(QStringLiteral("INSERT INTO 销售记录 VALUES (%1, '%2', '%3', '%4', '%5', '%6', NULL)")
                               .arg(id)
                               .arg(QString::fromUtf8(s.number).replace(QLatin1Char('\''), QStringLiteral("''")),
                                    QString::fromUtf8(s.time), QString::fromUtf8(s.quantity),
                                    QString::fromUtf8(s.amount),
                                    QString::fromUtf8(s.cashier).replace(QLatin1Char('\''), QStringLiteral("''")))));
        QVERIFY(dir_->exec(QStringLiteral("INSERT INTO 销售详情 (关联, 名称, 数量) VALUES (%1, 'x', '1')").arg(id)));
        ++id;
    }
}

void RecordsTest::cleanup() {
    VERIFY_PROMPTS_SETTLED(platform_.prompts);
    window_.reset();
    db_.reset();
    dir_.reset();
}

SalesRecordsWindow* RecordsTest::open(const QString& permission) {
    db_ = std::make_unique<Database>();
    if (!db_->open(dir_->databasePath())) return nullptr;
    window_ = std::make_unique<SalesRecordsWindow>(platform_, *db_, CurrentUser{QStringLiteral("admin"), permission});
    window_->show();
    return window_.get();
}

void RecordsTest::displayText_data() {
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("shown");
    QTest::newRow("full") << "2016-08-18 20:55:36" << "2016年8月18日20时55分36秒";
    QTest::newRow("no seconds") << "2016-08-18 09:05:00" << "2016年8月18日9时5分";
    QTest::newRow("zero minutes kept before seconds") << "2016-08-18 09:00:07" << "2016年8月18日9时0分7秒";
    QTest::newRow("whole hour") << "2016-08-18 09:00:00" << "2016年8月18日9时";
    QTest::newRow("midnight") << "2016-08-18 00:00:00" << "2016年8月18日";
    QTest::newRow("not a date-time") << "yesterday" << "";
}

void RecordsTest::displayText() {
    QFETCH(QString, stored);
    QFETCH(QString, shown);
    QCOMPARE(dateTimeDisplayText(parseStoredDateTime(stored)), shown);
}

void RecordsTest::opensOnTodaysSalesNewestFirst() {
    SalesRecordsWindow* w = open();
    QCOMPARE(w->windowTitle(), QStringLiteral("销售Korvane"));
    QCOMPARE(column(w->list(), 1), (QStringList{"2612110000003", "2612110000002", "2612110000001"}));
    QCOMPARE(column(w->list(), 0), (QStringList{"1", "2", "3"}));
    QCOMPARE(w->list().cell(1, 2), QStringLiteral("2026年12月11日9时15分30秒"));
    QCOMPARE(w->list().rowId(0), qint64(404));
    QCOMPARE(control<QLabel>(w, QStringLiteral("标签_销售数量"))->text(), QStringLiteral("3.5"));
    QCOMPARE(control<QLabel>(w, QStringLiteral("标签_总金额"))->text(), QStringLiteral("22.75"));
    QVERIFY(!control<QPushButton>(w, QStringLiteral("按钮_查看详情"))->isEnabled());
    QVERIFY(control<QPushButton>(w, QStringLiteral("按钮_导出表"))->isEnabled());

    // Shortly after midnight with nothing sold yet.
    platform_.time.set(QDateTime(QDate(2026, 12, 13), QTime(0, 0, 30)));
    window_.reset();
    w = open(QStringLiteral("普通用户"));
    QCOMPARE(w->list().rowCount(), 0);
    QCOMPARE(control<QLabel>(w, QStringLiteral("标签_销售数量"))->text(), QStringLiteral("0"));
    QCOMPARE(control<QLabel>(w, QStringLiteral("标签_总金额"))->text(), QStringLiteral("0.00"));
    QVERIFY(!control<QPushButton>(w, QStringLiteral("按钮_导出表"))->isEnabled());
    QVERIFY(!control<QPushButton>(w, QStringLiteral("按钮_管理数据"))->isEnabled());
}

void RecordsTest::notesShowOnOneLine() {
    QVERIFY(dir_->exec(QStringLiteral("UPDATE 销售记录 SET 备注 = '1.七日内凭小票调换' || char(13, 10) || '2.客服电话' "
                                      "WHERE ID = 404")));
    SalesRecordsWindow* w = open();
    auto* view = control<QTreeView>(w, QStringLiteral("超级列表框1"));
    const QModelIndex note = view->model()->index(0, 6);
    QCOMPARE(note.data().toString(), QStringLiteral("1.七日内凭小票调换 2.客服电话"));
    QCOMPARE(note.data(Qt::ToolTipRole).toString(), QStringLiteral("1.七日内凭小票调换\r\n2.客服电话"));
    // The export takes the cell as stored.
    QCOMPARE(w->list().cell(0, 6), QStringLiteral("1.七日内凭小票调换\r\n2.客服电话"));
    QVERIFY(view->visualRect(note).height() < 2 * view->fontMetrics().height());
}

void RecordsTest::totalsKeepEveryCent() {
    QVERIFY(dir_->exec(QStringLiteral("UPDATE 销售记录 SET 金额 = '999999.99' WHERE 销售时间 LIKE '2026-12-11%'")));
    SalesRecordsWindow* w = open();
    QCOMPARE(control<QLabel>(w, QStringLiteral("标签_总金额"))->text(), QStringLiteral("2999999.97"));
}

void RecordsTest::totalsFollowTheNumberRule() {
    const QStringList amounts{"10.00", "12.5", ".5", "5.", "abc", "1e5", " 3", "-2.5", "+4", "1.2.3",
                              "12345678901234567.25", "0.1", "0.2", "99999.99"};
    QVERIFY(dir_->exec(QStringLiteral("DELETE FROM 销售记录")));
    for (int i = 0; i < amounts.size(); ++i)
        QVERIFY(dir_->exec(QStringLiteral("INSERT INTO 销售记录 VALUES (%1, 'n%1', '2026-12-11 09:00:00', '%2', '%2', 'admin', NULL)")
                               .arg(i + 1)
                               .arg(amounts[i])));
    double expected = 0;  // added in the order listed, newest first
    for (auto it = amounts.crbegin(); it != amounts.crend(); ++it) expected += numberOf(*it);
    SalesRecordsWindow* w = open();
    QCOMPARE(w->list().rowCount(), amounts.size());
    QCOMPARE(control<QLabel>(w, QStringLiteral("标签_销售数量"))->text(), numberText(round2(expected)));
    QCOMPARE(control<QLabel>(w, QStringLiteral("标签_总金额"))->text(), formatMoneyText(numberText(round2(expected))));
}

void RecordsTest::storedTimesShow_data() {
    QTest::addColumn<QStringList>("stored");  // listed in this order
    QTest::addColumn<QStringList>("shown");
    QTest::newRow("one day")
        << QStringList{"2016-08-18 00:00:00", "2016-08-18 09:00:00", "2016-08-18 09:05:00", "2016-08-18 09:00:07", "2016-08-18 20:55:36"}
        << QStringList{"2016年8月18日", "2016年8月18日9时", "2016年8月18日9时5分", "2016年8月18日9时0分7秒", "2016年8月18日20时55分36秒"};
    QTest::newRow("days change")
        << QStringList{"2016-08-18 23:59:59", "2016-08-19 00:00:01", "2016-08-18 10:10:10", "2017-01-01 01:00:00"}
        << QStringList{"2016年8月18日23时59分59秒", "2016年8月19日0时0分1秒", "2016年8月18日10时10分10秒", "2017年1月1日1时"};
    QTest::newRow("no such date or time")
        << QStringList{"2016-02-30 10:00:00", "2016-08-18 24:00:00", "2016-19-01 10:00:00", "2016-02-29 25:00:00", "2016-02-29 10:00:00"}
        << QStringList{"", "", "", "", "2016年2月29日10时"};
}

void RecordsTest::storedTimesShow() {
    QFETCH(QStringList, stored);
    QFETCH(QStringList, shown);
    for (int i = 0; i < stored.size(); ++i)
        QVERIFY(dir_->exec(QStringLiteral("INSERT INTO 销售记录 VALUES (%1, 'DT-%1', '%2', '1', '1.00', 'admin', NULL)")
                               .arg(500 + i)
                               .arg(stored[i])));
    SalesRecordsWindow* w = open();
    typeText(control<QLineEdit>(w, QStringLiteral("编辑框_查单号")), QStringLiteral("DT-"));
    QTest::mouseClick(control<QPushButton>(w, QStringLiteral("按钮_搜索")), Qt::LeftButton);
    QCOMPARE(column(w->list(), 2), shown);
    for (int i = 0; i < stored.size(); ++i) QCOMPARE(w->list().cell(i, 2), storedDateTimeDisplayText(stored[i]));
}

void RecordsTest::searchIsLiteral_data() {
    QTest::addColumn<QString>("fragment");
    QTest::addColumn<QStringList>("found");
    QTest::newRow("any date") << "261211" << QStringList{"2612110000001", "2612110000002", "2612110000003"};
    QTest::newRow("apostrophe") << "it's" << QStringList{"it's_50%"};
    QTest::newRow("percent is literal") << "%" << QStringList{"it's_50%"};
    QTest::newRow("underscore is literal") << "_" << QStringList{"it's_50%"};
    QTest::newRow("nothing") << "999999" << QStringList{};
}

void RecordsTest::searchIsLiteral() {
    QFETCH(QString, fragment);
    QFETCH(QStringList, found);
    SalesRecordsWindow* w = open();
    auto* box = control<QLineEdit>(w, QStringLiteral("编辑框_查单号"));
    typeText(box, fragment);
    QTest::mouseClick(control<QPushButton>(w, QStringLiteral("按钮_搜索")), Qt::LeftButton);
    QCOMPARE(column(w->list(), 1), found);

    box->clear();
    platform_.prompts.expect(QStringLiteral("内容不能为空！"));
    QTest::mouseClick(control<QPushButton>(w, QStringLiteral("按钮_搜索")), Qt::LeftButton);
    QCOMPARE(column(w->list(), 1), found);
}

void RecordsTest::deleteAsksAndRemovesTheLines() {
    SalesRecordsWindow* w = open();
    auto* view = control<QTreeView>(w, QStringLiteral("超级列表框1"));
    view->setCurrentIndex(w->list().index(1, 1));
    QCOMPARE(w->selectedRecordId(), qint64(403));
    auto* deleteItem = control<QAction>(w, QStringLiteral("删除记录"));

    platform_.prompts.expect(QStringLiteral("确定删除该销售记录吗？"), MessageAnswer::No);
    deleteItem->trigger();
    QCOMPARE(w->list().rowCount(), 3);
    QCOMPARE(dir_->scalar(QStringLiteral("SELECT count(*) FROM 销售记录 WHERE ID = 403")), QStringLiteral("1"));

    platform_.prompts.expect(QStringLiteral("确定删除该销售记录吗？"), MessageAnswer::Yes);
    deleteItem->trigger();
    QCOMPARE(column(w->list(), 1), (QStringList{"2612110000003", "2612110000001"}));
    QCOMPARE(column(w->list(), 0), (QStringList{"1", "2"}));
    QCOMPARE(control<QLabel>(w, QStringLiteral("标签_总金额"))->text(), QStringLiteral("10.25"));
    QCOMPARE(dir_->scalar(QStringLiteral("SELECT count(*) FROM 销售记录 WHERE ID = 403")), QStringLiteral("0"));
    QCOMPARE(dir_->scalar(QStringLiteral("SELECT count(*) FROM 销售详情 WHERE 关联 = 403")), QStringLiteral("0"));
}

void RecordsTest::deleteRefusedWithoutPermissionOrSelection() {
    SalesRecordsWindow* w = open();
    platform_.prompts.expect(QStringLiteral("请选择要删除的行！"));
    control<QAction>(w, QStringLiteral("删除记录"))->trigger();
    QCOMPARE(platform_.prompts.shown().last().message.title, QStringLiteral("提示："));

    window_.reset();
    w = open(QStringLiteral("普通用户"));
    control<QTreeView>(w, QStringLiteral("超级列表框1"))->setCurrentIndex(w->list().index(0, 0));
    platform_.prompts.expect(QStringLiteral("只有管理员才有删除权限！"));
    control<QAction>(w, QStringLiteral("删除记录"))->trigger();
    QCOMPARE(platform_.prompts.shown().last().message.title, QStringLiteral("提示"));
    QCOMPARE(dir_->scalar(QStringLiteral("SELECT count(*) FROM 销售记录")), QStringLiteral("6"));
}

void RecordsTest::detailsFromButtonDoubleClickAndPopup() {
    SalesRecordsWindow* w = open();
    QSignalSpy details(w, &SalesRecordsWindow::detailsRequested);
    auto* view = control<QTreeView>(w, QStringLiteral("超级列表框1"));
    view->setCurrentIndex(w->list().index(2, 1));
    QVERIFY(control<QPushButton>(w, QStringLiteral("按钮_查看详情"))->isEnabled());
    QTest::mouseClick(control<QPushButton>(w, QStringLiteral("按钮_查看详情")), Qt::LeftButton);
    QVERIFY(QTest::qWaitForWindowExposed(w));
    const QRect cell = view->visualRect(w->list().index(2, 1));
    QTest::mousePress(view->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
    control<QAction>(w, QStringLiteral("查看详情"))->trigger();
    QCOMPARE(details.count(), 3);
    for (const QList<QVariant>& call : details) QCOMPARE(call.first().toLongLong(), qint64(402));
}

void RecordsTest::query_data() {
    QTest::addColumn<QDate>("from");
    QTest::addColumn<QDate>("to");
    QTest::addColumn<bool>("exact");
    QTest::addColumn<QString>("quantity");  // empty: box unchecked
    QTest::addColumn<QString>("amount");
    QTest::addColumn<QString>("cashier");
    QTest::addColumn<QStringList>("found");
    const QDate d10(2026, 12, 10), d11(2026, 12, 11), d12(2026, 12, 12), d1(2026, 12, 1);
    QTest::newRow("range only, last day to 23:59:59")
        << d10 << d11 << false << "" << "" << "" << QStringList{"2612110000001", "2612110000002", "2612110000003", "2612100000004"};
    QTest::newRow("end before start") << d12 << d10 << false << "" << "" << "" << QStringList{};
    QTest::newRow("fuzzy quantity contains 2") << d1 << d12 << false << "2" << "" << "" << QStringList{"2612110000002", "2612100000004", "it's_50%"};
    QTest::newRow("fuzzy amount in money form") << d1 << d12 << false << "" << "10" << "" << QStringList{"2612110000001", "2612120000005", "it's_50%"};
    QTest::newRow("fuzzy any condition") << d11 << d11 << false << "0.5" << "" << "张三" << QStringList{"2612110000002", "2612110000003"};
    QTest::newRow("fuzzy cashier with apostrophe") << d1 << d12 << false << "" << "" << "o'b" << QStringList{"it's_50%"};
    QTest::newRow("exact all conditions") << d1 << d12 << true << "1" << "10" << "ADMIN" << QStringList{"2612110000001"};
    QTest::newRow("exact amount as stored") << d1 << d12 << true << "" << "100.00" << "" << QStringList{"2612100000004"};
    QTest::newRow("exact no match") << d1 << d12 << true << "2" << "10.00" << "" << QStringList{};
}

void RecordsTest::query() {
    QFETCH(QDate, from);
    QFETCH(QDate, to);
    QFETCH(bool, exact);
    QFETCH(QString, quantity);
    QFETCH(QString, amount);
    QFETCH(QString, cashier);
    QFETCH(QStringList, found);
    SalesRecordsWindow* w = open();
    QTest::mouseClick(control<QPushButton>(w, QStringLiteral("按钮_查询")), Qt::LeftButton);
    auto* dialog = w->findChild<QueryDialog*>();
    QVERIFY(dialog && dialog->isVisible());
    QTest::mouseClick(control<QCheckBox>(dialog, QStringLiteral("选择框_时间")), Qt::LeftButton, {}, QPoint(4, 4));
    control<QDateEdit>(dialog, QStringLiteral("日期框1"))->setDate(from);
    control<QDateEdit>(dialog, QStringLiteral("日期框2"))->setDate(to);
    const struct {
        const char* box;
        const char* input;
        QString text;
    } inputs[] = {{"选择框_数量", "编辑框_数量1", quantity}, {"选择框_金额", "编辑框_销售金额1", amount}, {"选择框_收银员", "编辑框_收银员", cashier}};
    for (const auto& in : inputs) {
        if (in.text.isEmpty()) continue;
        control<QCheckBox>(dialog, QString::fromUtf8(in.box))->click();
        QWidget* input = control<QWidget>(dialog, QString::fromUtf8(in.input));
        if (!input) input = control<QComboBox>(dialog, QStringLiteral("组合框_收银员"));
        QVERIFY(input->isEnabled());
        typeText(input, in.text);
    }
    if (exact) control<QRadioButton>(dialog, QStringLiteral("单选框_精确"))->click();
    QTest::mouseClick(control<QPushButton>(dialog, QStringLiteral("按钮1")), Qt::LeftButton);
    QStringList numbers = column(w->list(), 1);
    QCOMPARE(numbers, found);
    // Read through the date index or over the whole table, the rows are the same.
    for (bool wideRange : {false, true}) {
        QVERIFY(w->fillRecordList(salesQueryStatement(dialog->conditions(), wideRange)));
        QCOMPARE(column(w->list(), 1), found);
    }
}

void RecordsTest::emptyCheckedBoxTakesNoPart_data() {
    QTest::addColumn<bool>("exact");
    QTest::addColumn<QStringList>("found");
    QTest::newRow("fuzzy") << false << QStringList{"2612110000001", "2612120000005", "it's_50%"};
    QTest::newRow("exact") << true << QStringList{"2612110000001", "2612120000005"};
}

void RecordsTest::emptyCheckedBoxTakesNoPart() {
    QFETCH(bool, exact);
    QFETCH(QStringList, found);
    SalesRecordsWindow* w = open();
    QTest::mouseClick(control<QPushButton>(w, QStringLiteral("按钮_查询")), Qt::LeftButton);
    auto* dialog = w->findChild<QueryDialog*>();
    QVERIFY(dialog);
    QTest::mouseClick(control<QCheckBox>(dialog, QStringLiteral("选择框_时间")), Qt::LeftButton, {}, QPoint(4, 4));
    control<QDateEdit>(dialog, QStringLiteral("日期框1"))->setDate(QDate(2026, 12, 1));
    control<QDateEdit>(dialog, QStringLiteral("日期框2"))->setDate(QDate(2026, 12, 12));
    // Quantity and cashier checked but left empty: only the amount asks for something.
    for (const char* box : {"选择框_数量", "选择框_收银员", "选择框_金额"})
        control<QCheckBox>(dialog, QString::fromUtf8(box))->click();
    typeText(control<QLineEdit>(dialog, QStringLiteral("编辑框_销售金额1")), QStringLiteral("10"));
    if (exact) control<QRadioButton>(dialog, QStringLiteral("单选框_精确"))->click();
    QTest::mouseClick(control<QPushButton>(dialog, QStringLiteral("按钮1")), Qt::LeftButton);
    QCOMPARE(column(w->list(), 1), found);
}

void RecordsTest::wideRangeJudgedBySalesHeld_data() {
    QTest::addColumn<int>("firstDay");
    QTest::addColumn<int>("lastDay");
    QTest::addColumn<bool>("condition");
    QTest::addColumn<bool>("wide");
    // One sale a day on December 1 to 10, numbered in time order.
    QTest::newRow("all ten") << 1 << 10 << true << true;
    QTest::newRow("six of ten") << 3 << 8 << true << true;
    QTest::newRow("half") << 1 << 5 << true << false;
    QTest::newRow("none") << 20 << 25 << true << false;
    QTest::newRow("end before start") << 10 << 1 << true << false;
    QTest::newRow("no condition to check") << 1 << 10 << false << false;
}

void RecordsTest::wideRangeJudgedBySalesHeld() {
    QFETCH(int, firstDay);
    QFETCH(int, lastDay);
    QFETCH(bool, condition);
    QFETCH(bool, wide);
    QVERIFY(dir_->exec(QStringLiteral("DELETE FROM 销售记录")));
    for (int day = 1; day <= 10; ++day)
        QVERIFY(dir_->exec(QStringLiteral("INSERT INTO 销售记录 VALUES (%1, 'n%1', '2026-12-%2 10:00:00', '1', '1.00', 'admin', NULL)")
                               .arg(600 + day)
                               .arg(day, 2, 10, QLatin1Char('0'))));
    Database db;
    QVERIFY(db.open(dir_->databasePath()));
    SalesQueryConditions c;
    c.from = QDate(2026, 12, firstDay);
    c.to = QDate(2026, 12, lastDay);
    c.useCashier = condition;
    c.cashier = QStringLiteral("admin");
    QCOMPARE(rangeHoldsMostSales(db, c), wide);
}

void RecordsTest::queryDialogStaysOpenAndFillsCashiers() {
    SalesRecordsWindow* w = open();
    w->openQuery();
    auto* dialog = w->findChild<QueryDialog*>();
    auto* cashiers = control<QComboBox>(dialog, QStringLiteral("组合框_收银员"));
    QCOMPARE(cashiers->count(), 1);
    QCOMPARE(cashiers->itemData(0).toLongLong(), qint64(11));
    QVERIFY(!cashiers->isEnabled());
    QVERIFY(!control<QDateEdit>(dialog, QStringLiteral("日期框1"))->isEnabled());
    QVERIFY(control<QRadioButton>(dialog, QStringLiteral("单选框_模糊"))->isChecked());
    QTest::mouseClick(control<QPushButton>(dialog, QStringLiteral("按钮1")), Qt::LeftButton);
    QVERIFY(dialog->isVisible());
    QCOMPARE(w->list().rowCount(), 3);
    QCOMPARE(control<QLabel>(w, QStringLiteral("标签_总金额"))->text(), QStringLiteral("22.75"));
    QTest::mouseClick(control<QPushButton>(dialog, QStringLiteral("按钮2")), Qt::LeftButton);
    QVERIFY(!dialog->isVisible());
    QCOMPARE(w->list().rowCount(), 3);
}

void RecordsTest::exportWritesTheListAsShown() {
    SalesRecordsWindow* w = open();
    const QString path = dir_->file(QStringLiteral("今天 的销售"));
    platform_.prompts.expectSaveFile(path);
    platform_.prompts.expect(QStringLiteral("保存成功！\r\n保存在：") + path + QStringLiteral(".xls"));
    QTest::mouseClick(control<QPushButton>(w, QStringLiteral("按钮_导出表")), Qt::LeftButton);
    QCOMPARE(platform_.prompts.fileRequests().last().proposedName, QStringLiteral("261211查询结果.xls"));
    QCOMPARE(platform_.prompts.shown().last().message.icon, MessageIcon::Information);
    const QJsonArray rows = sheetRows(readWorkbook(path + QStringLiteral(".xls")), 0);
    QCOMPARE(rows.size(), 4);
    QCOMPARE(rows.at(0).toArray().at(2).toString(), QStringLiteral("销售时间"));
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 7; ++c) QCOMPARE(rows.at(r + 1).toArray().at(c).toString(), w->list().cell(r, c));
}

void RecordsTest::exportRefusals() {
    SalesRecordsWindow* w = open();
    auto* exportButton = control<QPushButton>(w, QStringLiteral("按钮_导出表"));
    platform_.prompts.expect(QStringLiteral("保存失败！"));
    QTest::mouseClick(exportButton, Qt::LeftButton);
    platform_.prompts.expectSaveFile(dir_->file(QStringLiteral("no such folder/x.xls")));
    platform_.prompts.expect(QStringLiteral("保存失败！错误代码：01"));
    QTest::mouseClick(exportButton, Qt::LeftButton);

    auto* box = control<QLineEdit>(w, QStringLiteral("编辑框_查单号"));
    typeText(box, QStringLiteral("nothing like this"));
    QTest::mouseClick(control<QPushButton>(w, QStringLiteral("按钮_搜索")), Qt::LeftButton);
    platform_.prompts.expect(QStringLiteral("没有数据可以导出！"));
    QTest::mouseClick(exportButton, Qt::LeftButton);
    QCOMPARE(platform_.prompts.shown().last().message.title, QStringLiteral("提示："));
}

void RecordsTest::fileTheDialogDidNotNameIsReplacedOnlyWhenAsked_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("typed");  // in the save dialog, without the file type
    QTest::addColumn<QString>("existing");
    QTest::addColumn<bool>("replace");
    QTest::newRow("export, kept") << "按钮_导出表" << "销售 表" << "销售 表.xls" << false;
    QTest::newRow("export, replaced") << "按钮_导出表" << "销售 表" << "销售 表.xls" << true;
    QTest::newRow("backup, kept") << "按钮_管理数据" << "备份 一" << "备份 一.mdb" << false;
}

void RecordsTest::fileTheDialogDidNotNameIsReplacedOnlyWhenAsked() {
    QFETCH(QString, button);
    QFETCH(QString, typed);
    QFETCH(QString, existing);
    QFETCH(bool, replace);
    SalesRecordsWindow* w = open();
    const QString path = dir_->file(existing);
    {
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("an earlier file");
    }
    const bool backup = button == QStringLiteral("按钮_管理数据");
    if (backup) platform_.prompts.expect(QStringLiteral("确定初始化吗,并备份数据吗 ？"), MessageAnswer::Yes);
    platform_.prompts.expectSaveFile(dir_->file(typed));
    platform_.prompts.expect(QStringLiteral("“%1”已存在，是否替换？").arg(path), replace ? MessageAnswer::Yes : MessageAnswer::No);
    platform_.prompts.expect(replace ? QStringLiteral("保存成功！\r\n保存在：") + path : QStringLiteral("保存失败！"));
    QTest::mouseClick(control<QPushButton>(w, button), Qt::LeftButton);
    QVERIFY(db_->isOpen());
    QCOMPARE(dir_->scalar(QStringLiteral("SELECT count(*) FROM 销售记录")), QStringLiteral("6"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    if (replace)
        QCOMPARE(sheetRows(readWorkbook(path), 0).size(), 4);
    else
        QCOMPARE(file.readAll(), QByteArray("an earlier file"));
}

void RecordsTest::initialisationBacksUpAndReplaces() {
    SalesRecordsWindow* w = open();
    QSignalSpy replaced(w, &SalesRecordsWindow::dataReplaced);
    auto* reset = control<QPushButton>(w, QStringLiteral("按钮_管理数据"));
    platform_.prompts.expect(QStringLiteral("确定初始化吗,并备份数据吗 ？"), MessageAnswer::No);
    QTest::mouseClick(reset, Qt::LeftButton);
    QCOMPARE(dir_->scalar(QStringLiteral("SELECT count(*) FROM 销售记录")), QStringLiteral("6"));

    const QString backup = dir_->file(QStringLiteral("备份 一.mdb"));
    {
        QFile old(backup);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("an older backup");
    }
    platform_.prompts.expect(QStringLiteral("确定初始化吗,并备份数据吗 ？"), MessageAnswer::Yes);
    platform_.prompts.expectSaveFile(backup);
    platform_.prompts.expect(QStringLiteral("初始化完成，并已备份！"));
    QTest::mouseClick(reset, Qt::LeftButton);
    QCOMPARE(platform_.prompts.shown().first().message.title, QStringLiteral("提示"));
    QCOMPARE(platform_.prompts.fileRequests().last().proposedName, QStringLiteral("261211查询结果.mdb"));
    QCOMPARE(replaced.count(), 1);
    QVERIFY(!db_->isOpen());

    // The live file is a new database; the backup holds everything as it was.
    QCOMPARE(dir_->scalar(QStringLiteral("SELECT group_concat(ID) FROM 销售记录")), QStringLiteral("401"));
    Database copy(QStringLiteral("backup"));
    QVERIFY(copy.open(backup));
    QCOMPARE(copy.query(QStringLiteral("SELECT count(*) AS n FROM 销售记录")).text(QStringLiteral("n")), QStringLiteral("6"));
    QCOMPARE(copy.query(QStringLiteral("SELECT count(*) AS n FROM 销售详情")).text(QStringLiteral("n")), QStringLiteral("6"));
    QCOMPARE(copy.query(QStringLiteral("SELECT 收银员 FROM 销售记录 WHERE ID = 407")).text(QStringLiteral("收银员")),
             QStringLiteral("O'Brien"));
}

void RecordsTest::initialisationThatFailsChangesNothing() {
    SalesRecordsWindow* w = open();
    QSignalSpy replaced(w, &SalesRecordsWindow::dataReplaced);
    auto* reset = control<QPushButton>(w, QStringLiteral("按钮_管理数据"));
    platform_.prompts.expect(QStringLiteral("确定初始化吗,并备份数据吗 ？"), MessageAnswer::Yes);
    platform_.prompts.expect(QStringLiteral("保存失败！"));
    QTest::mouseClick(reset, Qt::LeftButton);
    for (const QString& target : {dir_->file(QStringLiteral("no folder/b.mdb")), dir_->databasePath()}) {
        platform_.prompts.expect(QStringLiteral("确定初始化吗,并备份数据吗 ？"), MessageAnswer::Yes);
        platform_.prompts.expectSaveFile(target);
        platform_.prompts.expect(QStringLiteral("初始化错误！"));
        QTest::mouseClick(reset, Qt::LeftButton);
    }
    QCOMPARE(replaced.count(), 0);
    QVERIFY(db_->isOpen());
    QCOMPARE(dir_->scalar(QStringLiteral("SELECT count(*) FROM 销售记录")), QStringLiteral("6"));
    QVERIFY(w->fillRecordList(todaysSalesStatement(platform_.time.now())));
    QCOMPARE(w->list().rowCount(), 3);
}

void RecordsTest::initialisationLeavesTheOldJournalBehind() {
    SalesRecordsWindow* w = open();
    JournalHolder other(dir_->databasePath());
    QVERIFY(other.written());
    QVERIFY(QFile::exists(dir_->databasePath() + QStringLiteral("-wal")));
    platform_.prompts.expect(QStringLiteral("确定初始化吗,并备份数据吗 ？"), MessageAnswer::Yes);
    platform_.prompts.expectSaveFile(dir_->file(QStringLiteral("b.mdb")));
    platform_.prompts.expect(QStringLiteral("初始化完成，并已备份！"));
    QTest::mouseClick(control<QPushButton>(w, QStringLiteral("按钮_管理数据")), Qt::LeftButton);
    other.close();

    // The new file is the blank database, whole.
    QCOMPARE(dir_->scalar(QStringLiteral("PRAGMA integrity_check")), QStringLiteral("ok"));
    QCOMPARE(dir_->scalar(QStringLiteral("SELECT group_concat(ID) FROM 销售记录")), QStringLiteral("401"));
    QCOMPARE(dir_->scalar(QStringLiteral("SELECT count(*) FROM 商品名称")), QStringLiteral("4"));
}

QTEST_MAIN(RecordsTest)
#include "tst_records.moc"
