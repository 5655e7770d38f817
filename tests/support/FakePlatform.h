#pragma once

#include <QDateTime>
#include <QList>
#include <QSet>
#include <QTest>
#include <QStringList>
#include <QUrl>

#include "platform/Clock.h"
#include "platform/Platform.h"
#include "platform/Printing.h"
#include "platform/Prompter.h"
#include "platform/Shell.h"

// In a test's cleanup(): every box shown was expected and every expected box came.
#define VERIFY_PROMPTS_SETTLED(prompts)                                                               \
    do {                                                                                              \
        QVERIFY2((prompts).surprises().isEmpty(), qPrintable((prompts).surprises().join(QLatin1Char('|')))); \
        QVERIFY2((prompts).pending().isEmpty(), qPrintable((prompts).pending().join(QLatin1Char('|'))));     \
    } while (false)

// Records every box and answers from a script. A box the test did not expect is answered with
// its first button and kept in surprises(), which the tests check in cleanup().
class FakePrompter : public Prompter {
public:
    struct Shown {
        Message message;
        QWidget* owner;
    };

    void expect(const QString& text, MessageAnswer answer = MessageAnswer::Ok);
    void expectOpenFile(const QString& path) { openAnswers_.append(path); }
    void expectSaveFile(const QString& path) { saveAnswers_.append(path); }

    MessageAnswer ask(QWidget* owner, const Message& message) override;
    QString openFileName(QWidget* owner, const FileDialogRequest& request) override;
    QString saveFileName(QWidget* owner, const FileDialogRequest& request) override;

    const QList<Shown>& shown() const { return shown_; }
    QStringList shownTexts() const;
    QStringList surprises() const { return surprises_; }
    // Expected boxes that never came.
    QStringList pending() const;
    QList<FileDialogRequest> fileRequests() const { return fileRequests_; }
    void reset();

private:
    struct Expected {
        QString text;
        MessageAnswer answer;
    };
    QList<Expected> script_;
    QList<Shown> shown_;
    QStringList surprises_;
    QStringList openAnswers_;
    QStringList saveAnswers_;
    QList<FileDialogRequest> fileRequests_;
};

class FakeClock : public Clock {
public:
    QDateTime now() const override { return now_; }
    void set(const QDateTime& when) { now_ = when; }

private:
    QDateTime now_{QDate(2026, 12, 11), QTime(9, 30, 5)};
};

class FakeShell : public Shell {
public:
    bool isInstalled(const QString& program) const override { return installed.contains(program); }
    bool startProgram(const QString& program, const QStringList& arguments) override;
    bool openUrl(const QUrl& url) override;
    bool restartProgram() override;
    // Runs helperProgram with helperArguments before the arguments asked for; without a
    // helperProgram the helper does not start.
    void runHelper(const QStringList& arguments, QObject* context, HelperDone done) override;

    QSet<QString> installed;
    QStringList started;
    QList<QUrl> opened;
    int restarts = 0;
    QString helperProgram;
    QStringList helperArguments;
    QList<QStringList> helperRuns;
};

// Jobs become PDF files in outputDirectory (job-1.pdf, job-2.pdf …) on a 58 mm roll.
class FakePrinting : public Printing {
public:
    std::optional<QStringList> printerNames() const override;
    QString defaultPrinter() const override { return defaultName; }
    bool setDefaultPrinter(const QString& name) override;
    std::unique_ptr<PrintJob> startJob(const QString& printer, const QString& title) override;
    void choosePrinter(QWidget* owner, std::function<void(const QString&)> chosen) override;

    QStringList printers;
    QString defaultName;
    bool listingFails = false;
    bool refuseJobs = false;
    QString outputDirectory;
    QSizeF paperMillimetres{58, 297};
    // Submitted jobs: their files and printers.
    QStringList jobs;
    QStringList jobPrinters;
    QStringList jobTitles;
    // The print dialog's answer, and how often it was opened.
    QString dialogAnswer;
    int dialogsShown = 0;
};

class FakePlatform : public Platform {
public:
    Prompter& prompter() override { return prompts; }
    Clock& clock() override { return time; }
    Shell& shell() override { return programs; }
    Printing& printing() override { return systemPrinting ? *systemPrinting : printers; }

    FakePrompter prompts;
    FakeClock time;
    FakeShell programs;
    FakePrinting printers;
    // Set to print through the real print system instead.
    Printing* systemPrinting = nullptr;
};
