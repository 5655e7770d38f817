#pragma once

#include <QString>

// The logged-in cashier. Only the exact permission "管理员" makes an administrator.
struct CurrentUser {
    QString name;
    QString permission;

    bool isAdministrator() const { return permission == QStringLiteral("管理员"); }
};
