#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "../counter/CounterTestWindow.h"
#include "platform/SystemPrinting.h"
#include "receipt/PrinterDialog.h"

// Receipts through the real CUPS scheduler and its PDF queues (set up by scripts/with-test-services).
class CupsPrintingTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void defaultPrinterIsSetAndReadBack();
    void printReprintTwiceStoreOnce();
    void nextReceiptGoesToTheChosenQueue();

private:
    void chooseInDialog(const QString& printer);
    // The PDFs a queue has written so far.
    QStringList written(int queue) const {
        const QString folder = output_ + (queue == 0 ? QStringLiteral("/first") : QStringLiteral("/second"));
        return QDir(folder).entryList({QStringLiteral("*.pdf")}, QDir::Files);
    }

    QStringList queues_;
    QString output_;
    QTemporaryDir home_;
    SystemPrinting system_;
    std::unique_ptr<CounterTestWindow> c_;
};

void CupsPrintingTest::initTestCase() {
    queues_ = qEnvironmentVariable("KORVANE_CUPS_QUEUES").split(QLatin1Char(' '), Qt::SkipEmptyParts);
    output_ = qEnvironmentVariable("KORVANE_CUPS_OUTPUT");
    if (queues_.size() < 2) {
        if (qEnvironmentVariableIsSet("KORVANE_CUPS_EXPECTED")) QFAIL("the test print queues are missing");
        QSKIP("no test print queues: run through scripts/with-test-services");
    }
    // The default printer this test sets stays in a folder of its own, not the user's or the system's.
    qputenv("HOME", QFile::encodeName(home_.path()));
    qputenv("CUPS_SERVERROOT", QFile::encodeName(home_.path()));
}

void CupsPrintingTest::init() {
    c_ = std::make_unique<CounterTestWindow>();
    c_->platform.systemPrinting = &system_;
    QVERIFY(c_->dir->isValid());
}

void CupsPrintingTest::cleanup() {
    FakePrompter& prompts = c_->platform.prompts;
    VERIFY_PROMPTS_SETTLED(prompts);
    c_.reset();
}

void CupsPrintingTest::chooseInDialog(const QString& printer) {
    PrinterDialog dialog(system_, c_->platform.prompts);
    dialog.show();
    auto* list = control<QComboBox>(&dialog, QStringLiteral("组合框_打印机名称"));
    const int index = list->findText(printer, Qt::MatchExactly);
    QVERIFY2(index >= 0, qPrintable(printer));
    list->setCurrentIndex(index);
    QTest::mouseClick(control<QPushButton>(&dialog, QStringLiteral("按钮_保存")), Qt::LeftButton);
}

void CupsPrintingTest::defaultPrinterIsSetAndReadBack() {
    const std::optional<QStringList> names = system_.printerNames();
    QVERIFY(names);
    QVERIFY(names->contains(queues_[0]));
    QVERIFY(names->contains(queues_[1]));
    for (const QString& queue : {queues_[1], queues_[0]}) {
        chooseInDialog(queue);
        QCOMPARE(system_.defaultPrinter(), queue);
        // Every program of the user finds it in lpoptions.
        QFile options(home_.filePath(QStringLiteral("lpoptions")));
        if (!options.exists()) options.setFileName(home_.filePath(QStringLiteral(".cups/lpoptions")));
        QVERIFY(options.open(QIODevice::ReadOnly));
        QVERIFY(QString::fromUtf8(options.readAll()).contains(QStringLiteral("Default ") + queue));
        PrinterDialog reopened(system_, c_->platform.prompts);
        QCOMPARE(control<QComboBox>(&reopened, QStringLiteral("组合框_打印机名称"))->currentText(), queue);
    }
}

void CupsPrintingTest::printReprintTwiceStoreOnce() {
    QVERIFY(c_->dir->exec(QStringLiteral("UPDATE 配置文件 SET 提示再次打印 = '真'")));
    QVERIFY(c_->open());
    chooseInDialog(queues_[0]);
    const qsizetype before = written(0).size();
    c_->addLine(QStringLiteral("打印机"), QStringLiteral("2"), QStringLiteral("80"));
    FakePrompter& prompts = c_->platform.prompts;
    prompts.expect(QStringLiteral("打印完毕,是否再次打印！"), MessageAnswer::Yes);
    prompts.expect(QStringLiteral("打印完毕,是否再次打印！"), MessageAnswer::Yes);
    prompts.expect(QStringLiteral("打印完毕,是否再次打印！"), MessageAnswer::No);
    c_->click("按钮_打印小票");
    QCOMPARE(c_->dir->scalar(QStringLiteral("SELECT count(*) FROM 销售记录 WHERE 销售票号 = '0000000000002'")),
             QStringLiteral("1"));
    QTRY_COMPARE_WITH_TIMEOUT(written(0).size(), before + 3, 60000);
}

void CupsPrintingTest::nextReceiptGoesToTheChosenQueue() {
    QVERIFY(c_->open());
    chooseInDialog(queues_[1]);
    const qsizetype first = written(0).size();
    const qsizetype second = written(1).size();
    c_->addLine(QStringLiteral("打印机"), QStringLiteral("1"), QStringLiteral("80"));
    c_->click("按钮_打印小票");
    QTRY_COMPARE_WITH_TIMEOUT(written(1).size(), second + 1, 60000);
    QCOMPARE(written(0).size(), first);
    QCOMPARE(c_->rows(), 0);
}

QTEST_MAIN(CupsPrintingTest)
#include "tst_cupsprinting.moc"
