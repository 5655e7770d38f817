#pragma once

// In-memory copies of the receipt settings, read when the main window opens and updated after
// each successful change, so the next receipt follows the new setting.
struct PrintOptions {
    bool showPrintDone = false;
    bool askPrintAgain = false;
    bool printUnitPrice = true;
    bool printLogo = false;
    int paperMargin = 0;
    int printOffset = 0;
};
