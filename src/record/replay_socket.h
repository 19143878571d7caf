#pragma once
// The socket of a replay: there is no server. It reports itself connected, so the
// table behaves as at a live table, and drops every byte the client sends.
#include "platform/tcp_socket.h"

namespace record {

class ReplaySocket : public platform::TcpSocket {
  public:
    void setRemote(const std::string&, int) override {}
    void connect() override { state_ = platform::kSockConnected; }
    void close() override { state_ = platform::kSockClosed; }
    int state() const override { return state_; }
    void send(const std::uint8_t*, std::size_t size) override { dropped += size; }

    std::size_t dropped = 0;  // bytes the client would have sent

  private:
    int state_ = platform::kSockConnected;
};

}  // namespace record
