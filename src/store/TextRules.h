#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

// Lengths and cuts counted in the shop's double-byte code page (a Chinese character counts 2).
QByteArray gbkBytes(const QString& text);
int gbkLength(const QString& text);
// The longest start of the text that fits in the given number of bytes; never half a character.
QString gbkLeft(const QString& text, int bytes);
// MD5 of the code-page bytes, 32 lower-case hex digits; matches what the old program stored.
QString passwordDigest(const QString& password);
// "2016-08-18  20:55:36" (two spaces between date and time).
QString formatDateTimeText(const QDateTime& when);
// The stored form of a date-time: "2016-08-18 20:55:36".
QString storedDateTimeText(const QDateTime& when);
// The stored form read back; invalid for any other text.
QDateTime parseStoredDateTime(const QString& stored);
// "2016年8月18日20时55分36秒"; trailing zero fields are left out ("2016年8月18日9时5分", a midnight
// "2016年8月18日").
QString dateTimeDisplayText(const QDateTime& when);
// The same for a stored date-time text; empty for any other text.
QString storedDateTimeDisplayText(const QString& stored);
// "161018" for 18 October 2016: begins proposed file names.
QString shortDateText(const QDate& day);
