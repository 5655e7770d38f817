#pragma once

#include <QObject>
#include <QString>

// Gives a new control the name the shop's manuals and the tests know it by.
template <typename T>
T* named(T* object, const char* name) {
    object->setObjectName(QString::fromUtf8(name));
    return object;
}
