#pragma once
// The tribute command (8): the offer, the tribute made and the return made that the
// server sends, and the client's three answers (accept, decline, return).
#include <array>
#include <cstdint>

#include "wire/commands.h"

namespace wire {

// The packet's card table holds twelve cards (codes at 17..64, the giver's ids at
// 96..107); a larger count is read as twelve, so no card is read from the fields
// behind the table.
constexpr std::uint8_t kMaxTributeCards = 12;
// The return names at most two cards.
constexpr std::uint8_t kMaxReturnCards = 2;

struct Tribute {
    static constexpr std::size_t kKindByte = 8, kSecondsByte = 9, kStageByte = 11;
    static constexpr std::size_t kGiverByte = 12, kCountByte = 16;
    static constexpr std::size_t kCardsByte = 17;  // card k little-endian at 17 + 4k
    static constexpr std::size_t kNoReturnByte = 76, kGiverIdsByte = 96;

    std::uint8_t receiver = 0;  // byte 6 masked (a return made: who gets the cards)
    std::uint8_t kind = 0;      // tribute made: kTributeKindWithReturn asks for a return
    std::uint8_t seconds = 0;   // offer: the answer's countdown; made: the return's
    TributeStage stage = TributeStage::kOffer;
    std::uint8_t giver = 0;                                 // byte 12 masked
    std::uint8_t count = 0;                                 // at most kMaxTributeCards
    std::array<std::uint32_t, kMaxTributeCards> cards{};    // with the receiver's new CardIds
    std::array<std::uint8_t, 12> noReturnRanks{};           // kind 4: ranks not to return
    std::array<std::uint8_t, kMaxTributeCards> giverIds{};  // the cards' ids in the giver's hand

    GamePacket encode() const;
    static Tribute decode(const GamePacket& p);
    friend bool operator==(const Tribute&, const Tribute&) = default;
};

struct TributeAnswer {
    static constexpr std::size_t kChoiceByte = 8, kCountByte = 16, kIdsByte = 17;

    std::uint8_t seat = 0;
    TributeChoice choice = TributeChoice::kDecline;
    std::uint8_t count = 0;                           // return: at most kMaxReturnCards
    std::array<std::uint8_t, kMaxReturnCards> ids{};  // return: the CardIds given back

    GamePacket encode() const;
    static TributeAnswer decode(const GamePacket& p);
    friend bool operator==(const TributeAnswer&, const TributeAnswer&) = default;
};

}  // namespace wire
