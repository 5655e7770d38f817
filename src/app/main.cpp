#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "platform/DataDirectory.h"
#include "platform/SystemPlatform.h"
#include "startup/StartupSequence.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("korvane"));
    QApplication::setApplicationDisplayName(QStringLiteral("Korvane"));
    QApplication::setQuitOnLastWindowClosed(false);

    // Standard buttons read 是 / 否 / 确定 / 取消.
    QTranslator qtTranslations;
    if (qtTranslations.load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"), QStringLiteral("_"),
                            QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTranslations);

    SystemPlatform platform;
    StartupSequence startup(platform, resolveDataDirectory());
    // Queued: the sequence may decide to end before the event loop runs.
    QObject::connect(&startup, &StartupSequence::finished, &app, &QApplication::exit, Qt::QueuedConnection);
    startup.start();
    return app.exec();
}
