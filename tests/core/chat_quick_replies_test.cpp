// The quick replies: huifu opened by word1 and word2 at both scales, its phrases
// from "chat.ini", a double-clicked phrase sent as a voice code and heard at once,
// and the phrase buttons' hover pictures.
#include <gtest/gtest.h>

#include "chat_fixture.h"

namespace {

struct QuickReplies : ChatTable {
    void clickWord(int n) {
        client->MainForm.fire(&client->MainForm.at(n == 1 ? "word1" : "word2"),
                              ui::EventKind::kClick);
    }
    void doubleClick(int list, int item) {
        ui::Control& l = huifu().at("List" + std::to_string(list));
        l.listIndex = item;
        huifu().fire(&l, ui::EventKind::kDblClick);
    }
};

TEST_F(QuickReplies, ThePhraseFileFillsList1Once) {
    // The file is in the code page, as the hall installs it.
    std::ofstream(folder / "chat.ini")
        << wire::utf8ToGbk("[chat]\r\nnum=2.6\r\n1=你好\r\n3=再见\r\n");
    clickWord(1);
    EXPECT_EQ(huifu().at("List1").items, (std::vector<std::string>{"你好", "", "再见"}));
    EXPECT_TRUE(huifu().at("List1").visible);
    EXPECT_FALSE(huifu().at("List2").visible);
    EXPECT_TRUE(huifu().at("List2").items.empty());
    clickWord(2);
    EXPECT_EQ(huifu().at("List1").items.size(), 3u);
    EXPECT_TRUE(huifu().at("List2").visible);
    EXPECT_FALSE(huifu().at("List1").visible);
}

TEST_F(QuickReplies, WithoutThePhraseFileTheListIsEmptyAndNothingIsSent) {
    clickWord(1);
    EXPECT_TRUE(huifu().visible);
    EXPECT_TRUE(huifu().at("List1").items.empty());
    doubleClick(1, 0);
    doubleClick(2, -1);
    EXPECT_TRUE(flushChat().empty());
}

TEST_F(QuickReplies, TheWindowOpensBesideTheChatAtBothScales) {
    const ui::Control& pic1 = client->Pic1;
    for (double s : {1.0, 0.78125}) {
        SCOPED_TRACE(s);
        client->state.Scale = {s, s};
        fp.windows.form("Talk").show();
        clickWord(1);
        EXPECT_FALSE(fp.windows.form("Talk").visible);
        const ui::Form& t = client->MainForm;
        const int top = s < 1 ? static_cast<int>(t.top + pic1.top * 15 + 0.595 * t.height)
                              : static_cast<int>(t.top + pic1.top * 15 + 0.66 * pic1.height * 15);
        const int left = s < 1 ? static_cast<int>(t.left + pic1.left * 15 + 0.215 * t.width)
                               : static_cast<int>(t.left + pic1.left * 15 + 0.3 * pic1.width * 15);
        EXPECT_EQ(huifu().top, top);
        EXPECT_EQ(huifu().left, left);
        EXPECT_TRUE(huifu().visible);
        // The label Lbchat opens the chat window in the same place and closes the
        // quick replies; a second click closes it.
        ui::Control& label =
            client->MainForm.add("Lbchat", ui::ControlKind::kLabel, -1, &client->Pic1);
        client->MainForm.fire(&label, ui::EventKind::kClick);
        ui::Form& talk = fp.windows.form("Talk");
        EXPECT_FALSE(huifu().visible);
        EXPECT_TRUE(talk.visible);
        EXPECT_TRUE(talk.topmost);
        EXPECT_EQ(talk.top, top);
        EXPECT_EQ(talk.left, left);
        client->MainForm.fire(&label, ui::EventKind::kClick);
        EXPECT_FALSE(talk.visible);
    }
}

TEST_F(QuickReplies, ADoubleClickSendsTheVoiceCodeAndPlaysItHere) {
    writePhrases(12);
    client->state.PlayerInfo[0].sex = 1;
    clickWord(1);
    avatar(4);  // the selected seat, and a private phrase to it
    soundFiles();
    doubleClick(1, 11);
    EXPECT_FALSE(huifu().visible);
    EXPECT_TRUE(input().caption.empty());
    EXPECT_EQ(client->MainForm.focus, &input());
    EXPECT_FALSE(client->state.PrivateChatArmed);
    EXPECT_EQ(soundFiles(), std::vector<std::string>{voice("1111011")});
    ASSERT_TRUE(advance(150));
    auto sent = sentPackets();
    ASSERT_EQ(sent.size(), 1u);
    const wire::GamePacket& p = sent[0];
    EXPECT_EQ(p[3], 19);
    EXPECT_EQ(p[5], 1);
    EXPECT_EQ(p[6], 1);
    EXPECT_EQ(p[7], bit(4));
    EXPECT_EQ(p[8], bit(4));
    EXPECT_EQ(p[11], 1);
    EXPECT_EQ(std::vector<int>(p.begin() + 16, p.begin() + 23),
              (std::vector<int>{1, 1, 1, 1, 0, 1, 1}));
    EXPECT_EQ(p[23], 0);
    // Played even with the sounds switched off.
    client->sound.SoundOn = false;
    clickWord(1);
    doubleClick(1, 0);
    EXPECT_EQ(soundFiles(), std::vector<std::string>{voice("1111000")});
}

TEST_F(QuickReplies, ThePhraseButtonsHover) {
    ui::Control& w1 = client->MainForm.at("word1");
    ui::Control& w2 = client->MainForm.at("word2");
    EXPECT_EQ(shownId(w1), 100);
    EXPECT_EQ(shownId(w2), 101);
    client->MainForm.fire(&w2, ui::EventKind::kMouseMove);
    EXPECT_EQ(shownId(w2), 103);
    EXPECT_EQ(shownId(w1), 100);
    client->MainForm.fire(&client->MainForm.at("imgLocation"), ui::EventKind::kMouseMove);
    EXPECT_EQ(shownId(w2), 101);
}

TEST_F(QuickReplies, AltCClosesTheChatWindow) {
    ui::Form& talk = fp.windows.form("Talk");
    talk.show();
    for (int key : {18, int('X'), int('C')}) {
        ui::Event e;
        e.kind = ui::EventKind::kKeyDown;
        e.keyCode = key;
        talk.fire(&talk.at("Text1"), e);
    }
    EXPECT_TRUE(talk.visible);  // another key between Alt and C
    for (int key : {18, int('C')}) {
        ui::Event e;
        e.kind = ui::EventKind::kKeyDown;
        e.keyCode = key;
        talk.fire(&talk.at("Text1"), e);
    }
    EXPECT_FALSE(talk.visible);
}

}  // namespace
