#pragma once

#include <QLabel>
#include <QPushButton>

#include "widgets/Named.h"

// The small pieces every settings window is built from.
inline QPushButton* formButton(const char* name, const char* text, QWidget* parent) {
    auto* b = named(new QPushButton(QString::fromUtf8(text), parent), name);
    b->setAutoDefault(false);
    return b;
}

inline QLabel* formLabel(const char* name, const char* text, QWidget* buddy, QWidget* parent) {
    auto* l = named(new QLabel(QString::fromUtf8(text), parent), name);
    if (buddy) l->setBuddy(buddy);
    return l;
}
