#include "FakePlatform.h"

#include <QPrinter>
#include <QTimer>

#include "platform/ChildProcess.h"

void FakePrompter::expect(const QString& text, MessageAnswer answer) { script_.append({text, answer}); }

MessageAnswer FakePrompter::ask(QWidget* owner, const Message& message) {
    shown_.append({message, owner});
    if (!script_.isEmpty() && script_.first().text == message.text) return script_.takeFirst().answer;
    surprises_.append(message.text);
    return message.buttons == MessageButtons::YesNo ? MessageAnswer::Yes : MessageAnswer::Ok;
}

QString FakePrompter::openFileName(QWidget*, const FileDialogRequest& request) {
    fileRequests_.append(request);
    return openAnswers_.isEmpty() ? QString() : openAnswers_.takeFirst();
}

QString FakePrompter::saveFileName(QWidget*, const FileDialogRequest& request) {
    fileRequests_.append(request);
    return saveAnswers_.isEmpty() ? QString() : saveAnswers_.takeFirst();
}

QStringList FakePrompter::shownTexts() const {
    QStringList texts;
    for (const Shown& s : shown_) texts << s.message.text;
    return texts;
}

QStringList FakePrompter::pending() const {
    QStringList texts;
    for (const Expected& e : script_) texts << e.text;
    return texts;
}

void FakePrompter::reset() {
    script_.clear();
    shown_.clear();
    surprises_.clear();
    openAnswers_.clear();
    saveAnswers_.clear();
    fileRequests_.clear();
}

bool FakeShell::startProgram(const QString& program, const QStringList&) {
    started.append(program);
    return true;
}

bool FakeShell::openUrl(const QUrl& url) {
    opened.append(url);
    return true;
}

bool FakeShell::restartProgram() {
    ++restarts;
    return true;
}

void FakeShell::runHelper(const QStringList& arguments, QObject* context, HelperDone done) {
    helperRuns.append(arguments);
    if (helperProgram.isEmpty()) {
        QTimer::singleShot(0, context, [done] { done(HelperEnd::NotStarted, -1); });
        return;
    }
    runChildProcess(helperProgram, helperArguments + arguments, context, std::move(done));
}

bool FakePrinting::setDefaultPrinter(const QString& name) {
    if (!printers.contains(name)) return false;
    defaultName = name;
    return true;
}

std::unique_ptr<QPrinter> FakePrinting::createPrinter(const QString& name) {
    if (!printers.contains(name) || outputDirectory.isEmpty()) return nullptr;
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    const QString file = outputDirectory + QStringLiteral("/job-%1.pdf").arg(jobs.size() + 1);
    printer->setOutputFileName(file);
    jobs.append(file);
    return printer;
}
