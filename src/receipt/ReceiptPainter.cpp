#include "receipt/ReceiptPainter.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QImageReader>
#include <QPaintDevice>
#include <QPainter>

QStringList receiptFontFamilies(ReceiptSurface surface) {
    QStringList families = surface == ReceiptSurface::Paper
                               ? QStringList{QStringLiteral("宋体"), QStringLiteral("SimSun")}
                               : QStringList{QStringLiteral("新宋体"), QStringLiteral("NSimSun")};
    families << QStringLiteral("Noto Serif CJK SC") << QStringLiteral("Noto Sans CJK SC")
             << QStringLiteral("WenQuanYi Zen Hei") << QStringLiteral("WenQuanYi Micro Hei");
    return families;
}

namespace {

double pointsOf(ReceiptOp::Font role) {
    return role == ReceiptOp::Font::Title ? 12 : role == ReceiptOp::Font::Body ? 8 : 1;
}

}  // namespace

ReceiptPainter::ReceiptPainter(QPainter& painter, ReceiptSurface surface, double pixelsPerUnit)
    : painter_(painter), surface_(surface), pixelsPerUnit_(pixelsPerUnit) {
    for (ReceiptOp::Font role : {ReceiptOp::Font::Title, ReceiptOp::Font::Body, ReceiptOp::Font::Dot}) {
        const QFont font = fontFor(role);
        const QFontMetricsF metrics(font, painter_.device());
        // The layout reserves one em for a text below its point, the height of 宋体's cell. A face
        // with a taller cell (Noto CJK's is 1.45 em) is centred on that em, or its characters
        // would sink into the separator line under them.
        const double em = pointsOf(role) * 254.0 / 72.0;
        const double top = (em - metrics.height()) / 2;
        faces_.append({font, top + metrics.ascent(), top, metrics.height()});
    }
}

void ReceiptPainter::setPaging(int pageHeight, std::function<bool()> newPage) {
    pageHeight_ = pageHeight;
    newPage_ = std::move(newPage);
}

QFont ReceiptPainter::fontFor(ReceiptOp::Font role) const {
    QFont font;
    font.setFamilies(receiptFontFamilies(surface_));
    font.setStyleHint(QFont::Serif);
    const double points = pointsOf(role);
    // The painter scales device pixels to 0.1 mm; the font is sized in those units so that it
    // comes out at its point size.
    const int dpi = painter_.device() ? painter_.device()->logicalDpiY() : 96;
    font.setPointSizeF(points * 254.0 / dpi);
    font.setBold(role == ReceiptOp::Font::Title);
    return font;
}

int ReceiptPainter::noteLineAdvance() const {
    return static_cast<int>(faceOf(ReceiptOp::Font::Body).height + 2.0 / pixelsPerUnit_);
}

double ReceiptPainter::topOf(const ReceiptOp& op) const {
    if (op.kind != ReceiptOp::Kind::Text) return op.kind == ReceiptOp::Kind::Line ? op.y - 1 : op.y;
    return op.y + faceOf(op.font).top;
}

double ReceiptPainter::heightOf(const ReceiptOp& op) const {
    if (op.kind != ReceiptOp::Kind::Text) return op.kind == ReceiptOp::Kind::Line ? 2 : op.height;
    return faceOf(op.font).height;
}

void ReceiptPainter::paint(const QList<ReceiptOp>& ops, int horizontalOffset) {
    painter_.save();
    painter_.scale(pixelsPerUnit_, pixelsPerUnit_);
    painter_.setRenderHint(QPainter::Antialiasing, surface_ == ReceiptSurface::Preview);
    painter_.setBackgroundMode(Qt::TransparentMode);

    QPen dotted(Qt::black);
    if (surface_ == ReceiptSurface::Paper) {
        // A hairline dotted pen comes out solid on a thermal printer: 0.4 mm of ink, 0.4 mm of paper.
        dotted.setWidthF(2);
        dotted.setDashPattern({2, 2});
        dotted.setCapStyle(Qt::FlatCap);
    } else {
        dotted.setCosmetic(true);
        dotted.setWidth(1);
        dotted.setStyle(Qt::DotLine);
    }

    double pageTop = 0;
    for (const ReceiptOp& op : ops) {
        const double top = topOf(op);
        if (op.flows && newPage_ && pageHeight_ > 0 && top - pageTop + heightOf(op) > pageHeight_ &&
            top > pageTop) {
            if (!newPage_()) break;
            pageTop = top;
        }
        painter_.save();
        painter_.translate(horizontalOffset, op.flows ? -pageTop : 0);
        switch (op.kind) {
        case ReceiptOp::Kind::Text: {
            const Face& face = faceOf(op.font);
            painter_.setFont(face.font);
            painter_.setPen(Qt::black);
            painter_.drawText(QPointF(op.x, op.y + face.baseline), op.text);
            break;
        }
        case ReceiptOp::Kind::Line:
            painter_.setPen(dotted);
            painter_.drawLine(QPointF(op.x, op.y), QPointF(op.right, op.y));
            break;
        case ReceiptOp::Kind::Logo:
            drawLogo(op);
            break;
        }
        painter_.restore();
    }
    painter_.restore();
}

void ReceiptPainter::drawLogo(const ReceiptOp& op) {
    if (logo_.isEmpty() || op.width <= 0 || op.height <= 0) return;
    QBuffer buffer(&logo_);
    if (!buffer.open(QIODevice::ReadOnly)) return;
    QImageReader reader(&buffer);
    // Decode no larger than it is drawn: a photo of many megabytes costs no more than the logo.
    const QSize target(qMax(1, static_cast<int>(op.width * pixelsPerUnit_)),
                       qMax(1, static_cast<int>(op.height * pixelsPerUnit_)));
    const QSize size = reader.size();
    if (size.isValid() && (size.width() > target.width() || size.height() > target.height()))
        reader.setScaledSize(target);
    const QImage image = reader.read();
    if (image.isNull()) return;
    painter_.drawImage(QRectF(op.x, op.y, op.width, op.height), image);
}
