// The send queue, the receive ring and the pump, in virtual time against the fake
// socket and hall.
#include <gtest/gtest.h>

#include "client_fixture.h"
#include "wire/chat.h"
#include "wire/departure.h"
#include "wire/gbk.h"
#include "wire/keep_alive.h"
#include "wire/tribute.h"

namespace {

struct Transport : ClientFixture {
    std::vector<wire::GamePacket> dispatched;
    std::vector<std::int64_t> dispatchTimes;
    void record() {
        client->dispatcher.onDispatch = [this](const wire::GamePacket& p) {
            dispatched.push_back(p);
            dispatchTimes.push_back(fp.loop.nowMs());
        };
    }
    std::vector<wire::GamePacket> sentPackets() { return takeSentPackets(); }
};

TEST_F(Transport, UnreachableServerKeepsPollingAndTellingTheHall) {
    ASSERT_TRUE(start("me$key$127.0.0.1$2000$home$"));
    EXPECT_EQ(fp.socket.remoteHost, "127.0.0.1");
    EXPECT_EQ(fp.socket.remotePort, 2000);
    hallGot.clear();
    ASSERT_TRUE(advance(10'000));
    EXPECT_EQ(hallCount(22), 50);  // every 200 ms
    EXPECT_EQ(hallCount(771), 0);
    EXPECT_EQ(client->MainForm.at("Sysmsg", 0).items,
              std::vector<std::string>{"正在连接服务器..."});
    EXPECT_TRUE(fp.socket.sent.empty());
}

TEST_F(Transport, TheLoginGoesOutOnceWhenTheSocketConnects) {
    ASSERT_TRUE(start("me$key$127.0.0.1$2000$home$"));
    ASSERT_TRUE(advance(400));
    fp.socket.accept();
    ASSERT_TRUE(advance(200));
    auto sent = sentPackets();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0], client->connection.LoginPacket);
    EXPECT_EQ(hallCount(771), 1);
    EXPECT_TRUE(client->state.LoginSent);
    EXPECT_TRUE(client->connection.slots[net::kSlotLinkWatch].flag);
    ASSERT_TRUE(advance(2000));
    EXPECT_TRUE(fp.socket.sent.empty());
    EXPECT_EQ(hallCount(771), 1);
}

TEST_F(Transport, QueuedPacketsLeaveOnePerTickInOrderWithTheToken) {
    startConnected();
    record();
    // The first packet before anything came in carries 0, 0.
    wire::GamePacket first = wire::KeepAlive{4}.encode();
    client->connection.QueuePacket(first);
    ASSERT_TRUE(advance(50));
    auto sent = sentPackets();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0][260], 0);
    EXPECT_EQ(sent[0][261], 0);

    deliver(inbound(20, 0xAB, 0xCD));
    ASSERT_TRUE(advance(100));
    ASSERT_EQ(dispatched.size(), 1u);
    for (std::uint8_t code : {7, 8, 9}) {
        wire::GamePacket p = wire::makePacket(code, 4);
        client->connection.QueuePacket(p);
    }
    std::vector<std::pair<std::int64_t, int>> leaving;
    for (int tick = 0; tick < 5; ++tick) {
        ASSERT_TRUE(advance(50));
        for (auto& p : sentPackets()) {
            leaving.push_back({fp.loop.nowMs(), p[3]});
            EXPECT_EQ(p[260], 0xAB);
            EXPECT_EQ(p[261], 0xCD);
        }
    }
    ASSERT_EQ(leaving.size(), 3u);
    EXPECT_EQ(leaving[0].second, 7);
    EXPECT_EQ(leaving[1].second, 8);
    EXPECT_EQ(leaving[2].second, 9);
    EXPECT_EQ(leaving[1].first - leaving[0].first, 50);
    EXPECT_EQ(leaving[2].first - leaving[1].first, 50);
}

TEST_F(Transport, InboundPacketsAreCutAndDispatchedOnTheSecondTick) {
    startConnected();
    record();
    // Align to just after a tick, so "ticks after arrival" are counted exactly.
    std::int64_t t0 = fp.loop.nowMs();
    wire::GamePacket a = inbound(23, 1, 2);
    a[100] = 0x5A;
    deliver(a, 0, 100);
    ASSERT_TRUE(advance(150));
    EXPECT_TRUE(dispatched.empty());
    deliver(a, 100, 272);
    std::int64_t arrived = fp.loop.nowMs();
    ASSERT_TRUE(advance(50));
    EXPECT_TRUE(dispatched.empty()) << "not on the first tick";
    ASSERT_TRUE(advance(50));
    ASSERT_EQ(dispatched.size(), 1u);
    EXPECT_EQ(dispatched[0], a);
    EXPECT_EQ(dispatchTimes[0] - arrived, 100);
    (void)t0;

    // Two packets at once: the second tick after arrival, then the next one.
    dispatched.clear();
    dispatchTimes.clear();
    platform::Bytes two(544);
    two[3] = 20;
    two[272 + 3] = 23;
    fp.socket.deliver(two);
    fp.loop.drain();
    arrived = fp.loop.nowMs();
    ASSERT_TRUE(advance(300));
    ASSERT_EQ(dispatched.size(), 2u);
    EXPECT_EQ(dispatched[0][3], 20);
    EXPECT_EQ(dispatched[1][3], 23);
    EXPECT_EQ(dispatchTimes[0] - arrived, 100);
    EXPECT_EQ(dispatchTimes[1] - dispatchTimes[0], 50);

    // 271 bytes are never a packet.
    dispatched.clear();
    fp.socket.deliver(platform::Bytes(271, 1));
    fp.loop.drain();
    ASSERT_TRUE(advance(5000));
    EXPECT_TRUE(dispatched.empty());
    fp.socket.deliver(platform::Bytes(1, 1));
    fp.loop.drain();
    ASSERT_TRUE(advance(100));
    EXPECT_EQ(dispatched.size(), 1u);
}

// A handler that pauses (the tribute's cards on show for two seconds) holds the
// pump: the packet behind it in the ring waits until the handler is done and is
// then dispatched on the first tick of the pump after it (it arrived long before),
// with the hand already whole.
TEST_F(Transport, APacketWaitsInTheRingWhileTheHandlerBeforeItPauses) {
    startConnected();
    client->state.LoginAccepted = true;
    client->state.PlayerRecord[0].seatBit = 1;
    record();
    std::vector<int> handAtDispatch;
    auto recordOne = client->dispatcher.onDispatch;
    client->dispatcher.onDispatch = [&](const wire::GamePacket& p) {
        recordOne(p);
        handAtDispatch.push_back(client->state.PlayerRecord[0].cards.count());
    };
    wire::Tribute t;
    t.receiver = 1;
    t.giver = 8;
    t.kind = 1;
    t.stage = wire::TributeStage::kMade;
    t.count = 1;
    t.cards[0] = rules::composeCard(14, rules::kSuitHearts, 0, 40);
    const wire::GamePacket tribute = t.encode();
    const wire::GamePacket ready = inbound(23, 7, 7);
    platform::Bytes both(tribute.begin(), tribute.end());
    both.insert(both.end(), ready.begin(), ready.end());
    fp.socket.deliver(both);
    fp.loop.drain();
    ASSERT_TRUE(advance(1500));
    ASSERT_EQ(dispatched.size(), 1u) << "the second packet waits out the pause";
    ASSERT_TRUE(advance(1500));
    ASSERT_EQ(dispatched.size(), 2u);
    EXPECT_EQ(dispatched[1][3], 23);
    EXPECT_EQ(dispatchTimes[1] - dispatchTimes[0], 2000 + 50);
    EXPECT_EQ(handAtDispatch, (std::vector<int>{0, 1})) << "the card joined before";
}

TEST_F(Transport, TheReconnectResultDoesNotTakeTheToken) {
    startConnected();
    record();
    deliver(inbound(20, 3, 4));
    wire::GamePacket resumed = inbound(29, 9, 9);
    resumed[15] = 1;  // the game is resumed; a refusal would end the process
    deliver(resumed);
    ASSERT_TRUE(advance(300));
    ASSERT_EQ(dispatched.size(), 2u);
    EXPECT_EQ(client->connection.send.token.b0, 3);
    EXPECT_EQ(client->connection.send.token.b1, 4);
}

TEST_F(Transport, ChatText) {
    startConnected();
    auto chatPacket = [&](const std::string& text, std::uint8_t byte11 = 0) {
        client->connection.send.ChatText = text;
        wire::Chat c;
        c.sender = 4;
        c.kind = static_cast<wire::ChatKind>(byte11);
        wire::GamePacket p = c.encode();
        p[200] = 0x77;  // caller's payload: kept only when byte 11 is 1
        bool queued = client->connection.QueuePacket(p);
        EXPECT_TRUE(advance(50));
        auto sent = sentPackets();
        EXPECT_EQ(sent.size(), queued ? 1u : 0u);
        return sent.empty() ? std::optional<wire::GamePacket>() : sent[0];
    };
    // 101 characters: the first 100 go out.
    std::string long101(101, 'x');
    long101[100] = 'Y';
    auto p = chatPacket(long101);
    ASSERT_TRUE(p);
    EXPECT_EQ((*p)[16 + 99], 'x');
    EXPECT_EQ((*p)[16 + 100], 0);
    EXPECT_TRUE(client->connection.send.ChatText.empty());
    // 100 double-byte characters fill 16..215.
    std::string wide;
    for (int i = 0; i < 100; ++i) wide += "牌";
    p = chatPacket(wide);
    ASSERT_TRUE(p);
    std::string gbk = wire::utf8ToGbk("牌");
    ASSERT_EQ(gbk.size(), 2u);
    EXPECT_EQ((*p)[16], static_cast<std::uint8_t>(gbk[0]));
    EXPECT_EQ((*p)[17], static_cast<std::uint8_t>(gbk[1]));
    EXPECT_EQ((*p)[214], static_cast<std::uint8_t>(gbk[0]));
    EXPECT_EQ((*p)[215], static_cast<std::uint8_t>(gbk[1]));
    for (int i = 216; i < 260; ++i) EXPECT_EQ((*p)[static_cast<std::size_t>(i)], 0) << i;
    // Leading blanks are sent with the text.
    p = chatPacket("  hi");
    ASSERT_TRUE(p);
    EXPECT_EQ(std::string(p->begin() + 16, p->begin() + 20), "  hi");
    // A blank line is not sent and the text stays.
    EXPECT_FALSE(chatPacket("   "));
    EXPECT_EQ(client->connection.send.ChatText, "   ");
    // Byte 11 = 1: the caller's payload leaves unchanged, the text is untouched.
    client->connection.send.ChatText = "keep";
    wire::Chat phrase;
    phrase.sender = 4;
    phrase.kind = wire::ChatKind::kVoice;
    phrase.phrase[0] = 5;
    wire::GamePacket voice = phrase.encode();
    ASSERT_TRUE(client->connection.QueuePacket(voice));
    ASSERT_TRUE(advance(50));
    auto sent = sentPackets();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0][16], 5);
    EXPECT_EQ(client->connection.send.ChatText, "keep");
}

TEST_F(Transport, AFullSendRingRefusesNewPacketsAndKeepsWhatIsQueued) {
    startConnected();
    int accepted = 0;
    for (int i = 0; i < 200; ++i) {
        wire::GamePacket p = wire::KeepAlive{static_cast<std::uint8_t>(i)}.encode();
        if (client->connection.QueuePacket(p)) ++accepted;
    }
    EXPECT_EQ(accepted, 127);
    ASSERT_TRUE(advance(50 * 130));
    auto sent = sentPackets();
    ASSERT_EQ(sent.size(), 127u);
    for (int i = 0; i < 127; ++i) EXPECT_EQ(sent[static_cast<std::size_t>(i)][6], i);
}

TEST_F(Transport, AQueuedLeavePacketReturnsToTheHall) {
    startConnected();
    hallGot.clear();
    wire::GamePacket leave = wire::LeaveOrContinue{4, wire::GameOverCase::kLeave}.encode();
    client->connection.QueuePacket(leave);
    ASSERT_TRUE(advance(50));
    EXPECT_EQ(sentPackets().size(), 1u);
    EXPECT_EQ(client->MainForm.windowState, ui::WindowState::kMinimized);
    EXPECT_EQ(hallCount(platform::SC_RESTORE), 1);

    // Without a hall window the process ends after writing it.
    fp.hallWindow.close();
    client->connection.QueuePacket(leave);
    EXPECT_FALSE(advance(50));
    EXPECT_EQ(endedWith, 0);
    EXPECT_EQ(sentPackets().size(), 1u);
}

TEST_F(Transport, ReceiveRingOverflowGivesUpTheTable) {
    startConnected();
    client->dispatcher.onDispatch = [](const wire::GamePacket&) {};
    hallGot.clear();
    fp.socket.deliver(platform::Bytes(net::kRingSize, 0));
    EXPECT_FALSE(guarded([&] { fp.loop.drain(); }));
    ASSERT_FALSE(fp.hallNet.log.empty());
    EXPECT_EQ(fp.hallNet.log.back(), (platform::HallMessage{"Brenmoor", platform::WM_SYSCOMMAND,
                                                            platform::SC_RESTORE, 0}));
}

TEST_F(Transport, SeatRecordResetKeepsAnIncompleteTail) {
    startConnected();
    record();
    wire::GamePacket p = inbound(23);
    p[271] = 0x42;
    deliver(p, 0, 100);
    client->reset.seatRecordReset();
    deliver(p, 100, 272);
    ASSERT_TRUE(advance(150));
    ASSERT_EQ(dispatched.size(), 1u);
    EXPECT_EQ(dispatched[0], p);
}

TEST_F(Transport, ContinueCountdownRunsOutAndSendsTheContinue) {
    startConnected();
    client->state.LoginAccepted = true;
    client->state.PlayerRecord[0].seatBit = 8;
    client->hallButtons.startContinueCountdown();
    ui::Control& number = client->MainForm.at("Number");
    EXPECT_EQ(number.caption, "15");
    ASSERT_TRUE(advance(60));
    EXPECT_EQ(number.caption, "14");
    EXPECT_EQ(number.foreColor, 0x00C000u);
    ASSERT_TRUE(advance(9000));
    EXPECT_EQ(number.caption, "5");
    EXPECT_EQ(number.foreColor, 0xE00000u);
    EXPECT_TRUE(sentPackets().empty());
    ASSERT_TRUE(advance(6000));
    EXPECT_FALSE(number.visible);
    EXPECT_TRUE(client->state.GameResetDone);
    ASSERT_TRUE(advance(100));
    auto sent = sentPackets();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0][3], 16);
    EXPECT_EQ(sent[0][6], 8);
    EXPECT_EQ(sent[0][15], 1);
    EXPECT_FALSE(client->connection.slots[net::kSlotContinue].flag);
}

}  // namespace
