#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeView>

#include "FakePlatform.h"
#include "Gui.h"
#include "TestDataDir.h"
#include "records/SaleDetailsWindow.h"
#include "records/SalesRecordsWindow.h"
#include "store/Database.h"
#include "widgets/ReportListModel.h"

class SaleDetailsTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void showsTheReceiptsLines();
    void addStoresTheLineAndTheReceiptTotals_data();
    void addStoresTheLineAndTheReceiptTotals();
    void emptyEntriesAreRefused_data();
    void emptyEntriesAreRefused();
    void modifyKeepsTheNoteAndRecomputes();
    void modifyFailureLeavesEverything();
    void deleteAsksRenumbersAndRecomputes();
    void ordinaryUserOnlyLooks();
    void openedFromTheRecordsWindow();
    void recordsListFollowsCorrections();
    void quantityThatIsNoNumber();

private:
    SaleDetailsWindow* open(qint64 record, const QString& permission = QStringLiteral("管理员"));
    void select(int row);
    void click(const char* button) { QTest::mouseClick(control<QPushButton>(window_.get(), QString::fromUtf8(button)), Qt::LeftButton); }
    QLineEdit* box(const char* name) { return control<QLineEdit>(window_.get(), QString::fromUtf8(name)); }
    void fill(const QString& name, const QString& quantity, const QString& price);

    FakePlatform platform_;
    std::unique_ptr<TestDataDir> dir_;
    std::unique_ptr<Database> db_;
    std::unique_ptr<SaleDetailsWindow> window_;
};

void SaleDetailsTest::init() {
    platform_.prompts.reset();
    dir_ = std::make_unique<TestDataDir>();
    // Receipt 402 with two lines, 3 × 10.00 and 1 × 5.50.
    QVERIFY(dir_->exec(QStringLiteral("INSERT INTO 销售记录 VALUES (402, '0000000000002', '2026-12-11 09:00:00', '4', '35.50', 'admin', NULL)")));
    QVERIFY(dir_->exec(QStringLiteral("INSERT INTO 销售详情 VALUES (481, 402, '打印机', '3', '10.00', '30.00', '30.00', '保修一年')")));
    QVERIFY(dir_->exec(QStringLiteral("INSERT INTO 销售详情 VALUES (482, 402, '电源线', '1', '5.50', '5.50', '5.50', NULL)")));
}

void SaleDetailsTest::cleanup() {
    VERIFY_PROMPTS_SETTLED(platform_.prompts);
    window_.reset();
    db_.reset();
    dir_.reset();
}

SaleDetailsWindow* SaleDetailsTest::open(qint64 record, const QString& permission) {
    db_ = std::make_unique<Database>();
    if (!db_->open(dir_->databasePath())) return nullptr;
    window_ = std::make_unique<SaleDetailsWindow>(platform_, *db_, CurrentUser{QStringLiteral("admin"), permission}, record);
    window_->show();
    return window_.get();
}

void SaleDetailsTest::select(int row) {
    control<QTreeView>(window_.get(), QStringLiteral("超级列表框1"))->setCurrentIndex(window_->list().index(row, 1));
}

void SaleDetailsTest::fill(const QString& name, const QString& quantity, const QString& price) {
    for (auto [field, text] : {std::pair{"编辑框_名称", name}, {"编辑框_数量", quantity}, {"编辑框_单价", price}}) {
        QLineEdit* edit = box(field);
        edit->clear();
        typeText(edit, text);
    }
}

void SaleDetailsTest::showsTheReceiptsLines() {
    SaleDetailsWindow* w = open(402);
    QCOMPARE(w->windowTitle(), QStringLiteral("销售Korvane"));
    QCOMPARE(w->list().rowCount(), 2);
    QCOMPARE(w->list().rows().first().cells, (QStringList{"1", "打印机", "3", "10.00", "30.00", "30.00"}));
    QCOMPARE(w->list().rowId(1), qint64(482));
    QCOMPARE(box("编辑框_折扣")->text(), QStringLiteral("10"));
    QCOMPARE(control<QComboBox>(w, QStringLiteral("组合框_折扣"))->count(), 89);
    window_.reset();
    QCOMPARE(open(999)->list().rowCount(), 0);
}

void SaleDetailsTest::addStoresTheLineAndTheReceiptTotals_data() {
    QTest::addColumn<QString>("price");
    QTest::addColumn<QString>("quantity");
    QTest::addColumn<QString>("rate");  // empty: no discount
    QTest::addColumn<QStringList>("shown");
    QTest::addColumn<QString>("receipt");
    QTest::newRow("cents rounded as at the counter") << "0.125" << "1" << "" << QStringList{"0.13", "0.13"} << "5|35.63";
    QTest::newRow("discount 9.5") << "10" << "3" << "9.5" << QStringList{"30.00", "28.50"} << "7|65.50";
}

void SaleDetailsTest::addStoresTheLineAndTheReceiptTotals() {
    QFETCH(QString, price);
    QFETCH(QString, quantity);
    QFETCH(QString, rate);
    QFETCH(QStringList, shown);
    QFETCH(QString, receipt);
    SaleDetailsWindow* w = open(402);
    fill(QStringLiteral("Jack's 曲奇"), quantity, price);
    if (!rate.isEmpty()) {
        control<QCheckBox>(w, QStringLiteral("选择框_折扣"))->click();
        auto* rates = control<QComboBox>(w, QStringLiteral("组合框_折扣"));
        rates->setCurrentIndex(rates->findText(rate));
        QCOMPARE(box("编辑框_折扣")->text(), rate);
    }
    click("按钮_添加");
    QCOMPARE(w->list().rowCount(), 3);
    QCOMPARE(w->list().cell(2, 0), QStringLiteral("3"));
    QCOMPARE(w->list().cell(2, 1), QStringLiteral("Jack's 曲奇"));
    QCOMPARE((QStringList{w->list().cell(2, 4), w->list().cell(2, 5)}), shown);
    const qint64 id = w->list().rowId(2);
    QCOMPARE(id, qint64(483));
    QCOMPARE(dir_->scalar(QStringLiteral("SELECT 关联 || '|' || 名称 || '|' || 金额 || '|' || 折后 FROM 销售详情 WHERE ID = 483")),
             QStringLiteral("402|Jack's 曲奇|") + shown.join(QLatin1Char('|')));
    QCOMPARE(dir_->scalar(QStringLiteral("SELECT 数量 || '|' || 金额 FROM 销售记录 WHERE ID = 402")), receipt);
}

void SaleDetailsTest::emptyEntriesAreRefused_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("quantity");
    QTest::addColumn<QString>("price");
    QTest::addColumn<QString>("message");
    QTest::newRow("name") << "" << "1" << "1" << "商品名称不能为空！";
    QTest::newRow("quantity") << "x" << "" << "1" << "数量不能为空！";
    QTest::newRow("price") << "x" << "1" << "" << "价格不能为空！";
}

void SaleDetailsTest::emptyEntriesAreRefused() {
    QFETCH(QString, name);
    QFETCH(QString, quantity);
    QFETCH(QString, price);
    QFETCH(QString, message);
    open(402);
    fill(name, quantity, price);
    platform_.prompts.expect(message);
    platform_.prompts.expect(message);
    click("按钮_添加");
    QCOMPARE(platform_.prompts.shown().last().message.icon, MessageIcon::Error);
    QCOMPARE(platform_.prompts.shown().last().message.title, QStringLiteral("提示"));
    select(0);
    fill(name, quantity, price);
    click("按钮_修改");
    QCOMPARE(dir_->scalar(QStringLiteral("SELECT count(*) FROM 销售详情")), QStringLiteral("3"));
    QCOMPARE(dir_->scalar(QStringLiteral("SELECT 名称 FROM 销售详情 WHERE ID = 481")), QStringLiteral("打印机"));
}

void SaleDetailsTest::modifyKeepsTheNoteAndRecomputes() {
    SaleDetailsWindow* w = open(402);
    fill(QStringLiteral("x"), QStringLiteral("1"), QStringLiteral("1"));
    platform_.prompts.expect(QStringLiteral("请选择要修改的行！"));
    click("按钮_修改");
    select(0);
    QCOMPARE(w->selectedLineId(), qint64(481));
    QCOMPARE(box("编辑框_名称")->text(), QStringLiteral("打印机"));
    QCOMPARE(control<QPlainTextEdit>(w, QStringLiteral("编辑框_备注"))->toPlainText(), QStringLiteral("保修一年"));
    fill(QStringLiteral("打印机"), QStringLiteral("2"), QStringLiteral("10.00"));
    click("按钮_修改");
    QCOMPARE(w->list().rows().first().cells, (QStringList{"1", "打印机", "2", "10.00", "20.00", "20.00"}));
    QCOMPARE(dir_->scalar(QStringLiteral("SELECT 数量 || '|' || 金额 || '|' || 备注 FROM 销售详情 WHERE ID = 481")),
             QStringLiteral("2|20.00|保修一年"));
    QCOMPARE(dir_->scalar(QStringLiteral("SELECT 数量 || '|' || 金额 FROM 销售记录 WHERE ID = 402")), QStringLiteral("3|25.50"));

    // A line without a note stays without one.
    select(1);
    QCOMPARE(control<QPlainTextEdit>(w, QStringLiteral("编辑框_备注"))->toPlainText(), QString());
    click("按钮_修改");
    QCOMPARE(dir_->scalar(QStringLiteral("SELECT 备注 IS NULL FROM 销售详情 WHERE ID = 482")), QStringLiteral("1"));
}

void SaleDetailsTest::modifyFailureLeavesEverything() {
    SaleDetailsWindow* w = open(402);
    select(0);
    fill(QString(51, QChar(0x540D)), QStringLiteral("5"), QStringLiteral("1"));
    platform_.prompts.expect(QStringLiteral("数据添加失败"));
    click("按钮_修改");
    QCOMPARE(w->list().cell(0, 1), QStringLiteral("打印机"));
    QCOMPARE(dir_->scalar(QStringLiteral("SELECT 数量 || '|' || 金额 FROM 销售记录 WHERE ID = 402")), QStringLiteral("4|35.50"));
    // The line was removed meanwhile: nothing is changed and the failure is said.
    QVERIFY(dir_->exec(QStringLiteral("DELETE FROM 销售详情 WHERE ID = 481")));
    fill(QStringLiteral("打印机"), QStringLiteral("5"), QStringLiteral("1"));
    platform_.prompts.expect(QStringLiteral("数据添加失败"));
    click("按钮_修改");
    QCOMPARE(w->list().cell(0, 2), QStringLiteral("3"));
}

void SaleDetailsTest::deleteAsksRenumbersAndRecomputes() {
    SaleDetailsWindow* w = open(402);
    platform_.prompts.expect(QStringLiteral("请选择要删除的行！"));
    click("按钮_删除");
    select(0);
    platform_.prompts.expect(QStringLiteral("确定删除该行吗？"), MessageAnswer::No);
    click("按钮_删除");
    QCOMPARE(w->list().rowCount(), 2);
    platform_.prompts.expect(QStringLiteral("确定删除该行吗？"), MessageAnswer::Yes);
    click("按钮_删除");
    QCOMPARE(w->list().rows().first().cells, (QStringList{"1", "电源线", "1", "5.50", "5.50", "5.50"}));
    QCOMPARE(dir_->scalar(QStringLiteral("SELECT count(*) FROM 销售详情 WHERE ID = 481")), QStringLiteral("0"));
    QCOMPARE(dir_->scalar(QStringLiteral("SELECT 数量 || '|' || 金额 FROM 销售记录 WHERE ID = 402")), QStringLiteral("1|5.50"));
}

void SaleDetailsTest::ordinaryUserOnlyLooks() {
    SaleDetailsWindow* w = open(402, QStringLiteral("普通用户"));
    QCOMPARE(w->list().rowCount(), 2);
    for (const char* name : {"按钮_添加", "按钮_修改", "按钮_删除", "按钮_导出"})
        QVERIFY2(!control<QPushButton>(w, QString::fromUtf8(name))->isEnabled(), name);
    QVERIFY(control<QPushButton>(w, QStringLiteral("按钮_关闭"))->isEnabled());
}

void SaleDetailsTest::openedFromTheRecordsWindow() {
    db_ = std::make_unique<Database>();
    QVERIFY(db_->open(dir_->databasePath()));
    platform_.time.set(QDateTime(QDate(2026, 12, 11), QTime(18, 0, 0)));
    SalesRecordsWindow records(platform_, *db_, CurrentUser{QStringLiteral("admin"), QStringLiteral("管理员")});
    records.show();
    control<QTreeView>(&records, QStringLiteral("超级列表框1"))->setCurrentIndex(records.list().index(0, 1));
    QTest::mouseClick(control<QPushButton>(&records, QStringLiteral("按钮_查看详情")), Qt::LeftButton);
    auto* details = records.findChild<SaleDetailsWindow*>();
    QVERIFY(details && details->isVisible());
    QCOMPARE(details->list().rowCount(), 2);
    QTest::mouseClick(control<QPushButton>(details, QStringLiteral("按钮_关闭")), Qt::LeftButton);
    QTRY_VERIFY(!records.findChild<SaleDetailsWindow*>());
}

void SaleDetailsTest::recordsListFollowsCorrections() {
    db_ = std::make_unique<Database>();
    QVERIFY(db_->open(dir_->databasePath()));
    platform_.time.set(QDateTime(QDate(2026, 12, 11), QTime(18, 0, 0)));
    SalesRecordsWindow records(platform_, *db_, CurrentUser{QStringLiteral("admin"), QStringLiteral("管理员")});
    records.show();
    control<QTreeView>(&records, QStringLiteral("超级列表框1"))->setCurrentIndex(records.list().index(0, 1));
    records.viewSaleDetails();
    auto* details = records.findChild<SaleDetailsWindow*>();
    QVERIFY(details);
    const auto shown = [&]() -> QString {
        return records.list().cell(0, 3) + QLatin1Char('|') + records.list().cell(0, 4) + QLatin1Char('|') +
               control<QLabel>(&records, QStringLiteral("标签_销售数量"))->text() + QLatin1Char('|') +
               control<QLabel>(&records, QStringLiteral("标签_总金额"))->text();
    };
    QCOMPARE(shown(), QStringLiteral("4|35.50|4|35.50"));
    for (auto [field, text] : {std::pair{"编辑框_名称", QStringLiteral("纸")}, {"编辑框_数量", QStringLiteral("2")}, {"编辑框_单价", QStringLiteral("1.25")}}) {
        auto* edit = control<QLineEdit>(details, QString::fromUtf8(field));
        edit->clear();
        typeText(edit, text);
    }
    QTest::mouseClick(control<QPushButton>(details, QStringLiteral("按钮_添加")), Qt::LeftButton);
    QCOMPARE(shown(), QStringLiteral("6|38.00|6|38.00"));
    control<QTreeView>(details, QStringLiteral("超级列表框1"))->setCurrentIndex(details->list().index(0, 1));
    platform_.prompts.expect(QStringLiteral("确定删除该行吗？"), MessageAnswer::Yes);
    QTest::mouseClick(control<QPushButton>(details, QStringLiteral("按钮_删除")), Qt::LeftButton);
    QCOMPARE(shown(), QStringLiteral("3|8.00|3|8.00"));
    QCOMPARE(dir_->scalar(QStringLiteral("SELECT 数量 || '|' || 金额 FROM 销售记录 WHERE ID = 402")), QStringLiteral("3|8.00"));
}

void SaleDetailsTest::quantityThatIsNoNumber() {
    // A line stored by an older program with a quantity that is no number counts as none.
    QVERIFY(dir_->exec(QStringLiteral("UPDATE 销售详情 SET 数量 = 'abc' WHERE ID = 482")));
    SaleDetailsWindow* w = open(402);
    QCOMPARE(w->list().cell(1, 2), QStringLiteral("abc"));
    fill(QStringLiteral("纸"), QStringLiteral("abc"), QStringLiteral("1"));
    QCOMPARE(box("编辑框_数量")->text(), QString());
    platform_.prompts.expect(QStringLiteral("数量不能为空！"));
    click("按钮_添加");
    fill(QStringLiteral("纸"), QStringLiteral("1"), QStringLiteral("1"));
    click("按钮_添加");
    QCOMPARE(dir_->scalar(QStringLiteral("SELECT 数量 || '|' || 金额 FROM 销售记录 WHERE ID = 402")), QStringLiteral("4|36.50"));
}

QTEST_MAIN(SaleDetailsTest)
#include "tst_saledetails.moc"
