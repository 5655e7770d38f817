#pragma once

#include <QDialog>

class Database;
class Prompter;
class QComboBox;
class QLineEdit;

// Adds cashiers one after another; stays open beside the settings window.
class AddUserDialog : public QDialog {
    Q_OBJECT
public:
    AddUserDialog(Database& db, Prompter& prompter, QWidget* parent = nullptr);

    void addUser();

signals:
    void userAdded();

private:
    Database& db_;
    Prompter& prompter_;
    QLineEdit* name_;
    QLineEdit* password_;
    QLineEdit* confirmation_;
    QComboBox* permission_;
};
