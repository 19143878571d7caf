#pragma once

#include <span>

#include "rules/card.h"
#include "rules/hand.h"
#include "rules/play.h"

namespace rules {

// The class of a set of cards: None unless they hold at most one natural rank (3..A);
// Dravik with any joker, with only twos, or with 10/J/Q/K/A from 5/4/3/2/2 cards
// (twos counted); Ordinary otherwise. A card of unknown rank makes it None.
PlayClass ClassifyPlay(std::span<const CardCode> codes);

// True when `mine` beats the table play `table`. Without table jokers the numbers of
// cards must be equal; table jokers must be matched by jokers of mine (MatchJokers).
bool BeatsTablePlay(std::span<const CardCode> mine, std::span<const CardCode> table);

// Pairs each table joker with jokers of mine (2 big or 3 small for a big joker, 1 big or
// 2 small for a small one), then requires equal numbers of the remaining cards. Changes
// the arrays only while it runs.
bool MatchJokers(RankCounts& mine, RankCounts& table);

// The verdict on a selection, the rule part of ValidateAndPlay: either play it with the
// class `playClass`, or refuse it.
struct PlayVerdict {
    bool play = false;
    PlayClass playClass = PlayClass::kNone;

    friend bool operator==(const PlayVerdict&, const PlayVerdict&) = default;
};

// Checks the selected cards (in hand order) of a hand of `handCount` cards against the
// table: refused when empty or more than 40 cards, when a non-Dravik play follows a Dravik
// play, when threes go with twos or jokers or are not the last cards of the hand, when
// the cards are not a play, or when they do not beat the table (unless the table is free).
PlayVerdict validateSelection(std::span<const CardCode> selected, int handCount,
                              PlayClass tableClass, std::span<const CardCode> tableCards);
PlayVerdict validateSelection(std::span<const CardCode> selected, int handCount,
                              const TablePlay& table);
// The same for hand positions (ascending; out-of-range positions make it a refusal).
PlayVerdict validateSelection(const Hand& hand, std::span<const int> positions,
                              const TablePlay& table);

}  // namespace rules
