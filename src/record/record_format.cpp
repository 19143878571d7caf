#include "record/record_format.h"

#include <algorithm>
#include <cmath>

#include "wire/commands.h"
#include "wire/seating.h"

namespace record {

namespace {

void put(std::vector<std::uint8_t>& out, std::uint64_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

// The text cut to kMaxText bytes without splitting a UTF-8 character.
std::string cut(const std::string& s) {
    if (s.size() <= kMaxText) return s;
    std::size_t n = kMaxText;
    while (n > 0 && (static_cast<std::uint8_t>(s[n]) & 0xC0) == 0x80) --n;
    return s.substr(0, n);
}

}  // namespace

std::vector<std::uint8_t> encodeHeader(const Header& h) {
    std::vector<std::uint8_t> out(std::begin(kMagic), std::end(kMagic));
    put(out, kVersion, 2);
    put(out, static_cast<std::uint64_t>(h.launchTime), 8);
    const double millionths = std::clamp(std::round(h.scale * 1e6), 0.0, 4294967295.0);
    put(out, static_cast<std::uint32_t>(millionths), 4);
    const std::string account = cut(h.account), room = cut(h.room);
    out.push_back(static_cast<std::uint8_t>(account.size()));
    out.push_back(static_cast<std::uint8_t>(room.size()));
    out.insert(out.end(), account.begin(), account.end());
    out.insert(out.end(), room.begin(), room.end());
    return out;
}

std::vector<std::uint8_t> encodeEntry(const Entry& e) {
    std::vector<std::uint8_t> out;
    out.reserve(kEntrySize);
    out.push_back(static_cast<std::uint8_t>(e.direction));
    put(out, e.ms, 4);
    out.insert(out.end(), e.packet.begin(), e.packet.end());
    return out;
}

wire::GamePacket withoutLoginKey(const wire::GamePacket& p) {
    wire::GamePacket out = p;
    if (wire::commandOf(p) == wire::Command::kLogin)
        std::fill(out.begin() + wire::Login::kKeyByte, out.begin() + wire::Login::kKeyLast + 1,
                  std::uint8_t{0});
    return out;
}

}  // namespace record
