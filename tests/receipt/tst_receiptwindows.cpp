#include <QBuffer>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QRandomGenerator>
#include <QScrollBar>
#include <QSqlQuery>
#include <QTemporaryDir>

#include "../counter/CounterTestWindow.h"
#include "receipt/LogoWindow.h"
#include "receipt/PreviewWindow.h"
#include "receipt/PrinterDialog.h"
#include "receipt/ReceiptOutput.h"

// The preview, the logo window and the printer dialog, driven as the shop drives them.
class ReceiptWindowsTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void previewPanelFollowsMarginAndScrollBar_data();
    void previewPanelFollowsMarginAndScrollBar();
    void previewDrawsAndChangesNothing();

    void logoWindowShowsTheStoredValues();
    void logoWindowWithValuesUnreadable();
    void changeLogoStoresTheChosenFile_data();
    void changeLogoStoresTheChosenFile();
    void unreadableLogoFileStoresNothing_data();
    void unreadableLogoFileStoresNothing();
    void saveLogoGeometry_data();
    void saveLogoGeometry();
    void printLogoSwitch();
    void nextReceiptFollowsTheLogoWindow();

    void printerDialogPreselectsTheDefault_data();
    void printerDialogPreselectsTheDefault();
    void printerDialogSavesTheDefault();
    void printerListFails();

private:
    QString config(const char* column) const {
        return c_->dir->scalar(QStringLiteral("SELECT \"%1\" FROM 配置文件").arg(QString::fromUtf8(column)));
    }
    LogoWindow* openLogoWindow() {
        auto* w = new LogoWindow(*c_->db, c_->platform.prompts, c_->window->printOptions(), c_->window.get());
        w->setAttribute(Qt::WA_DeleteOnClose);
        w->show();
        return w;
    }
    QByteArray storedLogo() const {
        Database db(QStringLiteral("check"));
        if (!db.open(c_->dir->databasePath())) return {};
        return db.query(QStringLiteral("SELECT logo FROM 配置文件")).bytes(QStringLiteral("logo"));
    }

    std::unique_ptr<CounterTestWindow> c_;
    QTemporaryDir files_;
};

void ReceiptWindowsTest::init() {
    c_ = std::make_unique<CounterTestWindow>();
    QVERIFY(c_->dir->isValid());
}

void ReceiptWindowsTest::cleanup() {
    FakePrompter& prompts = c_->platform.prompts;
    VERIFY_PROMPTS_SETTLED(prompts);
    c_.reset();
}

void ReceiptWindowsTest::previewPanelFollowsMarginAndScrollBar_data() {
    QTest::addColumn<int>("margin");
    QTest::addColumn<int>("scrollTo");
    QTest::addColumn<QPoint>("panelAt");
    QTest::newRow("as opened") << 0 << 1 << QPoint(17, 9);
    QTest::newRow("margin 20") << 20 << 1 << QPoint(37, 9);
    QTest::newRow("scrolled to 300") << 0 << 300 << QPoint(17, -290);
    QTest::newRow("scrolled to the end") << 20 << 1300 << QPoint(37, -1290);
}

void ReceiptWindowsTest::previewPanelFollowsMarginAndScrollBar() {
    QFETCH(int, margin);
    QFETCH(int, scrollTo);
    QFETCH(QPoint, panelAt);
    QVERIFY(c_->open());
    c_->addLine(QStringLiteral("打印机"), QStringLiteral("2"), QStringLiteral("80"));
    c_->window->printOptions().paperMargin = margin;
    c_->click("按钮_打印预览");
    auto* preview = c_->window->findChild<PreviewWindow*>(QStringLiteral("PreviewWindow"));
    QVERIFY(preview);
    QVERIFY(preview->isVisible());
    QCOMPARE(preview->windowModality(), Qt::WindowModal);
    QCOMPARE(preview->height(), c_->window->height());
    control<QScrollBar>(preview, QStringLiteral("纵向滚动条1"))->setValue(scrollTo);
    QCOMPARE(preview->panel()->pos(), panelAt);
    QCOMPARE(preview->panel()->parentWidget(), control<QWidget>(preview, QStringLiteral("图片框1")));
    QCOMPARE(control<QLabel>(preview, QStringLiteral("标签1"))->text(), QStringLiteral("打印小票，返回主界面，点击打印即可"));
}

void ReceiptWindowsTest::previewDrawsAndChangesNothing() {
    QVERIFY(c_->open());
    c_->addLine(QStringLiteral("打印机"), QStringLiteral("2"), QStringLiteral("80"));
    c_->click("按钮_打印预览");
    auto* preview = c_->window->findChild<PreviewWindow*>(QStringLiteral("PreviewWindow"));
    QVERIFY(preview);
    const QImage drawn = preview->panel()->pixmap().toImage();
    QCOMPARE(drawn.size(), QSize(192, 1300));
    // Ink where the sale line stands (23 mm down: 92 pixels), paper far below the receipt.
    auto inkIn = [&drawn](int top, int bottom) {
        int ink = 0;
        for (int y = top; y < bottom; ++y)
            for (int x = 0; x < drawn.width(); ++x) ink += qGray(drawn.pixel(x, y)) < 128;
        return ink;
    };
    QVERIFY(inkIn(92, 104) > 20);
    QCOMPARE(inkIn(400, 1300), 0);
    preview->close();
    QCOMPARE(c_->rows(), 1);
    QVERIFY(c_->platform.printers.jobs.isEmpty());
    QCOMPARE(c_->dir->scalar(QStringLiteral("SELECT count(*) FROM 销售记录")), QStringLiteral("1"));
}

void ReceiptWindowsTest::logoWindowShowsTheStoredValues() {
    QVERIFY(c_->open());
    LogoWindow* w = openLogoWindow();
    QCOMPARE(control<QLineEdit>(w, QStringLiteral("编辑框_偏差"))->text(), QStringLiteral("120"));
    QCOMPARE(control<QLineEdit>(w, QStringLiteral("编辑框_高度"))->text(), QStringLiteral("200"));
    QCOMPARE(control<QLineEdit>(w, QStringLiteral("编辑框_宽度"))->text(), QStringLiteral("200"));
    QVERIFY(!control<QCheckBox>(w, QStringLiteral("选择框1"))->isChecked());
    QVERIFY(!control<QLabel>(w, QStringLiteral("图片框1"))->pixmap().isNull());
    QTest::mouseClick(control<QPushButton>(w, QStringLiteral("按钮2")), Qt::LeftButton);
    QVERIFY(!w->isVisible());
}

void ReceiptWindowsTest::logoWindowWithValuesUnreadable() {
    QVERIFY(c_->open());
    QVERIFY(c_->db->execute(QStringLiteral("ALTER TABLE 配置文件 RENAME COLUMN logo偏差 TO 旧偏差")));
    c_->platform.prompts.expect(QStringLiteral("logo数据打开失败！"));
    LogoWindow* w = openLogoWindow();
    QCOMPARE(c_->platform.prompts.shown().first().message.icon, MessageIcon::Error);
    QCOMPARE(control<QLineEdit>(w, QStringLiteral("编辑框_偏差"))->text(), QStringLiteral("0"));
    QCOMPARE(control<QLineEdit>(w, QStringLiteral("编辑框_高度"))->text(), QStringLiteral("300"));
    QCOMPARE(control<QLineEdit>(w, QStringLiteral("编辑框_宽度"))->text(), QStringLiteral("400"));
    QVERIFY(!control<QLabel>(w, QStringLiteral("图片框1"))->pixmap().isNull());
}

void ReceiptWindowsTest::changeLogoStoresTheChosenFile_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<bool>("shown");
    QImage picture(40, 30, QImage::Format_RGB32);
    picture.fill(Qt::red);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "PNG");
    QTest::newRow("a picture") << png << true;
    QTest::newRow("no picture") << QByteArray("plain text, not a picture") << false;
    QTest::newRow("an empty file") << QByteArray("") << false;
    QTest::newRow("cancelled") << QByteArray() << true;
    // A photo straight from a camera: stored whole, shown scaled down.
    QImage photo(3000, 2300, QImage::Format_RGB32);
    QRandomGenerator noise(4);
    for (int y = 0; y < photo.height(); ++y) {
        auto* row = reinterpret_cast<quint32*>(photo.scanLine(y));
        for (int x = 0; x < photo.width(); ++x) row[x] = noise.generate() | 0xff000000u;
    }
    QByteArray big;
    QBuffer bigBuffer(&big);
    bigBuffer.open(QIODevice::WriteOnly);
    photo.save(&bigBuffer, "PNG", 0);
    QVERIFY(big.size() > 20 * 1000 * 1000);
    QTest::newRow("a 20 MB picture") << big << true;
}

void ReceiptWindowsTest::changeLogoStoresTheChosenFile() {
    QFETCH(QByteArray, file);
    QFETCH(bool, shown);
    QVERIFY(c_->open());
    const QByteArray before = storedLogo();
    LogoWindow* w = openLogoWindow();
    const QString path = files_.filePath(QStringLiteral("新 logo.bin"));
    if (!file.isNull()) {
        QFile out(path);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(file);
        out.close();
        c_->platform.prompts.expectOpenFile(path);
    }
    c_->platform.prompts.expect(QStringLiteral("数据添加成功！"));
    QTest::mouseClick(control<QPushButton>(w, QStringLiteral("按钮_更改logo")), Qt::LeftButton);
    QCOMPARE(storedLogo(), file.isNull() ? before : file);
    QCOMPARE(!control<QLabel>(w, QStringLiteral("图片框1"))->pixmap().isNull(), shown);
}

void ReceiptWindowsTest::unreadableLogoFileStoresNothing_data() {
    QTest::addColumn<qint64>("size");  // -1: no such file
    QTest::addColumn<QString>("message");
    QTest::newRow("missing") << qint64(-1) << QStringLiteral("无法读取所选文件！");
    QTest::newRow("over 64 MB") << qint64(64) * 1024 * 1024 + 1
                                << QStringLiteral("图片文件太大（超过 64 MB），请选择较小的图片。");
}

void ReceiptWindowsTest::unreadableLogoFileStoresNothing() {
    QFETCH(qint64, size);
    QFETCH(QString, message);
    QVERIFY(c_->open());
    const QByteArray before = storedLogo();
    LogoWindow* w = openLogoWindow();
    const QString path = files_.filePath(QStringLiteral("图片.png"));
    QFile::remove(path);
    if (size >= 0) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QVERIFY(file.resize(size));  // sparse: costs no disk
    }
    c_->platform.prompts.expectOpenFile(path);
    c_->platform.prompts.expect(message);
    QTest::mouseClick(control<QPushButton>(w, QStringLiteral("按钮_更改logo")), Qt::LeftButton);
    QCOMPARE(storedLogo(), before);
}

void ReceiptWindowsTest::saveLogoGeometry_data() {
    QTest::addColumn<QStringList>("typed");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<bool>("fails");
    QTest::newRow("negative shift") << QStringList{"-50", "300", "400"} << "-50|300|400" << false;
    QTest::newRow("blanks around") << QStringList{" 10 ", "20", "30"} << "10|20|30" << false;
    QTest::newRow("height not a number") << QStringList{"-50", "abc", "400"} << "120|200|200" << true;
    QTest::newRow("width empty") << QStringList{"0", "300", ""} << "120|200|200" << true;
    QTest::newRow("fraction") << QStringList{"2.5", "300", "400"} << "120|200|200" << true;
    QTest::newRow("negative size") << QStringList{"0", "-300", "400"} << "120|200|200" << true;
}

void ReceiptWindowsTest::saveLogoGeometry() {
    QFETCH(QStringList, typed);
    QFETCH(QString, stored);
    QFETCH(bool, fails);
    QVERIFY(c_->open());
    LogoWindow* w = openLogoWindow();
    const char* boxes[] = {"编辑框_偏差", "编辑框_高度", "编辑框_宽度"};
    for (int i = 0; i < 3; ++i) {
        auto* box = control<QLineEdit>(w, QString::fromUtf8(boxes[i]));
        box->selectAll();
        QTest::keyClick(box, Qt::Key_Backspace);
        QTest::keyClicks(box, typed[i]);
    }
    if (fails) c_->platform.prompts.expect(QStringLiteral("数据添加失败！"));
    QTest::mouseClick(control<QPushButton>(w, QStringLiteral("按钮_保存")), Qt::LeftButton);
    QCOMPARE(c_->dir->scalar(QStringLiteral("SELECT logo偏差 || '|' || logo高度 || '|' || logo宽度 FROM 配置文件")), stored);
}

void ReceiptWindowsTest::printLogoSwitch() {
    QVERIFY(c_->open());
    LogoWindow* w = openLogoWindow();
    auto* box = control<QCheckBox>(w, QStringLiteral("选择框1"));
    box->click();
    QCOMPARE(config("是否打印logo"), QStringLiteral("真"));
    QVERIFY(c_->window->printOptions().printLogo);
    box->click();
    QCOMPARE(config("是否打印logo"), QStringLiteral("假"));
    QVERIFY(!c_->window->printOptions().printLogo);

    // A file that refuses the change keeps the receipts as they were.
    QVERIFY(c_->db->execute(QStringLiteral("CREATE TRIGGER refuse BEFORE UPDATE ON 配置文件 BEGIN SELECT RAISE(ABORT, 'no'); END")));
    c_->platform.prompts.expect(QStringLiteral("数据修改失败"));
    box->click();
    QVERIFY(!c_->window->printOptions().printLogo);
    QCOMPARE(config("是否打印logo"), QStringLiteral("假"));
}

void ReceiptWindowsTest::nextReceiptFollowsTheLogoWindow() {
    QTemporaryDir out;
    FakePrinting& printers = c_->platform.printers;
    printers.printers = QStringList{QStringLiteral("小票机")};
    printers.defaultName = QStringLiteral("小票机");
    printers.outputDirectory = out.path();
    QVERIFY(c_->open());
    LogoWindow* w = openLogoWindow();
    control<QCheckBox>(w, QStringLiteral("选择框1"))->click();
    auto* height = control<QLineEdit>(w, QStringLiteral("编辑框_高度"));
    height->selectAll();
    QTest::keyClicks(height, QStringLiteral("300"));
    QTest::mouseClick(control<QPushButton>(w, QStringLiteral("按钮_保存")), Qt::LeftButton);
    w->close();
    c_->addLine(QStringLiteral("打印机"), QStringLiteral("1"), QStringLiteral("80"));
    c_->click("按钮_打印预览");
    auto* preview = c_->window->findChild<PreviewWindow*>(QStringLiteral("PreviewWindow"));
    QVERIFY(preview);
    // The logo fills the top 30 mm (120 pixels) of the panel; the sale line follows below it.
    const QImage drawn = preview->panel()->pixmap().toImage();
    int ink = 0;
    for (int y = 10; y < 120; ++y) ink += qGray(drawn.pixel(100, y)) < 200;
    QVERIFY(ink > 50);
}

void ReceiptWindowsTest::printerDialogPreselectsTheDefault_data() {
    QTest::addColumn<QString>("defaultName");
    QTest::addColumn<int>("selected");
    QTest::newRow("the default") << QStringLiteral("Kitchen") << 1;
    QTest::newRow("by its start, any case") << QStringLiteral("kit,winspool,Ne00:") << 1;
    QTest::newRow("Chinese name") << QStringLiteral("前台小票机") << 2;
    QTest::newRow("no default") << QString() << 0;
    QTest::newRow("unknown default") << QStringLiteral("Elsewhere") << -1;
}

void ReceiptWindowsTest::printerDialogPreselectsTheDefault() {
    QFETCH(QString, defaultName);
    QFETCH(int, selected);
    FakePrinting& printers = c_->platform.printers;
    printers.printers = QStringList{QStringLiteral("Bar"), QStringLiteral("Kitchen"), QStringLiteral("前台小票机")};
    printers.defaultName = defaultName;
    PrinterDialog dialog(printers, c_->platform.prompts);
    auto* list = control<QComboBox>(&dialog, QStringLiteral("组合框_打印机名称"));
    QCOMPARE(list->count(), 3);
    QCOMPARE(list->currentIndex(), selected);
}

void ReceiptWindowsTest::printerDialogSavesTheDefault() {
    FakePrinting& printers = c_->platform.printers;
    printers.printers = QStringList{QStringLiteral("Bar"), QStringLiteral("前台小票机")};
    printers.defaultName = QStringLiteral("Elsewhere");
    PrinterDialog dialog(printers, c_->platform.prompts);
    dialog.show();
    auto* save = control<QPushButton>(&dialog, QStringLiteral("按钮_保存"));
    c_->platform.prompts.expect(QStringLiteral("请先选择一台打印机。"));
    QTest::mouseClick(save, Qt::LeftButton);
    QCOMPARE(printers.defaultName, QStringLiteral("Elsewhere"));

    control<QComboBox>(&dialog, QStringLiteral("组合框_打印机名称"))->setCurrentIndex(1);
    QTest::mouseClick(save, Qt::LeftButton);
    QCOMPARE(printers.defaultName, QStringLiteral("前台小票机"));
    QVERIFY(dialog.isVisible());
    QTest::mouseClick(control<QPushButton>(&dialog, QStringLiteral("按钮1")), Qt::LeftButton);
    QVERIFY(!dialog.isVisible());
}

void ReceiptWindowsTest::printerListFails() {
    c_->platform.printers.listingFails = true;
    c_->platform.prompts.expect(QStringLiteral("枚举打印机失败"));
    PrinterDialog dialog(c_->platform.printers, c_->platform.prompts);
    QCOMPARE(control<QComboBox>(&dialog, QStringLiteral("组合框_打印机名称"))->count(), 0);
}

QTEST_MAIN(ReceiptWindowsTest)
#include "tst_receiptwindows.moc"
