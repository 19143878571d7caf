#include "wire/packet_fields.h"

#include <charconv>

#include "wire/gbk.h"

namespace wire {

namespace {

// The half-open byte range [begin, end) of first..last, cut to the packet.
struct Range {
    std::size_t begin, end;
};

Range cut(std::size_t first, std::size_t last) {
    std::size_t end = last >= wire::kPacketSize ? wire::kPacketSize : last + 1;
    return {first < end ? first : end, end};
}

void appendCodePoint(std::string& out, std::uint8_t b) {
    if (b < 0x80) {
        out += static_cast<char>(b);
    } else {
        out += static_cast<char>(0xC0 | (b >> 6));
        out += static_cast<char>(0x80 | (b & 0x3F));
    }
}

}  // namespace

std::string singleByteText(const wire::GamePacket& p, std::size_t first, std::size_t last) {
    Range r = cut(first, last);
    std::string out;
    for (std::size_t i = r.begin; i < r.end && p[i] != 0; ++i) appendCodePoint(out, p[i]);
    return out;
}

std::string gbkText(const wire::GamePacket& p, std::size_t first, std::size_t last) {
    Range r = cut(first, last);
    std::string out;
    std::size_t i = r.begin;
    while (i < r.end && p[i] != 0) {
        // A zero after a lead byte is no part of the character: it ends the text.
        std::size_t n = p[i] >= 0x80 && i + 1 < r.end && p[i + 1] != 0 ? 2 : 1;
        out += gbkToUtf8(std::span<const std::uint8_t>(p.data() + i, n));
        i += n;
    }
    return out;
}

double packetDouble(const wire::GamePacket& p, std::size_t first) {
    double value = 0;
    for (std::size_t k = 8; k-- > 0;) {
        std::size_t i = first + k;
        value = value * 256 + (i < wire::kPacketSize ? p[i] : 0);
    }
    return value;
}

std::int32_t packetLong(const wire::GamePacket& p, std::size_t first) {
    std::uint32_t value = 0;
    for (std::size_t k = 4; k-- > 0;) {
        std::size_t i = first + k;
        value = value << 8 | (i < wire::kPacketSize ? p[i] : 0u);
    }
    return static_cast<std::int32_t>(value);
}

std::string decimalText(double v) {
    char buf[64];
    auto res = std::to_chars(buf, buf + sizeof buf, v);
    return std::string(buf, res.ptr);
}

}  // namespace wire
