#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>

class QPagedPaintDevice;
class QWidget;

// One document on its way to a printer: paint its pages on device(), end the painter, submit().
class PrintJob {
public:
    virtual ~PrintJob() = default;
    virtual QPagedPaintDevice& device() = 0;
    // Hands the finished document to the printer; false when it was refused.
    virtual bool submit() = 0;
};

// The printers of the system and the print jobs on them.
class Printing {
public:
    virtual ~Printing() = default;
    // The installed printers; nothing when the print system could not be asked.
    virtual std::optional<QStringList> printerNames() const = 0;
    // The user's default printer, empty when there is none.
    virtual QString defaultPrinter() const = 0;
    // Makes the printer the user's default for every program; false when that failed.
    virtual bool setDefaultPrinter(const QString& name) = 0;
    // A job on the named printer with the printer's own paper; null when none can be started.
    virtual std::unique_ptr<PrintJob> startJob(const QString& printer, const QString& title) = 0;
    // The print dialog over `owner`, opened without a nested loop; `chosen` gets the printer's
    // name, or the empty text when the user cancelled or chose no printer.
    virtual void choosePrinter(QWidget* owner, std::function<void(const QString&)> chosen) = 0;
};
