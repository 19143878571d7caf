#include <gtest/gtest.h>

#include "rules/tribute_return.h"
#include "rules_test_support.h"

namespace {

using namespace rules;
using rules_test::sortedHand;

struct ManualCase {
    const char* hand;
    std::vector<int> selected;  // positions in the sorted hand
    int count;
    std::vector<std::uint8_t> noReturn;
    bool ok;
    const char* notice;
};

TEST(RulesReturnManual, Cases) {
    // Sorted hands: "A K 7 3" -> A0 K1 7(2) 3(3).
    const ManualCase cases[] = {
        {"A K 7 3", {3}, 1, {}, false, "3 不能还"},  // a three even when not listed
        {"A K 7 3", {1}, 1, {13, 14}, false, "K 不能还"},
        {"A K 7 3", {0, 1}, 2, {13, 14}, false, "A 不能还"},  // the first in hand order
        {"A K 7 3", {2}, 1, {7}, false, "7 不能还"},
        {"A K 7 3", {1, 3}, 2, {}, false, "3 不能还"},  // refused before the count
        {"BJ SJ 2", {0}, 1, {17}, false, "大王 不能还"},
        {"BJ SJ 2", {1}, 1, {16}, false, "小王 不能还"},
        {"BJ SJ 2", {2}, 1, {15}, false, "2 不能还"},
        {"A K 7 3", {2}, 2, {}, false, "还贡的张数不够"},
        {"A K 7 3", {0, 1, 2}, 2, {}, false, "还贡的张数多了"},
        {"A K 7 3", {}, 1, {}, false, "还贡的张数不够"},
        {"A K 7 3", {0, 2}, 2, {13}, true, ""},
    };
    for (const ManualCase& c : cases) {
        const auto hand = sortedHand(c.hand);
        const ReturnDecision d = CheckReturnSelection(hand, c.selected, c.count, c.noReturn, 5);
        EXPECT_EQ(d.ok, c.ok) << c.hand;
        EXPECT_EQ(d.notice, c.notice) << c.hand;
        if (c.ok) {
            EXPECT_EQ(rules_test::positions(d.chosen), c.selected) << c.hand;
        }
    }
}

struct AutoCase {
    const char* hand;
    int count;
    std::vector<std::uint8_t> noReturn;
    bool ok;
    const char* chosen;  // in choice order
};

TEST(RulesReturnAutomatic, Cases) {
    const AutoCase cases[] = {
        {"A K 7 5 3 3", 1, {}, true, "5D"},            // the lowest card that is not a three
        {"A K 7 5 3 3", 2, {5}, true, "7D KD"},        // listed ranks are passed over
        {"A K 7 5 3", 1, {14, 13, 7, 5}, true, "5D"},  // all listed: lowest non-three
        {"A K 7 5 3", 3, {7}, true, "5D KD AD"},
        {"A K 7 5 3", 4, {7, 5}, true, "KD AD 5D 7D"},  // second pass takes no card twice
        {"2 3 3", 2, {}, false, ""},                    // too few cards that are not threes
        {"3", 1, {}, false, ""},
        {"9 9 9", 0, {}, true, ""},
    };
    for (const AutoCase& c : cases) {
        const auto hand = sortedHand(c.hand);
        const std::vector<int> selected{0};  // a selection is ignored when choosing
        const ReturnDecision d = CheckReturnSelection(hand, selected, c.count, c.noReturn, 0);
        EXPECT_EQ(d.ok, c.ok) << c.hand;
        EXPECT_EQ(rules_test::cardsAt(hand, d.chosen), c.chosen) << c.hand;
        EXPECT_TRUE(d.notice.empty());
    }
}

}  // namespace
