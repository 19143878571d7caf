#include <gtest/gtest.h>

#include "rules/card.h"
#include "rules/hand.h"
#include "rules_test_support.h"

namespace {

using namespace rules;
using rules_test::cards;

TEST(RulesCardCode, ReadsTheFourBytes) {
    const CardCode code = composeCard(13, 0x04, 0x5A, 77);
    EXPECT_EQ(code, 13 + 4 * 256 + 0x5A * 65536 + 77 * 16777216);
    EXPECT_EQ(rankOf(code), 13);
    EXPECT_EQ(suitBitOf(code), 4);
    EXPECT_EQ(suitIndexOf(code), 2);
    EXPECT_EQ(cardIdOf(code), 77);
    EXPECT_EQ(tableCodeOf(code), 13 + 4 * 256);
}

TEST(RulesCardCode, MasksTheHighNibbleOfTheSuitByte) {
    const CardCode code = composeCard(7, 0x14, 0, 3);
    EXPECT_EQ(suitBitOf(code), 4);
    EXPECT_EQ(suitIndexOf(code), 2);
    EXPECT_EQ(PictureIndex(code), 7 + 32);
    EXPECT_EQ(tableCodeOf(code), 7 + 4 * 256);
}

TEST(RulesCardCode, PictureIndexBySuit) {
    struct Case {
        int rank, suitBit, picture;
    } cases[] = {
        {3, 1, 3}, {3, 2, 19}, {3, 4, 35}, {3, 8, 51}, {15, 8, 63}, {16, 1, 16}, {17, 1, 17},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PictureIndex(composeCard(c.rank, c.suitBit, 0, 0)), c.picture)
            << "rank " << c.rank << " suit " << c.suitBit;
}

TEST(RulesCardCode, RankNames) {
    EXPECT_EQ(rankName(3), "3");
    EXPECT_EQ(rankName(10), "10");
    EXPECT_EQ(rankName(11), "J");
    EXPECT_EQ(rankName(14), "A");
    EXPECT_EQ(rankName(15), "2");
    EXPECT_EQ(rankName(16), "小王");
    EXPECT_EQ(rankName(17), "大王");
    EXPECT_EQ(rankName(2), "");
    EXPECT_EQ(rankName(18), "");
}

std::string sorted(const std::string& text) {
    std::vector<CardCode> list = cards(text);
    sortCards(list);
    return formatCards(list);
}

TEST(RulesHandSort, HighestRankFirstThenSuitBit) {
    EXPECT_EQ(sorted("3 2 SJ 3S K BJ 2H"), "BJ SJ 2H 2D KD 3S 3D");
    EXPECT_EQ(sorted("4D 4S 4C 4H"), "4S 4H 4C 4D");
    EXPECT_EQ(sorted("10C J 10S 9H A"), "AD JD 10S 10C 9H");
}

TEST(RulesHandSort, SortsByTheMaskedSuitBit) {
    Hand hand;
    hand.append(composeCard(7, 0x12, 0, 1));  // clubs with noise in the high nibble
    hand.append(composeCard(7, 0x04, 0, 2));  // hearts
    hand.sort();
    EXPECT_EQ(cardIdOf(hand.code(0)), 2);
    EXPECT_EQ(cardIdOf(hand.code(1)), 1);
}

// Equal cards never change places with each other directly; only exchanges with other
// cards move them, so their final order is the exchange sort's own (CardIds dealt 0, 1, ...),
// not the order a stable sort would give.
TEST(RulesHandSort, EqualCardsAreNeverExchangedWithEachOther) {
    struct Case {
        const char* dealt;
        std::vector<int> idsAfter;
    } cases[] = {
        {"4 4 5", {2, 1, 0}},       // 5 swaps with the first 4, then with nothing equal
        {"4 4 4", {0, 1, 2}},       // nothing to do at all
        {"4 5 4 6", {3, 1, 2, 0}},  // a stable sort would give 3 1 0 2
        {"7S 7S 7S 8", {3, 1, 2, 0}},
    };
    for (const Case& c : cases) {
        Hand hand = handOf(cards(c.dealt));
        hand.sort();
        std::vector<int> ids;
        for (int i = 0; i < hand.count(); ++i) ids.push_back(cardIdOf(hand.code(i)));
        EXPECT_EQ(ids, c.idsAfter) << c.dealt;
    }
}

TEST(RulesHandSort, RaisedCardStaysRaisedAndPicturesStay) {
    constexpr int kRest = 420, kRaised = 400;
    Hand hand;
    const auto list = cards("3 9 K 5");
    for (int i = 0; i < 4; ++i)
        hand.append(list[i], std::int16_t(10 + i), i == 1 ? kRaised : kRest);
    hand.sort();
    EXPECT_EQ(formatCards(hand.codes()), "KD 9D 5D 3D");
    EXPECT_EQ(hand.top(1), kRaised);  // the nine moved to position 1 and is still raised
    for (int i : {0, 2, 3}) EXPECT_EQ(hand.top(i), kRest) << i;
    for (int i = 0; i < 4; ++i) EXPECT_EQ(hand.imageIndex(i), 10 + i);
}

TEST(RulesHandSort, SortsOnlyTheGivenRange) {
    Hand hand = handOf(cards("9 K 3 A 5"));
    hand.sort(1, 3);
    EXPECT_EQ(formatCards(hand.codes()), "9D AD KD 3D 5D");
    hand.sort(3, 10);  // a range past the end is cut at the last card
    EXPECT_EQ(formatCards(hand.codes()), "9D AD KD 5D 3D");
}

TEST(RulesHand, RemovalShiftsLaterEntriesDown) {
    Hand hand;
    const auto list = cards("A K Q J");
    for (int i = 0; i < 4; ++i) hand.append(list[i], std::int16_t(i), 100 + i);
    hand.removeAt(1);
    ASSERT_EQ(hand.count(), 3);
    EXPECT_EQ(formatCards(hand.codes()), "AD QD JD");
    EXPECT_EQ(hand.entry(1), (HandEntry{list[2], 2, 102}));
    hand.removeAt(7);  // not an entry: nothing happens
    hand.removeAt(-1);
    EXPECT_EQ(hand.count(), 3);
}

TEST(RulesHand, HoldsAtMost57Cards) {
    Hand hand;
    for (int i = 0; i < kHandCapacity; ++i) ASSERT_TRUE(hand.append(composeCard(5, 1, 0, i)));
    EXPECT_TRUE(hand.full());
    EXPECT_FALSE(hand.append(composeCard(6, 1, 0, 99)));
    EXPECT_EQ(hand.count(), kHandCapacity);
}

}  // namespace
