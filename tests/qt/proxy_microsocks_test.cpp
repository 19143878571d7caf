// The proxy handshake on the real platform: the Qt socket adapter and event loop,
// a real SOCKS5 proxy (microsocks, started by the test on a free loopback port) and
// a small game server stand-in of the test's own on loopback. What goes through
// the tunnel is checked on the server's side byte for byte.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <functional>
#include <memory>

#include "microsocks.h"
#include "net/proxy_handshake.h"
#include "platform/fake/fake_shell.h"
#include "platform/qt/qt_event_loop.h"
#include "platform/qt/qt_socket.h"

namespace {

using platform::Bytes;
using proxytest::freeLoopbackPort;
using proxytest::RecordingSocket;
using proxytest::runUntil;

// The login the client writes once the tunnel is open: a whole packet whose every
// byte is checked on the server's side.
Bytes loginPacket() {
    Bytes p(272, 0);
    p[3] = 18;
    const std::string name = "me", key = "key";
    std::copy(name.begin(), name.end(), p.begin() + 16);
    std::copy(key.begin(), key.end(), p.begin() + 32);
    p[271] = 0xA5;
    return p;
}

class ProxyThroughMicrosocks : public ::testing::Test {
  protected:
    proxytest::Microsocks microsocks;
    quint16 proxyPort = 0;
    // The game server stand-in: it takes one connection and keeps what arrives.
    QTcpServer gameServer;
    QTcpSocket* gameConnection = nullptr;
    QByteArray gameReceived;

    platform::QtEventLoop loop;
    RecordingSocket socket;
    platform::FakeShell shell;
    int proxyConnected = 0;
    int tunnelsOpened = 0;
    QByteArray clientReceived;  // what the client reads after the tunnel is open
    net::ProxyHandshake proxy{socket, shell, loop,
                              net::ProxyHandshake::Hooks{
                                  [this] { ++proxyConnected; },
                                  [this](const Bytes& following) {
                                      ++tunnelsOpened;
                                      clientReceived.append(
                                          reinterpret_cast<const char*>(following.data()),
                                          static_cast<qsizetype>(following.size()));
                                      socket.send(loginPacket());
                                  },
                                  [] { ADD_FAILURE() << "the proxy buffer overflowed"; },
                              }};

    void SetUp() override {
        // The connection's data arrival and peer-closed handler.
        socket.onData = [this](const Bytes& b) {
            if (proxy.ProxyPhase())
                proxy.onBytes(b);
            else
                clientReceived.append(reinterpret_cast<const char*>(b.data()),
                                      static_cast<qsizetype>(b.size()));
        };
        socket.onClosed = [this] {
            if (proxy.ProxyPhase()) proxy.onPeerClosed();
            socket.close();
        };
        ASSERT_TRUE(gameServer.listen(QHostAddress::LocalHost, 0));
        QObject::connect(&gameServer, &QTcpServer::newConnection, [this] {
            gameConnection = gameServer.nextPendingConnection();
            QObject::connect(gameConnection, &QTcpSocket::readyRead,
                             [this] { gameReceived.append(gameConnection->readAll()); });
        });
    }

    void TearDown() override { socket.close(); }

    // Starts microsocks, with a user and password when given.
    void startMicrosocks(const QString& user = {}, const QString& password = {}) {
        ASSERT_TRUE(microsocks.start(user, password));
        proxyPort = microsocks.port();
    }

    net::ProxySettings settingsFor(quint16 serverPort, const std::string& user = {},
                                   const std::string& password = {}) {
        return {"127.0.0.1", static_cast<std::int16_t>(proxyPort), user, password,
                "127.0.0.1", static_cast<std::int16_t>(serverPort)};
    }

    void start(const net::ProxySettings& s) {
        platform::QtEventLoop::guard([&] { proxy.start(s); });
    }

    // The handshake ends in the tunnel, the login reaches the game server exactly,
    // and the server's answer comes back through the tunnel to the client.
    void expectTunnelCarriesTheLogin() {
        ASSERT_TRUE(runUntil([&] { return tunnelsOpened > 0 || !shell.messages.empty(); }, 10000))
            << "the handshake did not finish";
        ASSERT_TRUE(shell.messages.empty()) << shell.messages[0].text;
        EXPECT_EQ(tunnelsOpened, 1);
        EXPECT_EQ(proxyConnected, 1);
        EXPECT_FALSE(proxy.ProxyPhase());
        ASSERT_TRUE(runUntil([&] { return gameReceived.size() >= 272; }, 5000));
        const Bytes login = loginPacket();
        EXPECT_EQ(gameReceived, QByteArray(reinterpret_cast<const char*>(login.data()), 272));
        const QByteArray answer(272, '\x12');
        gameConnection->write(answer);
        ASSERT_TRUE(runUntil([&] { return clientReceived.size() >= 272; }, 5000));
        EXPECT_EQ(clientReceived, answer);
        EXPECT_EQ(socket.state(), platform::kSockConnected);
    }

    void expectRefused(const char* message) {
        ASSERT_TRUE(runUntil([&] { return !shell.messages.empty(); }, 10000)) << "no message box";
        EXPECT_EQ(shell.messages.size(), 1u);
        EXPECT_EQ(shell.messages[0].text, message);
        EXPECT_EQ(tunnelsOpened, 0);
        EXPECT_NE(socket.state(), platform::kSockConnected);
        EXPECT_TRUE(gameReceived.isEmpty());
    }
};

TEST_F(ProxyThroughMicrosocks, WithoutAuthentication) {
    ASSERT_NO_FATAL_FAILURE(startMicrosocks());
    start(settingsFor(gameServer.serverPort()));
    expectTunnelCarriesTheLogin();
    // The proxy chose no authentication: greeting, connect request, login.
    ASSERT_EQ(socket.written.size(), 3u);
    EXPECT_EQ(socket.written[0], (Bytes{5, 2, 0, 2}));
    const quint16 port = gameServer.serverPort();
    EXPECT_EQ(socket.written[1],
              (Bytes{5, 1, 0, 1, 127, 0, 0, 1, static_cast<std::uint8_t>(port >> 8),
                     static_cast<std::uint8_t>(port & 0xFF)}));
}

TEST_F(ProxyThroughMicrosocks, WithUserAndPassword) {
    ASSERT_NO_FATAL_FAILURE(startMicrosocks("alice", "s3cret"));
    start(settingsFor(gameServer.serverPort(), "alice", "s3cret"));
    expectTunnelCarriesTheLogin();
    ASSERT_EQ(socket.written.size(), 4u);
    EXPECT_EQ(socket.written[1],
              (Bytes{1, 5, 'a', 'l', 'i', 'c', 'e', 6, 's', '3', 'c', 'r', 'e', 't'}));
}

TEST_F(ProxyThroughMicrosocks, AWrongPasswordIsRefused) {
    ASSERT_NO_FATAL_FAILURE(startMicrosocks("alice", "s3cret"));
    start(settingsFor(gameServer.serverPort(), "alice", "wrong"));
    expectRefused("代理服务器用户验证失败！");
    EXPECT_EQ(gameConnection, nullptr);
}

TEST_F(ProxyThroughMicrosocks, ATargetTheProxyCannotReachIsRefused) {
    ASSERT_NO_FATAL_FAILURE(startMicrosocks());
    start(settingsFor(freeLoopbackPort()));
    expectRefused("通过代理连接主站失败！");
}

TEST_F(ProxyThroughMicrosocks, AProxyThatIsNotThereIsReportedWithoutWaitingOut) {
    proxyPort = freeLoopbackPort();  // no microsocks
    QElapsedTimer t;
    t.start();
    start(settingsFor(gameServer.serverPort()));
    EXPECT_LT(t.elapsed(), net::ProxyHandshake::kConnectTimeoutMs);
    expectRefused("连接代理服务器失败！");
    EXPECT_EQ(proxyConnected, 0);
    EXPECT_TRUE(socket.written.empty());
}

}  // namespace
