#pragma once

#include <QPointer>
#include <QWidget>

#include "store/CurrentUser.h"

class AddUserDialog;
class Database;
class Prompter;
class QPushButton;
class QTreeView;
class ReportListModel;

// The cashiers in 用户登录: listed for everybody, added, changed and removed by an administrator.
class UsersTab : public QWidget {
    Q_OBJECT
public:
    UsersTab(Database& db, Prompter& prompter, CurrentUser user, QWidget* parent = nullptr);

    // Refills the list; the selected user stays selected when still listed.
    bool refreshUsers(bool keepSelection);
    AddUserDialog* openAddUser();
    void openModifyUser();
    void deleteUser();
    void disableDirectLogin();
    void allowChanges(bool allowed);

    int selectedUserRow() const { return selectedRow_; }
    ReportListModel& list() const { return *rows_; }

private:
    void selectionChanged();

    Database& db_;
    Prompter& prompter_;
    CurrentUser user_;
    int selectedRow_ = -1;
    ReportListModel* rows_;
    QTreeView* view_;
    QList<QPushButton*> changeButtons_;
    QPointer<AddUserDialog> addDialog_;
};
