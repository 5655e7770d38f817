#include "platform/DataDirectory.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

QString resolveDataDirectory() {
    const QString configured = qEnvironmentVariable("KORVANE_DATA_DIR");
    if (!configured.isEmpty()) return QDir(configured).absolutePath();

    const QString programDir = QCoreApplication::applicationDirPath();
    if (QFileInfo(programDir).isWritable()) return programDir;

    const QString userDir = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir().mkpath(userDir);
    return userDir;
}
