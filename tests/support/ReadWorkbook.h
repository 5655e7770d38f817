#pragma once

#include <QDebug>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QString>

// A workbook as Debian's xlrd reads it: [[sheet name, [[cell, …], …]], …]; empty when unreadable.
inline QJsonArray readWorkbook(const QString& path) {
    QProcess python;
    python.start(QStringLiteral("/usr/bin/python3"), {QStringLiteral(KORVANE_TEST_SOURCE "/records/read_xls.py"), path});
    if (!python.waitForFinished(120000) || python.exitCode() != 0) {
        qWarning() << python.readAllStandardError();
        return {};
    }
    return QJsonDocument::fromJson(python.readAllStandardOutput()).array();
}

inline QJsonArray sheetRows(const QJsonArray& book, int sheet) { return book.at(sheet).toArray().at(1).toArray(); }
