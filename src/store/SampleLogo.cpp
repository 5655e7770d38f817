#include "store/SampleLogo.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

QByteArray sampleLogoJpeg() {
    QImage image(430, 430, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x1f, 0x5f, 0xa8));
        p.drawEllipse(QRectF(15, 15, 400, 400));
        // Awning
        p.setBrush(QColor(0xf2, 0xb1, 0x34));
        QPainterPath awning;
        awning.moveTo(95, 175);
        awning.lineTo(125, 115);
        awning.lineTo(305, 115);
        awning.lineTo(335, 175);
        awning.closeSubpath();
        p.drawPath(awning);
        // Shop body, door and window
        p.setBrush(Qt::white);
        p.drawRect(QRectF(115, 175, 200, 140));
        p.setBrush(QColor(0x1f, 0x5f, 0xa8));
        p.drawRect(QRectF(140, 215, 60, 100));
        p.drawRect(QRectF(225, 215, 65, 50));
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPG", 90);
    return bytes;
}
