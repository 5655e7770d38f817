#include <QCheckBox>
#include <QDialog>
#include <QPlainTextEdit>

#include "CounterTestWindow.h"
#include "counter/NumberFormatDialog.h"

// Receipt numbers, the numbering dialog and storing a sale, checked in the database file.
class SaveSaleTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void keyboardOnlySaleIsStored();
    void twoLinesWithANote();
    void startNumber_data();
    void startNumber();
    void typedNumberIsStoredAndFollowed();
    void datePrefixAcrossMidnight();
    void failedSaveStoresNothing_data();
    void failedSaveStoresNothing();
    void nothingToSave();
    void notKeepingRecordsStillClearsAndAdvances();
    void dialogChoosesTheFormat_data();
    void dialogChoosesTheFormat();
    void dialogRefusesAnEmptyPrefix();

private:
    std::unique_ptr<CounterTestWindow> c_;
    QString count(const char* table) const {
        return c_->dir->scalar(QStringLiteral("SELECT count(*) FROM ") + QString::fromUtf8(table));
    }
};

void SaveSaleTest::init() {
    c_ = std::make_unique<CounterTestWindow>();
    QVERIFY(c_->dir->isValid());
}

void SaveSaleTest::cleanup() {
    FakePrompter& prompts = c_->platform.prompts;
    VERIFY_PROMPTS_SETTLED(prompts);
    c_.reset();
}

void SaveSaleTest::keyboardOnlySaleIsStored() {
    QVERIFY(c_->open());
    QCOMPARE(c_->text("编辑框_单号"), QStringLiteral("0000000000002"));
    QLineEdit* name = c_->find("编辑框_名称");
    typeText(name, QStringLiteral("dyj"));
    QTest::keyClick(name, Qt::Key_Return);
    c_->retype("编辑框_实收", QStringLiteral("200"));
    QTRY_COMPARE(c_->text("编辑框_找零"), QStringLiteral("120.00"));
    c_->click("按钮_仅保存小票");
    QCOMPARE(c_->dir->scalar(QStringLiteral("SELECT 销售票号 FROM 销售记录 WHERE ID = 402")),
             QStringLiteral("0000000000002"));
    QCOMPARE(c_->dir->scalar(QStringLiteral("SELECT 金额 || '|' || 数量 || '|' || 收银员 || '|' || 销售时间 "
                                            "FROM 销售记录 WHERE ID = 402")),
             QStringLiteral("80.00|1|admin|2026-12-11 09:30:05"));
    QCOMPARE(c_->dir->scalar(
                 QStringLiteral("SELECT 名称 || '|' || 数量 || '|' || 单价 || '|' || 金额 || '|' || 折后 "
                                "FROM 销售详情 WHERE 关联 = 402")),
             QStringLiteral("打印机|1|80.00|80.00|80.00"));
    QCOMPARE(c_->rows(), 0);
    QCOMPARE(c_->label("标签_总量"), QString());
    QCOMPARE(c_->label("标签_总金额"), QString());
    QCOMPARE(c_->text("编辑框_单号"), QStringLiteral("0000000000003"));
    QCOMPARE(c_->text("编辑框_实收"), QStringLiteral("200"));
}

void SaveSaleTest::twoLinesWithANote() {
    QVERIFY(c_->dir->exec(QStringLiteral("UPDATE 配置文件 SET 备注 = 'N', 折扣 = '真'")));
    QVERIFY(c_->open());
    auto* rates = c_->find<QComboBox>("组合框_折扣");
    rates->setCurrentIndex(rates->findText(QStringLiteral("9.5")));
    c_->addLine(QStringLiteral("O'Brien"), QStringLiteral("3"), QStringLiteral("10"));
    c_->addLine(QStringLiteral("茶"), QStringLiteral("1"), QStringLiteral("5"));
    QVERIFY(c_->window->saveSale());
    QCOMPARE(count("销售记录"), QStringLiteral("2"));
    QCOMPARE(c_->dir->scalar(QStringLiteral("SELECT count(*) FROM 销售详情 WHERE 关联 = 402")),
             QStringLiteral("2"));
    QCOMPARE(
        c_->dir->scalar(QStringLiteral("SELECT 金额 || '|' || 备注 || '|' FROM 销售记录 WHERE ID = 402")),
        QStringLiteral("35.00|N |"));
    QCOMPARE(c_->dir->scalar(QStringLiteral("SELECT group_concat(名称 || ':' || 折后 || ':' || 备注, ';') "
                                            "FROM 销售详情 WHERE 关联 = 402 ORDER BY ID")),
             QStringLiteral("O'Brien:28.50: N;茶:4.75: N"));
}

void SaveSaleTest::startNumber_data() {
    QTest::addColumn<QString>("setup");
    QTest::addColumn<QString>("shown");
    QTest::newRow("seed database") << ""
                                   << "0000000000002";
    QTest::newRow("custom prefix NO") << "UPDATE 配置文件 SET 单号格式 = 'NO'; "
                                         "UPDATE 销售记录 SET 销售票号 = 'NO0000041'"
                                      << "NO0000042";
    QTest::newRow("date prefix, yesterday's counter") << "UPDATE 配置文件 SET 全局单号格式 = '2'; "
                                                         "UPDATE 销售记录 SET 销售票号 = '2612100000017'"
                                                      << "2612110000018";
    QTest::newRow("unknown mode counts as date") << "UPDATE 配置文件 SET 全局单号格式 = '7'"
                                                 << "2612110000002";
    QTest::newRow("counter past seven digits") << "UPDATE 销售记录 SET 销售票号 = '0000009999999'"
                                               << "00000010000000";
    QTest::newRow("no sale stored") << "DELETE FROM 销售记录"
                                    << "0000000000001";
}

void SaveSaleTest::startNumber() {
    QFETCH(QString, setup);
    QFETCH(QString, shown);
    for (const QString& sql : setup.split(QStringLiteral("; "), Qt::SkipEmptyParts))
        QVERIFY(c_->dir->exec(sql));
    QVERIFY(c_->open());
    QCOMPARE(c_->text("编辑框_单号"), shown);
    c_->addLine(QStringLiteral("笔"), QStringLiteral("1"), QStringLiteral("1"));
    c_->click("按钮_仅保存小票");
    QCOMPARE(c_->dir->scalar(QStringLiteral("SELECT 销售票号 FROM 销售记录 ORDER BY ID DESC LIMIT 1")),
             shown);
}

void SaveSaleTest::typedNumberIsStoredAndFollowed() {
    QVERIFY(c_->open());
    c_->retype("编辑框_单号", QStringLiteral("A12"));
    c_->addLine(QStringLiteral("笔"), QStringLiteral("1"), QStringLiteral("1"));
    c_->click("按钮_仅保存小票");
    QCOMPARE(c_->dir->scalar(QStringLiteral("SELECT 销售票号 FROM 销售记录 WHERE ID = 402")),
             QStringLiteral("A12"));
    QCOMPARE(c_->text("编辑框_单号"), QStringLiteral("0000000000001"));
    c_->retype("编辑框_单号", QStringLiteral("X0000500"));
    c_->addLine(QStringLiteral("笔"), QStringLiteral("1"), QStringLiteral("1"));
    c_->click("按钮_仅保存小票");
    QCOMPARE(c_->text("编辑框_单号"), QStringLiteral("0000000000501"));
}

void SaveSaleTest::datePrefixAcrossMidnight() {
    QVERIFY(c_->dir->exec(QStringLiteral("UPDATE 配置文件 SET 全局单号格式 = '2'")));
    c_->platform.time.set(QDateTime(QDate(2024, 3, 4), QTime(23, 59, 59)));
    QVERIFY(c_->open());
    QCOMPARE(c_->text("编辑框_单号"), QStringLiteral("2403040000002"));
    c_->platform.time.set(QDateTime(QDate(2024, 3, 5), QTime(0, 0, 10)));
    c_->addLine(QStringLiteral("笔"), QStringLiteral("1"), QStringLiteral("1"));
    c_->click("按钮_仅保存小票");
    QCOMPARE(
        c_->dir->scalar(QStringLiteral("SELECT 销售票号 || '|' || 销售时间 FROM 销售记录 WHERE ID = 402")),
        QStringLiteral("2403050000002|2024-03-05 00:00:10"));
    QCOMPARE(c_->text("编辑框_单号"), QStringLiteral("2403050000003"));
}

void SaveSaleTest::failedSaveStoresNothing_data() {
    QTest::addColumn<QString>("badLine");
    QTest::addColumn<QString>("cashier");
    QTest::newRow("second line refused") << "CHECK"
                                         << "admin";
    QTest::newRow("no cashier") << ""
                                << "";
}

void SaveSaleTest::failedSaveStoresNothing() {
    QFETCH(QString, badLine);
    QFETCH(QString, cashier);
    // A trigger stands in for any database refusal of a line.
    QVERIFY(
        c_->dir->exec(QStringLiteral("CREATE TRIGGER refuse BEFORE INSERT ON 销售详情 WHEN NEW.名称 = '坏' "
                                     "BEGIN SELECT RAISE(ABORT, 'refused'); END")));
    QVERIFY(c_->open());
    c_->addLine(QStringLiteral("笔"), QStringLiteral("1"), QStringLiteral("1"));
    if (!badLine.isEmpty()) c_->addLine(QStringLiteral("坏"), QStringLiteral("1"), QStringLiteral("2"));
    c_->retype("编辑框_收银员", cashier);
    c_->platform.prompts.expect(QStringLiteral("添加失败！"));
    c_->click("按钮_仅保存小票");
    QCOMPARE(count("销售记录"), QStringLiteral("1"));
    QCOMPARE(count("销售详情"), QStringLiteral("1"));
    QCOMPARE(c_->rows(), badLine.isEmpty() ? 1 : 2);
    QCOMPARE(c_->text("编辑框_单号"), QStringLiteral("0000000000002"));
    QVERIFY(!c_->label("标签_总金额").isEmpty());
}

void SaveSaleTest::nothingToSave() {
    QVERIFY(c_->open());
    c_->platform.prompts.expect(QStringLiteral("没有可以保存的数据！"));
    c_->click("按钮_仅保存小票");
    QCOMPARE(c_->text("编辑框_单号"), QStringLiteral("0000000000002"));
    c_->addLine(QStringLiteral("笔"), QStringLiteral("1"), QStringLiteral("1"));
    c_->retype("编辑框_单号", QString());
    c_->platform.prompts.expect(QStringLiteral("单号不能为空！"));
    c_->click("按钮_仅保存小票");
    QCOMPARE(c_->rows(), 1);
    QCOMPARE(count("销售记录"), QStringLiteral("1"));
}

void SaveSaleTest::notKeepingRecordsStillClearsAndAdvances() {
    QVERIFY(c_->dir->exec(QStringLiteral("UPDATE 配置文件 SET 保存销售记录 = '假'")));
    QVERIFY(c_->open());
    c_->addLine(QStringLiteral("笔"), QStringLiteral("1"), QStringLiteral("1"));
    c_->click("按钮_仅保存小票");
    QCOMPARE(c_->rows(), 0);
    QCOMPARE(c_->text("编辑框_单号"), QStringLiteral("0000000000003"));
    QCOMPARE(count("销售记录"), QStringLiteral("1"));
    c_->close();
    QVERIFY(c_->open());
    QCOMPARE(c_->text("编辑框_单号"), QStringLiteral("0000000000002"));
}

void SaveSaleTest::dialogChoosesTheFormat_data() {
    QTest::addColumn<bool>("custom");
    QTest::addColumn<QString>("prefix");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("mode");
    QTest::newRow("custom prefix") << true << "NO"
                                   << "NO0000001"
                                   << "1";
    // The prefix box is off with the date prefix; the stored custom prefix stays.
    QTest::newRow("date prefix") << false << "000000"
                                 << "2612110000001"
                                 << "2";
}

void SaveSaleTest::dialogChoosesTheFormat() {
    QFETCH(bool, custom);
    QFETCH(QString, prefix);
    QFETCH(QString, shown);
    QFETCH(QString, mode);
    QVERIFY(c_->open());
    NumberFormatDialog* dialog = c_->window->openNumberFormatDialog(c_->window.get());
    QCOMPARE(dialog->windowTitle(), QStringLiteral("销售Korvane"));
    auto* customBox = control<QCheckBox>(dialog, QStringLiteral("选择框1"));
    auto* dateBox = control<QCheckBox>(dialog, QStringLiteral("选择框2"));
    QVERIFY(customBox->isChecked());
    QVERIFY(!dateBox->isChecked());
    QCOMPARE(control<QLineEdit>(dialog, QStringLiteral("编辑框1"))->text(), QStringLiteral("000000"));
    QCOMPARE(control<QLineEdit>(dialog, QStringLiteral("编辑框2"))->text(), QStringLiteral("261211"));
    if (!custom) QTest::mouseClick(dateBox, Qt::LeftButton);
    QCOMPARE(customBox->isChecked(), custom);
    QCOMPARE(dateBox->isChecked(), !custom);
    QCOMPARE(control<QLineEdit>(dialog, QStringLiteral("编辑框1"))->isEnabled(), custom);
    QLineEdit* prefixBox = control<QLineEdit>(dialog, QStringLiteral("编辑框1"));
    if (custom) {
        prefixBox->setFocus();
        prefixBox->selectAll();
        QTest::keyClick(prefixBox, Qt::Key_Backspace);
        typeText(prefixBox, prefix);
    }
    QTest::mouseClick(control<QPushButton>(dialog, QStringLiteral("按钮1")), Qt::LeftButton);
    QVERIFY(dialog->isVisible());
    QCOMPARE(c_->text("编辑框_单号"), shown);
    QCOMPARE(c_->dir->scalar(QStringLiteral("SELECT 全局单号格式 || '|' || 单号格式 FROM 配置文件")),
             mode + QLatin1Char('|') + prefix);
    QTest::mouseClick(control<QPushButton>(dialog, QStringLiteral("按钮2")), Qt::LeftButton);
    c_->addLine(QStringLiteral("笔"), QStringLiteral("1"), QStringLiteral("1"));
    c_->click("按钮_仅保存小票");
    QCOMPARE(c_->dir->scalar(QStringLiteral("SELECT 销售票号 FROM 销售记录 WHERE ID = 402")), shown);
    QCOMPARE(c_->text("编辑框_单号").right(7), QStringLiteral("0000002"));
}

void SaveSaleTest::dialogRefusesAnEmptyPrefix() {
    QVERIFY(c_->open());
    NumberFormatDialog* dialog = c_->window->openNumberFormatDialog(c_->window.get());
    QLineEdit* prefixBox = control<QLineEdit>(dialog, QStringLiteral("编辑框1"));
    prefixBox->selectAll();
    QTest::keyClick(prefixBox, Qt::Key_Backspace);
    QTest::mouseClick(control<QCheckBox>(dialog, QStringLiteral("选择框2")), Qt::LeftButton);
    c_->platform.prompts.expect(QStringLiteral("自定义前缀不能为空！"));
    QTest::mouseClick(control<QPushButton>(dialog, QStringLiteral("按钮1")), Qt::LeftButton);
    QCOMPARE(c_->dir->scalar(QStringLiteral("SELECT 全局单号格式 || '|' || 单号格式 FROM 配置文件")),
             QStringLiteral("1|000000"));
    QCOMPARE(c_->text("编辑框_单号"), QStringLiteral("0000000000002"));
}

QTEST_MAIN(SaveSaleTest)
#include "tst_savesale.moc"
