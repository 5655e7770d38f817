#include "store/TextRules.h"

#include <QCryptographicHash>
#include <QStringEncoder>

QByteArray gbkBytes(const QString& text) {
    // GB18030 writes every GBK character with the same bytes as GBK.
    QStringEncoder encoder("GB18030");
    return encoder.encode(text);
}

int gbkLength(const QString& text) { return static_cast<int>(gbkBytes(text).size()); }

QString gbkLeft(const QString& text, int bytes) {
    if (bytes <= 0) return QString();
    QStringEncoder encoder("GB18030");
    int used = 0;
    int i = 0;
    while (i < text.size()) {
        const int step = text[i].isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const int size = static_cast<int>(QByteArray(encoder.encode(QStringView(text).mid(i, step))).size());
        if (used + size > bytes) break;
        used += size;
        i += step;
    }
    return text.left(i);
}

QString passwordDigest(const QString& password) {
    return QString::fromLatin1(QCryptographicHash::hash(gbkBytes(password), QCryptographicHash::Md5).toHex());
}

namespace {
QString twoDigits(int v) { return QStringLiteral("%1").arg(v, 2, 10, QLatin1Char('0')); }
}  // namespace

QString formatDateTimeText(const QDateTime& when) {
    const QDate d = when.date();
    const QTime t = when.time();
    return QString::number(d.year()) + QLatin1Char('-') + twoDigits(d.month()) + QLatin1Char('-') +
           twoDigits(d.day()) + QStringLiteral("  ") + twoDigits(t.hour()) + QLatin1Char(':') +
           twoDigits(t.minute()) + QLatin1Char(':') + twoDigits(t.second());
}

QString storedDateTimeText(const QDateTime& when) {
    return when.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}
