#include <QApplication>
#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "platform/DataDirectory.h"
#include "platform/SystemPlatform.h"
#include "startup/StartupSequence.h"
#include "store/AccessImportCommand.h"

int main(int argc, char* argv[]) {
    // The helper that reads an old Access file runs without windows.
    if (argc > 1 && isAccessImportCommand(argv[1])) {
        QCoreApplication helper(argc, argv);
        return runAccessImportCommand(QCoreApplication::arguments().mid(1));
    }

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
