#pragma once
// One client connection as the game logic sees it: a link to send on, the session
// token stamped on everything sent, the account once logged in, and the seat.
#include <cstdint>
#include <string>

#include "server/packet.h"

namespace server {

class Table;

// The transport under a session (a TCP connection, or an in-memory pipe in tests).
class Link {
  public:
    virtual ~Link() = default;
    virtual void send(const Packet& p) = 0;
    // Closes the connection; the transport reports nothing back afterwards.
    virtual void close() = 0;
};

struct Session {
    std::uint64_t id = 0;
    Link* link = nullptr;  // null once the connection is gone
    std::uint16_t token = 0;
    std::string account;
    bool loggedIn = false;
    Table* table = nullptr;
    int seat = -1;
    std::int64_t lastHeardMs = 0;
    std::int64_t closeAtMs = -1;  // after its table ended: closed at this time if still open
    // Chat relay budget (tokens, refilled over time), so a flood is not multiplied by six.
    double chatBudget = 5;
    std::int64_t chatBudgetAtMs = 0;

    // Stamps the token into bytes 260..261 and sends.
    void send(Packet p) {
        p[kTokenByte] = std::uint8_t(token >> 8);
        p[kTokenByte + 1] = std::uint8_t(token & 0xFF);
        if (link) link->send(p);
    }
};

}  // namespace server
