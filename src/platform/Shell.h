#pragma once

#include <QString>
#include <QStringList>
#include <functional>

class QObject;
class QUrl;

// How a helper process ended.
enum class HelperEnd { Finished, Crashed, NotStarted };
using HelperDone = std::function<void(HelperEnd end, int exitCode)>;

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
    // Runs this program again as a windowless helper with the arguments; done is called from
    // the event loop once it has ended (never while waiting here), unless context is gone.
    virtual void runHelper(const QStringList& arguments, QObject* context, HelperDone done) = 0;
};
