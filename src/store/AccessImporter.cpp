#include "store/AccessImporter.h"

#include <fcntl.h>
#include <unistd.h>

#include <QAtomicInt>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryFile>
#include <optional>
#include <vector>

#include "store/AccessDate.h"
#include "store/AccessReader.h"
#include "store/BlankDatabase.h"
#include "store/JetFile.h"
#include "store/OlePicture.h"
#include "store/TextRules.h"

namespace {

enum class Target { Integer, Text, DateTime, Blob };

struct ColumnSpec {
    QString name;
    Target kind;
};

struct TableLayout {
    QString name;
    QList<ColumnSpec> columns;  // ID first
};

// The seven tables in the order they are filled: receipts before their lines.
const QList<TableLayout>& tableLayouts() {
    using T = Target;
    static const QList<TableLayout> layouts{
        {QStringLiteral("客户资料"), {{QStringLiteral("ID"), T::Integer}, {QStringLiteral("姓名"), T::Text}, {QStringLiteral("电话"), T::Text}}},
        {QStringLiteral("付款方式"), {{QStringLiteral("ID"), T::Integer}, {QStringLiteral("方式"), T::Text}}},
        {QStringLiteral("商品名称"), {{QStringLiteral("ID"), T::Integer}, {QStringLiteral("名称"), T::Text}, {QStringLiteral("单价"), T::Text}}},
        {QStringLiteral("用户登录"),
         {{QStringLiteral("ID"), T::Integer}, {QStringLiteral("用户名"), T::Text}, {QStringLiteral("权限"), T::Text}, {QStringLiteral("密码"), T::Text}}},
        {QStringLiteral("销售记录"),
         {{QStringLiteral("ID"), T::Integer}, {QStringLiteral("销售票号"), T::Text}, {QStringLiteral("销售时间"), T::DateTime},
          {QStringLiteral("数量"), T::Text}, {QStringLiteral("金额"), T::Text}, {QStringLiteral("收银员"), T::Text},
          {QStringLiteral("备注"), T::Text}}},
        {QStringLiteral("销售详情"),
         {{QStringLiteral("ID"), T::Integer}, {QStringLiteral("关联"), T::Integer}, {QStringLiteral("名称"), T::Text},
          {QStringLiteral("数量"), T::Text}, {QStringLiteral("单价"), T::Text}, {QStringLiteral("金额"), T::Text},
          {QStringLiteral("折后"), T::Text}, {QStringLiteral("备注"), T::Text}}},
        {QStringLiteral("配置文件"),
         {{QStringLiteral("ID"), T::Integer},       {QStringLiteral("店名"), T::Text},         {QStringLiteral("全局单号格式"), T::Text},
          {QStringLiteral("单号格式"), T::Text},     {QStringLiteral("备注"), T::Text},         {QStringLiteral("客户"), T::Text},
          {QStringLiteral("电话"), T::Text},         {QStringLiteral("折扣"), T::Text},         {QStringLiteral("付款方式的选中"), T::Text},
          {QStringLiteral("保存销售记录"), T::Text}, {QStringLiteral("显示打印完毕"), T::Text}, {QStringLiteral("提示再次打印"), T::Text},
          {QStringLiteral("打印单价"), T::Text},     {QStringLiteral("纸张边距"), T::Text},     {QStringLiteral("打印偏差"), T::Text},
          {QStringLiteral("用户登录"), T::Text},     {QStringLiteral("直接登录"), T::Text},     {QStringLiteral("logo高度"), T::Integer},
          {QStringLiteral("logo宽度"), T::Integer},  {QStringLiteral("logo偏差"), T::Integer},  {QStringLiteral("是否打印logo"), T::Text},
          {QStringLiteral("logo"), T::Blob}}},
    };
    return layouts;
}

const QString configTable = QStringLiteral("配置文件");

bool accepts(Target target, AccessReader::Kind kind) {
    using K = AccessReader::Kind;
    switch (target) {
    case Target::Integer:
    case Target::Text: return kind == K::Integer || kind == K::Text || kind == K::Other;
    case Target::DateTime: return kind == K::DateTime;
    case Target::Blob: return kind == K::Binary;
    }
    return false;
}

QVariant nullValue() { return QVariant(QMetaType(QMetaType::QString)); }

// One stored value from one Access value; a problem text when it has no stored form.
QVariant convert(const ColumnSpec& column, const QVariant& value, QString& problem) {
    if (!value.isValid()) return nullValue();
    switch (column.kind) {
    case Target::Integer: {
        if (value.typeId() == QMetaType::LongLong) return value;
        const QString text = value.toString().trimmed();
        if (text.isEmpty()) return nullValue();
        bool ok = false;
        const qint64 n = text.toLongLong(&ok);
        if (!ok) problem = QStringLiteral("“%1”的值“%2”不是整数").arg(column.name, text);
        return ok ? QVariant(n) : nullValue();
    }
    case Target::Text: {
        // The new tables refuse the empty text where the old file allowed it.
        const QString text = value.toString();
        return text.isEmpty() ? nullValue() : QVariant(text);
    }
    case Target::DateTime: {
        const QString text = accessDateText(value.toDouble());
        if (text.isNull()) problem = QStringLiteral("“%1”的日期超出 0000 至 9999 年").arg(column.name);
        return text.isNull() ? nullValue() : QVariant(text);
    }
    case Target::Blob: return value.toByteArray();
    }
    return nullValue();
}

QString reasonOf(const QSqlError& error) {
    const QString text = error.databaseText();
    if (text.contains(QStringLiteral("FOREIGN KEY"))) return QStringLiteral("关联的销售记录不存在");
    if (text.contains(QStringLiteral("CHECK"))) return QStringLiteral("内容超出新数据库的限制（长度或格式）");
    if (text.contains(QStringLiteral("UNIQUE"))) return QStringLiteral("ID 重复");
    return text;
}

QString escaped(const QVariant& v) {
    if (!v.isValid() || v.isNull()) return QStringLiteral("(空)");
    if (v.typeId() == QMetaType::QByteArray) return QStringLiteral("(%1 字节的二进制数据)").arg(v.toByteArray().size());
    QString s = v.toString();
    s.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    s.replace(QLatin1Char('\t'), QStringLiteral("\\t"));
    s.replace(QLatin1Char('\r'), QStringLiteral("\\r"));
    s.replace(QLatin1Char('\n'), QStringLiteral("\\n"));
    return s;
}

bool syncFile(const QString& path) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDWR);
    if (fd < 0) return false;
    const bool ok = ::fsync(fd) == 0;
    ::close(fd);
    return ok;
}

bool sameFile(const QString& a, const QString& b) {
    const QFileInfo fa(a), fb(b);
    if (!fb.exists()) return false;
    return fa.canonicalFilePath() == fb.canonicalFilePath();
}

class Importer {
public:
    Importer(AccessReader& reader, QSqlDatabase& db, AccessImportResult& result)
        : reader_(reader), db_(db), result_(result) {}

    // An error text when the import must stop.
    QString run(const QStringList& accessTables) {
        QSqlQuery q(db_);
        QVariantList seedConfig;
        if (q.exec(QStringLiteral("SELECT * FROM 配置文件 WHERE ID = 1")) && q.next()) {
            for (int i = 0; i < q.record().count(); ++i) seedConfig << q.value(i);
        }
        q.finish();
        for (const QString& table : {QStringLiteral("销售详情"), QStringLiteral("销售记录"), QStringLiteral("客户资料"),
                                     QStringLiteral("付款方式"), QStringLiteral("商品名称"), QStringLiteral("用户登录")}) {
            if (!q.exec(QStringLiteral("DELETE FROM ") + table)) return writeError(q.lastError());
        }
        for (const TableLayout& layout : tableLayouts()) {
            QString accessName;
            for (const QString& name : accessTables)
                if (name.compare(layout.name, Qt::CaseInsensitive) == 0) accessName = name;
            const QString error = importTable(layout, accessName, layout.name == configTable ? seedConfig : QVariantList());
            if (!error.isEmpty()) return error;
        }
        return keepAnAdministrator();
    }

    // Rows not stored, per table, with their column names.
    struct Unstored {
        QString table;
        QStringList columns;
        QList<QVariantList> rows;
    };
    QList<Unstored> unstored;

private:
    // The old program let the last administrator go; without one nobody could manage users or
    // initialise the data again. A new one with an empty password is added and reported.
    QString keepAnAdministrator() {
        QSqlQuery q(db_);
        if (!q.exec(QStringLiteral("SELECT 用户名, 权限 FROM 用户登录"))) return writeError(q.lastError());
        QStringList names;
        while (q.next()) {
            if (q.value(1).toString() == QStringLiteral("管理员")) return QString();
            names << q.value(0).toString().toLower();
        }
        QString name = QStringLiteral("admin");
        for (int n = 2; names.contains(name); ++n) name = QStringLiteral("admin%1").arg(n);
        q.prepare(QStringLiteral("INSERT INTO 用户登录 (用户名, 权限, 密码) VALUES (?, '管理员', ?)"));
        q.addBindValue(name);
        q.addBindValue(passwordDigest(QString()));
        if (!q.exec()) return writeError(q.lastError());
        note(QStringLiteral("旧数据库中没有管理员，已添加管理员“%1”（密码为空），请登录后设置密码").arg(name));
        return QString();
    }

    QString writeError(const QSqlError& error) const {
        return QStringLiteral("无法写入新数据库：%1").arg(error.text());
    }

    void note(const QString& text) { result_.problems << text; }

    QString importTable(const TableLayout& layout, const QString& accessName, const QVariantList& seedRow) {
        AccessReader::TableInfo info;
        // Column i of the Access table goes to layout column map[i], or nowhere (-1).
        std::vector<int> map;
        QList<int> present;
        QSqlQuery insert(db_);
        Unstored lost{layout.name, {}, {}};
        qint64 maxId = 0;
        int stored = 0;
        bool prepared = false;
        bool blankRowRemoved = false;
        QString failure;

        auto prepare = [&]() -> bool {
            map.assign(static_cast<size_t>(info.columns.size()), -1);
            for (int i = 0; i < info.columns.size(); ++i) {
                const AccessReader::Column& column = info.columns[i];
                int target = -1;
                for (int j = 0; j < layout.columns.size(); ++j)
                    if (layout.columns[j].name.compare(column.name, Qt::CaseInsensitive) == 0) target = j;
                if (target < 0) {
                    note(QStringLiteral("已忽略表“%1”的列“%2”：新数据库没有这一列").arg(layout.name, column.name));
                } else if (present.contains(target)) {
                    note(QStringLiteral("已忽略表“%1”的列“%2”：与另一列同名").arg(layout.name, column.name));
                } else if (!accepts(layout.columns[target].kind, column.kind)) {
                    note(QStringLiteral("已忽略表“%1”的列“%2”：数据类型与新数据库不符").arg(layout.name, column.name));
                } else {
                    map[static_cast<size_t>(i)] = target;
                    present << target;
                }
            }
            if (!present.contains(0)) {
                failure = QStringLiteral("旧数据库的表“%1”没有 ID 列，无法导入。").arg(layout.name);
                return false;
            }
            // A column the file lacks keeps the blank database's value where it has one.
            QStringList names, marks;
            for (int j = 0; j < layout.columns.size(); ++j) {
                if (present.contains(j) || j < seedRow.size()) {
                    names << layout.columns[j].name;
                    marks << QStringLiteral("?");
                }
                lost.columns << layout.columns[j].name;
            }
            if (!insert.prepare(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                    .arg(layout.name, names.join(QLatin1Char(',')), marks.join(QLatin1Char(','))))) {
                failure = writeError(insert.lastError());
                return false;
            }
            prepared = true;
            return true;
        };

        auto sink = [&](const AccessReader::Row& row) -> bool {
            if (!prepared && !prepare()) return false;
            if (layout.name == configTable && !blankRowRemoved) {
                blankRowRemoved = true;
                // The file has its own settings row: it takes the place of the blank one.
                QSqlQuery q(db_);
                if (!q.exec(QStringLiteral("DELETE FROM 配置文件"))) {
                    failure = writeError(q.lastError());
                    return false;
                }
            }
            QVariantList values;
            for (int j = 0; j < layout.columns.size(); ++j) values << (j < seedRow.size() ? seedRow[j] : nullValue());
            QStringList problems;
            for (int i = 0; i < row.values.size() && i < static_cast<int>(map.size()); ++i) {
                const int target = map[static_cast<size_t>(i)];
                if (target < 0) continue;
                QString problem;
                QVariant v = convert(layout.columns[target], row.values[i], problem);
                if (layout.columns[target].name == QStringLiteral("logo") && !v.toByteArray().isEmpty()) {
                    const QByteArray picture = pictureFromOle(v.toByteArray());
                    if (picture.isEmpty())
                        note(QStringLiteral("表“%1”的 logo 中找不到 JPEG、PNG、BMP 或 GIF 图片，已原样保存").arg(layout.name));
                    else
                        v = picture;
                }
                if (!problem.isEmpty()) problems << problem;
                values[target] = v;
            }
            const QVariant id = values[0];
            for (const QString& cut : row.cutColumns)
                note(QStringLiteral("表“%1” ID %2：“%3”超过 %4 字节，只保存了前面部分")
                         .arg(layout.name, id.toString(), cut)
                         .arg(AccessReader::bindSize));
            if (id.isNull()) problems << QStringLiteral("没有 ID");
            if (problems.isEmpty()) {
                for (int j = 0; j < layout.columns.size(); ++j)
                    if (present.contains(j) || j < seedRow.size()) insert.addBindValue(values[j]);
                if (insert.exec()) {
                    ++stored;
                    maxId = std::max(maxId, id.toLongLong());
                    return true;
                }
                problems << reasonOf(insert.lastError());
            }
            note(QStringLiteral("表“%1” ID %2 未导入：%3").arg(layout.name, id.isNull() ? QStringLiteral("(空)") : id.toString(),
                                                          problems.join(QStringLiteral("；"))));
            lost.rows << values;
            return true;
        };

        if (accessName.isEmpty() || !reader_.readTable(accessName, info, sink) || !failure.isEmpty()) {
            if (!failure.isEmpty()) return failure;
            if (accessName.isEmpty())
                return QStringLiteral("这个文件中没有表“%1”，不是旧版收银程序的数据库，无法导入。").arg(layout.name);
            return QStringLiteral("旧数据库文件已损坏或不完整（表“%1”读不全），无法导入。").arg(layout.name);
        }
        if (!prepared && !prepare()) return failure;
        if (layout.name == configTable && stored == 0 && lost.rows.isEmpty())
            note(QStringLiteral("旧数据库没有设置行，已使用新数据库的默认设置"));

        // The next ID continues after the file's own counter, which can be above the highest ID
        // left (rows deleted at the end); never below an ID stored.
        QSqlQuery seq(db_);
        seq.prepare(QStringLiteral("UPDATE sqlite_sequence SET seq = ? WHERE name = ?"));
        seq.addBindValue(std::max(info.lastAutoNumber, maxId));
        seq.addBindValue(layout.name);
        if (!seq.exec()) return writeError(seq.lastError());

        if (!lost.rows.isEmpty()) unstored << lost;
        count(layout.name) = stored;
        return QString();
    }

    int& count(const QString& table) {
        static int ignored = 0;
        if (table == QStringLiteral("客户资料")) return result_.customers;
        if (table == QStringLiteral("付款方式")) return result_.paymentMethods;
        if (table == QStringLiteral("商品名称")) return result_.products;
        if (table == QStringLiteral("用户登录")) return result_.users;
        if (table == QStringLiteral("销售记录")) return result_.sales;
        if (table == QStringLiteral("销售详情")) return result_.lines;
        return ignored;
    }

    AccessReader& reader_;
    QSqlDatabase& db_;
    AccessImportResult& result_;
};

bool writeReport(const QString& path, const QString& source, const QStringList& problems,
                 const QList<Importer::Unstored>& unstored) {
    QString text = QStringLiteral("从“%1”导入时发现以下问题：\n").arg(QDir::toNativeSeparators(source));
    for (const QString& p : problems) text += QStringLiteral("- ") + p + QLatin1Char('\n');
    if (!unstored.isEmpty()) {
        text += QStringLiteral("\n未能导入的行（制表符分隔；文字中的 \\t、\\r、\\n、\\\\ 是转写的制表符、回车、换行和反斜杠）：\n");
        for (const Importer::Unstored& table : unstored) {
            text += QStringLiteral("\n[") + table.table + QStringLiteral("]\n") + table.columns.join(QLatin1Char('\t')) +
                    QLatin1Char('\n');
            for (const QVariantList& row : table.rows) {
                QStringList cells;
                for (const QVariant& v : row) cells << escaped(v);
                text += cells.join(QLatin1Char('\t')) + QLatin1Char('\n');
            }
        }
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return false;
    file.write(text.toUtf8());
    return file.commit();
}

AccessImportResult failed(QString error) {
    AccessImportResult r;
    r.error = std::move(error);
    return r;
}

}  // namespace

bool isAccessFile(const QString& path) {
    const JetKind kind = jetKindOf(path);
    return kind != JetKind::Unreadable && kind != JetKind::NotAccess;
}

AccessImportResult importAccessDatabase(const QString& accessPath, const QString& targetPath) {
    switch (jetKindOf(accessPath)) {
    case JetKind::Unreadable: return failed(QStringLiteral("无法读取文件“%1”。").arg(QDir::toNativeSeparators(accessPath)));
    case JetKind::NotAccess: return failed(QStringLiteral("这个文件不是 Access 数据库，无法导入。"));
    case JetKind::Jet3:
        return failed(QStringLiteral("这是 Access 97 或更早版本（Jet 3）的数据库，只能导入 Access 2000（Jet 4）格式的数据库。"));
    case JetKind::Ace:
        return failed(QStringLiteral("这是 Access 2007 或更新版本（.accdb）的数据库，只能导入 Access 2000（Jet 4）格式的数据库。"));
    case JetKind::Damaged: return failed(QStringLiteral("旧数据库文件已损坏或不完整，无法导入。"));
    case JetKind::Jet4: break;
    }
    if (sameFile(accessPath, targetPath)) return failed(QStringLiteral("新数据库不能写在旧数据库文件本身上。"));

    AccessReader reader(accessPath);
    if (!reader.isOpen()) return failed(QStringLiteral("旧数据库文件已损坏或不完整，无法导入。"));
    const QStringList accessTables = reader.tableNames();

    const QFileInfo target(targetPath);
    QTemporaryFile temp(target.absolutePath() + QStringLiteral("/.RX.mdb.import-XXXXXX"));
    if (!temp.open()) return failed(QStringLiteral("无法在“%1”中创建新数据库。").arg(QDir::toNativeSeparators(target.absolutePath())));
    const QString tempPath = temp.fileName();
    temp.close();
    if (!writeBlankDatabase(tempPath))
        return failed(QStringLiteral("无法在“%1”中创建新数据库。").arg(QDir::toNativeSeparators(target.absolutePath())));

    AccessImportResult result;
    QString error;
    QList<Importer::Unstored> unstored;
    static QAtomicInt counter;
    const QString connection = QStringLiteral("korvane-import-%1").arg(counter.fetchAndAddRelaxed(1));
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        db.setDatabaseName(tempPath);
        if (!db.open()) {
            error = QStringLiteral("无法写入新数据库：%1").arg(db.lastError().text());
        } else {
            QSqlQuery q(db);
            if (!q.exec(QStringLiteral("PRAGMA journal_mode=DELETE")) || !q.exec(QStringLiteral("PRAGMA foreign_keys=ON")) ||
                !db.transaction()) {
                error = QStringLiteral("无法写入新数据库：%1").arg(q.lastError().text());
            } else {
                Importer importer(reader, db, result);
                error = importer.run(accessTables);
                unstored = importer.unstored;
                if (error.isEmpty() && !db.commit()) error = QStringLiteral("无法写入新数据库：%1").arg(db.lastError().text());
                if (!error.isEmpty()) db.rollback();
            }
            if (error.isEmpty() && !q.exec(QStringLiteral("PRAGMA journal_mode=WAL")))
                error = QStringLiteral("无法写入新数据库：%1").arg(q.lastError().text());
            q.finish();
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(connection);
    QFile::remove(tempPath + QStringLiteral("-journal"));
    QFile::remove(tempPath + QStringLiteral("-wal"));
    QFile::remove(tempPath + QStringLiteral("-shm"));

    for (const QString& name : accessTables) {
        bool known = false;
        for (const TableLayout& layout : tableLayouts()) known = known || layout.name.compare(name, Qt::CaseInsensitive) == 0;
        if (!known) result.problems << QStringLiteral("已忽略表“%1”：新数据库没有这张表").arg(name);
    }

    if (error.isEmpty() && !syncFile(tempPath)) error = QStringLiteral("无法写入新数据库。");
    // The report holds the rows not stored, so without it the import must not go on.
    const QString reportPath = target.absolutePath() + QStringLiteral("/导入报告.txt");
    if (error.isEmpty() && !result.problems.isEmpty()) {
        if (writeReport(reportPath, accessPath, result.problems, unstored))
            result.reportPath = reportPath;
        else
            error = QStringLiteral("无法写入导入报告“%1”。").arg(QDir::toNativeSeparators(reportPath));
    }
    if (error.isEmpty() && !replaceFile(tempPath, target.absoluteFilePath())) {
        error = QStringLiteral("无法把新数据库放到“%1”。").arg(QDir::toNativeSeparators(target.absoluteFilePath()));
        if (!result.reportPath.isEmpty()) QFile::remove(result.reportPath);
    }
    if (!error.isEmpty()) return failed(error);  // temp removes the half-built file
    temp.setAutoRemove(false);
    result.ok = true;
    return result;
}
