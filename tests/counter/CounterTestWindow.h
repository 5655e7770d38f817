#pragma once

#include <QAbstractItemView>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeView>
#include <QWheelEvent>
#include <memory>

#include "FakePlatform.h"
#include "Gui.h"
#include "TestDataDir.h"
#include "counter/MainWindow.h"
#include "counter/PaymentPanel.h"
#include "store/Database.h"

// One counter window over a fresh database, driven the way a cashier drives it.
struct CounterTestWindow {
    FakePlatform platform;
    std::unique_ptr<TestDataDir> dir = std::make_unique<TestDataDir>();
    std::unique_ptr<Database> db;
    std::unique_ptr<MainWindow> window;

    MainWindow* open(const QString& user = QStringLiteral("admin")) {
        db = std::make_unique<Database>();
        if (!db->open(dir->databasePath())) return nullptr;
        window = std::make_unique<MainWindow>(platform, *db, CurrentUser{user, QString()});
        window->show();
        window->openCounter();
        window->activateWindow();
        if (!QTest::qWaitForWindowActive(window.get())) return nullptr;
        return window.get();
    }
    void close() {
        window.reset();
        db.reset();
    }

    template <typename T = QLineEdit>
    T* find(const char* name) const {
        return control<T>(window.get(), QString::fromUtf8(name));
    }
    QString text(const char* name) const { return find<QLineEdit>(name)->text(); }

    // Replaces what a box holds by typing, as a cashier does after selecting it all.
    void retype(const char* name, const QString& text) const {
        QLineEdit* box = find<QLineEdit>(name);
        box->setFocus();
        box->selectAll();
        QTest::keyClick(box, Qt::Key_Backspace);
        typeText(box, text);
    }
    void click(const char* name) const { QTest::mouseClick(find<QPushButton>(name), Qt::LeftButton); }
    void pressEnter() const { QTest::keyClick(find<QLineEdit>("编辑框_数量"), Qt::Key_Return); }

    // Types one line into the entry boxes and adds it.
    void addLine(const QString& name, const QString& quantity, const QString& price) const {
        retype("编辑框_名称", name);
        retype("编辑框_数量", quantity);
        retype("编辑框_单价", price);
        click("按钮_添加商品");
    }

    QTreeView* list() const { return find<QTreeView>("超级列表框1"); }
    int rows() const { return list()->model()->rowCount(); }
    QStringList row(int r) const {
        QStringList cells;
        for (int c = 0; c < list()->model()->columnCount(); ++c)
            cells << list()->model()->index(r, c).data().toString();
        return cells;
    }
    void clickRow(int r, Qt::KeyboardModifiers modifiers = Qt::NoModifier) const {
        QTreeView* view = list();
        const QRect rect = view->visualRect(view->model()->index(r, 1));
        QTest::mouseClick(view->viewport(), Qt::LeftButton, modifiers, rect.center());
    }
    QString label(const char* name) const { return find<QLabel>(name)->text(); }

    // Wheel notches over a control: positive away from the user.
    static void wheel(QWidget* widget, int notches) {
        const QPointF at(widget->width() / 2.0, widget->height() / 2.0);
        QWheelEvent event(at, widget->mapToGlobal(at), QPoint(), QPoint(0, 120 * notches), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(widget, &event);
    }
};
