#pragma once

#include "platform/Printing.h"

class SystemPrinting : public Printing {
public:
    QStringList printerNames() const override;
    QString defaultPrinter() const override;
    bool setDefaultPrinter(const QString& name) override;
    std::unique_ptr<QPrinter> createPrinter(const QString& name) override;
};
