#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include "FakePlatform.h"
#include "Gui.h"
#include "TestDataDir.h"
#include "counter/MainWindow.h"
#include "records/SalesRecordsWindow.h"
#include "store/Database.h"

class MainWindowTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void adminInANewDatabase();
    void ordinaryUserCannotSaveOnlyOrChangeCashier();
    void deletedUserCountsAsOrdinary();
    void optionColumns_data();
    void optionColumns();
    void printOptionsFollowTheConfiguration();
    void clockShowsTwoDigitFields();
    void shortcutsActOnlyWhileActive();
    void extrasStartTheFirstInstalledProgram();
    void aboutAndContact();
    void closingEndsTheRun();
    void recordsOpenFromTheMenu();

private:
    MainWindow* open(const QString& user);

    FakePlatform platform_;
    std::unique_ptr<TestDataDir> dir_;
    std::unique_ptr<Database> db_;
    std::unique_ptr<MainWindow> window_;
};

void MainWindowTest::init() {
    platform_.prompts.reset();
    platform_.programs = FakeShell();
    dir_ = std::make_unique<TestDataDir>();
    QVERIFY(dir_->isValid());
}

void MainWindowTest::cleanup() {
    VERIFY_PROMPTS_SETTLED(platform_.prompts);
    window_.reset();
    db_.reset();
    dir_.reset();
}

MainWindow* MainWindowTest::open(const QString& user) {
    db_ = std::make_unique<Database>();
    if (!db_->open(dir_->databasePath())) return nullptr;
    window_ = std::make_unique<MainWindow>(platform_, *db_, CurrentUser{user, QString()});
    window_->show();
    window_->openCounter();
    return window_.get();
}

template <typename T>
T* in(MainWindow* w, const char* name) {
    T* found = control<T>(w, QString::fromUtf8(name));
    if (!found) qWarning("no control %s", name);
    return found;
}

void MainWindowTest::adminInANewDatabase() {
    MainWindow* w = open(QStringLiteral("admin"));
    QVERIFY(w);
    QCOMPARE(w->objectName(), QStringLiteral("MainWindow"));
    QCOMPARE(w->windowTitle(), QStringLiteral("Korvanev3.2          收银员：admin(管理员)"));
    QCOMPARE(in<QLineEdit>(w, "编辑框_收银员")->text(), QStringLiteral("admin"));
    QVERIFY(in<QLineEdit>(w, "编辑框_收银员")->isEnabled());
    QVERIFY(in<QPushButton>(w, "按钮_仅保存小票")->isEnabled());
    QCOMPARE(in<QLineEdit>(w, "编辑框_付款方式")->text(), QStringLiteral("现金"));
    QCOMPARE(in<QComboBox>(w, "组合框_付款方式")->count(), 6);
    QVERIFY(in<QCheckBox>(w, "选择框_付款方式")->isChecked());
    QVERIFY(!in<QCheckBox>(w, "选择框_折扣")->isChecked());
    QVERIFY(!in<QComboBox>(w, "组合框_折扣")->isEnabled());
    QVERIFY(!in<QPushButton>(w, "按钮_删除")->isEnabled());
    QVERIFY(!in<QPushButton>(w, "按钮_修改")->isEnabled());
    QCOMPARE(in<QLineEdit>(w, "编辑框_店名")->text(), QStringLiteral("科瓦内便利店"));
    QVERIFY(in<QPlainTextEdit>(w, "编辑框_备注")->toPlainText().startsWith(QStringLiteral("1.所购商品7日内凭购物小票调换")));
    QCOMPARE(in<QLineEdit>(w, "编辑框_数量")->text(), QStringLiteral("1"));
    QCOMPARE(in<QLineEdit>(w, "编辑框_单价")->text(), QStringLiteral("0.00"));
    QCOMPARE(in<QLineEdit>(w, "编辑框_找零")->text(), QStringLiteral("0.00"));
    QCOMPARE(in<QComboBox>(w, "组合框_实收")->count(), 7);
    QCOMPARE(in<QComboBox>(w, "组合框_收银员")->itemData(0).toLongLong(), qint64(11));
    QVERIFY(in<QLineEdit>(w, "编辑框_名称")->hasFocus() || !w->isActiveWindow());
    for (const char* name : {"编辑框_单号", "编辑框_时间", "选择框_修改时间", "超级列表框1", "标签_总量", "标签_总金额",
                             "标签_打折后", "按钮_付款方式", "按钮_打印预览", "按钮_打印小票", "按钮_添加商品",
                             "选择框_电话", "编辑框_电话", "选择框_客户", "编辑框_客户", "按钮_设置客户", "标签_反馈"})
        QVERIFY2(control<QObject>(w, QString::fromUtf8(name)), name);
    QVERIFY(in<QPushButton>(w, "按钮_设置客户")->isVisible());
}

void MainWindowTest::ordinaryUserCannotSaveOnlyOrChangeCashier() {
    QVERIFY(dir_->exec(QStringLiteral("INSERT INTO 用户登录 (用户名, 权限, 密码) VALUES ('张三', '普通用户', 'x')")));
    MainWindow* w = open(QStringLiteral("张三"));
    QVERIFY(w->windowTitle().endsWith(QStringLiteral("收银员：张三(普通用户)")));
    QVERIFY(!in<QLineEdit>(w, "编辑框_收银员")->isEnabled());
    QVERIFY(!in<QComboBox>(w, "组合框_收银员")->isEnabled());
    QVERIFY(!in<QPushButton>(w, "按钮_仅保存小票")->isEnabled());
}

void MainWindowTest::deletedUserCountsAsOrdinary() {
    MainWindow* w = open(QStringLiteral("已删除的人"));
    QVERIFY(w->windowTitle().endsWith(QStringLiteral("收银员：已删除的人()")));
    QVERIFY(!w->currentUser().isAdministrator());
    QVERIFY(!in<QPushButton>(w, "按钮_仅保存小票")->isEnabled());
}

void MainWindowTest::optionColumns_data() {
    QTest::addColumn<QString>("column");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("combo");
    QTest::addColumn<bool>("checked");
    QTest::addColumn<bool>("enabled");
    QTest::newRow("discount on") << "折扣" << "真" << "选择框_折扣" << "组合框_折扣" << true << true;
    QTest::newRow("discount other text leaves the default") << "折扣" << "1" << "选择框_折扣" << "组合框_折扣" << false << false;
    QTest::newRow("payment off") << "付款方式的选中" << "假" << "选择框_付款方式" << "组合框_付款方式" << false << false;
    QTest::newRow("phone on") << "电话" << "真" << "选择框_电话" << "组合框_电话" << true << true;
    QTest::newRow("customer off") << "客户" << "假" << "选择框_客户" << "组合框_客户" << false << false;
}

void MainWindowTest::optionColumns() {
    QFETCH(QString, column);
    QFETCH(QString, value);
    QFETCH(QString, box);
    QFETCH(QString, combo);
    QFETCH(bool, checked);
    QFETCH(bool, enabled);
    QVERIFY(dir_->exec(QStringLiteral("UPDATE 配置文件 SET %1 = '%2'").arg(column, value)));
    MainWindow* w = open(QStringLiteral("admin"));
    QCOMPARE(control<QCheckBox>(w, box)->isChecked(), checked);
    QCOMPARE(control<QComboBox>(w, combo)->isEnabled(), enabled);
}

void MainWindowTest::printOptionsFollowTheConfiguration() {
    QVERIFY(dir_->exec(QStringLiteral("UPDATE 配置文件 SET 打印单价 = '1', 显示打印完毕 = '真', 纸张边距 = '12.9', "
                                      "打印偏差 = '-2.5', 是否打印logo = '真', 保存销售记录 = '假'")));
    MainWindow* w = open(QStringLiteral("admin"));
    const PrintOptions& o = w->printOptions();
    QVERIFY(!o.printUnitPrice);
    QVERIFY(o.showPrintDone);
    QVERIFY(!o.askPrintAgain);
    QVERIFY(o.printLogo);
    QCOMPARE(o.paperMargin, 12);
    QCOMPARE(o.printOffset, -2);
    QVERIFY(!w->saveSalesRecords());
}

void MainWindowTest::clockShowsTwoDigitFields() {
    platform_.time.set(QDateTime(QDate(2024, 1, 5), QTime(7, 8, 9)));
    MainWindow* w = open(QStringLiteral("admin"));
    QCOMPARE(in<QLineEdit>(w, "编辑框_时间")->text(), QStringLiteral("2024-01-05  07:08:09"));
    platform_.time.set(QDateTime(QDate(2024, 1, 5), QTime(23, 0, 5)));
    QTRY_COMPARE_WITH_TIMEOUT(in<QLineEdit>(w, "编辑框_时间")->text(), QStringLiteral("2024-01-05  23:00:05"), 3000);
    QCOMPARE(in<QTimer>(w, "时钟1")->interval(), 999);
}

void MainWindowTest::shortcutsActOnlyWhileActive() {
    MainWindow* w = open(QStringLiteral("admin"));
    QSignalSpy enter(w, &MainWindow::enterPressed);
    QSignalSpy f5(w, &MainWindow::f5Pressed);
    w->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(w));
    auto* quantity = in<QLineEdit>(w, "编辑框_数量");
    quantity->setFocus();
    // Enter adds a sale line, which with an empty name box is refused.
    for (int i = 0; i < 3; ++i) platform_.prompts.expect(QStringLiteral("商品名称不能为空！"));
    QTest::keyClick(quantity, Qt::Key_Return);
    QTest::keyClick(quantity, Qt::Key_Enter);
    QTest::keyClick(in<QLineEdit>(w, "编辑框_名称"), Qt::Key_Return);
    // F5 prints, which with no sale line is refused.
    platform_.prompts.expect(QStringLiteral("没有可以打印的数据！"));
    QTest::keyClick(quantity, Qt::Key_F5);
    QCOMPARE(enter.count(), 3);
    QCOMPARE(f5.count(), 1);

    // A dialog over the counter keeps Enter and F5 to itself.
    QDialog dialog(w);
    auto* box = new QLineEdit(&dialog);
    dialog.open();
    QApplication::setActiveWindow(&dialog);
    QTRY_COMPARE(QApplication::activeWindow(), &dialog);
    box->setFocus();
    QTest::keyClick(box, Qt::Key_F5);
    QTest::keyClick(box, Qt::Key_Return);
    QCOMPARE(enter.count(), 3);
    QCOMPARE(f5.count(), 1);
}

void MainWindowTest::extrasStartTheFirstInstalledProgram() {
    MainWindow* w = open(QStringLiteral("admin"));
    platform_.prompts.expect(QStringLiteral("没有找到计算器程序，请先安装一个计算器（例如 gnome-calculator）。"));
    in<QAction>(w, "计算器")->trigger();
    platform_.programs.installed = {QStringLiteral("galculator"), QStringLiteral("mousepad"), QStringLiteral("xcalc")};
    in<QAction>(w, "计算器")->trigger();
    in<QAction>(w, "记事本")->trigger();
    QCOMPARE(platform_.programs.started, (QStringList{"galculator", "mousepad"}));
}

void MainWindowTest::aboutAndContact() {
    MainWindow* w = open(QStringLiteral("admin"));
    platform_.prompts.expect(QStringLiteral("感谢您使用 Korvane 收银系统 v3.2！\n祝您生意兴隆，财源广进。"));
    in<QAction>(w, "关于")->trigger();
    const Message about = platform_.prompts.shown().last().message;
    QCOMPARE(about.title, QStringLiteral("关于"));
    QCOMPARE(about.icon, MessageIcon::Information);
    QCOMPARE(platform_.prompts.shown().last().owner, w);
    in<QAction>(w, "联系作者")->trigger();
    QCOMPARE(platform_.programs.opened.size(), 1);
}

void MainWindowTest::closingEndsTheRun() {
    MainWindow* w = open(QStringLiteral("admin"));
    QSignalSpy closed(w, &MainWindow::closed);
    QVERIFY(w->close());
    QCOMPARE(closed.count(), 1);
    QVERIFY(!in<QTimer>(w, "时钟1")->isActive());
}

void MainWindowTest::recordsOpenFromTheMenu() {
    MainWindow* w = open(QStringLiteral("admin"));
    QSignalSpy restart(w, &MainWindow::restartRequested);
    in<QAction>(w, "统计销售")->trigger();
    auto* records = w->findChild<SalesRecordsWindow*>();
    QVERIFY(records && records->isVisible());
    QVERIFY(records->isModal() || records->windowModality() != Qt::NonModal);
    emit records->dataReplaced();
    QCOMPARE(restart.count(), 1);
}

QTEST_MAIN(MainWindowTest)
#include "tst_mainwindow.moc"
