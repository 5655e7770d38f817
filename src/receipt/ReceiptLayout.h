#pragma once

#include <QList>
#include <QString>

#include "receipt/ReceiptContent.h"
#include "store/LogoSettings.h"
#include "store/PrintOptions.h"

// Where the receipt is drawn: the printer's paper, or the preview's panel on screen.
enum class ReceiptSurface { Paper, Preview };

// One drawing step, in 0.1 mm from the top-left corner of the printable area.
struct ReceiptOp {
    enum class Kind { Text, Line, Logo };
    enum class Font { Title, Body, Dot };

    Kind kind = Kind::Text;
    int x = 0;
    int y = 0;
    // Text: its top-left corner is (x, y).
    QString text;
    Font font = Font::Body;
    // Line: from (x, y) to (right, y).
    int right = 0;
    // Logo: the rectangle the picture is stretched into.
    int width = 0;
    int height = 0;
    // Part of the flowing body (sale lines, footer, note): moves to a new page when it does not fit.
    bool flows = false;

    bool operator==(const ReceiptOp& other) const;
};

// The receipt as drawing steps. `noteLineAdvance` is how far each note line moves the next one
// down on the target surface (its text height plus two device dots), in 0.1 mm.
QList<ReceiptOp> layoutReceipt(const ReceiptContent& content, const PrintOptions& options,
                               const LogoGeometry& logo, ReceiptSurface surface, int noteLineAdvance);

// The note's lines as the receipt counts them: an empty text has none, a line break at the very
// end adds none, an empty line between two others counts.
int countNoteLines(const QString& note);
// The note cut at CR LF, CR or LF.
QStringList noteLines(const QString& note);
