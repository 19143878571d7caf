#include <gtest/gtest.h>

#include "rules/notation.h"

namespace {

using namespace rules;

TEST(RulesNotation, ParsesRanksSuitsAndJokers) {
    struct Case {
        const char* token;
        int rank, suitBit;
    } cases[] = {
        {"3", 3, 1},   {"10", 10, 1}, {"10S", 10, 8}, {"J", 11, 1}, {"JS", 11, 8},
        {"q", 12, 1},  {"KH", 13, 4}, {"Ac", 14, 2},  {"2", 15, 1}, {"2S", 15, 8},
        {"SJ", 16, 1}, {"bj", 17, 1}, {"7D", 7, 1},
    };
    for (const Case& c : cases) {
        const auto code = parseCard(c.token);
        ASSERT_TRUE(code.has_value()) << c.token;
        EXPECT_EQ(rankOf(*code), c.rank) << c.token;
        EXPECT_EQ(suitBitOf(*code), c.suitBit) << c.token;
    }
}

TEST(RulesNotation, RejectsUnknownTokens) {
    for (const char* token :
         {"1", "11", "0", "03", "X", "S", "D", "7X", "SJS", "BJD", "10SS", "-3"})
        EXPECT_FALSE(parseCard(token).has_value()) << token;
}

TEST(RulesNotation, ListsNumberTheCardsAndStopAtABadToken) {
    const ParsedCards ok = parseCards(" 7S, 7S  BJ,10C ");
    ASSERT_TRUE(ok.ok()) << ok.error;
    ASSERT_EQ(ok.cards.size(), 4u);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(cardIdOf(ok.cards[i]), i);
    EXPECT_EQ(formatCards(ok.cards), "7S 7S BJ 10C");

    const ParsedCards bad = parseCards("7S Z 9");
    EXPECT_FALSE(bad.ok());
    EXPECT_NE(bad.error.find("'Z'"), std::string::npos);
    EXPECT_TRUE(bad.cards.empty());
    EXPECT_TRUE(parseCards("").ok());
}

TEST(RulesNotation, WritesEveryCardWithItsSuit) {
    EXPECT_EQ(formatCard(composeCard(10, 1, 0, 0)), "10D");
    EXPECT_EQ(formatCard(composeCard(14, 0x12, 0, 5)), "AC");  // high nibble masked
    EXPECT_EQ(formatCard(composeCard(16, 1, 0, 0)), "SJ");
    EXPECT_EQ(formatCard(composeCard(17, 1, 0, 0)), "BJ");
}

TEST(RulesNotation, RankNumbers) {
    const ParsedRanks ok = parseRanks("13, 14 17");
    ASSERT_TRUE(ok.ok());
    EXPECT_EQ(ok.ranks, (std::vector<int>{13, 14, 17}));
    EXPECT_FALSE(parseRanks("2").ok());
    EXPECT_FALSE(parseRanks("18").ok());
    EXPECT_FALSE(parseRanks("K").ok());
}

}  // namespace
