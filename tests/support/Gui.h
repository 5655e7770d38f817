#pragma once

#include <QApplication>
#include <QKeyEvent>
#include <QTest>
#include <QWidget>

// Finds a control by the name it carries in the window.
template <typename T>
T* control(QObject* root, const QString& name) {
    return root ? root->findChild<T*>(name) : nullptr;
}

// Types text (Chinese included) into the focused part of a widget, one key per character.
inline void typeText(QWidget* widget, const QString& text) {
    for (const QChar c : text) QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

// The top-level widget of a type that is visible, if any.
template <typename T>
T* visibleWindow() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* t = qobject_cast<T*>(w); t && t->isVisible()) return t;
    return nullptr;
}
