#pragma once

#include <QString>
#include <QTemporaryDir>

// A data folder of the test's own, with a fresh blank RX.mdb unless asked otherwise.
class TestDataDir {
public:
    explicit TestDataDir(bool withDatabase = true);

    QString path() const { return dir_.path(); }
    QString databasePath() const { return dir_.path() + QStringLiteral("/RX.mdb"); }
    QString file(const QString& name) const { return dir_.path() + QLatin1Char('/') + name; }
    bool isValid() const { return dir_.isValid() && valid_; }

    // Runs one statement on the file through a connection of its own.
    bool exec(const QString& sql) const;
    // The first column of the first row of a SELECT, as text.
    QString scalar(const QString& sql) const;

private:
    QTemporaryDir dir_;
    bool valid_ = true;
};
