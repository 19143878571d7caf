#pragma once
// Reading the fields of an inbound packet: texts in fixed byte ranges and the
// little-endian numbers. A range is given by its first and last byte; it is cut to
// the packet, so no field reader ever looks outside the 272 bytes, and a text that
// fills its whole range (no zero byte) simply ends with the range.
#include <cstddef>
#include <cstdint>
#include <string>

#include "wire/frame.h"

namespace wire {

// Every byte is one character of that code (bytes 0x80..0xFF become U+0080..U+00FF,
// so two different byte strings never read as the same text). Stops at a zero byte.
std::string singleByteText(const wire::GamePacket& p, std::size_t first, std::size_t last);
// A text in the code page: a byte below 0x80 is one character, a byte of 0x80 or
// more is read with the next one as one character, except at the last position of
// the range, where it is read alone. A zero byte where a character begins ends the
// text, and so does a zero after a lead byte. The double-byte fields (location,
// level, title) are read the same way: pairs follow the lead bytes, so a digit or
// letter among the characters does not shift the pairs after it.
std::string gbkText(const wire::GamePacket& p, std::size_t first, std::size_t last);

// The unsigned little-endian integer of eight bytes, as a floating-point number.
double packetDouble(const wire::GamePacket& p, std::size_t first);
// The signed little-endian 32-bit integer of four bytes.
std::int32_t packetLong(const wire::GamePacket& p, std::size_t first);

// A number as its plain decimal text: the shortest form that reads back the same,
// no grouping, no leading blank ("20000", "0.5").
std::string decimalText(double v);

}  // namespace wire
