#pragma once

#include <QString>

// What the first page of a file says it is, before any library reads it.
enum class JetKind {
    Unreadable,  // missing or cannot be opened
    NotAccess,   // no Jet signature
    Jet3,        // Access 97 and older
    Jet4,        // Access 2000–2003 (.mdb)
    Ace,         // Access 2007 and later (.accdb)
    Damaged,     // a Jet 4 signature on a file that cannot be whole
};

JetKind jetKindOf(const QString& path);

// Jet 4 pages are 4096 bytes; a whole file is a whole number of them.
constexpr qint64 jet4PageSize = 4096;
