#include <QCheckBox>
#include <QInputMethodEvent>
#include <QTimer>

#include "CounterTestWindow.h"

// Sale lines, totals, type-ahead and payment, driven through the counter window.
class SaleLinesTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void keyboardOnlyLine();
    void completionOnlyWhenTheNameBeginsWithTheText();
    void backspaceDropsTheCompletion();
    void typedWildcardsAndApostrophesAreText();
    void lineAmounts_data();
    void lineAmounts();
    void modifiedLineKeepsTheSameAmounts();
    void emptyEntries_data();
    void emptyEntries();
    void newProductIsRememberedOnce();
    void tooLongNameIsRefused();
    void deletingRenumbersAndTotals();
    void wheelSteppers_data();
    void wheelSteppers();
    void suggestionsAndNameWheel();
    void discountRatesAndSwitch();
    void paymentSwitchIsStored();
    void changeFollowsTheAmountReceived();
    void quickAmountShowsChangeAtOnce();
    void timeEditingStopsTheClock();

private:
    std::unique_ptr<CounterTestWindow> c_;
};

void SaleLinesTest::init() {
    c_ = std::make_unique<CounterTestWindow>();
    QVERIFY(c_->dir->isValid());
    QVERIFY(c_->open());
}

void SaleLinesTest::cleanup() {
    FakePrompter& prompts = c_->platform.prompts;
    VERIFY_PROMPTS_SETTLED(prompts);
    c_.reset();
}

void SaleLinesTest::keyboardOnlyLine() {
    QLineEdit* name = c_->find("编辑框_名称");
    name->setFocus();
    typeText(name, QStringLiteral("dyj"));
    QCOMPARE(name->text(), QStringLiteral("dyj-打印机"));
    QCOMPARE(name->selectedText(), QStringLiteral("-打印机"));
    QCOMPARE(c_->text("编辑框_单价"), QStringLiteral("80.00"));
    QTest::keyClick(name, Qt::Key_Return);
    QCOMPARE(c_->rows(), 1);
    QCOMPARE(c_->row(0), (QStringList{"1", "打印机", "1", "80.00", "80.00", "80.00"}));
    QCOMPARE(c_->label("标签_总量"), QStringLiteral("1"));
    QCOMPARE(c_->label("标签_总金额"), QStringLiteral("80.00"));
    QCOMPARE(c_->text("编辑框_实收"), QStringLiteral("80.00"));
    QCOMPARE(name->text(), QString());
    QCOMPARE(c_->text("编辑框_数量"), QStringLiteral("1"));
    QCOMPARE(c_->text("编辑框_单价"), QStringLiteral("0.00"));
    // The database did not learn a product it already knew.
    QCOMPARE(c_->dir->scalar(QStringLiteral("SELECT count(*) FROM 商品名称")), QStringLiteral("4"));
}

void SaleLinesTest::completionOnlyWhenTheNameBeginsWithTheText() {
    QLineEdit* name = c_->find("编辑框_名称");
    typeText(name, QStringLiteral("DYJ"));
    QCOMPARE(name->text(), QStringLiteral("DYJ-打印机"));
    c_->retype("编辑框_名称", QStringLiteral("dyjz"));
    QCOMPARE(name->text(), QStringLiteral("dyjz"));
    c_->retype("编辑框_名称", QStringLiteral("打印"));
    QCOMPARE(name->text(), QStringLiteral("打印"));
}

void SaleLinesTest::backspaceDropsTheCompletion() {
    QLineEdit* name = c_->find("编辑框_名称");
    typeText(name, QStringLiteral("xs"));
    QCOMPARE(name->text(), QStringLiteral("xsq-显示器"));
    QTest::keyClick(name, Qt::Key_Backspace);
    QCOMPARE(name->text(), QStringLiteral("xs"));
    QTest::keyClick(name, Qt::Key_Backspace);
    QTest::keyClick(name, Qt::Key_Backspace);
    QCOMPARE(name->text(), QString());
    QCOMPARE(c_->text("编辑框_单价"), QStringLiteral("0.00"));
    // Text committed by an input method after a Backspace still completes.
    typeText(name, QStringLiteral("mk"));
    QTest::keyClick(name, Qt::Key_Backspace);
    QInputMethodEvent commit;
    commit.setCommitString(QStringLiteral("f"));
    QApplication::sendEvent(name, &commit);
    QCOMPARE(name->text(), QStringLiteral("mkf-麦克风"));
    QCOMPARE(c_->text("编辑框_单价"), QStringLiteral("10.00"));
}

void SaleLinesTest::typedWildcardsAndApostrophesAreText() {
    QLineEdit* name = c_->find("编辑框_名称");
    typeText(name, QStringLiteral("%"));
    QCOMPARE(name->text(), QStringLiteral("%"));
    c_->retype("编辑框_名称", QStringLiteral("d_j"));
    QCOMPARE(name->text(), QStringLiteral("d_j"));
    c_->retype("编辑框_名称", QStringLiteral("O'Brien's"));
    QCOMPARE(name->text(), QStringLiteral("O'Brien's"));
    QCOMPARE(c_->text("编辑框_单价"), QStringLiteral("0.00"));
}

void SaleLinesTest::lineAmounts_data() {
    QTest::addColumn<bool>("discount");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("quantity");
    QTest::addColumn<QString>("price");
    QTest::addColumn<QStringList>("cells");
    QTest::addColumn<QString>("received");
    QTest::newRow("dash name, no discount")
        << false << "dyj-打印机"
        << "2"
        << "80" << QStringList{"1", "打印机", "2", "80.00", "160.00", "160.00"} << "160.00";
    QTest::newRow("discount 9.5") << true << "笔"
                                  << "3"
                                  << "10" << QStringList{"1", "笔", "3", "10.00", "30.00", "28.50"}
                                  << "28.50";
    QTest::newRow("half a cent rounds up")
        << false << "纸"
        << "1"
        << "0.125" << QStringList{"1", "纸", "1", "0.12", "0.13", "0.13"} << "0.13";
    QTest::newRow("name ending in a dash keeps its text")
        << false << "abc-"
        << "1"
        << "5" << QStringList{"1", "abc-", "1", "5.00", "5.00", "5.00"} << "5.00";
    QTest::newRow("huge amount without exponent") << false << "金条"
                                                  << "2147483647"
                                                  << "99999999.99" << QStringList{"1",
                                                                                  "金条",
                                                                                  "2147483647",
                                                                                  "99999999.99",
                                                                                  "214748364678500000.00",
                                                                                  "214748364678500000.00"}
                                                  << "214748364678500000.00";
}

void SaleLinesTest::lineAmounts() {
    QFETCH(bool, discount);
    QFETCH(QString, name);
    QFETCH(QString, quantity);
    QFETCH(QString, price);
    QFETCH(QStringList, cells);
    QFETCH(QString, received);
    if (discount) {
        QTest::mouseClick(c_->find<QCheckBox>("选择框_折扣"), Qt::LeftButton);
        auto* rates = c_->find<QComboBox>("组合框_折扣");
        rates->setCurrentIndex(rates->findText(QStringLiteral("9.5")));
    }
    c_->addLine(name, quantity, price);
    QCOMPARE(c_->row(0), cells);
    QCOMPARE(c_->text("编辑框_实收"), received);
    QCOMPARE(c_->text("编辑框_找零"), QStringLiteral("0.00"));
}

void SaleLinesTest::modifiedLineKeepsTheSameAmounts() {
    c_->addLine(QStringLiteral("纸"), QStringLiteral("1"), QStringLiteral("0.125"));
    c_->clickRow(0);
    QVERIFY(c_->find<QPushButton>("按钮_修改")->isEnabled());
    QCOMPARE(c_->text("编辑框_名称"), QStringLiteral("纸"));
    c_->retype("编辑框_单价", QStringLiteral("0.125"));
    c_->click("按钮_修改");
    QCOMPARE(c_->row(0), (QStringList{"1", "纸", "1", "0.12", "0.13", "0.13"}));
    c_->clickRow(0);
    c_->retype("编辑框_数量", QStringLiteral("3"));
    c_->click("按钮_修改");
    QCOMPARE(c_->row(0), (QStringList{"1", "纸", "3", "0.12", "0.36", "0.36"}));
    QCOMPARE(c_->label("标签_总量"), QStringLiteral("3"));
    QCOMPARE(c_->text("编辑框_实收"), QStringLiteral("0.36"));
}

void SaleLinesTest::emptyEntries_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("title");
    QTest::newRow("add, no name") << "按钮_添加商品"
                                  << "编辑框_名称"
                                  << "商品名称不能为空！"
                                  << "提示";
    QTest::newRow("add, no quantity") << "按钮_添加商品"
                                      << "编辑框_数量"
                                      << "数量不能为空！"
                                      << "提示";
    QTest::newRow("add, no price") << "按钮_添加商品"
                                   << "编辑框_单价"
                                   << "价格不能为空！"
                                   << "提示";
    QTest::newRow("modify, no price") << "按钮_修改"
                                      << "编辑框_单价"
                                      << "单价不能为空！"
                                      << "信息：";
    QTest::newRow("modify, no quantity") << "按钮_修改"
                                         << "编辑框_数量"
                                         << "数量不能为空！"
                                         << "信息：";
}

void SaleLinesTest::emptyEntries() {
    QFETCH(QString, button);
    QFETCH(QString, box);
    QFETCH(QString, message);
    QFETCH(QString, title);
    c_->addLine(QStringLiteral("笔"), QStringLiteral("2"), QStringLiteral("3"));
    c_->clickRow(0);
    c_->retype(box.toUtf8().constData(), QString());
    if (box != QStringLiteral("编辑框_名称"))
        QVERIFY(!c_->text("编辑框_名称").isEmpty());
    else
        c_->retype("编辑框_名称", QString());
    c_->platform.prompts.expect(message);
    c_->click(button.toUtf8().constData());
    QCOMPARE(c_->platform.prompts.shown().last().message.title, title);
    QCOMPARE(c_->rows(), 1);
    QCOMPARE(c_->row(0), (QStringList{"1", "笔", "2", "3.00", "6.00", "6.00"}));
}

void SaleLinesTest::newProductIsRememberedOnce() {
    c_->addLine(QStringLiteral("O'Brien-茶"), QStringLiteral("1"), QStringLiteral("12.345"));
    QCOMPARE(c_->row(0).at(1), QStringLiteral("茶"));
    QCOMPARE(c_->dir->scalar(QStringLiteral("SELECT 单价 FROM 商品名称 WHERE 名称 = 'O''Brien-茶'")),
             QStringLiteral("12.34"));
    c_->addLine(QStringLiteral("第二件新货"), QStringLiteral("1"), QStringLiteral("1"));
    QCOMPARE(c_->rows(), 2);
    QCOMPARE(c_->dir->scalar(QStringLiteral("SELECT count(*) FROM 商品名称")), QStringLiteral("5"));
}

void SaleLinesTest::tooLongNameIsRefused() {
    c_->platform.prompts.expect(QStringLiteral("添加失败！"));
    c_->addLine(QString(60, QChar(0x8336)), QStringLiteral("1"), QStringLiteral("1"));
    QCOMPARE(c_->rows(), 0);
    QCOMPARE(c_->text("编辑框_名称").size(), 60);
    QCOMPARE(c_->dir->scalar(QStringLiteral("SELECT count(*) FROM 商品名称")), QStringLiteral("4"));
}

void SaleLinesTest::deletingRenumbersAndTotals() {
    c_->addLine(QStringLiteral("甲"), QStringLiteral("1"), QStringLiteral("1"));
    c_->addLine(QStringLiteral("乙"), QStringLiteral("2"), QStringLiteral("2"));
    c_->addLine(QStringLiteral("丙"), QStringLiteral("3"), QStringLiteral("3"));
    c_->clickRow(1);
    c_->click("按钮_删除");
    QCOMPARE(c_->rows(), 2);
    QCOMPARE(c_->row(0).mid(0, 2), (QStringList{"1", "甲"}));
    QCOMPARE(c_->row(1).mid(0, 2), (QStringList{"2", "丙"}));
    QCOMPARE(c_->label("标签_总量"), QStringLiteral("4"));
    QCOMPARE(c_->label("标签_总金额"), QStringLiteral("10.00"));
    c_->clickRow(0);
    c_->clickRow(1, Qt::ControlModifier);
    c_->click("按钮_删除");
    QCOMPARE(c_->rows(), 0);
    QCOMPARE(c_->label("标签_总量"), QStringLiteral("0"));
    QCOMPARE(c_->label("标签_打折后"), QStringLiteral("0.00"));
    QCOMPARE(c_->text("编辑框_实收"), QStringLiteral("0.00"));
}

void SaleLinesTest::wheelSteppers_data() {
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("start");
    QTest::addColumn<int>("notches");
    QTest::addColumn<QString>("result");
    QTest::newRow("price up") << "编辑框_单价"
                              << "12.50" << -1 << "13.50";
    QTest::newRow("price down") << "编辑框_单价"
                                << "12.50" << 1 << "11.50";
    QTest::newRow("price short fraction") << "编辑框_单价"
                                          << "12.5" << -1 << "13.5";
    QTest::newRow("price without point") << "编辑框_单价"
                                         << "7" << 2 << "5.00";
    QTest::newRow("price stays at 0") << "编辑框_单价"
                                      << "0.50" << 1 << "0.50";
    QTest::newRow("quantity to 0 and no further") << "编辑框_数量"
                                                  << "1" << 3 << "0";
    QTest::newRow("quantity up") << "编辑框_数量"
                                 << "1" << -2 << "3";
}

void SaleLinesTest::wheelSteppers() {
    QFETCH(QString, box);
    QFETCH(QString, start);
    QFETCH(int, notches);
    QFETCH(QString, result);
    const QByteArray name = box.toUtf8();
    c_->retype(name.constData(), start);
    QLineEdit* edit = c_->find(name.constData());
    for (int i = 0; i < std::abs(notches); ++i) CounterTestWindow::wheel(edit, notches > 0 ? 1 : -1);
    QCOMPARE(edit->text(), result);
}

void SaleLinesTest::suggestionsAndNameWheel() {
    auto* combo = c_->find<QComboBox>("组合框_名称");
    QVERIFY(c_->dir->exec(QStringLiteral("INSERT INTO 商品名称 (名称, 单价) VALUES ('打印纸', '12.50')")));
    combo->showPopup();
    QCOMPARE(combo->count(), 5);
    QCOMPARE(combo->itemText(4), QStringLiteral("打印纸"));
    QCOMPARE(combo->itemData(4).toLongLong(), qint64(12));
    QAbstractItemView* popup = combo->view();
    QTest::mouseClick(popup->viewport(), Qt::LeftButton, {},
                      popup->visualRect(popup->model()->index(4, 0)).center());
    QCOMPARE(c_->text("编辑框_名称"), QStringLiteral("打印纸"));
    QCOMPARE(c_->text("编辑框_单价"), QStringLiteral("12"));

    QLineEdit* name = c_->find("编辑框_名称");
    CounterTestWindow::wheel(name, -1);
    QCOMPARE(name->text(), QStringLiteral("dyj-打印机"));
    CounterTestWindow::wheel(name, -1);
    QCOMPARE(name->text(), QStringLiteral("xsq-显示器"));
    QCOMPARE(c_->text("编辑框_单价"), QStringLiteral("300"));
    CounterTestWindow::wheel(name, 1);
    CounterTestWindow::wheel(name, 1);
    QCOMPARE(name->text(), QStringLiteral("dyj-打印机"));
    QCOMPARE(combo->currentIndex(), 4);  // the combo box itself did not act on the wheel
}

void SaleLinesTest::discountRatesAndSwitch() {
    auto* rates = c_->find<QComboBox>("组合框_折扣");
    QCOMPARE(rates->count(), 89);
    QCOMPARE(rates->itemText(0), QStringLiteral("10"));
    QCOMPARE(rates->itemText(1), QStringLiteral("9.9"));
    QCOMPARE(rates->itemText(88), QStringLiteral("1.0"));
    QCOMPARE(rates->findText(QStringLiteral("8.8")), -1);
    QCOMPARE(rates->findText(QStringLiteral("7.0")), -1);
    QVERIFY(rates->findText(QStringLiteral("8.0")) > 0);

    auto* onOff = c_->find<QCheckBox>("选择框_折扣");
    QTest::mouseClick(onOff, Qt::LeftButton);
    QVERIFY(rates->isEnabled());
    QCOMPARE(rates->currentText(), QStringLiteral("10"));
    rates->setCurrentIndex(rates->findText(QStringLiteral("8.0")));
    c_->addLine(QStringLiteral("笔"), QStringLiteral("1"), QStringLiteral("10"));
    QCOMPARE(c_->row(0).at(5), QStringLiteral("8.00"));
    QTest::mouseClick(onOff, Qt::LeftButton);
    QVERIFY(!rates->isEnabled());
    QCOMPARE(c_->row(0).at(5), QStringLiteral("8.00"));
    QCOMPARE(c_->dir->scalar(QStringLiteral("SELECT 折扣 FROM 配置文件")), QStringLiteral("假"));
}

void SaleLinesTest::paymentSwitchIsStored() {
    auto* onOff = c_->find<QCheckBox>("选择框_付款方式");
    QTest::mouseClick(onOff, Qt::LeftButton);
    QVERIFY(!c_->find<QComboBox>("组合框_付款方式")->isEnabled());
    QCOMPARE(c_->dir->scalar(QStringLiteral("SELECT 付款方式的选中 FROM 配置文件")), QStringLiteral("假"));
    QTest::mouseClick(onOff, Qt::LeftButton);
    QCOMPARE(c_->dir->scalar(QStringLiteral("SELECT 付款方式的选中 FROM 配置文件")), QStringLiteral("真"));
    auto* methods = c_->find<QComboBox>("组合框_付款方式");
    QVERIFY(methods->isEnabled());
    methods->showPopup();
    QAbstractItemView* popup = methods->view();
    QTest::mouseClick(popup->viewport(), Qt::LeftButton, {},
                      popup->visualRect(popup->model()->index(3, 0)).center());
    QCOMPARE(c_->text("编辑框_付款方式"), QStringLiteral("支付宝"));
}

void SaleLinesTest::changeFollowsTheAmountReceived() {
    c_->addLine(QStringLiteral("dyj-打印机"), QStringLiteral("2"), QStringLiteral("80"));
    c_->retype("编辑框_实收", QStringLiteral("200"));
    // Still typing: the change waits for the pause.
    QCOMPARE(c_->text("编辑框_找零"), QStringLiteral("0.00"));
    QTRY_COMPARE(c_->text("编辑框_找零"), QStringLiteral("40.00"));
    c_->retype("编辑框_实收", QString());
    QTRY_COMPARE(c_->text("编辑框_找零"), QStringLiteral("-160.00"));
    // A save right after typing uses the amount just typed.
    c_->retype("编辑框_实收", QStringLiteral("170"));
    c_->window->payment().settleChange();
    QCOMPARE(c_->text("编辑框_找零"), QStringLiteral("10.00"));
}

void SaleLinesTest::quickAmountShowsChangeAtOnce() {
    QTest::mouseClick(c_->find<QCheckBox>("选择框_折扣"), Qt::LeftButton);
    auto* rates = c_->find<QComboBox>("组合框_折扣");
    rates->setCurrentIndex(rates->findText(QStringLiteral("9.5")));
    c_->addLine(QStringLiteral("笔"), QStringLiteral("3"), QStringLiteral("10"));
    auto* quick = c_->find<QComboBox>("组合框_实收");
    quick->showPopup();
    QAbstractItemView* popup = quick->view();
    QTest::mouseClick(popup->viewport(), Qt::LeftButton, {},
                      popup->visualRect(popup->model()->index(3, 0)).center());
    QCOMPARE(c_->text("编辑框_实收"), QStringLiteral("100.00"));
    QCOMPARE(c_->text("编辑框_找零"), QStringLiteral("71.50"));
    CounterTestWindow::wheel(c_->find("编辑框_实收"), -1);
    QCOMPARE(c_->text("编辑框_实收"), QStringLiteral("101"));
    QCOMPARE(c_->text("编辑框_找零"), QStringLiteral("72.50"));
}

void SaleLinesTest::timeEditingStopsTheClock() {
    auto* onOff = c_->find<QCheckBox>("选择框_修改时间");
    auto* clock = c_->find<QTimer>("时钟1");
    QLineEdit* time = c_->find("编辑框_时间");
    QVERIFY(time->isReadOnly());
    QTest::mouseClick(onOff, Qt::LeftButton);
    QVERIFY(!time->isReadOnly());
    QVERIFY(!clock->isActive());
    c_->retype("编辑框_时间", QStringLiteral("2024-03-05  10:00:00"));
    QTest::mouseClick(onOff, Qt::LeftButton);
    QVERIFY(time->isReadOnly());
    QVERIFY(clock->isActive());
    QCOMPARE(clock->interval(), 999);
}

QTEST_MAIN(SaleLinesTest)
#include "tst_salelines.moc"
