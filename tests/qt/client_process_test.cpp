// The real client binary under the offscreen platform.
#include <gtest/gtest.h>
#include <poll.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>

#include "platform/unix_hall_bus.h"
#include "process_util.h"

namespace {

struct ClientRun {
    int status;
    QString err;
};

ClientRun runClient(const QStringList& args, const QString& busDir) {
    QProcess p;
    p.setProcessEnvironment(testEnvironment(busDir));
    p.start(treeBinary("dravik"), args);
    EXPECT_TRUE(p.waitForFinished(15000));
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardError())};
}

TEST(ClientProcess, EmptyCommandLineRefusesToStart) {
    QTemporaryDir dir;
    ClientRun r = runClient({}, dir.path());
    EXPECT_EQ(r.status, 0);
    EXPECT_TRUE(r.err.contains(QString::fromUtf8("messagebox: 警告: 本游戏需从游戏大厅中启动！")))
        << r.err.toStdString();
}

TEST(ClientProcess, StartUpFailuresEndWithStatusOneAndRestoreTheHall) {
    QTemporaryDir dir;
    platform::UnixHallBus hall(dir.path().toStdString());
    ASSERT_TRUE(hall.open("Brenmoor"));
    // A port above 32767 is not a signed 16-bit number; a double-byte name does
    // not fit the login packet.
    for (const char* line : {"a$b$127.0.0.1$40000$x$", "玩家$b$127.0.0.1$2000$x$"}) {
        ClientRun r = runClient({QString::fromUtf8(line)}, dir.path());
        EXPECT_EQ(r.status, 1) << line;
        EXPECT_FALSE(r.err.contains("messagebox")) << line;
        bool restored = false;
        hall.onMessage = [&](std::uint32_t m, std::uint32_t w, std::uint32_t) {
            if (m == 0x0112 && w == 0xF120) restored = true;
        };
        hall.readPending();
        EXPECT_TRUE(restored) << line;
    }
}

TEST(ClientProcess, ASecondCopyOnTheSameHallBusIsRefused) {
    QTemporaryDir dir;
    QProcess first;
    first.setProcessEnvironment(testEnvironment(dir.path()));
    first.start(treeBinary("dravik"), {"a$b$127.0.0.1$1$x$7$"});  // mode 7: connects nowhere
    ASSERT_TRUE(first.waitForStarted());
    platform::UnixHallBus probe(dir.path().toStdString());
    QElapsedTimer t;
    t.start();
    while (!probe.exists("dravik") && t.elapsed() < 10000) first.waitForFinished(50);
    ASSERT_TRUE(probe.exists("dravik"));
    ClientRun second = runClient({"a$b$127.0.0.1$1$x$7$"}, dir.path());
    EXPECT_EQ(second.status, 0);
    EXPECT_TRUE(second.err.contains(QString::fromUtf8("messagebox: 警告: Dravik已经运行！")));
    first.kill();
    first.waitForFinished();
}

// A loopback server below port 32768 (the client reads the port as a signed
// 16-bit number) receives the exact login packet; the hall sees 771.
TEST(ClientProcess, LogsInToALoopbackServerAndTellsTheHall) {
    QTemporaryDir dir;
    platform::UnixHallBus hall(dir.path().toStdString());
    ASSERT_TRUE(hall.open("Brenmoor"));
    QTcpServer server;
    quint16 port = 0;
    for (quint16 p = 21000 + static_cast<quint16>(::getpid() % 5000); p < 32767; ++p)
        if (server.listen(QHostAddress::LocalHost, p)) {
            port = p;
            break;
        }
    ASSERT_NE(port, 0);
    QProcess client;
    client.setProcessEnvironment(testEnvironment(dir.path()));
    client.start(treeBinary("dravik"),
                 {QString("abcdefghijklmnopq$secret$127.0.0.1$%1$home$").arg(port)});
    ASSERT_TRUE(client.waitForStarted());
    ASSERT_TRUE(server.waitForNewConnection(15000));
    QTcpSocket* s = server.nextPendingConnection();
    QByteArray got;
    QElapsedTimer t;
    t.start();
    while (got.size() < 272 && t.elapsed() < 10000)
        if (s->waitForReadyRead(100)) got += s->readAll();
    ASSERT_EQ(got.size(), 272);
    QByteArray want(272, '\0');
    want[3] = 18;
    want.replace(16, 17, "abcdefghijklmnopq");
    want.replace(32, 6, "secret");  // the key overwrites the 17th character
    EXPECT_EQ(got.toHex().toStdString(), want.toHex().toStdString());

    std::vector<std::uint32_t> msgs;
    hall.onMessage = [&](std::uint32_t m, std::uint32_t, std::uint32_t) { msgs.push_back(m); };
    t.restart();
    while (std::find(msgs.begin(), msgs.end(), 771u) == msgs.end() && t.elapsed() < 5000) {
        pollfd p{hall.fd(), POLLIN, 0};
        ::poll(&p, 1, 50);
        hall.readPending();
    }
    EXPECT_NE(std::find(msgs.begin(), msgs.end(), 771u), msgs.end());
    EXPECT_NE(std::find(msgs.begin(), msgs.end(), 22u), msgs.end());
    client.kill();
    client.waitForFinished();
}

}  // namespace
