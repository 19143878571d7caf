// Hostile clients over loopback: cut-off packets, unknown codes, plays naming cards the
// seat does not hold, floods. The server stays up and the table plays on.
#include <gtest/gtest.h>

#include "loopback_fixture.h"
#include "wire/chat.h"
#include "wire/keep_alive.h"
#include "wire/play.h"

using namespace server;
using servertest::Loopback;

namespace {

TEST(Hostile, GarbageAndFloodsDoNotStopTheTable) {
    Loopback lb(servertest::fastOptions(4, 3));
    auto good = lb.client("good", 5);
    good->roundsWanted = 1;
    auto bad = lb.client("bad", 6);
    bad->roundsWanted = 1;

    // A third client (at a second table) that sends a cut-off packet and vanishes.
    auto raw = lb.client("raw", 7);
    raw->autoPlay = false;
    ASSERT_TRUE(lb.run([&] { return raw->seat() >= 0 || raw->closed(); }));

    int badPlays = 0, againSeen = 0;
    bool awaitingAgain = false;
    bad->onPacket = [&](const wire::GamePacket& p) {
        if (wire::commandOf(p) == wire::Command::kSeat && bad->seat() < 0) {
            // A flood straight after sitting down: keep-alives, chat, unknown commands.
            for (int i = 0; i < 300; ++i) bad->send(wire::KeepAlive{}.encode());
            wire::Chat chat;
            chat.text = "spam";
            for (int i = 0; i < 300; ++i) bad->send(chat.encode());
            for (int code : {0, 7, 9, 11, 25, 29, 200, 255})
                bad->send(wire::makePacket(std::uint8_t(code)));
            wire::GamePacket hugePlay = wire::Play{0, wire::PlayAction::kPlayCards}.encode();
            hugePlay[wire::Play::kCountByte] = 255;  // more cards than a packet can name
            bad->send(hugePlay);
        }
        if (wire::commandOf(p) != wire::Command::kPlayedHand) return;
        const wire::PlayedHand h = wire::PlayedHand::decode(p);
        if (wire::seatOfBit(h.next) != bad->seat()) return;
        if (awaitingAgain) {
            ++againSeen;
            awaitingAgain = false;
            bad->autoPlay = true;  // now it plays properly
        } else if (badPlays < 3 && h.action != wire::PlayedAction::kRoundOver) {
            ++badPlays;
            bad->autoPlay = false;
            awaitingAgain = true;
            wire::Play play{0, wire::PlayAction::kPlayCards, 2, 2, {}};
            play.ids[0] = 120;  // no such cards in its hand
            play.ids[1] = 121;
            bad->send(play.encode());
        }
    };
    raw->sendRaw(std::vector<std::uint8_t>(100, 0xEE));
    raw->close();

    ASSERT_TRUE(lb.run(
        [&] { return (good->roundsSeen() >= 1 && bad->roundsSeen() >= 1) || good->closed(); }));
    EXPECT_EQ(good->roundsSeen(), 1);
    EXPECT_EQ(bad->roundsSeen(), 1);
    EXPECT_EQ(badPlays, 3);
    EXPECT_EQ(againSeen, 3) << "each refused play is answered with the same turn again";
    EXPECT_TRUE(lb.logged("seat 1 refused play"));
}

TEST(Hostile, ACutOffPacketAndAnEarlyCloseLeaveTheServerServing) {
    Loopback lb(servertest::fastOptions(5, 4));
    auto raw = lb.client("x", 1);
    raw->autoPlay = false;
    raw->sendRaw(std::vector<std::uint8_t>(271, 0x12));  // one byte short of a packet
    raw->close();
    auto c = lb.client("after", 2);
    c->roundsWanted = 1;
    ASSERT_TRUE(lb.run([&] { return c->roundsSeen() >= 1 || c->closed(); }));
    EXPECT_EQ(c->roundsSeen(), 1);
}

}  // namespace
