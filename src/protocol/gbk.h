#pragma once
// The system's double-byte code page (GBK, code page 936) as the packets carry it:
// a byte of 0x80 or more and the byte after it form one character; a zero byte
// ends a text. Internally every text is UTF-8.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace protocol {

// One character (a UTF-8 sequence) in the code page: one byte, two bytes, or
// nullopt when the code page has no such character.
std::optional<std::string> charToGbk(const std::string& utf8Char);
// A whole text; characters the code page lacks become '?'.
std::string utf8ToGbk(const std::string& utf8);
// Decodes code-page bytes; malformed pairs become U+FFFD, as the system's own
// conversion shows them.
std::string gbkToUtf8(const std::string& gbk);
// The UTF-8 characters of a text, one string each (invalid bytes stand alone).
std::vector<std::string> utf8Chars(const std::string& utf8);

}  // namespace protocol
