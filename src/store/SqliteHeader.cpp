#include "store/SqliteHeader.h"

#include <QFile>

namespace {

quint32 bigEndian(const QByteArray& b, int at, int size) {
    quint32 v = 0;
    for (int i = 0; i < size; ++i) v = (v << 8) | static_cast<quint8>(b[at + i]);
    return v;
}

}  // namespace

QString checkSqliteHeader(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return QStringLiteral("cannot read the file");
    const QByteArray header = file.read(100);
    if (header.size() < 100) return QStringLiteral("file too short");
    if (!header.startsWith(QByteArrayLiteral("SQLite format 3\0"))) return QStringLiteral("not an SQLite file");
    quint64 pageSize = bigEndian(header, 16, 2);
    if (pageSize == 1) pageSize = 65536;
    if (pageSize < 512 || (pageSize & (pageSize - 1)) != 0) return QStringLiteral("bad page size");
    const quint32 changeCounter = bigEndian(header, 24, 4);
    const quint32 pageCount = bigEndian(header, 28, 4);
    const quint32 validFor = bigEndian(header, 92, 4);
    if (validFor == changeCounter && pageCount > 0 &&
        static_cast<quint64>(file.size()) < pageCount * pageSize) {
        return QStringLiteral("file truncated");
    }
    return QString();
}
