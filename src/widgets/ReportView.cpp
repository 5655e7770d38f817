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
