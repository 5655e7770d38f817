#include "settings/AddUserDialog.h"

#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QLineEdit>

#include "platform/Prompter.h"
#include "settings/FormControls.h"
#include "settings/UserAccounts.h"

AddUserDialog::AddUserDialog(Database& db, Prompter& prompter, QWidget* parent)
    : QDialog(parent), db_(db), prompter_(prompter) {
    setObjectName(QStringLiteral("AddUserDialog"));
    setWindowTitle(QStringLiteral("销售Korvane"));
    resize(389, 295);

    name_ = named(new QLineEdit(this), "编辑框_yhm");
    password_ = named(new QLineEdit(this), "编辑框_mm");
    confirmation_ = named(new QLineEdit(this), "编辑框8");
    for (QLineEdit* box : {password_, confirmation_}) box->setEchoMode(QLineEdit::Password);
    permission_ = named(new QComboBox(this), "组合框_qx");
    permission_->addItems({UserAccounts::administrator(), UserAccounts::ordinaryUser()});
    permission_->setCurrentText(UserAccounts::administrator());
    auto* addButton = formButton("按钮1", "添加", this);
    auto* closeButton = formButton("按钮2", "关闭", this);
    auto* differences =
        formLabel("标签1",
                  "*普通用户和管理员区别：\n\n1.不可设置店铺信息\n\n2.没有管理用户的权限\n\n"
                  "3.不可更改销售票号、收银员\n\n4.不可删除销售记录\n\n5.不可取消“保存销售记录。",
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
    buttons->addWidget(addButton);
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
