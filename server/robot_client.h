#pragma once
// A human player over TCP that plays with the bot policy: it logs in, sits, answers
// every prompt the way a client's buttons would, plays whole rounds and continues. The
// server tests use it as their client and the load bench opens thousands of them. It
// keeps only what a client at its seat knows.
#include <array>
#include <asio.hpp>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "server/bot.h"
#include "wire/frame.h"
#include "wire/play.h"
#include "wire/tribute.h"

namespace server {

class RobotClient : public std::enable_shared_from_this<RobotClient> {
  public:
    RobotClient(asio::io_context& io, std::string account, std::uint64_t seed);

    void connect(const asio::ip::tcp::endpoint& server);
    // Sends raw bytes (hostile tests); the token is not stamped.
    void sendRaw(const std::vector<std::uint8_t>& bytes);
    // Queues a packet with the current token stamped, as the client's send routine does.
    void send(wire::GamePacket p);
    void close();

    // Every packet received, before the robot reacts to it.
    std::function<void(const wire::GamePacket&)> onPacket;
    // The robot answers prompts and turns by itself unless this is off.
    bool autoPlay = true;
    // Milliseconds the robot thinks before each play (0: at once).
    int thinkMs = 0;
    // Logs in again with its token (byte 4 = 28) when the server cuts the link.
    bool reconnectOnLoss = false;
    int reconnects() const { return reconnects_; }
    // Continue after each round while below this many rounds, then leave.
    int roundsWanted = 1000000;
    // Nanoseconds from a play sent to the played-hand command that answers it.
    std::vector<std::int64_t> playLatencies;

    int seat() const { return seat_; }
    int roundsSeen() const { return rounds_; }
    bool closed() const { return closed_; }
    bool ended() const { return ended_; }  // the table ended for this client
    std::uint16_t token() const { return token_; }
    const Cards& hand() const { return hand_; }

  private:
    void read();
    void login(bool again);
    void lost();
    void write();
    void handle(const wire::GamePacket& p);
    void onPlayed(const wire::PlayedHand& h);
    void onTribute(const wire::Tribute& t);
    void takeTurn(wire::TurnMode mode);
    void removeIds(std::span<const std::uint8_t> ids);

    asio::ip::tcp::socket socket_;
    std::string account_;
    std::unique_ptr<Bot> bot_;
    std::array<std::uint8_t, wire::kPacketSize * 8> buffer_{};
    std::vector<std::uint8_t> pending_;
    std::deque<wire::GamePacket> queue_;
    std::vector<wire::GamePacket> batch_;
    bool writing_ = false;
    bool closed_ = false;
    bool ended_ = false;
    std::uint16_t token_ = 0;
    int seat_ = -1;
    Cards hand_;
    rules::PlayClass tableClass_ = rules::PlayClass::kNone;
    Cards tableCards_;
    int tableOwner_ = -1;
    std::array<int, 6> counts_{};
    int results_ = 0;
    int rounds_ = 0;
    std::int64_t playSentAt_ = -1;
    asio::io_context& io_;
    asio::ip::tcp::endpoint server_;
    int reconnects_ = 0;
    int generation_ = 0;
    std::unique_ptr<asio::steady_timer> think_;
    std::uint64_t thinkRng_ = 1;  // handlers of an earlier socket do nothing
};

}  // namespace server
