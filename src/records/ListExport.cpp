#include "records/ListExport.h"

#include <QStringList>

#include "platform/Clock.h"
#include "platform/Platform.h"
#include "platform/Prompter.h"
#include "records/SavePath.h"
#include "records/SpreadsheetWriter.h"
#include "store/TextRules.h"
#include "widgets/ReportListModel.h"

void exportListToSpreadsheet(Platform& platform, QWidget* owner, const ReportListModel& list) {
    Prompter& prompter = platform.prompter();
    if (list.rowCount() == 0) {
        prompter.tell(owner, QStringLiteral("没有数据可以导出！"), MessageIcon::None, QStringLiteral("提示："));
        return;
    }
    FileDialogRequest request;
    request.caption = QStringLiteral("导出");
    request.filter = QStringLiteral("*.xls (*.xls)");
    request.proposedName = shortDateText(platform.clock().now().date()) + QStringLiteral("查询结果.xls");
    const QString chosen = prompter.saveFileName(owner, request);
    QString path = chosen;
    if (!path.isEmpty() && !path.endsWith(QStringLiteral(".xls"), Qt::CaseInsensitive))
        path += QStringLiteral(".xls");
    if (path.isEmpty() || !mayReplace(prompter, owner, chosen, path)) {
        prompter.tell(owner, QStringLiteral("保存失败！"));
        return;
    }

    QStringList titles;
    for (int column = 0; column < list.columnCount(); ++column)
        titles << list.headerData(column, Qt::Horizontal).toString();
    SpreadsheetWriter writer;
    if (!writer.write(path, titles, list.rowCount(), [&list](int row) { return list.rows().at(row).cells; })) {
        prompter.tell(owner, QStringLiteral("保存失败！错误代码：01"));
        return;
    }
    QString done = QStringLiteral("保存成功！\r\n保存在：") + path;
    if (writer.cutCells()) done += QStringLiteral("\r\n注意：超过 32767 个字符的单元格已被截断。");
    prompter.tell(owner, done, MessageIcon::Information, QStringLiteral("提示："));
}
