#pragma once

#include <QDialog>

class Database;
class Prompter;
class QComboBox;
class QLineEdit;

// Changes one user's permission and, when a new one is typed twice, the password.
class ModifyUserDialog : public QDialog {
    Q_OBJECT
public:
    ModifyUserDialog(Database& db, Prompter& prompter, qint64 userId, const QString& name,
                     const QString& permission, QWidget* parent = nullptr);

    void modifyUser();

signals:
    void userModified();

private:
    Database& db_;
    Prompter& prompter_;
    qint64 userId_;
    QLineEdit* name_;
    QLineEdit* password_;
    QLineEdit* confirmation_;
    QComboBox* permission_;
};
