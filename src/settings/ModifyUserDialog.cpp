#include "settings/ModifyUserDialog.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include "platform/Prompter.h"
#include "settings/UserForm.h"
#include "settings/UserAccounts.h"

ModifyUserDialog::ModifyUserDialog(Database& db, Prompter& prompter, qint64 userId, const QString& name,
                                   const QString& permission, QWidget* parent)
    : QDialog(parent), db_(db), prompter_(prompter), userId_(userId) {
    setObjectName(QStringLiteral("ModifyUserDialog"));
    setWindowTitle(QStringLiteral("销售Korvane"));
    resize(452, 280);

    const UserForm form = UserForm::build(
        this, "修改",
        QStringLiteral("\n 普通用户不和管理元区别：\n\n 1.不可设置店铺信息\n\n 2.没有管理用户的权限\n\n"
                       " 3.不可删除收银员\n\n 4.不可删除销售记录\n\n 5.不可取消包保存销售记录\n."));
    name_ = form.name;
    password_ = form.password;
    confirmation_ = form.confirmation;
    permission_ = form.permission;
    name_->setText(name);
    name_->setReadOnly(true);
    name_->setAlignment(Qt::AlignCenter);
    for (QLineEdit* box : {password_, confirmation_}) box->setPlaceholderText(QStringLiteral("不修改密码请留空"));
    permission_->addItems({UserAccounts::administrator(), UserAccounts::ordinaryUser(), QString()});
    // A permission the list does not know (from older data) is shown as stored.
    if (permission_->findText(permission) < 0) permission_->insertItem(2, permission);
    permission_->setCurrentText(permission);
    QPushButton* modifyButton = form.action;
    QPushButton* closeButton = form.close;

    password_->setFocus();
    connect(modifyButton, &QPushButton::clicked, this, &ModifyUserDialog::modifyUser);
    connect(closeButton, &QPushButton::clicked, this, &QDialog::close);
}

void ModifyUserDialog::modifyUser() {
    const QString password = password_->text();
    const auto tell = [this](const QString& text) { prompter_.tell(this, text); };
    // An empty pair keeps the password; a new one must be typed the same way twice.
    if (password != confirmation_->text()) return tell(QStringLiteral("密码输入不一致，请重新输入！！"));
    if (!UserAccounts::passwordAllowed(password))
        return tell(QStringLiteral("密码中不能含有引号（' 或 \"）！"));
    switch (UserAccounts(db_).modify(userId_, permission_->currentText(), password)) {
        case UserAccounts::Result::Done:
            tell(QStringLiteral("修改成功！下次登录生效！"));
            emit userModified();
            break;
        case UserAccounts::Result::LastAdministrator:
            tell(QStringLiteral("至少需要保留一个管理员！"));
            break;
        default:
            tell(QStringLiteral("数据修改失败！"));
            break;
    }
}
