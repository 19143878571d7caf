#pragma once
// The video relay: the table clients' video components log in here under their user
// names and exchange capture formats and frames with the players they asked for. It
// runs on the server's event loop beside the game listener and knows nothing of
// tables; the wire format is in wire/relay.h.
//
// It survives bad peers with bounded memory: a message above the payload bound is
// skipped by the reader; each session's outgoing queue is bounded in bytes, frames
// that do not fit are dropped for that receiver only, and a session whose queue of
// other messages passes the hard bound is cut off. A receiver that never reads thus
// costs at most its bound, and the others go on.
#include <asio.hpp>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <unordered_set>

#include "wire/relay.h"

namespace server {

class EventLog;
class RelaySession;

class Relay {
  public:
    struct Limits {
        std::size_t maxPayload = wire::kRelayMaxPayload;
        std::size_t frameQueueBytes = 512 * 1024;      // frames beyond this are dropped
        std::size_t hardQueueBytes = 2 * 1024 * 1024;  // anything beyond this cuts the session
    };
    struct Stats {
        std::uint64_t framesForwarded = 0;
        std::uint64_t framesDropped = 0;  // a receiver's queue was full
        std::uint64_t oversizeSkipped = 0;
        std::uint64_t sessionsCut = 0;  // their queue passed the hard bound
    };

    Relay(asio::io_context& io, EventLog* log, Limits limits);
    Relay(asio::io_context& io, EventLog* log) : Relay(io, log, Limits{}) {}
    ~Relay();

    // Bots on the relay: a user for whom this says true, and who is not logged in
    // himself, is online and wants whoever asks for him, answers a format with
    // ready and sends his test picture to everyone who asked for him.
    std::function<bool(const std::string&)> isBot;
    void startBotVideo(int frameMs);

    // Binds and listens; port 0 takes any free port. Returns the port, or -1 with
    // `error` filled.
    int listen(const std::string& host, int port, std::string& error);
    void stop();

    std::size_t sessionCount() const { return sessions_.size(); }
    const Stats& stats() const { return stats_; }
    // The bytes waiting in every session's outgoing queue.
    std::size_t queuedBytes() const;

  private:
    friend class RelaySession;
    void accept();
    void onMessage(RelaySession& s, wire::RelayMessage& m);
    void login(RelaySession& s, const std::string& name);
    void want(RelaySession& s, const std::string& name, bool wanted);
    void forward(RelaySession& s, const wire::RelayBytes& payload);
    void gone(RelaySession& s);
    // Tells `to` how the user `about` stands towards it.
    void tellPeer(RelaySession& to, const std::string& about);
    RelaySession* named(const std::string& name) const;
    bool botOnline(const std::string& name) const { return isBot && !named(name) && isBot(name); }
    void botTick();

    asio::io_context& io_;
    EventLog* log_;
    Limits limits_;
    Stats stats_;
    asio::ip::tcp::acceptor acceptor_;
    asio::steady_timer botTimer_;
    int botFrameMs_ = 0;
    int botFrame_ = 0;
    std::unordered_set<RelaySession*> sessions_;
    std::map<std::string, RelaySession*> byName_;
};

}  // namespace server
