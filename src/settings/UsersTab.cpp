#include "settings/UsersTab.h"

#include <QGridLayout>
#include <QTreeView>

#include "platform/Prompter.h"
#include "settings/AddUserDialog.h"
#include "settings/FormControls.h"
#include "settings/ModifyUserDialog.h"
#include "settings/UserAccounts.h"
#include "store/ConfigReaders.h"
#include "store/Database.h"
#include "widgets/QueryFill.h"
#include "widgets/ReportListModel.h"
#include "widgets/ReportView.h"

UsersTab::UsersTab(Database& db, Prompter& prompter, CurrentUser user, QWidget* parent)
    : QWidget(parent), db_(db), prompter_(prompter), user_(std::move(user)) {
    view_ = named(new QTreeView(this), "超级列表框2");
    rows_ =
        new ReportListModel({QStringLiteral("序号"), QStringLiteral("用户"), QStringLiteral("权限")}, view_);
    setUpReportView(view_, rows_, {50, 80, 80});

    auto* addButton = formButton("按钮_添加1", "添加", this);
    auto* modifyButton = formButton("按钮_修改1", "修改", this);
    auto* deleteButton = formButton("按钮_删除1", "删除", this);
    auto* directLoginButton = formButton("按钮_取消直接登录", "取消直接登录", this);
    changeButtons_ = {addButton, modifyButton, deleteButton};

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(directLoginButton);
    buttons->addStretch();
    for (QPushButton* b : changeButtons_) buttons->addWidget(b);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(view_, 1);
    layout->addLayout(buttons);

    connect(view_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &UsersTab::selectionChanged);
    connect(addButton, &QPushButton::clicked, this, &UsersTab::openAddUser);
    connect(modifyButton, &QPushButton::clicked, this, &UsersTab::openModifyUser);
    connect(deleteButton, &QPushButton::clicked, this, &UsersTab::deleteUser);
    connect(directLoginButton, &QPushButton::clicked, this, &UsersTab::disableDirectLogin);
}

void UsersTab::allowChanges(bool allowed) {
    for (QPushButton* b : changeButtons_) b->setEnabled(allowed);
}

bool UsersTab::refreshUsers(bool keepSelection) {
    const qint64 selectedId = keepSelection && selectedRow_ >= 0 ? rows_->rowId(selectedRow_) : 0;
    selectedRow_ = -1;
    const bool ok =
        fillListFromQuery(db_, prompter_, QStringLiteral("SELECT * FROM 用户登录 ORDER BY ID"), {}, *rows_,
                          {QStringLiteral("用户名"), QStringLiteral("权限")}, window());
    for (int row = 0; selectedId != 0 && row < rows_->rowCount(); ++row) {
        if (rows_->rowId(row) == selectedId) {
            view_->setCurrentIndex(rows_->index(row, 0));
            break;
        }
    }
    return ok;
}

void UsersTab::selectionChanged() {
    const QModelIndexList selected = view_->selectionModel()->selectedRows();
    selectedRow_ = selected.isEmpty() ? -1 : selected.first().row();
}

AddUserDialog* UsersTab::openAddUser() {
    // One at a time: a second click brings the open one forward.
    if (!addDialog_) {
        addDialog_ = new AddUserDialog(db_, prompter_, window());
        addDialog_->setAttribute(Qt::WA_DeleteOnClose);
        connect(addDialog_, &AddUserDialog::userAdded, this, [this] { refreshUsers(true); });
    }
    addDialog_->show();
    addDialog_->raise();
    addDialog_->activateWindow();
    return addDialog_;
}

void UsersTab::openModifyUser() {
    if (selectedRow_ < 0) {
        prompter_.tell(window(), QStringLiteral("请选择要修改的行！"), MessageIcon::None,
                       QStringLiteral("提示："));
        return;
    }
    auto* dialog = new ModifyUserDialog(db_, prompter_, rows_->rowId(selectedRow_),
                                        rows_->cell(selectedRow_, 1), rows_->cell(selectedRow_, 2), window());
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowModality(Qt::WindowModal);
    connect(dialog, &ModifyUserDialog::userModified, this, [this] { refreshUsers(true); });
    dialog->open();
}

void UsersTab::deleteUser() {
    if (selectedRow_ < 0) {
        prompter_.tell(window(), QStringLiteral("请选择要删除的行！"), MessageIcon::None,
                       QStringLiteral("提示："));
        return;
    }
    const QString name = rows_->cell(selectedRow_, 1);
    // The login finds names without letter case, so neither does this guard.
    if (name.compare(user_.name, Qt::CaseInsensitive) == 0) {
        prompter_.tell(window(), QStringLiteral("当前用户(") + name + QStringLiteral(")正在使用，无法删除！"),
                       MessageIcon::None, QStringLiteral("提示"));
        return;
    }
    UserAccounts accounts(db_);
    const qint64 id = rows_->rowId(selectedRow_);
    if (accounts.isLastAdministrator(id)) {
        prompter_.tell(window(), QStringLiteral("至少需要保留一个管理员！"));
        return;
    }
    if (!prompter_.confirm(window(), QStringLiteral("真的要删除用户 ") + name + QStringLiteral(" 吗？"),
                           MessageIcon::None, QStringLiteral("注意")))
        return;
    switch (accounts.remove(id)) {
        case UserAccounts::Result::Done:
            refreshUsers(false);
            break;
        case UserAccounts::Result::LastAdministrator:
            prompter_.tell(window(), QStringLiteral("至少需要保留一个管理员！"));
            break;
        default:
            prompter_.tell(window(), QStringLiteral("数据删除失败"));
            break;
    }
}

void UsersTab::disableDirectLogin() {
    if (writeConfigValue(db_, QStringLiteral("直接登录"), QStringLiteral("0")))
        prompter_.tell(window(), QStringLiteral("设置成功！"), MessageIcon::None, QStringLiteral("提示"));
    else
        prompter_.tell(window(), QStringLiteral("数据执行失败！！"));
}
