#include "settings/AddUserDialog.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include "platform/Prompter.h"
#include "settings/UserForm.h"
#include "settings/UserAccounts.h"

AddUserDialog::AddUserDialog(Database& db, Prompter& prompter, QWidget* parent)
    : QDialog(parent), db_(db), prompter_(prompter) {
    setObjectName(QStringLiteral("AddUserDialog"));
    setWindowTitle(QStringLiteral("销售Korvane"));
    resize(389, 295);

    const UserForm form = UserForm::build(
        this, "添加",
        QStringLiteral("*普通用户和管理员区别：\n\n1.不可设置店铺信息\n\n2.没有管理用户的权限\n\n"
                       "3.不可更改销售票号、收银员\n\n4.不可删除销售记录\n\n5.不可取消“保存销售记录。"));
    name_ = form.name;
    password_ = form.password;
    confirmation_ = form.confirmation;
    permission_ = form.permission;
    permission_->addItems({UserAccounts::administrator(), UserAccounts::ordinaryUser()});
    permission_->setCurrentText(UserAccounts::administrator());
    QPushButton* addButton = form.action;
    QPushButton* closeButton = form.close;

    connect(addButton, &QPushButton::clicked, this, &AddUserDialog::addUser);
    connect(closeButton, &QPushButton::clicked, this, &QDialog::close);
}

void AddUserDialog::addUser() {
    const QString name = name_->text();
    const QString password = password_->text();
    const QString permission = permission_->currentText();
    const auto refuse = [this](const QString& text) { prompter_.tell(this, text); };
    if (name.isEmpty()) return refuse(QStringLiteral("用户不能为空！"));
    if (password.isEmpty()) return refuse(QStringLiteral("密码不能为空！"));
    if (confirmation_->text().isEmpty()) return refuse(QStringLiteral("请输入确认密码！"));
    if (permission.isEmpty()) return refuse(QStringLiteral("请选择权限！"));
    if (password != confirmation_->text()) return refuse(QStringLiteral("密码输入不一致，请重新输入！！"));
    if (!UserAccounts::passwordAllowed(password))
        return refuse(QStringLiteral("密码中不能含有引号（' 或 \"）！"));
    switch (UserAccounts(db_).add(name, permission, password)) {
        case UserAccounts::Result::Done:
            emit userAdded();
            break;
        case UserAccounts::Result::NameTaken:
            refuse(QStringLiteral("该用户名已存在，请换一个用户名！"));
            break;
        default:
            refuse(QStringLiteral("添加失败！"));
            break;
    }
}
