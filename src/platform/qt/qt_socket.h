#pragma once
// The game socket on QTcpSocket.
#include <QTcpSocket>

#include "platform/tcp_socket.h"

namespace platform {

class QtSocket : public TcpSocket {
  public:
    QtSocket();
    void setRemote(const std::string& host, int port) override;
    void connect() override;
    void close() override;
    int state() const override;
    void send(const std::uint8_t* data, std::size_t size) override;

  private:
    QTcpSocket socket_;
    std::string host_;
    int port_ = 0;
    bool failed_ = false;
};

}  // namespace platform
