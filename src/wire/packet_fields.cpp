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

// The code point of one UTF-8 character (0 for a byte that starts none).
std::uint32_t codePoint(const std::string& ch) {
    const auto b0 = static_cast<std::uint8_t>(ch[0]);
    if (b0 < 0x80) return b0;
    int len = b0 >= 0xF0 ? 4 : b0 >= 0xE0 ? 3 : b0 >= 0xC0 ? 2 : 0;
    if (len == 0 || static_cast<int>(ch.size()) != len) return 0;
    std::uint32_t cp = b0 & (0x7F >> len);
    for (int k = 1; k < len; ++k) cp = cp << 6 | (static_cast<std::uint8_t>(ch[k]) & 0x3F);
    return cp;
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

std::size_t putSingleByteText(wire::GamePacket& p, std::size_t first, std::size_t last,
                              const std::string& utf8) {
    Range r = cut(first, last);
    std::size_t i = r.begin;
    for (const std::string& ch : utf8Chars(utf8)) {
        if (i >= r.end) break;
        std::uint32_t cp = codePoint(ch);
        p[i++] = cp >= 1 && cp <= 0xFF ? static_cast<std::uint8_t>(cp) : '?';
    }
    return i - r.begin;
}

std::size_t putGbkText(wire::GamePacket& p, std::size_t first, std::size_t last,
                       const std::string& utf8) {
    Range r = cut(first, last);
    std::size_t i = r.begin;
    for (const std::string& ch : utf8Chars(utf8)) {
        std::string bytes = charToGbk(ch).value_or("?");
        if (i + bytes.size() > r.end) break;
        for (char b : bytes) p[i++] = static_cast<std::uint8_t>(b);
    }
    return i - r.begin;
}

double packetDouble(const wire::GamePacket& p, std::size_t first) {
    return asDouble(getLe64(p, first));
}

double asDouble(std::uint64_t v) {
    double value = 0;
    for (int k = 8; k-- > 0;) value = value * 256 + static_cast<double>((v >> (8 * k)) & 0xFF);
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
