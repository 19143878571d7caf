#pragma once
// The server's use of the card rules: every play a seat makes is checked exactly as the
// client checks it before sending (rules::validateSelection), and the bots draw their
// proposals from the same hint routines the client's hint button uses.
#include <span>
#include <vector>

#include "rules/card.h"
#include "rules/play.h"

namespace server {

using rules::CardCode;
using Cards = std::vector<CardCode>;

// The class the play gets, or None when the client would refuse it.
rules::PlayClass checkPlay(std::span<const CardCode> selected, int handCount,
                           rules::PlayClass tableClass, std::span<const CardCode> tableCards);

// Candidates that beat the table, as cards of `hand` (which must be sorted high to low),
// each one already accepted by checkPlay.
std::vector<Cards> followCandidates(std::span<const CardCode> hand, rules::PlayClass tableClass,
                                    std::span<const CardCode> tableCards);

// The free-lead proposal for `hand` (sorted high to low); never empty for a non-empty hand.
Cards leadProposal(std::span<const CardCode> hand);

// Sorts a card list high to low, the order the client keeps.
void sortHand(Cards& hand);

}  // namespace server
