#include <QComboBox>
#include <QTabWidget>

#include "FakePlatform.h"
#include "ListDriving.h"
#include "TestDataDir.h"
#include "settings/AddUserDialog.h"
#include "settings/ModifyUserDialog.h"
#include "settings/SettingsWindow.h"
#include "store/Database.h"
#include "store/PrintOptions.h"
#include "store/TextRules.h"

// The cashiers' tab and its two dialogs, checked in 用户登录.
class UsersTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void addUser_data();
    void addUser();
    void addDialogStaysOpenForTheNextUser();
    void modifyUser_data();
    void modifyUser();
    void modifyNeedsASelectedRow();
    void deleteUser_data();
    void deleteUser();
    void deleteRightAfterADeletion();
    void lastAdministratorCannotBeDeleted();
    void disableDirectLogin();

private:
    SettingsWindow* open(const CurrentUser& user = {QStringLiteral("admin"), QStringLiteral("管理员")});
    QTreeView* users() const { return control<QTreeView>(window_.get(), QStringLiteral("超级列表框2")); }
    QString user(const QString& name, const char* column) const {
        return dir_->scalar(QStringLiteral("SELECT ") + QString::fromUtf8(column) +
                            QStringLiteral(" FROM 用户登录 WHERE 用户名 = '") +
                            QString(name).replace(QLatin1Char('\''), QStringLiteral("''")) +
                            QStringLiteral("' ORDER BY ID"));
    }
    QString userCount() const { return dir_->scalar(QStringLiteral("SELECT count(*) FROM 用户登录")); }
    AddUserDialog* openAdd();
    ModifyUserDialog* openModify(int row);
    static void fill(QWidget* dialog, const QString& name, const QString& password,
                     const QString& confirmation, const QString& permission);

    FakePlatform platform_;
    std::unique_ptr<TestDataDir> dir_;
    std::unique_ptr<Database> db_;
    PrintOptions printOptions_;
    bool saveSalesRecords_ = true;
    std::unique_ptr<SettingsWindow> window_;
};

void UsersTest::init() {
    platform_.prompts.reset();
    dir_ = std::make_unique<TestDataDir>();
    QVERIFY(dir_->isValid());
    QVERIFY(
        dir_->exec(QStringLiteral("INSERT INTO 用户登录 (ID, 用户名, 权限, 密码) VALUES "
                                  "(20, '小王', '普通用户', 'a'), (21, '老李', '普通用户', 'b')")));
}

void UsersTest::cleanup() {
    VERIFY_PROMPTS_SETTLED(platform_.prompts);
    window_.reset();
    db_.reset();
    dir_.reset();
}

SettingsWindow* UsersTest::open(const CurrentUser& current) {
    db_ = std::make_unique<Database>();
    if (!db_->open(dir_->databasePath())) return nullptr;
    window_ = std::make_unique<SettingsWindow>(platform_, *db_, current, printOptions_, saveSalesRecords_,
                                               QStringLiteral("0000000000002"));
    window_->show();
    control<QTabWidget>(window_.get(), QStringLiteral("高级选择夹1"))
        ->setCurrentIndex(SettingsWindow::UserTab);
    if (!QTest::qWaitForWindowExposed(window_.get())) return nullptr;
    return window_.get();
}

AddUserDialog* UsersTest::openAdd() {
    QTest::mouseClick(control<QPushButton>(window_.get(), QStringLiteral("按钮_添加1")), Qt::LeftButton);
    auto* dialog = window_->findChild<AddUserDialog*>();
    return dialog && dialog->isVisible() ? dialog : nullptr;
}

ModifyUserDialog* UsersTest::openModify(int row) {
    clickRow(users(), row);
    QTest::mouseClick(control<QPushButton>(window_.get(), QStringLiteral("按钮_修改1")), Qt::LeftButton);
    auto* dialog = window_->findChild<ModifyUserDialog*>();
    return dialog && dialog->isVisible() ? dialog : nullptr;
}

void UsersTest::fill(QWidget* dialog, const QString& name, const QString& password,
                     const QString& confirmation, const QString& permission) {
    auto* nameBox = control<QLineEdit>(dialog, QStringLiteral("编辑框_yhm"));
    if (!nameBox->isReadOnly()) retype(nameBox, name);
    retype(control<QLineEdit>(dialog, QStringLiteral("编辑框_mm")), password);
    retype(control<QLineEdit>(dialog, QStringLiteral("编辑框8")), confirmation);
    auto* permissionBox = control<QComboBox>(dialog, QStringLiteral("组合框_qx"));
    permissionBox->setCurrentIndex(permissionBox->findText(permission));
}

void UsersTest::addUser_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("confirmation");
    QTest::addColumn<QString>("permission");
    QTest::addColumn<QString>("message");  // empty: added
    QTest::newRow("ordinary user") << "小张"
                                   << "123"
                                   << "123"
                                   << "普通用户"
                                   << "";
    QTest::newRow("apostrophe in the name") << "O'Brien"
                                            << "pw"
                                            << "pw"
                                            << "管理员"
                                            << "";
    QTest::newRow("empty name") << ""
                                << "1"
                                << "1"
                                << "普通用户"
                                << "用户不能为空！";
    QTest::newRow("empty password") << "小张"
                                    << ""
                                    << ""
                                    << "普通用户"
                                    << "密码不能为空！";
    QTest::newRow("no confirmation") << "小张"
                                     << "1"
                                     << ""
                                     << "普通用户"
                                     << "请输入确认密码！";
    QTest::newRow("different confirmation") << "小张"
                                            << "123"
                                            << "124"
                                            << "普通用户"
                                            << "密码输入不一致，请重新输入！！";
    QTest::newRow("quote in the password") << "小张"
                                           << "a'b"
                                           << "a'b"
                                           << "普通用户"
                                           << "密码中不能含有引号（' 或 \"）！";
    QTest::newRow("name taken") << "小王"
                                << "1"
                                << "1"
                                << "管理员"
                                << "该用户名已存在，请换一个用户名！";
    QTest::newRow("name taken in other letters") << "ADMIN"
                                                 << "1"
                                                 << "1"
                                                 << "普通用户"
                                                 << "该用户名已存在，请换一个用户名！";
    QTest::newRow("name of 51 characters") << QString(51, QLatin1Char('u')) << "1"
                                           << "1"
                                           << "普通用户"
                                           << "添加失败！";
}

void UsersTest::addUser() {
    QFETCH(QString, name);
    QFETCH(QString, password);
    QFETCH(QString, confirmation);
    QFETCH(QString, permission);
    QFETCH(QString, message);
    QVERIFY(open());
    AddUserDialog* dialog = openAdd();
    QVERIFY(dialog);
    QCOMPARE(control<QComboBox>(dialog, QStringLiteral("组合框_qx"))->currentText(),
             QStringLiteral("管理员"));
    QCOMPARE(control<QLineEdit>(dialog, QStringLiteral("编辑框_mm"))->echoMode(), QLineEdit::Password);
    fill(dialog, name, password, confirmation, permission);
    if (!message.isEmpty()) platform_.prompts.expect(message);
    QTest::mouseClick(control<QPushButton>(dialog, QStringLiteral("按钮1")), Qt::LeftButton);
    if (message.isEmpty()) {
        QCOMPARE(userCount(), QStringLiteral("4"));
        QCOMPARE(user(name, "权限"), permission);
        QCOMPARE(user(name, "密码"), passwordDigest(password));
        QCOMPARE(shownColumn(users(), 1).last(), name);
        QCOMPARE(shownColumn(users(), 0).last(), QStringLiteral("4"));
    } else {
        QCOMPARE(userCount(), QStringLiteral("3"));
        QCOMPARE(users()->model()->rowCount(), 3);
    }
}

void UsersTest::addDialogStaysOpenForTheNextUser() {
    QVERIFY(open());
    AddUserDialog* dialog = openAdd();
    fill(dialog, QStringLiteral("甲"), QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("普通用户"));
    QTest::mouseClick(control<QPushButton>(dialog, QStringLiteral("按钮1")), Qt::LeftButton);
    QVERIFY(dialog->isVisible());
    QVERIFY(!dialog->isModal());
    QCOMPARE(control<QLineEdit>(dialog, QStringLiteral("编辑框_yhm"))->text(), QStringLiteral("甲"));
    retype(control<QLineEdit>(dialog, QStringLiteral("编辑框_yhm")), QStringLiteral("乙"));
    QTest::mouseClick(control<QPushButton>(dialog, QStringLiteral("按钮1")), Qt::LeftButton);
    QCOMPARE(shownColumn(users(), 1), (QStringList{"admin", "小王", "老李", "甲", "乙"}));
    QTest::mouseClick(control<QPushButton>(dialog, QStringLiteral("按钮2")), Qt::LeftButton);
    QTRY_VERIFY(!window_->findChild<AddUserDialog*>());
}

void UsersTest::modifyUser_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("confirmation");
    QTest::addColumn<QString>("permission");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("storedPermission");
    QTest::addColumn<QString>("storedPassword");  // a digest, or the stored text kept
    QTest::newRow("permission only keeps the password") << 1 << ""
                                                        << ""
                                                        << "管理员"
                                                        << "修改成功！下次登录生效！"
                                                        << "管理员"
                                                        << "a";
    QTest::newRow("new password typed twice") << 1 << "新密码"
                                              << "新密码"
                                              << "普通用户"
                                              << "修改成功！下次登录生效！"
                                              << "普通用户" << passwordDigest(QStringLiteral("新密码"));
    QTest::newRow("confirmation differs") << 1 << "新密码"
                                          << "新"
                                          << "管理员"
                                          << "密码输入不一致，请重新输入！！"
                                          << "普通用户"
                                          << "a";
    QTest::newRow("only the confirmation typed") << 1 << ""
                                                 << "x"
                                                 << "管理员"
                                                 << "密码输入不一致，请重新输入！！"
                                                 << "普通用户"
                                                 << "a";
    QTest::newRow("empty permission refused") << 1 << ""
                                              << ""
                                              << ""
                                              << "数据修改失败！"
                                              << "普通用户"
                                              << "a";
    QTest::newRow("last administrator kept") << 0 << ""
                                             << ""
                                             << "普通用户"
                                             << "至少需要保留一个管理员！"
                                             << "管理员" << passwordDigest(QString());
}

void UsersTest::modifyUser() {
    QFETCH(int, row);
    QFETCH(QString, password);
    QFETCH(QString, confirmation);
    QFETCH(QString, permission);
    QFETCH(QString, message);
    QFETCH(QString, storedPermission);
    QFETCH(QString, storedPassword);
    QVERIFY(open());
    ModifyUserDialog* dialog = openModify(row);
    QVERIFY(dialog);
    QVERIFY(dialog->windowModality() != Qt::NonModal);
    const QString name = shownColumn(users(), 1).at(row);
    auto* nameBox = control<QLineEdit>(dialog, QStringLiteral("编辑框_yhm"));
    QCOMPARE(nameBox->text(), name);
    QVERIFY(nameBox->isReadOnly());
    QCOMPARE(control<QComboBox>(dialog, QStringLiteral("组合框_qx"))->currentText(),
             shownColumn(users(), 2).at(row));
    QVERIFY(control<QLineEdit>(dialog, QStringLiteral("编辑框_mm"))->text().isEmpty());
    fill(dialog, name, password, confirmation, permission);
    platform_.prompts.expect(message);
    QTest::mouseClick(control<QPushButton>(dialog, QStringLiteral("按钮1")), Qt::LeftButton);
    QCOMPARE(user(name, "权限"), storedPermission);
    QCOMPARE(user(name, "密码"), storedPassword);
    QCOMPARE(shownColumn(users(), 2).at(row), storedPermission);
    QVERIFY(dialog->isVisible());
}

void UsersTest::modifyNeedsASelectedRow() {
    QVERIFY(open());
    platform_.prompts.expect(QStringLiteral("请选择要修改的行！"));
    QTest::mouseClick(control<QPushButton>(window_.get(), QStringLiteral("按钮_修改1")), Qt::LeftButton);
    QCOMPARE(platform_.prompts.shown().last().message.title, QStringLiteral("提示："));
    QVERIFY(!window_->findChild<ModifyUserDialog*>());

    // A second administrator may be demoted; the list keeps the user selected afterwards.
    QVERIFY(dir_->exec(QStringLiteral("UPDATE 用户登录 SET 权限 = '管理员' WHERE ID = 21")));
    window_.reset();
    QVERIFY(open());
    ModifyUserDialog* dialog = openModify(0);
    auto* permissionBox = control<QComboBox>(dialog, QStringLiteral("组合框_qx"));
    permissionBox->setCurrentIndex(permissionBox->findText(QStringLiteral("普通用户")));
    platform_.prompts.expect(QStringLiteral("修改成功！下次登录生效！"));
    QTest::mouseClick(control<QPushButton>(dialog, QStringLiteral("按钮1")), Qt::LeftButton);
    QCOMPARE(user(QStringLiteral("admin"), "权限"), QStringLiteral("普通用户"));
    QVERIFY(users()->selectionModel()->isRowSelected(0, QModelIndex()));
}

void UsersTest::deleteUser_data() {
    QTest::addColumn<QString>("loggedIn");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("message");
    QTest::addColumn<MessageAnswer>("answer");
    QTest::addColumn<QStringList>("left");
    QTest::newRow("the logged-in user") << "admin" << 0 << "当前用户(admin)正在使用，无法删除！"
                                        << MessageAnswer::Ok << QStringList{"admin", "小王", "老李"};
    // The login finds the name whatever its letter case, so the guard does the same.
    QTest::newRow("the logged-in user, typed in capitals")
        << "ADMIN" << 0 << "当前用户(admin)正在使用，无法删除！" << MessageAnswer::Ok
        << QStringList{"admin", "小王", "老李"};
    QTest::newRow("another user, No") << "admin" << 1 << "真的要删除用户 小王 吗？" << MessageAnswer::No
                                      << QStringList{"admin", "小王", "老李"};
    QTest::newRow("another user, Yes")
        << "admin" << 1 << "真的要删除用户 小王 吗？" << MessageAnswer::Yes << QStringList{"admin", "老李"};
}

void UsersTest::deleteUser() {
    QFETCH(QString, loggedIn);
    QFETCH(int, row);
    QFETCH(QString, message);
    QFETCH(MessageAnswer, answer);
    QFETCH(QStringList, left);
    QVERIFY(open({loggedIn, QStringLiteral("管理员")}));
    clickRow(users(), row);
    platform_.prompts.expect(message, answer);
    QTest::mouseClick(control<QPushButton>(window_.get(), QStringLiteral("按钮_删除1")), Qt::LeftButton);
    QCOMPARE(dir_->scalar(QStringLiteral(
                 "SELECT group_concat(用户名, ',') FROM (SELECT 用户名 FROM 用户登录 ORDER BY ID)")),
             left.join(QLatin1Char(',')));
    QCOMPARE(shownColumn(users(), 1), left);
    QCOMPARE(shownColumn(users(), 0).last(), QString::number(left.size()));
}

void UsersTest::deleteRightAfterADeletion() {
    QVERIFY(open());
    clickRow(users(), 2);
    platform_.prompts.expect(QStringLiteral("真的要删除用户 老李 吗？"), MessageAnswer::Yes);
    QTest::mouseClick(control<QPushButton>(window_.get(), QStringLiteral("按钮_删除1")), Qt::LeftButton);
    platform_.prompts.expect(QStringLiteral("请选择要删除的行！"));
    QTest::mouseClick(control<QPushButton>(window_.get(), QStringLiteral("按钮_删除1")), Qt::LeftButton);
    QCOMPARE(platform_.prompts.shown().last().message.title, QStringLiteral("提示："));
    QCOMPARE(userCount(), QStringLiteral("2"));
}

void UsersTest::lastAdministratorCannotBeDeleted() {
    // Logged in under a name no longer listed (direct login of a removed user).
    QVERIFY(open({QStringLiteral("店长"), QStringLiteral("管理员")}));
    clickRow(users(), 0);
    platform_.prompts.expect(QStringLiteral("至少需要保留一个管理员！"));
    QTest::mouseClick(control<QPushButton>(window_.get(), QStringLiteral("按钮_删除1")), Qt::LeftButton);
    QCOMPARE(user(QStringLiteral("admin"), "权限"), QStringLiteral("管理员"));
}

void UsersTest::disableDirectLogin() {
    QVERIFY(dir_->exec(QStringLiteral("UPDATE 配置文件 SET 直接登录 = '1'")));
    QVERIFY(open({QStringLiteral("小王"), QStringLiteral("普通用户")}));
    platform_.prompts.expect(QStringLiteral("设置成功！"));
    QTest::mouseClick(control<QPushButton>(window_.get(), QStringLiteral("按钮_取消直接登录")),
                      Qt::LeftButton);
    QCOMPARE(platform_.prompts.shown().last().message.title, QStringLiteral("提示"));
    QCOMPARE(dir_->scalar(QStringLiteral("SELECT 直接登录 FROM 配置文件")), QStringLiteral("0"));
}

QTEST_MAIN(UsersTest)
#include "tst_users.moc"
