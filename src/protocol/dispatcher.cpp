#include "protocol/dispatcher.h"

#include <algorithm>

namespace protocol {

bool Dispatcher::on(wire::Command command, Handler handler) {
    if (std::find(kInboundCatalogue.begin(), kInboundCatalogue.end(), command) ==
        kInboundCatalogue.end())
        return false;
    handlers_[static_cast<std::uint8_t>(command)] = std::move(handler);
    return true;
}

void Dispatcher::DispatchPacket(wire::GamePacket& packet) {
    const std::uint8_t command = packet[wire::kCommandByte];
    // The reconnect result answers a login on a new connection; the token of the
    // old one stays.
    if (command != static_cast<std::uint8_t>(wire::Command::kResume)) {
        token_.b0 = packet[wire::kTokenByte];
        token_.b1 = packet[wire::kTokenByte + 1];
    }
    if (onDispatch) onDispatch(packet);
    if (const Handler& h = handlers_[command]) h(packet);
    if (onDispatched) onDispatched(packet);
}

}  // namespace protocol
