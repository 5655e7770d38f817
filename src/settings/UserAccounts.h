#pragma once

#include <QString>

class Database;

// The rules for the rows of 用户登录 that every user dialog shares.
class UserAccounts {
public:
    enum class Result { Done, Failed, NameTaken, LastAdministrator };

    explicit UserAccounts(Database& db) : db_(db) {}

    static QString administrator() { return QStringLiteral("管理员"); }
    static QString ordinaryUser() { return QStringLiteral("普通用户"); }
    // The login refuses quotes in a password, so no password may be given one.
    static bool passwordAllowed(const QString& password);

    // Names compare as the login compares them, without letter case.
    Result add(const QString& name, const QString& permission, const QString& password);
    // An empty password keeps the stored one.
    Result modify(qint64 id, const QString& permission, const QString& password);
    Result remove(qint64 id);
    // Whether taking the administrator's permission from this row would leave none.
    bool isLastAdministrator(qint64 id);

private:
    Database& db_;
};
