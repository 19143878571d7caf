#pragma once
// The 272-byte table packet and the byte-level helpers every builder and reader uses.
// Packets are plain arrays; all accessors check their ranges so that no field written
// or read here can reach outside the 272 bytes.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace server {

inline constexpr std::size_t kPacketSize = 272;
using Packet = std::array<std::uint8_t, kPacketSize>;

// Offsets shared by every command.
inline constexpr int kCommandByte = 3;
inline constexpr int kSeatByte = 6;
inline constexpr int kTokenByte = 260;  // the session token: bytes 260..261

// Command codes, both directions.
enum Command : std::uint8_t {
    CmdDeal = 1,
    CmdDeclare = 2,
    CmdWork = 3,
    CmdExchange = 4,
    CmdRevolution = 5,
    CmdPlayed = 6,
    CmdPlay = 7,
    CmdTribute = 8,
    CmdResult = 9,
    CmdGameOver = 16,  // inbound: leave (15 = 0) or continue (15 = 1)
    CmdLogin = 18,
    CmdChat = 19,
    CmdSeat = 20,
    CmdPlayerLeft = 21,
    CmdTableClosed = 22,
    CmdReady = 23,
    CmdKeepAlive = 24,
    CmdResume = 29,
};

inline Packet makePacket(std::uint8_t command) {
    Packet p{};
    p[kCommandByte] = command;
    return p;
}

inline std::uint8_t command(const Packet& p) { return p[kCommandByte]; }

// A seat index 0..5 as its one-hot seat bit, and back (upper two bits ignored; a byte
// naming no seat gives -1).
constexpr std::uint8_t seatBit(int seat) { return static_cast<std::uint8_t>(1u << seat); }
inline int seatOfBit(std::uint8_t bit) {
    bit &= 0x3F;
    for (int k = 0; k < 6; ++k)
        if (bit == seatBit(k)) return k;
    return -1;
}

// Writes bytes at [at, at + size) when the range lies inside the packet; returns the
// number of bytes written.
std::size_t putBytes(Packet& p, std::size_t at, std::string_view bytes, std::size_t limit);
void putU32LE(Packet& p, std::size_t at, std::uint32_t v);
void putU32BE(Packet& p, std::size_t at, std::uint32_t v);
void putU64LE(Packet& p, std::size_t at, std::uint64_t v);
std::uint32_t getU32LE(const Packet& p, std::size_t at);
// Bytes from `at` up to the first zero or `limit` bytes, whichever comes first.
std::string_view getZeroEnded(const Packet& p, std::size_t at, std::size_t limit);

}  // namespace server
