#pragma once
// The keep-alive (24): the own seat bit, nothing else; queued every five seconds
// while the client is logged in.
#include <cstdint>

#include "wire/commands.h"

namespace wire {

struct KeepAlive {
    std::uint8_t seat = 0;

    GamePacket encode() const { return makePacket(Command::kKeepAlive, seat); }
    static KeepAlive decode(const GamePacket& p) { return {p[kSeatByte]}; }
    friend bool operator==(const KeepAlive&, const KeepAlive&) = default;
};

}  // namespace wire
