#include <QCheckBox>

#include "FakePlatform.h"
#include "ListDriving.h"
#include "TestDataDir.h"
#include "settings/CustomerWindow.h"
#include "settings/PaymentMethodWindow.h"
#include "store/Database.h"

// The customers and payment methods windows, checked in 客户资料 and 付款方式.
class CustomersTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void newDatabaseListsTheSeedCustomers();
    void addCustomer_data();
    void addCustomer();
    void modifyTheSelectedCustomer();
    void withoutSelectionNothingChanges();
    void findCustomers_data();
    void findCustomers();
    void emptySearchRepeatsTheLastOne();
    void paymentMethods_data();
    void paymentMethods();

private:
    template <typename W>
    W* open() {
        db_ = std::make_unique<Database>();
        if (!db_->open(dir_->databasePath())) return nullptr;
        auto* w = new W(*db_, platform_.prompts);
        window_.reset(w);
        w->show();
        return QTest::qWaitForWindowExposed(w) ? w : nullptr;
    }
    QLineEdit* box(const char* name) const {
        return control<QLineEdit>(window_.get(), QString::fromUtf8(name));
    }
    QTreeView* list() const { return control<QTreeView>(window_.get(), QStringLiteral("超级列表框1")); }
    QString customers() const {
        return dir_->scalar(
            QStringLiteral("SELECT group_concat(姓名 || ':' || ifnull(电话, ''), ',') FROM "
                           "(SELECT * FROM 客户资料 ORDER BY ID)"));
    }

    FakePlatform platform_;
    std::unique_ptr<TestDataDir> dir_;
    std::unique_ptr<Database> db_;
    std::unique_ptr<QWidget> window_;
};

void CustomersTest::init() {
    platform_.prompts.reset();
    dir_ = std::make_unique<TestDataDir>();
    QVERIFY(dir_->isValid());
}

void CustomersTest::cleanup() {
    VERIFY_PROMPTS_SETTLED(platform_.prompts);
    window_.reset();
    db_.reset();
    dir_.reset();
}

void CustomersTest::newDatabaseListsTheSeedCustomers() {
    CustomerWindow* w = open<CustomerWindow>();
    QVERIFY(w);
    QCOMPARE(w->windowTitle(), QStringLiteral("销售Korvane"));
    QCOMPARE(shownColumn(list(), 0), (QStringList{"1", "2", "3"}));
    QCOMPARE(shownColumn(list(), 1), (QStringList{"张三", "李四", "369"}));
    QCOMPARE(shownColumn(list(), 2), (QStringList{"13800000001", "13900000002", "456"}));
}

void CustomersTest::addCustomer_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("phone");
    QTest::addColumn<QString>("message");  // empty: added
    QTest::newRow("name and phone") << "王五"
                                    << "13700000003"
                                    << "";
    QTest::newRow("apostrophe") << "O'Brien"
                                << "0'1"
                                << "";
    QTest::newRow("empty phone") << "王五"
                                 << ""
                                 << "添加失败！";
    QTest::newRow("empty name") << ""
                                << "1"
                                << "添加失败！";
    QTest::newRow("name of 51 characters") << QString(51, QChar(0x738b)) << "1"
                                           << "添加失败！";
}

void CustomersTest::addCustomer() {
    QFETCH(QString, name);
    QFETCH(QString, phone);
    QFETCH(QString, message);
    QVERIFY(open<CustomerWindow>());
    retype(box("编辑框_客户"), name);
    retype(box("编辑框_电话"), phone);
    if (!message.isEmpty()) platform_.prompts.expect(message);
    clickButton(window_.get(), "按钮_添加");
    const QString seed = QStringLiteral("张三:13800000001,李四:13900000002,369:456");
    if (message.isEmpty()) {
        QCOMPARE(customers(), seed + QLatin1Char(',') + name + QLatin1Char(':') + phone);
        QCOMPARE(shownColumn(list(), 0).last(), QStringLiteral("4"));
        QCOMPARE(shownColumn(list(), 1).last(), name);
        QVERIFY(box("编辑框_客户")->text().isEmpty());
        QVERIFY(box("编辑框_电话")->text().isEmpty());
    } else {
        QCOMPARE(customers(), seed);
        QCOMPARE(box("编辑框_客户")->text(), name);
        QCOMPARE(box("编辑框_电话")->text(), phone);
    }
}

void CustomersTest::modifyTheSelectedCustomer() {
    QVERIFY(open<CustomerWindow>());
    clickRow(list(), 1);
    QCOMPARE(box("编辑框_客户")->text(), QStringLiteral("李四"));
    QCOMPARE(box("编辑框_电话")->text(), QStringLiteral("13900000002"));
    retype(box("编辑框_电话"), QStringLiteral("010-1234"));
    clickButton(window_.get(), "按钮_修改");
    QCOMPARE(customers(), QStringLiteral("张三:13800000001,李四:010-1234,369:456"));
    QCOMPARE(shownColumn(list(), 2), (QStringList{"13800000001", "010-1234", "456"}));

    // Emptying the name is refused by the table: nothing changes.
    clickRow(list(), 0);
    box("编辑框_客户")->clear();
    platform_.prompts.expect(QStringLiteral("数据添加失败"));
    clickButton(window_.get(), "按钮_修改");
    QCOMPARE(customers(), QStringLiteral("张三:13800000001,李四:010-1234,369:456"));

    clickRow(list(), 2);
    clickButton(window_.get(), "按钮_删除");
    QCOMPARE(customers(), QStringLiteral("张三:13800000001,李四:010-1234"));
    QCOMPARE(shownColumn(list(), 0), (QStringList{"1", "2"}));
}

void CustomersTest::withoutSelectionNothingChanges() {
    QVERIFY(open<CustomerWindow>());
    retype(box("编辑框_客户"), QStringLiteral("张三"));
    clickButton(window_.get(), "按钮_删除");
    QCOMPARE(dir_->scalar(QStringLiteral("SELECT count(*) FROM 客户资料")), QStringLiteral("3"));
    QVERIFY(box("编辑框_客户")->text().isEmpty());
    retype(box("编辑框_客户"), QStringLiteral("无名"));
    retype(box("编辑框_电话"), QStringLiteral("1"));
    clickButton(window_.get(), "按钮_修改");
    QCOMPARE(customers(), QStringLiteral("张三:13800000001,李四:13900000002,369:456"));
}

void CustomersTest::findCustomers_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("phone");
    QTest::addColumn<bool>("byPart");
    QTest::addColumn<QStringList>("found");
    QTest::newRow("part of a name") << "3"
                                    << "" << true << QStringList{"369"};
    QTest::newRow("exact name, no part") << "36"
                                         << "" << false << QStringList{};
    QTest::newRow("exact name") << "李四"
                                << "" << false << QStringList{"李四"};
    QTest::newRow("part of a phone") << ""
                                     << "0000000" << true << QStringList{"张三", "李四"};
    QTest::newRow("exact phone") << ""
                                 << "456" << false << QStringList{"369"};
    QTest::newRow("the name wins") << "张"
                                   << "456" << true << QStringList{"张三"};
    QTest::newRow("percent is literal") << "%"
                                        << "" << true << QStringList{"O'Brien 50%"};
    QTest::newRow("underscore is literal") << "_"
                                           << "" << true << QStringList{};
    QTest::newRow("apostrophe") << "O'Brien 50%"
                                << "" << false << QStringList{"O'Brien 50%"};
}

void CustomersTest::findCustomers() {
    QFETCH(QString, name);
    QFETCH(QString, phone);
    QFETCH(bool, byPart);
    QFETCH(QStringList, found);
    QVERIFY(dir_->exec(QStringLiteral("INSERT INTO 客户资料 (姓名, 电话) VALUES ('O''Brien 50%', '99')")));
    QVERIFY(open<CustomerWindow>());
    retype(box("编辑框3"), name);
    retype(box("编辑框4"), phone);
    control<QCheckBox>(window_.get(), QStringLiteral("选择框1"))->setChecked(byPart);
    clickButton(window_.get(), "按钮__查询");
    QCOMPARE(shownColumn(list(), 1), found);
    QCOMPARE(box("编辑框3")->text(), name);
}

void CustomersTest::emptySearchRepeatsTheLastOne() {
    QVERIFY(open<CustomerWindow>());
    retype(box("编辑框4"), QStringLiteral("456"));
    clickButton(window_.get(), "按钮__查询");
    QCOMPARE(shownColumn(list(), 1), QStringList{"369"});
    QVERIFY(dir_->exec(QStringLiteral("INSERT INTO 客户资料 (姓名, 电话) VALUES ('新客', '456')")));
    box("编辑框4")->clear();
    clickButton(window_.get(), "按钮__查询");
    QCOMPARE(shownColumn(list(), 1), (QStringList{"369", "新客"}));
}

void CustomersTest::paymentMethods_data() {
    QTest::addColumn<int>("row");  // -1: none selected
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("stored");
    const QString seed = QStringLiteral("现金,微信,QQ红包,支付宝,银行卡,财付通");
    QTest::newRow("add") << -1 << "Jack's 卡"
                         << "按钮_添加"
                         << "" << seed + QStringLiteral(",Jack's 卡");
    QTest::newRow("add a duplicate") << -1 << "现金"
                                     << "按钮_添加"
                                     << "" << seed + QStringLiteral(",现金");
    QTest::newRow("add empty") << -1 << ""
                               << "按钮_添加"
                               << "不能为空" << seed;
    QTest::newRow("add 51 characters") << -1 << QString(51, QLatin1Char('p')) << "按钮_添加"
                                       << "添加失败！" << seed;
    QTest::newRow("modify keeps the order")
        << 1 << "微信支付"
        << "按钮_修改"
        << "" << QStringLiteral("现金,微信支付,QQ红包,支付宝,银行卡,财付通");
    QTest::newRow("modify to empty") << 1 << ""
                                     << "按钮_修改"
                                     << "数据修改失败" << seed;
    QTest::newRow("modify without a row") << -1 << "x"
                                          << "按钮_修改"
                                          << "" << seed;
    QTest::newRow("delete") << 0 << ""
                            << "按钮_删除"
                            << "" << QStringLiteral("微信,QQ红包,支付宝,银行卡,财付通");
    QTest::newRow("delete without a row") << -1 << ""
                                          << "按钮_删除"
                                          << "" << seed;
}

void CustomersTest::paymentMethods() {
    QFETCH(int, row);
    QFETCH(QString, text);
    QFETCH(QString, button);
    QFETCH(QString, message);
    QFETCH(QString, stored);
    PaymentMethodWindow* w = open<PaymentMethodWindow>();
    QVERIFY(w);
    QCOMPARE(shownColumn(list(), 1).join(QLatin1Char(',')),
             QStringLiteral("现金,微信,QQ红包,支付宝,银行卡,财付通"));
    QCOMPARE(shownColumn(list(), 0).last(), QStringLiteral("6"));
    if (row >= 0) {
        clickRow(list(), row);
        QCOMPARE(box("编辑框1")->text(), shownColumn(list(), 1).at(row));
    }
    retype(box("编辑框1"), text);
    if (!message.isEmpty()) platform_.prompts.expect(message);
    clickButton(w, button.toUtf8().constData());
    QCOMPARE(dir_->scalar(QStringLiteral(
                 "SELECT group_concat(方式, ',') FROM (SELECT 方式 FROM 付款方式 ORDER BY ID)")),
             stored);
    QCOMPARE(shownColumn(list(), 1).join(QLatin1Char(',')), stored);
}

QTEST_MAIN(CustomersTest)
#include "tst_customers.moc"
