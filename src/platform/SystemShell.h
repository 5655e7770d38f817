#pragma once

#include "platform/Shell.h"

class SystemShell : public Shell {
public:
    bool isInstalled(const QString& program) const override;
    bool startProgram(const QString& program, const QStringList& arguments) override;
    bool openUrl(const QUrl& url) override;
    bool restartProgram() override;
    void runHelper(const QStringList& arguments, QObject* context, HelperDone done) override;
};
