#include "server/packet.h"

#include <algorithm>

namespace server {

std::size_t putBytes(Packet& p, std::size_t at, std::string_view bytes, std::size_t limit) {
    if (at >= kPacketSize) return 0;
    std::size_t n = std::min({bytes.size(), limit, kPacketSize - at});
    std::copy_n(bytes.data(), n, p.begin() + at);
    return n;
}

void putU32LE(Packet& p, std::size_t at, std::uint32_t v) {
    for (std::size_t i = 0; i < 4 && at + i < kPacketSize; ++i) p[at + i] = (v >> (8 * i)) & 0xFF;
}

void putU32BE(Packet& p, std::size_t at, std::uint32_t v) {
    for (std::size_t i = 0; i < 4 && at + i < kPacketSize; ++i)
        p[at + i] = (v >> (8 * (3 - i))) & 0xFF;
}

void putU64LE(Packet& p, std::size_t at, std::uint64_t v) {
    for (std::size_t i = 0; i < 8 && at + i < kPacketSize; ++i) p[at + i] = (v >> (8 * i)) & 0xFF;
}

std::uint32_t getU32LE(const Packet& p, std::size_t at) {
    std::uint32_t v = 0;
    for (std::size_t i = 0; i < 4 && at + i < kPacketSize; ++i)
        v |= std::uint32_t(p[at + i]) << (8 * i);
    return v;
}

std::string_view getZeroEnded(const Packet& p, std::size_t at, std::size_t limit) {
    if (at >= kPacketSize) return {};
    std::size_t end = std::min(kPacketSize, at + limit);
    std::size_t i = at;
    while (i < end && p[i] != 0) ++i;
    return {reinterpret_cast<const char*>(p.data() + at), i - at};
}

}  // namespace server
