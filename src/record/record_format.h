#pragma once
// The table record file: a small header (magic, version, own account, room, display
// scale, launch time) and then one entry per packet of the table in the order it
// went through the client: direction, milliseconds since the table's start, the 272
// bytes. Every number is little-endian. docs/REPLAY.md describes the layout.
#include <cstdint>
#include <string>
#include <vector>

#include "wire/frame.h"

namespace record {

inline constexpr char kMagic[8] = {'D', 'R', 'V', 'K', 'R', 'E', 'C', '\0'};
inline constexpr std::uint16_t kVersion = 1;
// Magic, version, launch time, scale, the two text lengths.
inline constexpr std::size_t kFixedHeaderSize = 8 + 2 + 8 + 4 + 1 + 1;
// Direction, time, packet.
inline constexpr std::size_t kEntrySize = 1 + 4 + wire::kPacketSize;
// Texts longer than this are cut (at a character boundary) when written.
inline constexpr std::size_t kMaxText = 255;
// The record files' extension in the records folder.
inline constexpr const char* kExtension = ".drec";

enum class Direction : std::uint8_t { Inbound = 0, Outbound = 1 };

struct Header {
    std::string account;          // the own account (UTF-8)
    std::string room;             // the room as the table window shows it (UTF-8)
    double scale = 1.0;           // the display scale, stored in millionths
    std::int64_t launchTime = 0;  // seconds since 1970 (UTC) when the table started
};

struct Entry {
    Direction direction = Direction::Inbound;
    std::uint32_t ms = 0;  // since the table's start
    wire::GamePacket packet{};
};

std::vector<std::uint8_t> encodeHeader(const Header& h);
std::vector<std::uint8_t> encodeEntry(const Entry& e);

// The login packet as it is written to the file: the login key's bytes are zeroed
// (the account, the reconnect mark and the token stay), so no record holds it.
wire::GamePacket withoutLoginKey(const wire::GamePacket& p);

}  // namespace record
