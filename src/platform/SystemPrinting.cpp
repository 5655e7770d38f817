#include "platform/SystemPrinting.h"

#include <cups/cups.h>

#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTemporaryFile>

namespace {

// The destinations as CUPS gives them, freed on every path.
class Destinations {
public:
    Destinations() : count_(cupsGetDests2(CUPS_HTTP_DEFAULT, &dests_)) {}
    ~Destinations() { cupsFreeDests(count_, dests_); }
    Destinations(const Destinations&) = delete;
    Destinations& operator=(const Destinations&) = delete;

    int count() const { return count_; }
    cups_dest_t* begin() const { return dests_; }
    cups_dest_t* end() const { return dests_ + count_; }
    cups_dest_t* data() const { return dests_; }

private:
    cups_dest_t* dests_ = nullptr;
    int count_ = 0;
};

class CupsJob : public PrintJob {
public:
    CupsJob(const QPrinterInfo& info, QString title) : printer_(info, QPrinter::HighResolution), title_(std::move(title)) {}

    bool open() {
        if (!file_.open()) return false;
        file_.close();
        // The device's paper and margins, kept when the output turns into the PDF sent to CUPS.
        const QPageLayout layout = printer_.pageLayout();
        name_ = printer_.printerName();
        printer_.setOutputFormat(QPrinter::PdfFormat);
        printer_.setOutputFileName(file_.fileName());
        printer_.setPageLayout(layout);
        printer_.setDocName(title_);
        printer_.setCreator(QStringLiteral("Korvane"));
        return true;
    }

    QPagedPaintDevice& device() override { return printer_; }

    bool submit() override {
        const QByteArray name = name_.toUtf8();
        const QByteArray path = QFile::encodeName(file_.fileName());
        const QByteArray title = title_.toUtf8();
        return cupsPrintFile2(CUPS_HTTP_DEFAULT, name.constData(), path.constData(), title.constData(), 0,
                              nullptr) != 0;
    }

private:
    QPrinter printer_;
    QString title_;
    QString name_;
    QTemporaryFile file_;
};

}  // namespace

std::optional<QStringList> SystemPrinting::printerNames() const {
    const Destinations dests;
    // "Not found" is the scheduler's answer when no printer is installed.
    const ipp_status_t status = cupsLastError();
    if (dests.count() == 0 && status > IPP_STATUS_OK_EVENTS_COMPLETE && status != IPP_STATUS_ERROR_NOT_FOUND)
        return std::nullopt;
    QStringList names;
    for (const cups_dest_t& dest : dests)
        if (!dest.instance) names << QString::fromUtf8(dest.name);
    return names;
}

QString SystemPrinting::defaultPrinter() const {
    const Destinations dests;
    for (const cups_dest_t& dest : dests)
        if (dest.is_default) return QString::fromUtf8(dest.name);
    return {};
}

bool SystemPrinting::setDefaultPrinter(const QString& name) {
    const Destinations dests;
    const QByteArray wanted = name.toUtf8();
    bool found = false;
    for (cups_dest_t& dest : dests) {
        dest.is_default = !dest.instance && wanted == dest.name;
        found = found || dest.is_default;
    }
    return found && cupsSetDests2(CUPS_HTTP_DEFAULT, dests.count(), dests.data()) == 0;
}

std::unique_ptr<PrintJob> SystemPrinting::startJob(const QString& printer, const QString& title) {
    const QPrinterInfo info = QPrinterInfo::printerInfo(printer);
    if (info.isNull()) return nullptr;
    auto job = std::make_unique<CupsJob>(info, title);
    if (!job->open()) return nullptr;
    return job;
}

void SystemPrinting::choosePrinter(QWidget* owner, std::function<void(const QString&)> chosen) {
    auto* printer = new QPrinter(QPrinter::HighResolution);
    auto* dialog = new QPrintDialog(printer, owner);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setOptions({});
    QObject::connect(dialog, &QObject::destroyed, [printer] { delete printer; });
    QObject::connect(dialog, &QDialog::finished, dialog, [printer, chosen = std::move(chosen)](int result) {
        // Printing to a file leaves no receipt in the cashier's hand: it counts as no printer.
        const bool onPrinter = result == QDialog::Accepted && printer->outputFormat() == QPrinter::NativeFormat;
        chosen(onPrinter ? printer->printerName() : QString());
    });
    dialog->open();
}
