#pragma once

#include <QByteArray>
#include <QDialog>

class Database;
class Prompter;
class QCheckBox;
class QLabel;
class QLineEdit;
struct PrintOptions;

// The receipt's logo: the picture, its size and shift, and whether it is printed.
class LogoWindow : public QDialog {
    Q_OBJECT
public:
    LogoWindow(Database& db, Prompter& prompter, PrintOptions& options, QWidget* parent = nullptr);

    void changeLogo();
    void saveLogoGeometry();
    void setPrintLogo(bool on);

private:
    void showPicture();

    Database& db_;
    Prompter& prompter_;
    PrintOptions& options_;
    QByteArray picture_;
    QLabel* pictureBox_;
    QLineEdit* offset_;
    QLineEdit* height_;
    QLineEdit* width_;
    QCheckBox* printLogo_;
};
