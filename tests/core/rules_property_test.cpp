// Seeded random deals checked against the rules' own promises: hints are legal plays,
// lead proposals are legal leads, the automatic return is a proper choice.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>
#include <vector>

#include "rules/rules.h"

namespace {

using namespace rules;

constexpr int kDeals = 3000;

// Four packs: 13 ranks x 4 suits plus both jokers, four times over.
std::vector<CardCode> fourPacks() {
    std::vector<CardCode> deck;
    for (int pack = 0; pack < 4; ++pack) {
        for (int rank = kRankThree; rank <= kRankTwo; ++rank)
            for (int suit : {kSuitDiamonds, kSuitClubs, kSuitHearts, kSuitSpades})
                deck.push_back(composeCard(std::uint8_t(rank), std::uint8_t(suit), 0, 0));
        deck.push_back(composeCard(kRankSmallJoker, kSuitDiamonds, 0, 0));
        deck.push_back(composeCard(kRankBigJoker, kSuitDiamonds, 0, 0));
    }
    return deck;
}

struct Deal {
    std::vector<CardCode> hand;  // sorted, CardIds 0..
    std::vector<CardCode> rest;  // the cards not dealt to the hand
};

// A hand of 1..36 cards; every third deal moves the twos and jokers to the front of the
// deck first, so that hands rich in them are common.
Deal deal(std::mt19937& rng, int index) {
    std::vector<CardCode> deck = fourPacks();
    std::shuffle(deck.begin(), deck.end(), rng);
    if (index % 3 == 0) {
        std::stable_partition(deck.begin(), deck.end(),
                              [&](CardCode c) { return rankOf(c) >= kRankTwo && rng() % 2 == 0; });
    }
    const int size = 1 + int(rng() % 36);
    Deal d;
    d.hand.assign(deck.begin(), deck.begin() + size);
    for (int i = 0; i < size; ++i) d.hand[i] |= i << 24;
    sortCards(d.hand);
    d.rest.assign(deck.begin() + size, deck.end());
    return d;
}

// Takes up to n cards of a rank out of `pool` into `into`.
void draw(std::vector<CardCode>& pool, int rank, int n, std::vector<CardCode>& into) {
    for (auto it = pool.begin(); it != pool.end() && n > 0;) {
        if (rankOf(*it) == rank) {
            into.push_back(tableCodeOf(*it));
            it = pool.erase(it);
            --n;
        } else {
            ++it;
        }
    }
}

// A play another seat could have made: one natural rank above three (or none) with some
// twos and jokers, drawn from the cards not in our hand. Every other table holds a joker.
std::vector<CardCode> tablePlay(std::mt19937& rng, std::vector<CardCode> pool, int index) {
    std::vector<CardCode> table;
    if (rng() % 5 != 0) draw(pool, 4 + int(rng() % 11), 1 + int(rng() % 5), table);
    draw(pool, kRankTwo, int(rng() % 3), table);
    if (index % 2 == 0) {
        draw(pool, kRankSmallJoker, int(rng() % 3), table);
        draw(pool, kRankBigJoker, int(rng() % 3), table);
    }
    if (table.empty()) draw(pool, kRankTwo, 1, table);
    return table;
}

std::vector<CardCode> cardsAt(const std::vector<CardCode>& hand, std::vector<int> positions) {
    std::sort(positions.begin(), positions.end());  // a selection is read in hand order
    std::vector<CardCode> out;
    for (int pos : positions) out.push_back(hand[pos]);
    return out;
}

TEST(RulesProperties, SortIsDescendingByRankThenSuit) {
    std::mt19937 rng(7);
    for (int i = 0; i < kDeals; ++i) {
        const Deal d = deal(rng, i);
        for (std::size_t k = 1; k < d.hand.size(); ++k) {
            const CardCode a = d.hand[k - 1], b = d.hand[k];
            ASSERT_TRUE(rankOf(a) > rankOf(b) ||
                        (rankOf(a) == rankOf(b) && suitBitOf(a) >= suitBitOf(b)))
                << formatCards(d.hand);
        }
    }
}

TEST(RulesProperties, EveryFollowHintCandidateIsALegalPlayOnThatTable) {
    std::mt19937 rng(2024);
    int candidates = 0, jokerTableCandidates = 0;
    for (int i = 0; i < kDeals; ++i) {
        const Deal d = deal(rng, i);
        const std::vector<CardCode> table = tablePlay(rng, d.rest, i);
        const PlayClass tableClass = ClassifyPlay(table);
        ASSERT_NE(tableClass, PlayClass::kNone) << formatCards(table);
        const RankCounts t = countRanks(table);
        for (const HintCandidate& c : FollowHint(d.hand, table)) {
            std::vector<int> positions(c.begin(), c.end());
            ASSERT_EQ(std::set<int>(positions.begin(), positions.end()).size(), positions.size());
            const std::vector<CardCode> play = cardsAt(d.hand, positions);
            const PlayVerdict v = validateSelection(play, int(d.hand.size()), tableClass, table);
            ASSERT_TRUE(v.play) << "hand " << formatCards(d.hand) << "\ntable "
                                << formatCards(table) << "\ncandidate " << formatCards(play);
            ++candidates;
            if (t[kRankSmallJoker] + t[kRankBigJoker] > 0) ++jokerTableCandidates;
        }
    }
    // The deals must reach both kinds of table, or the check above proves little.
    EXPECT_GT(candidates, kDeals / 2);
    EXPECT_GT(jokerTableCandidates, 50);
}

TEST(RulesProperties, EveryLeadHintProposalIsALegalLead) {
    std::mt19937 rng(99);
    for (int i = 0; i < kDeals; ++i) {
        Deal d = deal(rng, i);
        if (i % 4 == 0) {  // hands near their end, often with threes left
            d.hand.resize(std::min<std::size_t>(d.hand.size(), 1 + rng() % 5));
        }
        for (bool burning : {false, true}) {
            const HandPositions raise = LeadHint(d.hand, burning);
            const std::vector<CardCode> play = cardsAt(d.hand, {raise.begin(), raise.end()});
            const PlayVerdict v = validateSelection(play, int(d.hand.size()), PlayClass::kNone, {});
            ASSERT_TRUE(v.play) << "hand " << formatCards(d.hand) << "\nproposal "
                                << formatCards(play) << (burning ? " (burning)" : "");
        }
    }
}

TEST(RulesProperties, AutomaticReturnNamesNoCardTwiceAndNoThree) {
    std::mt19937 rng(5);
    for (int i = 0; i < kDeals; ++i) {
        const Deal d = deal(rng, i);
        const int count = 1 + int(rng() % 3);
        std::vector<std::uint8_t> noReturn;
        for (int k = int(rng() % 13); k > 0; --k) noReturn.push_back(std::uint8_t(3 + rng() % 15));
        const ReturnDecision r = chooseAutomaticReturn(d.hand, count, noReturn);
        const int nonThrees = int(std::count_if(
            d.hand.begin(), d.hand.end(), [](CardCode c) { return rankOf(c) != kRankThree; }));
        ASSERT_EQ(r.ok, nonThrees >= count) << formatCards(d.hand);
        if (!r.ok) continue;
        ASSERT_EQ(int(r.chosen.size()), count);
        std::set<int> ids;
        for (int pos : r.chosen) {
            ASSERT_NE(rankOf(d.hand[pos]), kRankThree) << formatCards(d.hand);
            ids.insert(cardIdOf(d.hand[pos]));
        }
        ASSERT_EQ(int(ids.size()), count) << formatCards(d.hand);
    }
}

}  // namespace
