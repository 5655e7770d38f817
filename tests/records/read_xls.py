# Prints a workbook as JSON: [[sheet name, [[cell, ...], ...]], ...]. Cells must all be text.
import json
import sys

import xlrd

book = xlrd.open_workbook(sys.argv[1])
out = []
for sheet in book.sheets():
    rows = []
    for r in range(sheet.nrows):
        row = []
        for c in range(sheet.ncols):
            cell = sheet.cell(r, c)
            if cell.ctype not in (xlrd.XL_CELL_TEXT, xlrd.XL_CELL_EMPTY):
                raise SystemExit("cell %d,%d is not text" % (r, c))
            row.append(cell.value)
        rows.append(row)
    out.append([sheet.name, rows])
json.dump(out, sys.stdout, ensure_ascii=False)
