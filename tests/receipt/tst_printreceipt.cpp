#include <QBuffer>
#include <QImage>
#include <QPlainTextEdit>
#include <QProcess>
#include <QTemporaryDir>

#include "PdfText.h"
#include "../counter/CounterTestWindow.h"
#include "receipt/ReceiptOutput.h"
#include "settings/SettingsWindow.h"
#include <QAction>
#include <QCheckBox>

// Printing from the counter: the questions, the reprints, the one stored sale, and the paper itself.
class PrintReceiptTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void emptySaleIsNotPrinted();
    void printedSaleIsStoredOnce_data();
    void printedSaleIsStoredOnce();
    void noReceiptAsksWhetherToSave_data();
    void noReceiptAsksWhetherToSave();
    void printerChosenInTheDialog();
    void positionsOnPaper();
    void marginAndOffsetOnPaper();
    void separatorLinesAreDotted();
    void textStaysClearOfTheSeparators_data();
    void textStaysClearOfTheSeparators();
    void longNoteGoesOnOverPages();
    void logoOnPaper_data();
    void logoOnPaper();
    void nextReceiptFollowsTheSettingsWindow();

private:
    void ringUpOneLine();
    QString storedSales() const { return c_->dir->scalar(QStringLiteral("SELECT count(*) FROM 销售记录 WHERE ID > 401")); }
    QString lastJob() const { return c_->platform.printers.jobs.value(c_->platform.printers.jobs.size() - 1); }

    std::unique_ptr<CounterTestWindow> c_;
    std::unique_ptr<QTemporaryDir> out_;
};

void PrintReceiptTest::init() {
    c_ = std::make_unique<CounterTestWindow>();
    out_ = std::make_unique<QTemporaryDir>();
    FakePrinting& printers = c_->platform.printers;
    printers.printers = QStringList{QStringLiteral("前台小票机")};
    printers.defaultName = QStringLiteral("前台小票机");
    printers.outputDirectory = out_->path();
    QVERIFY(c_->dir->isValid());
    QVERIFY(c_->dir->exec(QStringLiteral("UPDATE 配置文件 SET 备注 = '谢谢惠顾'")));
}

void PrintReceiptTest::cleanup() {
    FakePrompter& prompts = c_->platform.prompts;
    VERIFY_PROMPTS_SETTLED(prompts);
    c_.reset();
}

void PrintReceiptTest::ringUpOneLine() {
    QVERIFY(c_->open());
    c_->addLine(QStringLiteral("打印机"), QStringLiteral("2"), QStringLiteral("80"));
    QCOMPARE(c_->rows(), 1);
}

void PrintReceiptTest::emptySaleIsNotPrinted() {
    QVERIFY(c_->open());
    c_->platform.prompts.expect(QStringLiteral("没有可以打印的数据！"));
    c_->click("按钮_打印小票");
    c_->platform.prompts.expect(QStringLiteral("没有可以预览的数据！"));
    c_->click("按钮_打印预览");
    QVERIFY(c_->platform.printers.jobs.isEmpty());
    QCOMPARE(storedSales(), QStringLiteral("0"));
}

void PrintReceiptTest::printedSaleIsStoredOnce_data() {
    QTest::addColumn<bool>("showDone");
    QTest::addColumn<bool>("askAgain");
    QTest::addColumn<int>("reprints");
    QTest::addColumn<bool>("byKey");
    QTest::newRow("quietly") << false << false << 0 << false;
    QTest::newRow("done shown") << true << false << 0 << false;
    QTest::newRow("two reprints") << true << true << 2 << false;
    QTest::newRow("F5, asked, no reprint") << false << true << 0 << true;
}

void PrintReceiptTest::printedSaleIsStoredOnce() {
    QFETCH(bool, showDone);
    QFETCH(bool, askAgain);
    QFETCH(int, reprints);
    QFETCH(bool, byKey);
    QVERIFY(c_->dir->exec(QStringLiteral("UPDATE 配置文件 SET 显示打印完毕 = '%1', 提示再次打印 = '%2'")
                              .arg(showDone ? QStringLiteral("真") : QStringLiteral("假"),
                                   askAgain ? QStringLiteral("真") : QStringLiteral("假"))));
    ringUpOneLine();
    FakePrompter& prompts = c_->platform.prompts;
    for (int i = 0; i <= reprints; ++i) {
        if (showDone) prompts.expect(QStringLiteral("打印完毕"));
        if (askAgain) prompts.expect(QStringLiteral("打印完毕,是否再次打印！"),
                                     i < reprints ? MessageAnswer::Yes : MessageAnswer::No);
    }
    if (byKey)
        QTest::keyClick(c_->window.get(), Qt::Key_F5);
    else
        c_->click("按钮_打印小票");

    QCOMPARE(c_->platform.printers.jobs.size(), reprints + 1);
    QCOMPARE(c_->platform.printers.jobPrinters.first(), QStringLiteral("前台小票机"));
    QCOMPARE(c_->platform.printers.jobTitles.first(), QStringLiteral("小票 0000000000002"));
    for (const FakePrompter::Shown& shown : prompts.shown()) {
        QCOMPARE(shown.message.title, QStringLiteral("提示:"));
        QCOMPARE(shown.owner, c_->window.get());
        QCOMPARE(shown.message.icon, MessageIcon::None);
        QCOMPARE(shown.message.buttons, shown.message.text == QStringLiteral("打印完毕") ? MessageButtons::Ok
                                                                                     : MessageButtons::YesNo);
    }
    QCOMPARE(storedSales(), QStringLiteral("1"));
    QCOMPARE(c_->dir->scalar(QStringLiteral("SELECT 销售票号 || '|' || 金额 FROM 销售记录 WHERE ID = 402")),
             QStringLiteral("0000000000002|160.00"));
    QCOMPARE(c_->rows(), 0);
    // Every copy is the same receipt.
    for (const QString& job : c_->platform.printers.jobs)
        QCOMPARE(findWord(pdfWords(job), QStringLiteral("单号：0000000000002")).page, 0);
}

void PrintReceiptTest::noReceiptAsksWhetherToSave_data() {
    QTest::addColumn<QStringList>("printers");
    QTest::addColumn<QString>("defaultName");
    QTest::addColumn<bool>("refuse");
    QTest::addColumn<bool>("listingFails");
    QTest::addColumn<bool>("save");
    QTest::addColumn<int>("dialogs");
    const QStringList two{QStringLiteral("A"), QStringLiteral("B")};
    QTest::newRow("no printer, save") << QStringList() << QString() << false << false << true << 0;
    QTest::newRow("no printer, keep on screen") << QStringList() << QString() << false << false << false << 0;
    QTest::newRow("print system unreachable") << QStringList() << QString() << false << true << false << 0;
    QTest::newRow("dialog cancelled") << two << QString() << false << false << true << 1;
    QTest::newRow("printer refuses") << two << QStringLiteral("B") << true << false << false << 0;
    QTest::newRow("default printer gone") << two << QStringLiteral("C") << false << false << true << 0;
}

void PrintReceiptTest::noReceiptAsksWhetherToSave() {
    QFETCH(QStringList, printers);
    QFETCH(QString, defaultName);
    QFETCH(bool, refuse);
    QFETCH(bool, listingFails);
    QFETCH(bool, save);
    QFETCH(int, dialogs);
    QVERIFY(c_->dir->exec(QStringLiteral("UPDATE 配置文件 SET 显示打印完毕 = '真', 提示再次打印 = '真'")));
    FakePrinting& fake = c_->platform.printers;
    fake.printers = printers;
    fake.defaultName = defaultName;
    fake.refuseJobs = refuse;
    fake.listingFails = listingFails;
    ringUpOneLine();
    c_->platform.prompts.expect(QStringLiteral("打印失败！是否仍然保存本单？"), save ? MessageAnswer::Yes : MessageAnswer::No);
    c_->click("按钮_打印小票");
    QCOMPARE(c_->platform.prompts.shown().size(), 1);
    QCOMPARE(c_->platform.prompts.shown().first().message.buttons, MessageButtons::YesNo);
    QCOMPARE(fake.dialogsShown, dialogs);
    QVERIFY(fake.jobs.isEmpty());
    QCOMPARE(storedSales(), save ? QStringLiteral("1") : QStringLiteral("0"));
    QCOMPARE(c_->rows(), save ? 0 : 1);
    QCOMPARE(c_->text("编辑框_单号"), save ? QStringLiteral("0000000000003") : QStringLiteral("0000000000002"));
}

void PrintReceiptTest::printerChosenInTheDialog() {
    FakePrinting& fake = c_->platform.printers;
    fake.printers = QStringList{QStringLiteral("A"), QStringLiteral("B")};
    fake.defaultName.clear();
    fake.dialogAnswer = QStringLiteral("B");
    ringUpOneLine();
    c_->click("按钮_打印小票");
    QCOMPARE(fake.dialogsShown, 1);
    QCOMPARE(fake.jobPrinters, QStringList{QStringLiteral("B")});
    QCOMPARE(storedSales(), QStringLiteral("1"));
}

namespace {

// Within half a millimetre of where the layout puts it (x, y in 0.1 mm). A text's y is the top of
// the one em it is given, whatever the height of the face's own cell around it.
void verifyAt(const QList<PdfWord>& words, const QString& text, double x, double y, double points = 8) {
    const PdfWord word = findWord(words, text);
    QVERIFY2(word.page >= 0, qPrintable(text));
    const double emTop = (word.topLeft.y() + word.bottomRight.y()) / 2 - points * 25.4 / 72 / 2;
    QVERIFY2(qAbs(word.topLeft.x() - x / 10) <= 0.5 && qAbs(emTop - y / 10) <= 0.5,
             qPrintable(QStringLiteral("%1 at %2, %3 mm").arg(text).arg(word.topLeft.x()).arg(emTop)));
}

}  // namespace

void PrintReceiptTest::positionsOnPaper() {
    ringUpOneLine();
    c_->click("按钮_打印小票");
    const QList<PdfWord> words = pdfWords(lastJob());
    verifyAt(words, QStringLiteral("科瓦内便利店"), 240 - 12 * 12, 10, 12);
    verifyAt(words, QStringLiteral("单号：0000000000002"), 0, 80);
    verifyAt(words, QStringLiteral("名称"), 0, 180);
    verifyAt(words, QStringLiteral("单价"), 255, 180);
    verifyAt(words, QStringLiteral("打印机"), 0, 230);
    verifyAt(words, QStringLiteral("2"), 182, 230);
    verifyAt(words, QStringLiteral("80.00"), 252, 230);
    verifyAt(words, QStringLiteral("160.00"), 367, 230);
    verifyAt(words, QStringLiteral("合计数量:2"), 0, 280);
    verifyAt(words, QStringLiteral("付款方式:现金"), 250, 400);
    verifyAt(words, QStringLiteral("谢谢惠顾"), 0, 480);
}

void PrintReceiptTest::marginAndOffsetOnPaper() {
    ringUpOneLine();
    c_->window->printOptions().paperMargin = 30;
    c_->window->printOptions().printOffset = 20;
    c_->click("按钮_打印小票");
    verifyAt(pdfWords(lastJob()), QStringLiteral("打印机"), 50, 230);
    verifyAt(pdfWords(lastJob()), QStringLiteral("160.00"), 417, 230);

    c_->window->printOptions().paperMargin = 0;
    c_->window->printOptions().printOffset = 0;
    c_->addLine(QStringLiteral("打印机"), QStringLiteral("2"), QStringLiteral("80"));
    c_->click("按钮_打印小票");
    verifyAt(pdfWords(lastJob()), QStringLiteral("打印机"), 0, 230);
}

namespace {

QImage rasterise(const QString& pdf, int dpi, int page = 1) {
    QTemporaryDir dir;
    const QString base = dir.filePath(QStringLiteral("page"));
    QProcess::execute(QStringLiteral("pdftoppm"), {QStringLiteral("-gray"), QStringLiteral("-r"), QString::number(dpi),
                                                   QStringLiteral("-f"), QString::number(page), QStringLiteral("-l"),
                                                   QString::number(page), QStringLiteral("-singlefile"), pdf, base});
    return QImage(base + QStringLiteral(".pgm"));
}

}  // namespace

void PrintReceiptTest::separatorLinesAreDotted() {
    ringUpOneLine();
    c_->click("按钮_打印小票");
    // At a thermal printer's 203 dpi the first separator (6 mm down) must alternate ink and paper.
    const QImage page = rasterise(lastJob(), 203);
    QVERIFY(!page.isNull());
    const int row = qRound(6.0 * 203 / 25.4);
    int darkest = row;
    int mostInk = -1;
    for (int y = row - 2; y <= row + 2; ++y) {
        int ink = 0;
        for (int x = 0; x < page.width(); ++x) ink += qGray(page.pixel(x, y)) < 128;
        if (ink > mostInk) mostInk = ink, darkest = y;
    }
    int changes = 0;
    const int end = qRound(48.0 * 203 / 25.4);
    for (int x = 1; x < end; ++x)
        changes += (qGray(page.pixel(x, darkest)) < 128) != (qGray(page.pixel(x - 1, darkest)) < 128);
    QVERIFY2(mostInk > end / 4, qPrintable(QString::number(mostInk)));
    QVERIFY2(changes > 100, qPrintable(QString::number(changes)));
}

void PrintReceiptTest::textStaysClearOfTheSeparators_data() {
    QTest::addColumn<bool>("unitPrice");
    QTest::addColumn<double>("lineAt");  // mm
    QTest::addColumn<QString>("above");
    for (bool unitPrice : {true, false}) {
        const QString layout = unitPrice ? QStringLiteral("unit price: ") : QStringLiteral("no unit price: ");
        QTest::addRow("%stitle", qPrintable(layout)) << unitPrice << 6.0 << QStringLiteral("title");
        QTest::addRow("%stime", qPrintable(layout)) << unitPrice << 15.5 << QStringLiteral("time");
        QTest::addRow("%ssale line", qPrintable(layout)) << unitPrice << 26.5 << QStringLiteral("sale line");
        QTest::addRow("%scashier", qPrintable(layout)) << unitPrice << 45.0 << QStringLiteral("cashier");
    }
}

void PrintReceiptTest::textStaysClearOfTheSeparators() {
    QFETCH(bool, unitPrice);
    QFETCH(double, lineAt);
    ringUpOneLine();
    c_->window->printOptions().printUnitPrice = unitPrice;
    c_->click("按钮_打印小票");
    // The paper just above a separator is blank at 203 dpi: no character sinks into the line.
    const QImage page = rasterise(lastJob(), 203);
    QVERIFY(!page.isNull());
    const int end = qRound(48.0 * 203 / 25.4);
    int ink = 0;
    for (int y = qFloor((lineAt - 0.35) * 203 / 25.4); y <= qFloor((lineAt - 0.15) * 203 / 25.4); ++y)
        for (int x = 0; x < end; ++x) ink += qGray(page.pixel(x, y)) < 160;
    QCOMPARE(ink, 0);
}

void PrintReceiptTest::longNoteGoesOnOverPages() {
    ringUpOneLine();
    QStringList lines;
    for (int i = 1; i <= 200; ++i) lines << QStringLiteral("第%1行").arg(i);
    c_->find<QPlainTextEdit>("编辑框_备注")->setPlainText(lines.join(QLatin1Char('\n')));
    c_->click("按钮_打印小票");
    const QList<PdfWord> words = pdfWords(lastJob());
    const PdfWord first = findWord(words, QStringLiteral("第1行"));
    const PdfWord last = findWord(words, QStringLiteral("第200行"));
    QCOMPARE(first.page, 0);
    QVERIFY2(last.page >= 2, qPrintable(QString::number(last.page)));
    // Nothing is lost between pages, and each page starts its lines at the top.
    for (int i = 1; i <= 200; ++i) QVERIFY(findWord(words, QStringLiteral("第%1行").arg(i)).page >= 0);
    int firstOnPageTwo = 1;
    while (findWord(words, QStringLiteral("第%1行").arg(firstOnPageTwo)).page == 0) ++firstOnPageTwo;
    QVERIFY(findWord(words, QStringLiteral("第%1行").arg(firstOnPageTwo)).topLeft.y() < 1);
    QCOMPARE(storedSales(), QStringLiteral("1"));
}

void PrintReceiptTest::logoOnPaper_data() {
    QTest::addColumn<QByteArray>("logo");
    QTest::addColumn<bool>("drawn");
    QTest::newRow("the blank database's picture") << QByteArray() << true;
    QTest::newRow("not a picture") << QByteArray("this is no picture at all") << false;
    QTest::newRow("empty") << QByteArray("") << false;
    QImage big(2600, 2000, QImage::Format_RGB32);
    for (int y = 0; y < big.height(); ++y)
        for (int x = 0; x < big.width(); ++x) big.setPixel(x, y, qRgb((x * 7 + y * 13) % 251, (x ^ y) & 255, (x * y) % 253));
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    big.save(&buffer, "PNG");
    QTest::newRow("a big picture") << png << true;
}

void PrintReceiptTest::logoOnPaper() {
    QFETCH(QByteArray, logo);
    QFETCH(bool, drawn);
    if (!logo.isNull()) {
        Database db(QStringLiteral("logo"));
        QVERIFY(db.open(c_->dir->databasePath()));
        QVERIFY(db.execute(QStringLiteral("UPDATE 配置文件 SET logo = ?"), {logo}));
    }
    QVERIFY(c_->dir->exec(QStringLiteral("UPDATE 配置文件 SET 是否打印logo = '真', logo偏差 = -50")));
    ringUpOneLine();
    QVERIFY(c_->window->printOptions().printLogo);
    c_->click("按钮_打印小票");
    // The title stands below the logo's 20 mm whether or not the picture could be drawn.
    verifyAt(pdfWords(lastJob()), QStringLiteral("科瓦内便利店"), 240 - 144, 210, 12);
    const QImage page = rasterise(lastJob(), 100);
    int ink = 0;
    for (int y = 0; y < qRound(20.0 * 100 / 25.4); ++y)
        for (int x = 0; x < page.width(); ++x) ink += qGray(page.pixel(x, y)) < 200;
    QCOMPARE(ink > 0, drawn);
}

void PrintReceiptTest::nextReceiptFollowsTheSettingsWindow() {
    ringUpOneLine();
    control<QAction>(c_->window.get(), QStringLiteral("软件设置"))->trigger();
    auto* settings = c_->window->findChild<SettingsWindow*>();
    QVERIFY(settings);
    control<QCheckBox>(settings, QStringLiteral("选择框_打印单价"))->click();
    auto* margin = control<QLineEdit>(settings, QStringLiteral("编辑框_边距"));
    margin->selectAll();
    QTest::keyClicks(margin, QStringLiteral("30.7"));
    c_->platform.prompts.expect(QStringLiteral("基本信息已经保存！"));
    QTest::mouseClick(control<QPushButton>(settings, QStringLiteral("按钮_保存")), Qt::LeftButton);
    settings->close();

    c_->click("按钮_打印小票");
    const QList<PdfWord> words = pdfWords(lastJob());
    QCOMPARE(findWord(words, QStringLiteral("单价")).page, -1);
    // Without the unit price the quantity stands at 280 − 8 × length, and the margin adds 3 mm.
    verifyAt(words, QStringLiteral("数量"), 250 + 30, 180);
    verifyAt(words, QStringLiteral("2"), 272 + 30, 230);
}

QTEST_MAIN(PrintReceiptTest)
#include "tst_printreceipt.moc"
