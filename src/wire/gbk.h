#pragma once
// The system's double-byte code page (GBK, code page 936) as the packets carry it:
// a byte of 0x81..0xFE and the byte after it form one character; a zero byte ends
// a text. Internally every text is UTF-8.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace wire {

// The character that stands for bytes the code page cannot turn into text.
inline constexpr std::string_view kReplacementChar = "\xEF\xBF\xBD";

// One character (a UTF-8 sequence) in the code page: one byte, two bytes, or
// nullopt when the code page has no such character.
std::optional<std::string> charToGbk(const std::string& utf8Char);
// A whole text; characters the code page lacks become '?'.
std::string utf8ToGbk(const std::string& utf8);

// Decodes code-page bytes. A lead byte (0x81..0xFE) followed by a trail byte
// (0x40..0x7E, 0x80..0xFE) is one character, or one U+FFFD when the pair names no
// character. A lead byte without a trail byte after it (the end of the bytes, or
// any other byte) becomes U+FFFD alone and the next byte is read afresh, so one
// damaged byte never swallows a good character. 0x80 is the euro sign; 0xFF is
// U+FFFD. Bytes below 0x80, zero included, are themselves.
std::string gbkToUtf8(std::span<const std::uint8_t> gbk);
std::string gbkToUtf8(std::string_view gbk);

// The UTF-8 characters of a text, one string each (invalid bytes stand alone).
std::vector<std::string> utf8Chars(const std::string& utf8);

}  // namespace wire
