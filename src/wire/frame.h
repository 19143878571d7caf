#pragma once
// The 272-byte packet of the game connection: byte 3 the command code, byte 6 the
// seat byte, bytes 260..261 the server token, payload from byte 16.
#include <array>
#include <cstdint>

namespace wire {

constexpr std::size_t kPacketSize = 272;
using GamePacket = std::array<std::uint8_t, kPacketSize>;

constexpr std::size_t kCommandByte = 3;
constexpr std::size_t kSeatByte = 6;
constexpr std::size_t kTokenByte = 260;
constexpr std::size_t kPayloadByte = 16;

// The little-endian 32-bit value at bytes at..at+3 (a card code in the deal and
// the tribute). The caller keeps at + 3 inside the packet.
inline std::uint32_t readLe32(const GamePacket& p, std::size_t at) {
    return p[at] | (p[at + 1] << 8) | (p[at + 2] << 16) | (static_cast<std::uint32_t>(p[at + 3]) << 24);
}

inline GamePacket makePacket(std::uint8_t command, std::uint8_t seat = 0) {
    GamePacket p{};
    p[kCommandByte] = command;
    p[kSeatByte] = seat;
    return p;
}

}  // namespace wire
