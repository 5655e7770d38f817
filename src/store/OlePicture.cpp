#include "store/OlePicture.h"

#include <QtEndian>

namespace {

quint32 le32(const QByteArray& b, qsizetype at) {
    return qFromLittleEndian<quint32>(b.constData() + at);
}

quint32 be32(const QByteArray& b, qsizetype at) { return qFromBigEndian<quint32>(b.constData() + at); }

// Length of a PNG starting at `at` (through its IEND chunk), 0 when the chunks do not hold up.
qsizetype pngLength(const QByteArray& b, qsizetype at) {
    qsizetype pos = at + 8;
    while (pos + 12 <= b.size()) {
        const quint32 length = be32(b, pos);
        if (length > static_cast<quint32>(b.size())) return 0;
        const qsizetype next = pos + 12 + static_cast<qsizetype>(length);
        if (next > b.size()) return 0;
        if (b.mid(pos + 4, 4) == "IEND") return next - at;
        pos = next;
    }
    return 0;
}

// Length of a BMP starting at `at` from its file header, 0 when the header is not plausible:
// "BM" alone turns up by chance inside other data.
qsizetype bmpLength(const QByteArray& b, qsizetype at) {
    if (at + 18 > b.size()) return 0;
    const quint32 size = le32(b, at + 2);
    const quint32 reserved = le32(b, at + 6);
    const quint32 dibHeader = le32(b, at + 14);
    const bool knownHeader = dibHeader == 12 || dibHeader == 40 || dibHeader == 52 || dibHeader == 56 ||
                             dibHeader == 64 || dibHeader == 108 || dibHeader == 124;
    if (reserved != 0 || !knownHeader || size < 26 || size > static_cast<quint64>(b.size() - at)) return 0;
    return static_cast<qsizetype>(size);
}

}  // namespace

QByteArray pictureFromOle(const QByteArray& value) {
    static const QByteArray jpeg("\xFF\xD8\xFF", 3);
    static const QByteArray png("\x89PNG\r\n\x1A\n", 8);
    for (qsizetype at = 0; at + 3 <= value.size(); ++at) {
        const char c = value.at(at);
        if (c == '\xFF' && value.mid(at, 3) == jpeg) return value.mid(at);
        if (c == '\x89' && value.mid(at, 8) == png) {
            const qsizetype length = pngLength(value, at);
            if (length > 0) return value.mid(at, length);
        }
        if (c == 'G' && (value.mid(at, 6) == "GIF87a" || value.mid(at, 6) == "GIF89a")) return value.mid(at);
        if (c == 'B' && value.at(at + 1) == 'M') {
            const qsizetype length = bmpLength(value, at);
            if (length > 0) return value.mid(at, length);
        }
    }
    return QByteArray();
}
