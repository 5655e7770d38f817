#include "store/ConfigReaders.h"

#include "platform/Prompter.h"
#include "store/Database.h"

namespace {

const QString queryFailed = QStringLiteral("查询失败！");

// The configuration row is the first one; names are fixed identifiers, never user text.
QString configColumn(Database& db, const QString& column, bool* ok) {
    RecordSet rows = db.query(QStringLiteral("SELECT * FROM 配置文件 ORDER BY ID LIMIT 1"));
    *ok = rows.ok();
    return rows.text(column);
}

}  // namespace

QString readConfigText(Database& db, Prompter& prompter, const QString& column, QWidget* owner) {
    bool ok = false;
    const QString text = configColumn(db, column, &ok);
    if (!ok) prompter.tell(owner, queryFailed);
    return text;
}

bool readConfigFlag(Database& db, Prompter& prompter, const QString& column, QWidget* owner) {
    return readConfigText(db, prompter, column, owner) == QStringLiteral("真");
}

QString readConfigNumber(Database& db, Prompter& prompter, const QString& column, QWidget* owner) {
    bool ok = false;
    const QString text = configColumn(db, column, &ok);
    if (ok) return text;
    prompter.tell(owner, queryFailed);
    return QStringLiteral("假");
}

QString readLogoFlag(Database& db, Prompter& prompter, QWidget* owner) {
    RecordSet rows = db.query(QStringLiteral("SELECT 是否打印logo FROM 配置文件 WHERE ID = 1"));
    if (!rows.ok()) {
        prompter.tell(owner, QStringLiteral("logo数据打开失败！"), MessageIcon::Error);
        return QString();
    }
    return rows.text(QStringLiteral("是否打印logo"));
}

QString readLastValue(Database& db, Prompter& prompter, const QString& sql, const QVariantList& values,
                      const QString& column, QWidget* owner) {
    RecordSet rows = db.query(sql, values);
    if (!rows.ok()) {
        prompter.tell(owner, queryFailed);
        return QString();
    }
    QString last;
    for (; !rows.isPastLast(); rows.next()) last = rows.text(column);
    return last;
}

bool writeConfigValue(Database& db, const QString& column, const QVariant& value) {
    // The column name is one of the schema's; quoted as an identifier all the same.
    QString quoted = column;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return db.execute(QStringLiteral("UPDATE 配置文件 SET \"") + quoted + QStringLiteral("\" = ? WHERE ID = 1"), {value});
}
