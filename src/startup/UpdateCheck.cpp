#include "startup/UpdateCheck.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QTimer>
#include <QVersionNumber>

UpdateCheck::UpdateCheck(QObject* parent)
    : QObject(parent), network_(new QNetworkAccessManager(this)), timeout_(new QTimer(this)) {
    timeout_->setSingleShot(true);
    connect(timeout_, &QTimer::timeout, this, [this] {
        if (reply_) reply_->abort();
    });
}

void UpdateCheck::start(const QUrl& page, int timeoutMs) {
    QNetworkRequest request(page);
    request.setTransferTimeout(timeoutMs);
    reply_ = network_->get(request);
    connect(reply_, &QNetworkReply::finished, this, &UpdateCheck::complete);
    timeout_->start(timeoutMs);
}

void UpdateCheck::complete() {
    timeout_->stop();
    QNetworkReply* reply = reply_;
    reply_ = nullptr;
    bool newer = false;
    if (reply) {
        if (reply->error() == QNetworkReply::NoError)
            newer = isNewer(announcedVersion(QString::fromUtf8(reply->readAll())), QStringLiteral("3.2"));
        reply->deleteLater();
    }
    emit finished(newer);
}

QString UpdateCheck::announcedVersion(const QString& page) {
    const int start = page.indexOf(QStringLiteral("xp="), 0, Qt::CaseInsensitive);
    if (start < 0) return QString();
    const int end = page.indexOf(QStringLiteral("=dy"), start + 3, Qt::CaseInsensitive);
    if (end < 0) return QString();
    return page.mid(start + 3, end - start - 3).trimmed();
}

bool UpdateCheck::isNewer(const QString& announced, const QString& current) {
    qsizetype suffix = 0;
    const QVersionNumber version = QVersionNumber::fromString(announced, &suffix);
    if (version.isNull() || suffix != announced.size()) return false;
    return QVersionNumber::compare(version, QVersionNumber::fromString(current)) > 0;
}
