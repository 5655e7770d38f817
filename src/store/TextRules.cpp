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

namespace {

// The parts of "YYYY-MM-DD HH:MM:SS"; false for any other text.
bool splitStored(const QString& stored, QDate* date, QTime* time) {
    if (stored.size() != 19) return false;
    bool ok[6];
    const int year = QStringView(stored).mid(0, 4).toInt(&ok[0]);
    const int month = QStringView(stored).mid(5, 2).toInt(&ok[1]);
    const int day = QStringView(stored).mid(8, 2).toInt(&ok[2]);
    const int hour = QStringView(stored).mid(11, 2).toInt(&ok[3]);
    const int minute = QStringView(stored).mid(14, 2).toInt(&ok[4]);
    const int second = QStringView(stored).mid(17, 2).toInt(&ok[5]);
    for (bool b : ok)
        if (!b) return false;
    *date = QDate(year, month, day);
    *time = QTime(hour, minute, second);
    return date->isValid() && time->isValid();
}

QString displayText(const QDate& d, const QTime& t) {
    QString text = QString::number(d.year()) + QStringLiteral("年") + QString::number(d.month()) + QStringLiteral("月") +
                   QString::number(d.day()) + QStringLiteral("日");
    if (t.hour() == 0 && t.minute() == 0 && t.second() == 0) return text;
    text += QString::number(t.hour()) + QStringLiteral("时");
    if (t.minute() == 0 && t.second() == 0) return text;
    text += QString::number(t.minute()) + QStringLiteral("分");
    if (t.second() != 0) text += QString::number(t.second()) + QStringLiteral("秒");
    return text;
}

}  // namespace

QDateTime parseStoredDateTime(const QString& stored) {
    QDate date;
    QTime time;
    if (!splitStored(stored, &date, &time)) return {};
    return QDateTime(date, time);
}

QString dateTimeDisplayText(const QDateTime& when) {
    if (!when.isValid()) return QString();
    return displayText(when.date(), when.time());
}

QString storedDateTimeDisplayText(const QString& stored) {
    // Straight from the text: a local QDateTime asks the time zone on every row of a long list.
    QDate date;
    QTime time;
    return splitStored(stored, &date, &time) ? displayText(date, time) : QString();
}

QString shortDateText(const QDate& day) { return day.toString(QStringLiteral("yyMMdd")); }
