#pragma once
// What the client says to a SOCKS version 5 proxy and how long its answers are:
// the greeting, the user name/password request, the connect request for the game
// server, and the length of each reply.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "net/proxy_buffer.h"
#include "platform/tcp_socket.h"

namespace net::socks {

// Version 5, two methods: no authentication (0) and user name and password (2).
platform::Bytes greeting();

// 1, the name's length, its bytes, the password's length, its bytes. One byte per
// character, its code in the code page; a character that needs two bytes there, or
// that the code page lacks, leaves a 0 in its place. A length is one byte, so a
// text is cut after its 255th character.
platform::Bytes authenticationRequest(const std::string& user, const std::string& password);

// 5, 1 (connect), 0, the game server's address, its port as two bytes, high byte
// first. A dotted IPv4 address goes as 1 and its four numbers; any other host goes
// by name (3, its length, its bytes) for the proxy to resolve. nullopt for a host no
// request can carry: empty, or longer than 255 bytes.
std::optional<platform::Bytes> connectRequest(const std::string& host, std::int16_t port);

// The four numbers of "a.b.c.d", each 0..255; nullopt for anything else.
std::optional<std::array<std::uint8_t, 4>> dottedIpv4(const std::string& host);

// The greeting and authentication replies: a version and a status.
constexpr std::size_t kShortReplyLength = 2;
// The whole length of the connect reply that starts at the buffer's read index, as
// far as its first bytes tell: 10 with an IPv4 bound address, 22 with IPv6, 7 + n
// with a name of n bytes, only the 4 fixed bytes with an address type that has no
// length. 0 while the bytes so far do not tell yet.
std::size_t connectReplyLength(const ProxyRing& reply);

}  // namespace net::socks
