#include "settings/UserForm.h"

#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QLineEdit>

#include "settings/FormControls.h"

UserForm UserForm::build(QWidget* dialog, const char* actionText, const QString& differences) {
    UserForm form{};
    form.name = named(new QLineEdit(dialog), "编辑框_yhm");
    form.password = named(new QLineEdit(dialog), "编辑框_mm");
    form.confirmation = named(new QLineEdit(dialog), "编辑框8");
    for (QLineEdit* box : {form.password, form.confirmation}) box->setEchoMode(QLineEdit::Password);
    form.permission = named(new QComboBox(dialog), "组合框_qx");
    form.action = formButton("按钮1", actionText, dialog);
    form.close = formButton("按钮2", "关闭", dialog);
    auto* note = named(new QLabel(differences, dialog), "标签1");
    note->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    auto* grid = new QGridLayout;
    grid->addWidget(formLabel("标签12", "用户名：", form.name, dialog), 0, 0);
    grid->addWidget(form.name, 0, 1);
    grid->addWidget(formLabel("标签15", "密码：", form.password, dialog), 1, 0);
    grid->addWidget(form.password, 1, 1);
    grid->addWidget(formLabel("标签16", "确认密码：", form.confirmation, dialog), 2, 0);
    grid->addWidget(form.confirmation, 2, 1);
    grid->addWidget(formLabel("标签17", "用户权限：", form.permission, dialog), 3, 0);
    grid->addWidget(form.permission, 3, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(form.action);
    buttons->addWidget(form.close);
    grid->addLayout(buttons, 4, 0, 1, 2);
    grid->setRowStretch(5, 1);
    grid->setColumnStretch(1, 1);
    auto* panel = new QFrame(dialog);
    panel->setFrameShape(QFrame::StyledPanel);
    auto* panelLayout = new QVBoxLayout(panel);
    panelLayout->addWidget(note);
    panelLayout->addStretch();
    auto* layout = new QHBoxLayout(dialog);
    layout->setSpacing(12);
    layout->addLayout(grid, 1);
    layout->addWidget(panel);
    return form;
}
