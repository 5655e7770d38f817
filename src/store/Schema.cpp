#include "store/Schema.h"

#include <QFile>

QStringList Schema::statements(const QString& resource) {
    QFile file(resource);
    if (!file.open(QIODevice::ReadOnly)) return {};
    QStringList out;
    QString current;
    for (const QString& line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'))) {
        const QString trimmed = line.trimmed();
        if (trimmed.isEmpty() || trimmed.startsWith(QStringLiteral("--"))) continue;
        current += line + QLatin1Char('\n');
        if (trimmed.endsWith(QLatin1Char(';'))) {
            out << current.trimmed();
            current.clear();
        }
    }
    return out;
}
