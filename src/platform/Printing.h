#pragma once

#include <QString>
#include <QStringList>
#include <memory>

class QPrinter;

// The printers of the system and the print jobs on them.
class Printing {
public:
    virtual ~Printing() = default;
    virtual QStringList printerNames() const = 0;
    // The user's default printer, empty when there is none.
    virtual QString defaultPrinter() const = 0;
    virtual bool setDefaultPrinter(const QString& name) = 0;
    // A printer set up for one job on the named printer; null when it cannot be had.
    virtual std::unique_ptr<QPrinter> createPrinter(const QString& name) = 0;
};
