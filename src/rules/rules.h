#pragma once

// The card rules of Dravik as pure functions over card lists: no window, packet or sound.
// The play flow applies their answers to pictures, packets and sounds; the server and its
// bots use the same functions. Nothing here allocates except the notation and notice texts.
//
//   rules/card.h       CardCode (rank byte 0, suit bit in the low nibble of byte 1, CardId
//                      byte 3): rankOf, suitBitOf, suitIndexOf, cardIdOf, PictureIndex,
//                      composeCard, tableCodeOf, rankName.
//   rules/hand.h       Hand: up to 57 entries {code, imageIndex, top}; append, removeAt
//                      (shifting), sort(first, count) — the client's exchange sort, high to
//                      low, carrying each card's Top. sortCards for plain lists, handOf.
//                      HandPositions: hand positions in the order a routine takes them.
//   rules/play.h       PlayClass {None, Dravik, Ordinary}, PlayAction, TablePlay,
//                      RankCounts / countRanks.
//   rules/validation.h ClassifyPlay(cards) -> PlayClass; BeatsTablePlay(mine, table);
//                      MatchJokers(M, T); validateSelection(...) -> PlayVerdict{play,
//                      playClass}: the refusal tests of a play selection.
//   rules/hint.h       FollowHint(hand, table) -> HintCandidates (each a list of hand
//                      positions in taking order, in offering order); LeadHint(hand,
//                      selfBurning) -> positions to raise; formatHintList (HintList text).
//   rules/work.h       CheckWorkEligibility(hand) -> {bestSameSuitCount, eligible, suitBit,
//                      raise}.
//   rules/tribute_return.h  CheckReturnSelection(hand, selected, returnCount,
//                      noReturnRanks, countdownSeconds) -> ReturnDecision{ok, notice,
//                      chosen}; checkManualReturn, chooseAutomaticReturn.
//   rules/notation.h   parseCard(s), parseRanks, formatCard(s): "7S", "10D", "SJ", "BJ".
//
// Hands passed as card lists are read in the order the client holds them (sorted by
// Hand::sort / sortCards); positions in results index that list. Lists longer than 57
// cards are read only up to 57.

#include "rules/card.h"
#include "rules/hand.h"
#include "rules/hint.h"
#include "rules/notation.h"
#include "rules/play.h"
#include "rules/tribute_return.h"
#include "rules/validation.h"
#include "rules/work.h"
