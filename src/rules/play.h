#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <span>

#include "rules/card.h"
#include "rules/hand.h"

namespace rules {

// The class of a set of cards as a play; travels in byte 18 of the play packets.
enum class PlayClass : std::uint8_t {
    kNone = 0,    // not a play (or, for the table, the table is free)
    kDravik = 1,  // threshold play: high ranks in numbers, twos, any joker
    kOrdinary = 2,
};

// At most 40 cards take part in one play: one natural rank (16 cards in four packs) with
// every two (16) and joker (8).
inline constexpr int kMaxPlayCards = 40;

// The play to beat.
struct TablePlay {
    PlayClass playClass = PlayClass::kNone;  // None: the next player leads freely
    std::int16_t count = 0;
    std::array<CardCode, kHandCapacity> cards{};  // tableCodeOf() of each card
    std::int16_t seatSlot = 0;

    // The cards of the play; a count outside 0..57 (from a packet) is clamped.
    std::span<const CardCode> cardList() const {
        return {cards.data(), std::size_t(std::clamp<int>(count, 0, kHandCapacity))};
    }

    friend bool operator==(const TablePlay&, const TablePlay&) = default;
};

// Counters by rank, indexed by the rank itself (3..17; entries 0..2 stay 0). Cards of a
// rank outside 3..17 are left out, so no card can index outside the array.
using RankCounts = std::array<int, kHighestRank + 1>;

inline RankCounts countRanks(std::span<const CardCode> cards) {
    RankCounts counts{};
    for (CardCode c : cards)
        if (isKnownRank(rankOf(c))) ++counts[rankOf(c)];
    return counts;
}

}  // namespace rules
