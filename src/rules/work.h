#pragma once

#include <span>

#include "rules/card.h"
#include "rules/hand.h"

namespace rules {

// The check behind the 上班 (work) offer at round start: fours of one suit.
struct WorkEligibility {
    int bestSameSuitCount = 0;  // most fours of one suit (BestSameSuitCount)
    bool eligible = false;      // the chosen suit holds two fours or more
    int suitBit = 0;            // the chosen suit
    HandPositions raise;        // its fours, in hand order (empty when not eligible)
};

// Counts the fours by suit; chooses the fullest of diamonds, clubs, hearts (in that
// order of preference on a tie), replaced by spades only when spades hold strictly more.
WorkEligibility CheckWorkEligibility(std::span<const CardCode> hand);

}  // namespace rules
