#pragma once
// Web pictures fetched with Qt Network, within a size and a time limit.

#include "ondemand/UOnDemand.h"

#include <QObject>

class QNetworkAccessManager;
class QNetworkReply;

class TNetworkPictures : public QObject, public TWebPictures {
public:
    explicit TNetworkPictures(std::function<void(const QUrl&, const QImage&)> arrived);
    // Replies that end while the fetcher goes deliver nothing.
    ~TNetworkPictures() override;

    void Fetch(const QUrl& address) override;

private:
    void Arrived(QNetworkReply* reply);

    std::function<void(const QUrl&, const QImage&)> Deliver;
    QNetworkAccessManager* Network = nullptr;
};
