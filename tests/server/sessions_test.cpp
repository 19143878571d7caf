// Sessions on the virtual-time loop: login answers, the keep-alive watch, held seats
// and reconnects, departures, chat relay, the continue outcome, gold and closing.
#include <gtest/gtest.h>

#include "hub_fixture.h"
#include "wire/gbk.h"

using namespace server;
using servertest::FakeHuman;
using servertest::HubFixture;

namespace {

using Sessions = HubFixture;

TEST_F(Sessions, LoginAnswersByAccount) {
    start(5);
    struct Case {
        std::string account;
        int result;
    };
    auto first = human("alice");
    first->login();
    ASSERT_EQ(first->count(CmdLogin), 1);
    EXPECT_EQ(first->of(CmdLogin)[0][15], 1);
    EXPECT_EQ(first->of(CmdLogin)[0][10], 3);  // TimeoutLimit
    EXPECT_EQ(first->of(CmdLogin)[0][11], 3);  // TurnSeconds
    EXPECT_FALSE(first->link.closed);
    for (const Case& c : {Case{"", 3}, Case{"bad name", 3}, Case{"alice", 2}}) {
        auto h = human(c.account);
        h->login();
        ASSERT_EQ(h->count(CmdLogin), 1) << c.account;
        EXPECT_EQ(h->of(CmdLogin)[0][15], c.result) << c.account;
        EXPECT_TRUE(h->link.closed) << c.account;
    }
}

TEST_F(Sessions, PacketsBeforeLoginAreIgnored) {
    start(5);
    auto h = human("bob");
    h->ready();
    h->send(makePacket(CmdChat));
    EXPECT_TRUE(h->link.got.empty());
    EXPECT_EQ(hub->tables().size(), 0u);
}

TEST_F(Sessions, SilentConnectionIsDroppedAfterThirtySeconds) {
    start(5);
    auto talker = human("talker");
    auto quiet = human("quiet", false);
    talker->login();
    quiet->login();
    pass(29000);
    EXPECT_FALSE(quiet->link.closed);
    pass(3000);
    EXPECT_TRUE(quiet->link.closed);
    EXPECT_FALSE(talker->link.closed) << "keep-alives keep a connection";
    EXPECT_TRUE(logged("drop quiet silent"));
}

TEST_F(Sessions, SeatPacketsReachEveryoneAndReadyIsAnnounced) {
    start(4);
    auto a = human("anna"), b = human("ben");
    a->login();
    b->login();
    EXPECT_EQ(a->count(CmdSeat), 6);  // four bots and herself, then ben
    EXPECT_EQ(b->count(CmdSeat), 6);  // everyone seated when he came, himself included
    EXPECT_EQ(a->seat(), 0);
    EXPECT_EQ(b->seat(), 1);
    EXPECT_EQ(a->of(CmdSeat).back()[226], seatBit(1));
    a->ready();
    ASSERT_EQ(b->count(CmdReady), 1);
    EXPECT_EQ(std::string(getZeroEnded(b->of(CmdReady)[0], 16, 16)), "anna");
    EXPECT_EQ(a->count(CmdDeal), 0) << "ben is not ready yet";
    b->ready();
    EXPECT_EQ(a->count(CmdDeal), 1);
    EXPECT_EQ(b->count(CmdDeal), 1);
    EXPECT_EQ(a->count(CmdDeclare), 1);
}

TEST_F(Sessions, HeldSeatResumesWithItsTokenAndSeesTheTurnAgain) {
    start(5);
    auto a = human("amy");
    a->login();
    a->ready();
    ASSERT_EQ(a->count(CmdDeclare), 1);
    std::uint16_t token = a->token();
    ASSERT_NE(token, 0);
    hub->disconnected(a->id);
    EXPECT_TRUE(logged("seat 0 held"));
    pass(20000);  // the server answers for the absent seat meanwhile
    EXPECT_EQ(table()->phase(), Table::Phase::Playing);

    auto again = human("amy");
    again->login(true, token);
    ASSERT_GE(again->link.got.size(), 3u);
    EXPECT_EQ(command(again->link.got[0]), CmdResume);
    EXPECT_EQ(again->link.got[0][15], 1);
    EXPECT_EQ(command(again->link.got[1]), CmdLogin) << "the login result restarts the keep-alive";
    EXPECT_EQ(command(again->link.got[2]), CmdPlayed);
    EXPECT_EQ(seatOfBit(again->link.got[2][8]), table()->play().current());
    EXPECT_EQ(again->token(), token) << "the resumed session keeps the token the client holds";
    EXPECT_TRUE(logged("seat 0 resumed"));
}

TEST_F(Sessions, ReconnectAfterTheHoldRanOutIsRefused) {
    start(4);
    auto a = human("ann"), b = human("bea");
    a->login();
    b->login();
    a->ready();
    b->ready();
    std::uint16_t token = a->token();
    hub->disconnected(a->id);
    pass(91000);
    EXPECT_TRUE(logged("seat 0 hold expired"));
    ASSERT_GE(b->count(CmdPlayerLeft), 1);
    EXPECT_EQ(std::string(getZeroEnded(b->of(CmdPlayerLeft)[0], 16, 16)), "ann");
    auto late = human("ann");
    late->login(true, token);
    ASSERT_EQ(late->link.got.size(), 1u);
    EXPECT_EQ(command(late->link.got[0]), CmdResume);
    EXPECT_EQ(late->link.got[0][15], 0);
    EXPECT_TRUE(late->link.closed);
}

TEST_F(Sessions, ReconnectMarkWithAnUnknownTokenIsAFreshLogin) {
    start(5);
    auto h = human("cy");
    h->login(true, 0x1234);
    ASSERT_GE(h->count(CmdLogin), 1);
    EXPECT_EQ(h->of(CmdLogin)[0][15], 1);
    EXPECT_EQ(h->count(CmdSeat), 6);
}

TEST_F(Sessions, ChatIsRelayedToEveryoneWithTheSendersSeatAndAFloodIsCut) {
    start(4);
    auto a = human("al"), b = human("bo");
    a->login();
    b->login();
    Packet line = makePacket(CmdChat);
    line[6] = 0x20;  // a lie about the sender: the server uses the session's seat
    std::string text = wire::utf8ToGbk("你好 all");
    putBytes(line, 16, text, 200);
    line[240] = 0x55;  // bytes past the text are cleared
    a->send(line);
    ASSERT_EQ(b->count(CmdChat), 1);
    ASSERT_EQ(a->count(CmdChat), 1) << "the sender gets his line back";
    Packet got = b->of(CmdChat)[0];
    EXPECT_EQ(got[6], seatBit(0));
    EXPECT_EQ(wire::gbkToUtf8(getZeroEnded(got, 16, 200)), "你好 all");
    EXPECT_EQ(got[240], 0);
    Packet voice = makePacket(CmdChat);
    voice[11] = 1;
    for (int i = 0; i < 7; ++i) voice[16 + i] = std::uint8_t(i == 6 ? 42 : 1);
    b->send(voice);
    Packet v = a->of(CmdChat).back();
    EXPECT_EQ(v[11], 1);
    EXPECT_EQ(v[6], seatBit(1));
    EXPECT_EQ(v[22], 0) << "a phrase digit above 9 is cleared";
    for (int i = 0; i < 200; ++i) a->send(line);
    EXPECT_LE(b->count(CmdChat), 2 + 5);
}

TEST_F(Sessions, LeavingMidRoundIsAnnouncedAndTheRoundGoesOn) {
    start(4);
    auto a = human("ada"), b = human("bix");
    a->login();
    b->login();
    a->ready();
    b->ready();
    pass(6000);
    ASSERT_EQ(table()->phase(), Table::Phase::Playing);
    Packet leave = makePacket(CmdGameOver);
    a->send(leave);
    ASSERT_EQ(b->count(CmdPlayerLeft), 1);
    EXPECT_EQ(std::string(getZeroEnded(b->of(CmdPlayerLeft)[0], 16, 16)), "ada");
    ASSERT_TRUE(passUntil([&] { return b->count(CmdResult) == 3; }))
        << "the round is played to its end";
    b->ready();
    // ada did not continue: the outcome names the others only, and the table ends.
    auto outcome = b->of(CmdGameOver);
    ASSERT_FALSE(outcome.empty());
    EXPECT_EQ(outcome.back()[15], 1);
    EXPECT_EQ(outcome.back()[6], 0x40 | (0x3F & ~seatBit(0)));
    loop.drain();
    EXPECT_EQ(table(), nullptr);
}

TEST_F(Sessions, ContinueByAllStartsTheNextRoundAndSilenceEndsTheTable) {
    start(5);
    auto a = human("dee");
    a->login();
    a->ready();
    ASSERT_TRUE(passUntil([&] { return a->count(CmdResult) == 3; }));
    a->ready();  // the continue request
    loop.drain();
    ASSERT_GE(a->count(CmdGameOver), 1);
    EXPECT_EQ(a->of(CmdGameOver)[0][6], 0x7F);
    EXPECT_EQ(a->count(CmdDeal), 2);
    ASSERT_TRUE(passUntil([&] { return a->count(CmdResult) == 6; }));
    // No continue this time: after the 15-second countdown and the grace the table
    // gives up on him.
    pass(18000);
    auto last = a->of(CmdGameOver).back();
    EXPECT_EQ(last[6], 0x40 | 0x3E);
    EXPECT_EQ(table(), nullptr);
}

TEST_F(Sessions, GoldShortageNamesTheSeatsThatMayStay) {
    start(5);
    auto a = human("poor");
    a->login();
    a->ready();
    table()->profile(0).gold = 1;  // loses or wins little: below the table minimum either way
    ASSERT_TRUE(passUntil([&] { return a->count(CmdResult) == 3; }));
    if (table()->profile(0).gold >= 1000) GTEST_SKIP() << "won enough this round";
    a->ready();
    auto out = a->of(CmdGameOver);
    ASSERT_FALSE(out.empty());
    EXPECT_NE(out.back()[15], 1);
    EXPECT_NE(out.back()[15], 0);
    EXPECT_EQ(out.back()[6], 0x3E);
}

TEST_F(Sessions, OperatorCloseSendsTheMessageInGbk) {
    start(5);
    auto a = human("eve");
    a->login();
    hub->closeTable(0, "维护中 maintenance");
    ASSERT_EQ(a->count(CmdTableClosed), 1);
    EXPECT_EQ(wire::gbkToUtf8(getZeroEnded(a->of(CmdTableClosed)[0], 16, 200)), "维护中 maintenance");
    pass(11000);
    EXPECT_TRUE(a->link.closed) << "the client gets a moment, then the server lets go";
}

}  // namespace
