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

std::optional<QStringList> FakePrinting::printerNames() const {
    if (listingFails) return std::nullopt;
    return printers;
}

bool FakePrinting::setDefaultPrinter(const QString& name) {
    if (!printers.contains(name)) return false;
    defaultName = name;
    return true;
}

namespace {

class FakeJob : public PrintJob {
public:
    FakeJob(FakePrinting& printing, QString printer, QString title, const QString& file)
        : printing_(printing), printer_(std::move(printer)), title_(std::move(title)), file_(file),
          device_(QPrinter::HighResolution) {
        device_.setOutputFormat(QPrinter::PdfFormat);
        device_.setOutputFileName(file);
        device_.setPageSize(QPageSize(printing.paperMillimetres, QPageSize::Millimeter));
        device_.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
        device_.setDocName(title_);
    }
    QPagedPaintDevice& device() override { return device_; }
    bool submit() override {
        if (printing_.refuseJobs) return false;
        printing_.jobs << file_;
        printing_.jobPrinters << printer_;
        printing_.jobTitles << title_;
        return true;
    }

private:
    FakePrinting& printing_;
    QString printer_;
    QString title_;
    QString file_;
    QPrinter device_;
};

}  // namespace

std::unique_ptr<PrintJob> FakePrinting::startJob(const QString& printer, const QString& title) {
    if (!printers.contains(printer) || outputDirectory.isEmpty()) return nullptr;
    static int started = 0;
    const QString file = outputDirectory + QStringLiteral("/job-%1.pdf").arg(++started);
    return std::make_unique<FakeJob>(*this, printer, title, file);
}

void FakePrinting::choosePrinter(QWidget*, std::function<void(const QString&)> chosen) {
    ++dialogsShown;
    chosen(dialogAnswer);
}
