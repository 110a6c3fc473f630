#include "ondemand/TNetworkPictures.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>

namespace {

// A picture larger than this is not shown: it would only hold memory.
constexpr qint64 LargestPicture = 8 * 1024 * 1024;
constexpr int PictureTimeoutMs = 30000;

} // namespace

TNetworkPictures::TNetworkPictures(std::function<void(const QUrl&, const QImage&)> arrived)
    : Deliver(std::move(arrived))
    , Network(new QNetworkAccessManager(this))
{
    connect(Network, &QNetworkAccessManager::finished, this, &TNetworkPictures::Arrived);
}

TNetworkPictures::~TNetworkPictures()
{
    Network->disconnect(this);
}

void TNetworkPictures::Fetch(const QUrl& address)
{
    QNetworkRequest request(address);
    request.setTransferTimeout(PictureTimeoutMs);
    QNetworkReply* reply = Network->get(request);
    connect(reply, &QNetworkReply::downloadProgress, reply, [reply](qint64 received, qint64) {
        if (received > LargestPicture)
            reply->abort();
    });
}

void TNetworkPictures::Arrived(QNetworkReply* reply)
{
    reply->deleteLater();
    const QImage picture =
        reply->error() == QNetworkReply::NoError ? QImage::fromData(reply->readAll()) : QImage();
    Deliver(reply->request().url(), picture);
}
