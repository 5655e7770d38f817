#pragma once

#include <initializer_list>

class QTreeView;
class ReportListModel;

// A report-style list over the model: whole rows selected, no editing, fixed column widths.
void setUpReportView(QTreeView* view, ReportListModel* model, std::initializer_list<int> widths,
                     bool multipleSelection = false);
