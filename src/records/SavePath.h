#pragma once

#include <QString>

class Prompter;
class QWidget;

// The save dialog asked about the name the user typed; when the program then adds the file
// type, an existing file of the longer name has not been asked about yet. True when the path
// may be written: it is the one chosen, no such file exists, or the user agrees to replace it.
bool mayReplace(Prompter& prompter, QWidget* owner, const QString& chosen, const QString& completed);
