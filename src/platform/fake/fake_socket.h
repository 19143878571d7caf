#pragma once
// An in-memory game socket whose far end a test scripts: accept or refuse the
// connection, deliver bytes in pieces, close from the peer, read what was sent.
#include <string>

#include "platform/event_loop.h"
#include "platform/tcp_socket.h"

namespace platform {

class FakeSocket : public TcpSocket {
  public:
    explicit FakeSocket(EventLoop& loop) : loop_(loop) {}
    void setRemote(const std::string& host, int port) override {
        remoteHost = host;
        remotePort = port;
    }
    void connect() override {
        state_ = kSockConnecting;
        ++connectCalls;
    }
    void close() override {
        state_ = kSockClosed;
        ++closeCalls;
    }
    int state() const override { return state_; }
    void send(const std::uint8_t* data, std::size_t size) override {
        sent.insert(sent.end(), data, data + size);
    }

    // The test's side.
    void accept() { state_ = kSockConnected; }
    void refuse() { state_ = kSockError; }
    // Bytes arrive as one data-arrival event, delivered by the loop.
    void deliver(const Bytes& bytes) {
        loop_.post([this, bytes] {
            if (onData) onData(bytes);
        });
    }
    void peerClose() {
        state_ = kSockClosing;
        loop_.post([this] {
            if (onClosed) onClosed();
        });
    }
    // Removes and returns the first n sent bytes (all when n is 0).
    Bytes takeSent(std::size_t n = 0) {
        if (n == 0 || n > sent.size()) n = sent.size();
        Bytes out(sent.begin(), sent.begin() + static_cast<long>(n));
        sent.erase(sent.begin(), sent.begin() + static_cast<long>(n));
        return out;
    }

    std::string remoteHost;
    int remotePort = 0;
    int connectCalls = 0;
    int closeCalls = 0;
    Bytes sent;

  private:
    EventLoop& loop_;
    int state_ = kSockClosed;
};

}  // namespace platform
