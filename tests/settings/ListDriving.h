#pragma once

#include <QAbstractItemModel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeView>

#include "Gui.h"

// Replaces what a box holds by typing, as a user does after selecting it all.
inline void retype(QLineEdit* box, const QString& text) {
    box->setFocus();
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Backspace);
    typeText(box, text);
}

inline void clickButton(QWidget* root, const char* name) {
    auto* button = control<QPushButton>(root, QString::fromUtf8(name));
    QVERIFY2(button, name);
    QVERIFY2(button->isEnabled(), name);
    QTest::mouseClick(button, Qt::LeftButton);
}

inline void clickRow(QTreeView* view, int row) {
    const QRect rect = view->visualRect(view->model()->index(row, 1));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, rect.center());
}

// One column of a list as it is shown.
inline QStringList shownColumn(QTreeView* view, int column) {
    QStringList texts;
    for (int row = 0; row < view->model()->rowCount(); ++row)
        texts << view->model()->index(row, column).data().toString();
    return texts;
}
