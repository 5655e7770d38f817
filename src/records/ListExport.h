#pragma once

class Platform;
class QWidget;
class ReportListModel;

// The export button of a list window: asks for a file name and writes the list as shown.
void exportListToSpreadsheet(Platform& platform, QWidget* owner, const ReportListModel& list);
