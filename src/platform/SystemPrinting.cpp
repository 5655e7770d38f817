#include "platform/SystemPrinting.h"

#include <QPrinter>
#include <QPrinterInfo>

QStringList SystemPrinting::printerNames() const { return QPrinterInfo::availablePrinterNames(); }

QString SystemPrinting::defaultPrinter() const { return QPrinterInfo::defaultPrinterName(); }

bool SystemPrinting::setDefaultPrinter(const QString& name) {
    Q_UNUSED(name);
    return false;
}

std::unique_ptr<QPrinter> SystemPrinting::createPrinter(const QString& name) {
    const QPrinterInfo info = QPrinterInfo::printerInfo(name);
    if (info.isNull()) return nullptr;
    return std::make_unique<QPrinter>(info, QPrinter::HighResolution);
}
