#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "rules/card.h"

// Text notation of cards for operators, bots and tests: a rank token 3..10, J, Q, K, A, 2,
// SJ (small joker) or BJ (big joker), optionally followed by a suit letter D, C, H or S
// (diamonds when omitted; jokers take none). Letters may be lower case. Cards are
// separated by spaces or commas. Written cards always carry their suit letter: 7S, 10D, SJ.
namespace rules {

// One card; the code gets the given CardId. Nothing for an unknown token.
std::optional<CardCode> parseCard(std::string_view token, int cardId = 0);

struct ParsedCards {
    std::vector<CardCode> cards;
    std::string error;  // empty when every token was understood
    bool ok() const { return error.empty(); }
};

// A card list; the cards get the CardIds firstCardId, firstCardId + 1, ... in order,
// so that equal cards stay distinguishable.
ParsedCards parseCards(std::string_view text, int firstCardId = 0);

// Rank numbers 3..17 separated by spaces or commas (the no-return ranks).
struct ParsedRanks {
    std::vector<int> ranks;
    std::string error;
    bool ok() const { return error.empty(); }
};
ParsedRanks parseRanks(std::string_view text);

std::string formatCard(CardCode code);
std::string formatCards(std::span<const CardCode> codes);  // joined by single spaces

}  // namespace rules
