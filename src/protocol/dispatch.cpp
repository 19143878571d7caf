// The inbound dispatcher's entry: every packet but the reconnect result carries
// the server token the client echoes on everything it queues.
#include "app/client.h"

namespace app {

void Client::DispatchPacket(net::GamePacket& packet) {
    std::uint8_t command = packet[net::kCommandByte];
    if (command != 29) {
        send.token.b0 = packet[net::kTokenByte];
        send.token.b1 = packet[net::kTokenByte + 1];
    }
    if (onPacket) onPacket(packet);
}

}  // namespace app
