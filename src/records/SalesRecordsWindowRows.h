#pragma once

#include <QVector>

#include "widgets/ReportListModel.h"

class RecordSet;

// The rows of the sales records list read from a SELECT on 销售记录: row number, 销售票号,
// 销售时间 for display, 数量, 金额, 收银员, 备注, and the record's ID. Kept lean per row, since a
// query may list a few hundred thousand receipts.
QVector<ReportListModel::Row> salesRecordRows(RecordSet& records);

// The sum of the numbers of one column of the rows, in double precision.
double columnSum(const QVector<ReportListModel::Row>& rows, int column);
