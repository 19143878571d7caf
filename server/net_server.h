#pragma once
// The TCP side: a listener on loopback (or --host), one connection object per client
// that cuts the byte stream into 272-byte packets for the hub and queues what the hub
// sends. A client that stops reading is cut off once its queue passes a bound.
#include <asio.hpp>
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_set>

#include "server/hub.h"

namespace server {

class Connection;

class NetServer {
  public:
    NetServer(asio::io_context& io, Hub& hub);
    ~NetServer();

    // Binds and listens. Port 0 picks a free port in 20000..32767 (the client reads the
    // port as a signed 16-bit number). Returns the port, or -1 with `error` filled.
    int listen(const std::string& host, int port, std::uint64_t seed, std::string& error);
    // Stops accepting and closes every connection.
    void stop();
    std::size_t connectionCount() const { return connections_.size(); }

  private:
    friend class Connection;
    void accept();

    asio::io_context& io_;
    Hub& hub_;
    asio::ip::tcp::acceptor acceptor_;
    std::unordered_set<Connection*> connections_;
};

}  // namespace server
