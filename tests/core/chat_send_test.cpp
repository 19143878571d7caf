// Sending typed lines with Enter: the 800 ms rate limit, the private prefix an
// avatar click puts in the input, the command word, silence while watching, and
// the send button's line without the rate limit.
#include <gtest/gtest.h>

#include "chat_fixture.h"

namespace {

using ChatSend = ChatTable;

TEST_F(ChatSend, EnterSendsTheTypedLineInTheCodePage) {
    enter("大家好 hi");
    EXPECT_TRUE(input().caption.empty());
    EXPECT_TRUE(advance(150));
    auto sent = sentPackets();
    ASSERT_EQ(sent.size(), 1u);
    const wire::GamePacket& p = sent[0];
    EXPECT_EQ(p[3], 19);
    EXPECT_EQ(p[5], 0);
    EXPECT_EQ(p[6], 1);
    EXPECT_EQ(p[11], 0);
    const std::string gbk = wire::utf8ToGbk("大家好 hi");
    EXPECT_EQ(std::string(p.begin() + 16, p.begin() + 16 + static_cast<long>(gbk.size())), gbk);
    EXPECT_EQ(p[16 + gbk.size()], 0);
}

TEST_F(ChatSend, ASecondLineWithin800msIsDroppedWithANotice) {
    enter("one");
    ASSERT_TRUE(advance(400));
    enter("two");
    EXPECT_TRUE(input().caption.empty());
    ASSERT_FALSE(history().items.empty());
    EXPECT_EQ(history().items.back(), "（发送消息太快！）");
    EXPECT_EQ(history().topIndex, static_cast<int>(history().items.size()) - 1);
    auto sent = flushChat();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].text, "one");
    // An empty Enter inside the limit leaves no notice.
    const std::size_t lines = history().items.size();
    enter("");
    EXPECT_EQ(history().items.size(), lines);
    // 800 ms after the first line the next one goes.
    ASSERT_TRUE(advance(800));
    enter("three");
    sent = flushChat();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].text, "three");
}

struct SendCase {
    const char* name;
    int avatarSlot;     // -1: no avatar click
    bool deletePrefix;  // the user deleted the prefix before typing
    const char* typed;  // appended to what the avatar click left in the input
    bool spectator;
    bool sent;  // a packet leaves
    bool isPrivate;
    int addresseeSlot;
    const char* text;  // what the packet carries
    bool stillArmed;   // the private state after Enter
};

TEST_F(ChatSend, PrivatePrefixCommandWordAndSpectators) {
    const SendCase cases[] = {
        {"public line", -1, false, "hello", false, true, false, 0, "hello", false},
        {"private kept", 3, false, "晚上好", false, true, true, 3, "晚上好", false},
        {"private prefix deleted", 3, true, "晚上好", false, true, false, 0, "晚上好", false},
        {"private blank", 2, false, "", false, false, false, 0, "", false},
        {"command word", -1, false, "qomelrivat", false, true, false, 0, "想睡觉啦! Zzz...", false},
        {"spectator", -1, false, "hello", true, false, false, 0, "", false},
        {"blank public", -1, false, "   ", false, false, false, 0, "", false},
    };
    for (const SendCase& c : cases) {
        SCOPED_TRACE(c.name);
        client->state.SpectatorMode = c.spectator;
        client->state.AutoPlay = true;
        client->state.TurnSeconds = 0;
        input().caption.clear();
        if (c.avatarSlot >= 0) avatar(c.avatarSlot);
        if (c.deletePrefix) input().caption.clear();
        enter(input().caption + c.typed);
        auto sent = flushChat();
        ASSERT_EQ(sent.size(), c.sent ? 1u : 0u);
        if (c.sent) {
            EXPECT_EQ(sent[0].isPrivate, c.isPrivate);
            EXPECT_EQ(sent[0].addressee, c.isPrivate ? bit(c.addresseeSlot) : 0);
            EXPECT_EQ(sent[0].text, c.text);
            EXPECT_EQ(sent[0].sender, 1);
        }
        EXPECT_EQ(client->state.PrivateChatArmed, c.stillArmed);
        const bool commandWord = std::string(c.typed) == "qomelrivat";
        EXPECT_EQ(client->state.AutoPlay, !commandWord);
        EXPECT_EQ(client->state.TurnSeconds, commandWord ? 10 : 0);
        ASSERT_TRUE(advance(800));  // past the rate limit
    }
}

TEST_F(ChatSend, TheSendButtonHasNoRateLimitAndNoCommandWord) {
    for (const char* text : {"qomelrivat", "again"}) {
        input().caption = text;
        client->MainForm.fire(&client->MainForm.at("AnNiu", table::kBtnSend),
                              ui::EventKind::kClick);
    }
    ASSERT_TRUE(advance(200));
    std::vector<std::string> texts;
    for (const auto& p : sentPackets()) texts.push_back(wire::Chat::decode(p).text);
    EXPECT_EQ(texts, (std::vector<std::string>{"qomelrivat", "again"}));
    EXPECT_FALSE(client->state.AutoPlay);
    EXPECT_TRUE(client->state.ChatSendAllowed);
}

TEST_F(ChatSend, AKeyPressEmptiesAHistoryOfMoreThan100Lines) {
    history().items.assign(101, "x");
    ui::Event e;
    e.kind = ui::EventKind::kKeyPress;
    e.keyAscii = 'a';
    client->MainForm.fire(&input(), e);
    EXPECT_TRUE(history().items.empty());
    history().items.assign(100, "x");
    client->MainForm.fire(&input(), e);
    EXPECT_EQ(history().items.size(), 100u);
}

TEST_F(ChatSend, KeysInTheChatInput) {
    // Esc opens and closes the exit dialog.
    ui::Event esc;
    esc.kind = ui::EventKind::kKeyDown;
    esc.keyCode = ui::VK_ESCAPE;
    client->MainForm.fire(&input(), esc);
    EXPECT_TRUE(fp.windows.form("frmExit").visible);
    client->MainForm.fire(&input(), esc);
    EXPECT_FALSE(fp.windows.form("frmExit").visible);
    // F1 hides the table; the notice window stays, the side windows hide.
    fp.windows.form("frmTishi").show();
    fp.windows.form("Talk").show();
    ui::Event f1 = esc;
    f1.keyCode = ui::VK_F1;
    client->MainForm.fire(&input(), f1);
    EXPECT_EQ(client->MainForm.windowState, ui::WindowState::kMinimized);
    EXPECT_TRUE(fp.windows.form("frmTishi").visible);
    EXPECT_TRUE(fp.windows.form("frmTishi").loaded());
    EXPECT_FALSE(fp.windows.form("Talk").visible);
    EXPECT_TRUE(client->state.AutoPlay);
    EXPECT_TRUE(client->state.Away);
    EXPECT_EQ(client->state.TurnSeconds, 0);
}

}  // namespace
