// The video relay over loopback in the test process: logins, who hears of whom,
// data only to those who asked, and bad peers (oversize messages, a receiver that
// never reads, a flood) with bounded memory while the others go on.
#include "server/relay.h"

#include <gtest/gtest.h>

#include <asio.hpp>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "wire/relay.h"

namespace {

using wire::RelayType;

// A relay client on the test's loop that collects what it is sent.
struct Peer {
    Peer(asio::io_context& io, int port, bool reads = true) : socket(io) {
        if (!reads) socket.open(asio::ip::tcp::v4());
        if (!reads) socket.set_option(asio::socket_base::receive_buffer_size(4096));
        socket.connect({asio::ip::make_address("127.0.0.1"), static_cast<std::uint16_t>(port)});
        if (reads) read();
    }
    void read() {
        socket.async_read_some(
            asio::buffer(buf), [this, alive = alive](const asio::error_code& ec, std::size_t n) {
                if (!*alive) return;  // the peer is gone; its socket was closed under it
                if (ec) {
                    closed = true;
                    return;
                }
                reader.feed({buf.data(), n}, [this](wire::RelayMessage& m) { got.push_back(m); });
                read();
            });
    }
    // One write at a time on the socket; `pending` counts what is not written yet.
    void send(wire::RelayBytes bytes) {
        out.push_back(std::move(bytes));
        ++pending;
        if (pending == 1) write();
    }
    void write() {
        asio::async_write(socket, asio::buffer(out.front()),
                          [this, alive = alive](const asio::error_code& ec, std::size_t) {
                              if (!*alive) return;
                              out.pop_front();
                              --pending;
                              if (ec) {
                                  pending = 0;
                                  out.clear();
                              }
                              if (pending > 0) write();
                          });
    }
    void login(const std::string& name) { send(wire::encodeRelayText(RelayType::kLogin, name)); }
    void want(const std::string& name) { send(wire::encodeRelayText(RelayType::kWant, name)); }
    void frame(const std::string& to, std::size_t size, std::uint8_t fill = 7) {
        std::vector<std::uint8_t> data(size, fill);
        send(wire::encodeRelayData(RelayType::kData, wire::RelayKind::kFrame, to, data));
    }
    int count(RelayType t) const {
        int n = 0;
        for (const auto& m : got) n += m.type == t;
        return n;
    }
    // The flags of the last Peer message about `name`; -1 when none came.
    int peerFlags(const std::string& name) const {
        int flags = -1;
        for (const auto& m : got)
            if (m.type == RelayType::kPeer)
                if (auto p = wire::decodeRelayPeer(m.payload); p && p->name == name)
                    flags = p->flags;
        return flags;
    }
    std::vector<wire::RelayData> data() const {
        std::vector<wire::RelayData> out;
        for (const auto& m : got)
            if (m.type == RelayType::kDataFrom)
                if (auto d = wire::decodeRelayData(m.payload)) out.push_back(*d);
        return out;
    }

    ~Peer() { *alive = false; }

    // Handlers still pending when the peer goes see this and touch nothing.
    std::shared_ptr<bool> alive = std::make_shared<bool>(true);
    asio::ip::tcp::socket socket;
    std::array<std::uint8_t, 8192> buf{};
    wire::RelayReader reader;
    std::deque<wire::RelayBytes> out;
    std::vector<wire::RelayMessage> got;
    int pending = 0;
    bool closed = false;
};

struct RelayLoop : ::testing::Test {
    explicit RelayLoop(server::Relay::Limits limits = {}) : relay(io, nullptr, limits) {
        std::string error;
        port = relay.listen("127.0.0.1", 0, error);
        EXPECT_GT(port, 0) << error;
    }
    bool run(const std::function<bool()>& done, long maxHandlers = 2'000'000) {
        for (long i = 0; i < maxHandlers; ++i) {
            if (done()) return true;
            if (io.run_one() == 0) return done();
        }
        return done();
    }
    // Runs until nothing is left to do for a moment (all queued writes settled).
    void settle() {
        for (int i = 0; i < 50000 && io.poll_one() > 0;) ++i;
        io.restart();
    }
    asio::io_context io;
    server::Relay relay;
    int port = 0;
};

TEST_F(RelayLoop, LoginsAndWantsTellEachSideHowTheOtherStands) {
    Peer a(io, port), b(io, port);
    a.login("alice");
    ASSERT_TRUE(run([&] { return a.count(RelayType::kLoginResult) == 1; }));
    EXPECT_EQ(a.got[0].payload, wire::RelayBytes{wire::kRelayLoggedIn});

    a.want("bob");  // bob is not here yet
    ASSERT_TRUE(run([&] { return a.peerFlags("bob") == 0; }));
    b.login("bob");
    ASSERT_TRUE(run([&] { return a.peerFlags("bob") == wire::kPeerOnline; }));
    b.want("alice");
    ASSERT_TRUE(run([&] {
        return b.peerFlags("alice") == (wire::kPeerOnline | wire::kPeerWantsYou) &&
               a.peerFlags("bob") == (wire::kPeerOnline | wire::kPeerWantsYou);
    }));
    // Bob goes away: alice hears that he is gone.
    b.socket.close();
    ASSERT_TRUE(run([&] { return a.peerFlags("bob") == 0; }));
}

TEST_F(RelayLoop, RefusesBadNamesAndASecondLoginOfTheSameSession) {
    struct Case {
        std::string name;
        std::uint8_t status;
    };
    const Case cases[] = {{"", wire::kRelayRefused},
                          {std::string(33, 'x'), wire::kRelayRefused},
                          {std::string("a\0b", 3), wire::kRelayRefused},
                          {std::string(32, 'y'), wire::kRelayLoggedIn}};
    for (const Case& c : cases) {
        Peer p(io, port);
        p.login(c.name);
        ASSERT_TRUE(run([&] { return p.count(RelayType::kLoginResult) == 1; }));
        EXPECT_EQ(p.got[0].payload, wire::RelayBytes{c.status}) << c.name.size();
    }
    Peer twice(io, port);
    twice.login("carol");
    twice.login("dave");
    ASSERT_TRUE(run([&] { return twice.count(RelayType::kLoginResult) == 2; }));
    EXPECT_EQ(twice.got[1].payload, wire::RelayBytes{wire::kRelayRefused});
}

TEST_F(RelayLoop, DataReachesOnlyAReceiverThatAskedForTheSender) {
    Peer a(io, port), b(io, port), c(io, port);
    a.login("alice");
    b.login("bob");
    c.login("carol");
    b.want("alice");  // bob asked for alice, carol did not
    ASSERT_TRUE(run([&] { return a.peerFlags("bob") >= 0; }));
    a.frame("bob", 100, 1);
    a.frame("carol", 100, 2);
    a.send(wire::encodeRelayData(RelayType::kData, wire::RelayKind::kMode, "bob",
                                 std::vector<std::uint8_t>{2}));
    ASSERT_TRUE(run([&] { return b.data().size() == 2; }));
    settle();
    auto got = b.data();
    EXPECT_EQ(got[0].name, "alice");  // named by the sender
    EXPECT_EQ(got[0].kind, wire::RelayKind::kFrame);
    EXPECT_EQ(std::vector<std::uint8_t>(got[0].data.begin(), got[0].data.end()),
              std::vector<std::uint8_t>(100, 1));
    EXPECT_EQ(got[1].kind, wire::RelayKind::kMode);
    EXPECT_TRUE(c.data().empty());
}

TEST_F(RelayLoop, AnOversizeMessageIsSkippedAndTheNextOneArrives) {
    Peer a(io, port), b(io, port);
    a.login("alice");
    b.login("bob");
    b.want("alice");
    ASSERT_TRUE(run([&] { return a.peerFlags("bob") >= 0; }));
    // A frame one byte above the bound, sent in full, then a normal one.
    a.frame("bob", wire::kRelayMaxPayload, 9);
    a.frame("bob", 10, 3);
    ASSERT_TRUE(run([&] { return b.data().size() == 1; }));
    settle();
    ASSERT_EQ(b.data().size(), 1u);
    EXPECT_EQ(b.data()[0].data.size(), 10u);
    EXPECT_EQ(relay.stats().oversizeSkipped, 1u);
}

TEST_F(RelayLoop, BotsAreOnlineAnswerFormatsAndSendTheirPictureAsJpeg) {
    relay.isBot = [](const std::string& name) { return name.rfind("bot", 0) == 0; };
    relay.startBotVideo(10);
    Peer a(io, port);
    a.login("alice");
    a.want("bot1s3");
    ASSERT_TRUE(
        run([&] { return a.peerFlags("bot1s3") == (wire::kPeerOnline | wire::kPeerWantsYou); }));
    a.send(wire::encodeRelayData(RelayType::kData, wire::RelayKind::kFormat, "bot1s3",
                                 std::vector<std::uint8_t>{'f'}));
    ASSERT_TRUE(run([&] {
        int frames = 0;
        bool ready = false;
        for (const auto& d : a.data()) {
            frames += d.kind == wire::RelayKind::kFrame;
            ready = ready || d.kind == wire::RelayKind::kReady;
        }
        return ready && frames >= 2;
    }));
    for (const auto& d : a.data()) {
        EXPECT_EQ(d.name, "bot1s3");
        if (d.kind != wire::RelayKind::kFrame) continue;
        ASSERT_GT(d.data.size(), 200u);
        EXPECT_EQ(d.data[0], 0xFF);  // a whole JPEG file: SOI ... EOI
        EXPECT_EQ(d.data[1], 0xD8);
        EXPECT_EQ(d.data[d.data.size() - 2], 0xFF);
        EXPECT_EQ(d.data[d.data.size() - 1], 0xD9);
    }
    // A bot's name taken by a real login is that user's, not the bot's.
    Peer b(io, port);
    b.login("bot1s3");
    ASSERT_TRUE(run([&] { return a.peerFlags("bot1s3") == wire::kPeerOnline; }));
    relay.stop();
}

struct SmallRelay : RelayLoop {
    SmallRelay() : RelayLoop(limits()) {}
    static server::Relay::Limits limits() {
        server::Relay::Limits l;
        l.frameQueueBytes = 64 * 1024;
        l.hardQueueBytes = 256 * 1024;
        return l;
    }
};

TEST_F(SmallRelay, AReceiverThatNeverReadsCostsItsBoundAndTheOthersGoOn) {
    Peer flood(io, port), sender(io, port), good(io, port);
    Peer stuck(io, port, /*reads=*/false);
    flood.login("flood");
    sender.login("sender");
    good.login("good");
    stuck.send(wire::encodeRelayText(RelayType::kLogin, "stuck"));
    stuck.send(wire::encodeRelayText(RelayType::kWant, "flood"));
    good.want("sender");
    ASSERT_TRUE(run([&] { return sender.peerFlags("good") > 0 && stuck.pending == 0; }));

    // The flood: 8 MB of frames at the receiver that never reads, while the good
    // receiver gets a frame from another sender after each one it has received.
    constexpr int kFlood = 500, kGood = 20;
    for (int i = 0; i < kFlood; ++i) flood.frame("stuck", 16 * 1024);
    std::size_t maxQueued = 0;
    for (int i = 0; i < kGood; ++i) {
        sender.frame("good", 2000, static_cast<std::uint8_t>(i));
        ASSERT_TRUE(run([&] {
            maxQueued = std::max(maxQueued, relay.queuedBytes());
            return good.data().size() == static_cast<std::size_t>(i + 1);
        }));
    }
    ASSERT_TRUE(run([&] {
        maxQueued = std::max(maxQueued, relay.queuedBytes());
        return flood.pending == 0;
    }));
    EXPECT_EQ(good.data().back().data[0], kGood - 1);
    EXPECT_GT(relay.stats().framesDropped, 0u);
    // Bounded: the stuck receiver's queue never passes its frame bound (plus one frame).
    EXPECT_LE(maxQueued, SmallRelay::limits().frameQueueBytes + 64 * 1024);
    EXPECT_EQ(relay.sessionCount(), 4u);  // nobody was cut: frames are only dropped
}

TEST_F(SmallRelay, ASessionWhoseControlMessagesPassTheHardBoundIsCut) {
    Peer stuck(io, port, /*reads=*/false), other(io, port);
    stuck.send(wire::encodeRelayText(RelayType::kLogin, "stuck"));
    other.login("other");
    ASSERT_TRUE(
        run([&] { return other.count(RelayType::kLoginResult) == 1 && stuck.pending == 0; }));
    // Every Want is answered with a Peer message; an endless stream of them from a
    // client that never reads must not grow the queue without end.
    for (int i = 0; i < 200000 && relay.sessionCount() == 2; ++i) {
        stuck.send(wire::encodeRelayText(RelayType::kWant, "n" + std::to_string(i % 1000)));
        if (i % 100 == 0) run([&] { return stuck.pending < 50; });
    }
    ASSERT_TRUE(run([&] { return relay.sessionCount() == 1; }));
    EXPECT_EQ(relay.stats().sessionsCut, 1u);
    EXPECT_LE(relay.queuedBytes(), SmallRelay::limits().hardQueueBytes);
}

}  // namespace
