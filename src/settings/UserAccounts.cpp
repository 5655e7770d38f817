#include "settings/UserAccounts.h"

#include "store/Database.h"
#include "store/TextRules.h"

bool UserAccounts::passwordAllowed(const QString& password) {
    return !password.contains(QLatin1Char('\'')) && !password.contains(QLatin1Char('"'));
}

UserAccounts::Result UserAccounts::add(const QString& name, const QString& permission,
                                       const QString& password) {
    RecordSet same = db_.query(QStringLiteral("SELECT ID FROM 用户登录 WHERE 用户名 = ?"), {name});
    if (!same.ok()) return Result::Failed;
    if (!same.isPastLast()) return Result::NameTaken;
    return db_.execute(QStringLiteral("INSERT INTO 用户登录 (用户名, 权限, 密码) VALUES (?, ?, ?)"),
                       {name, permission, passwordDigest(password)})
               ? Result::Done
               : Result::Failed;
}

UserAccounts::Result UserAccounts::modify(qint64 id, const QString& permission, const QString& password) {
    if (permission != administrator() && isLastAdministrator(id)) return Result::LastAdministrator;
    const bool ok =
        password.isEmpty()
            ? db_.execute(QStringLiteral("UPDATE 用户登录 SET 权限 = ? WHERE ID = ?"), {permission, id})
            : db_.execute(QStringLiteral("UPDATE 用户登录 SET 权限 = ?, 密码 = ? WHERE ID = ?"),
                          {permission, passwordDigest(password), id});
    return ok && db_.changedRows() > 0 ? Result::Done : Result::Failed;
}

UserAccounts::Result UserAccounts::remove(qint64 id) {
    if (isLastAdministrator(id)) return Result::LastAdministrator;
    return db_.execute(QStringLiteral("DELETE FROM 用户登录 WHERE ID = ?"), {id}) ? Result::Done
                                                                                  : Result::Failed;
}

bool UserAccounts::isLastAdministrator(qint64 id) {
    RecordSet rows =
        db_.query(QStringLiteral("SELECT ID FROM 用户登录 WHERE 权限 = ? ORDER BY ID"), {administrator()});
    bool target = false;
    bool other = false;
    for (; !rows.isPastLast(); rows.next())
        (rows.integer(QStringLiteral("ID")) == id ? target : other) = true;
    return target && !other;
}
