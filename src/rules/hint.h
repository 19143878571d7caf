#pragma once

#include <span>
#include <string>

#include "rules/card.h"
#include "rules/fixed_list.h"
#include "rules/hand.h"

namespace rules {

// Against a table play without jokers each natural rank above the table's gives at most
// one candidate (exact count, more cards, or topped up with twos and jokers), plus one of
// twos and jokers alone: at most 11 + 1. Against twos or jokers there is at most one.
inline constexpr int kMaxHintCandidates = 12;

// One candidate: hand positions in the order the cards were taken.
using HintCandidate = HandPositions;
using HintCandidates = FixedList<HintCandidate, kMaxHintCandidates>;

// The plays of `hand` (sorted high to low, as the client holds it) that beat the table
// play `table`, in the order the hint button offers them. Only the ranks of the table
// cards are read. Raises nothing: the caller lowers the hand and raises one candidate
// per hint press.
HintCandidates FollowHint(std::span<const CardCode> hand, std::span<const CardCode> table);

// The free-lead proposal: the positions to raise (ascending), after lowering the hand.
// The lowest rank other than three; all threes when only threes are left; while the own
// team is burning (SelfBurning), with it the whole rest of the hand but the threes if it
// is only twos and jokers besides, else the joker nearest the end.
HandPositions LeadHint(std::span<const CardCode> hand, bool selfBurning);

// The HintList text: each candidate as the imageIndex of its cards, each followed by
// one space, candidates joined by "$".
std::string formatHintList(const HintCandidates& candidates, const Hand& hand);

}  // namespace rules
