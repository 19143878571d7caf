#pragma once
// Downloads through Qt's network access: any address QNetworkAccessManager can
// fetch (http, https, file). A transfer that stalls for 30 s or whose body grows
// past kMaxBody bytes fails.
#include <QNetworkAccessManager>

#include "platform/network_fetch.h"

namespace platform {

class QtNetworkFetch : public NetworkFetch {
  public:
    static constexpr qint64 kMaxBody = 32 * 1024 * 1024;
    static constexpr int kStallMs = 30000;

    std::unique_ptr<Request> get(const std::string& address, Done done) override;

  private:
    QNetworkAccessManager manager_;
};

}  // namespace platform
