#pragma once
// The inbound dispatcher: every packet but the reconnect result carries the server
// token the client echoes on everything it queues; then the command code picks the
// handler that the part owning the command registered. A code outside the inbound
// catalogue, or one no part handles yet, changes nothing else.
#include <array>
#include <cstdint>
#include <functional>

#include "net/send_queue.h"
#include "wire/commands.h"
#include "wire/frame.h"

namespace protocol {

// The inbound catalogue: 1 deal, 2 declaration prompts and announcements, 3 work,
// 4 the three exchange, 5 revolution and head choice, 6 a play and its events,
// 8 tribute, 9 a third of the round result, 16 continue outcome or players short of
// gold, 18 login result, 19 chat line or voice phrase, 20 a player's seat and
// profile, 21 a player left, 22 the server closes the table, 23 ready notice,
// 29 reconnect result.
inline constexpr std::array<wire::Command, 16> kInboundCatalogue{
    wire::Command::kDeal,       wire::Command::kDeclaration, wire::Command::kWork,
    wire::Command::kExchange,   wire::Command::kRevolution,  wire::Command::kPlayedHand,
    wire::Command::kTribute,    wire::Command::kResult,      wire::Command::kGameOver,
    wire::Command::kLogin,      wire::Command::kChat,        wire::Command::kSeat,
    wire::Command::kPlayerLeft, wire::Command::kTableClosed, wire::Command::kReady,
    wire::Command::kResume,
};

class Dispatcher {
  public:
    using Handler = std::function<void(const wire::GamePacket&)>;

    explicit Dispatcher(net::ServerToken& token) : token_(token) {}

    // Registers the handler of a catalogue command; false (and nothing kept) for a
    // code outside the catalogue. One handler per command: a later one replaces it.
    bool on(wire::Command command, Handler handler);
    // The same for a handler of the command's decoded message: the packet is decoded
    // (with every range clamp of the layout) before the handler sees it.
    template <class Message, class Handle>
    bool on(wire::Command command, Handle handle) {
        return on(command,
                  Handler([handle](const wire::GamePacket& p) { handle(Message::decode(p)); }));
    }
    // Takes the token and runs the command's handler. The handler reads the packet
    // and never writes into it.
    void DispatchPacket(wire::GamePacket& packet);

    // Watches every packet before its handler runs (the pump's tests observe the
    // order and timing of dispatch through it).
    std::function<void(const wire::GamePacket&)> onDispatch;
    // Watches every packet once its handler has returned (the live tests check the
    // table after each one).
    std::function<void(const wire::GamePacket&)> onDispatched;

  private:
    net::ServerToken& token_;
    std::array<Handler, 256> handlers_{};
};

}  // namespace protocol
