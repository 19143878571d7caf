// Keep-alive, the two watches that notice a dead link, and the reconnect
// controller, on the fake socket in virtual time.
#include <gtest/gtest.h>

#include "client_fixture.h"
#include "table_packets.h"
#include "wire/keep_alive.h"

namespace {

constexpr std::uint8_t kOwnBit = 4;
constexpr std::uint8_t kToken0 = 0x12, kToken1 = 0x34;
const std::string kReconnecting = "正在重新连接服务器...";

struct Sent {
    std::int64_t atMs;
    wire::GamePacket packet;
};

struct LinkWatch : ClientFixture {
    std::vector<std::string> sys(int i) { return client->MainForm.at("Sysmsg", i).items; }

    // The login accepted at seat bit 4, with the server token 0x12 0x34 taken.
    void acceptLogin() {
        ASSERT_TRUE(dispatch(testpk::loginResult(1)));
        testpk::Seat me;
        me.ownSeatByte = me.seatByte = kOwnBit;
        me.account = "me";
        ASSERT_TRUE(dispatch(me.build()));
        ASSERT_TRUE(dispatch(inbound(200, kToken0, kToken1)));
        hallGot.clear();
    }
    void loggedIn() {
        startConnected();
        acceptLogin();
    }
    // Runs ms of virtual time in pump ticks, collecting every packet written.
    std::vector<Sent> collect(std::int64_t ms) {
        std::vector<Sent> out;
        for (std::int64_t t = 0; t < ms; t += 50) {
            EXPECT_TRUE(advance(50));
            while (fp.socket.sent.size() >= wire::kPacketSize) {
                auto b = fp.socket.takeSent(wire::kPacketSize);
                Sent s{fp.loop.nowMs(), {}};
                std::copy(b.begin(), b.end(), s.packet.begin());
                out.push_back(s);
            }
        }
        return out;
    }
    bool advanceTo(std::int64_t t) { return advance(t - fp.loop.nowMs()); }
    // The peer drops the link during a game; returns when the link watch has
    // stopped itself to start the recovery, at the time it did (within two pump
    // ticks of the loss).
    std::int64_t loseLinkInGame() {
        client->state.InGame = true;
        const std::int64_t lost = fp.loop.nowMs();
        fp.socket.peerClose();
        while (client->connection.slots[net::kSlotLinkWatch].flag && fp.loop.nowMs() < lost + 100)
            EXPECT_TRUE(advance(50));
        EXPECT_FALSE(client->connection.slots[net::kSlotLinkWatch].flag);
        EXPECT_TRUE(client->connection.reconnect.loaded());
        return fp.loop.nowMs();
    }
    // The login packet written to the socket by the next connect.
    wire::GamePacket nextLogin() {
        fp.socket.takeSent();
        fp.socket.accept();
        auto sent = collect(200);
        EXPECT_EQ(sent.size(), 1u);
        return sent.empty() ? wire::GamePacket{} : sent[0].packet;
    }
};

TEST_F(LinkWatch, KeepAliveEveryFiveSecondsFromTheLoginResultUntilTheDisconnectReset) {
    startConnected();
    EXPECT_TRUE(collect(6000).empty());  // nothing before the login result
    acceptLogin();
    const std::int64_t loginAt = fp.loop.nowMs();

    auto sent = collect(20'000);
    ASSERT_EQ(sent.size(), 4u);
    wire::GamePacket expected = wire::KeepAlive{kOwnBit}.encode();
    expected[wire::kTokenByte] = kToken0;
    expected[wire::kTokenByte + 1] = kToken1;
    for (std::size_t k = 0; k < sent.size(); ++k) {
        SCOPED_TRACE(k);
        const std::int64_t due = loginAt + 5000 * static_cast<std::int64_t>(k + 1);
        EXPECT_GE(sent[k].atMs, due);
        EXPECT_LE(sent[k].atMs, due + 100);  // the next pump tick writes it
        EXPECT_EQ(sent[k].packet, expected);
    }

    ASSERT_TRUE(guarded([&] { client->shell.disconnectReset(); }));
    EXPECT_FALSE(client->connection.TimerKeepAlive.enabled());
    // Connected again, only the login leaves until a new login result.
    client->connection.connectDirect();
    fp.socket.accept();
    sent = collect(20'000);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].packet[3], 18);
}

// Each case needs a process of its own: a fresh platform, so a fresh fixture.
struct Silence : LinkWatch, ::testing::WithParamInterface<bool> {};

TEST_P(Silence, DuringAGameTheTableIsGivenUpOnThe5000thRun) {
    const bool hallPresent = GetParam();
    loggedIn();
    if (!hallPresent) fp.hallWindow.close();
    client->state.InGame = true;
    std::int64_t lastPacket = -1;
    client->dispatcher.onDispatch = [&](const wire::GamePacket&) { lastPacket = fp.loop.nowMs(); };
    deliver(inbound(200));
    ASSERT_TRUE(advance(150));
    ASSERT_GT(lastPacket, 0);
    // The receive slot runs every 100 ms after the last packet.
    ASSERT_TRUE(advanceTo(lastPacket + 100 * 4999 + 50));
    EXPECT_EQ(client->state.SilenceTicks, 4999);
    EXPECT_TRUE(client->state.InGame);
    EXPECT_EQ(hallCount(platform::SC_RESTORE), 0);

    const bool running = advanceTo(lastPacket + 100 * 5000 + 50);
    if (!hallPresent) {
        EXPECT_FALSE(running);
        EXPECT_EQ(endedWith, 0);
        return;
    }
    ASSERT_TRUE(running);
    EXPECT_EQ(client->state.SilenceTicks, 0);
    EXPECT_FALSE(client->state.InGame);
    EXPECT_EQ(hallCount(platform::SC_RESTORE), 1);
    EXPECT_EQ(client->MainForm.windowState, ui::WindowState::kMinimized);
    EXPECT_EQ(client->state.PlayerRecord[0].seatBit, 0);  // the table was reset
    EXPECT_NE(fp.socket.state(), platform::kSockConnected);
    EXPECT_FALSE(client->connection.reconnect.loaded());
    // The reason stays in the message area for when the table window returns.
    EXPECT_EQ(sys(0), std::vector<std::string>{"已经与服务器断开连接，请重新入座！"});
}

INSTANTIATE_TEST_SUITE_P(HallPresentOrGone, Silence, ::testing::Bool());

enum class Outcome { kBackToHall, kRecovery, kProcessEnds };
struct LossCase {
    bool inGame, hallPresent;
    Outcome outcome;
    const char* why;
    friend void PrintTo(const LossCase& c, std::ostream* os) { *os << c.why; }
};
const LossCase kLossCases[] = {
    {false, true, Outcome::kBackToHall, "outside a game the hall comes back, without a message"},
    {true, true, Outcome::kRecovery, "a game whose login was accepted is recovered"},
    {false, false, Outcome::kProcessEnds, "without a hall window the process ends"},
    {true, false, Outcome::kProcessEnds, "without a hall window the process ends, even in a game"},
};
struct LostLink : LinkWatch, ::testing::WithParamInterface<LossCase> {};

TEST_P(LostLink, LeadsBackToTheHallToRecoveryOrToTheEnd) {
    const LossCase& c = GetParam();
    SCOPED_TRACE(c.why);
    loggedIn();
    if (!c.hallPresent) fp.hallWindow.close();
    client->state.InGame = c.inGame;
    if (c.inGame) client->connection.stopKeepAlive();  // as the deal does
    client->state.GameBegun = true;                    // a set of rounds is under way
    ui::Control& talk = fp.windows.form("Talk").add("Text1", ui::ControlKind::kListBox);
    talk.items = {"p1: hi"};
    const int connects = fp.socket.connectCalls;
    fp.socket.peerClose();
    const bool running = advance(100);  // two pump ticks
    if (c.outcome == Outcome::kProcessEnds) {
        EXPECT_FALSE(running);
        EXPECT_EQ(endedWith, 0);
        return;
    }
    ASSERT_TRUE(running);
    const bool back = c.outcome == Outcome::kBackToHall;
    EXPECT_EQ(hallCount(platform::SC_RESTORE), back ? 1 : 0);
    EXPECT_EQ(client->MainForm.windowState == ui::WindowState::kMinimized, back);
    EXPECT_EQ(client->state.PlayerRecord[0].seatBit, back ? 0 : kOwnBit);
    EXPECT_EQ(client->connection.reconnect.loaded(), !back);
    EXPECT_FALSE(fp.windows.form("frmReconnect").visible);
    EXPECT_EQ(client->connection.TimerKeepAlive.enabled(), !back);
    EXPECT_FALSE(client->connection.slots[net::kSlotLinkWatch].flag);
    EXPECT_EQ(fp.socket.connectCalls, connects);  // the first attempt comes 3 s later
    // The table that is given up leaves no set of rounds and no private talk.
    EXPECT_EQ(client->state.GameBegun, !back);
    EXPECT_EQ(talk.items.empty(), back);
    if (back) {
        EXPECT_TRUE(sys(0).empty());
        EXPECT_TRUE(sys(1).empty());
    } else {
        EXPECT_FALSE(client->state.LoginAccepted);  // until the next login's answer
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, LostLink, ::testing::ValuesIn(kLossCases));

struct EarlyLossCase {
    const char* why;
    void (*resolve)(LinkWatch&);
    bool recovery;
    friend void PrintTo(const EarlyLossCase& c, std::ostream* os) { *os << c.why; }
};
const EarlyLossCase kEarlyLossCases[] = {
    {"the login is accepted: the recovery starts",
     [](LinkWatch& f) { ASSERT_TRUE(f.dispatch(testpk::loginResult(1))); }, true},
    {"the game flag clears: back to the hall", [](LinkWatch& f) { f.client->state.InGame = false; },
     false},
};
struct LossBeforeTheLoginResult : LinkWatch, ::testing::WithParamInterface<EarlyLossCase> {};

TEST_P(LossBeforeTheLoginResult, WaitsForItOrForTheGameToEnd) {
    const EarlyLossCase& c = GetParam();
    SCOPED_TRACE(c.why);
    startConnected();  // the login is out, its answer is not in
    hallGot.clear();
    client->state.InGame = true;
    const int connects = fp.socket.connectCalls;
    fp.socket.peerClose();
    ASSERT_TRUE(advance(30'000));
    EXPECT_FALSE(client->connection.reconnect.loaded());
    EXPECT_EQ(fp.socket.connectCalls, connects);
    EXPECT_EQ(hallCount(platform::SC_RESTORE), 0);
    EXPECT_NE(client->MainForm.windowState, ui::WindowState::kMinimized);
    EXPECT_TRUE(client->connection.slots[net::kSlotLinkWatch].flag);  // still watching

    c.resolve(*this);
    ASSERT_TRUE(advance(100));
    EXPECT_EQ(client->connection.reconnect.loaded(), c.recovery);
    EXPECT_EQ(hallCount(platform::SC_RESTORE), c.recovery ? 0 : 1);
}

INSTANTIATE_TEST_SUITE_P(Cases, LossBeforeTheLoginResult, ::testing::ValuesIn(kEarlyLossCases));

TEST_F(LinkWatch, WithTheServerGoneTwentyOneAttemptsThreeSecondsApartThenTheFailureBox) {
    loggedIn();
    const std::int64_t noticed = loseLinkInGame();
    const int connects = fp.socket.connectCalls, closes = fp.socket.closeCalls;
    fp.socket.remoteHost.clear();
    client->MainForm.at("Sysmsg", 0).items.clear();
    for (int k = 1; k <= 21; ++k) {
        SCOPED_TRACE(k);
        // The start delay takes 1 ms, then one attempt every 3 s.
        const std::int64_t due = noticed + 1 + 3000 * k;
        ASSERT_TRUE(advanceTo(due - 1));
        EXPECT_EQ(fp.socket.connectCalls, connects + k - 1);
        EXPECT_TRUE(sys(0).empty());
        ASSERT_TRUE(advanceTo(due));
        EXPECT_EQ(fp.socket.connectCalls, connects + k);
        EXPECT_EQ(fp.socket.closeCalls, closes + k);  // each attempt starts afresh
        EXPECT_EQ(fp.socket.remoteHost, "127.0.0.1");
        EXPECT_EQ(fp.socket.remotePort, 2000);
        EXPECT_TRUE(client->connection.slots[net::kSlotConnect].flag);
        EXPECT_EQ(sys(0), std::vector<std::string>{kReconnecting});
        EXPECT_TRUE(sys(1).empty());
        client->MainForm.at("Sysmsg", 0).items.clear();  // so the next line is a new one
        client->MainForm.at("Sysmsg", 1).items.push_back("x");
    }
    EXPECT_TRUE(fp.shell.messages.empty());
    ASSERT_TRUE(advanceTo(noticed + 1 + 3000 * 22 - 1));
    EXPECT_TRUE(fp.shell.messages.empty());
    EXPECT_FALSE(advance(1));
    EXPECT_EQ(endedWith, 0);
    EXPECT_EQ(fp.socket.connectCalls, connects + 21);
    ASSERT_EQ(fp.shell.messages.size(), 1u);
    EXPECT_EQ(fp.shell.messages[0].text, "重连失败，请检查您的网络！");
    EXPECT_EQ(fp.shell.messages[0].title, "");
    EXPECT_EQ(fp.shell.messages[0].buttons, platform::MB_OK);
    fp.loop.drain();
    EXPECT_EQ(hallCount(platform::SC_RESTORE), 1);
}

TEST_F(LinkWatch, AReconnectMarksEveryLaterLoginWithTheTokenOfThatMoment) {
    loggedIn();
    const std::int64_t noticed = loseLinkInGame();
    ASSERT_TRUE(advanceTo(noticed + 3001));  // the first attempt
    wire::GamePacket login = nextLogin();
    EXPECT_EQ(login[3], 18);
    EXPECT_EQ(login[4], 28);
    EXPECT_EQ(login[261], kToken0);
    EXPECT_EQ(login[262], kToken1);
    EXPECT_EQ(login[16], 'm');  // the account is still there
    EXPECT_TRUE(client->connection.slots[net::kSlotLinkWatch].flag);
    // The next tick of the controller sees the link up and leaves.
    ASSERT_TRUE(advanceTo(noticed + 6001));
    EXPECT_FALSE(client->connection.reconnect.loaded());
    EXPECT_FALSE(client->connection.reconnect.TimerCount.enabled());
    const int connects = fp.socket.connectCalls;
    ASSERT_TRUE(advance(10'000));
    EXPECT_EQ(fp.socket.connectCalls, connects);

    // The server answers; later packets bring another token. The player leaves and
    // the hall sends the client to a table again.
    ASSERT_TRUE(dispatch(testpk::loginResult(1)));
    ASSERT_TRUE(dispatch(inbound(200, 0x56, 0x78)));
    ASSERT_TRUE(guarded([&] { client->shell.disconnectReset(); }));
    client->connection.connectDirect();
    login = nextLogin();
    EXPECT_EQ(login[4], 28);
    EXPECT_EQ(login[261], kToken0);
    EXPECT_EQ(login[262], kToken1);
}

TEST_F(LinkWatch, AControllerLeftIdleByAnEndedGameRecoversTheNextOutage) {
    loggedIn();
    std::int64_t noticed = loseLinkInGame();
    ASSERT_TRUE(advanceTo(noticed + 3001));
    ASSERT_EQ(sys(0), std::vector<std::string>{kReconnecting});
    // The game ends while the link is down: the controller stops and stays loaded.
    client->state.InGame = false;
    ASSERT_TRUE(advanceTo(noticed + 6001));
    EXPECT_TRUE(client->connection.reconnect.loaded());
    EXPECT_FALSE(client->connection.reconnect.TimerCount.enabled());
    const int connects = fp.socket.connectCalls;
    ASSERT_TRUE(advance(10'000));
    EXPECT_EQ(fp.socket.connectCalls, connects);

    // Back at a table later, the next loss in a game is recovered again, from the
    // first attempt.
    ASSERT_TRUE(guarded([&] { client->shell.disconnectReset(); }));
    client->connection.connectDirect();
    nextLogin();
    ASSERT_TRUE(dispatch(testpk::loginResult(1)));
    noticed = loseLinkInGame();
    EXPECT_EQ(client->connection.reconnect.ReconnectAttempts, 0);
    ASSERT_TRUE(advanceTo(noticed + 3001));
    EXPECT_EQ(fp.socket.connectCalls, connects + 2);  // the hall's connect, one attempt
    EXPECT_EQ(client->connection.reconnect.ReconnectAttempts, 1);
    EXPECT_EQ(sys(0), std::vector<std::string>{kReconnecting});
}

// Through the proxy the socket is up as soon as the proxy takes it, but the game
// server is reached only once the tunnel is open. Until then the send drain writes
// nothing into the handshake (a keep-alive there would be read as the proxy's
// request), and the reconnect controller does not take the proxy's connection for
// the recovery: a handshake still unanswered at its next tick is tried again.
TEST_F(LinkWatch, ThroughTheProxyTheGameLinkIsUpOnlyOnceTheTunnelIsOpen) {
    using platform::Bytes;
    loggedIn();
    net::ServerTarget target = client->connection.target();
    target.mode = 5;
    target.proxy = {"127.0.0.9", 1080, "", "", "127.0.0.1", 2000};
    client->connection.setTarget(target);
    // The proxy takes every connection as soon as the handshake waits for it.
    fp.loop.onWait = [&](int) {
        if (fp.socket.state() == platform::kSockConnecting) fp.socket.accept();
    };
    const std::int64_t noticed = loseLinkInGame();
    fp.socket.takeSent();
    const Bytes greeting{5, 2, 0, 2};

    ASSERT_TRUE(advanceTo(noticed + 3001));
    EXPECT_EQ(client->connection.reconnect.ReconnectAttempts, 1);
    EXPECT_EQ(fp.socket.takeSent(), greeting);
    // The proxy stays silent past a keep-alive and the controller's next tick.
    ASSERT_TRUE(advanceTo(noticed + 6001));
    EXPECT_EQ(client->connection.reconnect.ReconnectAttempts, 2);
    EXPECT_EQ(fp.socket.takeSent(), greeting);

    fp.socket.deliver({5, 0});
    fp.socket.deliver({5, 0, 0, 1, 127, 0, 0, 1, 0x07, 0xD0});
    ASSERT_TRUE(advance(50));
    EXPECT_FALSE(client->connection.ProxyPhase());
    EXPECT_EQ(fp.socket.takeSent(10), (Bytes{5, 1, 0, 1, 127, 0, 0, 1, 0x07, 0xD0}));
    const Bytes login = fp.socket.takeSent(wire::kPacketSize);
    ASSERT_EQ(login.size(), wire::kPacketSize);
    EXPECT_EQ(login[4], 28);
    EXPECT_EQ(login[261], kToken0);
    EXPECT_EQ(login[262], kToken1);
    // The tunnel is the recovery: the controller stops, the keep-alive goes out.
    ASSERT_TRUE(advanceTo(noticed + 11001));
    EXPECT_EQ(client->connection.reconnect.ReconnectAttempts, 2);
    EXPECT_FALSE(client->connection.reconnect.TimerCount.enabled());
    const auto sent = collect(5000);
    ASSERT_FALSE(sent.empty());
    EXPECT_EQ(sent[0].packet[wire::kCommandByte], 24);
}

struct ModeCase {
    std::int16_t mode;
    const char* connectsTo;  // where the socket connects; empty: nowhere
    bool directConnect;      // slot 2 watches the connection and sends the login
    int closes;  // the attempt's close, and the handshake's when its proxy never answers
    const char* why;
    friend void PrintTo(const ModeCase& c, std::ostream* os) { *os << c.why; }
};
const ModeCase kModeCases[] = {
    {0, "127.0.0.1", true, 1, "direct: the same server again, slot 2 sends the login"},
    {5, "127.0.0.9", false, 2, "proxy: the handshake connects to the proxy, not slot 2"},
    {3, "", false, 1, "any other mode: the socket is only closed"},
};
struct Attempt : LinkWatch, ::testing::WithParamInterface<ModeCase> {};

TEST_P(Attempt, MarksTheLoginAndConnectsByTheConnectionMode) {
    const ModeCase& c = GetParam();
    SCOPED_TRACE(c.why);
    loggedIn();
    net::ServerTarget target = client->connection.target();
    target.mode = c.mode;
    target.proxy.proxyHost = "127.0.0.9";
    target.proxy.proxyPort = 1080;
    client->connection.setTarget(target);
    fp.socket.remoteHost.clear();
    const int connects = fp.socket.connectCalls, closes = fp.socket.closeCalls;
    ASSERT_TRUE(guarded([&] { client->connection.reconnectAttempt(); }));
    EXPECT_EQ(fp.socket.closeCalls, closes + c.closes);
    EXPECT_EQ(client->connection.LoginPacket[4], 28);
    EXPECT_EQ(client->connection.LoginPacket[261], kToken0);
    EXPECT_EQ(client->connection.LoginPacket[262], kToken1);
    EXPECT_EQ(fp.socket.remoteHost, c.connectsTo);
    EXPECT_EQ(fp.socket.connectCalls == connects + 1, *c.connectsTo != 0);
    EXPECT_EQ(client->connection.slots[net::kSlotConnect].flag, c.directConnect);
    if (c.mode != 5) EXPECT_FALSE(client->connection.ProxyPhase());
}

INSTANTIATE_TEST_SUITE_P(Modes, Attempt, ::testing::ValuesIn(kModeCases));

}  // namespace
