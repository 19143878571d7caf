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

// The writers of the same fields: nothing is written outside first..last (nor
// outside the packet), and the bytes after the text are left as they are.
// Every character U+0001..U+00FF as its byte (the inverse of singleByteText); any
// other character as '?'. Returns the number of bytes written.
std::size_t putSingleByteText(wire::GamePacket& p, std::size_t first, std::size_t last,
                              const std::string& utf8);
// The text in the code page (characters it lacks as '?'), cut where the next whole
// character would not fit, so a field never ends in half a character.
std::size_t putGbkText(wire::GamePacket& p, std::size_t first, std::size_t last,
                       const std::string& utf8);

// The unsigned little-endian integer of eight bytes, as a floating-point number.
double packetDouble(const wire::GamePacket& p, std::size_t first);
// The same number from its integer: accumulated from the most significant byte
// down, as packetDouble reads it, so both give the same double.
double asDouble(std::uint64_t value);
// The signed little-endian 32-bit integer of four bytes.
std::int32_t packetLong(const wire::GamePacket& p, std::size_t first);

// A number as its plain decimal text: the shortest form that reads back the same,
// no grouping, no leading blank ("20000", "0.5").
std::string decimalText(double v);

}  // namespace wire
