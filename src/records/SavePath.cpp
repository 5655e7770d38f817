#include "records/SavePath.h"

#include <QDir>
#include <QFileInfo>

#include "platform/Prompter.h"

bool mayReplace(Prompter& prompter, QWidget* owner, const QString& chosen, const QString& completed) {
    if (completed == chosen) return true;
    const QFileInfo target(completed);
    if (!target.exists() && !target.isSymLink()) return true;
    return prompter.confirm(owner,
                            QStringLiteral("“%1”已存在，是否替换？").arg(QDir::toNativeSeparators(completed)),
                            MessageIcon::Question, QStringLiteral("提示："));
}
