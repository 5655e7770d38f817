#include <QTest>

#include "receipt/ReceiptLayout.h"

// Where every element of the receipt lands, in 0.1 mm, on paper and in the preview.
class ReceiptLayoutTest : public QObject {
    Q_OBJECT
private slots:
    void oneLineWithUnitPrice();
    void longNamesPushTheirNumbersDown_data();
    void longNamesPushTheirNumbersDown();
    void numberColumns_data();
    void numberColumns();
    void titleIsCentredByBytes_data();
    void titleIsCentredByBytes();
    void logoMovesTheTextDown_data();
    void logoMovesTheTextDown();
    void printOffsetMovesTheLeftEdgeOnly();
    void closingDotFollowsTheNote_data();
    void closingDotFollowsTheNote();
    void countNoteLines_data();
    void countNoteLines();
    void previewDiffersFromPaper();
};

namespace {

ReceiptContent sale(const QList<ReceiptLine>& lines = {{QStringLiteral("打印机"), QStringLiteral("2"),
                                                        QStringLiteral("80.00"), QStringLiteral("160.00")}}) {
    ReceiptContent c;
    c.shopName = QStringLiteral("科瓦内便利店");
    c.receiptNumber = QStringLiteral("0000000000002");
    c.time = QStringLiteral("2026-12-11  09:30:05");
    c.lines = lines;
    c.totalQuantity = QStringLiteral("2");
    c.totalAmount = QStringLiteral("160.00");
    c.discountedTotal = QStringLiteral("160.00");
    c.received = QStringLiteral("200.00");
    c.change = QStringLiteral("40.00");
    c.cashier = QStringLiteral("admin");
    c.paymentMethod = QStringLiteral("  现金");
    c.note = QStringLiteral("谢谢惠顾");
    return c;
}

PrintOptions options(bool unitPrice = true) {
    PrintOptions o;
    o.printUnitPrice = unitPrice;
    return o;
}

QList<ReceiptOp> layout(const ReceiptContent& c, const PrintOptions& o = options(), LogoGeometry logo = {},
                        ReceiptSurface surface = ReceiptSurface::Paper) {
    return layoutReceipt(c, o, logo, surface, 30);
}

// The place of the first text op that is exactly `text`; (-9999, -9999) when there is none.
QPoint at(const QList<ReceiptOp>& ops, const QString& text, int occurrence = 0) {
    for (const ReceiptOp& op : ops)
        if (op.kind == ReceiptOp::Kind::Text && op.text == text && occurrence-- == 0) return {op.x, op.y};
    return {-9999, -9999};
}

QList<int> lineYs(const QList<ReceiptOp>& ops) {
    QList<int> ys;
    for (const ReceiptOp& op : ops)
        if (op.kind == ReceiptOp::Kind::Line) ys << op.y;
    return ys;
}

}  // namespace

void ReceiptLayoutTest::oneLineWithUnitPrice() {
    const QList<ReceiptOp> ops = layout(sale());
    QCOMPARE(at(ops, QStringLiteral("打印机")), QPoint(0, 230));
    QCOMPARE(at(ops, QStringLiteral("2")), QPoint(182, 230));
    QCOMPARE(at(ops, QStringLiteral("80.00")), QPoint(252, 230));
    QCOMPARE(at(ops, QStringLiteral("160.00")), QPoint(367, 230));
    QCOMPARE(lineYs(ops), (QList<int>{60, 68, 155, 265, 450, 458}));
    for (const ReceiptOp& op : ops)
        if (op.kind == ReceiptOp::Kind::Line) QCOMPARE(op.right, 480);
    QCOMPARE(at(ops, QStringLiteral("单号：0000000000002")), QPoint(0, 80));
    QCOMPARE(at(ops, QStringLiteral("时间：2026-12-11  09:30:05")), QPoint(0, 120));
    QCOMPARE(at(ops, QStringLiteral("名称")), QPoint(0, 180));
    QCOMPARE(at(ops, QStringLiteral("数量")), QPoint(165, 180));
    QCOMPARE(at(ops, QStringLiteral("单价")), QPoint(255, 180));
    QCOMPARE(at(ops, QStringLiteral("金额")), QPoint(370, 180));
    QCOMPARE(at(ops, QStringLiteral("合计数量:2")), QPoint(0, 280));
    QCOMPARE(at(ops, QStringLiteral("总额:160.00")), QPoint(250, 280));
    QCOMPARE(at(ops, QStringLiteral("折后总额:160.00")), QPoint(0, 320));
    QCOMPARE(at(ops, QStringLiteral("实收现金:200.00")), QPoint(0, 360));
    QCOMPARE(at(ops, QStringLiteral("找零:40.00")), QPoint(250, 360));
    QCOMPARE(at(ops, QStringLiteral("收银员:admin")), QPoint(0, 400));
    QCOMPARE(at(ops, QStringLiteral("付款方式:现金")), QPoint(250, 400));
    QCOMPARE(at(ops, QStringLiteral("谢谢惠顾")), QPoint(0, 480));
    QCOMPARE(at(ops, QStringLiteral(".")), QPoint(0, 530));
}

void ReceiptLayoutTest::longNamesPushTheirNumbersDown_data() {
    QTest::addColumn<bool>("unitPrice");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("numbersAt");
    QTest::addColumn<int>("nextRowAt");
    QTest::newRow("12 bytes, unit price") << true << QStringLiteral("六个汉字名称") << 270 << 310;
    QTest::newRow("10 bytes, unit price") << true << QStringLiteral("五个汉字名") << 230 << 270;
    QTest::newRow("12 bytes, no unit price") << false << QStringLiteral("六个汉字名称") << 230 << 270;
    QTest::newRow("16 bytes, no unit price") << false << QStringLiteral("八个汉字的名称长") << 270 << 310;
    QTest::newRow("15 ASCII bytes, no unit price") << false << QStringLiteral("abcdefghijklmno") << 230 << 270;
}

void ReceiptLayoutTest::longNamesPushTheirNumbersDown() {
    QFETCH(bool, unitPrice);
    QFETCH(QString, name);
    QFETCH(int, numbersAt);
    QFETCH(int, nextRowAt);
    const QList<ReceiptOp> ops = layout(sale({{name, QStringLiteral("3"), QStringLiteral("1.00"), QStringLiteral("3.00")},
                                              {QStringLiteral("茶"), QStringLiteral("4"), QStringLiteral("1.00"),
                                               QStringLiteral("4.00")}}),
                                        options(unitPrice));
    QCOMPARE(at(ops, name).y(), 230);
    QCOMPARE(at(ops, QStringLiteral("3")).y(), numbersAt);
    QCOMPARE(at(ops, QStringLiteral("3.00")).y(), numbersAt);
    QCOMPARE(at(ops, QStringLiteral("茶")).y(), nextRowAt);
    QCOMPARE(at(ops, QStringLiteral("4")).y(), nextRowAt);
}

void ReceiptLayoutTest::numberColumns_data() {
    QTest::addColumn<bool>("unitPrice");
    QTest::addColumn<int>("column");  // 0 quantity, 1 unit price, 2 amount
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("printed");
    QTest::addColumn<int>("x");
    QTest::newRow("quantity of 6") << true << 0 << QStringLiteral("123456") << QStringLiteral("123456") << 142;
    QTest::newRow("quantity of 7 is cut") << true << 0 << QStringLiteral("1234567") << QStringLiteral("123456") << 142;
    QTest::newRow("quantity cut between characters")
        << true << 0 << QStringLiteral("1二三四") << QStringLiteral("1二三") << 142;
    QTest::newRow("price of 8") << true << 1 << QStringLiteral("12345.00") << QStringLiteral("12345.00") << 228;
    QTest::newRow("price of 9 is cut to 6") << true << 1 << QStringLiteral("123456.00") << QStringLiteral("123456")
                                            << 236;
    QTest::newRow("amount of 10") << true << 2 << QStringLiteral("1234567.00") << QStringLiteral("1234567.00") << 335;
    QTest::newRow("amount of 11 is cut") << true << 2 << QStringLiteral("12345678.00") << QStringLiteral("12345678.0")
                                         << 330;
    QTest::newRow("no unit price: quantity of 8") << false << 0 << QStringLiteral("12345678")
                                                  << QStringLiteral("12345678") << 216;
    QTest::newRow("no unit price: quantity of 9") << false << 0 << QStringLiteral("123456789")
                                                  << QStringLiteral("12345678") << 220;
    QTest::newRow("no unit price: amount of 11") << false << 2 << QStringLiteral("12345678.00")
                                                 << QStringLiteral("12345678.0") << 340;
}

void ReceiptLayoutTest::numberColumns() {
    QFETCH(bool, unitPrice);
    QFETCH(int, column);
    QFETCH(QString, text);
    QFETCH(QString, printed);
    QFETCH(int, x);
    ReceiptLine line{QStringLiteral("茶"), QStringLiteral("q"), QStringLiteral("p"), QStringLiteral("a")};
    (column == 0 ? line.quantity : column == 1 ? line.unitPrice : line.amount) = text;
    const QList<ReceiptOp> ops = layout(sale({line}), options(unitPrice));
    QCOMPARE(at(ops, printed), QPoint(x, 230));
    if (!unitPrice) QCOMPARE(at(ops, QStringLiteral("p")), QPoint(-9999, -9999));
}

void ReceiptLayoutTest::titleIsCentredByBytes_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("x");
    QTest::newRow("8 characters") << QStringLiteral("科瓦内便利店总店") << 48;
    QTest::newRow("20 bytes") << QStringLiteral("Korvane 小店 Shop012") << 0;
    QTest::newRow("40 characters") << QString(40, QChar(0x5E97)) << -720;
    QTest::newRow("empty") << QString() << 240;
}

void ReceiptLayoutTest::titleIsCentredByBytes() {
    QFETCH(QString, name);
    QFETCH(int, x);
    ReceiptContent c = sale();
    c.shopName = name;
    const QList<ReceiptOp> ops = layout(c);
    QCOMPARE(ops.first().font, ReceiptOp::Font::Title);
    QCOMPARE(ops.first().text, name);
    QCOMPARE(QPoint(ops.first().x, ops.first().y), QPoint(x, 10));
}

void ReceiptLayoutTest::logoMovesTheTextDown_data() {
    QTest::addColumn<bool>("unitPrice");
    QTest::addColumn<int>("surface");
    QTest::addColumn<int>("titleY");
    QTest::newRow("paper") << true << int(ReceiptSurface::Paper) << 210;
    QTest::newRow("paper, no unit price") << false << int(ReceiptSurface::Paper) << 210;
    QTest::newRow("preview") << true << int(ReceiptSurface::Preview) << 220;
    QTest::newRow("preview, no unit price") << false << int(ReceiptSurface::Preview) << 210;
}

void ReceiptLayoutTest::logoMovesTheTextDown() {
    QFETCH(bool, unitPrice);
    QFETCH(int, surface);
    QFETCH(int, titleY);
    PrintOptions o = options(unitPrice);
    o.printLogo = true;
    const QList<ReceiptOp> ops = layout(sale(), o, {-50, 200, 300}, ReceiptSurface(surface));
    QCOMPARE(ops.first().kind, ReceiptOp::Kind::Logo);
    QCOMPARE(QRect(ops.first().x, ops.first().y, ops.first().width, ops.first().height), QRect(-50, 5, 300, 200));
    QCOMPARE(at(ops, QStringLiteral("科瓦内便利店")).y(), titleY);
    QCOMPARE(at(ops, QStringLiteral("打印机")).y(), titleY - 10 + 230);

    o.printLogo = false;
    QVERIFY(layout(sale(), o, {-50, 200, 300}, ReceiptSurface(surface)).first().kind != ReceiptOp::Kind::Logo);
}

void ReceiptLayoutTest::printOffsetMovesTheLeftEdgeOnly() {
    PrintOptions o = options();
    o.printOffset = 30;
    o.paperMargin = 70;  // the printer's own offset, applied when painting
    const QList<ReceiptOp> ops = layout(sale(), o);
    QCOMPARE(at(ops, QStringLiteral("打印机")), QPoint(30, 230));
    QCOMPARE(at(ops, QStringLiteral("160.00")), QPoint(397, 230));
    QCOMPARE(at(ops, QStringLiteral("科瓦内便利店")).x(), 30 + 240 - 144);
    for (const ReceiptOp& op : ops) {
        if (op.kind != ReceiptOp::Kind::Line) continue;
        QCOMPARE(op.x, 30);
        QCOMPARE(op.right, 480);
    }
}

void ReceiptLayoutTest::closingDotFollowsTheNote_data() {
    QTest::addColumn<QString>("note");
    QTest::addColumn<int>("advance");
    QTest::addColumn<int>("dotY");
    QTest::addColumn<QList<int>>("noteYs");
    QTest::newRow("empty") << QString() << 30 << 490 << QList<int>{};
    QTest::newRow("three lines") << QStringLiteral("一\r\n二\r\n三") << 30 << 610 << QList<int>{480, 510, 540};
    QTest::newRow("three lines with LF") << QStringLiteral("一\n二\n三\n") << 30 << 610 << QList<int>{480, 510, 540};
    QTest::newRow("empty line between") << QStringLiteral("一\r\n\r\n三") << 30 << 610 << QList<int>{480, 540};
    QTest::newRow("three lines, tall face") << QStringLiteral("一\r\n二\r\n三") << 42 << 610 << QList<int>{480, 522, 564};
    // Lines taller than 40 units: the dot still comes after the last one.
    QTest::newRow("twelve lines, tall face") << QStringLiteral("行\n").repeated(12) << 42 << 40 + 440 + 12 * 42
                                            << [] {
                                                   QList<int> ys;
                                                   for (int i = 0; i < 12; ++i) ys << 480 + 42 * i;
                                                   return ys;
                                               }();
}

void ReceiptLayoutTest::closingDotFollowsTheNote() {
    QFETCH(QString, note);
    QFETCH(int, advance);
    QFETCH(int, dotY);
    QFETCH(QList<int>, noteYs);
    ReceiptContent c = sale();
    c.note = note;
    const QList<ReceiptOp> ops = layoutReceipt(c, options(), {}, ReceiptSurface::Paper, advance);
    const ReceiptOp& dot = ops.last();
    QCOMPARE(dot.text, QStringLiteral("."));
    QCOMPARE(dot.font, ReceiptOp::Font::Dot);
    QCOMPARE(QPoint(dot.x, dot.y), QPoint(0, dotY));
    QList<int> ys;
    for (const ReceiptOp& op : ops)
        if (op.kind == ReceiptOp::Kind::Text && op.y >= 480 && op.text != QStringLiteral(".")) ys << op.y;
    QCOMPARE(ys, noteYs);
}

void ReceiptLayoutTest::countNoteLines_data() {
    QTest::addColumn<QString>("note");
    QTest::addColumn<int>("count");
    QTest::newRow("empty") << QString() << 0;
    QTest::newRow("one line") << QStringLiteral("a") << 1;
    QTest::newRow("one line and a break") << QStringLiteral("a\r\n") << 1;
    QTest::newRow("two lines") << QStringLiteral("a\r\nb") << 2;
    QTest::newRow("empty line between") << QStringLiteral("a\r\n\r\nb") << 3;
    QTest::newRow("only a break") << QStringLiteral("\r\n") << 1;
}

void ReceiptLayoutTest::countNoteLines() {
    QFETCH(QString, note);
    QFETCH(int, count);
    QCOMPARE(::countNoteLines(note), count);
}

void ReceiptLayoutTest::previewDiffersFromPaper() {
    const QList<ReceiptOp> paper = layout(sale(), options(), {}, ReceiptSurface::Paper);
    const QList<ReceiptOp> preview = layout(sale(), options(), {}, ReceiptSurface::Preview);
    QCOMPARE(at(preview, QStringLiteral("单号：")), QPoint(0, 80));
    QCOMPARE(at(preview, QStringLiteral("0000000000002")), QPoint(100, 80));
    QCOMPARE(at(preview, QStringLiteral("时间：")), QPoint(0, 120));
    QCOMPARE(at(preview, QStringLiteral("2026-12-11  09:30:05")), QPoint(100, 120));
    QCOMPARE(at(preview, QStringLiteral("合计数量：2")), QPoint(0, 280));
    QCOMPARE(at(preview, QStringLiteral("付款方式：  现金")), QPoint(250, 400));
    QCOMPARE(at(paper, QStringLiteral("付款方式:现金")), QPoint(250, 400));
    // Everything below the header stands where it stands on paper.
    QCOMPARE(lineYs(preview), lineYs(paper));
    QCOMPARE(at(preview, QStringLiteral("160.00")), at(paper, QStringLiteral("160.00")));
}

QTEST_GUILESS_MAIN(ReceiptLayoutTest)
#include "tst_receiptlayout.moc"
