#pragma once

#include <QString>
#include <QStringList>
#include <functional>

// Writes an Excel 97–2003 workbook (BIFF8 in an OLE2 compound file): a title row and text cells,
// continued on "Sheet2", "Sheet3", … past a sheet's 65,536 rows. Written to a temporary file
// beside the target and renamed, so the target is the whole workbook or untouched.
class SpreadsheetWriter {
public:
    static constexpr int rowsPerSheet = 65536;
    // Longer cells are cut to what Excel holds.
    static constexpr int maxCellLength = 32767;

    using RowSource = std::function<QStringList(int row)>;

    bool write(const QString& path, const QStringList& titles, int rowCount, const RowSource& rowAt);
    QString lastError() const { return lastError_; }
    // Whether the last write had to cut a cell.
    bool cutCells() const { return cutCells_; }

private:
    QString lastError_;
    bool cutCells_ = false;
};
