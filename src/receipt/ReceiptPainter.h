#pragma once

#include <QByteArray>
#include <QFont>
#include <QList>
#include <functional>

#include "receipt/ReceiptLayout.h"

class QPainter;

// Draws the receipt's steps on a printer page or on the preview's panel, 1 unit = 0.1 mm.
class ReceiptPainter {
public:
    // `pixelsPerUnit`: device pixels per 0.1 mm (paper: its resolution / 254).
    ReceiptPainter(QPainter& painter, ReceiptSurface surface, double pixelsPerUnit);

    // Paper: the printable height in 0.1 mm and how to go on to a new page.
    void setPaging(int pageHeight, std::function<bool()> newPage);
    // The logo file's bytes; what does not decode as a picture draws nothing.
    void setLogo(const QByteArray& bytes) { logo_ = bytes; }
    // How far a note line moves the next one down here: its height plus two device dots.
    int noteLineAdvance() const;
    // Draws everything shifted right by `horizontalOffset` units.
    void paint(const QList<ReceiptOp>& ops, int horizontalOffset = 0);

    QFont fontFor(ReceiptOp::Font role) const;

private:
    void drawLogo(const ReceiptOp& op);
    // Where a step starts and how tall it is, for paging.
    double topOf(const ReceiptOp& op) const;
    double heightOf(const ReceiptOp& op) const;

    struct Face {
        QFont font;
        // From a text's place down to its baseline, and up (negative) to the top of the face's cell.
        double baseline;
        double top;
        double height;
    };
    const Face& faceOf(ReceiptOp::Font role) const { return faces_[static_cast<int>(role)]; }

    QPainter& painter_;
    ReceiptSurface surface_;
    double pixelsPerUnit_;
    // Title, body and dot, measured once for this device.
    QList<Face> faces_;
    int pageHeight_ = 0;
    std::function<bool()> newPage_;
    QByteArray logo_;
};

// The receipt's font families, best first: 宋体 on paper, 新宋体 on screen, then installed CJK faces.
QStringList receiptFontFamilies(ReceiptSurface surface);
