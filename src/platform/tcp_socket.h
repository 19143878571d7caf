#pragma once
// The game socket seam, in the shape the table client uses it: a remote host and
// port, an asynchronous connect, a state number, sending bytes and two events.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace platform {

using Bytes = std::vector<std::uint8_t>;

enum SocketState : int {
    kSockClosed = 0,
    kSockConnecting = 6,
    kSockConnected = 7,
    kSockClosing = 8,
    kSockError = 9,
};

class TcpSocket {
  public:
    virtual ~TcpSocket() = default;
    virtual void setRemote(const std::string& host, int port) = 0;
    virtual void connect() = 0;
    virtual void close() = 0;
    virtual int state() const = 0;  // 7 = connected, anything else = not
    virtual void send(const std::uint8_t* data, std::size_t size) = 0;
    void send(const Bytes& b) { send(b.data(), b.size()); }

    std::function<void(const Bytes&)> onData;  // data arrival
    std::function<void()> onClosed;            // closed by the peer
};

}  // namespace platform
