#pragma once

#include <QString>
#include <QStringList>

class QUrl;

// Starting other programs, opening pages, starting this program again.
class Shell {
public:
    virtual ~Shell() = default;
    // Whether a program of that name can be found on the search path.
    virtual bool isInstalled(const QString& program) const = 0;
    virtual bool startProgram(const QString& program, const QStringList& arguments = {}) = 0;
    virtual bool openUrl(const QUrl& url) = 0;
    // Starts a new copy of this program; the caller then ends this one.
    virtual bool restartProgram() = 0;
};
