// The hall buttons and the avatar click: pictures and hover, the start/continue
// press and its ready packet, the broken table, the window buttons, the chat blink,
// and the chat line that the send button builds, public or private.
#include <gtest/gtest.h>

#include "result_support.h"
#include "wire/gbk.h"

namespace {

using table::kBtnChat;
using table::kBtnContinue;
using table::kBtnSend;

struct HallButtons : SeatedTable {
    ui::Control& button(int i) { return client->MainForm.at("AnNiu", i); }
    ui::Control& chatInput() { return client->MainForm.at("Chat"); }
    void click(int i) { client->MainForm.fire(&button(i), ui::EventKind::kClick); }
    void move(int i) { client->MainForm.fire(&button(i), ui::EventKind::kMouseMove); }
    void avatar(int slot) {
        client->MainForm.fire(&client->MainForm.at("Tou", slot), ui::EventKind::kClick);
    }
    // The packets that reach the socket in the next ticks.
    std::vector<wire::GamePacket> flush() {
        EXPECT_TRUE(advance(300));
        return sentPackets();
    }
    std::string chatText(const wire::GamePacket& p) {
        std::string gbk;
        for (std::size_t i = 16; i < 272 && p[i]; ++i) gbk += static_cast<char>(p[i]);
        return wire::gbkToUtf8(gbk);
    }
};

TEST_F(HallButtons, PicturesAndHoverFollowTheirEntries) {
    // Normal pictures 150 + entry: send 0, chat 2, start 4, settings 8 ... exit 18.
    const int normal[9] = {150, 152, 154, 158, 160, 162, 164, 166, 168};
    for (int i = 0; i < 9; ++i) EXPECT_EQ(shownId(button(i)), normal[i]) << i;
    move(3);
    EXPECT_EQ(shownId(button(3)), 159);
    button(3).picture = nullptr;
    move(3);  // already hovering: nothing is shown again
    EXPECT_EQ(shownId(button(3)), -1);
    move(2);
    EXPECT_EQ(shownId(button(2)), 155);
    client->MainForm.fire(&client->Pic1, ui::EventKind::kMouseMove);
    EXPECT_EQ(shownId(button(3)), 158);
    EXPECT_EQ(shownId(button(2)), 154);
    EXPECT_FALSE(client->hallButtons.flow().hover[3]);
    // After a round the start button is the continue button.
    client->state.RoundNumber = 1;
    move(2);
    EXPECT_EQ(shownId(button(2)), 157);
}

TEST_F(HallButtons, TheFirstStartPressSendsOneReadyPacket) {
    click(kBtnContinue);
    EXPECT_EQ(shownId(button(kBtnContinue)), 156);  // 继续
    EXPECT_TRUE(client->MainForm.at("OK", 0).visible);
    EXPECT_TRUE(client->state.GameResetDone);
    EXPECT_FALSE(client->hallButtons.flow().firstStart);
    click(kBtnContinue);
    auto sent = flush();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0][3], 16);
    EXPECT_EQ(sent[0][6], 1);
    EXPECT_EQ(sent[0][15], 1);
}

TEST_F(HallButtons, ContinueStopsTheCountdownAndAfterItNothingMoreIsSent) {
    playResult(plainRound());
    ASSERT_TRUE(advance(3000));
    click(kBtnContinue);
    EXPECT_FALSE(score().visible);
    EXPECT_FALSE(hero().visible);
    EXPECT_FALSE(client->connection.slots[net::kSlotContinue].flag);
    EXPECT_FALSE(client->MainForm.at("Number").visible);
    EXPECT_FALSE(client->MainForm.at("Time_Img").visible);
    ASSERT_TRUE(advance(20000));
    EXPECT_EQ(sentPackets().size(), 1u);  // the press; the countdown never ran out
}

TEST_F(HallButtons, DuringAGameTheButtonQueuesNothing) {
    client->state.InGame = true;
    client->state.GameResetDone = true;  // no reset, so InGame stays
    click(kBtnContinue);
    EXPECT_TRUE(flush().empty());
}

TEST_F(HallButtons, OnABrokenTableTheButtonReturnsToTheHall) {
    client->state.TableBroken = true;
    click(kBtnContinue);
    EXPECT_TRUE(flush().empty());
    EXPECT_EQ(client->MainForm.windowState, ui::WindowState::kMinimized);
    EXPECT_EQ(hallGot.back(), platform::SC_RESTORE);
    EXPECT_TRUE(client->hallButtons.flow().firstStart);
    // The hall link stays, so the hall can bring the client to a table again.
    EXPECT_TRUE(fp.hall.isOpen());
    fp.hallWindow.close();
    EXPECT_FALSE(guarded([&] { click(kBtnContinue); }));
    EXPECT_EQ(endedWith, 0);
}

TEST_F(HallButtons, AfterLeavingTheButtonAlsoBringsTheHallBack) {
    client->state.ExitConfirmed = true;
    client->state.GameResetDone = true;
    ASSERT_TRUE(guarded([&] { click(kBtnContinue); }));
    EXPECT_EQ(client->MainForm.windowState, ui::WindowState::kMinimized);
    EXPECT_EQ(hallGot.back(), platform::SC_RESTORE);
}

TEST_F(HallButtons, WindowButtonsToggleTheirWindows) {
    click(table::kBtnHistory);
    EXPECT_TRUE(hero().visible);
    click(table::kBtnHistory);
    EXPECT_FALSE(hero().visible);
    click(table::kBtnSettings);
    ui::Form& vos = fp.windows.form("VosSet");
    EXPECT_TRUE(vos.visible);
    click(table::kBtnSettings);
    EXPECT_FALSE(vos.visible);
    click(table::kBtnRules);
    ASSERT_EQ(fp.shell.opened.size(), 1u);
    EXPECT_EQ(fp.shell.opened[0], "http://127.0.0.1/gameinfo/dravik/index.php");
    hero().show();
    score().show();
    click(table::kBtnHide);
    EXPECT_EQ(client->MainForm.windowState, ui::WindowState::kMinimized);
    EXPECT_FALSE(hero().visible);
    EXPECT_FALSE(score().visible);
}

TEST_F(HallButtons, TheExitButtonOpensAndClosesTheDialogWithTheFittingWarning) {
    ui::Form& exitDialog = fp.windows.form("frmExit");
    struct Case {
        bool inGame, started, decided;
        bool warned;
        const char* text;
    } cases[] = {
        {true, true, false, true, "游戏正在进行，逃跑会扣分！"},
        {false, false, false, false, nullptr},
        {false, true, true, false, nullptr},
        {false, true, false, true, "本局未结束，退出会扣分！"},
    };
    for (const Case& c : cases) {
        client->state.InGame = c.inGame;
        client->state.GameBegun = c.started;
        client->state.GameDecided = c.decided;
        click(table::kBtnExit);
        ASSERT_TRUE(exitDialog.visible);
        EXPECT_EQ(exitDialog.at("Label1").caption, "您真的要退出吗？");
        ui::Control& warning = exitDialog.at("Label2");
        EXPECT_EQ(warning.visible, c.warned);
        if (c.text) EXPECT_EQ(warning.caption, c.text);
        click(table::kBtnExit);
        EXPECT_FALSE(exitDialog.visible);
    }
    client->state.InGame = false;
    client->state.GameBegun = true;
    client->shell.toggleExitDialog(false);  // the Escape key's wording
    EXPECT_EQ(exitDialog.at("Label2").caption, "本局未结束，逃跑会扣分");
}

TEST_F(HallButtons, TheChatButtonBlinksFourTimes) {
    client->hallButtons.startChatBlink();
    std::vector<int> seen;
    for (int i = 0; i < 12; ++i) {
        ASSERT_TRUE(advance(400));
        seen.push_back(shownId(button(kBtnChat)));
    }
    EXPECT_EQ(seen, (std::vector<int>{153, 152, 153, 152, 153, 152, 153, 152, 152, 152, 152, 152}));
    EXPECT_FALSE(client->connection.slots[net::kSlotBlink].flag);
}

TEST_F(HallButtons, APublicLineIsSentAndABlankOneIsNot) {
    chatInput().caption = "   ";
    click(kBtnSend);
    EXPECT_TRUE(flush().empty());
    chatInput().caption = "大家好";
    click(kBtnSend);
    auto sent = flush();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0][3], 19);
    EXPECT_EQ(sent[0][5], 0);
    EXPECT_EQ(sent[0][6], 1);
    EXPECT_EQ(chatText(sent[0]), "大家好");
    EXPECT_EQ(chatInput().caption, "");
}

TEST_F(HallButtons, AnAvatarClickAddressesTheNextLine) {
    chatInput().caption = "在吗";
    avatar(1);
    EXPECT_EQ(chatInput().caption, "你对p1说 ：在吗");
    EXPECT_TRUE(client->state.PrivateChatArmed);
    EXPECT_EQ(client->hallButtons.flow().selectedSeat, 2);
    EXPECT_EQ(chatInput().selStart, 9);  // characters, not bytes
    EXPECT_EQ(client->MainForm.focus, &chatInput());
    chatInput().caption += "？";
    click(kBtnSend);
    auto sent = flush();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0][5], 1);
    EXPECT_EQ(sent[0][8], 2);
    EXPECT_EQ(chatText(sent[0]), "在吗？");
    EXPECT_FALSE(client->state.PrivateChatArmed);
    EXPECT_EQ(client->state.PrivateChatPrefix, "");
}

TEST_F(HallButtons, AnotherAvatarWhileTypingReplacesThePrefixAndKeepsTheWords) {
    avatar(1);
    chatInput().caption += "出牌快点";
    avatar(3);
    EXPECT_EQ(chatInput().caption, "你对p3说 ：出牌快点");
    EXPECT_EQ(client->state.PrivateChatTarget, 8);
    click(kBtnSend);
    auto sent = flush();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0][8], 8);
    EXPECT_EQ(chatText(sent[0]), "出牌快点");
}

TEST_F(HallButtons, APrivateLineWithoutItsPrefixGoesOutPublic) {
    avatar(4);
    chatInput().caption = "大家好";  // the user deleted the prefix
    click(kBtnSend);
    auto sent = flush();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0][5], 0);
    EXPECT_EQ(sent[0][8], 0);
    EXPECT_EQ(chatText(sent[0]), "大家好");
    // A blank private line disarms and sends nothing.
    avatar(4);
    chatInput().caption = "  ";
    click(kBtnSend);
    EXPECT_FALSE(client->state.PrivateChatArmed);
    EXPECT_TRUE(flush().empty());
}

TEST_F(HallButtons, OwnAndEmptyAvatarsArmNothing) {
    chatInput().caption = "hi";
    avatar(0);
    EXPECT_EQ(client->hallButtons.flow().selectedSeat, 1);
    client->state.PlayerInfo[5].nickname = "  ";
    avatar(5);
    EXPECT_FALSE(client->state.PrivateChatArmed);
    EXPECT_EQ(chatInput().caption, "hi");
    EXPECT_EQ(client->hallButtons.flow().selectedSeat, 32);
}

TEST_F(HallButtons, TheChatWindowOpensBesideTheInput) {
    auto& f = client->MainForm;
    const auto& pic = client->Pic1;
    click(kBtnChat);
    ui::Form& talk = fp.windows.form("Talk");
    ASSERT_TRUE(talk.visible);
    EXPECT_TRUE(talk.topmost);
    EXPECT_EQ(talk.left, static_cast<int>(f.left + pic.left * 15 + 0.3 * pic.width * 15));
    EXPECT_EQ(talk.top, static_cast<int>(f.top + pic.top * 15 + 0.66 * pic.height * 15));
    click(kBtnChat);
    EXPECT_FALSE(talk.visible);
}

// The small display scale places the chat window by the table window's size.
struct SmallHallButtons : HallButtons {
    void SetUp() override {
        fp.shell.screen = {800, 600};
        HallButtons::SetUp();
    }
};

TEST_F(SmallHallButtons, TheChatWindowOpensAtTheSmallScalePlace) {
    auto& f = client->MainForm;
    ASSERT_LT(client->state.Scale.x, 1.0);
    click(kBtnChat);
    ui::Form& talk = fp.windows.form("Talk");
    EXPECT_EQ(talk.left, static_cast<int>(f.left + client->Pic1.left * 15 + 0.215 * f.width));
    EXPECT_EQ(talk.top, static_cast<int>(f.top + client->Pic1.top * 15 + 0.595 * f.height));
    // The small layout's own button pictures, but send and its hover stay.
    EXPECT_EQ(shownId(button(kBtnSend)), 150);
    EXPECT_EQ(shownId(button(kBtnChat)), 283);
    EXPECT_EQ(shownId(button(table::kBtnExit)), 299);
}

}  // namespace
