#include "rules/work.h"

#include <algorithm>

namespace rules {

WorkEligibility CheckWorkEligibility(std::span<const CardCode> cards) {
    const auto hand = cards.first(std::min<std::size_t>(cards.size(), kHandCapacity));
    constexpr int kFour = 4;
    int diamonds = 0, clubs = 0, hearts = 0, spades = 0;
    for (CardCode c : hand) {
        if (rankOf(c) != kFour) continue;
        switch (suitBitOf(c)) {
            case kSuitDiamonds:
                ++diamonds;
                break;
            case kSuitClubs:
                ++clubs;
                break;
            case kSuitHearts:
                ++hearts;
                break;
            case kSuitSpades:
                ++spades;
                break;
            default:
                break;  // not one suit bit: belongs to no suit
        }
    }
    WorkEligibility result;
    result.bestSameSuitCount = std::max({diamonds, clubs, hearts, spades});

    int suit = kSuitDiamonds, best = diamonds;
    if (clubs > best) suit = kSuitClubs, best = clubs;
    if (hearts > best) suit = kSuitHearts, best = hearts;
    if (spades > best) suit = kSuitSpades, best = spades;
    if (best < 2) return result;

    result.eligible = true;
    result.suitBit = suit;
    for (int pos = 0; pos < int(hand.size()); ++pos)
        if (rankOf(hand[pos]) == kFour && suitBitOf(hand[pos]) == suit) result.raise.push_back(pos);
    return result;
}

}  // namespace rules
