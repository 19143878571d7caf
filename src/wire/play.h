#pragma once
// The play phase: the played-hand command (6) the server sends for everything a
// seat does, and the play command (7) the client answers a turn with.
#include <array>
#include <cstdint>

#include "wire/commands.h"

namespace wire {

// No play has more than 40 cards: one natural rank (16 in four packs), every two
// (16) and every joker (8). A larger count is read as 40.
constexpr std::uint8_t kMaxPlayCards = 40;

struct PlayedHand {
    static constexpr std::size_t kNextByte = 8, kSecondsByte = 10, kModeByte = 11;
    static constexpr std::size_t kActionByte = 15, kEventByte = 16;
    static constexpr std::size_t kCountByte = 17, kClassByte = 18;
    static constexpr std::size_t kCardsByte = 20;  // card i little-endian at 20 + 4i

    std::uint8_t actor = 0;    // byte 6 masked
    std::uint8_t next = 0;     // byte 8 masked: the seat that acts next
    std::uint8_t seconds = 0;  // its countdown
    TurnMode mode = TurnMode::kNone;
    PlayedAction action = PlayedAction::kPass;
    PlayEvent event = PlayEvent::kNone;
    std::uint8_t count = 0;      // cards the actor played, at most kMaxPlayCards
    std::uint8_t playClass = 0;  // 1 Dravik play, 2 ordinary
    // Full card codes; the table play takes rank and suit bit of each
    // (rules::tableCodeOf), the CardId is the actor's own.
    std::array<std::uint32_t, kMaxPlayCards> cards{};

    GamePacket encode() const;
    static PlayedHand decode(const GamePacket& p);
    friend bool operator==(const PlayedHand&, const PlayedHand&) = default;
};

// Pass, play cards (named by their CardIds, in hand order), yield or take over the
// lead.
struct Play {
    static constexpr std::size_t kActionByte = 15, kCountByte = 17, kClassByte = 18;
    static constexpr std::size_t kIdsByte = 20;

    std::uint8_t seat = 0;
    PlayAction action = PlayAction::kPass;
    std::uint8_t count = 0;  // at most kMaxPlayCards
    std::uint8_t playClass = 0;
    std::array<std::uint8_t, kMaxPlayCards> ids{};

    GamePacket encode() const;
    static Play decode(const GamePacket& p);
    friend bool operator==(const Play&, const Play&) = default;
};

}  // namespace wire
