#pragma once

#include <QString>
#include <QStringList>

// What an import of the old program's Access file did.
struct AccessImportResult {
    bool ok = false;
    // Why nothing was written, for the user (Chinese); empty when ok.
    QString error;
    // Rows stored, per table.
    int sales = 0;
    int lines = 0;
    int products = 0;
    int users = 0;
    int customers = 0;
    int paymentMethods = 0;
    // Rows that could not be stored or were stored with a change, tables and columns ignored.
    QStringList problems;
    // The text report beside the new database holding the problems and every row not stored;
    // empty when there was nothing to report.
    QString reportPath;
};

// True when the file starts with the signature of an Access (Jet) database.
bool isAccessFile(const QString& path);

// Builds a new Korvane database from the old program's Jet 4 file and puts it at targetPath
// (replacing what is there) in one rename: every row with its ID, the AutoNumber positions, the
// password digests. The Access file is only read. On failure nothing at targetPath changes and
// no file is left behind. The two paths must name different files: to replace RX.mdb, first
// move it aside (RX.access.mdb) and import from there.
AccessImportResult importAccessDatabase(const QString& accessPath, const QString& targetPath);
