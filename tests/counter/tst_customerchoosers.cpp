#include <QCheckBox>

#include "CounterTestWindow.h"
#include "settings/CustomerWindow.h"
#include "settings/PaymentMethodWindow.h"
#include "widgets/DropDownEdit.h"

// The phone and customer of a sale, and the customers and payment windows the counter opens.
class CustomerChoosersTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void choosersAreInReach();
    void phoneSwitchFillsAndPicksTheCustomer();
    void customerSwitchPicksThePhone();
    void switchingOffAndOnStoresAndRefills();
    void storedSwitchOnFillsAtStart_data();
    void storedSwitchOnFillsAtStart();
    void failedSwitchStoreIsReported();
    void customerWindowOpensFromTheCounter();
    void closingPaymentMethodsRefillsTheCounter();

private:
    QCheckBox* box(const char* name) const { return c_->find<QCheckBox>(name); }
    DropDownEdit* combo(const char* name) const { return c_->find<DropDownEdit>(name); }
    QStringList items(const char* name) const {
        QStringList texts;
        for (int i = 0; i < combo(name)->count(); ++i) texts << combo(name)->itemText(i);
        return texts;
    }
    QString config(const char* column) const {
        return c_->dir->scalar(QStringLiteral("SELECT ") + QString::fromUtf8(column) +
                               QStringLiteral(" FROM 配置文件"));
    }
    static void pick(DropDownEdit* combo, int index) {
        combo->setCurrentIndex(index);
        emit combo->activated(index);
    }

    std::unique_ptr<CounterTestWindow> c_;
};

void CustomerChoosersTest::init() {
    c_ = std::make_unique<CounterTestWindow>();
    QVERIFY(c_->dir->isValid());
}

void CustomerChoosersTest::cleanup() {
    VERIFY_PROMPTS_SETTLED(c_->platform.prompts);
    c_.reset();
}

void CustomerChoosersTest::choosersAreInReach() {
    QVERIFY(c_->open());
    const QRect inside = c_->window->rect();
    for (const char* name : {"选择框_电话", "组合框_电话", "选择框_客户", "组合框_客户", "按钮_设置客户"}) {
        auto* w = c_->find<QWidget>(name);
        QVERIFY2(w->isVisible(), name);
        const QRect at(w->mapTo(c_->window.get(), QPoint(0, 0)), w->size());
        QVERIFY2(inside.contains(at), name);
    }
}

void CustomerChoosersTest::phoneSwitchFillsAndPicksTheCustomer() {
    QVERIFY(c_->open());
    QVERIFY(!box("选择框_电话")->isChecked());
    box("选择框_电话")->click();
    QVERIFY(combo("组合框_电话")->isEnabled());
    QCOMPARE(config("电话"), QStringLiteral("真"));
    QCOMPARE(items("组合框_电话"), (QStringList{"13800000001", "13900000002", "456"}));
    // The list was still empty when its first item was read.
    QCOMPARE(c_->text("编辑框_电话"), QString());

    // With the customer list never filled, picking a phone leaves no customer.
    pick(combo("组合框_电话"), 1);
    QCOMPARE(c_->text("编辑框_电话"), QStringLiteral("13900000002"));
    QCOMPARE(c_->text("编辑框_客户"), QString());

    box("选择框_客户")->click();
    pick(combo("组合框_电话"), 1);
    QCOMPARE(c_->text("编辑框_客户"), QStringLiteral("李四"));
}

void CustomerChoosersTest::customerSwitchPicksThePhone() {
    QVERIFY(c_->open());
    box("选择框_电话")->click();
    box("选择框_客户")->click();
    QCOMPARE(config("客户"), QStringLiteral("真"));
    QCOMPARE(items("组合框_客户"), (QStringList{"张三", "李四", "369"}));
    pick(combo("组合框_客户"), 2);
    QCOMPARE(c_->text("编辑框_客户"), QStringLiteral("369"));
    QCOMPARE(c_->text("编辑框_电话"), QStringLiteral("456"));

    // A customer added after the phone list was filled has no phone to show there.
    QVERIFY(
        c_->dir->exec(QStringLiteral("INSERT INTO 客户资料 (ID, 姓名, 电话) VALUES (3, 'O''Brien', '777')")));
    box("选择框_客户")->click();
    box("选择框_客户")->click();
    QCOMPARE(items("组合框_客户"), (QStringList{"张三", "李四", "O'Brien", "369"}));
    pick(combo("组合框_客户"), 3);
    QCOMPARE(c_->text("编辑框_电话"), QStringLiteral("456"));
    pick(combo("组合框_客户"), 2);
    QCOMPARE(c_->text("编辑框_电话"), QString());
}

void CustomerChoosersTest::switchingOffAndOnStoresAndRefills() {
    QVERIFY(c_->open());
    box("选择框_电话")->click();
    QVERIFY(c_->dir->exec(QStringLiteral("INSERT INTO 客户资料 (姓名, 电话) VALUES ('王五', '555')")));
    box("选择框_电话")->click();
    QVERIFY(!combo("组合框_电话")->isEnabled());
    QVERIFY(!c_->find("编辑框_电话")->isEnabled());
    QCOMPARE(config("电话"), QStringLiteral("假"));
    box("选择框_电话")->click();
    QCOMPARE(config("电话"), QStringLiteral("真"));
    QCOMPARE(c_->text("编辑框_电话"), QStringLiteral("13800000001"));
    QCOMPARE(items("组合框_电话").last(), QStringLiteral("555"));
}

void CustomerChoosersTest::storedSwitchOnFillsAtStart_data() {
    QTest::addColumn<QString>("column");
    QTest::addColumn<QString>("switchName");
    QTest::addColumn<QString>("comboName");
    QTest::addColumn<QString>("first");
    QTest::newRow("phone") << "电话"
                           << "选择框_电话"
                           << "组合框_电话"
                           << "13800000001";
    QTest::newRow("customer") << "客户"
                              << "选择框_客户"
                              << "组合框_客户"
                              << "张三";
}

void CustomerChoosersTest::storedSwitchOnFillsAtStart() {
    QFETCH(QString, column);
    QFETCH(QString, switchName);
    QFETCH(QString, comboName);
    QFETCH(QString, first);
    QVERIFY(c_->dir->exec(QStringLiteral("UPDATE 配置文件 SET ") + column + QStringLiteral(" = '真'")));
    QVERIFY(c_->open());
    QVERIFY(control<QCheckBox>(c_->window.get(), switchName)->isChecked());
    auto* list = control<DropDownEdit>(c_->window.get(), comboName);
    QVERIFY(list->isEnabled());
    QCOMPARE(list->count(), 3);
    QCOMPARE(list->itemText(0), first);
}

void CustomerChoosersTest::failedSwitchStoreIsReported() {
    QVERIFY(
        c_->dir->exec(QStringLiteral("CREATE TRIGGER refuse BEFORE UPDATE OF 客户 ON 配置文件 "
                                     "BEGIN SELECT RAISE(ABORT, 'refused'); END")));
    QVERIFY(c_->open());
    c_->platform.prompts.expect(QStringLiteral("数据修改失败"));
    box("选择框_客户")->click();
    QCOMPARE(config("客户"), QStringLiteral("假"));
    QCOMPARE(items("组合框_客户").size(), 3);
}

void CustomerChoosersTest::customerWindowOpensFromTheCounter() {
    QVERIFY(c_->open());
    c_->click("按钮_设置客户");
    auto* customers = c_->window->findChild<CustomerWindow*>();
    QVERIFY(customers && customers->isVisible());
    QVERIFY(customers->windowModality() != Qt::NonModal);
    customers->close();
    QTRY_VERIFY(!c_->window->findChild<CustomerWindow*>());
}

void CustomerChoosersTest::closingPaymentMethodsRefillsTheCounter() {
    QVERIFY(c_->open());
    QCOMPARE(items("组合框_付款方式").size(), 6);
    c_->click("按钮_付款方式");
    auto* methods = c_->window->findChild<PaymentMethodWindow*>();
    QVERIFY(methods && methods->isVisible());
    QVERIFY(methods->windowModality() != Qt::NonModal);
    auto* view = control<QTreeView>(methods, QStringLiteral("超级列表框1"));
    QVERIFY(QTest::qWaitForWindowExposed(methods));
    while (view->model()->rowCount() > 0) {
        const QRect first = view->visualRect(view->model()->index(0, 1));
        QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, first.center());
        QTest::mouseClick(control<QPushButton>(methods, QStringLiteral("按钮_删除")), Qt::LeftButton);
    }
    // Nothing changes on the counter until the window closes.
    QCOMPARE(items("组合框_付款方式").size(), 6);
    methods->close();
    QCOMPARE(items("组合框_付款方式"), QStringList{});
    QCOMPARE(c_->text("编辑框_付款方式"), QStringLiteral("现金"));
}

QTEST_MAIN(CustomerChoosersTest)
#include "tst_customerchoosers.moc"
