#pragma once

#include <QByteArray>
#include <QObject>
#include <functional>

#include "receipt/ReceiptContent.h"
#include "store/LogoSettings.h"
#include "store/PrintOptions.h"

class Database;
class Platform;
class PreviewWindow;
class QWidget;

// The counter's receipts: printing with its questions and reprints, and the preview.
class ReceiptOutput : public QObject {
    Q_OBJECT
public:
    ReceiptOutput(Platform& platform, Database& db, const PrintOptions& options, QWidget* owner,
                  std::function<ReceiptContent()> content);

    // 打印小票: prints on the default printer (the print dialog when only that is missing), offers
    // reprints, then runs `save` once. When no receipt came out the cashier decides whether to save.
    void printAndSaveSale(std::function<bool()> save);
    // One receipt on the printer; false when no job could be started or the printer refused it.
    bool printReceipt(const QString& printer);
    // 打印预览: the receipt on screen, window-modal over the owner; null when the sale is empty.
    PreviewWindow* openPreview();

private:
    void printAndAskAgain(const QString& printer, const std::function<bool()>& save);
    void printFailed(const std::function<bool()>& save);
    void readLogo(bool printLogo);

    Platform& platform_;
    Database& db_;
    const PrintOptions& options_;
    QWidget* owner_;
    std::function<ReceiptContent()> content_;
    // The logo as last read; a failed read keeps what was there.
    LogoGeometry logo_;
    QByteArray logoPicture_;
    bool choosingPrinter_ = false;
};
