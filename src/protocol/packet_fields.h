#pragma once
// Reading the fields of an inbound packet: texts in fixed byte ranges and the
// little-endian numbers. A range is given by its first and last byte; it is cut to
// the packet, so no field reader ever looks outside the 272 bytes, and a text that
// fills its whole range (no zero byte) simply ends with the range.
#include <cstddef>
#include <cstdint>
#include <string>

#include "net/packet.h"

namespace protocol {

// Every byte is one character of that code (bytes 0x80..0xFF become U+0080..U+00FF,
// so two different byte strings never read as the same text). Stops at a zero byte.
std::string singleByteText(const net::GamePacket& p, std::size_t first, std::size_t last);
// Two bytes per step, high byte first, as one code-page character; a step whose
// first byte is zero ends the text. A lone byte left at the end of the range is
// read alone.
std::string pairText(const net::GamePacket& p, std::size_t first, std::size_t last);
// A byte below 0x80 is one character, a byte of 0x80 or more is read with the next
// one as one code-page character, except at the last position of the range, where
// it is read alone. A zero byte where a step begins ends the text.
std::string mixedText(const net::GamePacket& p, std::size_t first, std::size_t last);

// The unsigned little-endian integer of eight bytes, as a floating-point number.
double packetDouble(const net::GamePacket& p, std::size_t first);
// The signed little-endian 32-bit integer of four bytes.
std::int32_t packetLong(const net::GamePacket& p, std::size_t first);

// A number as its plain decimal text: the shortest form that reads back the same,
// no grouping, no leading blank ("20000", "0.5").
std::string decimalText(double v);

}  // namespace protocol
