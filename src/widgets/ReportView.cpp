#include "widgets/ReportView.h"

#include <QTreeView>

#include "widgets/ReportListModel.h"

void setUpReportView(QTreeView* view, ReportListModel* model, std::initializer_list<int> widths,
                     bool multipleSelection) {
    view->setModel(model);
    view->setRootIsDecorated(false);
    view->setUniformRowHeights(true);
    view->setAllColumnsShowFocus(true);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(multipleSelection ? QAbstractItemView::ExtendedSelection : QAbstractItemView::SingleSelection);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    int column = 0;
    for (int width : widths) view->setColumnWidth(column++, width);
}

void widenColumnFor(QTreeView* view, int column, const QString& sample) {
    // Room for the cell's margins on both sides.
    const int needed = view->fontMetrics().horizontalAdvance(sample) + 3 * view->fontMetrics().averageCharWidth();
    if (view->columnWidth(column) < needed) view->setColumnWidth(column, needed);
}
