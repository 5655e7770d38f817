#include "store/Database.h"

#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>

#include "store/Schema.h"
#include "store/SqliteHeader.h"
#include "store/Transaction.h"

namespace {

// A user's empty text is '' (which the tables refuse), never NULL; NULL is an invalid QVariant.
void bindAll(QSqlQuery& q, const QVariantList& values) {
    for (const QVariant& v : values) {
        if (v.typeId() == QMetaType::QString && v.toString().isNull())
            q.addBindValue(QString(QLatin1String("")));
        else
            q.addBindValue(v);
    }
}

}  // namespace

Database::Database(QString connectionName) : connectionName_(std::move(connectionName)) {}

Database::~Database() { close(); }

QSqlDatabase Database::handle() const { return QSqlDatabase::database(connectionName_, false); }

bool Database::isOpen() const { return QSqlDatabase::contains(connectionName_) && handle().isOpen(); }

bool Database::open(const QString& path) {
    close();
    lastError_.clear();
    if (!QFileInfo(path).isFile()) {
        lastError_ = QStringLiteral("no file");
        return false;
    }
    // Checked before SQLite sees the file: an empty file would otherwise pass as a new database.
    const QString headerProblem = checkSqliteHeader(path);
    if (!headerProblem.isEmpty()) {
        lastError_ = headerProblem;
        return false;
    }
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connectionName_);
        // mode=rw: never create a file that is missing.
        db.setDatabaseName(QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()).toString(QUrl::FullyEncoded) +
                           QStringLiteral("?mode=rw"));
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=5000"));
        if (!db.open()) {
            lastError_ = db.lastError().text();
        }
    }
    path_ = path;
    if (!lastError_.isEmpty() || !probe()) {
        close();
        return false;
    }
    return true;
}

bool Database::probe() {
    QSqlQuery q(handle());
    // Reads only, so a foreign file stays untouched until it is known to be ours.
    if (!q.exec(QStringLiteral("PRAGMA application_id")) || !q.next() ||
        q.value(0).toLongLong() != Schema::applicationId) {
        lastError_ = QStringLiteral("not a Korvane database");
        return false;
    }
    if (!q.exec(QStringLiteral("PRAGMA user_version")) || !q.next() ||
        q.value(0).toInt() > Schema::version) {
        lastError_ = QStringLiteral("database written by a newer version");
        return false;
    }
    if (!q.exec(QStringLiteral("SELECT count(*) FROM sqlite_master WHERE type='table' AND name IN "
                               "('客户资料','付款方式','商品名称','用户登录','销售记录','销售详情','配置文件')")) ||
        !q.next() || q.value(0).toInt() != 7) {
        lastError_ = QStringLiteral("tables missing");
        return false;
    }
    for (const char* pragma : {"PRAGMA foreign_keys=ON", "PRAGMA journal_mode=WAL", "PRAGMA synchronous=FULL"}) {
        if (!q.exec(QString::fromLatin1(pragma))) {
            lastError_ = q.lastError().text();
            return false;
        }
    }
    return true;
}

void Database::close() {
    if (!QSqlDatabase::contains(connectionName_)) return;
    {
        QSqlDatabase db = QSqlDatabase::database(connectionName_, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(connectionName_);
}

RecordSet Database::query(const QString& sql, const QVariantList& values) {
    if (!isOpen()) {
        lastError_ = QStringLiteral("database not open");
        return RecordSet();
    }
    QSqlQuery q(handle());
    q.setForwardOnly(true);
    if (!q.prepare(sql)) {
        lastError_ = q.lastError().text();
        return RecordSet();
    }
    bindAll(q, values);
    if (!q.exec()) {
        lastError_ = q.lastError().text();
        return RecordSet();
    }
    return RecordSet(std::move(q));
}

bool Database::execute(const QString& sql, const QVariantList& values) {
    if (!isOpen()) {
        lastError_ = QStringLiteral("database not open");
        return false;
    }
    QSqlQuery q(handle());
    if (!q.prepare(sql)) {
        lastError_ = q.lastError().text();
        return false;
    }
    bindAll(q, values);
    if (!q.exec()) {
        lastError_ = q.lastError().text();
        return false;
    }
    lastInsertId_ = q.lastInsertId().toLongLong();
    changedRows_ = q.numRowsAffected();
    return true;
}

Transaction Database::transaction() { return Transaction(*this); }
