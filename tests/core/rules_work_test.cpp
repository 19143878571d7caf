#include <gtest/gtest.h>

#include "rules/work.h"
#include "rules_test_support.h"

namespace {

using namespace rules;
using rules_test::sortedHand;

struct WorkCase {
    const char* hand;
    int best;
    bool eligible;
    const char* raised;
};

TEST(RulesWorkEligibility, ChoosesTheSuit) {
    const WorkCase cases[] = {
        {"4 4C 4H 4S 9", 1, false, ""},     // no suit holds two fours
        {"4 4 4C 4C", 2, true, "4D 4D"},    // diamonds before clubs on a tie
        {"4C 4C 4H 4H", 2, true, "4C 4C"},  // clubs before hearts
        {"4 4 4S 4S", 2, true, "4D 4D"},    // spades only when strictly more
        {"4 4 4S 4S 4S", 3, true, "4S 4S 4S"},
        {"4H 4H 4H 4 4 K", 3, true, "4H 4H 4H"},
        {"5 5 5 5", 0, false, ""},
    };
    for (const WorkCase& c : cases) {
        const auto hand = sortedHand(c.hand);
        const WorkEligibility w = CheckWorkEligibility(hand);
        EXPECT_EQ(w.bestSameSuitCount, c.best) << c.hand;
        EXPECT_EQ(w.eligible, c.eligible) << c.hand;
        EXPECT_EQ(rules_test::cardsAt(hand, w.raise), c.raised) << c.hand;
    }
}

TEST(RulesWorkEligibility, ReadsTheMaskedSuitBit) {
    const CardCode hand[] = {composeCard(4, 0x28, 0, 0), composeCard(4, 0x08, 0, 1)};
    const WorkEligibility w = CheckWorkEligibility(hand);
    EXPECT_TRUE(w.eligible);
    EXPECT_EQ(w.suitBit, kSuitSpades);
    EXPECT_EQ(w.bestSameSuitCount, 2);
}

}  // namespace
