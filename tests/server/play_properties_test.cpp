// The play phase over many seeded all-bot rounds: every accepted play is one the
// client would accept, every card is played or still held at the end, places are 1..6
// once each, and whatever a seat may not do is refused.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "rules/validation.h"
#include "server/bot.h"
#include "server/round_play.h"

using namespace server;

namespace {

std::map<CardCode, int> tally(const std::array<Cards, kSeats>& hands) {
    std::map<CardCode, int> m;
    for (const Cards& h : hands)
        for (CardCode c : h) ++m[rules::tableCodeOf(c)];
    return m;
}

SeatView viewOf(const RoundPlay& rp, int seat) {
    SeatView v;
    v.seat = seat;
    v.hand = rp.hand(seat);
    v.leading = rp.mode() == wire::TurnMode::kLead;
    v.tableClass = rp.tableClass();
    v.tableCards = rp.tableCards();
    v.tableOwner = rp.tableOwner();
    for (int s = 0; s < kSeats; ++s) v.cardCounts[s] = int(rp.hand(s).size());
    return v;
}

TEST(PlayProperties, SeededBotRoundsPlayOnlyLegalHandsAndAccountForEveryCard) {
    for (std::uint64_t seed = 1; seed <= 300; ++seed) {
        Rng rng(seed);
        auto hands = dealHands(rng);
        auto before = tally(hands);
        ASSERT_EQ(before.size(), 54u);  // 13 ranks x 4 suits + 2 jokers, four of each
        std::array<std::unique_ptr<Bot>, kSeats> bots;
        for (int s = 0; s < kSeats; ++s) bots[s] = makeBot(seed * 10 + s);
        RoundPlay rp;
        rp.start(hands, int(seed % kSeats));
        std::array<Cards, kSeats> played;
        int steps = 0;
        while (!rp.over()) {
            ASSERT_LT(++steps, 5000) << "seed " << seed << " does not end";
            int s = rp.current();
            ASSERT_FALSE(rp.hand(s).empty()) << "a seat without cards is never to act";
            rules::PlayClass tableClass =
                rp.mode() == wire::TurnMode::kLead ? rules::PlayClass::kNone : rp.tableClass();
            Cards table;
            for (CardCode c : rp.tableCards()) table.push_back(rules::tableCodeOf(c));
            int handCount = int(rp.hand(s).size());
            auto choice = bots[s]->choosePlay(viewOf(rp, s));
            std::optional<PlayStep> st;
            if (choice) {
                // The client's own check says yes to every play the server takes.
                rules::PlayVerdict v =
                    rules::validateSelection(*choice, handCount, tableClass, table);
                ASSERT_TRUE(v.play) << "seed " << seed;
                st = rp.playCards(s, *choice);
                ASSERT_TRUE(st) << "seed " << seed;
                EXPECT_EQ(st->playClass, v.playClass);
                for (CardCode c : st->cards) played[s].push_back(c);
            } else {
                ASSERT_NE(rp.mode(), wire::TurnMode::kLead) << "a leader always plays";
                st = rp.pass(s);
                ASSERT_TRUE(st);
            }
        }
        auto places = rp.finalPlaces();
        std::vector<int> sorted(places.begin(), places.end());
        std::sort(sorted.begin(), sorted.end());
        EXPECT_EQ(sorted, (std::vector<int>{1, 2, 3, 4, 5, 6})) << "seed " << seed;
        // The round ended because one side is out or five seats are.
        int outEven = 0, outOdd = 0;
        for (int s = 0; s < kSeats; ++s)
            if (rp.place(s)) ++(s % 2 ? outOdd : outEven);
        EXPECT_TRUE(outEven == 3 || outOdd == 3 || outEven + outOdd == 5) << "seed " << seed;
        std::array<Cards, kSeats> accounted;
        for (int s = 0; s < kSeats; ++s) {
            accounted[s] = played[s];
            for (CardCode c : rp.hand(s)) accounted[s].push_back(c);
            if (rp.place(s)) {
                EXPECT_TRUE(rp.hand(s).empty());
            }
        }
        EXPECT_EQ(tally(accounted), before) << "seed " << seed;
    }
}

struct Fixed {
    RoundPlay rp;
    explicit Fixed(std::array<Cards, kSeats> hands, int leader = 0) {
        rp.start(std::move(hands), leader);
    }
};

Cards cards(std::initializer_list<std::pair<int, int>> rankIds) {
    Cards c;
    for (auto [rank, id] : rankIds) c.push_back(rules::composeCard(rank, 4, 0, id));
    return c;
}

TEST(PlayProperties, RefusesWhatTheClientWouldRefuse) {
    std::array<Cards, kSeats> hands;
    hands[0] = cards({{9, 0}, {9, 1}, {3, 2}, {5, 3}});
    for (int s = 1; s < kSeats; ++s) hands[s] = cards({{12, 0}, {12, 1}, {6, 2}, {4, 3}});
    Fixed f(hands);
    struct Case {
        const char* what;
        std::vector<std::uint8_t> ids;
    };
    for (const Case& c :
         {Case{"no cards", {}}, Case{"an id not in the hand", {77}}, Case{"an id twice", {0, 0}},
          Case{"two natural ranks", {0, 3}}, Case{"a three before the last cards", {2}}}) {
        EXPECT_FALSE(f.rp.play(0, c.ids)) << c.what;
    }
    EXPECT_FALSE(f.rp.pass(0)) << "the leader cannot pass";
    std::uint8_t q[] = {0, 1};
    EXPECT_FALSE(f.rp.play(1, q)) << "not seat 1's turn";
    std::uint8_t nines[] = {0, 1};
    auto st = f.rp.play(0, nines);
    ASSERT_TRUE(st);
    EXPECT_EQ(st->action, wire::PlayedAction::kOpening);
    EXPECT_EQ(st->next, 1);
    EXPECT_EQ(st->mode, wire::TurnMode::kFollow);
    std::uint8_t single[] = {2};
    EXPECT_FALSE(f.rp.play(1, single)) << "one card does not beat two";
    std::uint8_t lowPair[] = {2, 3};
    EXPECT_FALSE(f.rp.play(1, lowPair)) << "6 and 4 are not a play";
    std::uint8_t queens[] = {0, 1};
    EXPECT_TRUE(f.rp.play(1, queens));
}

TEST(PlayProperties, TrickPassesToTheNextSeatWhenItsLastPlayerWentOut) {
    std::array<Cards, kSeats> hands;
    hands[0] = cards({{14, 0}});  // leads his last card and goes out
    for (int s = 1; s < kSeats; ++s) hands[s] = cards({{5, 0}, {6, 1}});
    Fixed f(hands);
    std::uint8_t ace[] = {0};
    auto st = f.rp.play(0, ace);
    ASSERT_TRUE(st);
    EXPECT_EQ(st->action, wire::PlayedAction::kWentOut);
    EXPECT_EQ(st->place, 1);
    for (int s = 1; s <= 4; ++s) {
        auto p = f.rp.pass(s);
        ASSERT_TRUE(p);
        EXPECT_EQ(p->mode, wire::TurnMode::kFollow) << "seat " << s;
    }
    auto last = f.rp.pass(5);
    ASSERT_TRUE(last);
    EXPECT_EQ(last->next, 1)
        << "every seat with cards passed: the next seat after the one out leads";
    EXPECT_EQ(last->mode, wire::TurnMode::kLead);
}

}  // namespace
