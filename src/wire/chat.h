#pragma once
// The chat packet (19), the same layout in both directions: a typed line (code-page
// text from byte 16) or a voice phrase (seven decimal digits at 16..22), public or
// addressed to one seat.
#include <array>
#include <cstdint>
#include <string>

#include "wire/commands.h"

namespace wire {

struct Chat {
    static constexpr std::size_t kPrivateByte = 5, kSelectedByte = 7, kAddresseeByte = 8;
    static constexpr std::size_t kKindByte = 11;
    static constexpr std::size_t kTextFirst = 16, kTextLast = 215;
    static constexpr std::size_t kPhraseByte = 16;
    // A line carries at most this many characters (at most 200 bytes).
    static constexpr std::size_t kMaxChars = 100;

    bool isPrivate = false;           // byte 5 = 1
    std::uint8_t sender = 0;          // byte 6 masked; 0: a line from the server
    std::uint8_t selected = 0;        // byte 7 masked: the seat selected when a phrase was sent
    std::uint8_t addressee = 0;       // byte 8 masked, when private
    ChatKind kind = ChatKind::kLine;  // anything but kVoice is a line
    std::string text;                 // a line
    std::array<std::uint8_t, 7> phrase{};  // a voice phrase's digits

    GamePacket encode() const;
    static Chat decode(const GamePacket& p);
    friend bool operator==(const Chat&, const Chat&) = default;
};

// Writes a chat line as the send routine does: its first kMaxChars characters from
// byte 16, each as its code-page bytes ('?' for one the code page lacks), and zeros
// from the end of the text to the end of the packet.
void writeChatText(GamePacket& p, const std::string& utf8);

}  // namespace wire
