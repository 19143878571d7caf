// The video relay's wire format: messages cut from a stream however it is split,
// oversize payloads skipped without being held, and payloads that lie about their
// name length refused.
#include <gtest/gtest.h>

#include "wire/relay.h"

namespace {

using wire::RelayBytes;
using wire::RelayType;

std::vector<wire::RelayMessage> readAll(wire::RelayReader& r, const RelayBytes& stream,
                                        std::size_t chunk) {
    std::vector<wire::RelayMessage> got;
    for (std::size_t at = 0; at < stream.size(); at += chunk) {
        const std::size_t n = std::min(chunk, stream.size() - at);
        r.feed({stream.data() + at, n}, [&](wire::RelayMessage& m) { got.push_back(m); });
    }
    return got;
}

TEST(RelayWire, MessagesAreCutFromTheStreamHoweverItIsSplit) {
    RelayBytes stream;
    auto append = [&](const RelayBytes& m) { stream.insert(stream.end(), m.begin(), m.end()); };
    append(wire::encodeRelayText(RelayType::kLogin, "ann"));
    append(wire::encodeRelay(RelayType::kWant, {}));
    append(wire::encodeRelayData(RelayType::kData, wire::RelayKind::kFrame, "bob",
                                 RelayBytes(1000, 0xAB)));
    append(wire::encodeRelayPeer(wire::kPeerOnline, "bob"));
    for (std::size_t chunk :
         {std::size_t{1}, std::size_t{3}, std::size_t{5}, std::size_t{64}, stream.size()}) {
        SCOPED_TRACE(chunk);
        wire::RelayReader r;
        auto got = readAll(r, stream, chunk);
        ASSERT_EQ(got.size(), 4u);
        EXPECT_EQ(got[0].type, RelayType::kLogin);
        EXPECT_EQ(std::string(got[0].payload.begin(), got[0].payload.end()), "ann");
        EXPECT_TRUE(got[1].payload.empty());
        auto d = wire::decodeRelayData(got[2].payload);
        ASSERT_TRUE(d);
        EXPECT_EQ(d->kind, wire::RelayKind::kFrame);
        EXPECT_EQ(d->name, "bob");
        EXPECT_EQ(d->data.size(), 1000u);
        auto p = wire::decodeRelayPeer(got[3].payload);
        ASSERT_TRUE(p);
        EXPECT_EQ(p->flags, wire::kPeerOnline);
        EXPECT_EQ(p->name, "bob");
        EXPECT_EQ(r.buffered(), 0u);
    }
}

TEST(RelayWire, AnOversizePayloadIsSkippedWithoutBeingHeld) {
    wire::RelayReader r(100);
    RelayBytes stream = wire::encodeRelay(RelayType::kData, RelayBytes(101, 1));
    RelayBytes next = wire::encodeRelayText(RelayType::kLogin, "x");
    stream.insert(stream.end(), next.begin(), next.end());
    std::size_t most = 0;
    std::vector<wire::RelayMessage> got;
    for (std::uint8_t b : stream) {
        r.feed({&b, 1}, [&](wire::RelayMessage& m) { got.push_back(m); });
        most = std::max(most, r.buffered());
    }
    ASSERT_EQ(got.size(), 1u);
    EXPECT_EQ(got[0].type, RelayType::kLogin);
    EXPECT_EQ(r.skipped(), 1u);
    EXPECT_LE(most, wire::kRelayHeader);
    // A header claiming 4 GiB is skipped just the same.
    wire::RelayReader big;
    const RelayBytes header = {4, 0xFF, 0xFF, 0xFF, 0xFF, 1, 2, 3};
    big.feed(header, [&](wire::RelayMessage&) { ADD_FAILURE(); });
    EXPECT_EQ(big.skipped(), 1u);
    EXPECT_EQ(big.buffered(), 0u);
}

TEST(RelayWire, PayloadsThatDoNotHoldWhatTheySayAreRefused) {
    struct Case {
        const char* what;
        RelayBytes payload;
        bool data, peer;
    };
    const Case cases[] = {
        {"empty", {}, false, false},
        {"kind only", {2}, false, true},
        {"a name longer than the payload", {2, 5, 'a', 'b'}, false, true},
        {"a name above the bound", RelayBytes(2 + 40, 40), false, false},
        {"a name and no data", {2, 1, 'a'}, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(wire::decodeRelayData(c.payload).has_value(), c.data);
        EXPECT_EQ(wire::decodeRelayPeer(c.payload).has_value(), c.peer);
    }
    EXPECT_FALSE(wire::validRelayName(""));
    EXPECT_FALSE(wire::validRelayName(std::string(33, 'a')));
    EXPECT_TRUE(wire::validRelayName(std::string(32, 'a')));
}

}  // namespace
