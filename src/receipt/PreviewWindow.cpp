#include "receipt/PreviewWindow.h"

#include <QFrame>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QScrollBar>

#include "receipt/ReceiptLayout.h"
#include "receipt/ReceiptPainter.h"
#include "widgets/Named.h"

namespace {

constexpr int panelWidth = 192;
constexpr int panelHeight = 1300;
constexpr int designedPanelLeft = 17;

QImage drawReceipt(const ReceiptContent& content, const PrintOptions& options, const LogoGeometry& logo,
                   const QByteArray& logoPicture) {
    QImage image(panelWidth, panelHeight, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    ReceiptPainter receipt(painter, ReceiptSurface::Preview, PreviewWindow::pixelsPerUnit);
    receipt.setLogo(logoPicture);
    receipt.paint(layoutReceipt(content, options, logo, ReceiptSurface::Preview, receipt.noteLineAdvance()));
    return image;
}

}  // namespace

PreviewWindow::PreviewWindow(const ReceiptContent& content, const PrintOptions& options, const LogoGeometry& logo,
                             const QByteArray& logoPicture, QWidget* owner)
    : QDialog(owner) {
    setObjectName(QStringLiteral("PreviewWindow"));
    setWindowTitle(QStringLiteral("销售Korvane"));
    setWindowModality(Qt::WindowModal);
    // The panel's place is what the preview shows, so this window keeps its drawn geometry.
    const QWidget* mainWindow = owner ? owner->window() : nullptr;
    const int top = mainWindow ? mainWindow->geometry().top() : 50;
    const int height = mainWindow ? mainWindow->height() : 713;
    setGeometry(50, top, 260, height);

    frame_ = named(new QFrame(this), "图片框1");
    frame_->setGeometry(7, 6, 226, 642);
    frame_->setFrameShape(QFrame::Box);

    // The margin moves the paper itself on screen, as it moves the print on the printer.
    panelLeft_ = designedPanelLeft + options.paperMargin;
    panel_ = named(new QLabel(frame_), "画板1");
    panel_->setGeometry(panelLeft_, 8, panelWidth, panelHeight);
    panel_->setPixmap(QPixmap::fromImage(drawReceipt(content, options, logo, logoPicture)));

    scrollBar_ = named(new QScrollBar(Qt::Vertical, this), "纵向滚动条1");
    scrollBar_->setGeometry(236, 8, 16, 640);
    scrollBar_->setRange(1, panelHeight);
    scrollBar_->setPageStep(10);
    scrollBar_->setSingleStep(1);
    scrollBar_->setValue(1);
    connect(scrollBar_, &QScrollBar::valueChanged, this, &PreviewWindow::scrollTo);
    scrollTo(scrollBar_->value());

    auto* hint = named(new QLabel(QStringLiteral("打印小票，返回主界面，点击打印即可"), this), "标签1");
    hint->setGeometry(21, 654, 216, 20);
}

void PreviewWindow::scrollTo(int position) { panel_->move(panelLeft_, 10 - position); }
