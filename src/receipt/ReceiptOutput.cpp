#include "receipt/ReceiptOutput.h"

#include <QPagedPaintDevice>
#include <QPainter>
#include <QPointer>

#include "platform/Platform.h"
#include "platform/Printing.h"
#include "platform/Prompter.h"
#include "receipt/PreviewWindow.h"
#include "receipt/ReceiptLayout.h"
#include "receipt/ReceiptPainter.h"

namespace {

const QString doneTitle = QStringLiteral("提示:");

}  // namespace

ReceiptOutput::ReceiptOutput(Platform& platform, Database& db, const PrintOptions& options, QWidget* owner,
                             std::function<ReceiptContent()> content)
    : QObject(owner), platform_(platform), db_(db), options_(options), owner_(owner), content_(std::move(content)) {}

void ReceiptOutput::printAndSaveSale(std::function<bool()> save) {
    if (choosingPrinter_) return;
    if (content_().lines.isEmpty()) {
        platform_.prompter().tell(owner_, QStringLiteral("没有可以打印的数据！"));
        return;
    }
    Printing& printing = platform_.printing();
    const QString printer = printing.defaultPrinter();
    if (!printer.isEmpty()) {
        printAndAskAgain(printer, save);
        return;
    }
    // The dialog only when there is a printer to choose: "print to file" gives no receipt.
    const std::optional<QStringList> printers = printing.printerNames();
    if (!printers || printers->isEmpty()) {
        printFailed(save);
        return;
    }
    choosingPrinter_ = true;
    QPointer<ReceiptOutput> self(this);
    printing.choosePrinter(owner_, [self, save](const QString& chosen) {
        if (!self) return;
        self->choosingPrinter_ = false;
        if (chosen.isEmpty())
            self->printFailed(save);
        else
            self->printAndAskAgain(chosen, save);
    });
}

void ReceiptOutput::printAndAskAgain(const QString& printer, const std::function<bool()>& save) {
    Prompter& prompter = platform_.prompter();
    for (;;) {
        if (!printReceipt(printer)) {
            printFailed(save);
            return;
        }
        if (options_.showPrintDone) prompter.tell(owner_, QStringLiteral("打印完毕"), MessageIcon::None, doneTitle);
        if (!options_.askPrintAgain ||
            !prompter.confirm(owner_, QStringLiteral("打印完毕,是否再次打印！"), MessageIcon::None, doneTitle))
            break;
    }
    save();
}

void ReceiptOutput::printFailed(const std::function<bool()>& save) {
    if (platform_.prompter().confirm(owner_, QStringLiteral("打印失败！是否仍然保存本单？"), MessageIcon::Warning))
        save();
}

void ReceiptOutput::readLogo(bool printLogo) {
    Prompter& prompter = platform_.prompter();
    if (const std::optional<LogoGeometry> geometry = readLogoGeometry(db_, prompter, owner_)) logo_ = *geometry;
    if (!printLogo) return;
    if (const std::optional<QByteArray> picture = loadLogoPicture(db_, prompter, owner_)) logoPicture_ = *picture;
}

bool ReceiptOutput::printReceipt(const QString& printer) {
    // Each receipt reads the logo's place afresh; one that cannot be read prints none.
    logo_ = LogoGeometry{};
    readLogo(options_.printLogo);
    const ReceiptContent content = content_();

    std::unique_ptr<PrintJob> job =
        platform_.printing().startJob(printer, QStringLiteral("小票 ") + content.receiptNumber);
    if (!job) return false;
    QPagedPaintDevice& device = job->device();
    QPainter painter;
    if (!painter.begin(&device)) return false;
    const double pixelsPerUnit = device.logicalDpiY() / 254.0;
    ReceiptPainter receipt(painter, ReceiptSurface::Paper, pixelsPerUnit);
    receipt.setPaging(static_cast<int>(device.height() / pixelsPerUnit), [&device] { return device.newPage(); });
    receipt.setLogo(logoPicture_);
    receipt.paint(layoutReceipt(content, options_, logo_, ReceiptSurface::Paper, receipt.noteLineAdvance()),
                  options_.paperMargin);
    if (!painter.end()) return false;
    return job->submit();
}

PreviewWindow* ReceiptOutput::openPreview() {
    const ReceiptContent content = content_();
    if (content.lines.isEmpty()) {
        platform_.prompter().tell(owner_, QStringLiteral("没有可以预览的数据！"));
        return nullptr;
    }
    readLogo(options_.printLogo);
    auto* preview = new PreviewWindow(content, options_, logo_, logoPicture_, owner_);
    preview->setAttribute(Qt::WA_DeleteOnClose);
    preview->open();
    return preview;
}
