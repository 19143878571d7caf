#pragma once
// The send and receive rings: 34816 bytes each (exactly 128 packets), indices that
// wrap modulo the size; equal indices mean empty.
#include <array>
#include <cstdint>

#include "wire/frame.h"

namespace net {

using wire::GamePacket;
using wire::kPacketSize;

constexpr std::size_t kRingSize = 34816;
static_assert(kRingSize == 128 * kPacketSize);

struct ByteRing {
    std::array<std::uint8_t, kRingSize> bytes{};
    std::size_t write = 0;
    std::size_t read = 0;

    std::size_t pending() const { return (write + kRingSize - read) % kRingSize; }
    void clear() { write = read = 0; }
};

}  // namespace net
