#pragma once

#include <QObject>
#include <QPointer>
#include <QUrl>

class QNetworkAccessManager;
class QNetworkReply;
class QTimer;

// Reads the maker's announcement page, which names the current version between "xp=" and
// "=dy", and tells whether it is newer than this program's. Gives up after the timeout.
class UpdateCheck : public QObject {
    Q_OBJECT
public:
    explicit UpdateCheck(QObject* parent = nullptr);

    void start(const QUrl& page, int timeoutMs = 3000);

    // The announced version in a page's text, empty when the markers are missing.
    static QString announcedVersion(const QString& page);
    static bool isNewer(const QString& announced, const QString& current);

signals:
    // Emitted once per start; true only when a newer version was announced.
    void finished(bool newerVersion);

private:
    void complete();

    QNetworkAccessManager* network_;
    QTimer* timeout_;
    QPointer<QNetworkReply> reply_;
};
