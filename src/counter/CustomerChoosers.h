#pragma once

#include <QObject>

class Database;
class DropDownEdit;
class Prompter;
struct MainWindowUi;

// The phone and customer of a sale: two parallel lists from 客户资料, each switched on by its
// check box (the switch remembered in 配置文件); picking in one list picks the same customer in both.
// Items carry the customer's ID, so the two lists agree even when filled at different times.
class CustomerChoosers : public QObject {
    Q_OBJECT
public:
    CustomerChoosers(Database& db, Prompter& prompter, const MainWindowUi& ui, QObject* parent = nullptr);

    // At start: a switch stored as on is turned on again, which fills its list.
    void start();
    void phoneSwitched(bool on);
    void customerSwitched(bool on);

private:
    void store(const QString& column, bool on);
    void refill(const QString& column, DropDownEdit& combo);
    void picked(int index, DropDownEdit& from, DropDownEdit& other);

    Database& db_;
    Prompter& prompter_;
    const MainWindowUi& ui_;
};
