#include <gtest/gtest.h>

#include "rules/hint.h"
#include "rules_test_support.h"

namespace {

using namespace rules;
using rules_test::cards;
using rules_test::sortedHand;

struct FollowCase {
    const char* table;
    const char* hand;  // sorted before use; positions below index the sorted hand
    std::vector<std::vector<int>> candidates;
};

std::vector<std::vector<int>> follow(const std::string& hand, const std::string& table) {
    std::vector<std::vector<int>> out;
    for (const HintCandidate& c : FollowHint(sortedHand(hand), cards(table)))
        out.push_back(rules_test::positions(c));
    return out;
}

TEST(RulesFollowHint, TableWithoutJokers) {
    const FollowCase cases[] = {
        // Sorted: SJ 2 8 7 7 7 6 6. Exact count, then more cards (the two 7s nearest the end),
        // then 8 topped up with the two, then twos and jokers alone.
        {"5 5", "7 7 7 6 6 8 2 SJ", {{7, 6}, {5, 4}, {2, 1}, {1, 0}}},
        // Sorted: BJ 2 A A. One A (more cards than needed), then the two.
        {"K", "A A 2 BJ", {{3}, {1}}},
        // Sorted: BJ 2 K K K Q 10 10. Kinds in order (exact before topped up), ranks
        // ascending within a kind; topping up takes twos before jokers.
        {"9 9 9", "BJ 2 K K K Q 10 10", {{4, 3, 2}, {7, 6, 1}, {5, 1, 0}}},
        // Twos on the table count towards the number to replace.
        {"9 2", "J J 10 4", {{1, 0}}},
        {"A", "K Q 3", {}},
        // Twos only: jokers alone, small first.
        {"2 2", "SJ BJ 9", {{1, 0}}},
        {"2 2", "SJ 9 9", {}},
    };
    for (const FollowCase& c : cases)
        EXPECT_EQ(follow(c.hand, c.table), c.candidates) << c.hand << " on " << c.table;
}

TEST(RulesFollowHint, TableWithJokers) {
    const FollowCase cases[] = {
        // Sorted: BJ 2 9. The big joker alone beats the small joker.
        {"SJ", "BJ 2 9", {{0}}},
        // A big joker for the small one before two small jokers are tried.
        {"SJ", "BJ SJ", {{0}}},
        // Sorted: BJ 9 9 9 7. The joker first, then the rank with the most cards.
        {"5 5 SJ", "9 9 9 7 BJ", {{0, 3, 2}}},
        // The second big joker on the table cannot be matched.
        {"BJ BJ", "BJ BJ BJ", {}},
        // Sorted: SJ SJ SJ 6. Two small jokers for the table's, then the 6 and the third
        // small joker: the entries 216 and 116 merge into three small jokers taken first.
        {"5 5 SJ", "SJ SJ SJ 6", {{2, 1, 0, 3}}},
        // Sorted: BJ SJ SJ 9. Twos with a joker: BJ for the SJ, two SJs for the twos.
        {"2 2 SJ", "BJ SJ SJ 9", {{0, 2, 1}}},
        // Sorted: BJ BJ SJ. Too few small jokers for the twos: the rest are big ones, merged
        // with the exchanged big joker.
        {"2 2 SJ", "BJ BJ SJ", {{1, 0, 2}}},
        // Sorted: BJ BJ K. Two big jokers for the big joker; nothing above the 9s but
        // no twos or jokers left to replace them either.
        {"9 9 BJ", "BJ BJ K", {}},
        {"9 BJ", "BJ BJ K", {{1, 0, 2}}},
    };
    for (const FollowCase& c : cases)
        EXPECT_EQ(follow(c.hand, c.table), c.candidates) << c.hand << " on " << c.table;
}

TEST(RulesFollowHint, NoTableCardsOffersNothing) {
    EXPECT_TRUE(FollowHint(sortedHand("BJ SJ 2"), {}).empty());
}

struct LeadCase {
    const char* hand;
    bool burning;
    std::vector<int> raised;
};

TEST(RulesLeadHint, Cases) {
    const LeadCase cases[] = {
        {"K 9 9 4 3 3", false, {3}},  // the lowest rank that is not a three
        {"3 3", false, {0, 1}},       // only threes: all of them
        {"", false, {}},
        {"2 2 3", false, {0, 1}},  // no natural card but threes: the twos
        {"SJ K 9 9", false, {2, 3}},
        {"2 9 9 3", true, {0, 1, 2}},   // burning: the rest but the three goes out
        {"SJ K 9 9", true, {0, 2, 3}},  // burning: with the joker nearest the end
        {"BJ SJ K 9", true, {1, 3}},    // ... which is the small joker
        {"BJ K 9 3", true, {0, 2}},
        {"K 9 9", true, {1, 2}},  // burning without a joker: nothing more
        {"BJ 2 3 3", true, {0, 1}},
    };
    for (const LeadCase& c : cases)
        EXPECT_EQ(rules_test::positions(LeadHint(sortedHand(c.hand), c.burning)), c.raised)
            << c.hand << (c.burning ? " burning" : "");
}

TEST(RulesHintList, WritesPictureItemsJoinedByDollar) {
    Hand hand;
    const auto list = sortedHand("9 9 8 8");
    const std::int16_t items[] = {31, 30, 27, 26};
    for (int i = 0; i < 4; ++i) hand.append(list[i], items[i]);
    HintCandidates candidates;
    HintCandidate first, second;
    first.push_back(0);
    first.push_back(1);
    second.push_back(2);
    second.push_back(3);
    candidates.push_back(first);
    candidates.push_back(second);
    EXPECT_EQ(formatHintList(candidates, hand), "31 30 $27 26 ");
    EXPECT_EQ(formatHintList({}, hand), "");
}

}  // namespace
