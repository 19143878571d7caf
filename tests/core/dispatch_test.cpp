// The inbound dispatcher: the server token and the catalogue of command codes.
#include <gtest/gtest.h>

#include <sstream>

#include "client_fixture.h"
#include "protocol/dispatcher.h"
#include "table_packets.h"
#include "wire/chat.h"
#include "wire/departure.h"
#include "wire/keep_alive.h"
#include "wire/play.h"
#include "wire/round_start.h"
#include "wire/seating.h"
#include "wire/tribute.h"

namespace {

// Everything a handler could change that a test can see: the table state, every
// control of every window, what went to the hall, the shell and the socket.
struct Snapshot {
    state::TableState state;
    std::string windows;
    std::size_t hallMessages, boxes, sentBytes, queued;
    bool keepAlive;
    bool operator==(const Snapshot&) const = default;
};

void dumpControl(std::ostringstream& out, const ui::Control& c) {
    out << c.name << '(' << c.index << ") " << c.caption << '|' << c.visible << c.enabled << '|'
        << c.tag << '|' << c.toolTipText << '|' << c.left << ',' << c.top << ',' << c.width << ','
        << c.height << '|' << c.picture.get() << '|' << c.foreColor;
    for (const std::string& item : c.items) out << '[' << item << ']';
    out << '\n';
    for (const ui::Control* child : c.children) dumpControl(out, *child);
}

struct Dispatch : ClientFixture {
    Snapshot snapshot() {
        std::ostringstream out;
        for (ui::Form* f : fp.windows.forms()) {
            out << f->name() << ' ' << f->caption << f->visible << int(f->windowState) << '\n';
            for (const ui::Control* c : f->topLevel()) dumpControl(out, *c);
        }
        return {client->state,
                out.str(),
                fp.hallNet.log.size(),
                fp.shell.messages.size(),
                fp.socket.sent.size(),
                client->connection.send.SendRing.pending(),
                client->connection.TimerKeepAlive.enabled()};
    }
    // A packet full of values a handler would act on.
    static wire::GamePacket noisy(std::uint8_t code, std::uint8_t t0, std::uint8_t t1) {
        wire::GamePacket p;
        for (std::size_t i = 0; i < p.size(); ++i) p[i] = static_cast<std::uint8_t>(i * 37 + 11);
        p[wire::kCommandByte] = code;
        p[6] = 4;
        p[15] = 1;
        p[260] = t0;
        p[261] = t1;
        return p;
    }
};

TEST_F(Dispatch, EveryCodeButTheReconnectResultTakesTheToken) {
    startConnected();
    for (int code = 0; code < 256; ++code) {
        client->connection.send.token = {0x11, 0x22};
        // Byte 15 is 1, so a login result is accepted and the client goes on.
        auto c = static_cast<std::uint8_t>(code);
        wire::GamePacket p = noisy(c, c, 0xEE);
        if (code == 16) p[6] = 0x7F;  // every seat continues, so the table goes on
        ASSERT_TRUE(dispatch(p)) << code;
        const bool keeps = code == 29;
        EXPECT_EQ(client->connection.send.token.b0, keeps ? 0x11 : code) << code;
        EXPECT_EQ(client->connection.send.token.b1, keeps ? 0x22 : 0xEE) << code;
    }
    // The next queued packet carries the token taken last.
    ASSERT_TRUE(dispatch(noisy(0, 0xAB, 0xCD)));
    wire::GamePacket out = wire::KeepAlive{4}.encode();
    ASSERT_TRUE(client->connection.QueuePacket(out));
    EXPECT_EQ(out[260], 0xAB);
    EXPECT_EQ(out[261], 0xCD);
}

TEST_F(Dispatch, CodesOutsideTheCatalogueChangeNothingButTheToken) {
    startConnected();
    ASSERT_TRUE(dispatch(testpk::loginResult(1)));
    std::vector<int> codes = {0, 7, 10, 11, 12, 13, 14, 15, 17, 24, 25, 26, 27, 28};
    for (int c = 30; c < 256; ++c) codes.push_back(c);
    for (int code : codes) {
        const Snapshot before = snapshot();
        ASSERT_TRUE(dispatch(noisy(static_cast<std::uint8_t>(code), 1, 2))) << code;
        EXPECT_EQ(client->connection.send.token.b0, 1);
        EXPECT_TRUE(snapshot() == before) << "code " << code;
    }
}

TEST_F(Dispatch, CatalogueCodesReachTheirHandlers) {
    // The commands this table acts on already: login (18), seat (20), ready (23).
    startConnected();
    Snapshot before = snapshot();
    ASSERT_TRUE(dispatch(testpk::loginResult(1)));
    EXPECT_FALSE(snapshot() == before);
    before = snapshot();
    ASSERT_TRUE(dispatch(noisy(20, 0, 0)));
    EXPECT_FALSE(snapshot() == before);
    EXPECT_EQ(client->state.SeatedCount, 1);
}

TEST(OutboundPackets, CarryTheirCodeVariantAndSeatBit) {
    using namespace wire;
    constexpr std::uint8_t kSeat = 0x10;
    auto play = [](PlayAction a) {
        Play p;
        p.seat = kSeat;
        p.action = a;
        return p.encode();
    };
    auto tribute = [](TributeChoice c) {
        TributeAnswer t;
        t.seat = kSeat;
        t.choice = c;
        return t.encode();
    };
    auto chat = [](ChatKind k) {
        Chat c;
        c.sender = kSeat;
        c.kind = k;
        return c.encode();
    };
    struct Case {
        const char* meaning;
        GamePacket packet;
        std::uint8_t code;
        std::size_t byte;
        std::uint8_t value;
    } cases[] = {
        {"pre-declare", DeclarationAnswer{kSeat, DeclareKind::kPreDeclare}.encode(), 2, 8, 1},
        {"declare openly", DeclarationAnswer{kSeat, DeclareKind::kOpen}.encode(), 2, 8, 2},
        {"decline the declaration", DeclarationAnswer{kSeat, DeclareKind::kDecline}.encode(), 2, 8,
         0},
        {"decline work", WorkAnswer{kSeat, 0, 0}.encode(), 3, 12, 0},
        {"revolt", RevolutionAnswer{kSeat, RevolutionChoice::kRevolt}.encode(), 5, 8, 0},
        {"decline the revolution", RevolutionAnswer{kSeat, RevolutionChoice::kDecline}.encode(), 5,
         8, 1},
        {"choose a head", RevolutionAnswer{kSeat, RevolutionChoice::kHead}.encode(), 5, 8, 2},
        {"choose no head", RevolutionAnswer{kSeat, RevolutionChoice::kNoHead}.encode(), 5, 8, 3},
        {"pass", play(PlayAction::kPass), 7, 15, 1},
        {"play cards", play(PlayAction::kPlayCards), 7, 15, 2},
        {"yield", play(PlayAction::kYield), 7, 15, 3},
        {"take over the lead", play(PlayAction::kTakeLead), 7, 15, 4},
        {"accept the tribute", tribute(TributeChoice::kAccept), 8, 8, 1},
        {"decline the tribute", tribute(TributeChoice::kDecline), 8, 8, 2},
        {"return tribute", tribute(TributeChoice::kReturn), 8, 8, 0},
        {"leave", LeaveOrContinue{kSeat, GameOverCase::kLeave}.encode(), 16, 15, 0},
        {"continue", LeaveOrContinue{kSeat, GameOverCase::kContinue}.encode(), 16, 15, 1},
        {"chat line", chat(ChatKind::kLine), 19, 11, 0},
        {"voice phrase", chat(ChatKind::kVoice), 19, 11, 1},
        {"keep-alive", KeepAlive{kSeat}.encode(), 24, 15, 0},
        {"go to work, nothing raised", WorkAnswer{kSeat, 0, 0}.encode(), 3, 12, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.meaning);
        EXPECT_EQ(c.packet[3], c.code);
        EXPECT_EQ(c.packet[6], kSeat);
        EXPECT_EQ(c.packet[c.byte], c.value);
        int nonZero = 0;
        for (std::uint8_t b : c.packet) nonZero += b != 0;
        EXPECT_EQ(nonZero, 2 + (c.value != 0));
    }
    Login login;
    login.reconnect = true;
    const GamePacket p = login.encode();
    EXPECT_EQ(p[3], 18);
    EXPECT_EQ(p[4], 28);
    EXPECT_EQ(p[6], 0) << "the login carries no seat bit";
}

}  // namespace

namespace {

TEST(Dispatcher, OnlyCatalogueCommandsTakeHandlersAndTheReconnectResultKeepsTheToken) {
    net::ServerToken token{0x11, 0x22};
    protocol::Dispatcher d{token};
    std::vector<int> ran;
    for (wire::Command c : protocol::kInboundCatalogue)
        EXPECT_TRUE(d.on(c, [&ran, c](const wire::GamePacket&) { ran.push_back(int(c)); }));
    // Outbound-only commands are not the dispatcher's.
    EXPECT_FALSE(d.on(wire::Command::kPlay, [&ran](const wire::GamePacket&) { ran.push_back(7); }));
    EXPECT_FALSE(
        d.on(wire::Command::kKeepAlive, [&ran](const wire::GamePacket&) { ran.push_back(24); }));
    for (int code : {7, 24, 29, 1}) {
        wire::GamePacket p = wire::makePacket(static_cast<std::uint8_t>(code));
        p[260] = static_cast<std::uint8_t>(code);
        p[261] = 0x99;
        d.DispatchPacket(p);
    }
    EXPECT_EQ(ran, (std::vector<int>{29, 1}));
    EXPECT_EQ(token.b0, 1) << "every code but 29 hands its token on";
    EXPECT_EQ(token.b1, 0x99);
}

}  // namespace
