#pragma once

#include <QDialog>

#include "store/CurrentUser.h"

class Database;
class Prompter;
class DropDownEdit;
class QCheckBox;
class QLineEdit;
class QPushButton;

// The first window: pick a user, type the password, log in.
class LoginWindow : public QDialog {
    Q_OBJECT
public:
    LoginWindow(Database& db, Prompter& prompter, QWidget* parent = nullptr);

    // Puts the remembered name into the user box ("admin" when there is none).
    void presetUserName(const QString& name);
    void logIn();

signals:
    void loggedIn(const CurrentUser& user);
    void quitRequested();

protected:
    void reject() override;

private:
    void refillUserNames();

    Database& db_;
    Prompter& prompter_;
    DropDownEdit* userName_;
    QLineEdit* password_;
    QCheckBox* directLogin_;
    QPushButton* loginButton_;
};
