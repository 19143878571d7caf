// The proxy handshake against the fake socket, in virtual time: what is written to
// the proxy after each reply, when a reply counts as arrived, each refusal with
// its message and the socket closed after it, and the bounded wait for the proxy.
#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "net/proxy_handshake.h"
#include "net/proxy_requests.h"
#include "platform/fake/fake_event_loop.h"
#include "platform/fake/fake_shell.h"
#include "platform/fake/fake_socket.h"

namespace {

using platform::Bytes;

// A shell that also notes the socket's state as each box shows and can run work
// while a box is open (a modal box lets events run).
struct BoxShell : platform::FakeShell {
    explicit BoxShell(const platform::TcpSocket& s) : socket(s) {}
    int messageBox(const std::string& text, const std::string& title, int buttons) override {
        socketStateAtBox.push_back(socket.state());
        if (duringBox) duringBox();
        return FakeShell::messageBox(text, title, buttons);
    }
    const platform::TcpSocket& socket;
    std::vector<int> socketStateAtBox;
    std::function<void()> duringBox;
};

// A connect reply that opens the tunnel, with an IPv4 bound address.
const Bytes kTunnelOpen = {5, 0, 0, 1, 127, 0, 0, 1, 0x1F, 0x90};

struct Proxy : ::testing::Test {
    platform::FakeEventLoop loop;
    platform::FakeSocket socket{loop};
    BoxShell shell{socket};
    int proxyConnected = 0;
    std::vector<Bytes> tunnels;  // the bytes that followed each opening reply
    int hallRestored = 0;
    net::ProxyHandshake proxy{socket, shell, loop,
                              net::ProxyHandshake::Hooks{
                                  [this] { ++proxyConnected; },
                                  [this](const Bytes& following) { tunnels.push_back(following); },
                                  [this] { ++hallRestored; },
                              }};
    net::ProxySettings settings{"10.1.2.3", 1080, "", "", "192.168.7.20", 8888};

    Proxy() {
        // The connection's data arrival and peer-closed handler, as far as the
        // handshake is concerned.
        socket.onData = [this](const Bytes& b) {
            if (proxy.ProxyPhase()) proxy.onBytes(b);
        };
        socket.onClosed = [this] {
            if (proxy.ProxyPhase()) proxy.onPeerClosed();
            socket.close();
        };
    }
    // The proxy accepts the connection at once; the greeting is checked and taken
    // off the socket.
    void startAccepted() {
        loop.post([this] { socket.accept(); });
        proxy.start(settings);
        ASSERT_EQ(socket.takeSent(), (Bytes{5, 2, 0, 2}));
    }
    // One data arrival from the proxy.
    void arrive(const Bytes& b) {
        socket.deliver(b);
        loop.drain();
    }
    std::vector<std::string> boxes() const {
        std::vector<std::string> out;
        for (const auto& m : shell.messages) out.push_back(m.text);
        return out;
    }
};

// One exchange: the proxy's reply, and what the client writes after it.
struct Exchange {
    Bytes reply;
    Bytes written;
};

struct HandshakeCase {
    const char* name;
    std::string user, password, serverHost;
    std::int16_t serverPort;
    std::vector<Exchange> exchanges;  // each up to the connect request
};

const Bytes kConnect8888 = {5, 1, 0, 1, 192, 168, 7, 20, 34, 184};

const HandshakeCase kHandshakes[] = {
    {"ProxyWithoutAuthenticationGetsTheConnectRequestAtOnce",
     "alice",
     "pw",
     "192.168.7.20",
     8888,
     {{{5, 0}, kConnect8888}}},
    {"EmptyUserAndPasswordGiveOneZeroZero",
     "",
     "",
     "192.168.7.20",
     8888,
     {{{5, 2}, {1, 0, 0}}, {{1, 0}, kConnect8888}}},
    {"UserAndPasswordOneByteACharacter",
     "alice",
     "s3cret",
     "192.168.7.20",
     8888,
     {{{5, 2}, {1, 5, 'a', 'l', 'i', 'c', 'e', 6, 's', '3', 'c', 'r', 'e', 't'}},
      {{1, 0}, kConnect8888}}},
    // 李 and é need two bytes in the code page, ☃ is not in it: each leaves a 0.
    {"ACharacterThatDoesNotFitInOneByteLeavesZero",
     "李a",
     "é☃1",
     "192.168.7.20",
     8888,
     {{{5, 2}, {1, 2, 0, 'a', 3, 0, 0, '1'}}, {{1, 0}, kConnect8888}}},
    {"PortAsTwoBytesHighFirst",
     "",
     "",
     "10.0.0.1",
     443,
     {{{5, 0}, {5, 1, 0, 1, 10, 0, 0, 1, 1, 187}}}},
    // A port the launch line gives as negative is its 16-bit value on the wire.
    {"NegativePortIsItsSixteenBitValue",
     "",
     "",
     "10.0.0.1",
     -1,
     {{{5, 0}, {5, 1, 0, 1, 10, 0, 0, 1, 255, 255}}}},
    // A host that is no dotted IPv4 address goes by name for the proxy to resolve.
    {"HostNameGoesByName",
     "",
     "",
     "game.test",
     2000,
     {{{5, 0}, {5, 1, 0, 3, 9, 'g', 'a', 'm', 'e', '.', 't', 'e', 's', 't', 7, 208}}}},
    {"AddressWithANumberAbove255GoesByName",
     "",
     "",
     "1.2.3.256",
     2000,
     {{{5, 0}, {5, 1, 0, 3, 9, '1', '.', '2', '.', '3', '.', '2', '5', '6', 7, 208}}}},
};

class Handshake : public Proxy, public ::testing::WithParamInterface<HandshakeCase> {};

TEST_P(Handshake, EachReplyIsAnsweredAndTheTunnelOpens) {
    const HandshakeCase& c = GetParam();
    settings.proxyUser = c.user;
    settings.proxyPassword = c.password;
    settings.serverHost = c.serverHost;
    settings.serverPort = c.serverPort;
    startAccepted();
    EXPECT_EQ(proxyConnected, 1);
    EXPECT_EQ(proxy.ProxyStep(), net::kGreetingSent);
    for (const Exchange& e : c.exchanges) {
        arrive(e.reply);
        EXPECT_EQ(socket.takeSent(), e.written);
        EXPECT_EQ(proxy.ProxyBuffer().writeIndex(), 0u) << "a request starts a new reply";
    }
    EXPECT_EQ(proxy.ProxyStep(), net::kConnectSent);
    EXPECT_TRUE(proxy.ProxyPhase());
    EXPECT_TRUE(tunnels.empty());
    arrive(kTunnelOpen);
    EXPECT_FALSE(proxy.ProxyPhase());
    ASSERT_EQ(tunnels.size(), 1u);
    EXPECT_TRUE(tunnels[0].empty());
    EXPECT_TRUE(socket.sent.empty());
    EXPECT_TRUE(shell.messages.empty());
    EXPECT_EQ(socket.closeCalls, 0);
}

INSTANTIATE_TEST_SUITE_P(Proxy, Handshake, ::testing::ValuesIn(kHandshakes),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Proxy, StartConnectsToTheProxyAndWaitsLettingEventsRun) {
    int ticks = 0;
    platform::Timer other(loop, 100, [&] { ++ticks; });
    other.setEnabled(true);
    platform::Timer proxyAccepts(loop, 730, [&] {
        // Nothing goes to the proxy before it has accepted the connection.
        EXPECT_TRUE(proxy.ProxyPhase());
        EXPECT_TRUE(socket.sent.empty());
        EXPECT_EQ(proxyConnected, 0);
        socket.accept();
    });
    proxyAccepts.setEnabled(true);
    proxy.start(settings);
    EXPECT_EQ(socket.remoteHost, "10.1.2.3");
    EXPECT_EQ(socket.remotePort, 1080);
    EXPECT_EQ(socket.connectCalls, 1);
    EXPECT_GE(loop.nowMs(), 730);
    EXPECT_LT(loop.nowMs(), 730 + net::ProxyHandshake::kConnectTimeoutMs / 10);
    EXPECT_EQ(ticks, 7);
    EXPECT_EQ(socket.takeSent(), (Bytes{5, 2, 0, 2}));
    EXPECT_EQ(proxyConnected, 1);
    EXPECT_TRUE(shell.messages.empty());
}

// Judging a reply only once all of it has arrived: a piece changes nothing.
struct SplitCase {
    const char* name;
    Bytes greetingReply;               // answered with the connect request (no authentication)
    std::vector<Bytes> connectPieces;  // the connect reply in arrivals
    Bytes following;                   // what the tunnel is handed
};

const SplitCase kSplits[] = {
    {"GreetingInTwoPieces", {5, 0}, {kTunnelOpen}, {}},
    {"ConnectReplyInFourPieces", {5, 0}, {{5}, {0, 0}, {1, 127, 0, 0}, {1, 0x1F, 0x90}}, {}},
    {"BoundAddressByName", {5, 0}, {{5, 0, 0, 3}, {4, 'h'}, {'o', 's', 't', 0x1F}, {0x90}}, {}},
    {"BoundAddressIpv6",
     {5, 0},
     {{5, 0, 0, 4, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, {1}, {0x1F, 0x90}},
     {}},
    {"GameBytesAfterTheReplyGoWithTheTunnel",
     {5, 0},
     {{5, 0, 0, 1, 127, 0, 0, 1}, {0x1F, 0x90, 0xAA, 0xBB, 0xCC}},
     {0xAA, 0xBB, 0xCC}},
};

class SplitReply : public Proxy, public ::testing::WithParamInterface<SplitCase> {};

TEST_P(SplitReply, IsJudgedWhenItsLastByteArrives) {
    const SplitCase& c = GetParam();
    startAccepted();
    // The greeting's reply a byte at a time.
    arrive({c.greetingReply[0]});
    EXPECT_TRUE(socket.sent.empty());
    EXPECT_EQ(proxy.ProxyStep(), net::kGreetingSent);
    arrive({c.greetingReply[1]});
    EXPECT_EQ(socket.takeSent(), kConnect8888);
    for (std::size_t i = 0; i + 1 < c.connectPieces.size(); ++i) {
        arrive(c.connectPieces[i]);
        EXPECT_TRUE(proxy.ProxyPhase()) << "after piece " << i;
        EXPECT_TRUE(tunnels.empty()) << "after piece " << i;
    }
    arrive(c.connectPieces.back());
    EXPECT_FALSE(proxy.ProxyPhase());
    ASSERT_EQ(tunnels.size(), 1u);
    EXPECT_EQ(tunnels[0], c.following);
    EXPECT_TRUE(shell.messages.empty());
}

INSTANTIATE_TEST_SUITE_P(Proxy, SplitReply, ::testing::ValuesIn(kSplits),
                         [](const auto& info) { return std::string(info.param.name); });

// Each refused step: its message box while the socket is still open, then the
// socket closed, nothing more written and nothing more judged.
struct RefusalCase {
    const char* name;
    std::string user;
    std::vector<Bytes> acceptedReplies;  // the steps before the refused one
    std::optional<Bytes> refusingReply;  // nullopt: the proxy closes instead
    const char* message;
};

const RefusalCase kRefusals[] = {
    {"NoAcceptableMethod", "", {}, Bytes{5, 0xFF}, "请求代理失败！"},
    {"MethodNotOffered", "", {}, Bytes{5, 1}, "请求代理失败！"},
    {"GreetingOfAnotherVersion", "", {}, Bytes{4, 0}, "请求代理失败！"},
    {"ClosedBeforeTheGreetingReply", "", {}, std::nullopt, "请求代理失败！"},
    {"WrongPassword", "u", {{5, 2}}, Bytes{1, 1}, "代理服务器用户验证失败！"},
    {"AuthenticationReplyOfAnotherVersion", "u", {{5, 2}}, Bytes{5, 0}, "代理服务器用户验证失败！"},
    {"ClosedBeforeTheAuthenticationReply", "u", {{5, 2}}, std::nullopt, "代理服务器用户验证失败！"},
    {"TargetRefused", "", {{5, 0}}, Bytes{5, 5, 0, 1, 0, 0, 0, 0, 0, 0}, "通过代理连接主站失败！"},
    {"HostUnreachableAfterAuthentication",
     "u",
     {{5, 2}, {1, 0}},
     Bytes{5, 4, 0, 1, 0, 0, 0, 0, 0, 0},
     "通过代理连接主站失败！"},
    {"ConnectReplyOfAnotherVersion",
     "",
     {{5, 0}},
     Bytes{4, 0, 0, 1, 0, 0, 0, 0, 0, 0},
     "通过代理连接主站失败！"},
    {"ClosedBeforeTheConnectReply", "", {{5, 0}}, std::nullopt, "通过代理连接主站失败！"},
    {"ClosedInTheMiddleOfTheConnectReply",
     "",
     {{5, 0}, {5, 0, 0, 1}},
     std::nullopt,
     "通过代理连接主站失败！"},
};

class Refusal : public Proxy, public ::testing::WithParamInterface<RefusalCase> {};

TEST_P(Refusal, ShowsItsMessageThenClosesTheSocket) {
    const RefusalCase& c = GetParam();
    settings.proxyUser = c.user;
    startAccepted();
    for (const Bytes& r : c.acceptedReplies) arrive(r);
    socket.takeSent();
    if (c.refusingReply) {
        arrive(*c.refusingReply);
    } else {
        socket.peerClose();
        loop.drain();
    }
    EXPECT_EQ(boxes(), std::vector<std::string>{c.message});
    EXPECT_EQ(shell.messages[0].title, "");
    EXPECT_EQ(shell.messages[0].buttons, platform::MB_OK);
    ASSERT_EQ(shell.socketStateAtBox.size(), 1u);
    if (c.refusingReply) {
        EXPECT_EQ(shell.socketStateAtBox[0], platform::kSockConnected);
    }
    EXPECT_EQ(socket.state(), platform::kSockClosed);
    EXPECT_TRUE(socket.sent.empty());
    EXPECT_TRUE(tunnels.empty());
    // Whatever comes after is not judged again.
    arrive(kTunnelOpen);
    arrive({5, 0});
    EXPECT_EQ(shell.messages.size(), 1u);
    EXPECT_TRUE(tunnels.empty());
    EXPECT_TRUE(socket.sent.empty());
}

INSTANTIATE_TEST_SUITE_P(Proxy, Refusal, ::testing::ValuesIn(kRefusals),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Proxy, AGameServerAddressNoRequestCanCarryIsATunnelRefused) {
    settings.serverHost = "";
    startAccepted();
    arrive({5, 0});
    EXPECT_EQ(boxes(), std::vector<std::string>{"通过代理连接主站失败！"});
    EXPECT_TRUE(socket.sent.empty());
    EXPECT_EQ(socket.state(), platform::kSockClosed);
}

TEST_F(Proxy, AnUnreachableProxyIsReportedAfterTheTimeOut) {
    proxy.start(settings);  // the proxy never answers the connection
    EXPECT_EQ(loop.nowMs(), net::ProxyHandshake::kConnectTimeoutMs);
    EXPECT_EQ(boxes(), std::vector<std::string>{"连接代理服务器失败！"});
    EXPECT_EQ(socket.state(), platform::kSockClosed);
    EXPECT_TRUE(socket.sent.empty());
    EXPECT_EQ(proxyConnected, 0);
}

TEST_F(Proxy, AProxyRefusingTheConnectionIsReportedAtOnce) {
    platform::Timer refuses(loop, 120, [&] { socket.refuse(); });
    refuses.setEnabled(true);
    proxy.start(settings);
    EXPECT_LT(loop.nowMs(), 120 + 2 * net::ProxyHandshake::kConnectPollMs);
    EXPECT_EQ(boxes(), std::vector<std::string>{"连接代理服务器失败！"});
    EXPECT_EQ(socket.state(), platform::kSockClosed);
    EXPECT_TRUE(socket.sent.empty());
}

// The connection leaves ProxyPhase (the hall's connect-again, a reconnect, the
// disconnect reset) while start is still waiting: the wait ends without a word.
TEST_F(Proxy, LeavingDuringTheWaitEndsItSilently) {
    platform::Timer leaves(loop, 500, [&] { proxy.leave(); });
    leaves.setEnabled(true);
    proxy.start(settings);
    EXPECT_LT(loop.nowMs(), 500 + 2 * net::ProxyHandshake::kConnectPollMs);
    EXPECT_FALSE(proxy.ProxyPhase());
    EXPECT_TRUE(shell.messages.empty());
    EXPECT_TRUE(socket.sent.empty());
    EXPECT_EQ(socket.closeCalls, 0);
    // The proxy accepting later changes nothing.
    socket.accept();
    loop.advance(net::ProxyHandshake::kConnectTimeoutMs);
    EXPECT_TRUE(socket.sent.empty());
    EXPECT_EQ(proxyConnected, 0);
}

// The hall asks to connect again while the first start still waits: the second
// handshake runs inside the first one's wait, and the first gives up quietly.
TEST_F(Proxy, AStartDuringTheWaitTakesOver) {
    platform::Timer again(loop, 500, [&] {
        proxy.leave();
        loop.post([this] { socket.accept(); });
        proxy.start(settings);
    });
    again.setEnabled(true);
    proxy.start(settings);
    EXPECT_EQ(socket.connectCalls, 2);
    EXPECT_EQ(socket.takeSent(), (Bytes{5, 2, 0, 2}));
    EXPECT_EQ(proxyConnected, 1);
    EXPECT_TRUE(shell.messages.empty());
    EXPECT_TRUE(proxy.ProxyPhase());
    arrive({5, 0});
    EXPECT_EQ(socket.takeSent(), kConnect8888);
}

// A refusal's box is modal; a new connection started while it is open is not
// closed when the box goes.
TEST_F(Proxy, ARefusalDoesNotCloseAConnectionStartedWhileItsBoxIsOpen) {
    startAccepted();
    shell.duringBox = [this] {
        shell.duringBox = nullptr;
        proxy.leave();
        loop.post([this] { socket.accept(); });
        proxy.start(settings);
    };
    arrive({5, 0xFF});
    EXPECT_EQ(boxes(), std::vector<std::string>{"请求代理失败！"});
    EXPECT_EQ(socket.closeCalls, 0);
    EXPECT_EQ(socket.state(), platform::kSockConnected);
    EXPECT_EQ(socket.takeSent(), (Bytes{5, 2, 0, 2}));
    arrive({5, 0});
    EXPECT_EQ(socket.takeSent(), kConnect8888);
}

// 1024 bytes kept without a reply to judge wrap the buffer: the hall comes back and
// the process ends. A whole reply is at most 262 bytes, so only bytes that no
// reply is awaited for can get there.
TEST_F(Proxy, ABufferOverflowRestoresTheHallAndEnds) {
    platform::Timer junk(loop, 100, [&] {
        socket.deliver(Bytes(1023, 0x55));
        loop.post([&] { EXPECT_EQ(hallRestored, 0); });
        socket.deliver(Bytes{0x55});
    });
    junk.setEnabled(true);
    try {
        proxy.start(settings);
        FAIL() << "the process did not end";
    } catch (const platform::ProcessEnd& e) {
        EXPECT_EQ(e.status, 0);
    }
    EXPECT_EQ(hallRestored, 1);
}

TEST(ProxyRequests, DottedIpv4) {
    using A = std::array<std::uint8_t, 4>;
    const std::pair<const char*, std::optional<A>> cases[] = {
        {"192.168.7.20", A{192, 168, 7, 20}},
        {"0.0.0.0", A{0, 0, 0, 0}},
        {"255.255.255.255", A{255, 255, 255, 255}},
        {"010.1.1.1", A{10, 1, 1, 1}},
        {"256.1.1.1", std::nullopt},
        {"1.2.3", std::nullopt},
        {"1.2.3.4.5", std::nullopt},
        {"1..3.4", std::nullopt},
        {"1.2.3.4.", std::nullopt},
        {".1.2.3", std::nullopt},
        {" 1.2.3.4", std::nullopt},
        {"1.2.3.-4", std::nullopt},
        {"99999999999999999999.1.1.1", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& [host, want] : cases) EXPECT_EQ(net::socks::dottedIpv4(host), want) << host;
}

TEST(ProxyRequests, TextsLongerThanALengthByteAreCutAt255Characters) {
    Bytes r = net::socks::authenticationRequest(std::string(300, 'u'), std::string(256, 'p'));
    ASSERT_EQ(r.size(), 1u + 1 + 255 + 1 + 255);
    EXPECT_EQ(r[1], 255);
    EXPECT_EQ(r[2 + 255], 255);
    EXPECT_EQ(r.back(), 'p');
    EXPECT_FALSE(net::socks::connectRequest(std::string(256, 'h'), 80));
    EXPECT_TRUE(net::socks::connectRequest(std::string(255, 'h'), 80));
}

}  // namespace
