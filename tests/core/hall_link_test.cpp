// The hall's messages to the table window: its query, its logged-in notice, its
// leave and its connect-again, a message the table does not know, and the table
// window restored after the player was away.
#include <gtest/gtest.h>

#include "client_fixture.h"
#include "table_packets.h"
#include "wire/departure.h"

namespace {

using platform::kHallConnecting;
using platform::kHallLoggedIn;
using platform::kHallMsg1024;
using platform::kHallMsg1125;
using platform::kHallMsg1126;

struct HallLink : ClientFixture {
    void SetUp() override {
        startConnected();
        hallGot.clear();
    }
    // The hall posts a message to the table window, found by its caption.
    bool fromHall(std::uint32_t msg, std::uint32_t wParam = 0) {
        fp.hallWindow.send(client->MainForm.caption, msg, wParam, 0);
        return advance(50);
    }
    int leavePackets() {
        int n = 0;
        for (const auto& p : takeSentPackets())
            n += wire::commandOf(p) == wire::Command::kGameOver &&
                 wire::LeaveOrContinue::decode(p).which == wire::GameOverCase::kLeave;
        return n;
    }
};

TEST_F(HallLink, TheQueryAndTheLoggedInNoticeAreAnsweredByTheTablesState) {
    struct Case {
        std::uint32_t msg;
        bool loginSent, inGame;
        std::uint32_t answer;  // 0: nothing
        bool leaves;           // the leave case runs
    } cases[] = {
        {kHallMsg1125, true, true, kHallMsg1125, false},
        {kHallMsg1125, true, false, kHallMsg1024, false},
        {kHallLoggedIn, true, false, kHallMsg1126, false},
        {kHallLoggedIn, true, true, kHallMsg1126, false},
        {kHallLoggedIn, false, true, kHallMsg1125, false},
        {kHallLoggedIn, false, false, kHallMsg1024, true},
        {kHallMsg1024, true, true, 0, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "message " << c.msg << " login sent " << c.loginSent
                                        << " in game " << c.inGame);
        if (fp.socket.state() != platform::kSockConnected) {
            // Left by the case before: back at a table the way the hall sends it there.
            ASSERT_TRUE(fromHall(kHallConnecting));
            fp.socket.accept();
            ASSERT_TRUE(advance(300));
        }
        takeSentPackets();
        client->state.LoginSent = c.loginSent;
        client->state.InGame = c.inGame;
        client->connection.slots[net::kSlotLinkWatch].flag = true;
        hallGot.clear();
        ASSERT_TRUE(fromHall(c.msg));
        std::vector<std::uint32_t> want;
        if (c.answer) want.push_back(c.answer);
        // The leave case minimises the table window: nothing is told to the hall then.
        std::vector<std::uint32_t> got;
        for (std::uint32_t m : hallGot)
            if (m != platform::SC_MINIMIZE && m != platform::SC_RESTORE) got.push_back(m);
        EXPECT_EQ(got, want);
        EXPECT_EQ(leavePackets(), c.leaves ? 1 : 0);
        if (c.leaves) {
            EXPECT_NE(fp.socket.state(), platform::kSockConnected);
            EXPECT_FALSE(client->state.InGame || client->state.LoginSent);
            EXPECT_FALSE(client->connection.slots[net::kSlotLinkWatch].flag);
            EXPECT_EQ(client->MainForm.windowState, ui::WindowState::kMinimized);
        } else {
            EXPECT_EQ(fp.socket.state(), platform::kSockConnected) << "nothing else changes";
            EXPECT_EQ(client->state.InGame, c.inGame);
        }
    }
}

// Sent to a table again: the socket still open is closed, the same login goes out
// once the link is up, and the start button is armed again.
TEST_F(HallLink, ConnectAgainClosesAnOpenSocketAndLogsInAgain) {
    const int closes = fp.socket.closeCalls, connects = fp.socket.connectCalls;
    client->hallButtons.setHallButtonPressed(table::kBtnContinue);
    client->MainForm.at("Time_Img").visible = true;
    client->MainForm.at("Number").visible = true;
    ASSERT_TRUE(fromHall(kHallConnecting));
    EXPECT_EQ(fp.socket.closeCalls, closes + 1);
    EXPECT_EQ(fp.socket.connectCalls, connects + 1);
    EXPECT_EQ(fp.socket.remotePort, 2000);
    EXPECT_FALSE(client->hallButtons.flow().pressed[table::kBtnContinue]);
    EXPECT_EQ(client->MainForm.at("AnNiu", table::kBtnContinue).picture->key,
              "res:" + std::to_string(client->pictures.hallButtonPictureId(4)));
    EXPECT_FALSE(client->MainForm.at("Time_Img").visible || client->MainForm.at("Number").visible);
    fp.socket.accept();
    ASSERT_TRUE(advance(300));
    const auto sent = takeSentPackets();
    ASSERT_FALSE(sent.empty());
    EXPECT_EQ(wire::commandOf(sent[0]), wire::Command::kLogin);
    EXPECT_GE(hallCount(platform::kHallLoggedIn), 1);
}

TEST_F(HallLink, AMessageTheTableDoesNotKnowGoesToTheWindowSystem) {
    takeSentPackets();
    ASSERT_TRUE(fromHall(999));
    EXPECT_TRUE(hallGot.empty());
    EXPECT_TRUE(takeSentPackets().empty());
    EXPECT_EQ(fp.socket.state(), platform::kSockConnected);
    EXPECT_EQ(client->MainForm.windowState, ui::WindowState::kNormal);
    // The window system's own: the system commands minimise and restore the window.
    ASSERT_TRUE(fromHall(platform::WM_SYSCOMMAND, platform::SC_MINIMIZE));
    EXPECT_EQ(client->MainForm.windowState, ui::WindowState::kMinimized);
    ASSERT_TRUE(fromHall(platform::WM_SYSCOMMAND, platform::SC_RESTORE));
    EXPECT_EQ(client->MainForm.windowState, ui::WindowState::kNormal);
}

// A player who went away from the table (three expired turns, the boss key) is back
// when the table window is restored; minimised, the sound settings go with it.
TEST_F(HallLink, TheRestoredTableWindowBringsThePlayerBack) {
    auto& st = client->state;
    client->soundSettings.VosSet.show();
    ASSERT_TRUE(fromHall(platform::WM_SYSCOMMAND, platform::SC_MINIMIZE));
    EXPECT_FALSE(fp.windows.form("VosSet").visible);
    st.Away = true;
    st.AutoPlay = true;
    st.TurnSeconds = 1;
    st.TimeoutCount = 3;
    hallGot.clear();
    ASSERT_TRUE(fromHall(platform::WM_SYSCOMMAND, platform::SC_RESTORE));
    EXPECT_FALSE(st.Away || st.AutoPlay);
    EXPECT_EQ(st.TurnSeconds, 10);
    EXPECT_EQ(st.TimeoutCount, 0);
    EXPECT_EQ(hallCount(platform::SC_MINIMIZE), 1) << "the hall goes down";
    // Not away: the turn time stays as it is.
    st.TurnSeconds = 1;
    ASSERT_TRUE(fromHall(platform::WM_SYSCOMMAND, platform::SC_MINIMIZE));
    ASSERT_TRUE(fromHall(platform::WM_SYSCOMMAND, platform::SC_RESTORE));
    EXPECT_EQ(st.TurnSeconds, 1);
}

// Without its own endpoint the table still starts, and the player is told that the
// hall will not reach this client again.
struct HallEndpoint : ClientFixture {};

TEST_F(HallEndpoint, AnEndpointThatCannotBeOpenedIsToldAtStartUp) {
    fp.hall.refuseOpen = true;
    startConnected();
    ASSERT_EQ(endedWith, -1);
    ASSERT_FALSE(fp.shell.messages.empty());
    EXPECT_EQ(fp.shell.messages.back().text, app::kHallEndpointFailedText);
    EXPECT_TRUE(client->MainForm.visible);
    EXPECT_TRUE(client->state.LoginSent) << "the table plays on";
}

}  // namespace
