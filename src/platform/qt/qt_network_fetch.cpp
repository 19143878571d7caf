#include "platform/qt/qt_network_fetch.h"

#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPointer>
#include <QUrl>

#include "platform/qt/qt_event_loop.h"

namespace platform {

namespace {

// Shared by the requester's handle and the reply's slots: whichever ends first
// (the requester cancelling or the reply finishing) detaches the other.
struct Transfer {
    QPointer<QNetworkReply> reply;
    NetworkFetch::Done done;
};

class QtRequest : public NetworkFetch::Request {
  public:
    explicit QtRequest(std::shared_ptr<Transfer> t) : transfer_(std::move(t)) {}
    ~QtRequest() override {
        QNetworkReply* reply = transfer_->reply;
        transfer_->reply = nullptr;
        transfer_->done = nullptr;
        if (!reply) return;
        QObject::disconnect(reply, nullptr, nullptr, nullptr);
        reply->abort();
        reply->deleteLater();
    }

  private:
    std::shared_ptr<Transfer> transfer_;
};

}  // namespace

std::unique_ptr<NetworkFetch::Request> QtNetworkFetch::get(const std::string& address, Done done) {
    QNetworkRequest request(QUrl(QString::fromStdString(address)));
    request.setTransferTimeout(kStallMs);
    auto transfer = std::make_shared<Transfer>();
    transfer->done = std::move(done);
    QNetworkReply* reply = manager_.get(request);
    transfer->reply = reply;
    QObject::connect(reply, &QNetworkReply::downloadProgress, reply,
                     [reply](qint64 received, qint64) {
                         if (received > kMaxBody) reply->abort();
                     });
    QObject::connect(reply, &QNetworkReply::finished, reply, [transfer, reply] {
        // Detach first: the requester may drop its handle inside `done`.
        transfer->reply = nullptr;
        Done finish = std::move(transfer->done);
        transfer->done = nullptr;
        bool ok = reply->error() == QNetworkReply::NoError;
        QByteArray body = ok ? reply->readAll() : QByteArray();
        reply->deleteLater();
        if (!finish) return;
        if (body.size() > kMaxBody) ok = false;
        std::vector<std::uint8_t> bytes(body.begin(), body.end());
        if (!ok) bytes.clear();
        QtEventLoop::guard([&] { finish(ok, std::move(bytes)); });
    });
    return std::make_unique<QtRequest>(transfer);
}

}  // namespace platform
