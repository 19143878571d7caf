// A whole table over loopback TCP: one robot client and five bots play two rounds, and
// every packet the client receives is checked against its layout.
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "loopback_fixture.h"
#include "rules/card.h"
#include "wire/commands.h"
#include "wire/frame.h"
#include "wire/gbk.h"

using namespace server;
using servertest::Loopback;

namespace {

struct Received {
    std::vector<wire::GamePacket> all;
    std::vector<wire::GamePacket> of(wire::Command cmd) const {
        std::vector<wire::GamePacket> out;
        for (const auto& p : all)
            if (wire::commandOf(p) == cmd) out.push_back(p);
        return out;
    }
};

void checkDeal(const wire::GamePacket& p) {
    std::set<int> ids;
    for (int i = 0; i < 36; ++i) {
        CardCode c = CardCode(wire::getLe32(p, 16 + 4 * i));
        int rank = rules::rankOf(c), suit = rules::suitBitOf(c), id = rules::cardIdOf(c);
        EXPECT_GE(rank, 3);
        EXPECT_LE(rank, 17);
        EXPECT_TRUE(suit == 1 || suit == 2 || suit == 4 || suit == 8) << suit;
        if (rank >= 16) {
            EXPECT_EQ(suit, 1);
        }
        EXPECT_LT(id, 128);
        ids.insert(id);
    }
    EXPECT_EQ(ids.size(), 36u) << "CardIds must be unique within the hand";
    for (int i = 16 + 4 * 36; i < 260; ++i) EXPECT_EQ(p[i], 0) << "byte " << i;
}

// The three result packets of one round: six distinct seats and places, the cards
// still held in the client's coding, and the same header in all three.
void checkResults(const std::vector<wire::GamePacket>& three) {
    ASSERT_EQ(three.size(), 3u);
    std::set<int> seats, places;
    std::map<int, int> outcomeOfTeam;
    for (const wire::GamePacket& p : three) {
        EXPECT_EQ(p[15], 1);
        for (int shift : {0, 100}) {
            int seat = wire::seatOfBit(p[16 + shift]);
            ASSERT_GE(seat, 0);
            seats.insert(seat);
            places.insert(p[17 + shift]);
            int outcome = p[18 + shift];
            EXPECT_TRUE(outcome == 1 || outcome == 2);
            if (outcomeOfTeam.count(seat % 2)) {
                EXPECT_EQ(outcomeOfTeam[seat % 2], outcome);
            }
            outcomeOfTeam[seat % 2] = outcome;
            int held = p[42 + shift];
            EXPECT_LE(held, 54);
            for (int k = 0; k < held; ++k) {
                int b = p[43 + shift + k];
                int rank = b & 0x0F, suit = b >> 4;
                if (rank <= 1) {
                    EXPECT_EQ(suit, 0);  // the jokers travel without a suit
                } else {
                    EXPECT_TRUE(rank >= 3 && rank <= 15 &&
                                (suit == 1 || suit == 2 || suit == 4 || suit == 8));
                }
            }
            EXPECT_GE(p[97 + shift], 1);
            EXPECT_LE(p[97 + shift], 40);
        }
    }
    EXPECT_EQ(seats.size(), 6u);
    EXPECT_EQ(places, (std::set<int>{1, 2, 3, 4, 5, 6}));
    EXPECT_NE(outcomeOfTeam[0], outcomeOfTeam[1]);
}

}  // namespace

TEST(EndToEnd, OneHumanAndFiveBotsPlayTwoRoundsWithWellFormedPackets) {
    Loopback lb(servertest::fastOptions(5));
    ASSERT_GT(lb.port, 0);
    ASSERT_LT(lb.port, 32768);
    Received got;
    auto c = lb.client("tester");
    c->roundsWanted = 2;
    c->onPacket = [&](const wire::GamePacket& p) { got.all.push_back(p); };
    ASSERT_TRUE(lb.run([&] { return c->roundsSeen() >= 2 || c->closed(); }));
    ASSERT_EQ(c->roundsSeen(), 2);

    // The login result comes first and accepts; every packet carries one non-zero token.
    ASSERT_FALSE(got.all.empty());
    EXPECT_EQ(wire::commandOf(got.all[0]), wire::Command::kLogin);
    EXPECT_EQ(got.all[0][15], 1);
    EXPECT_EQ(got.all[0][11], 3);
    std::uint16_t token = std::uint16_t(got.all[0][260] << 8 | got.all[0][261]);
    EXPECT_NE(token, 0);
    for (const auto& p : got.all) {
        EXPECT_EQ(std::uint16_t(p[260] << 8 | p[261]), token)
            << "command " << int(wire::commandOf(p));
        for (int i = 262; i < 272; ++i) EXPECT_EQ(p[i], 0);
    }

    // Seat packets for all six, each addressed to our seat, with decodable profiles.
    auto seatsP = got.of(wire::Command::kSeat);
    ASSERT_EQ(seatsP.size(), 6u);
    std::set<int> seated;
    for (const auto& p : seatsP) {
        EXPECT_EQ(wire::seatOfBit(p[6]), c->seat());
        seated.insert(wire::seatOfBit(p[226]));
        std::string nick = wire::gbkToUtf8(wire::getZeroEnded(p, 16, 32));
        EXPECT_FALSE(nick.empty());
        std::string avatar(wire::getZeroEnded(p, 48, 16));
        ASSERT_GE(avatar.size(), 2u);
        EXPECT_TRUE(avatar[0] == 'm' || avatar[0] == 'w');
        EXPECT_EQ(p[64] != 0, avatar[0] == 'm');
        EXPECT_FALSE(wire::getZeroEnded(p, 168, 16).empty());
        // Fields read two bytes at a time hold only double-byte characters.
        for (int at : {72, 112, 184}) {
            std::string_view t = wire::getZeroEnded(p, at, at == 184 ? 24 : (at == 72 ? 8 : 16));
            EXPECT_EQ(t.size() % 2, 0u);
            for (std::size_t i = 0; i < t.size(); i += 2)
                EXPECT_GE(static_cast<unsigned char>(t[i]), 0x80);
        }
    }
    EXPECT_EQ(seated.size(), 6u);
    EXPECT_EQ(c->seat(), 0);

    auto deals = got.of(wire::Command::kDeal);
    ASSERT_EQ(deals.size(), 2u);
    for (const auto& d : deals) checkDeal(d);

    auto prompts = got.of(wire::Command::kDeclaration);
    ASSERT_FALSE(prompts.empty());
    EXPECT_EQ(prompts[0][11], 0);
    EXPECT_EQ(prompts[0][8], 1);
    EXPECT_EQ(prompts[0][15], 3);

    auto results = got.of(wire::Command::kResult);
    ASSERT_EQ(results.size(), 6u);
    checkResults({results.begin(), results.begin() + 3});
    checkResults({results.begin() + 3, results.end()});

    // Between the rounds everyone continued.
    auto outcomes = got.of(wire::Command::kGameOver);
    ASSERT_FALSE(outcomes.empty());
    EXPECT_EQ(outcomes[0][15], 1);
    EXPECT_EQ(outcomes[0][6], 0x7F);

    // The played-hand commands: the round ends with action 10 after action 9s, and every
    // played card count fits the packet.
    int outs = 0, ends = 0;
    for (const auto& p : got.of(wire::Command::kPlayedHand)) {
        EXPECT_LE(p[17], 40);
        if (p[15] == 9) ++outs;
        if (p[15] == 10) ++ends;
        if (p[15] != 10 && p[15] != 9) {
            EXPECT_GE(wire::seatOfBit(p[8]), 0);
            EXPECT_TRUE(p[11] == 1 || p[11] == 2);
        }
    }
    EXPECT_EQ(ends, 2);
    EXPECT_GE(outs, 6);  // at least three seats go out per round
}
