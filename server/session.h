#pragma once
// One client connection as the game logic sees it: a link to send on, the session
// token stamped on everything sent, the account once logged in, and the seat.
#include <cstdint>
#include <string>

#include "wire/frame.h"

namespace server {

class Table;

// The transport under a session (a TCP connection, or an in-memory pipe in tests).
class Link {
  public:
    virtual ~Link() = default;
    virtual void send(const wire::GamePacket& p) = 0;
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
    void send(wire::GamePacket p) {
        p[wire::kTokenByte] = std::uint8_t(token >> 8);
        p[wire::kTokenByte + 1] = std::uint8_t(token & 0xFF);
        if (link) link->send(p);
    }
};

}  // namespace server
