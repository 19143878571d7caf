// Departures: the continue outcome (16 case 1), players short of gold (16, other
// cases), a player who left (21), the server closing the table (22), the answer
// to a reconnect (29), and the departure notice's two buttons.
#include "wire/departure.h"

#include <gtest/gtest.h>

#include "result_support.h"

namespace {

struct Departure : SeatedTable {
    // What the table showed when the handler began its wait of the given length.
    struct Seen {
        bool waited = false;
        std::string notice;
        bool noticeVisible = false;
        std::vector<std::string> sysmsg;
        ui::WindowState table = ui::WindowState::kNormal;
        bool connected = false;
        bool hero = false, score = false;
    };
    std::vector<int> waits;

    void SetUp() override {
        SeatedTable::SetUp();
        client->state.InGame = true;
        client->state.SeatedCount = 6;
        client->state.GameResetDone = true;
        for (int s = 0; s < 6; ++s) {
            client->state.PlayerRecord[static_cast<std::size_t>(s)].seatId =
                "a" + std::to_string(s);
            for (const char* label : {"Nid", "Cash", "Level"})
                client->MainForm.at(label, s).caption = label + std::to_string(s);
            client->MainForm.at("OK", s).visible = true;
        }
        client->MainForm.at("name1").caption = "p1";
        client->MainForm.at("name2").caption = "p5";
        client->state.PlayerRecord[0].seatId = "me";
        fp.loop.onWait = [this](int ms) { waits.push_back(ms); };
    }

    // The own seat is seat ownSeat; slot k then holds seat (k + ownSeat) mod 6.
    void sitAt(int ownSeat) {
        for (int k = 0; k < 6; ++k)
            client->state.PlayerRecord[static_cast<std::size_t>(k)].seatBit =
                static_cast<std::uint8_t>(1 << ((k + ownSeat) % 6));
    }
    // Records the table as it stands when a wait of ms begins.
    void watchWait(int ms, Seen& seen) {
        fp.loop.onWait = [this, ms, &seen](int w) {
            waits.push_back(w);
            if (w != ms || seen.waited) return;
            seen.waited = true;
            if (ui::Form* f = fp.windows.find("frmOtherExit")) {
                seen.notice = f->at("Label1").caption;
                seen.noticeVisible = f->visible;
            }
            seen.sysmsg = client->MainForm.at("Sysmsg", 0).items;
            seen.table = client->MainForm.windowState;
            seen.connected = fp.socket.state() == platform::kSockConnected;
            seen.hero = hero().visible;
            seen.score = score().visible;
        };
    }
    static wire::GamePacket gameOver(int which, int seats) {
        return wire::GameOver{static_cast<std::uint8_t>(seats),
                              static_cast<wire::GameOverCase>(which)}
            .encode();
    }
    static wire::GamePacket playerLeft(const std::string& account) {
        return wire::PlayerLeft{account}.encode();
    }
    ui::Form& notice() { return fp.windows.form("frmOtherExit"); }
    // The last thing sent to the hall window restored it (read from the hall
    // network's log, which also holds what an ending process sent last).
    bool hallRestored() {
        const auto& log = fp.hallNet.log;
        return !log.empty() && log.back().msg == platform::WM_SYSCOMMAND &&
               log.back().wParam == platform::SC_RESTORE;
    }
    bool backInHall() {
        return client->MainForm.windowState == ui::WindowState::kMinimized && hallRestored();
    }
    int packetsWith(std::uint8_t command) {
        int n = 0;
        for (const auto& p : takeSentPackets()) n += p[3] == command;
        return n;
    }
};

TEST_F(Departure, GameOverCasesThatChangeNothing) {
    struct Case {
        int which, seats;
    } cases[] = {{1, 0x7F}, {1, 0xFF}, {0, 0x40}, {2, 0x40}};
    for (const Case& c : cases) {
        ASSERT_TRUE(dispatch(gameOver(c.which, c.seats))) << c.which << " " << c.seats;
        EXPECT_TRUE(client->state.InGame) << c.which << " " << c.seats;
        EXPECT_EQ(client->state.SeatedCount, 6);
        EXPECT_EQ(fp.socket.state(), platform::kSockConnected);
        EXPECT_TRUE(waits.empty());
        EXPECT_EQ(fp.windows.find("frmOtherExit"), nullptr);
    }
}

TEST_F(Departure, TheLeaverHimselfEndsAtOnce) {
    // 0x7E: the seat with bit 1 did not continue; here that is the own seat.
    sitAt(0);
    EXPECT_FALSE(dispatch(gameOver(1, 0x7E)));
    EXPECT_EQ(endedWith, 0);
    EXPECT_NE(fp.socket.state(), platform::kSockConnected);
    EXPECT_TRUE(waits.empty());
    EXPECT_TRUE(fp.shell.messages.empty());
}

TEST_F(Departure, TheOthersSeeTheLeaverNamedAndAreBackInTheHallAfterFiveSeconds) {
    sitAt(1);  // seat bit 1 (seat 0) is screen slot 5
    client->state.PlayerInfo[5].nickname = "老王";
    Seen seen;
    watchWait(5000, seen);
    ASSERT_TRUE(dispatch(gameOver(1, 0x7E)));
    ASSERT_TRUE(seen.waited);
    EXPECT_EQ(waits.front(), 5000);
    EXPECT_EQ(seen.sysmsg, std::vector<std::string>{"老王退出了游戏！ 9:5:7"});
    EXPECT_TRUE(seen.noticeVisible);
    EXPECT_EQ(seen.notice, "玩家老王退出了游戏！游戏结束！");
    EXPECT_EQ(seen.table, ui::WindowState::kNormal);  // still at the table while the notice reads
    EXPECT_TRUE(seen.hero);
    EXPECT_TRUE(backInHall());
    EXPECT_FALSE(hero().visible);
    EXPECT_FALSE(client->state.InGame);
    EXPECT_FALSE(client->state.GameResetDone);
    EXPECT_TRUE(client->state.TableBroken);
    EXPECT_EQ(client->state.SeatedCount, 0);
    EXPECT_NE(fp.socket.state(), platform::kSockConnected);
    EXPECT_EQ(packetsWith(16), 0);  // the link was closed before the leave routine ran
    EXPECT_TRUE(fp.shell.messages.empty());
}

TEST_F(Departure, SeveralLeaversAreJoinedByCommas) {
    sitAt(0);
    // Seats 2 and 4 (slots 2 and 4) continue with the own seat 0 and seat 3.
    Seen seen;
    watchWait(5000, seen);
    ASSERT_TRUE(dispatch(gameOver(1, 0x40 | 0x01 | 0x04 | 0x08 | 0x10)));
    EXPECT_EQ(seen.notice, "玩家p1,p5退出了游戏！游戏结束！");
    EXPECT_EQ(seen.sysmsg, std::vector<std::string>{"p1,p5退出了游戏！ 9:5:7"});
}

TEST_F(Departure, ASpectatorEndsWhenTheTableIsOver) {
    sitAt(0);
    client->state.SpectatorMode = true;
    EXPECT_FALSE(dispatch(gameOver(1, 0x7D)));
    ASSERT_EQ(fp.shell.messages.size(), 1u);
    EXPECT_EQ(fp.shell.messages[0].text, "有用户退出，旁观结束！");
    EXPECT_TRUE(hallRestored());  // the hall is back before the program ends
}

struct GoldCase {
    const char* what;
    int ownSeat;
    int mustLeave;  // seat bits
    const char* notice;
    const char* sysmsg;
    friend void PrintTo(const GoldCase& c, std::ostream* os) { *os << c.what; }
};
const GoldCase kGoldCases[] = {
    // Own seat 2: seat bit 1 is slot 4, seat bit 32 is slot 3.
    {"two others", 2, 1 | 32, "p4，p3的金币不够，退出游戏！游戏结束！",
     "玩家p4，p3金币不够，退出游戏！"},
    {"the local player alone", 0, 1, "您的金币不够，退出游戏！游戏结束！",
     "玩家，me金币不够，退出游戏！"},
    {"the local player and another", 0, 1 | 16, "p4以及您的金币不够，退出游戏！游戏结束！",
     "玩家p4，me金币不够，退出游戏！"},
};
struct GoldShortage : Departure, ::testing::WithParamInterface<GoldCase> {};

TEST_P(GoldShortage, NamesTheSeatsInSeatBitOrderAndReturnsToTheHall) {
    const GoldCase& c = GetParam();
    SCOPED_TRACE(c.what);
    sitAt(c.ownSeat);
    Seen seen;
    watchWait(2000, seen);
    ASSERT_TRUE(dispatch(gameOver(3, 0x3F - c.mustLeave)));
    ASSERT_TRUE(seen.waited);
    EXPECT_EQ(waits.front(), 2000);
    EXPECT_TRUE(seen.noticeVisible);
    EXPECT_EQ(seen.notice, c.notice);
    EXPECT_EQ(seen.sysmsg, std::vector<std::string>{c.sysmsg});
    EXPECT_FALSE(seen.connected);
    EXPECT_TRUE(seen.score);
    EXPECT_TRUE(backInHall());
    EXPECT_FALSE(client->state.InGame);
    EXPECT_EQ(packetsWith(16), 0);
}
INSTANTIATE_TEST_SUITE_P(Cases, GoldShortage, ::testing::ValuesIn(kGoldCases));

TEST_F(Departure, GoldShortageClearsTheLeaversSeatsBeforeTheWait) {
    sitAt(0);
    client->state.PlayerInfo[5].seatKey = "key5";
    bool checked = false;
    fp.loop.onWait = [&](int ms) {
        if (ms != 2000) return;
        checked = true;
        EXPECT_EQ(client->state.SeatedCount, 4);
        for (int k : {1, 5}) {
            EXPECT_TRUE(client->state.PlayerRecord[static_cast<std::size_t>(k)].seatId.empty())
                << k;
            EXPECT_TRUE(client->state.PlayerInfo[static_cast<std::size_t>(k)].nickname.empty())
                << k;
            EXPECT_FALSE(client->MainForm.at("OK", k).visible) << k;
            EXPECT_EQ(client->MainForm.at("Nid", k).caption, "") << k;
        }
        EXPECT_EQ(client->state.PlayerInfo[5].seatKey, "key5");
        EXPECT_EQ(client->MainForm.at("name1").caption, "");
        EXPECT_EQ(client->MainForm.at("name2").caption, "");
        EXPECT_EQ(client->MainForm.at("Nid", 3).caption, "Nid3");
        EXPECT_EQ(client->state.PlayerInfo[3].nickname, "p3");
    };
    ASSERT_TRUE(dispatch(gameOver(7, 0x3F - (2 | 32))));
    EXPECT_TRUE(checked);
}

TEST_F(Departure, APlayerLeavingSlotFiveClearsItsSeatNameAndVideo) {
    client->connection.slots[net::kSlotContinue].flag = true;
    for (const char* v : {"vshow1", "PicLocal", "ImgKuang", "ImgShow"})
        client->MainForm.at(v, 5).visible = true;
    ui::Form& remote = fp.windows.form("frm_Remote5");
    remote.show();
    // The relay's entries need not follow the slots.
    fp.video.peerNames = {{1, "a1"}, {2, "a5"}, {5, "x"}};
    ASSERT_TRUE(dispatch(playerLeft("a5")));
    EXPECT_EQ(fp.video.dropped, std::vector<int>{2});
    EXPECT_TRUE(client->state.TableBroken);
    EXPECT_FALSE(client->connection.slots[net::kSlotContinue].flag);
    EXPECT_EQ(client->state.SeatedCount, 5);
    EXPECT_EQ(client->MainForm.at("Sysmsg", 0).items,
              std::vector<std::string>{"p5退出了游戏 9:5:7"});
    EXPECT_EQ(client->MainForm.at("name2").caption, "");
    EXPECT_EQ(client->MainForm.at("name1").caption, "p1");
    for (const char* label : {"Nid", "Cash", "Level"})
        EXPECT_EQ(client->MainForm.at(label, 5).caption, "") << label;
    EXPECT_EQ(client->MainForm.at("Tou", 5).picture, nullptr);
    EXPECT_EQ(client->MainForm.at("OK", 5).picture, nullptr);
    for (const char* v : {"vshow1", "PicLocal", "ImgKuang", "ImgShow"})
        EXPECT_FALSE(client->MainForm.at(v, 5).visible) << v;
    EXPECT_FALSE(remote.visible);
    EXPECT_TRUE(client->state.PlayerRecord[5].seatId.empty());
    EXPECT_TRUE(client->state.PlayerInfo[5].nickname.empty());
    EXPECT_EQ(client->state.PlayerRecord[1].seatId, "a1");
    // The table stays: no notice, no return to the hall.
    EXPECT_EQ(client->MainForm.windowState, ui::WindowState::kNormal);
    EXPECT_EQ(fp.windows.find("frmOtherExit"), nullptr);
}

struct NobodyCase {
    const char* account;
    bool spectator;
    bool ends;
    const char* box;
    friend void PrintTo(const NobodyCase& c, std::ostream* os) {
        *os << '"' << c.account << '"' << (c.spectator ? " (spectator)" : "");
    }
};
const NobodyCase kNobodyCases[] = {
    {"me", false, true, nullptr},  // the server names the local player: end, no box
    {"stranger", false, false, nullptr},
    {"", false, false, nullptr},  // names nobody, not even an own slot not yet seated
    {"stranger", true, true, "有用户退出，旁观结束！"},
    {"", true, true, "有用户退出，旁观结束！"},  // a spectator ends whoever left
};
struct PlayerLeftForNobody : Departure, ::testing::WithParamInterface<NobodyCase> {};

TEST_P(PlayerLeftForNobody, OnlyBreaksTheTableOrEnds) {
    const NobodyCase& c = GetParam();
    SCOPED_TRACE(c.account);
    client->state.SpectatorMode = c.spectator;
    if (c.account[0] == '\0') client->state.PlayerRecord[0].seatId.clear();
    client->connection.slots[net::kSlotContinue].flag = true;
    const state::TableState before = client->state;
    EXPECT_EQ(dispatch(playerLeft(c.account)), !c.ends);
    EXPECT_EQ(fp.shell.messages.size(), c.box ? 1u : 0u);
    if (c.box) {
        EXPECT_EQ(fp.shell.messages[0].text, c.box);
    }
    if (c.ends) return;
    state::TableState expected = before;
    expected.TableBroken = true;
    EXPECT_TRUE(client->state == expected);
    EXPECT_FALSE(client->connection.slots[net::kSlotContinue].flag);
}
INSTANTIATE_TEST_SUITE_P(Cases, PlayerLeftForNobody, ::testing::ValuesIn(kNobodyCases));

// The leave routine waits longer after a resumed game.
struct TableClosed : Departure, ::testing::WithParamInterface<bool> {};

TEST_P(TableClosed, ShowsTheServersTextAndSendsTheLeavePacket) {
    const bool resumed = GetParam();
    client->state.ResumedGame = resumed;
    client->state.PlayerRecord[0].seatBit = 8;
    const wire::GamePacket p = wire::TableClosed{"服务器维护，本桌关闭。"}.encode();
    ASSERT_TRUE(dispatch(p));
    EXPECT_FALSE(client->state.InGame);
    EXPECT_TRUE(hero().visible);
    EXPECT_TRUE(notice().visible);
    EXPECT_TRUE(notice().topmost);
    EXPECT_EQ(notice().at("Label1").caption, "服务器维护，本桌关闭。");
    EXPECT_EQ(notice().left, client->MainForm.left + (client->MainForm.width - notice().width) / 2);
    std::vector<wire::GamePacket> sent = takeSentPackets();
    ASSERT_EQ(sent.size(), 1u);
    const wire::GamePacket leave = wire::LeaveOrContinue{8, wire::GameOverCase::kLeave}.encode();
    EXPECT_EQ(sent[0], leave);  // byte 15 = 0: leave, not continue
    EXPECT_EQ(waits, std::vector<int>{resumed ? 800 : 400});
    EXPECT_TRUE(client->state.TableBroken);
    EXPECT_FALSE(client->connection.TimerBong.enabled());
    EXPECT_FALSE(client->connection.TimerKeepAlive.enabled());
    // The notice stays up; the table stays until the player answers.
    EXPECT_EQ(client->MainForm.windowState, ui::WindowState::kNormal);
}
INSTANTIATE_TEST_SUITE_P(ResumedOrNot, TableClosed, ::testing::Bool());

TEST_F(Departure, TheNoticesOkGoesBackToTheHallWithoutAPacket) {
    ASSERT_TRUE(dispatch(inbound(22)));
    takeSentPackets();
    client->MainForm.at("OK", 0).picture = std::make_shared<ui::Picture>();
    ASSERT_TRUE(guarded([&] { notice().fire(notice().find("imgOK"), ui::EventKind::kClick); }));
    EXPECT_FALSE(notice().visible);
    EXPECT_TRUE(backInHall());
    EXPECT_TRUE(client->state.ExitConfirmed);
    EXPECT_TRUE(client->state.TableBroken);
    EXPECT_FALSE(client->state.GameResetDone);
    EXPECT_EQ(client->MainForm.at("OK", 0).picture, nullptr);
    EXPECT_NE(fp.socket.state(), platform::kSockConnected);
    EXPECT_TRUE(takeSentPackets().empty());
}

TEST_F(Departure, TheNoticesOkWithoutAHallEndsTheProgram) {
    ASSERT_TRUE(dispatch(inbound(22)));
    fp.hallWindow.close();
    EXPECT_FALSE(guarded([&] { notice().fire(notice().find("imgOK"), ui::EventKind::kClick); }));
    EXPECT_EQ(endedWith, 0);
}

TEST_F(Departure, TheNoticesCancelStaysAtTheBrokenTable) {
    ASSERT_TRUE(dispatch(inbound(22)));
    client->state.TableBroken = false;
    const int restoresBefore = hallCount(platform::SC_RESTORE);
    ASSERT_TRUE(guarded([&] { notice().fire(notice().find("imgCancel"), ui::EventKind::kClick); }));
    EXPECT_FALSE(notice().visible);
    EXPECT_FALSE(notice().loaded());
    EXPECT_TRUE(client->state.TableBroken);
    EXPECT_EQ(client->MainForm.windowState, ui::WindowState::kNormal);
    EXPECT_EQ(hallCount(platform::SC_RESTORE), restoresBefore);
}

TEST_F(Departure, AResumedGameGoesOnAndWaitsForTheLoginResult) {
    client->state.LoginAccepted = false;
    client->connection.TimerKeepAlive.setEnabled(true);
    client->MainForm.at("Sysmsg", 1).items = {"old"};
    client->connection.send.token.b0 = 7;
    wire::GamePacket p = wire::ResumeResult{true}.encode();
    p[wire::kTokenByte] = 1;  // a token the reconnect result does not hand over
    p[wire::kTokenByte + 1] = 2;
    ASSERT_TRUE(dispatch(p));
    EXPECT_TRUE(client->state.LoginAccepted);
    EXPECT_TRUE(client->state.ResumedGame);
    EXPECT_TRUE(client->MainForm.at("Sysmsg", 1).items.empty());
    EXPECT_EQ(client->MainForm.at("Sysmsg", 0).items,
              std::vector<std::string>{"正在重连服务器，请等待...！"});
    EXPECT_FALSE(client->connection.TimerKeepAlive.enabled());
    EXPECT_EQ(client->connection.send.token.b0, 7);  // the old connection's token stays
    EXPECT_TRUE(client->state.InGame);
    EXPECT_TRUE(fp.shell.messages.empty());
}

TEST_F(Departure, ARefusedReconnectEndsAfterAMessage) {
    const wire::GamePacket p = wire::ResumeResult{false}.encode();
    EXPECT_FALSE(dispatch(p));
    EXPECT_EQ(endedWith, 0);
    ASSERT_EQ(fp.shell.messages.size(), 1u);
    EXPECT_EQ(fp.shell.messages[0].text, "重连服务器失败，退出后请重新入座！");
    EXPECT_TRUE(hallRestored());
}

}  // namespace

namespace {

// Leaving by the exit dialog's OK: the leave packet only while the link is up; the
// table goes back to the hall either way.
struct ExitOk : Departure, ::testing::WithParamInterface<bool> {};

TEST_P(ExitOk, LeavesTheTableAndBringsTheHallBack) {
    const bool linkUp = GetParam();
    if (!linkUp) fp.socket.close();
    client->connection.slots[net::kSlotLinkWatch].flag = true;
    client->shell.toggleExitDialog(true);
    ui::Form& dialog = fp.windows.form("frmExit");
    ASSERT_TRUE(guarded([&] { dialog.fire(dialog.find("pbCloseMe"), ui::EventKind::kClick); }));
    EXPECT_EQ(packetsWith(16), linkUp ? 1 : 0);
    // The leave routine, run only while the link is up, drops the relay entry of
    // every other slot.
    const std::vector<int> allFive{1, 2, 3, 4, 5};
    EXPECT_EQ(fp.video.dropped, linkUp ? allFive : std::vector<int>{});
    EXPECT_EQ(waits, linkUp ? std::vector<int>{400} : std::vector<int>{});
    EXPECT_FALSE(dialog.loaded());
    EXPECT_TRUE(backInHall());
    EXPECT_TRUE(client->state.ExitConfirmed);
    EXPECT_FALSE(client->state.InGame);
    EXPECT_FALSE(client->state.GameResetDone);
    EXPECT_FALSE(client->connection.slots[net::kSlotLinkWatch].flag);
    EXPECT_NE(fp.socket.state(), platform::kSockConnected);
}
INSTANTIATE_TEST_SUITE_P(LinkUpOrDown, ExitOk, ::testing::Bool());

}  // namespace
