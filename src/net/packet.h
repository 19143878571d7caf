#pragma once
// The 272-byte packet of the game connection: byte 3 the command code, byte 6 the
// seat byte, bytes 260..261 the server token, payload from byte 16.
#include <array>
#include <cstdint>

namespace net {

constexpr std::size_t kPacketSize = 272;
using GamePacket = std::array<std::uint8_t, kPacketSize>;

constexpr std::size_t kCommandByte = 3;
constexpr std::size_t kSeatByte = 6;
constexpr std::size_t kTokenByte = 260;
constexpr std::size_t kPayloadByte = 16;

inline GamePacket makePacket(std::uint8_t command, std::uint8_t seat = 0) {
    GamePacket p{};
    p[kCommandByte] = command;
    p[kSeatByte] = seat;
    return p;
}

}  // namespace net
