#include "startup/LoginWindow.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/Prompter.h"
#include "startup/Banner.h"
#include "store/ConfigReaders.h"
#include "store/Database.h"
#include "store/TextRules.h"
#include "widgets/DropDownEdit.h"
#include "widgets/QueryFill.h"

LoginWindow::LoginWindow(Database& db, Prompter& prompter, QWidget* parent)
    : QDialog(parent), db_(db), prompter_(prompter) {
    setObjectName(QStringLiteral("LoginWindow"));
    setWindowTitle(QStringLiteral("登录"));
    setFixedSize(341, 283);

    auto* banner = new QLabel(this);
    banner->setObjectName(QStringLiteral("图片框1"));
    banner->setPixmap(loginBanner(341, 80));
    banner->setFixedHeight(80);

    auto* userLabel = new QLabel(QStringLiteral("用户名："), this);
    userLabel->setObjectName(QStringLiteral("标签_用户名"));
    userName_ = new DropDownEdit(false, this);
    userName_->setObjectName(QStringLiteral("组合框_用户名"));
    userLabel->setBuddy(userName_);

    auto* passwordLabel = new QLabel(QStringLiteral("密 码："), this);
    passwordLabel->setObjectName(QStringLiteral("标签_密码"));
    password_ = new QLineEdit(this);
    password_->setObjectName(QStringLiteral("编辑框_密码"));
    passwordLabel->setBuddy(password_);

    directLogin_ = new QCheckBox(QStringLiteral("下次直接登录"), this);
    directLogin_->setObjectName(QStringLiteral("选择框1"));

    loginButton_ = new QPushButton(QStringLiteral("登录"), this);
    loginButton_->setObjectName(QStringLiteral("按钮_登录"));
    loginButton_->setDefault(true);
    auto* quitButton = new QPushButton(QStringLiteral("退出"), this);
    quitButton->setObjectName(QStringLiteral("按钮_退出"));
    quitButton->setAutoDefault(false);

    auto* hint = new QLabel(QStringLiteral("[用户名“admin”初始密码为空]"), this);
    hint->setObjectName(QStringLiteral("标签1"));
    hint->setAlignment(Qt::AlignCenter);

    auto* form = new QGridLayout;
    form->setContentsMargins(40, 12, 40, 0);
    form->setVerticalSpacing(10);
    form->addWidget(userLabel, 0, 0);
    form->addWidget(userName_, 0, 1);
    form->addWidget(passwordLabel, 1, 0);
    form->addWidget(password_, 1, 1);
    form->addWidget(directLogin_, 2, 1);

    auto* buttons = new QHBoxLayout;
    buttons->setContentsMargins(40, 0, 40, 0);
    buttons->addWidget(loginButton_);
    buttons->addSpacing(30);
    buttons->addWidget(quitButton);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 8);
    layout->addWidget(banner);
    layout->addLayout(form);
    layout->addSpacing(6);
    layout->addLayout(buttons);
    layout->addStretch();
    layout->addWidget(hint);

    connect(userName_, &DropDownEdit::aboutToDropDown, this, &LoginWindow::refillUserNames);
    connect(loginButton_, &QPushButton::clicked, this, &LoginWindow::logIn);
    connect(quitButton, &QPushButton::clicked, this, &LoginWindow::quitRequested);
}

void LoginWindow::presetUserName(const QString& name) {
    userName_->replaceItems({name.isEmpty() ? QStringLiteral("admin") : name});
}

void LoginWindow::refillUserNames() {
    fillComboFromQuery(db_, prompter_, QStringLiteral("SELECT * FROM 用户登录 ORDER BY ID"), {}, *userName_,
                       QStringLiteral("用户名"), false, this);
}

void LoginWindow::reject() { emit quitRequested(); }

void LoginWindow::logIn() {
    const QString name = userName_->currentText();
    if (name.isEmpty()) {
        prompter_.tell(this, QStringLiteral("用户名不能为空！"), MessageIcon::None, QStringLiteral("提示"));
        return;
    }
    const QString password = password_->text();
    if (password.contains(QLatin1Char('\'')) || password.contains(QLatin1Char('"'))) {
        prompter_.tell(this, QStringLiteral("密码里存在注入语句!"), MessageIcon::Information);
        return;
    }
    // The first row with that name decides; names compare without letter case.
    RecordSet user = db_.query(QStringLiteral("SELECT * FROM 用户登录 WHERE 用户名 = ? ORDER BY ID LIMIT 1"), {name});
    if (!user.ok()) {
        prompter_.tell(this, QStringLiteral("查询失败！"), MessageIcon::Information);
        return;
    }
    if (user.isPastLast() || passwordDigest(password) != user.text(QStringLiteral("密码"))) {
        prompter_.tell(this, QStringLiteral("请输入正确的密码！"), MessageIcon::None, QStringLiteral("提示："));
        return;
    }
    const CurrentUser current{name, user.text(QStringLiteral("权限"))};
    // Direct login is turned on only by a login that succeeds with the box checked.
    if (directLogin_->isChecked() &&
        !db_.execute(QStringLiteral("UPDATE 配置文件 SET 用户登录 = ?, 直接登录 = '1' WHERE ID = 1"), {name})) {
        prompter_.tell(this, QStringLiteral("数据执行失败！！"));
    }
    emit loggedIn(current);
}
