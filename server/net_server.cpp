#include "server/net_server.h"

#include <deque>
#include <vector>

namespace server {

class Connection : public Link, public std::enable_shared_from_this<Connection> {
  public:
    static constexpr std::size_t kMaxQueued = 2048;  // packets waiting for a slow reader

    Connection(NetServer& owner, asio::ip::tcp::socket socket)
        : owner_(owner), socket_(std::move(socket)) {
        owner_.connections_.insert(this);
    }
    ~Connection() override { owner_.connections_.erase(this); }

    void start() {
        asio::error_code ec;
        socket_.set_option(asio::ip::tcp::no_delay(true), ec);
        session_ = owner_.hub_.open(*this);
        read();
    }

    void send(const wire::GamePacket& p) override {
        if (closed_ || closing_) return;
        if (queue_.size() >= kMaxQueued) {
            // It is not reading: drop it as if the link had failed.
            lost();
            return;
        }
        queue_.push_back(p);
        if (!writing_) write();
    }

    // Closes once what is queued has been written.
    void close() override {
        if (closed_ || closing_) return;
        closing_ = true;
        if (!writing_) shutdown();
    }

    // The server is stopping: no more reports to the hub.
    void abort() {
        closed_ = true;
        asio::error_code ec;
        socket_.close(ec);
    }

  private:
    void read() {
        auto self = shared_from_this();
        socket_.async_read_some(
            asio::buffer(buffer_), [this, self](const asio::error_code& ec, std::size_t n) {
                if (closed_) return;
                if (ec) {
                    lost();
                    return;
                }
                pending_.insert(pending_.end(), buffer_.begin(), buffer_.begin() + n);
                std::size_t at = 0;
                while (pending_.size() - at >= wire::kPacketSize && !closed_ && !closing_) {
                    wire::GamePacket p;
                    std::copy_n(pending_.begin() + at, wire::kPacketSize, p.begin());
                    at += wire::kPacketSize;
                    owner_.hub_.receive(session_, p);
                }
                pending_.erase(pending_.begin(), pending_.begin() + at);
                if (!closed_ && !closing_) read();
            });
    }

    void write() {
        writing_ = true;
        batch_.assign(queue_.begin(), queue_.end());
        queue_.clear();
        auto self = shared_from_this();
        asio::async_write(socket_, asio::buffer(batch_.data(), batch_.size() * wire::kPacketSize),
                          [this, self](const asio::error_code& ec, std::size_t) {
                              writing_ = false;
                              if (closed_) return;
                              if (ec) {
                                  lost();
                                  return;
                              }
                              if (!queue_.empty() && !closing_)
                                  write();
                              else if (closing_)
                                  shutdown();
                          });
    }

    void shutdown() {
        closed_ = true;
        asio::error_code ec;
        socket_.shutdown(asio::ip::tcp::socket::shutdown_both, ec);
        socket_.close(ec);
    }

    // The link failed or the peer went away: the hub hears of it once.
    void lost() {
        if (closed_) return;
        bool report = !closing_;
        closed_ = true;
        asio::error_code ec;
        socket_.close(ec);
        if (report) owner_.hub_.disconnected(session_);
    }

    NetServer& owner_;
    asio::ip::tcp::socket socket_;
    std::uint64_t session_ = 0;
    std::array<std::uint8_t, wire::kPacketSize * 8> buffer_{};
    std::vector<std::uint8_t> pending_;
    std::deque<wire::GamePacket> queue_;
    std::vector<wire::GamePacket> batch_;
    bool writing_ = false;
    bool closing_ = false;  // the hub closed it; flushing the queue
    bool closed_ = false;
};

NetServer::NetServer(asio::io_context& io, Hub& hub) : io_(io), hub_(hub), acceptor_(io) {}

NetServer::~NetServer() { stop(); }

int NetServer::listen(const std::string& host, int port, std::uint64_t seed, std::string& error) {
    asio::error_code ec;
    asio::ip::address addr = asio::ip::make_address(host, ec);
    if (ec) {
        error = "bad host " + host;
        return -1;
    }
    // With port 0, try ports of the range in an order drawn from the seed and the process.
    Rng rng(seed ^ (std::uint64_t(::getpid()) << 20) ^
            std::uint64_t(std::chrono::steady_clock::now().time_since_epoch().count()));
    for (int attempt = 0; attempt < (port ? 1 : 200); ++attempt) {
        int p = port ? port : 20000 + int(rng.below(32768 - 20000));
        asio::ip::tcp::endpoint ep(addr, std::uint16_t(p));
        acceptor_.open(ep.protocol(), ec);
        if (ec) break;
        acceptor_.set_option(asio::ip::tcp::acceptor::reuse_address(true), ec);
        acceptor_.bind(ep, ec);
        if (!ec) acceptor_.listen(asio::socket_base::max_listen_connections, ec);
        if (!ec) {
            accept();
            return p;
        }
        asio::error_code ignore;
        acceptor_.close(ignore);
    }
    error = "cannot listen: " + ec.message();
    return -1;
}

void NetServer::accept() {
    acceptor_.async_accept([this](const asio::error_code& ec, asio::ip::tcp::socket socket) {
        if (ec == asio::error::operation_aborted || !acceptor_.is_open()) return;
        if (!ec) std::make_shared<Connection>(*this, std::move(socket))->start();
        accept();
    });
}

void NetServer::stop() {
    asio::error_code ec;
    acceptor_.close(ec);
    std::vector<Connection*> all(connections_.begin(), connections_.end());
    for (Connection* c : all) c->abort();
}

}  // namespace server
