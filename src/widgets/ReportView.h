#pragma once

#include <initializer_list>

class QString;
class QTreeView;
class ReportListModel;

// A report-style list over the model: whole rows selected, no editing, fixed column widths.
void setUpReportView(QTreeView* view, ReportListModel* model, std::initializer_list<int> widths,
                     bool multipleSelection = false);

// Widens a column so that a text like the sample shows whole at the list's font; never narrows it.
void widenColumnFor(QTreeView* view, int column, const QString& sample);
