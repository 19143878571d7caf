// Login result, seat packets and ready notices: from a fresh connection to a full
// table, on the fake socket in virtual time.
#include <gtest/gtest.h>

#include "client_fixture.h"
#include "table_packets.h"

namespace {

using testpk::Seat;

struct Seating : ClientFixture {
    ui::Control& at(const char* name, int index = -1) { return client->MainForm.at(name, index); }
    ui::Control& in(const char* form, const char* name, int index) {
        return fp.windows.form(form).at(name, index);
    }
    std::vector<std::string> sys(int i) { return at("Sysmsg", i).items; }
    // The resource id of the picture a control shows; empty without one.
    static std::string pic(const ui::Control& c) {
        const std::string prefix = "res:";
        if (!c.picture || c.picture->key.rfind(prefix, 0) != 0) return "";
        return c.picture->key.substr(prefix.size());
    }

    // The own seat is index 2 (bit 4): seat k shows in slot (k + 4) % 6.
    static constexpr std::uint8_t kOwnBit = 4;
    static int slotOfSeat(int seat) { return (seat + 4) % 6; }
    Seat player(int seat) {
        Seat s;
        s.ownSeatByte = kOwnBit;
        s.seatByte = static_cast<std::uint8_t>(1 << seat);
        s.account = seat == 2 ? "me" : "p" + std::to_string(seat);
        s.nickname = "玩" + std::to_string(seat);
        return s;
    }
    void loggedIn() {
        startConnected();
        ASSERT_TRUE(dispatch(testpk::loginResult(1)));
    }
    bool seat(const Seat& s) { return dispatch(s.build()); }
    void seatAll(std::initializer_list<int> seats) {
        for (int k : seats) ASSERT_TRUE(seat(player(k)));
    }
};

TEST_F(Seating, LogsInAndSeatsSixPlayersOverTheSocket) {
    startConnected();
    hallGot.clear();
    const char* avatars[6] = {"m3", "w1", "m1", "w10", "", "m7"};
    const std::uint64_t gold[6] = {100, 20000, 59999, 60000, 1234567, 0};
    platform::Bytes wire;
    auto add = [&wire](const wire::GamePacket& p) { wire.insert(wire.end(), p.begin(), p.end()); };
    add(testpk::loginResult(1, 20, 3, "http://ad.example/x"));
    for (int k : {3, 2, 0, 1, 5, 4}) {
        Seat s = player(k);
        s.avatar = avatars[k];
        s.gold = gold[k];
        s.title = "称号" + std::to_string(k);
        s.level = "第" + std::to_string(k) + "级";
        s.ready = k == 3 || k == 5;
        add(s.build());
    }
    fp.socket.deliver(wire);
    ASSERT_TRUE(advance(1000));

    EXPECT_TRUE(client->state.LoginAccepted);
    EXPECT_EQ(hallCount(771), 1);
    EXPECT_EQ(client->state.TurnSeconds, 20);
    EXPECT_EQ(client->state.AdUrl, "http://ad.example/x");
    EXPECT_EQ(client->state.PlayerRecord[0].seatBit, kOwnBit);
    EXPECT_EQ(client->state.SeatedCount, 6);
    EXPECT_EQ(hallCount(platform::SC_MINIMIZE), 1);
    EXPECT_EQ(client->MainForm.windowState, ui::WindowState::kNormal);
    EXPECT_EQ(sys(0), std::vector<std::string>{"游戏将在15秒内开始"});
    EXPECT_TRUE(client->state.GameResetDone);

    const int avatarIds[6] = {242, 250, 240, 259, 240, 246};
    const char* okIds[6] = {"280", "281", "281", "282", "282", "280"};
    for (int k = 0; k < 6; ++k) {
        const int slot = slotOfSeat(k);
        SCOPED_TRACE("seat " + std::to_string(k));
        const std::string nick = "玩" + std::to_string(k);
        EXPECT_EQ(client->state.PlayerRecord[slot].seatId, k == 2 ? "me" : "p" + std::to_string(k));
        EXPECT_EQ(client->state.PlayerRecord[slot].seatBit, 1 << k);
        EXPECT_EQ(at("Nid", slot).caption, "[称号" + std::to_string(k) + "] " + nick);
        EXPECT_EQ(at("Cash", slot).caption, std::to_string(gold[k]) + "金币");
        EXPECT_EQ(at("Level", slot).caption, "第" + std::to_string(k) + "级");
        EXPECT_EQ(pic(at("OK", slot)), okIds[k]);
        EXPECT_EQ(at("OK", slot).visible, slot == 0 || k == 3 || k == 5);
        EXPECT_EQ(pic(at("Tou", slot)), std::to_string(avatarIds[k]));
        for (const char* window : {"Score", "Hero"}) {
            EXPECT_EQ(in(window, "ID", slot).caption, nick);
            EXPECT_EQ(in(window, "ID", slot).toolTipText, nick);
            EXPECT_EQ(pic(in(window, "Tou", slot)), std::to_string(avatarIds[k]));
        }
    }
    EXPECT_EQ(at("name1").caption, "玩3");  // slot 1
    EXPECT_EQ(at("name2").caption, "玩1");  // slot 5
}

TEST_F(Seating, TheLoginResultStartsTheTable) {
    startConnected();
    hallGot.clear();
    client->state.ExitConfirmed = true;
    ASSERT_TRUE(dispatch(testpk::loginResult(1, 12, 4)));
    EXPECT_TRUE(client->state.LoginAccepted);
    EXPECT_FALSE(client->state.ExitConfirmed);
    EXPECT_FALSE(client->state.LoginSent);
    EXPECT_TRUE(client->connection.TimerKeepAlive.enabled());
    EXPECT_EQ(hallGot, std::vector<std::uint32_t>{771});
    EXPECT_EQ(sys(0),
              std::vector<std::string>{"欢迎进入Brenmoor，更多精彩尽在www.brenmoor.example"});
    EXPECT_EQ(sys(1), std::vector<std::string>{"打完一局(3回合为一局)才能退，否则按逃跑扣分！"});
    EXPECT_EQ(client->state.TurnSeconds, 12);
    EXPECT_EQ(client->state.TimeoutLimit, 4);
    EXPECT_EQ(client->state.AdUrl, "");

    // kPlaying by itself, the client answers at once; the address fills its range.
    client->state.AutoPlay = true;
    ASSERT_TRUE(dispatch(testpk::loginResult(1, 12, 4, std::string(100, 'u') + "tail")));
    EXPECT_EQ(client->state.TurnSeconds, 1);
    EXPECT_EQ(client->state.AdUrl, std::string(100, 'u'));
}

TEST_F(Seating, ARefusedLoginTellsTheHallAndEnds) {
    struct Case {
        std::uint8_t result;
        const char* line;
    } cases[] = {{2, "启动游戏失败，请重新在大厅就座后进入游戏！"},
                 {0, "验证错误，请重新在大厅就座后进入游戏！"},
                 {3, "验证错误，请重新在大厅就座后进入游戏！"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.result));
        client.reset();
        fp.shell.anotherCopyRunning = false;
        startConnected();
        hallGot.clear();
        EXPECT_FALSE(dispatch(testpk::loginResult(c.result)));
        EXPECT_EQ(endedWith, 0);
        EXPECT_FALSE(client->state.LoginAccepted);
        EXPECT_TRUE(client->connection.TimerKeepAlive.enabled());
        EXPECT_EQ(sys(0), std::vector<std::string>{c.line});
        fp.loop.drain();
        EXPECT_EQ(hallGot, (std::vector<std::uint32_t>{22, platform::SC_RESTORE}));
    }
}

TEST_F(Seating, SeatBitsAndSlots) {
    struct Case {
        std::uint8_t ownByte, seatByte;
        std::uint8_t ownBit;
        int slot;
        const char* why;
    } cases[] = {
        {4, 32, 4, 3, "the first packet may be about another player"},
        {0xC4, 0xE0, 4, 3, "the upper two bits carry nothing"},
        {8, 8, 8, 0, "the own packet lands in slot 0"},
        {1, 8, 1, 3, "the seat opposite is slot 3"},
        {32, 4, 32, 3, "the seat opposite is slot 3"},
        {2, 1, 2, 5, "the seat before the own one is slot 5"},
        {0, 0, 0, 0, "a seat bit of 0 is seat 0"},
        {1, 0x30, 1, 5, "two bits: the highest one counts"},
        {1, 0x40, 1, 0, "only a high bit is seat 0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        client.reset();
        startConnected();
        Seat s;
        s.ownSeatByte = c.ownByte;
        s.seatByte = c.seatByte;
        s.account = "x";
        ASSERT_TRUE(seat(s));
        EXPECT_EQ(client->state.PlayerRecord[0].seatBit, c.ownBit);
        EXPECT_EQ(client->state.PlayerRecord[static_cast<std::size_t>(c.slot)].seatId, "x");
        EXPECT_EQ(client->MainForm.at("Nid", c.slot).caption, "[新手] Ann");
    }
    // Every seat as seen from every own seat.
    for (int own = 0; own < 6; ++own)
        for (int other = 0; other < 6; ++other)
            EXPECT_EQ(state::screenSlot(1 << other, 1 << own), (other - own + 6) % 6);
}

TEST_F(Seating, TheOwnSeatBitIsLearnedOnce) {
    startConnected();
    Seat other = player(5);
    ASSERT_TRUE(seat(other));
    Seat mine = player(2);
    mine.ownSeatByte = 16;  // a later packet never changes it
    ASSERT_TRUE(seat(mine));
    EXPECT_EQ(client->state.PlayerRecord[0].seatBit, kOwnBit);
    EXPECT_EQ(client->state.PlayerRecord[0].seatId, "me");
    EXPECT_EQ(client->state.PlayerRecord[3].seatId, "p5");
    EXPECT_EQ(client->state.PlayerRecord[3].seatBit, 32);
}

TEST_F(Seating, ReadyMarkTiersByGold) {
    loggedIn();
    struct Case {
        std::uint64_t gold;
        const char* id;
    } cases[] = {{0, "280"},     {19999, "280"}, {20000, "281"},
                 {59999, "281"}, {60000, "282"}, {~0ull, "282"}};
    int n = 0;
    for (const Case& c : cases) {
        const int seatIndex = n % 6;
        Seat s = player(seatIndex);
        s.account = "g" + std::to_string(n++);
        s.gold = c.gold;
        ASSERT_TRUE(seat(s));
        EXPECT_EQ(pic(at("OK", slotOfSeat(seatIndex))), c.id) << c.gold;
    }
}

TEST_F(Seating, AvatarCodes) {
    struct Case {
        const char* code;
        int index;
    } cases[] = {{"m1", 0},
                 {"m10", 9},
                 {"w3", 12},
                 {"m12", 0 /* 11 is past the row */},
                 {"w12", 10},
                 {"w1", 10},
                 {"w10", 19},
                 // No number of 1..10: the first picture of the row, never outside the table.
                 {"m0", 0},
                 {"w0", 10},
                 {"wx", 10},
                 {"m", 0},
                 {"", 0},
                 {"m123", 0},
                 {"w99", 10},
                 {"\xC3\xA9"
                  "5",
                  4} /* a high first character counts as one */};
    for (const Case& c : cases)
        EXPECT_EQ(protocol::Seating::avatarIndex(c.code), c.index) << c.code;
    // Through the packet: an empty code reads as "m1".
    loggedIn();
    Seat s = player(3);
    s.avatar = "";
    ASSERT_TRUE(seat(s));
    EXPECT_EQ(client->state.PlayerInfo[1].avatarCode, "m1");
    EXPECT_EQ(pic(at("Tou", 1)), "240");
    s = player(4);
    s.avatar = "w3";
    ASSERT_TRUE(seat(s));
    EXPECT_EQ(pic(at("Tou", 2)), "252");
}

TEST_F(Seating, ProfileFieldsAndTextsThatFillTheirRange) {
    loggedIn();
    Seat s = player(3);
    s.nickname = std::string(32, 'N');
    s.account = std::string(16, 'A');
    s.title = "头衔头衔头衔头衔头衔头衔";  // 24 bytes, no zero before byte 208
    s.loginCount = 5;
    s.dropCount = 2;
    s.textB = "00";
    wire::GamePacket p = s.build();
    p[208] = 0;
    ASSERT_TRUE(dispatch(p));
    const state::PlayerInfoEntry& info = client->state.PlayerInfo[1];
    EXPECT_EQ(info.nickname, std::string(32, 'N'));
    EXPECT_EQ(info.seatKey, std::string(16, 'A'));
    EXPECT_EQ(client->state.PlayerRecord[1].seatId, std::string(16, 'A'));
    EXPECT_EQ(info.title, "头衔头衔头衔头衔头衔头衔");
    EXPECT_EQ(info.location, "北京");
    EXPECT_EQ(info.levelText, "第一级");
    EXPECT_EQ(info.sex, 1);
    EXPECT_EQ(info.gold, 1000.0);
    EXPECT_EQ(info.loginCount, 5);
    EXPECT_EQ(info.dropCount, 2);
    EXPECT_EQ(info.textB, "00");
    EXPECT_EQ(info.userNumber, 8.0);  // byte 226 is also the number's first byte
}

TEST_F(Seating, ADuplicateAccountIsReportedAndChangesNothing) {
    loggedIn();
    seatAll({2, 3});
    const state::TableState before = client->state;
    const std::string nid = at("Nid", 1).caption;
    Seat again = player(4);
    again.account = "p3";  // already in slot 1
    ASSERT_TRUE(seat(again));
    ASSERT_EQ(fp.shell.messages.size(), 1u);
    EXPECT_EQ(fp.shell.messages[0].text, "出现相同的seatid");
    EXPECT_EQ(fp.shell.messages[0].buttons, platform::MB_OK);
    EXPECT_EQ(client->state.SeatedCount, before.SeatedCount);
    EXPECT_EQ(client->state.PlayerRecord, before.PlayerRecord);
    EXPECT_EQ(client->state.PlayerInfo, before.PlayerInfo);
    EXPECT_EQ(at("Nid", 1).caption, nid);
    EXPECT_EQ(at("Nid", 2).caption, "");
    // A free slot keeps an old name but no label: that is no duplicate.
    at("Nid", 1).caption.clear();
    ASSERT_TRUE(seat(again));
    EXPECT_EQ(fp.shell.messages.size(), 1u);
    EXPECT_EQ(client->state.PlayerRecord[2].seatId, "p3");
}

TEST_F(Seating, ASixthPlayerBringsTheTableToTheFrontEachTime) {
    loggedIn();
    hallGot.clear();
    seatAll({0, 1, 2, 3, 4});
    EXPECT_EQ(hallCount(platform::SC_MINIMIZE), 0);
    EXPECT_EQ(client->state.SeatPacketsSeen, 6) << "five packets count as six";
    client->MainForm.windowState = ui::WindowState::kMinimized;
    seatAll({5});
    fp.loop.drain();
    EXPECT_EQ(client->state.SeatedCount, 6);
    EXPECT_EQ(client->MainForm.windowState, ui::WindowState::kNormal);
    EXPECT_EQ(hallCount(platform::SC_MINIMIZE), 1);
    EXPECT_EQ(sys(0), std::vector<std::string>{"游戏将在15秒内开始"});
    EXPECT_EQ(client->state.SeatPacketsSeen, 0) << "the hand reset";

    struct Case {
        bool resetCleared;
        bool notice;
    } cases[] = {{true, true}, {false, false}};
    int round = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.resetCleared);
        // The player at seat 1 (slot 5) leaves and another takes the seat.
        --client->state.SeatedCount;
        client->state.PlayerRecord[5].seatId.clear();
        at("Nid", 5).caption.clear();
        if (c.resetCleared) client->state.GameResetDone = false;
        at("Sysmsg", 0).items.clear();
        client->MainForm.windowState = ui::WindowState::kMinimized;
        Seat newcomer = player(1);
        newcomer.account = "new" + std::to_string(round++);
        ASSERT_TRUE(seat(newcomer));
        fp.loop.drain();
        EXPECT_EQ(client->MainForm.windowState, ui::WindowState::kNormal);
        EXPECT_EQ(hallCount(platform::SC_MINIMIZE), 1 + round);
        EXPECT_EQ(sys(0).size(), c.notice ? 1u : 0u);
        EXPECT_TRUE(client->state.GameResetDone);
    }
}

TEST_F(Seating, ReadyNotices) {
    loggedIn();
    seatAll({0, 1, 2, 3, 4, 5});  // a full table, nobody ready yet
    for (int slot = 1; slot < 6; ++slot) EXPECT_FALSE(at("OK", slot).visible);
    client->state.GameResetDone = false;

    // Four of the others are ready; an unknown name and a notice with byte 15 ≠ 1
    // show nothing.
    for (int seat : {0, 1, 3, 4})
        ASSERT_TRUE(dispatch(testpk::readyNotice("p" + std::to_string(seat))));
    ASSERT_TRUE(dispatch(testpk::readyNotice("nobody")));
    ASSERT_TRUE(dispatch(testpk::readyNotice("p5", 0)));
    EXPECT_FALSE(at("OK", slotOfSeat(5)).visible);
    EXPECT_FALSE(client->state.GameResetDone);
    EXPECT_TRUE(at("OK", slotOfSeat(0)).visible);

    // The fifth makes all others ready: the table is reset for the new game.
    client->state.PlayerRecord[0].cards.append(rules::composeCard(5, 1, 0, 9), 3);
    client->state.SeatPacketsSeen = 4;
    ASSERT_TRUE(dispatch(testpk::readyNotice("p5")));
    EXPECT_TRUE(at("OK", slotOfSeat(5)).visible);
    EXPECT_TRUE(client->state.GameResetDone);
    EXPECT_EQ(client->state.PlayerRecord[0].cards.count(), 0);
    EXPECT_EQ(client->state.SeatPacketsSeen, 0);

    // Everyone else already marked: a notice with byte 15 ≠ 1 shows no mark but
    // still starts the new game.
    client->state.GameResetDone = false;
    at("OK", 0).visible = false;
    ASSERT_TRUE(dispatch(testpk::readyNotice("me", 7)));
    EXPECT_FALSE(at("OK", 0).visible);
    EXPECT_TRUE(client->state.GameResetDone);

    // Once a hand is dealt the ready marks start nothing.
    client->state.GameResetDone = false;
    client->state.HandInGame = 1;
    ASSERT_TRUE(dispatch(testpk::readyNotice("p5")));
    EXPECT_FALSE(client->state.GameResetDone);
}

TEST_F(Seating, ASeatPacketWithItsReadyByteShowsTheMark) {
    loggedIn();
    Seat s = player(0);
    s.ready = true;
    s.gold = 70000;
    ASSERT_TRUE(seat(s));
    EXPECT_TRUE(at("OK", slotOfSeat(0)).visible);
    EXPECT_EQ(pic(at("OK", slotOfSeat(0))), "282");
    s = player(1);
    ASSERT_TRUE(seat(s));
    EXPECT_FALSE(at("OK", slotOfSeat(1)).visible);
    EXPECT_EQ(pic(at("OK", slotOfSeat(1))), "280");
}

TEST(HandReset, EmptiesEveryCardListAndThePerGameCounts) {
    state::TableState s;
    for (auto& r : s.PlayerRecord)
        for (int i = 0; i < 12; ++i) r.cards.append(rules::composeCard(7, 2, 0, 1), 4, 500);
    s.SeatPacketsSeen = 6;
    s.ResultPacketsSeen = 2;
    s.InGame = true;
    s.SeatedCount = 6;
    state::handReset(s);
    for (auto& r : s.PlayerRecord) {
        EXPECT_EQ(r.cards.count(), 0);
        for (int i = 0; i < 9; ++i) EXPECT_EQ(r.cards.entry(i), rules::HandEntry{});
        EXPECT_EQ(r.cards.code(9), rules::composeCard(7, 2, 0, 1));  // past the first nine
    }
    EXPECT_EQ(s.SeatPacketsSeen, 0);
    EXPECT_EQ(s.ResultPacketsSeen, 0);
    EXPECT_FALSE(s.InGame);
    EXPECT_EQ(s.SeatedCount, 6);
}

}  // namespace
