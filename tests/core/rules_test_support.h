#pragma once

// Small helpers for the rules tests: cards written in the tool's notation.
#include <gtest/gtest.h>

#include <span>
#include <string>
#include <vector>

#include "rules/rules.h"

namespace rules_test {

inline std::vector<rules::CardCode> cards(const std::string& text) {
    rules::ParsedCards parsed = rules::parseCards(text);
    EXPECT_TRUE(parsed.ok()) << parsed.error;
    return parsed.cards;
}

// A hand as the client holds it: sorted high to low.
inline std::vector<rules::CardCode> sortedHand(const std::string& text) {
    std::vector<rules::CardCode> hand = cards(text);
    rules::sortCards(hand);
    return hand;
}

inline std::vector<int> positions(std::span<const int> list) { return {list.begin(), list.end()}; }

inline std::string cardsAt(std::span<const rules::CardCode> hand, std::span<const int> list) {
    std::vector<rules::CardCode> picked;
    for (int pos : list) picked.push_back(hand[pos]);
    return rules::formatCards(picked);
}

}  // namespace rules_test
