#include "store/JetFile.h"

#include <QFile>

JetKind jetKindOf(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return JetKind::Unreadable;
    const QByteArray head = file.read(0x15);
    static const QByteArray magic("\x00\x01\x00\x00", 4);
    static const QByteArray jet("Standard Jet DB\0", 16);
    static const QByteArray ace("Standard ACE DB\0", 16);
    if (head.size() < 0x15 || !head.startsWith(magic)) return JetKind::NotAccess;
    const QByteArray name = head.mid(4, 16);
    if (name == ace) return JetKind::Ace;
    if (name != jet) return JetKind::NotAccess;
    switch (static_cast<unsigned char>(head.at(0x14))) {
    case 0: return JetKind::Jet3;
    case 1: break;
    default: return JetKind::Ace;
    }
    // The catalog starts on page 2, so a whole file has at least three pages.
    const qint64 size = file.size();
    if (size < 3 * jet4PageSize || size % jet4PageSize != 0) return JetKind::Damaged;
    return JetKind::Jet4;
}
