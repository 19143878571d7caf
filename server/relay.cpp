#include "server/relay.h"

#include <deque>
#include <set>

#include "server/event_log.h"
#include "server/gray_jpeg.h"

namespace server {

class RelaySession : public std::enable_shared_from_this<RelaySession> {
  public:
    RelaySession(Relay& relay, asio::ip::tcp::socket socket)
        : relay_(&relay), socket_(std::move(socket)), reader_(relay.limits_.maxPayload) {
        relay_->sessions_.insert(this);
    }
    // A session can outlive its relay by the handlers still pending on the loop;
    // the relay detaches it when it stops.
    ~RelaySession() {
        if (relay_) relay_->sessions_.erase(this);
    }

    void start() {
        asio::error_code ec;
        socket_.set_option(asio::ip::tcp::no_delay(true), ec);
        read();
    }

    // Queues a message. A frame that does not fit under the frame bound is dropped
    // (false); anything that would pass the hard bound cuts the session.
    bool send(std::shared_ptr<const wire::RelayBytes> m, bool droppable) {
        if (closed_) return false;
        const std::size_t after = queuedBytes_ + m->size();
        if (droppable && after > relay_->limits_.frameQueueBytes) return false;
        if (after > relay_->limits_.hardQueueBytes) {
            ++relay_->stats_.sessionsCut;
            close();
            return false;
        }
        queuedBytes_ = after;
        queue_.push_back(std::move(m));
        if (!writing_) write();
        return true;
    }

    void close() {
        if (closed_) return;
        closed_ = true;
        asio::error_code ec;
        socket_.close(ec);
        relay_->gone(*this);
    }

    // The server is stopping: no more reports, and no more use of the relay.
    void abort() {
        closed_ = true;
        relay_ = nullptr;
        asio::error_code ec;
        socket_.close(ec);
    }

    std::size_t queuedBytes() const { return queuedBytes_; }

    std::string name;
    std::set<std::string> wants;  // the users this one asked video of

  private:
    void read() {
        auto self = shared_from_this();
        socket_.async_read_some(
            asio::buffer(buffer_), [this, self](const asio::error_code& ec, std::size_t n) {
                if (closed_) return;
                if (ec) {
                    close();
                    return;
                }
                const std::size_t skippedBefore = reader_.skipped();
                reader_.feed({buffer_.data(), n}, [&](wire::RelayMessage& m) {
                    if (!closed_) relay_->onMessage(*this, m);
                });
                relay_->stats_.oversizeSkipped += reader_.skipped() - skippedBefore;
                if (!closed_) read();
            });
    }

    void write() {
        writing_ = true;
        inFlight_ = queue_.front();
        queue_.pop_front();
        auto self = shared_from_this();
        asio::async_write(socket_, asio::buffer(*inFlight_),
                          [this, self](const asio::error_code& ec, std::size_t) {
                              writing_ = false;
                              queuedBytes_ -= inFlight_->size();
                              inFlight_.reset();
                              if (closed_) return;
                              if (ec) {
                                  close();
                                  return;
                              }
                              if (!queue_.empty()) write();
                          });
    }

    Relay* relay_;
    asio::ip::tcp::socket socket_;
    wire::RelayReader reader_;
    std::array<std::uint8_t, 16 * 1024> buffer_{};
    std::deque<std::shared_ptr<const wire::RelayBytes>> queue_;
    std::shared_ptr<const wire::RelayBytes> inFlight_;
    std::size_t queuedBytes_ = 0;  // queued and in flight
    bool writing_ = false;
    bool closed_ = false;
};

Relay::Relay(asio::io_context& io, EventLog* log, Limits limits)
    : io_(io), log_(log), limits_(limits), acceptor_(io), botTimer_(io) {}

Relay::~Relay() { stop(); }

int Relay::listen(const std::string& host, int port, std::string& error) {
    asio::error_code ec;
    asio::ip::address addr = asio::ip::make_address(host, ec);
    if (ec) {
        error = "bad host " + host;
        return -1;
    }
    asio::ip::tcp::endpoint ep(addr, static_cast<std::uint16_t>(port));
    acceptor_.open(ep.protocol(), ec);
    if (!ec) acceptor_.set_option(asio::ip::tcp::acceptor::reuse_address(true), ec);
    if (!ec) acceptor_.bind(ep, ec);
    if (!ec) acceptor_.listen(asio::socket_base::max_listen_connections, ec);
    if (ec) {
        error = "relay: " + ec.message();
        asio::error_code ignore;
        acceptor_.close(ignore);
        return -1;
    }
    accept();
    return acceptor_.local_endpoint().port();
}

void Relay::stop() {
    asio::error_code ec;
    acceptor_.close(ec);
    botFrameMs_ = 0;
    botTimer_.cancel();
    for (RelaySession* s : std::unordered_set<RelaySession*>(sessions_)) s->abort();
    sessions_.clear();
    byName_.clear();
}

std::size_t Relay::queuedBytes() const {
    std::size_t n = 0;
    for (const RelaySession* s : sessions_) n += s->queuedBytes();
    return n;
}

void Relay::accept() {
    acceptor_.async_accept([this](const asio::error_code& ec, asio::ip::tcp::socket socket) {
        if (ec == asio::error::operation_aborted || !acceptor_.is_open()) return;
        if (!ec) std::make_shared<RelaySession>(*this, std::move(socket))->start();
        accept();
    });
}

RelaySession* Relay::named(const std::string& name) const {
    auto it = byName_.find(name);
    return it == byName_.end() ? nullptr : it->second;
}

void Relay::onMessage(RelaySession& s, wire::RelayMessage& m) {
    const std::string text(m.payload.begin(), m.payload.end());
    switch (m.type) {
        case wire::RelayType::kLogin:
            login(s, text);
            break;
        case wire::RelayType::kWant:
        case wire::RelayType::kUnwant:
            // Only a logged-in session names its peers.
            if (!s.name.empty() && wire::validRelayName(text))
                want(s, text, m.type == wire::RelayType::kWant);
            break;
        case wire::RelayType::kData:
            if (!s.name.empty()) forward(s, m.payload);
            break;
        default:
            break;  // unknown types are ignored
    }
}

void Relay::login(RelaySession& s, const std::string& name) {
    auto result = [&](std::uint8_t status) {
        const std::uint8_t b = status;
        s.send(std::make_shared<wire::RelayBytes>(
                   wire::encodeRelay(wire::RelayType::kLoginResult, {&b, 1})),
               false);
    };
    if (!s.name.empty() || !wire::validRelayName(name)) {
        result(wire::kRelayRefused);
        return;
    }
    // The same user logging in again (a restarted client) takes the name over.
    if (RelaySession* old = named(name)) old->close();
    s.name = name;
    byName_[name] = &s;
    if (log_) log_->line("relay login " + name);
    result(wire::kRelayLoggedIn);
    // Everyone who asked for this user learns that it is here.
    for (RelaySession* other : std::unordered_set<RelaySession*>(sessions_))
        if (other != &s && other->wants.count(name)) tellPeer(*other, name);
}

void Relay::want(RelaySession& s, const std::string& name, bool wanted) {
    if (wanted)
        s.wants.insert(name);
    else
        s.wants.erase(name);
    tellPeer(s, name);
    if (s.name.empty()) return;  // cut off while being told
    if (RelaySession* target = named(name)) tellPeer(*target, s.name);
}

void Relay::tellPeer(RelaySession& to, const std::string& about) {
    std::uint8_t flags = 0;
    if (RelaySession* other = named(about)) {
        flags |= wire::kPeerOnline;
        if (other->wants.count(to.name)) flags |= wire::kPeerWantsYou;
    } else if (botOnline(about)) {
        flags = wire::kPeerOnline | wire::kPeerWantsYou;
    }
    to.send(std::make_shared<wire::RelayBytes>(wire::encodeRelayPeer(flags, about)), false);
}

// Data goes only to a receiver that asked for the sender: nobody can be sent
// frames they did not ask for.
void Relay::forward(RelaySession& s, const wire::RelayBytes& payload) {
    auto d = wire::decodeRelayData(payload);
    if (!d) return;
    RelaySession* to = named(d->name);
    if (!to && botOnline(d->name) && d->kind == wire::RelayKind::kFormat) {
        s.send(std::make_shared<wire::RelayBytes>(wire::encodeRelayData(
                   wire::RelayType::kDataFrom, wire::RelayKind::kReady, d->name, {})),
               false);
        return;
    }
    if (!to || to == &s || !to->wants.count(s.name)) return;
    const bool frame = d->kind == wire::RelayKind::kFrame;
    auto m = std::make_shared<wire::RelayBytes>(
        wire::encodeRelayData(wire::RelayType::kDataFrom, d->kind, s.name, d->data));
    const bool queued = to->send(std::move(m), frame);
    if (frame) ++(queued ? stats_.framesForwarded : stats_.framesDropped);
}

void Relay::startBotVideo(int frameMs) {
    botFrameMs_ = frameMs;
    botTimer_.expires_after(std::chrono::milliseconds(frameMs));
    botTimer_.async_wait([this](const asio::error_code& ec) {
        if (ec || botFrameMs_ == 0) return;
        botTick();
        startBotVideo(botFrameMs_);
    });
}

// Each bot's picture is made once a tick, however many ask for it.
void Relay::botTick() {
    ++botFrame_;
    std::map<std::string, std::shared_ptr<const wire::RelayBytes>> frames;
    for (RelaySession* s : std::unordered_set<RelaySession*>(sessions_)) {
        if (s->name.empty()) continue;
        for (const std::string& w : std::set<std::string>(s->wants)) {
            if (!botOnline(w)) continue;
            auto& m = frames[w];
            if (!m) {
                int width = 0, height = 0;
                const auto px = botTestPicture(w, botFrame_, width, height);
                m = std::make_shared<wire::RelayBytes>(
                    wire::encodeRelayData(wire::RelayType::kDataFrom, wire::RelayKind::kFrame, w,
                                          encodeGrayJpeg(px, width, height)));
            }
            if (!s->send(m, true)) ++stats_.framesDropped;
        }
    }
}

void Relay::gone(RelaySession& s) {
    if (s.name.empty()) return;
    auto it = byName_.find(s.name);
    if (it != byName_.end() && it->second == &s) byName_.erase(it);
    if (log_) log_->line("relay logout " + s.name);
    const std::string name = s.name;
    s.name.clear();
    for (RelaySession* other : std::unordered_set<RelaySession*>(sessions_))
        if (other != &s && other->wants.count(name)) tellPeer(*other, name);
}

}  // namespace server
