#include "startup/Banner.h"

#include <QLinearGradient>
#include <QPainter>

QPixmap loginBanner(int width, int height) {
    QPixmap pixmap(width, height);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, width, height);
    sky.setColorAt(0, QColor(0x17, 0x4e, 0x8f));
    sky.setColorAt(1, QColor(0x3a, 0x8d, 0xd8));
    p.fillRect(pixmap.rect(), sky);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 40));
    p.drawEllipse(QPointF(width * 0.85, height * 0.2), height * 0.9, height * 0.9);
    p.setPen(Qt::white);
    QFont title = p.font();
    title.setPixelSize(height * 2 / 5);
    title.setBold(true);
    p.setFont(title);
    p.drawText(QRect(18, 0, width - 36, height * 2 / 3), Qt::AlignLeft | Qt::AlignBottom,
               QStringLiteral("Korvane 收银系统"));
    QFont line = p.font();
    line.setPixelSize(height / 6);
    line.setBold(false);
    p.setFont(line);
    p.drawText(QRect(20, height * 2 / 3, width - 40, height / 3), Qt::AlignLeft | Qt::AlignTop,
               QStringLiteral("小店收银 · 小票打印 · 销售统计"));
    return pixmap;
}
