// The hall bus between two real processes: the hall stand-in and this test.
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <vector>

#include "platform/unix_hall_bus.h"
#include "process_util.h"

using platform::UnixHallBus;

namespace {

struct Received {
    std::uint32_t msg, w, l;
};

// Waits on the endpoint for up to ms and collects what arrives.
std::vector<Received> collect(UnixHallBus& bus, int ms, std::size_t want) {
    std::vector<Received> got;
    bus.onMessage = [&](std::uint32_t m, std::uint32_t w, std::uint32_t l) {
        got.push_back({m, w, l});
    };
    QElapsedTimer t;
    t.start();
    while (got.size() < want && t.elapsed() < ms) {
        pollfd p{bus.fd(), POLLIN, 0};
        ::poll(&p, 1, 50);
        bus.readPending();
    }
    return got;
}

bool waitForLine(QProcess& proc, const QString& needle, int ms, QString* all = nullptr) {
    QElapsedTimer t;
    t.start();
    QString out;
    while (t.elapsed() < ms) {
        proc.waitForReadyRead(50);
        out += QString::fromUtf8(proc.readAllStandardOutput());
        if (out.contains(needle)) {
            if (all) *all = out;
            return true;
        }
    }
    if (all) *all = out;
    return false;
}

class HallBusProcesses : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        hall.setProcessEnvironment(testEnvironment(dir.path()));
        hall.start(treeBinary("dravik-hall"), {"--caption", QString::fromUtf8("大厅 Brenmoor")});
        ASSERT_TRUE(hall.waitForStarted());
        UnixHallBus probe(dir.path().toStdString());
        QElapsedTimer t;
        t.start();
        while (!probe.exists("大厅 Brenmoor") && t.elapsed() < 10000) ::usleep(20000);
        ASSERT_TRUE(probe.exists("大厅 Brenmoor")) << "hall endpoint never appeared";
    }
    void TearDown() override {
        hall.write("quit\n");
        if (!hall.waitForFinished(3000)) hall.kill();
    }
    QTemporaryDir dir;
    QProcess hall;
};

TEST_F(HallBusProcesses, EveryMessageKindCrossesBothWays) {
    UnixHallBus client(dir.path().toStdString());
    ASSERT_TRUE(client.open("dravik"));
    // Client to hall: posts and the two system commands, shown by the hall.
    struct Case {
        std::uint32_t msg, w;
        const char* shown;
    } cases[] = {{22, 0, "recv 22 0 0"},
                 {771, 0, "recv 771 0 0"},
                 {1024, 0, "recv 1024 0 0"},
                 {1125, 0, "recv 1125 0 0"},
                 {1126, 0, "recv 1126 0 0"},
                 {1127, 0, "recv 1127 0 0"},
                 {0x0112, 0xF020, "recv 274 61472 0"},
                 {0x0112, 0xF120, "recv 274 61728 0"}};
    for (const Case& c : cases) {
        ASSERT_TRUE(client.send("大厅 Brenmoor", c.msg, c.w, 0));
        QString out;
        EXPECT_TRUE(waitForLine(hall, c.shown, 5000, &out)) << c.shown << "\n" << out.toStdString();
    }
    // Hall to client: the four messages the hall may post.
    for (int m : {22, 771, 1024, 1125}) hall.write(QString("post %1\n").arg(m).toUtf8());
    hall.waitForBytesWritten(3000);
    auto got = collect(client, 5000, 4);
    ASSERT_EQ(got.size(), 4u);
    EXPECT_EQ(got[0].msg, 22u);
    EXPECT_EQ(got[1].msg, 771u);
    EXPECT_EQ(got[2].msg, 1024u);
    EXPECT_EQ(got[3].msg, 1125u);
    EXPECT_EQ(got[3].w, 0u);
    EXPECT_EQ(got[3].l, 0u);
}

TEST_F(HallBusProcesses, MissingAndStaleWindowsAreNotFound) {
    UnixHallBus bus(dir.path().toStdString());
    EXPECT_FALSE(bus.send("nobody", 22, 0, 0));
    // A socket file whose owner is gone: bound, then closed without removing it.
    std::string stale = dir.path().toStdString() + "/" + platform::encodeCaption("gone");
    int fd = ::socket(AF_UNIX, SOCK_DGRAM, 0);
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    std::snprintf(addr.sun_path, sizeof addr.sun_path, "%s", stale.c_str());
    ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);
    ::close(fd);
    ASSERT_EQ(::access(stale.c_str(), F_OK), 0);
    EXPECT_FALSE(bus.send("gone", 22, 0, 0));
    EXPECT_NE(::access(stale.c_str(), F_OK), 0) << "the stale endpoint is removed";
    EXPECT_TRUE(bus.exists("大厅 Brenmoor"));
}

// A window that does not read its messages for a while is still there: the client's
// leave and lost-link paths must not take it for a hall that is gone.
TEST_F(HallBusProcesses, AWindowWithAFullQueueIsStillThere) {
    UnixHallBus slow(dir.path().toStdString()), sender(dir.path().toStdString());
    ASSERT_TRUE(slow.open("Brenmoor"));
    int sent = 0;
    while (sent < 100000 && sender.send("Brenmoor", 22, 0, 0)) ++sent;
    EXPECT_EQ(sent, 100000) << "every send finds the window, even with its queue full";
    EXPECT_TRUE(sender.exists("Brenmoor"));
    int got = 0;
    slow.onMessage = [&](std::uint32_t, std::uint32_t, std::uint32_t) { ++got; };
    slow.readPending();
    EXPECT_GT(got, 0);
    EXPECT_TRUE(sender.send("Brenmoor", 771, 0, 0)) << "read again, it takes messages";
}

TEST_F(HallBusProcesses, ACaptionTooLongForASocketAddressStillGetsAnEndpoint) {
    const std::string longCaption(300, 'x'), other = std::string(299, 'x') + "y";
    UnixHallBus window(dir.path().toStdString()), sender(dir.path().toStdString());
    ASSERT_TRUE(window.open(longCaption));
    EXPECT_LT(window.endpointPath(longCaption).size(), 108u);
    EXPECT_NE(window.endpointPath(longCaption), window.endpointPath(other));
    std::vector<std::uint32_t> got;
    window.onMessage = [&](std::uint32_t m, std::uint32_t, std::uint32_t) { got.push_back(m); };
    EXPECT_TRUE(sender.send(longCaption, 1125, 0, 0));
    EXPECT_FALSE(sender.send(other, 1125, 0, 0));
    window.readPending();
    EXPECT_EQ(got, std::vector<std::uint32_t>{1125});
}

TEST(HallBusNames, CaptionsArePercentEncodedUtf8) {
    EXPECT_EQ(platform::encodeCaption("Brenmoor"), "Brenmoor");
    EXPECT_EQ(platform::encodeCaption("a b/c~_.-"), "a%20b%2Fc~_.-");
    EXPECT_EQ(platform::encodeCaption("大"), "%E5%A4%A7");
}

}  // namespace
