#include "net/proxy_requests.h"

#include <algorithm>

#include "wire/gbk.h"

namespace net::socks {

namespace {

constexpr std::uint8_t kVersion = 5;
constexpr std::uint8_t kAuthVersion = 1;
constexpr std::uint8_t kConnect = 1;
constexpr std::uint8_t kAddressIpv4 = 1;
constexpr std::uint8_t kAddressName = 3;
constexpr std::uint8_t kAddressIpv6 = 4;
constexpr std::size_t kMaxField = 255;

// One text as the authentication request carries it: its length, then one byte a
// character.
void appendField(platform::Bytes& out, const std::string& text) {
    std::vector<std::string> chars = wire::utf8Chars(text);
    std::size_t n = std::min(chars.size(), kMaxField);
    out.push_back(static_cast<std::uint8_t>(n));
    for (std::size_t i = 0; i < n; ++i) {
        std::optional<std::string> code = wire::charToGbk(chars[i]);
        out.push_back(code && code->size() == 1 ? static_cast<std::uint8_t>((*code)[0]) : 0);
    }
}

}  // namespace

platform::Bytes greeting() { return {kVersion, 2, 0, 2}; }

platform::Bytes authenticationRequest(const std::string& user, const std::string& password) {
    platform::Bytes out{kAuthVersion};
    appendField(out, user);
    appendField(out, password);
    return out;
}

std::optional<std::array<std::uint8_t, 4>> dottedIpv4(const std::string& host) {
    std::array<std::uint8_t, 4> numbers{};
    std::size_t part = 0;
    int value = -1;  // -1: no digit yet in this part
    for (char c : host) {
        if (c == '.') {
            if (value < 0 || part == 3) return std::nullopt;
            numbers[part++] = static_cast<std::uint8_t>(value);
            value = -1;
        } else if (c >= '0' && c <= '9') {
            value = (value < 0 ? 0 : value * 10) + (c - '0');
            if (value > 255) return std::nullopt;
        } else {
            return std::nullopt;
        }
    }
    if (value < 0 || part != 3) return std::nullopt;
    numbers[3] = static_cast<std::uint8_t>(value);
    return numbers;
}

std::optional<platform::Bytes> connectRequest(const std::string& host, std::int16_t port) {
    platform::Bytes out{kVersion, kConnect, 0};
    if (auto ip = dottedIpv4(host)) {
        out.push_back(kAddressIpv4);
        out.insert(out.end(), ip->begin(), ip->end());
    } else {
        if (host.empty() || host.size() > kMaxField) return std::nullopt;
        out.push_back(kAddressName);
        out.push_back(static_cast<std::uint8_t>(host.size()));
        out.insert(out.end(), host.begin(), host.end());
    }
    // The port is a 16-bit number on the wire whatever its sign in the launch line.
    auto p = static_cast<std::uint16_t>(port);
    out.push_back(static_cast<std::uint8_t>(p >> 8));
    out.push_back(static_cast<std::uint8_t>(p & 0xFF));
    return out;
}

std::size_t connectReplyLength(const ProxyRing& reply) {
    constexpr std::size_t kFixed = 4;  // version, status, reserved, address type
    constexpr std::size_t kPort = 2;
    std::size_t have = reply.pending();
    if (have < kFixed) return 0;
    switch (reply.at(3)) {
        case kAddressIpv4:
            return kFixed + 4 + kPort;
        case kAddressIpv6:
            return kFixed + 16 + kPort;
        case kAddressName:
            return have < kFixed + 1 ? 0 : kFixed + 1 + reply.at(4) + kPort;
        default:
            return kFixed;
    }
}

}  // namespace net::socks
