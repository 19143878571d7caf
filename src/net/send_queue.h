#pragma once
// The send queue: QueuePacket writes the chat text into chat packets, stamps the
// server token and appends the packet to the SendRing; the drain step writes at most
// one packet per pump tick to the socket.
#include <functional>
#include <string>

#include "net/rings.h"
#include "net/tick_slot.h"
#include "platform/tcp_socket.h"
#include "wire/frame.h"

namespace net {

struct ServerToken {
    std::uint8_t b0 = 0, b1 = 0;
};

class SendQueue {
  public:
    SendQueue(TickSlots& slots, platform::TcpSocket& socket) : slots_(slots), socket_(socket) {}

    // False when the packet was not queued: blank chat text, or a ring with no room
    // left (what is queued is kept intact rather than overwritten).
    bool QueuePacket(GamePacket& packet);
    // One drain step; returns the packet written to the socket, if any, so the
    // caller can act on what left (the leave packet returns the client to the hall).
    // While the game server cannot be reached (`linkUp` false, or the socket not
    // connected) the packet taken is discarded.
    bool drain(GamePacket& written, bool linkUp = true);
    // Writes straight to the socket when it is connected; no token, no queue.
    bool directWrite(const GamePacket& packet);

    ByteRing SendRing;
    ServerToken token;
    // Sees every packet as it goes to the socket (the queued ones, the login and the
    // leave packet): the table recording.
    std::function<void(const GamePacket&)> written;
    std::string ChatText;  // UTF-8; the chat line waiting to be sent

  private:
    void writeChat(GamePacket& packet);
    TickSlots& slots_;
    platform::TcpSocket& socket_;
};

// The most characters of chat text one packet carries.
constexpr std::size_t kChatChars = 100;

}  // namespace net
