#pragma once

#include "platform/Printing.h"

// CUPS: the user's destinations and default (lpoptions), jobs sent as PDF documents so a
// refusing scheduler is noticed.
class SystemPrinting : public Printing {
public:
    std::optional<QStringList> printerNames() const override;
    QString defaultPrinter() const override;
    bool setDefaultPrinter(const QString& name) override;
    std::unique_ptr<PrintJob> startJob(const QString& printer, const QString& title) override;
    void choosePrinter(QWidget* owner, std::function<void(const QString&)> chosen) override;
};
