#include <QAction>
#include <QCheckBox>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTemporaryDir>

#include "../counter/CounterTestWindow.h"
#include "ListDriving.h"
#include "counter/NumberFormatDialog.h"
#include "receipt/LogoWindow.h"
#include "receipt/PrinterDialog.h"
#include "settings/SettingsWindow.h"

// The settings window opened from the counter's menu: the receipt settings, the products tab,
// and the counter's in-memory copies that the next receipt reads.
class SettingsTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void opensWithTheStoredSettings();
    void ordinaryUserReachesNeitherPrintSettingsNorChanges();
    void saveMarginAndOffset_data();
    void saveMarginAndOffset();
    void marginBoxRefusesLetters();
    void shopTextsAreStoredAsTyped_data();
    void shopTextsAreStoredAsTyped();
    void refusedShopTextsSaveNothing_data();
    void refusedShopTextsSaveNothing();
    void optionsAreStoredAtOnce_data();
    void optionsAreStoredAtOnce();
    void failedOptionKeepsBoxAndCopy();
    void nextSaleFollowsTheOptions_data();
    void nextSaleFollowsTheOptions();
    void numberFormatShowsTheNewNumber();
    void doorsToOtherDialogs();
    void addProduct_data();
    void addProduct();
    void priceBoxTakesDecimalNumbersOnly();
    void modifyProduct_data();
    void modifyProduct();
    void deleteProductAndRenumber();
    void deselectedProductIsLeftAlone();

private:
    SettingsWindow* openSettings(const QString& user = QStringLiteral("admin"));
    template <typename T = QLineEdit>
    T* in(const char* name) const {
        return control<T>(settings_, QString::fromUtf8(name));
    }
    QString config(const char* column) const {
        return c_->dir->scalar(QStringLiteral("SELECT ") + QString::fromUtf8(column) +
                               QStringLiteral(" FROM 配置文件 WHERE ID = 1"));
    }
    QTreeView* products() const { return in<QTreeView>("超级列表框1"); }

    std::unique_ptr<CounterTestWindow> c_;
    SettingsWindow* settings_ = nullptr;
};

void SettingsTest::init() {
    c_ = std::make_unique<CounterTestWindow>();
    QVERIFY(c_->dir->isValid());
}

void SettingsTest::cleanup() {
    VERIFY_PROMPTS_SETTLED(c_->platform.prompts);
    settings_ = nullptr;
    c_.reset();
}

SettingsWindow* SettingsTest::openSettings(const QString& user) {
    if (!c_->open(user)) return nullptr;
    control<QAction>(c_->window.get(), QStringLiteral("软件设置"))->trigger();
    settings_ = c_->window->findChild<SettingsWindow*>();
    if (settings_ && !QTest::qWaitForWindowExposed(settings_)) return nullptr;
    return settings_;
}

void SettingsTest::opensWithTheStoredSettings() {
    QVERIFY(c_->dir->exec(
        QStringLiteral("UPDATE 配置文件 SET 纸张边距 = '2.7', 打印偏差 = '-1', 打印单价 = '假', "
                       "显示打印完毕 = '真'")));
    QVERIFY(openSettings());
    QVERIFY(settings_->isVisible());
    QVERIFY(settings_->windowModality() != Qt::NonModal);
    QCOMPARE(settings_->windowTitle(), QStringLiteral("销售Korvane"));
    auto* tabs = in<QTabWidget>("高级选择夹1");
    QCOMPARE(tabs->currentIndex(), 0);
    QCOMPARE(tabs->tabText(2), QStringLiteral("设置用户（收银员）"));
    QCOMPARE(in("编辑框_店名")->text(), QStringLiteral("科瓦内便利店"));
    QVERIFY(in<QPlainTextEdit>("编辑框_备注")
                ->toPlainText()
                .endsWith(QStringLiteral("3.客服电话：400-800-8800")));
    QCOMPARE(in("编辑框_边距")->text(), QStringLiteral("2.7"));
    QCOMPARE(in("编辑框_偏差")->text(), QStringLiteral("-1"));
    QCOMPARE(in("编辑框3")->text(), c_->text("编辑框_单号"));
    QVERIFY(!in("编辑框3")->isEnabled());
    QVERIFY(in<QCheckBox>("选择框_保存销售记录")->isChecked());
    QVERIFY(in<QCheckBox>("选择框_显示打印完毕")->isChecked());
    QVERIFY(!in<QCheckBox>("选择框_提示再次打印")->isChecked());
    QVERIFY(!in<QCheckBox>("选择框_打印单价")->isChecked());
    QVERIFY(!in<QPushButton>("按钮_字体设置")->isVisible());
    QVERIFY(in<QPushButton>("按钮_导入旧版数据")->isEnabled());

    // The products tab fills its list when it is chosen.
    tabs->setCurrentIndex(SettingsWindow::ProductTab);
    QCOMPARE(shownColumn(products(), 1),
             (QStringList{"dyj-打印机", "xsq-显示器", "mkf-麦克风", "dyx-电源线"}));
    QCOMPARE(shownColumn(products(), 0), (QStringList{"1", "2", "3", "4"}));
    tabs->setCurrentIndex(SettingsWindow::UserTab);
    QCOMPARE(shownColumn(in<QTreeView>("超级列表框2"), 1), QStringList{"admin"});
}

void SettingsTest::ordinaryUserReachesNeitherPrintSettingsNorChanges() {
    QVERIFY(c_->dir->exec(
        QStringLiteral("INSERT INTO 用户登录 (用户名, 权限, 密码) VALUES ('小王', '普通用户', 'x')")));
    QVERIFY(openSettings(QStringLiteral("小王")));
    auto* tabs = in<QTabWidget>("高级选择夹1");
    QVERIFY(!tabs->isTabEnabled(SettingsWindow::PrintTab));
    QCOMPARE(tabs->currentIndex(), int(SettingsWindow::ProductTab));
    QCOMPARE(products()->model()->rowCount(), 4);
    tabs->setCurrentIndex(SettingsWindow::PrintTab);
    QCOMPARE(tabs->currentIndex(), int(SettingsWindow::ProductTab));
    for (const char* name : {"按钮_添加", "按钮_修改", "按钮_删除", "按钮_添加1", "按钮_修改1", "按钮_删除1"})
        QVERIFY2(!in<QPushButton>(name)->isEnabled(), name);
    QVERIFY(in<QPushButton>("按钮_取消直接登录")->isEnabled());
}

void SettingsTest::saveMarginAndOffset_data() {
    QTest::addColumn<QString>("margin");
    QTest::addColumn<QString>("offset");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("storedMargin");
    QTest::addColumn<QString>("storedOffset");
    QTest::addColumn<int>("paperMargin");
    QTest::addColumn<int>("printOffset");
    // The stored values before saving are margin 3 and offset 4.
    QTest::newRow("decimals cut toward zero") << "2.7"
                                              << "-1.5"
                                              << "基本信息已经保存！"
                                              << "2.7"
                                              << "-1.5" << 2 << -1;
    QTest::newRow("zero") << "0"
                          << "0"
                          << "基本信息已经保存！"
                          << "0"
                          << "0" << 0 << 0;
    QTest::newRow("empty margin saves no offset") << ""
                                                  << "9"
                                                  << "数据添加失败"
                                                  << "3"
                                                  << "4" << 3 << 4;
    QTest::newRow("empty offset") << "5"
                                  << ""
                                  << "数据添加失败"
                                  << "5"
                                  << "4" << 5 << 4;
    QTest::newRow("letters cannot be typed") << "x"
                                             << "1"
                                             << "数据添加失败"
                                             << "3"
                                             << "4" << 3 << 4;
    QTest::newRow("a lone minus is no number") << "-"
                                               << "1"
                                               << "数据添加失败"
                                               << "3"
                                               << "4" << 3 << 4;
    QTest::newRow("a lone point is no number") << "1"
                                               << "."
                                               << "数据添加失败"
                                               << "1"
                                               << "4" << 1 << 4;
}

void SettingsTest::saveMarginAndOffset() {
    QFETCH(QString, margin);
    QFETCH(QString, offset);
    QFETCH(QString, message);
    QFETCH(QString, storedMargin);
    QFETCH(QString, storedOffset);
    QFETCH(int, paperMargin);
    QFETCH(int, printOffset);
    QVERIFY(c_->dir->exec(QStringLiteral("UPDATE 配置文件 SET 纸张边距 = '3', 打印偏差 = '4'")));
    QVERIFY(openSettings());
    retype(in("编辑框_边距"), margin);
    retype(in("编辑框_偏差"), offset);
    c_->platform.prompts.expect(message);
    clickButton(settings_, "按钮_保存");
    QCOMPARE(config("纸张边距"), storedMargin);
    QCOMPARE(config("打印偏差"), storedOffset);
    QCOMPARE(c_->window->printOptions().paperMargin, paperMargin);
    QCOMPARE(c_->window->printOptions().printOffset, printOffset);
}

void SettingsTest::marginBoxRefusesLetters() {
    QVERIFY(openSettings());
    retype(in("编辑框_边距"), QStringLiteral("x1.5mm"));
    QCOMPARE(in("编辑框_边距")->text(), QStringLiteral("1.5"));
}

void SettingsTest::shopTextsAreStoredAsTyped_data() {
    QTest::addColumn<QString>("shopName");
    QTest::addColumn<QStringList>("noteLines");
    QTest::newRow("three lines of notes") << "小店" << QStringList{"第一行", "第二行", "第三行"};
    QTest::newRow("apostrophes") << "Jack's 曲奇" << QStringList{"O'Brien's", "'"};
    QTest::newRow("longer than sixteen characters")
        << "这是一个名字很长很长很长的便利店超过十六个字" << QStringList{"备注"};
}

void SettingsTest::shopTextsAreStoredAsTyped() {
    QFETCH(QString, shopName);
    QFETCH(QStringList, noteLines);
    QVERIFY(openSettings());
    retype(in("编辑框_店名"), shopName);
    auto* notes = in<QPlainTextEdit>("编辑框_备注");
    notes->clear();
    notes->setFocus();
    for (int i = 0; i < noteLines.size(); ++i) {
        if (i > 0) QTest::keyClick(notes, Qt::Key_Return);
        typeText(notes, noteLines[i]);
    }
    c_->platform.prompts.expect(QStringLiteral("基本信息已经保存！"));
    clickButton(settings_, "按钮_保存");
    const QString typedNotes = noteLines.join(QLatin1Char('\n'));
    QCOMPARE(config("店名"), shopName);
    QCOMPARE(config("备注"), typedNotes);
    // The counter shows them for the next receipt.
    QCOMPARE(c_->text("编辑框_店名"), shopName);
    QCOMPARE(c_->find<QPlainTextEdit>("编辑框_备注")->toPlainText(), typedNotes);

    settings_->close();
    QTRY_VERIFY(!c_->window->findChild<SettingsWindow*>());
    control<QAction>(c_->window.get(), QStringLiteral("软件设置"))->trigger();
    settings_ = c_->window->findChild<SettingsWindow*>();
    QCOMPARE(in("编辑框_店名")->text(), shopName);
    QCOMPARE(in<QPlainTextEdit>("编辑框_备注")->toPlainText(), typedNotes);
}

void SettingsTest::refusedShopTextsSaveNothing_data() {
    QTest::addColumn<QString>("shopName");
    QTest::addColumn<bool>("emptyNotes");
    QTest::newRow("empty shop name") << "" << false;
    QTest::newRow("shop name of 51 characters") << QString(51, QChar(0x5e97)) << false;
    QTest::newRow("empty notes") << "小店" << true;
}

void SettingsTest::refusedShopTextsSaveNothing() {
    QFETCH(QString, shopName);
    QFETCH(bool, emptyNotes);
    QVERIFY(openSettings());
    retype(in("编辑框_店名"), shopName);
    if (emptyNotes) in<QPlainTextEdit>("编辑框_备注")->clear();
    retype(in("编辑框_边距"), QStringLiteral("7"));
    c_->platform.prompts.expect(QStringLiteral("数据添加失败!"));
    clickButton(settings_, "按钮_保存");
    QCOMPARE(config("店名"), QStringLiteral("科瓦内便利店"));
    QCOMPARE(config("纸张边距"), QStringLiteral("0"));
    QCOMPARE(c_->window->printOptions().paperMargin, 0);
    QCOMPARE(c_->text("编辑框_店名"), QStringLiteral("科瓦内便利店"));
    QVERIFY(!c_->find<QPlainTextEdit>("编辑框_备注")->toPlainText().isEmpty());
}

void SettingsTest::optionsAreStoredAtOnce_data() {
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("column");
    QTest::newRow("save records") << "选择框_保存销售记录"
                                  << "保存销售记录";
    QTest::newRow("print done") << "选择框_显示打印完毕"
                                << "显示打印完毕";
    QTest::newRow("print again") << "选择框_提示再次打印"
                                 << "提示再次打印";
    QTest::newRow("unit price") << "选择框_打印单价"
                                << "打印单价";
}

void SettingsTest::optionsAreStoredAtOnce() {
    QFETCH(QString, box);
    QFETCH(QString, column);
    QVERIFY(openSettings());
    const auto inMemory = [this, &column]() {
        const PrintOptions& o = c_->window->printOptions();
        if (column == QStringLiteral("保存销售记录")) return c_->window->saveSalesRecords();
        if (column == QStringLiteral("显示打印完毕")) return o.showPrintDone;
        if (column == QStringLiteral("提示再次打印")) return o.askPrintAgain;
        return o.printUnitPrice;
    };
    auto* check = control<QCheckBox>(settings_, box);
    const QString columnSql = column;
    for (int round = 0; round < 2; ++round) {
        const bool before = check->isChecked();
        QCOMPARE(inMemory(), before);
        check->click();
        QCOMPARE(check->isChecked(), !before);
        QCOMPARE(inMemory(), !before);
        QCOMPARE(c_->dir->scalar(QStringLiteral("SELECT ") + columnSql + QStringLiteral(" FROM 配置文件")),
                 !before ? QStringLiteral("真") : QStringLiteral("假"));
    }
}

void SettingsTest::failedOptionKeepsBoxAndCopy() {
    QVERIFY(
        c_->dir->exec(QStringLiteral("CREATE TRIGGER refuse BEFORE UPDATE OF 打印单价 ON 配置文件 "
                                     "BEGIN SELECT RAISE(ABORT, 'refused'); END")));
    QVERIFY(openSettings());
    auto* check = in<QCheckBox>("选择框_打印单价");
    QVERIFY(check->isChecked());
    c_->platform.prompts.expect(QStringLiteral("数据添加失败"));
    check->click();
    QVERIFY(check->isChecked());
    QVERIFY(c_->window->printOptions().printUnitPrice);
    QCOMPARE(config("打印单价"), QStringLiteral("真"));
}

void SettingsTest::nextSaleFollowsTheOptions_data() {
    QTest::addColumn<QString>("box");
    QTest::addColumn<QStringList>("prompts");  // shown after the print, each answered No
    QTest::addColumn<int>("stored");           // sales stored by the print
    QTest::newRow("records no longer saved") << "选择框_保存销售记录" << QStringList{} << 0;
    QTest::newRow("print done shown") << "选择框_显示打印完毕" << QStringList{"打印完毕"} << 1;
    QTest::newRow("print again asked")
        << "选择框_提示再次打印" << QStringList{"打印完毕,是否再次打印！"} << 1;
}

void SettingsTest::nextSaleFollowsTheOptions() {
    QFETCH(QString, box);
    QFETCH(QStringList, prompts);
    QFETCH(int, stored);
    QTemporaryDir jobs;
    FakePrinting& printers = c_->platform.printers;
    printers.printers = QStringList{QStringLiteral("前台小票机")};
    printers.defaultName = printers.printers.first();
    printers.outputDirectory = jobs.path();
    QVERIFY(openSettings());
    control<QCheckBox>(settings_, box)->click();
    settings_->close();
    QTRY_VERIFY(!c_->window->findChild<SettingsWindow*>());

    const QString before = c_->dir->scalar(QStringLiteral("SELECT count(*) FROM 销售记录"));
    c_->addLine(QStringLiteral("笔"), QStringLiteral("1"), QStringLiteral("2"));
    for (const QString& text : prompts) c_->platform.prompts.expect(text, MessageAnswer::No);
    c_->click("按钮_打印小票");
    QCOMPARE(printers.jobs.size(), 1);
    QCOMPARE(c_->dir->scalar(QStringLiteral("SELECT count(*) FROM 销售记录")).toInt(),
             before.toInt() + stored);
    QCOMPARE(c_->rows(), 0);
}

void SettingsTest::numberFormatShowsTheNewNumber() {
    QVERIFY(openSettings());
    clickButton(settings_, "按钮1");
    auto* dialog = settings_->findChild<NumberFormatDialog*>();
    QVERIFY(dialog && dialog->isVisible());
    // The new database numbers with the shop's own prefix already.
    QVERIFY(control<QCheckBox>(dialog, QStringLiteral("选择框1"))->isChecked());
    retype(control<QLineEdit>(dialog, QStringLiteral("编辑框1")), QStringLiteral("NO"));
    QTest::mouseClick(control<QPushButton>(dialog, QStringLiteral("按钮1")), Qt::LeftButton);
    QCOMPARE(in("编辑框3")->text(), QStringLiteral("NO0000001"));
    QCOMPARE(c_->text("编辑框_单号"), QStringLiteral("NO0000001"));
}

void SettingsTest::doorsToOtherDialogs() {
    QVERIFY(openSettings());
    QCOMPARE(in<QPushButton>("按钮5")->text(), QStringLiteral("设置\nLogo"));
    clickButton(settings_, "按钮5");
    auto* logo = settings_->findChild<LogoWindow*>();
    QVERIFY(logo && logo->isVisible());
    QCOMPARE(logo->windowModality(), Qt::WindowModal);
    logo->close();
    clickButton(settings_, "按钮_选择打印机");
    auto* printer = settings_->findChild<PrinterDialog*>();
    QVERIFY(printer && printer->isVisible());
    printer->close();
    c_->platform.prompts.expect(QStringLiteral("导入旧版数据将替换现有的全部数据，现有数据会先备份。是否继续？"),
                                MessageAnswer::No);
    clickButton(settings_, "按钮_导入旧版数据");
    QVERIFY(c_->platform.prompts.fileRequests().isEmpty());
}

void SettingsTest::addProduct_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("price");
    QTest::addColumn<QString>("message");  // empty: stored
    QTest::addColumn<QString>("storedPrice");
    QTest::addColumn<qint64>("offeredValue");
    QTest::newRow("price to money form") << "打印纸"
                                         << "12.5"
                                         << ""
                                         << "12.50" << qint64(12);
    QTest::newRow("cut, not rounded") << "笔"
                                      << "12.345"
                                      << ""
                                      << "12.34" << qint64(12);
    QTest::newRow("apostrophe") << "Jack's 曲奇"
                                << "8"
                                << ""
                                << "8.00" << qint64(8);
    QTest::newRow("empty name") << ""
                                << "1"
                                << "商品名称不能为空！"
                                << "" << qint64(0);
    QTest::newRow("empty price") << "纸"
                                 << ""
                                 << "商品价格不能为空！"
                                 << "" << qint64(0);
    QTest::newRow("name of 51 characters") << QString(51, QChar(0x7eb8)) << "1"
                                           << "添加失败！"
                                           << "" << qint64(0);
    QTest::newRow("name of 50 characters") << QString(50, QChar(0x7eb8)) << "1"
                                           << ""
                                           << "1.00" << qint64(1);
}

void SettingsTest::addProduct() {
    QFETCH(QString, name);
    QFETCH(QString, price);
    QFETCH(QString, message);
    QFETCH(QString, storedPrice);
    QFETCH(qint64, offeredValue);
    QVERIFY(openSettings());
    in<QTabWidget>("高级选择夹1")->setCurrentIndex(SettingsWindow::ProductTab);
    retype(in("编辑框_名称"), name);
    retype(in("编辑框_单价"), price);
    if (!message.isEmpty()) c_->platform.prompts.expect(message);
    clickButton(settings_, "按钮_添加");

    auto* offered = c_->find<QComboBox>("组合框_名称");
    if (message.isEmpty()) {
        QCOMPARE(c_->dir->scalar(QStringLiteral("SELECT 单价 FROM 商品名称 WHERE ID = 27")), storedPrice);
        QCOMPARE(c_->dir->scalar(QStringLiteral("SELECT 名称 FROM 商品名称 WHERE ID = 27")), name);
        QCOMPARE(shownColumn(products(), 1).last(), name);
        QCOMPARE(shownColumn(products(), 2).last(), storedPrice);
        QCOMPARE(shownColumn(products(), 0).last(), QStringLiteral("5"));
        QVERIFY(in("编辑框_名称")->text().isEmpty());
        // The counter offers the new product at once, valued at its whole units.
        QCOMPARE(offered->count(), 5);
        QCOMPARE(offered->itemText(4), name);
        QCOMPARE(offered->itemData(4).toLongLong(), offeredValue);
    } else {
        QCOMPARE(c_->dir->scalar(QStringLiteral("SELECT count(*) FROM 商品名称")), QStringLiteral("4"));
        QCOMPARE(products()->model()->rowCount(), 4);
        QCOMPARE(in("编辑框_名称")->text(), name);
        QCOMPARE(offered->count(), 4);
    }
}

void SettingsTest::priceBoxTakesDecimalNumbersOnly() {
    QVERIFY(openSettings());
    in<QTabWidget>("高级选择夹1")->setCurrentIndex(SettingsWindow::ProductTab);
    retype(in("编辑框_单价"), QStringLiteral("abc"));
    QCOMPARE(in("编辑框_单价")->text(), QString());
    retype(in("编辑框_单价"), QStringLiteral("1a2.5x0"));
    QCOMPARE(in("编辑框_单价")->text(), QStringLiteral("12.50"));
}

void SettingsTest::modifyProduct_data() {
    QTest::addColumn<int>("row");  // -1: none selected
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("price");
    QTest::addColumn<QString>("message");  // empty: changed
    QTest::addColumn<QString>("stored");   // 名称|单价 of the second product afterwards
    QTest::newRow("new name and price") << 1 << "Jack's 显示器"
                                        << "299.999"
                                        << ""
                                        << "Jack's 显示器|299.99";
    QTest::newRow("price emptied") << 1 << "xsq-显示器"
                                   << ""
                                   << ""
                                   << "xsq-显示器|.00";
    QTest::newRow("both emptied") << 1 << ""
                                  << ""
                                  << "数据添加失败"
                                  << "xsq-显示器|300.00";
    QTest::newRow("name of 51 characters") << 1 << QString(51, QLatin1Char('n')) << "1"
                                           << "数据添加失败"
                                           << "xsq-显示器|300.00";
    QTest::newRow("no row selected") << -1 << "x"
                                     << "1"
                                     << "请选择要修改的行！"
                                     << "xsq-显示器|300.00";
}

void SettingsTest::modifyProduct() {
    QFETCH(int, row);
    QFETCH(QString, name);
    QFETCH(QString, price);
    QFETCH(QString, message);
    QFETCH(QString, stored);
    QVERIFY(openSettings());
    in<QTabWidget>("高级选择夹1")->setCurrentIndex(SettingsWindow::ProductTab);
    if (row >= 0) {
        clickRow(products(), row);
        QCOMPARE(in("编辑框_名称")->text(), QStringLiteral("xsq-显示器"));
        QCOMPARE(in("编辑框_单价")->text(), QStringLiteral("300.00"));
    }
    retype(in("编辑框_名称"), name);
    retype(in("编辑框_单价"), price);
    if (!message.isEmpty()) c_->platform.prompts.expect(message);
    clickButton(settings_, "按钮_修改");
    if (row < 0) QCOMPARE(c_->platform.prompts.shown().last().message.title, QStringLiteral("提示："));
    QCOMPARE(c_->dir->scalar(QStringLiteral("SELECT 名称 || '|' || 单价 FROM 商品名称 WHERE ID = 24")),
             stored);
    QCOMPARE(c_->dir->scalar(QStringLiteral("SELECT count(*) FROM 商品名称")), QStringLiteral("4"));
    QCOMPARE(shownColumn(products(), 1).value(1) + QLatin1Char('|') + shownColumn(products(), 2).value(1),
             stored);
}

void SettingsTest::deleteProductAndRenumber() {
    QVERIFY(openSettings());
    in<QTabWidget>("高级选择夹1")->setCurrentIndex(SettingsWindow::ProductTab);
    clickRow(products(), 0);
    clickButton(settings_, "按钮_删除");
    QCOMPARE(c_->dir->scalar(QStringLiteral("SELECT count(*) FROM 商品名称 WHERE ID = 23")),
             QStringLiteral("0"));
    QCOMPARE(shownColumn(products(), 1), (QStringList{"xsq-显示器", "mkf-麦克风", "dyx-电源线"}));
    QCOMPARE(shownColumn(products(), 0), (QStringList{"1", "2", "3"}));
    QCOMPARE(c_->find<QComboBox>("组合框_名称")->count(), 3);

    c_->platform.prompts.expect(QStringLiteral("请选择要修改的行！"));
    clickButton(settings_, "按钮_删除");
    QCOMPARE(c_->dir->scalar(QStringLiteral("SELECT count(*) FROM 商品名称")), QStringLiteral("3"));
}

void SettingsTest::deselectedProductIsLeftAlone() {
    QVERIFY(openSettings());
    in<QTabWidget>("高级选择夹1")->setCurrentIndex(SettingsWindow::ProductTab);
    clickRow(products(), 0);
    QCOMPARE(products()->selectionModel()->selectedRows().size(), 1);
    // Ctrl+click takes the selection away again: no row is chosen any more.
    const QRect first = products()->visualRect(products()->model()->index(0, 1));
    QTest::mouseClick(products()->viewport(), Qt::LeftButton, Qt::ControlModifier, first.center());
    QVERIFY(products()->selectionModel()->selectedRows().isEmpty());
    c_->platform.prompts.expect(QStringLiteral("请选择要修改的行！"));
    clickButton(settings_, "按钮_删除");
    c_->platform.prompts.expect(QStringLiteral("请选择要修改的行！"));
    clickButton(settings_, "按钮_修改");
    QCOMPARE(c_->dir->scalar(QStringLiteral(
                 "SELECT group_concat(名称, ',') FROM (SELECT 名称 FROM 商品名称 ORDER BY ID)")),
             QStringLiteral("dyj-打印机,xsq-显示器,mkf-麦克风,dyx-电源线"));
}

QTEST_MAIN(SettingsTest)
#include "tst_settings.moc"
