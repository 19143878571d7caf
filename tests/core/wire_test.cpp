// The packet layouts of both directions: every struct survives encode and decode
// (and a valid packet decode and encode), the bytes of each command are the ones
// written out below by hand, field by field, and hostile counts and seat bytes
// are cut down where the client cuts them, so no read or write leaves its field.
#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "wire/chat.h"
#include "wire/departure.h"
#include "wire/keep_alive.h"
#include "wire/packet_fields.h"
#include "wire/play.h"
#include "wire/result.h"
#include "wire/round_start.h"
#include "wire/seating.h"
#include "wire/tribute.h"

namespace {

using wire::GamePacket;

// A packet given byte by byte: (offset, value) pairs and byte strings at an offset;
// every byte not named is zero.
struct Bytes {
    std::vector<std::pair<std::size_t, std::uint8_t>> at;
    std::vector<std::pair<std::size_t, std::string>> runs;

    GamePacket packet() const {
        GamePacket p{};
        for (auto [i, v] : at) p[i] = v;
        for (const auto& [i, s] : runs)
            for (std::size_t k = 0; k < s.size(); ++k) p[i + k] = static_cast<std::uint8_t>(s[k]);
        return p;
    }
};

// One struct value with the command it belongs to and, where it is written out by
// hand, its bytes.
struct Case {
    std::string name;
    wire::Command command;
    std::function<GamePacket()> encode;
    // Decodes the packet and compares with the value.
    std::function<bool(const GamePacket&)> decodesToValue;
    // Decodes the packet and encodes it again.
    std::function<GamePacket(const GamePacket&)> reencode;
    std::optional<Bytes> golden;
};

template <class T>
Case make(std::string name, wire::Command command, const T& value,
          std::optional<Bytes> golden = std::nullopt) {
    return {std::move(name),
            command,
            [value] { return value.encode(); },
            [value](const GamePacket& p) { return T::decode(p) == value; },
            [](const GamePacket& p) { return T::decode(p).encode(); },
            std::move(golden)};
}

std::uint32_t card(std::uint8_t rank, std::uint8_t suitBit, std::uint8_t id) {
    return rank | suitBit << 8 | static_cast<std::uint32_t>(id) << 24;
}

std::vector<Case> cases() {
    using C = wire::Command;
    std::vector<Case> out;

    // Login (out): name from 16, key from 32, no terminators; the reconnect mark in 4
    // and the token in 261..262.
    wire::Login login{"alice", "pw9", true, 0xABCD};
    out.push_back(
        make("login after a reconnect", C::kLogin, login,
             Bytes{{{3, 18}, {4, 28}, {261, 0xAB}, {262, 0xCD}}, {{16, "alice"}, {32, "pw9"}}}));
    out.push_back(make("first login", C::kLogin, wire::Login{"bob", "k", false, 0},
                       Bytes{{{3, 18}}, {{16, "bob"}, {32, "k"}}}));

    // Login result: 10 TimeoutLimit, 11 TurnSeconds, 15 the result, 16..115 the address.
    wire::LoginResult result{wire::LoginOutcome::kAccepted, 3, 20, "http://ad.example/x"};
    out.push_back(
        make("login result", C::kLogin, result,
             Bytes{{{3, 18}, {10, 3}, {11, 20}, {15, 1}}, {{16, "http://ad.example/x"}}}));
    out.push_back(make("login refused", C::kLogin,
                       wire::LoginResult{wire::LoginOutcome::kStartFailed, 0, 0, ""},
                       Bytes{{{3, 18}, {15, 2}}, {}}));

    // Seat packet: 6 the receiver's seat bit, the profile from 16, 208 ready, 226 the
    // player's seat bit and the first byte of the user number.
    wire::Seat seat;
    seat.ownSeat = 0x04;
    seat.nickname = "Li牌";
    seat.avatarCode = "w3";
    seat.sex = 1;
    seat.location = "北京";
    seat.points = 0x0102;
    seat.credit = 7;
    seat.gold = 60000;  // 0x00EA60
    seat.statB = 1;
    seat.levelText = "第1级";
    seat.statC = 2;
    seat.statD = 3;
    seat.statE = 4;
    seat.loginCount = 5;
    seat.dropCount = 6;
    seat.winCount = 0x01000000;
    seat.lossCount = -1;
    seat.account = "acct01";
    seat.title = "新手";
    seat.ready = true;
    seat.textB = "00";
    seat.textC = "zz";
    seat.userNumber = 0x0910;  // seat bit 0x10, and a second byte
    out.push_back(
        make("seat packet", C::kSeat, seat,
             Bytes{{{3, 20},     {6, 0x04},  {64, 1},     {80, 0x02},  {81, 0x01},  {88, 7},
                    {96, 0x60},  {97, 0xEA}, {104, 1},    {128, 2},    {136, 3},    {144, 4},
                    {152, 5},    {156, 6},   {163, 1},    {164, 0xFF}, {165, 0xFF}, {166, 0xFF},
                    {167, 0xFF}, {208, 1},   {226, 0x10}, {227, 0x09}},
                   {{16, "Li\xC5\xC6"},
                    {48, "w3"},
                    {72, "\xB1\xB1\xBE\xA9"},
                    {112,
                     "\xB5\xDA"
                     "1"
                     "\xBC\xB6"},
                    {168, "acct01"},
                    {184, "\xD0\xC2\xCA\xD6"},
                    {210, "00"},
                    {218, "zz"}}}));

    // Ready notice: 15 = 1, the account in 16..31.
    out.push_back(make("ready notice", C::kReady, wire::ReadyNotice{true, "p5"},
                       Bytes{{{3, 23}, {15, 1}}, {{16, "p5"}}}));

    // Deal: card i little-endian at 16 + 4i, rank lowest, CardId highest.
    wire::Deal deal;
    for (std::size_t i = 0; i < deal.cards.size(); ++i)
        deal.cards[i] =
            card(static_cast<std::uint8_t>(3 + i % 15), 1, static_cast<std::uint8_t>(i));
    deal.cards[0] = card(14, 4, 5);
    deal.cards[35] = card(17, 1, 127);
    {
        Bytes b{{{3, 1}, {16, 14}, {17, 4}, {19, 5}, {156, 17}, {157, 1}, {159, 127}}, {}};
        for (std::size_t i = 1; i < 35; ++i) {
            b.at.push_back({16 + 4 * i, static_cast<std::uint8_t>(3 + i % 15)});
            b.at.push_back({17 + 4 * i, 1});
            b.at.push_back({19 + 4 * i, static_cast<std::uint8_t>(i)});
        }
        out.push_back(make("deal", C::kDeal, deal, b));
    }

    // Declarations: 8 the kind, 11 prompt (0) or announcement (1), 15 seconds,
    // 16..21 the seats offered the open declaration.
    wire::Declaration open{0, wire::DeclareKind::kOpen, wire::DeclarationStage::kPrompt, 9, {}};
    open.offered.seats = {0x40, 0x02, 0x20, 0x40, 0x40, 0x40};
    out.push_back(make("open declaration prompt", C::kDeclaration, open,
                       Bytes{{{3, 2},
                              {8, 2},
                              {15, 9},
                              {16, 0x40},
                              {17, 0x02},
                              {18, 0x20},
                              {19, 0x40},
                              {20, 0x40},
                              {21, 0x40}},
                             {}}));
    out.push_back(make(
        "pre-declaration announcement", C::kDeclaration,
        wire::Declaration{
            0x08, wire::DeclareKind::kPreDeclare, wire::DeclarationStage::kAnnouncement, 0, {}},
        Bytes{{{3, 2}, {6, 0x08}, {8, 1}, {11, 1}}, {}}));
    out.push_back(make("declare openly", C::kDeclaration,
                       wire::DeclarationAnswer{0x02, wire::DeclareKind::kOpen},
                       Bytes{{{3, 2}, {6, 0x02}, {8, 2}}, {}}));
    out.push_back(make("decline the declaration", C::kDeclaration,
                       wire::DeclarationAnswer{0x02, wire::DeclareKind::kDecline},
                       Bytes{{{3, 2}, {6, 0x02}}, {}}));

    // Work: the card big-endian in 8..11 (11 the rank, 10 the suit bit), 12 the
    // count, 15 prompt (1) or announcement (0); the answer 11 CardId, 12 count.
    out.push_back(make("work announcement", C::kWork,
                       wire::Work{0x04, 0x21000204, 3, wire::WorkStage::kAnnouncement},
                       Bytes{{{3, 3}, {6, 0x04}, {8, 0x21}, {10, 0x02}, {11, 4}, {12, 3}}, {}}));
    out.push_back(make("work prompt", C::kWork, wire::Work{0, 0, 0, wire::WorkStage::kPrompt},
                       Bytes{{{3, 3}, {15, 1}}, {}}));
    out.push_back(make("go to work", C::kWork, wire::WorkAnswer{0x01, 17, 3},
                       Bytes{{{3, 3}, {6, 0x01}, {11, 17}, {12, 3}}, {}}));

    // Three exchange: 8 buy (1) or sell (2); the sold card big-endian in 16..19, the
    // bought one in 20..23, the CardId first.
    out.push_back(make("buy a three", C::kExchange,
                       wire::Exchange{0x10, wire::ExchangeKind::kBuy, 0x07000108, 0x2A000203},
                       Bytes{{{3, 4},
                              {6, 0x10},
                              {8, 1},
                              {16, 0x07},
                              {18, 0x01},
                              {19, 0x08},
                              {20, 0x2A},
                              {22, 0x02},
                              {23, 0x03}},
                             {}}));

    // Revolution: 12 seconds, 15 the sub-code, 16..21 the seats offered; answer in 8.
    wire::Revolution revolt{0, 15, wire::RevolutionStage::kRevolutionPrompt, {}};
    revolt.offered.seats = {0x01, 0x08, 0, 0, 0, 0};
    out.push_back(make("revolution prompt", C::kRevolution, revolt,
                       Bytes{{{3, 5}, {12, 15}, {15, 1}, {16, 0x01}, {17, 0x08}}, {}}));
    out.push_back(make("head announcement", C::kRevolution,
                       wire::Revolution{0x20, 0, wire::RevolutionStage::kHead, {}},
                       Bytes{{{3, 5}, {6, 0x20}, {15, 5}}, {}}));
    out.push_back(make("choose no head", C::kRevolution,
                       wire::RevolutionAnswer{0x01, wire::RevolutionChoice::kNoHead},
                       Bytes{{{3, 5}, {6, 0x01}, {8, 3}}, {}}));
    out.push_back(make("revolt", C::kRevolution,
                       wire::RevolutionAnswer{0x01, wire::RevolutionChoice::kRevolt},
                       Bytes{{{3, 5}, {6, 0x01}}, {}}));

    // Played hand: 6 actor, 8 next, 10 seconds, 11 mode, 15 action, 16 event, 17 n,
    // 18 class, card i little-endian at 20 + 4i.
    wire::PlayedHand played;
    played.actor = 0x02;
    played.next = 0x04;
    played.seconds = 15;
    played.mode = wire::TurnMode::kBurn;
    played.action = wire::PlayedAction::kBurn;
    played.event = wire::PlayEvent::kLampLit;
    played.count = 2;
    played.playClass = 1;
    played.cards[0] = card(15, 8, 40);
    played.cards[1] = card(16, 1, 41);
    out.push_back(make("played hand", C::kPlayedHand, played,
                       Bytes{{{3, 6},
                              {6, 0x02},
                              {8, 0x04},
                              {10, 15},
                              {11, 3},
                              {15, 3},
                              {16, 1},
                              {17, 2},
                              {18, 1},
                              {20, 15},
                              {21, 8},
                              {23, 40},
                              {24, 16},
                              {25, 1},
                              {27, 41}},
                             {}}));
    out.push_back(make("round over", C::kPlayedHand,
                       wire::PlayedHand{0x08,
                                        0x08,
                                        0,
                                        wire::TurnMode::kNone,
                                        wire::PlayedAction::kRoundOver,
                                        wire::PlayEvent::kNone,
                                        0,
                                        0,
                                        {}},
                       Bytes{{{3, 6}, {6, 0x08}, {8, 0x08}, {15, 10}}, {}}));

    // Play: 15 the action, 17 n, 18 class, the CardIds from 20 in hand order.
    wire::Play play{0x01, wire::PlayAction::kPlayCards, 3, 2, {}};
    play.ids[0] = 9;
    play.ids[1] = 10;
    play.ids[2] = 35;
    out.push_back(make(
        "play cards", C::kPlay, play,
        Bytes{{{3, 7}, {6, 0x01}, {15, 2}, {17, 3}, {18, 2}, {20, 9}, {21, 10}, {22, 35}}, {}}));
    out.push_back(make("take over the lead", C::kPlay,
                       wire::Play{0x01, wire::PlayAction::kTakeLead, 0, 0, {}},
                       Bytes{{{3, 7}, {6, 0x01}, {15, 4}}, {}}));

    // Tribute: 6 receiver, 8 kind, 9 seconds, 11 sub-code, 12 giver, 16 n, card k
    // little-endian at 17 + 4k, the no-return ranks at 76..87, the giver's ids at 96 + k.
    wire::Tribute made;
    made.receiver = 0x01;
    made.kind = 4;
    made.seconds = 12;
    made.stage = wire::TributeStage::kMade;
    made.giver = 0x08;
    made.count = 2;
    made.cards[0] = card(17, 1, 36);
    made.cards[1] = card(14, 2, 37);
    made.noReturnRanks = {15, 16, 17, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    made.giverIds[0] = 7;
    made.giverIds[1] = 8;
    out.push_back(make("tribute made", C::kTribute, made,
                       Bytes{{{3, 8},
                              {6, 0x01},
                              {8, 4},
                              {9, 12},
                              {11, 2},
                              {12, 0x08},
                              {16, 2},
                              {17, 17},
                              {18, 1},
                              {20, 36},
                              {21, 14},
                              {22, 2},
                              {24, 37},
                              {76, 15},
                              {77, 16},
                              {78, 17},
                              {96, 7},
                              {97, 8}},
                             {}}));
    out.push_back(make("tribute offer", C::kTribute,
                       wire::Tribute{0x01, 0, 10, wire::TributeStage::kOffer, 0x20, 0, {}, {}, {}},
                       Bytes{{{3, 8}, {6, 0x01}, {9, 10}, {11, 1}, {12, 0x20}}, {}}));
    out.push_back(make("return tribute", C::kTribute,
                       wire::TributeAnswer{0x01, wire::TributeChoice::kReturn, 2, {3, 4}},
                       Bytes{{{3, 8}, {6, 0x01}, {16, 2}, {17, 3}, {18, 4}}, {}}));
    out.push_back(make("accept the tribute", C::kTribute,
                       wire::TributeAnswer{0x01, wire::TributeChoice::kAccept, 0, {}},
                       Bytes{{{3, 8}, {6, 0x01}, {8, 1}}, {}}));

    // Round result: the stake big-endian in 8..11, the currency in 15; the first
    // record's column c at byte c, the second's at byte c + 100.
    wire::RoundResult rr;
    rr.stake = 0x000101F4;  // 66036
    rr.currency = 1;
    wire::ResultRecord& a = rr.records[0];
    a.seat = 0x01;
    a.place = 1;
    a.outcome = wire::Outcome::kWon;
    a.firstAmount = 30;
    a.secondAmount = 0x0102;
    a.burnReceives = 1;
    a.burnPayer = 0x02;
    a.fallCards = 2;
    a.fallPayer = 0x08;
    a.cardCount = 2;
    a.cards[0] = 0x00;  // the small joker
    a.cards[1] = 0x25;  // the 5 of suit bit 2
    a.level = 40;
    wire::ResultRecord& b = rr.records[1];
    b.seat = 0x02;
    b.place = 6;
    b.outcome = wire::Outcome::kLost;
    b.firstAmount = 1;
    b.secondAmount = 20;
    b.stuffyPays = 1;
    b.stuffyReceiver = 0x10;
    b.pointCards = 1;
    b.cardCount = 1;
    b.cards[0] = 0x8E;  // the ace of suit bit 8
    b.level = 2;
    b.sweep = 1;
    out.push_back(make(
        "round result", C::kResult, rr,
        Bytes{{{3, 9},      {9, 0x01}, {10, 0x01}, {11, 0xF4}, {15, 1},     {16, 0x01},  {17, 1},
               {18, 1},     {19, 30},  {27, 0x02}, {28, 0x01}, {37, 1},     {38, 0x02},  {40, 2},
               {41, 0x08},  {42, 2},   {43, 0x00}, {44, 0x25}, {97, 40},    {116, 0x02}, {117, 6},
               {118, 2},    {119, 1},  {127, 20},  {135, 1},   {136, 0x10}, {139, 1},    {142, 1},
               {143, 0x8E}, {197, 2},  {198, 1}},
              {}}));

    // Departures: 16 with the case in 15 and the seats in 6; 21 and 23 the account in
    // 16..31; 22 the text from 16; 29 the result in 15.
    out.push_back(make("continue outcome", C::kGameOver,
                       wire::GameOver{0x7E, wire::GameOverCase::kContinue},
                       Bytes{{{3, 16}, {6, 0x7E}, {15, 1}}, {}}));
    out.push_back(make("gold shortage", C::kGameOver,
                       wire::GameOver{0x3E, wire::GameOverCase::kGold},
                       Bytes{{{3, 16}, {6, 0x3E}, {15, 3}}, {}}));
    out.push_back(make("leave", C::kGameOver,
                       wire::LeaveOrContinue{0x08, wire::GameOverCase::kLeave},
                       Bytes{{{3, 16}, {6, 0x08}}, {}}));
    out.push_back(make("continue", C::kGameOver,
                       wire::LeaveOrContinue{0x08, wire::GameOverCase::kContinue},
                       Bytes{{{3, 16}, {6, 0x08}, {15, 1}}, {}}));
    out.push_back(make("player left", C::kPlayerLeft, wire::PlayerLeft{"a5"},
                       Bytes{{{3, 21}}, {{16, "a5"}}}));
    out.push_back(make("table closed", C::kTableClosed, wire::TableClosed{"北京 ok"},
                       Bytes{{{3, 22}}, {{16, "\xB1\xB1\xBE\xA9 ok"}}}));
    out.push_back(
        make("resumed", C::kResume, wire::ResumeResult{true}, Bytes{{{3, 29}, {15, 1}}, {}}));
    out.push_back(
        make("resume refused", C::kResume, wire::ResumeResult{false}, Bytes{{{3, 29}}, {}}));

    // Chat: 5 private, 6 sender, 7 the selected seat, 8 the addressee, 11 line (0)
    // or phrase (1); the text from 16, or the phrase's seven digits at 16..22.
    wire::Chat line;
    line.isPrivate = true;
    line.sender = 0x04;
    line.addressee = 0x20;
    line.text = "牌 hi";
    out.push_back(make("private chat line", C::kChat, line,
                       Bytes{{{3, 19}, {5, 1}, {6, 0x04}, {8, 0x20}}, {{16, "\xC5\xC6 hi"}}}));
    wire::Chat voice;
    voice.sender = 0x04;
    voice.selected = 0x08;
    voice.kind = wire::ChatKind::kVoice;
    voice.phrase = {1, 1, 1, 2, 0, 1, 7};
    out.push_back(make("voice phrase", C::kChat, voice,
                       Bytes{{{3, 19},
                              {6, 0x04},
                              {7, 0x08},
                              {11, 1},
                              {16, 1},
                              {17, 1},
                              {18, 1},
                              {19, 2},
                              {21, 1},
                              {22, 7}},
                             {}}));

    // Keep-alive: 24 and the own seat bit.
    out.push_back(
        make("keep-alive", C::kKeepAlive, wire::KeepAlive{0x10}, Bytes{{{3, 24}, {6, 0x10}}, {}}));
    return out;
}

TEST(Wire, EveryStructSurvivesEncodeAndDecode) {
    for (const Case& c : cases()) {
        SCOPED_TRACE(c.name);
        const GamePacket p = c.encode();
        EXPECT_EQ(wire::commandOf(p), c.command);
        EXPECT_TRUE(c.decodesToValue(p)) << "encode, then decode";
        EXPECT_EQ(c.reencode(p), p) << "decode, then encode";
        EXPECT_EQ(p[wire::kTokenByte], 0) << "the sender stamps the token";
    }
}

TEST(Wire, EachCommandHasTheBytesOfItsLayout) {
    for (const Case& c : cases()) {
        if (!c.golden) continue;
        SCOPED_TRACE(c.name);
        const GamePacket want = c.golden->packet();
        const GamePacket got = c.encode();
        for (std::size_t i = 0; i < wire::kPacketSize; ++i)
            EXPECT_EQ(int(got[i]), int(want[i])) << "byte " << i;
        EXPECT_TRUE(c.decodesToValue(want)) << "the written-out bytes decode to the value";
    }
}

// Counts a hostile packet could carry, each cut to its table; and bytes past the
// table that must never be read as part of it.
TEST(Wire, CountsAreCutToTheirTables) {
    GamePacket p = wire::makePacket(wire::Command::kPlayedHand);
    p.fill(0x5A);
    p[wire::PlayedHand::kCountByte] = 255;
    const wire::PlayedHand h = wire::PlayedHand::decode(p);
    EXPECT_EQ(h.count, 40);
    EXPECT_EQ(h.cards[39], 0x5A5A5A5Au);  // bytes 176..179, the last of the table
    EXPECT_EQ(wire::PlayedHand::decode(h.encode()), h);

    GamePacket play = wire::makePacket(wire::Command::kPlay);
    play[wire::Play::kCountByte] = 41;
    EXPECT_EQ(wire::Play::decode(play).count, 40);

    struct CountCase {
        const char* what;
        std::size_t countByte;
        std::uint8_t sent;
        std::function<int(const GamePacket&)> read;
        int expected;
    } counts[] = {
        {"tribute cards", wire::Tribute::kCountByte, 250,
         [](const GamePacket& q) { return wire::Tribute::decode(q).count; }, 12},
        {"tribute cards within the table", wire::Tribute::kCountByte, 12,
         [](const GamePacket& q) { return wire::Tribute::decode(q).count; }, 12},
        {"returned cards", wire::TributeAnswer::kCountByte, 9,
         [](const GamePacket& q) { return wire::TributeAnswer::decode(q).count; }, 2},
        {"work cards shown", wire::Work::kCountByte, 255,
         [](const GamePacket& q) { return wire::Work::decode(q).count; }, 56},
        {"work cards within the row", wire::Work::kCountByte, 56,
         [](const GamePacket& q) { return wire::Work::decode(q).count; }, 56},
        {"first record's revealed cards", wire::ResultRecord::kCardCountCol, 200,
         [](const GamePacket& q) { return wire::RoundResult::decode(q).records[0].cardCount; }, 54},
        {"second record's revealed cards", 100 + wire::ResultRecord::kCardCountCol, 55,
         [](const GamePacket& q) { return wire::RoundResult::decode(q).records[1].cardCount; }, 54},
    };
    for (const CountCase& c : counts) {
        GamePacket q{};
        q[c.countByte] = c.sent;
        EXPECT_EQ(c.read(q), c.expected) << c.what;
    }

    // The tribute's giver ids end at 107: byte 108 is no id.
    GamePacket t{};
    t[wire::Tribute::kCountByte] = 200;
    t[wire::Tribute::kGiverIdsByte + 11] = 7;
    t[wire::Tribute::kGiverIdsByte + 12] = 9;
    const wire::Tribute tribute = wire::Tribute::decode(t);
    EXPECT_EQ(tribute.giverIds.back(), 7);
    // The second record's revealed cards end at 196: its level (197) is no card.
    GamePacket r{};
    r[100 + wire::ResultRecord::kCardCountCol] = 255;
    r[100 + wire::ResultRecord::kLevelCol] = 33;
    const wire::ResultRecord second = wire::RoundResult::decode(r).records[1];
    EXPECT_EQ(second.level, 33);
    EXPECT_EQ(second.cards.back(), 0);
}

// Seat bytes are masked where the client masks them and kept where it compares them
// as they came.
TEST(Wire, SeatBytesAreMaskedWhereTheClientMasksThem) {
    const std::uint8_t hostile = 0xC2;  // seat bit 2 with both upper bits set
    auto withByte = [](wire::Command c, std::size_t at, std::uint8_t v) {
        GamePacket p = wire::makePacket(c);
        p[at] = v;
        return p;
    };
    using C = wire::Command;
    struct SeatCase {
        const char* what;
        GamePacket packet;
        std::function<std::uint8_t(const GamePacket&)> read;
        std::uint8_t expected;
    } seats[] = {
        {"played hand actor", withByte(C::kPlayedHand, 6, hostile),
         [](const GamePacket& p) { return wire::PlayedHand::decode(p).actor; }, 0x02},
        {"played hand next", withByte(C::kPlayedHand, 8, hostile),
         [](const GamePacket& p) { return wire::PlayedHand::decode(p).next; }, 0x02},
        {"tribute receiver", withByte(C::kTribute, 6, hostile),
         [](const GamePacket& p) { return wire::Tribute::decode(p).receiver; }, 0x02},
        {"tribute giver", withByte(C::kTribute, 12, 0x80),
         [](const GamePacket& p) { return wire::Tribute::decode(p).giver; }, 0},
        {"seat packet receiver", withByte(C::kSeat, 6, hostile),
         [](const GamePacket& p) { return wire::Seat::decode(p).ownSeat; }, 0x02},
        {"seat packet player", withByte(C::kSeat, 226, hostile),
         [](const GamePacket& p) { return wire::Seat::decode(p).playerSeat(); }, 0x02},
        {"result seat", withByte(C::kResult, 116, hostile),
         [](const GamePacket& p) { return wire::RoundResult::decode(p).records[1].seat; }, 0x02},
        {"result fall payer", withByte(C::kResult, 41, hostile),
         [](const GamePacket& p) { return wire::RoundResult::decode(p).records[0].fallPayer; },
         0x02},
        {"declaration actor", withByte(C::kDeclaration, 6, hostile),
         [](const GamePacket& p) { return wire::Declaration::decode(p).actor; }, 0x02},
        {"work actor", withByte(C::kWork, 6, hostile),
         [](const GamePacket& p) { return wire::Work::decode(p).actor; }, 0x02},
        {"exchange actor", withByte(C::kExchange, 6, hostile),
         [](const GamePacket& p) { return wire::Exchange::decode(p).actor; }, 0x02},
        {"chat sender", withByte(C::kChat, 6, hostile),
         [](const GamePacket& p) { return wire::Chat::decode(p).sender; }, 0x02},
        {"chat addressee", withByte(C::kChat, 8, 0xFF),
         [](const GamePacket& p) { return wire::Chat::decode(p).addressee; }, 0x3F},
        // Compared as they came.
        {"head prompt seat", withByte(C::kRevolution, 6, 0x41),
         [](const GamePacket& p) { return wire::Revolution::decode(p).actor; }, 0x41},
        {"continue outcome seats", withByte(C::kGameOver, 6, 0xFF),
         [](const GamePacket& p) { return wire::GameOver::decode(p).seats; }, 0xFF},
    };
    for (const SeatCase& c : seats) EXPECT_EQ(c.read(c.packet), c.expected) << c.what;

    // An offered seat with an upper bit set offers nobody; an empty entry neither.
    wire::OfferedSeats offered;
    offered.seats = {0x41, 0, 0x40, 0, 0, 0x08};
    EXPECT_FALSE(offered.offers(0x01));
    EXPECT_FALSE(offered.offers(0));
    EXPECT_TRUE(offered.offers(0x08));
    EXPECT_EQ(wire::seatOfBit(0xC2), 1);
    EXPECT_EQ(wire::seatOfBit(0x03), -1);
    EXPECT_EQ(wire::seatOfBit(0), -1);
}

TEST(Wire, ByteHelpersStayInsideThePacket) {
    GamePacket p{};
    p.fill(0x11);
    wire::putLe64(p, 268, 0x0807060504030201ull);
    EXPECT_EQ(p[267], 0x11);
    EXPECT_EQ(p[268], 0x01);
    EXPECT_EQ(p[271], 0x04);
    EXPECT_EQ(wire::getLe64(p, 268), 0x04030201ull) << "bytes past the end read as 0";
    EXPECT_EQ(wire::getLe32(p, 300), 0u);
    wire::putBe32(p, 270, 0xAABBCCDD);
    EXPECT_EQ(p[270], 0xAA);
    EXPECT_EQ(p[271], 0xBB);
    EXPECT_EQ(wire::getBe32(p, 270), 0xAABB0000u);
    EXPECT_EQ(wire::putBytes(p, 269, "abcdef", 10), 3u);
    EXPECT_EQ(wire::getZeroEnded(p, 269, 10), "abc");
    EXPECT_EQ(wire::getZeroEnded(p, 300, 10), "");
    wire::putByte(p, 272, 9);  // nothing to write to
    EXPECT_EQ(wire::getByte(p, 272), 0);
}

TEST(Wire, TextWritersKeepToTheirFieldAndWholeCharacters) {
    GamePacket p{};
    // 31 single bytes leave one byte of the nickname: no room for a double-byte one.
    EXPECT_EQ(wire::putGbkText(p, 16, 47, std::string(31, 'x') + "牌"), 31u);
    EXPECT_EQ(p[47], 0);
    EXPECT_EQ(wire::putGbkText(p, 72, 79, "北京上海天津"), 8u);
    EXPECT_EQ(p[80], 0);
    // One byte per character: Latin-1 characters as their code, others as '?'.
    EXPECT_EQ(wire::putSingleByteText(p, 168, 171, "é牌abc"), 4u);
    EXPECT_EQ(p[168], 0xE9);
    EXPECT_EQ(p[169], '?');
    EXPECT_EQ(p[171], 'b');
    EXPECT_EQ(p[172], 0);
    EXPECT_EQ(wire::singleByteText(p, 168, 171), "é?ab");
    // The eight-byte numbers read as the profile reads them.
    EXPECT_EQ(wire::asDouble(60000), 60000.0);
    wire::putLe64(p, 96, ~0ull);
    EXPECT_EQ(wire::asDouble(wire::getLe64(p, 96)), wire::packetDouble(p, 96));
}

TEST(Wire, TheLoginFitsOnlyInSingleBytesInsideThePacket) {
    EXPECT_TRUE((wire::Login{"alice", "key", false, 0}.fits()));
    EXPECT_FALSE((wire::Login{"牌", "key", false, 0}.fits())) << "a double-byte character";
    EXPECT_TRUE((wire::Login{"me", std::string(240, 'k'), false, 0}.fits())) << "ends at 271";
    EXPECT_FALSE((wire::Login{"me", std::string(241, 'k'), false, 0}.fits()));
    // A name of more than 16 characters is overwritten from byte 32 by the key.
    const GamePacket p = wire::Login{"abcdefghijklmnopq", "secret", false, 0}.encode();
    EXPECT_EQ(wire::getZeroEnded(p, 16, 30), "abcdefghijklmnopsecret");
}

TEST(Wire, ChatTextAndResultCards) {
    // The send routine's chat text: the first 100 characters, zeros to the end.
    GamePacket p{};
    p.fill(0x77);
    wire::writeChatText(p, std::string(100, 'x') + "Y");
    EXPECT_EQ(p[115], 'x');
    for (std::size_t i = 116; i < wire::kPacketSize; ++i) EXPECT_EQ(p[i], 0) << i;
    std::string wide;
    for (int i = 0; i < 101; ++i) wide += "牌";
    wire::writeChatText(p, wide);
    EXPECT_EQ(p[214], 0xC5);
    EXPECT_EQ(p[215], 0xC6);
    EXPECT_EQ(p[216], 0);

    // Revealed cards: rank code in the low four bits, suit bit in the high four; the
    // jokers as rank codes 0 and 1 without a suit.
    struct CardCase {
        std::uint32_t code;
        std::uint8_t byte;
        std::uint32_t back;
    } cards[] = {
        {card(16, 1, 9), 0x00, 16},
        {card(17, 1, 9), 0x01, 17},
        {card(5, 2, 9), 0x25, 5 | 2 << 8},
        {card(15, 8, 9), 0x8F, 15 | 8 << 8},
    };
    for (const CardCase& c : cards) {
        EXPECT_EQ(wire::resultCardByte(c.code), c.byte) << c.code;
        EXPECT_EQ(wire::revealedCard(c.byte), c.back) << int(c.byte);
    }
}

}  // namespace
