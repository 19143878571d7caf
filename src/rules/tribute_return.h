#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "rules/card.h"
#include "rules/hand.h"

namespace rules {

// The choice of the cards returned after a tribute (还贡).
struct ReturnDecision {
    bool ok = false;
    std::string notice;    // why a manual choice is refused (UTF-8); empty otherwise
    HandPositions chosen;  // the returned cards, in choice order (ReturnChoice)
};

// Manual mode: the selected cards (hand positions, in hand order) are checked. The first
// three or card of a rank in `noReturnRanks` refuses with "<rank> 不能还"; then the number
// must be `returnCount` ("还贡的张数不够" / "还贡的张数多了").
ReturnDecision checkManualReturn(std::span<const CardCode> hand, std::span<const int> selected,
                                 int returnCount, std::span<const std::uint8_t> noReturnRanks);

// Automatic mode (the countdown ran out; the caller lowers the selection first): the lowest cards
// that are neither threes nor of a rank in `noReturnRanks`, then, if too few, the lowest other
// cards that are not threes. Not ok when the hand cannot give `returnCount` cards that are not
// threes.
ReturnDecision chooseAutomaticReturn(std::span<const CardCode> hand, int returnCount,
                                     std::span<const std::uint8_t> noReturnRanks);

// Manual while the countdown shows 1 or more seconds, automatic below 1.
ReturnDecision CheckReturnSelection(std::span<const CardCode> hand, std::span<const int> selected,
                                    int returnCount, std::span<const std::uint8_t> noReturnRanks,
                                    int countdownSeconds);

}  // namespace rules
