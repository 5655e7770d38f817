#include "settings/ModifyUserDialog.h"

#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QLineEdit>

#include "platform/Prompter.h"
#include "settings/FormControls.h"
#include "settings/UserAccounts.h"

ModifyUserDialog::ModifyUserDialog(Database& db, Prompter& prompter, qint64 userId, const QString& name,
                                   const QString& permission, QWidget* parent)
    : QDialog(parent), db_(db), prompter_(prompter), userId_(userId) {
    setObjectName(QStringLiteral("ModifyUserDialog"));
    setWindowTitle(QStringLiteral("销售Korvane"));
    resize(452, 280);

    name_ = named(new QLineEdit(name, this), "编辑框_yhm");
    name_->setReadOnly(true);
    name_->setAlignment(Qt::AlignCenter);
    password_ = named(new QLineEdit(this), "编辑框_mm");
    confirmation_ = named(new QLineEdit(this), "编辑框8");
    for (QLineEdit* box : {password_, confirmation_}) {
        box->setEchoMode(QLineEdit::Password);
        box->setPlaceholderText(QStringLiteral("不修改密码请留空"));
    }
    permission_ = named(new QComboBox(this), "组合框_qx");
    permission_->addItems({UserAccounts::administrator(), UserAccounts::ordinaryUser(), QString()});
    // A permission the list does not know (from older data) is shown as stored.
    if (permission_->findText(permission) < 0) permission_->insertItem(2, permission);
    permission_->setCurrentText(permission);
    auto* modifyButton = formButton("按钮1", "修改", this);
    auto* closeButton = formButton("按钮2", "关闭", this);
    auto* differences =
        formLabel("标签1",
                  "\n 普通用户不和管理元区别：\n\n 1.不可设置店铺信息\n\n 2.没有管理用户的权限\n\n"
                  " 3.不可删除收银员\n\n 4.不可删除销售记录\n\n 5.不可取消包保存销售记录\n.",
                  nullptr, this);
    differences->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    auto* grid = new QGridLayout;
    grid->addWidget(formLabel("标签12", "用户名：", name_, this), 0, 0);
    grid->addWidget(name_, 0, 1);
    grid->addWidget(formLabel("标签15", "密码：", password_, this), 1, 0);
    grid->addWidget(password_, 1, 1);
    grid->addWidget(formLabel("标签16", "确认密码：", confirmation_, this), 2, 0);
    grid->addWidget(confirmation_, 2, 1);
    grid->addWidget(formLabel("标签17", "用户权限：", permission_, this), 3, 0);
    grid->addWidget(permission_, 3, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(modifyButton);
    buttons->addWidget(closeButton);
    grid->addLayout(buttons, 4, 0, 1, 2);
    grid->setRowStretch(5, 1);
    grid->setColumnStretch(1, 1);
    auto* panel = new QFrame(this);
    panel->setFrameShape(QFrame::StyledPanel);
    auto* panelLayout = new QVBoxLayout(panel);
    panelLayout->addWidget(differences);
    panelLayout->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->setSpacing(12);
    layout->addLayout(grid, 1);
    layout->addWidget(panel);

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
