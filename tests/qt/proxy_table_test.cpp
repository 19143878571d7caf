// The client at a live table through a real SOCKS5 proxy: the reference server with
// five bots in a child process, microsocks in front of it, and between the two a
// loopback relay of the test's own that records what reaches the server and can cut
// the tunnel as a server dropping it would. The client runs in this process on the
// real platform with a launch line of connection mode 5, or as its own process
// where only its message boxes are wanted.
#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "app/client.h"
#include "microsocks.h"
#include "platform/qt/qt_platform.h"
#include "platform/unix_hall_bus.h"
#include "process_util.h"
#include "reference_server.h"
#include "resources/embedded_resources.h"

namespace {

using platform::Bytes;
using proxytest::runUntil;

// A loopback relay in front of the game server. Every connection it takes is
// carried to the server byte for byte in both directions; what went towards the
// server is kept per connection. cut() drops every connection on both sides.
class Relay {
  public:
    explicit Relay(quint16 serverPort) : serverPort_(serverPort) {
        QObject::connect(&listener_, &QTcpServer::newConnection, [this] { accept(); });
    }
    bool listen() {
        const quint16 port = proxytest::freeLoopbackPort();
        return port != 0 && listener_.listen(QHostAddress::LocalHost, port);
    }
    quint16 port() const { return listener_.serverPort(); }
    void cut() {
        for (auto& [near, far] : pairs_) {
            near->abort();
            far->abort();
        }
    }
    // What went towards the server on each connection, in the order they came.
    std::vector<QByteArray> towardsServer;

  private:
    void accept() {
        while (QTcpSocket* near = listener_.nextPendingConnection()) {
            auto* far = new QTcpSocket(&listener_);
            far->connectToHost(QHostAddress::LocalHost, serverPort_);
            if (!far->waitForConnected(5000)) {
                near->abort();
                continue;
            }
            const std::size_t k = towardsServer.size();
            towardsServer.emplace_back();
            QObject::connect(near, &QTcpSocket::readyRead, [this, near, far, k] {
                const QByteArray b = near->readAll();
                towardsServer[k] += b;
                far->write(b);
            });
            QObject::connect(far, &QTcpSocket::readyRead,
                             [near, far] { near->write(far->readAll()); });
            QObject::connect(near, &QTcpSocket::disconnected, far, &QTcpSocket::disconnectFromHost);
            QObject::connect(far, &QTcpSocket::disconnected, near, &QTcpSocket::disconnectFromHost);
            pairs_.emplace_back(near, far);
        }
    }
    quint16 serverPort_;
    QTcpServer listener_;
    std::vector<std::pair<QTcpSocket*, QTcpSocket*>> pairs_;
};

// The login the client writes through the tunnel for the launch line's "me" and
// "key": byte 3 = 18, the name from byte 16, the key from byte 32.
QByteArray freshLogin() {
    QByteArray p(272, '\0');
    p[3] = 18;
    p.replace(16, 2, "me");
    p.replace(32, 3, "key");
    return p;
}

Bytes bytesOf(const QByteArray& a) { return Bytes(a.begin(), a.end()); }

// The connect request for a loopback game server: IPv4 127.0.0.1 and the port as
// two bytes, high first.
Bytes connectRequest(quint16 port) {
    return {5,
            1,
            0,
            1,
            127,
            0,
            0,
            1,
            static_cast<std::uint8_t>(port >> 8),
            static_cast<std::uint8_t>(port & 0xFF)};
}

Bytes authentication(const std::string& user, const std::string& password) {
    Bytes b{1, static_cast<std::uint8_t>(user.size())};
    b.insert(b.end(), user.begin(), user.end());
    b.push_back(static_cast<std::uint8_t>(password.size()));
    b.insert(b.end(), password.begin(), password.end());
    return b;
}

std::string launchLine(quint16 serverPort, quint16 proxyPort, const std::string& user,
                       const std::string& password) {
    return "me$key$127.0.0.1$" + std::to_string(serverPort) + "$本地牌桌$5$127.0.0.1$" +
           std::to_string(proxyPort) + "$" + user + "$" + password + "$";
}

class ProxyTable : public ::testing::Test {
  protected:
    QTemporaryDir bus, home;
    ReferenceServer server;
    std::unique_ptr<Relay> relay;
    proxytest::Microsocks microsocks;
    proxytest::RecordingSocket socket;  // the client's game socket
    std::unique_ptr<platform::UnixHallBus> hall;
    std::vector<std::uint32_t> hallMessages;
    std::unique_ptr<platform::QtPlatform> qt;
    std::unique_ptr<app::Client> client;

    void TearDown() override {
        server.read();
        client.reset();
        qt.reset();
    }

    // The reference server, the relay in front of it and microsocks.
    void startTable(const QString& user, const QString& password) {
        const int port =
            server.start({"--seed", "7", "--turn-seconds", "1"}, "proxy-" + currentTestName());
        ASSERT_GT(port, 0);
        relay = std::make_unique<Relay>(static_cast<quint16>(port));
        ASSERT_TRUE(relay->listen());
        ASSERT_TRUE(microsocks.start(user, password));
    }

    // The hall stand-in's window exists, then the client sits down through the
    // proxy on the real platform with the recording socket as its game socket.
    void sitDown(const std::string& user, const std::string& password) {
        qputenv("DRAVIK_HALL_BUS", bus.path().toUtf8());
        qputenv("DRAVIK_HOME", home.path().toUtf8());
        qputenv("DRAVIK_SCREEN", "1280x1024");
        qputenv("DRAVIK_NO_SOUND", "1");
        qputenv("DRAVIK_AUTOMATION", "1");
        hall = std::make_unique<platform::UnixHallBus>(bus.path().toStdString());
        ASSERT_TRUE(hall->open(app::kDefaultHallCaption));
        hall->onMessage = [this](std::uint32_t m, std::uint32_t, std::uint32_t) {
            hallMessages.push_back(m);
        };
        qt = std::make_unique<platform::QtPlatform>();
        client = std::make_unique<app::Client>(
            platform::Platform{qt->loop, socket, qt->hall, qt->shell, qt->pictures, qt->sound,
                               qt->video, qt->windows, qt->fetch},
            resources::embeddedStore());
        const std::string line = launchLine(relay->port(), microsocks.port(), user, password);
        platform::QtEventLoop::guard([&] { client->start(line); });
    }

    bool play(const std::function<bool()>& done, int ms) {
        return runUntil(
            [&] {
                server.read();
                hall->readPending();
                return done();
            },
            ms);
    }
    bool seated() { return client->state.LoginAccepted && client->state.SeatedCount >= 6; }
    int handOnScreen() {
        int n = 0;
        for (int i = 0; i < 56; ++i) n += client->MainForm.at("cardImage0", i).visible ? 1 : 0;
        return n;
    }
    int ownMoves() const { return server.count("seat 0 plays") + server.count("seat 0 passes"); }

    // What the client wrote from the index-th greeting on: the greeting, the
    // authentication when asked for, the connect request and the login.
    std::vector<Bytes> handshakeFrom(std::size_t greeting) {
        std::vector<Bytes> out;
        std::size_t seen = 0;
        bool taking = false;
        for (const Bytes& b : socket.written) {
            if (b == Bytes{5, 2, 0, 2}) {
                taking = seen++ == greeting;
                if (taking) out.assign(1, b);
            } else if (taking && out.size() < 4) {
                out.push_back(b);
            }
        }
        return out;
    }
};

struct Credentials {
    const char* user;
    const char* password;
};

class ThroughTheProxy : public ProxyTable, public ::testing::WithParamInterface<Credentials> {};

// The launch line's proxy fields take the client through microsocks: greeting,
// authentication when the proxy wants it, the connect request for the game
// server, then the login, which reaches the server byte for byte; the table fills.
TEST_P(ThroughTheProxy, TheClientLogsInAndIsSeated) {
    const Credentials c = GetParam();
    ASSERT_NO_FATAL_FAILURE(startTable(c.user, c.password));
    ASSERT_NO_FATAL_FAILURE(sitDown(c.user, c.password));
    ASSERT_TRUE(play([&] { return seated(); }, 15000)) << server.events();

    ASSERT_EQ(relay->towardsServer.size(), 1u);
    ASSERT_GE(relay->towardsServer[0].size(), 272);
    EXPECT_EQ(relay->towardsServer[0].left(272).toHex().toStdString(),
              freshLogin().toHex().toStdString());

    std::vector<Bytes> want{{5, 2, 0, 2}};
    if (*c.user) want.push_back(authentication(c.user, c.password));
    want.push_back(connectRequest(relay->port()));
    want.push_back(bytesOf(freshLogin()));
    const std::vector<Bytes> got(
        socket.written.begin(),
        socket.written.begin() + static_cast<long>(std::min(want.size(), socket.written.size())));
    EXPECT_EQ(got, want);
    EXPECT_NE(std::find(hallMessages.begin(), hallMessages.end(), 771u), hallMessages.end());
    EXPECT_FALSE(client->connection.ProxyPhase());
}

INSTANTIATE_TEST_SUITE_P(Proxies, ThroughTheProxy,
                         ::testing::Values(Credentials{"", ""}, Credentials{"alice", "s3cret"}),
                         [](const auto& info) {
                             return std::string(*info.param.user ? "WithUserAndPassword"
                                                                 : "WithoutAuthentication");
                         });

// The tunnel drops in the middle of a round: the client reconnects through the
// proxy again (a new handshake, the login marked as a reconnect with the last
// token), the server gives the held seat back and the game goes on.
TEST_F(ProxyTable, AReconnectAfterTheTunnelDropsGoesThroughTheProxyAndTheGameResumes) {
    ASSERT_NO_FATAL_FAILURE(startTable("alice", "s3cret"));
    ASSERT_NO_FATAL_FAILURE(sitDown("alice", "s3cret"));
    ASSERT_TRUE(play([&] { return seated(); }, 15000));
    ui::Control& start = client->MainForm.at("AnNiu", 2);
    ASSERT_TRUE(start.visible && client->MainForm.fire(&start, ui::EventKind::kClick));  // 开始
    ASSERT_TRUE(play([&] { return handOnScreen() == 36 && ownMoves() > 0; }, 60000))
        << "no own move after the deal";
    ASSERT_TRUE(client->state.InGame);

    relay->cut();
    ASSERT_TRUE(play([&] { return server.count("seat 0 held") > 0; }, 10000));
    ASSERT_TRUE(play([&] { return server.count("seat 0 resumed") > 0; }, 20000)) << "no reconnect";
    // While the seat was held the server may have answered a turn for it; from
    // the resume on the client answers its turns itself.
    const int movesBefore = ownMoves(), timeoutsBefore = server.count("seat 0 timed out");

    ASSERT_EQ(relay->towardsServer.size(), 2u);
    const QByteArray again = relay->towardsServer[1].left(272);
    ASSERT_EQ(again.size(), 272);
    QByteArray want = freshLogin();
    want[4] = 28;  // the reconnect mark, and the last token at 261..262
    want[261] = static_cast<char>(client->connection.send.token.b0);
    want[262] = static_cast<char>(client->connection.send.token.b1);
    EXPECT_EQ(again.toHex().toStdString(), want.toHex().toStdString());
    const std::vector<Bytes> second = handshakeFrom(1);
    EXPECT_EQ(second, (std::vector<Bytes>{{5, 2, 0, 2},
                                          authentication("alice", "s3cret"),
                                          connectRequest(relay->port()),
                                          bytesOf(want)}));

    ASSERT_TRUE(play([&] { return ownMoves() > movesBefore; }, 60000))
        << "the game did not go on: " << server.events();
    EXPECT_TRUE(client->state.LoginAccepted);
    EXPECT_EQ(server.count("seat 0 timed out"), timeoutsBefore) << server.events();
    EXPECT_EQ(server.count("seat 0 refused play"), 0) << server.events();
    EXPECT_EQ(client->connection.reconnect.ReconnectAttempts, 1);
}

// Each kind of refusal as the player sees it: the client process shows its message
// box and keeps its table window; nothing reaches the game server.
struct RefusalCase {
    const char* name;
    const char* proxyUser;  // microsocks' user and password ("" none)
    const char* proxyPassword;
    const char* launchUser;  // the launch line's
    const char* launchPassword;
    bool serverListening;  // whether anything listens at the game server's port
    const char* message;
};

const RefusalCase kRefusals[] = {
    {"WrongPassword", "alice", "s3cret", "alice", "wrong", true, "代理服务器用户验证失败！"},
    {"TargetUnreachable", "", "", "", "", false, "通过代理连接主站失败！"},
    {"NoProxy", nullptr, nullptr, "", "", true, "连接代理服务器失败！"},
};

class ProxyRefusal : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(ProxyRefusal, ShowsItsMessageAndTheTableStaysOpen) {
    const RefusalCase& c = GetParam();
    QTemporaryDir dir;
    platform::UnixHallBus hall(dir.path().toStdString());
    ASSERT_TRUE(hall.open("Brenmoor"));
    QTcpServer gameServer;
    quint16 serverPort = proxytest::freeLoopbackPort();
    if (c.serverListening) {
        ASSERT_TRUE(gameServer.listen(QHostAddress::LocalHost, serverPort));
    }
    proxytest::Microsocks microsocks;
    quint16 proxyPort = proxytest::freeLoopbackPort();  // nobody there unless started
    if (c.proxyUser) {
        ASSERT_TRUE(microsocks.start(c.proxyUser, c.proxyPassword));
        proxyPort = microsocks.port();
    }

    QProcess client;
    client.setProcessEnvironment(testEnvironment(dir.path()));
    client.start(treeBinary("dravik"),
                 {QString::fromStdString(
                     launchLine(serverPort, proxyPort, c.launchUser, c.launchPassword))});
    ASSERT_TRUE(client.waitForStarted());
    QByteArray err;
    const QByteArray box = QByteArray("messagebox: : ") + c.message;
    EXPECT_TRUE(runUntil(
        [&] {
            err += client.readAllStandardError();
            return err.contains(box) || client.state() != QProcess::Running;
        },
        15000))
        << err.toStdString();
    EXPECT_TRUE(err.contains(box)) << err.toStdString();
    // A while later: still running, one box only, and no connection at the server.
    runUntil([] { return false; }, 500);
    err += client.readAllStandardError();
    EXPECT_EQ(client.state(), QProcess::Running);
    EXPECT_EQ(err.count("messagebox"), 1) << err.toStdString();
    EXPECT_FALSE(gameServer.hasPendingConnections());
    client.kill();
    client.waitForFinished();
}

INSTANTIATE_TEST_SUITE_P(Cases, ProxyRefusal, ::testing::ValuesIn(kRefusals),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
