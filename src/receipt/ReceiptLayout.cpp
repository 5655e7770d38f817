#include "receipt/ReceiptLayout.h"

#include <QRegularExpression>

#include "store/TextRules.h"

bool ReceiptOp::operator==(const ReceiptOp& other) const {
    return kind == other.kind && x == other.x && y == other.y && text == other.text && font == other.font &&
           right == other.right && width == other.width && height == other.height && flows == other.flows;
}

namespace {

// Every separator line ends here, whatever the layout's left edge.
constexpr int lineEnd = 480;
constexpr int rowHeight = 40;
constexpr int firstRow = 230;

class Builder {
public:
    explicit Builder(QList<ReceiptOp>& ops) : ops_(ops) {}

    void text(int x, int y, const QString& text, ReceiptOp::Font font = ReceiptOp::Font::Body) {
        ReceiptOp op;
        op.kind = ReceiptOp::Kind::Text;
        op.x = x;
        op.y = y;
        op.text = text;
        op.font = font;
        op.flows = flowing_;
        ops_.append(op);
    }

    void line(int x, int y) {
        ReceiptOp op;
        op.kind = ReceiptOp::Kind::Line;
        op.x = x;
        op.y = y;
        op.right = lineEnd;
        op.flows = flowing_;
        ops_.append(op);
    }

    void logo(int x, int y, int width, int height) {
        ReceiptOp op;
        op.kind = ReceiptOp::Kind::Logo;
        op.x = x;
        op.y = y;
        op.width = width;
        op.height = height;
        ops_.append(op);
    }

    // From the sale lines on, a receipt longer than the page goes on over the next pages.
    void startFlowing() { flowing_ = true; }

private:
    QList<ReceiptOp>& ops_;
    bool flowing_ = false;
};

// A number right-aligned by the estimate of 8 units per byte, or its first bytes at a fixed x
// when it is longer than its column allows.
struct NumberColumn {
    int limit;      // longest text that is right-aligned
    int rightEdge;  // x + 8 × length for a text within the limit
    int cutBytes;   // what is kept of a longer text
};

void placeNumber(Builder& out, const QString& text, const NumberColumn& column, int longX, int x0, int y) {
    const int length = gbkLength(text);
    if (length <= column.limit)
        out.text(x0 + column.rightEdge - 8 * length, y, text);
    else
        out.text(x0 + longX, y, gbkLeft(text, column.cutBytes));
}

}  // namespace

QStringList noteLines(const QString& note) {
    static const QRegularExpression breaks(QStringLiteral("\r\n|\r|\n"));
    return note.split(breaks);
}

int countNoteLines(const QString& note) {
    if (note.isEmpty()) return 0;
    QStringList parts = noteLines(note);
    if (parts.last().isEmpty()) parts.removeLast();
    return static_cast<int>(parts.size());
}

QList<ReceiptOp> layoutReceipt(const ReceiptContent& content, const PrintOptions& options,
                               const LogoGeometry& logo, ReceiptSurface surface, int noteLineAdvance) {
    const bool preview = surface == ReceiptSurface::Preview;
    const bool unitPrice = options.printUnitPrice;
    QList<ReceiptOp> ops;
    Builder out(ops);

    const int x0 = options.printOffset;
    int y0 = 0;
    if (options.printLogo) {
        out.logo(x0 + logo.offset, 5, logo.width, logo.height);
        y0 = logo.height + (preview && unitPrice ? 10 : 0);
    }

    // Centred on x0 + 240 by the estimate of 24 units per character byte of the title font.
    out.text(x0 + 240 - 12 * gbkLength(content.shopName), y0 + 10, content.shopName, ReceiptOp::Font::Title);
    out.line(x0, y0 + 60);
    out.line(x0, y0 + 68);
    if (preview) {
        out.text(x0, y0 + 80, QStringLiteral("单号："));
        out.text(x0 + 100, y0 + 80, content.receiptNumber);
        out.text(x0, y0 + 120, QStringLiteral("时间："));
        out.text(x0 + 100, y0 + 120, content.time);
    } else {
        out.text(x0, y0 + 80, QStringLiteral("单号：") + content.receiptNumber);
        out.text(x0, y0 + 120, QStringLiteral("时间：") + content.time);
    }
    out.line(x0, y0 + 155);
    out.text(x0, y0 + 180, QStringLiteral("名称"));
    out.text(x0 + (unitPrice ? 165 : 250), y0 + 180, QStringLiteral("数量"));
    if (unitPrice) out.text(x0 + 255, y0 + 180, QStringLiteral("单价"));
    out.text(x0 + (unitPrice ? 370 : 360), y0 + 180, QStringLiteral("金额"));

    out.startFlowing();
    const int nameLimit = unitPrice ? 10 : 15;
    int rowOffset = 0;
    for (const ReceiptLine& line : content.lines) {
        out.text(x0, y0 + rowOffset + firstRow, line.name);
        if (gbkLength(line.name) > nameLimit) rowOffset += rowHeight;
        const int y = y0 + rowOffset + firstRow;
        if (unitPrice) {
            placeNumber(out, line.quantity, {6, 190, 6}, 142, x0, y);
            placeNumber(out, line.unitPrice, {8, 292, 6}, 236, x0, y);
            placeNumber(out, line.amount, {10, 415, 10}, 330, x0, y);
        } else {
            // A long quantity stands further left the longer it is, as the shop's receipts always had it.
            const int length = gbkLength(line.quantity);
            placeNumber(out, line.quantity, {8, 280, 8}, 364 - 16 * length, x0, y);
            placeNumber(out, line.amount, {10, 415, 10}, 340, x0, y);
        }
        rowOffset += rowHeight;
    }

    const int t = y0 + rowOffset;
    const QString colon = preview ? QStringLiteral("：") : QStringLiteral(":");
    out.line(x0, t + 225);
    out.text(x0, t + 240, QStringLiteral("合计数量") + colon + content.totalQuantity);
    out.text(x0 + 250, t + 240, QStringLiteral("总额") + colon + content.totalAmount);
    out.text(x0, t + 280, QStringLiteral("折后总额") + colon + content.discountedTotal);
    out.text(x0, t + 320, QStringLiteral("实收现金") + colon + content.received);
    out.text(x0 + 250, t + 320, QStringLiteral("找零") + colon + content.change);
    out.text(x0, t + 360, QStringLiteral("收银员") + colon + content.cashier);
    QString payment = content.paymentMethod;
    if (!preview) {
        qsizetype blanks = 0;
        while (blanks < payment.size() && payment.at(blanks).isSpace()) ++blanks;
        payment.remove(0, blanks);
    }
    out.text(x0 + 250, t + 360, QStringLiteral("付款方式") + colon + payment);
    out.line(x0, t + 410);
    out.line(x0, t + 418);

    const QStringList note = content.note.isEmpty() ? QStringList() : noteLines(content.note);
    for (int i = 0; i < note.size(); ++i)
        if (!note[i].isEmpty()) out.text(x0, t + 440 + i * noteLineAdvance, note[i]);
    // The dot feeds the paper past the note; with a tall face a long note outgrows 40 units a line.
    const int noteLineCount = countNoteLines(content.note);
    const int dotY = qMax(t + 450 + rowHeight * noteLineCount, t + 440 + noteLineAdvance * noteLineCount);
    out.text(x0, dotY, QStringLiteral("."), ReceiptOp::Font::Dot);
    return ops;
}
