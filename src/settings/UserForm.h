#pragma once

#include <QString>

class QComboBox;
class QLineEdit;
class QPushButton;
class QWidget;

// The boxes of one user, shared by the add and the modify dialogs.
struct UserForm {
    QLineEdit* name;
    QLineEdit* password;
    QLineEdit* confirmation;
    QComboBox* permission;
    QPushButton* action;
    QPushButton* close;

    // Builds the boxes in `dialog`, the action button with `actionText`, and beside them the note
    // on what an ordinary user may not do.
    static UserForm build(QWidget* dialog, const char* actionText, const QString& differences);
};
