#pragma once

#include <QDialog>

#include "receipt/ReceiptContent.h"
#include "store/LogoSettings.h"
#include "store/PrintOptions.h"

class QFrame;
class QLabel;
class QScrollBar;

// The receipt of the sale on screen, drawn once when the window opens; scrolled by its bar.
class PreviewWindow : public QDialog {
    Q_OBJECT
public:
    // The receipt's screen scale: the 480-unit receipt on the 192-pixel panel.
    static constexpr double pixelsPerUnit = 0.4;

    PreviewWindow(const ReceiptContent& content, const PrintOptions& options, const LogoGeometry& logo,
                  const QByteArray& logoPicture, QWidget* owner);

    QLabel* panel() const { return panel_; }

private:
    void scrollTo(int position);

    QFrame* frame_;
    QLabel* panel_;
    QScrollBar* scrollBar_;
    int panelLeft_;
};
