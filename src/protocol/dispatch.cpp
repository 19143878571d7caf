// The inbound dispatcher: every packet but the reconnect result carries the server
// token the client echoes on everything it queues; then the command code picks
// the handler from the inbound catalogue. A code not in it changes nothing else.
#include "app/client.h"

namespace app {

namespace {

using Handler = void (Client::*)(const wire::GamePacket&);

struct InboundEntry {
    std::uint8_t code;
    Handler handler;
};

// The inbound catalogue, in the order the codes are tested: 1 deal, 2 declaration
// prompts and announcements, 3 work, 4 the three exchange, 5 revolution and head
// choice, 6 a play and its events, 8 tribute, 9 a third of the round result,
// 16 continue outcome or players short of gold, 18 login result, 19 chat line or
// voice phrase, 20 a player's seat and profile, 21 a player left, 22 the server
// closes the table, 23 ready notice, 29 reconnect result.
constexpr InboundEntry kHandlers[] = {
    {1, &Client::HandleDeal},        {2, &Client::HandleDeclaration},
    {3, &Client::HandleWork},        {4, &Client::HandleExchange},
    {5, &Client::HandleRevolution},  {6, &Client::HandlePlayedHand},
    {8, &Client::HandleTribute},     {9, &Client::HandleResult},
    {16, &Client::HandleGameOver},   {18, &Client::HandleLoginResult},
    {19, &Client::HandleChat},       {20, &Client::HandleSeat},
    {21, &Client::HandlePlayerLeft}, {22, &Client::HandleTableClosed},
    {23, &Client::HandleReady},      {29, &Client::HandleResume},
};

// The reconnect result answers a login on a new connection; the token of the old
// one stays.
constexpr std::uint8_t kReconnectResult = 29;

}  // namespace

void Client::DispatchPacket(wire::GamePacket& packet) {
    const std::uint8_t command = packet[wire::kCommandByte];
    if (command != kReconnectResult) {
        connection.send.token.b0 = packet[wire::kTokenByte];
        connection.send.token.b1 = packet[wire::kTokenByte + 1];
    }
    if (onDispatch) onDispatch(packet);
    const wire::GamePacket& in = packet;
    for (const InboundEntry& e : kHandlers) {
        if (e.code == command) {
            (this->*e.handler)(in);
            return;
        }
    }
}

}  // namespace app
