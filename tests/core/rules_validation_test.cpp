#include <gtest/gtest.h>

#include "rules/validation.h"
#include "rules_test_support.h"

namespace {

using namespace rules;
using rules_test::cards;

TEST(RulesClassifyPlay, ClassesByRankAndNumber) {
    struct Case {
        const char* cards;
        PlayClass expected;
    } cases[] = {
        {"", PlayClass::kNone},
        {"5 6", PlayClass::kNone},  // two natural ranks
        {"5 6 SJ", PlayClass::kNone},
        {"3", PlayClass::kOrdinary},
        {"9 9 9 9 9 9 2 2", PlayClass::kOrdinary},  // 3..9 are never Dravik plays alone
        {"9 SJ", PlayClass::kDravik},               // any joker
        {"BJ", PlayClass::kDravik},
        {"2", PlayClass::kDravik},  // only twos
        {"2 2 2", PlayClass::kDravik},
        {"10 10 10 10", PlayClass::kOrdinary},  // 10 from five cards
        {"10 10 10 10 2", PlayClass::kDravik},  // twos count towards the number
        {"J J J", PlayClass::kOrdinary},
        {"J J J J", PlayClass::kDravik},
        {"Q Q", PlayClass::kOrdinary},
        {"Q Q 2", PlayClass::kDravik},
        {"K", PlayClass::kOrdinary},
        {"K K", PlayClass::kDravik},
        {"K 2", PlayClass::kDravik},
        {"A", PlayClass::kOrdinary},
        {"A A", PlayClass::kDravik},
    };
    for (const Case& c : cases) EXPECT_EQ(ClassifyPlay(cards(c.cards)), c.expected) << c.cards;
}

TEST(RulesClassifyPlay, CardOfUnknownRankIsNoPlay) {
    const CardCode bogus[] = {composeCard(7, 1, 0, 0), composeCard(200, 1, 0, 1)};
    EXPECT_EQ(ClassifyPlay(bogus), PlayClass::kNone);
    const CardCode zero[] = {0};
    EXPECT_EQ(ClassifyPlay(zero), PlayClass::kNone);
}

TEST(RulesBeatsTablePlay, Cases) {
    struct Case {
        const char *mine, *table;
        bool beats;
    } cases[] = {
        {"7 2", "6 2", true},  // same count, higher rank
        {"7 2", "6", false},   // count differs
        {"A", "K", true},
        {"K K", "K", false},
        {"K", "K", false},     // equal rank does not beat
        {"2 2", "A A", true},  // only twos against naturals
        {"A A", "2 2", false},
        {"SJ SJ", "2 2", true},  // only jokers against twos
        {"SJ 2", "2 2", false},
        {"2 2", "2 2", false},
        {"BJ BJ", "BJ", true},
        {"SJ SJ SJ", "BJ", true},
        {"BJ", "BJ", false},
        {"SJ SJ", "BJ", false},
        {"BJ", "SJ", true},
        {"SJ SJ", "SJ", true},
        {"SJ", "SJ", false},
        {"6 6 BJ", "5 5 SJ", true},      // try 3 leaves 6-6 against 5-5
        {"6 6 SJ SJ", "5 5 SJ", true},   // try 4
        {"6 6 SJ", "5 5 SJ", false},     // no exchange applies
        {"5 5 BJ", "5 5 SJ", false},     // a = b
        {"2 2 BJ", "5 5 SJ", true},      // a = 0 may replace the naturals
        {"6 6 BJ BJ", "5 5 SJ", false},  // a leftover joker counts as a card: 3 against 2
        {"6 BJ BJ", "5 5 SJ", true},     // ... and then makes up the number
        {"BJ BJ SJ", "2 SJ", false},     // BJ for the SJ leaves two cards against one two
        {"BJ SJ SJ", "2 SJ", true},      // SJ SJ for the SJ (try 4), BJ against the two
        {"BJ 2", "2 SJ", false},         // a two in mine against twos with jokers
        {"BJ BJ BJ", "BJ BJ", false},    // the second table big joker cannot be matched
        {"BJ BJ BJ BJ", "BJ BJ", true},
        {"SJ SJ SJ BJ", "BJ SJ", true},  // 3 SJ for the BJ, BJ for the SJ
    };
    for (const Case& c : cases) {
        std::vector<CardCode> table = cards(c.table);
        for (CardCode& t : table) t = tableCodeOf(t);
        EXPECT_EQ(BeatsTablePlay(cards(c.mine), table), c.beats) << c.mine << " vs " << c.table;
    }
}

// The exchanges can be made in any order, so a search that tried every order would take
// exponential time against a packet full of jokers; the answer must come at once and
// agree with counting: with b big and s small table jokers matched one for one by big
// jokers, the rest of mine must equal the rest of the table.
TEST(RulesMatchJokers, ManyJokersAnswerQuicklyAndCorrectly) {
    RankCounts mine{}, table{};
    mine[kRankBigJoker] = 40;
    table[kRankBigJoker] = 10;
    table[kRankSmallJoker] = 20;
    table[kRankTwo] = 1;
    // 10 BJ need 20 BJ; 20 SJ need 20 BJ: all 40 used, 0 left against 1 two.
    EXPECT_FALSE(MatchJokers(mine, table));
    mine[kRankSmallJoker] = 1;
    EXPECT_TRUE(MatchJokers(mine, table));  // the spare small joker makes up the number
    EXPECT_EQ(mine[kRankBigJoker], 40);     // the counts are given back
    EXPECT_EQ(table[kRankSmallJoker], 20);
}

TEST(RulesMatchJokers, NoTableJokersComparesTotals) {
    RankCounts mine{}, table{};
    mine[9] = 2;
    table[5] = 2;
    EXPECT_TRUE(MatchJokers(mine, table));
    mine[kRankSmallJoker] = 1;
    EXPECT_FALSE(MatchJokers(mine, table));
}

struct SelectionCase {
    const char* label;
    const char* hand;
    std::vector<int> selected;
    PlayClass tableClass;
    const char* table;
    PlayVerdict verdict;
};

TEST(RulesValidateSelection, Cases) {
    const PlayVerdict refuse{};
    const PlayVerdict ordinary{true, PlayClass::kOrdinary};
    const PlayVerdict dravik{true, PlayClass::kDravik};
    const SelectionCase cases[] = {
        {"nothing selected", "9 8", {}, PlayClass::kNone, "", refuse},
        {"a three is not a lead while other cards remain",
         "9 3",
         {1},
         PlayClass::kNone,
         "",
         refuse},
        {"the last threes lead as an ordinary play",
         "3 3 3",
         {0, 1, 2},
         PlayClass::kNone,
         "",
         ordinary},
        {"threes never go with a two", "2 3 3", {0, 1, 2}, PlayClass::kNone, "", refuse},
        {"threes never go with a joker", "SJ 3", {0, 1}, PlayClass::kNone, "", refuse},
        {"two ranks are no play", "9 8", {0, 1}, PlayClass::kNone, "", refuse},
        {"free lead of a Dravik play", "K K 5", {0, 1}, PlayClass::kNone, "", dravik},
        {"single A on single K", "A K K", {0}, PlayClass::kOrdinary, "K", ordinary},
        {"K-K on single K: count differs", "A K K", {1, 2}, PlayClass::kOrdinary, "K", refuse},
        {"an ordinary play never follows a Dravik play",
         "9 9 9",
         {0, 1},
         PlayClass::kDravik,
         "2 2",
         refuse},
        {"ordinary 9s on Dravik K-K", "9 9", {0, 1}, PlayClass::kDravik, "K K", refuse},
        {"A-A on K-K", "A A 4", {0, 1}, PlayClass::kDravik, "K K", dravik},
        {"one 7 with a two on one 6 with a two",
         "2 7",
         {0, 1},
         PlayClass::kOrdinary,
         "6 2",
         ordinary},
        {"does not beat", "8 8", {0, 1}, PlayClass::kOrdinary, "9 9", refuse},
        {"positions out of hand order", "9 9", {1, 0}, PlayClass::kNone, "", refuse},
        {"position past the hand", "9 9", {0, 2}, PlayClass::kNone, "", refuse},
    };
    for (const SelectionCase& c : cases) {
        const Hand hand = handOf(rules_test::sortedHand(c.hand));
        TablePlay table;
        table.playClass = c.tableClass;
        const auto tableCards = cards(c.table);
        table.count = std::int16_t(tableCards.size());
        for (std::size_t i = 0; i < tableCards.size(); ++i)
            table.cards[i] = tableCodeOf(tableCards[i]);
        EXPECT_EQ(validateSelection(hand, c.selected, table), c.verdict) << c.label;
    }
}

TEST(RulesValidateSelection, MoreThan40CardsAreRefused) {
    std::vector<CardCode> selected(41, composeCard(9, 1, 0, 0));
    EXPECT_EQ(validateSelection(selected, 41, PlayClass::kNone, {}), PlayVerdict{});
    selected.resize(40);
    EXPECT_EQ(validateSelection(selected, 40, PlayClass::kNone, {}),
              (PlayVerdict{true, PlayClass::kOrdinary}));
}

TEST(RulesTablePlay, CountFromAPacketIsClamped) {
    TablePlay table;
    table.count = 300;
    EXPECT_EQ(table.cardList().size(), std::size_t(kHandCapacity));
    table.count = -5;
    EXPECT_TRUE(table.cardList().empty());
}

}  // namespace
