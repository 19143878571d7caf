#pragma once
// The 272-byte packet of the game connection: byte 3 the command code, byte 6 the
// seat byte, bytes 260..261 the server token, payload from byte 16. And the byte
// helpers every layout is written with: a write outside the 272 bytes writes
// nothing and a read outside them reads 0, so no field, whatever its offset or a
// count from a packet makes of it, reaches past the packet.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace wire {

constexpr std::size_t kPacketSize = 272;
using GamePacket = std::array<std::uint8_t, kPacketSize>;

constexpr std::size_t kCommandByte = 3;
constexpr std::size_t kSeatByte = 6;
constexpr std::size_t kTokenByte = 260;
constexpr std::size_t kPayloadByte = 16;

// A seat byte carries a one-hot six-bit seat bit; its upper two bits mean nothing.
constexpr std::uint8_t kSeatMask = 0x3F;
constexpr std::uint8_t seatBit(int seat) { return static_cast<std::uint8_t>(1u << seat); }
// The seat index 0..5 of a seat byte (upper bits ignored), -1 when it names no
// single seat.
constexpr int seatOfBit(std::uint8_t seatByte) {
    const std::uint8_t b = seatByte & kSeatMask;
    for (int k = 0; k < 6; ++k)
        if (b == seatBit(k)) return k;
    return -1;
}

inline GamePacket makePacket(std::uint8_t command, std::uint8_t seat = 0) {
    GamePacket p{};
    p[kCommandByte] = command;
    p[kSeatByte] = seat;
    return p;
}

inline std::uint8_t getByte(const GamePacket& p, std::size_t at) {
    return at < kPacketSize ? p[at] : 0;
}
inline void putByte(GamePacket& p, std::size_t at, std::uint8_t v) {
    if (at < kPacketSize) p[at] = v;
}

// Little-endian: the first byte is the least significant.
inline std::uint32_t getLe32(const GamePacket& p, std::size_t at) {
    std::uint32_t v = 0;
    for (std::size_t i = 4; i-- > 0;) v = v << 8 | getByte(p, at + i);
    return v;
}
inline std::uint64_t getLe64(const GamePacket& p, std::size_t at) {
    std::uint64_t v = 0;
    for (std::size_t i = 8; i-- > 0;) v = v << 8 | getByte(p, at + i);
    return v;
}
inline void putLe32(GamePacket& p, std::size_t at, std::uint32_t v) {
    for (std::size_t i = 0; i < 4; ++i) putByte(p, at + i, static_cast<std::uint8_t>(v >> (8 * i)));
}
inline void putLe64(GamePacket& p, std::size_t at, std::uint64_t v) {
    for (std::size_t i = 0; i < 8; ++i) putByte(p, at + i, static_cast<std::uint8_t>(v >> (8 * i)));
}

// Big-endian: the first byte is the most significant (the stake of the round
// result, the cards of the work announcement and the three exchange).
inline std::uint32_t getBe32(const GamePacket& p, std::size_t at) {
    std::uint32_t v = 0;
    for (std::size_t i = 0; i < 4; ++i) v = v << 8 | getByte(p, at + i);
    return v;
}
inline void putBe32(GamePacket& p, std::size_t at, std::uint32_t v) {
    for (std::size_t i = 0; i < 4; ++i)
        putByte(p, at + i, static_cast<std::uint8_t>(v >> (8 * (3 - i))));
}

// The little-endian 32-bit value at bytes at..at+3 (a card code in the deal and the
// tribute); the handlers' name for getLe32.
inline std::uint32_t readLe32(const GamePacket& p, std::size_t at) { return getLe32(p, at); }

// Writes at most `limit` bytes from `at`, never past the packet; returns how many.
inline std::size_t putBytes(GamePacket& p, std::size_t at, std::string_view bytes,
                            std::size_t limit) {
    std::size_t n = 0;
    for (; n < bytes.size() && n < limit && at + n < kPacketSize; ++n)
        p[at + n] = static_cast<std::uint8_t>(bytes[n]);
    return n;
}
// The bytes from `at` up to the first zero, at most `limit` of them and none past
// the packet.
inline std::string_view getZeroEnded(const GamePacket& p, std::size_t at, std::size_t limit) {
    if (at >= kPacketSize) return {};
    std::size_t n = 0;
    while (n < limit && at + n < kPacketSize && p[at + n] != 0) ++n;
    return {reinterpret_cast<const char*>(p.data() + at), n};
}

}  // namespace wire
