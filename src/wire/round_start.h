#pragma once
// The round start: the deal (1), the declarations (2), work (3), the three exchange
// (4) and the revolution and head stage (5), with the answers the client sends.
// Cards are 32-bit card codes: rank in byte 0, suit bit in byte 1, CardId in byte 3.
#include <array>
#include <cstdint>

#include "wire/commands.h"

namespace wire {

struct Deal {
    static constexpr std::size_t kCardsByte = 16;  // card i little-endian at 16 + 4i
    static constexpr std::size_t kCards = 36;

    std::array<std::uint32_t, kCards> cards{};

    GamePacket encode() const;
    static Deal decode(const GamePacket& p);
    friend bool operator==(const Deal&, const Deal&) = default;
};

// The seat bits a prompt is offered to (bytes 16..21), as they came: entries not in
// use hold a value that matches no seat, and a seat byte with its upper bits set
// matches no seat either.
struct OfferedSeats {
    static constexpr std::size_t kFirstByte = 16;
    std::array<std::uint8_t, 6> seats{};

    bool offers(std::uint8_t seatBit) const {
        for (std::uint8_t s : seats)
            if (s == seatBit && s != 0) return true;
        return false;
    }
    friend bool operator==(const OfferedSeats&, const OfferedSeats&) = default;
};

// Inbound 2: the pre-declaration prompt (the first prompt of a round), the open
// declaration prompt to the offered seats, or an announcement about the actor.
struct Declaration {
    static constexpr std::size_t kKindByte = 8, kStageByte = 11, kSecondsByte = 15;

    std::uint8_t actor = 0;  // byte 6 masked (announcements)
    DeclareKind kind = DeclareKind::kPreDeclare;
    DeclarationStage stage = DeclarationStage::kPrompt;
    std::uint8_t seconds = 0;  // countdown of a prompt
    OfferedSeats offered;      // open-declaration prompt

    GamePacket encode() const;
    static Declaration decode(const GamePacket& p);
    friend bool operator==(const Declaration&, const Declaration&) = default;
};

// Outbound 2: pre-declare, declare openly, or decline (button or countdown).
struct DeclarationAnswer {
    static constexpr std::size_t kKindByte = 8;

    std::uint8_t seat = 0;  // the own seat bit
    DeclareKind kind = DeclareKind::kDecline;

    GamePacket encode() const;
    static DeclarationAnswer decode(const GamePacket& p);
    friend bool operator==(const DeclarationAnswer&, const DeclarationAnswer&) = default;
};

// Inbound 3: the work prompt, or an announcement that the actor goes to work with
// `count` cards of `card`.
struct Work {
    static constexpr std::size_t kCardByte = 8;  // big-endian 8..11: byte 11 the rank
    static constexpr std::size_t kCountByte = 12, kStageByte = 15;
    // The actor's row shows at most its 56 card pictures; a larger count is read as 56.
    static constexpr std::uint8_t kMaxShown = 56;

    std::uint8_t actor = 0;  // byte 6 masked
    std::uint32_t card = 0;
    std::uint8_t count = 0;
    WorkStage stage = WorkStage::kAnnouncement;

    std::uint8_t rank() const { return static_cast<std::uint8_t>(card); }  // byte 11
    std::uint8_t suitBits() const { return static_cast<std::uint8_t>(card >> 8) & 0x0F; }  // 10
    GamePacket encode() const;
    static Work decode(const GamePacket& p);
    friend bool operator==(const Work&, const Work&) = default;
};

// Outbound 3: go to work with the CardId of a raised four and the best count of
// fours of one suit; a count of 0 declines.
struct WorkAnswer {
    static constexpr std::size_t kCardIdByte = 11, kCountByte = 12;

    std::uint8_t seat = 0;
    std::uint8_t cardId = 0;
    std::uint8_t count = 0;

    GamePacket encode() const;
    static WorkAnswer decode(const GamePacket& p);
    friend bool operator==(const WorkAnswer&, const WorkAnswer&) = default;
};

// Inbound 4: the actor buys (the new card in 20..23) or sells (16..19) a three.
// The cards are big-endian: the first byte of each is its CardId.
struct Exchange {
    static constexpr std::size_t kKindByte = 8, kSellByte = 16, kBuyByte = 20;

    std::uint8_t actor = 0;  // byte 6 masked
    ExchangeKind kind = ExchangeKind::kBuy;
    std::uint32_t sellCard = 0;
    std::uint32_t buyCard = 0;

    GamePacket encode() const;
    static Exchange decode(const GamePacket& p);
    friend bool operator==(const Exchange&, const Exchange&) = default;
};

// Inbound 5: the revolution and head prompts and announcements.
struct Revolution {
    static constexpr std::size_t kSecondsByte = 12, kStageByte = 15;

    // Byte 6 as it came: the head prompt is for the seat whose bit equals it
    // unmasked; the announcements map it to a slot like any seat byte.
    std::uint8_t actor = 0;
    std::uint8_t seconds = 0;
    RevolutionStage stage = RevolutionStage::kRevolutionPrompt;
    OfferedSeats offered;  // revolution prompt

    GamePacket encode() const;
    static Revolution decode(const GamePacket& p);
    friend bool operator==(const Revolution&, const Revolution&) = default;
};

// Outbound 5: revolt, decline, head or no head.
struct RevolutionAnswer {
    static constexpr std::size_t kChoiceByte = 8;

    std::uint8_t seat = 0;
    RevolutionChoice choice = RevolutionChoice::kDecline;

    GamePacket encode() const;
    static RevolutionAnswer decode(const GamePacket& p);
    friend bool operator==(const RevolutionAnswer&, const RevolutionAnswer&) = default;
};

}  // namespace wire
