#pragma once

#include <QString>

// Where RX.mdb lives: $KORVANE_DATA_DIR, else the program's own folder when it is writable,
// else the user's data folder (created when missing).
QString resolveDataDirectory();
