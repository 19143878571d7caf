// Sessions on the virtual-time loop: login answers, the keep-alive watch, held seats
// and reconnects, departures, chat relay, the continue outcome, gold and closing.
#include <gtest/gtest.h>

#include "hub_fixture.h"
#include "wire/chat.h"
#include "wire/departure.h"
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
    ASSERT_EQ(first->count(wire::Command::kLogin), 1);
    EXPECT_EQ(first->of(wire::Command::kLogin)[0][15], 1);
    EXPECT_EQ(first->of(wire::Command::kLogin)[0][10], 3);  // TimeoutLimit
    EXPECT_EQ(first->of(wire::Command::kLogin)[0][11], 3);  // TurnSeconds
    EXPECT_FALSE(first->link.closed);
    for (const Case& c : {Case{"", 3}, Case{"bad name", 3}, Case{"alice", 2}}) {
        auto h = human(c.account);
        h->login();
        ASSERT_EQ(h->count(wire::Command::kLogin), 1) << c.account;
        EXPECT_EQ(h->of(wire::Command::kLogin)[0][15], c.result) << c.account;
        EXPECT_TRUE(h->link.closed) << c.account;
    }
}

TEST_F(Sessions, PacketsBeforeLoginAreIgnored) {
    start(5);
    auto h = human("bob");
    h->ready();
    h->send(wire::Chat{}.encode());
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
    EXPECT_EQ(a->count(wire::Command::kSeat), 6);  // four bots and herself, then ben
    EXPECT_EQ(b->count(wire::Command::kSeat), 6);  // everyone seated when he came, himself included
    EXPECT_EQ(a->seat(), 0);
    EXPECT_EQ(b->seat(), 1);
    EXPECT_EQ(a->of(wire::Command::kSeat).back()[226], wire::seatBit(1));
    a->ready();
    ASSERT_EQ(b->count(wire::Command::kReady), 1);
    EXPECT_EQ(std::string(wire::getZeroEnded(b->of(wire::Command::kReady)[0], 16, 16)), "anna");
    EXPECT_EQ(a->count(wire::Command::kDeal), 0) << "ben is not ready yet";
    b->ready();
    EXPECT_EQ(a->count(wire::Command::kDeal), 1);
    EXPECT_EQ(b->count(wire::Command::kDeal), 1);
    EXPECT_EQ(a->count(wire::Command::kDeclaration), 1);
}

TEST_F(Sessions, HeldSeatResumesWithItsTokenAndSeesTheTurnAgain) {
    start(5);
    auto a = human("amy");
    a->login();
    a->ready();
    ASSERT_EQ(a->count(wire::Command::kDeclaration), 1);
    std::uint16_t token = a->token();
    ASSERT_NE(token, 0);
    hub->disconnected(a->id);
    EXPECT_TRUE(logged("seat 0 held"));
    pass(20000);  // the server answers for the absent seat meanwhile
    EXPECT_EQ(table()->phase(), Table::Phase::kPlaying);

    auto again = human("amy");
    again->login(true, token);
    ASSERT_GE(again->link.got.size(), 3u);
    EXPECT_EQ(wire::commandOf(again->link.got[0]), wire::Command::kResume);
    EXPECT_EQ(again->link.got[0][15], 1);
    EXPECT_EQ(wire::commandOf(again->link.got[1]), wire::Command::kLogin)
        << "the login result restarts the keep-alive";
    EXPECT_EQ(wire::commandOf(again->link.got[2]), wire::Command::kPlayedHand);
    EXPECT_EQ(wire::seatOfBit(again->link.got[2][8]), table()->play().current());
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
    ASSERT_GE(b->count(wire::Command::kPlayerLeft), 1);
    EXPECT_EQ(std::string(wire::getZeroEnded(b->of(wire::Command::kPlayerLeft)[0], 16, 16)), "ann");
    auto late = human("ann");
    late->login(true, token);
    ASSERT_EQ(late->link.got.size(), 1u);
    EXPECT_EQ(wire::commandOf(late->link.got[0]), wire::Command::kResume);
    EXPECT_EQ(late->link.got[0][15], 0);
    EXPECT_TRUE(late->link.closed);
}

// A reconnect the server cannot honour is refused and its connection closed; the
// held seat stays for its own account.
TEST_F(Sessions, AReconnectWithATokenNotHeldForTheAccountIsRefused) {
    start(4);
    auto a = human("ann"), b = human("bea");
    a->login();
    b->login();
    a->ready();
    b->ready();
    const std::uint16_t held = a->token();
    hub->disconnected(a->id);
    struct Case {
        const char* account;
        std::uint16_t token;
    } cases[] = {{"cy", 0x1234}, {"dee", held}, {"ann", std::uint16_t(held ^ 0x5A5A)}};
    for (const Case& c : cases) {
        auto h = human(c.account);
        h->login(true, c.token);
        ASSERT_EQ(h->link.got.size(), 1u) << c.account;
        EXPECT_EQ(wire::commandOf(h->link.got[0]), wire::Command::kResume) << c.account;
        EXPECT_EQ(h->link.got[0][15], 0) << c.account;
        EXPECT_TRUE(h->link.closed) << c.account;
        EXPECT_EQ(h->count(wire::Command::kSeat), 0) << c.account;
    }
    auto back = human("ann");
    back->login(true, held);
    EXPECT_TRUE(logged("seat 0 resumed")) << "the seat was still held for ann";
    // A plain login is a fresh one.
    auto fresh = human("cy");
    fresh->login();
    ASSERT_GE(fresh->count(wire::Command::kLogin), 1);
    EXPECT_EQ(fresh->of(wire::Command::kLogin)[0][15], 1);
}

TEST_F(Sessions, ChatIsRelayedToEveryoneWithTheSendersSeatAndAFloodIsCut) {
    start(4);
    auto a = human("al"), b = human("bo");
    a->login();
    b->login();
    wire::Chat said;
    said.sender = 0x20;  // a lie about the sender: the server uses the session's seat
    said.text = "你好 all";
    wire::GamePacket line = said.encode();
    line[240] = 0x55;  // bytes past the text are cleared
    a->send(line);
    ASSERT_EQ(b->count(wire::Command::kChat), 1);
    ASSERT_EQ(a->count(wire::Command::kChat), 1) << "the sender gets his line back";
    wire::GamePacket got = b->of(wire::Command::kChat)[0];
    EXPECT_EQ(got[6], wire::seatBit(0));
    EXPECT_EQ(wire::gbkToUtf8(wire::getZeroEnded(got, 16, 200)), "你好 all");
    EXPECT_EQ(got[240], 0);
    wire::Chat phrase;
    phrase.kind = wire::ChatKind::kVoice;
    phrase.phrase = {1, 1, 1, 1, 1, 1, 42};
    wire::GamePacket voice = phrase.encode();
    b->send(voice);
    wire::GamePacket v = a->of(wire::Command::kChat).back();
    EXPECT_EQ(v[11], 1);
    EXPECT_EQ(v[6], wire::seatBit(1));
    EXPECT_EQ(v[22], 0) << "a phrase digit above 9 is cleared";
    for (int i = 0; i < 200; ++i) a->send(line);
    EXPECT_LE(b->count(wire::Command::kChat), 2 + 5);
}

TEST_F(Sessions, LeavingMidRoundIsAnnouncedAndTheRoundGoesOn) {
    start(4);
    auto a = human("ada"), b = human("bix");
    a->login();
    b->login();
    a->ready();
    b->ready();
    pass(6000);
    ASSERT_EQ(table()->phase(), Table::Phase::kPlaying);
    wire::GamePacket leave = wire::LeaveOrContinue{}.encode();
    a->send(leave);
    ASSERT_EQ(b->count(wire::Command::kPlayerLeft), 1);
    EXPECT_EQ(std::string(wire::getZeroEnded(b->of(wire::Command::kPlayerLeft)[0], 16, 16)), "ada");
    ASSERT_TRUE(passUntil([&] { return b->count(wire::Command::kResult) == 3; }))
        << "the round is played to its end";
    b->ready();
    // ada did not continue: the outcome names the others only, and the table ends.
    auto outcome = b->of(wire::Command::kGameOver);
    ASSERT_FALSE(outcome.empty());
    EXPECT_EQ(outcome.back()[15], 1);
    EXPECT_EQ(outcome.back()[6], 0x40 | (0x3F & ~wire::seatBit(0)));
    loop.drain();
    EXPECT_EQ(table(), nullptr);
}

TEST_F(Sessions, ContinueByAllStartsTheNextRoundAndSilenceEndsTheTable) {
    start(5);
    auto a = human("dee");
    a->login();
    a->ready();
    ASSERT_TRUE(passUntil([&] { return a->count(wire::Command::kResult) == 3; }));
    a->ready();  // the continue request
    loop.drain();
    ASSERT_GE(a->count(wire::Command::kGameOver), 1);
    EXPECT_EQ(a->of(wire::Command::kGameOver)[0][6], 0x7F);
    EXPECT_EQ(a->count(wire::Command::kDeal), 2);
    ASSERT_TRUE(passUntil([&] { return a->count(wire::Command::kResult) == 6; }));
    // No continue this time: after the 15-second countdown and the grace the table
    // gives up on him.
    pass(18000);
    auto last = a->of(wire::Command::kGameOver).back();
    EXPECT_EQ(last[6], 0x40 | 0x3E);
    EXPECT_EQ(table(), nullptr);
}

TEST_F(Sessions, GoldShortageNamesTheSeatsThatMayStay) {
    start(5);
    auto a = human("poor");
    a->login();
    a->ready();
    table()->profile(0).gold = 1;  // loses or wins little: below the table minimum either way
    ASSERT_TRUE(passUntil([&] { return a->count(wire::Command::kResult) == 3; }));
    if (table()->profile(0).gold >= 1000) GTEST_SKIP() << "won enough this round";
    a->ready();
    auto out = a->of(wire::Command::kGameOver);
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
    ASSERT_EQ(a->count(wire::Command::kTableClosed), 1);
    EXPECT_EQ(wire::gbkToUtf8(wire::getZeroEnded(a->of(wire::Command::kTableClosed)[0], 16, 200)),
              "维护中 maintenance");
    pass(11000);
    EXPECT_TRUE(a->link.closed) << "the client gets a moment, then the server lets go";
}

}  // namespace
