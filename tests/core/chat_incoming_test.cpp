// Incoming chat (command 19): the display lines of public, private and server
// lines, the filter, the history's wrapping and the message area's cut, the voice
// variant each slot hears, and packets of any bytes.
#include <gtest/gtest.h>

#include "chat/text.h"
#include "chat_fixture.h"

namespace {

using ChatIncoming = ChatTable;

TEST_F(ChatIncoming, DisplayLinesByTheirSpeakerAndAddressee) {
    struct Case {
        const char* name;
        int from, to;  // to -1: public; from -1: the server
        const char* line;
        bool blinks;
    };
    const Case cases[] = {
        {"public from slot 2", 2, -1, "p2说道： 好牌", true},
        {"own public line back", 0, -1, "你说道： 好牌", false},
        {"private from slot 3 to me", 3, 0, "p3对你说： 好牌", true},
        {"private between two others", 1, 5, "p1对p5说： 好牌", true},
        {"own private line back", 0, 4, "你对p4说： 好牌", false},
        {"server line", -1, -1, "好牌", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        client->connection.slots[net::kSlotBlink].flag = false;
        history().items.clear();
        client->MainForm.at("Sysmsg", 0).items.clear();
        client->MainForm.at("Sysmsg", 1).items.clear();
        ASSERT_TRUE(dispatch(line(c.from, "好牌", c.to)));
        ASSERT_EQ(history().items, std::vector<std::string>{c.line});
        EXPECT_EQ(sysmsg(0), c.line);
        EXPECT_EQ(blinking(), c.blinks);
        // Lines are never bubbles; only phrases are.
        EXPECT_EQ(fp.windows.find("frmSpeakBox" + std::to_string(std::max(c.from, 0))), nullptr);
    }
}

TEST_F(ChatIncoming, TheChatButtonBlinksFourTimes) {
    ASSERT_TRUE(dispatch(line(1, "hi")));
    std::vector<int> shown;
    for (int i = 0; i < 10; ++i) {
        ASSERT_TRUE(advance(400));
        shown.push_back(shownId(client->MainForm.at("AnNiu", table::kBtnChat)));
    }
    EXPECT_EQ(shown, (std::vector<int>{153, 152, 153, 152, 153, 152, 153, 152, 152, 152}));
    EXPECT_FALSE(blinking());
}

TEST_F(ChatIncoming, WrappingAndTheMessageAreaCut) {
    std::string thirty, sixty;
    for (int i = 0; i < 30; ++i) thirty += "字";
    for (int i = 0; i < 60; ++i) sixty += "字";
    ASSERT_TRUE(dispatch(line(-1, thirty)));
    ASSERT_EQ(history().items.size(), 2u);
    EXPECT_EQ(wire::utf8Chars(history().items[0]).size(), 23u);
    EXPECT_EQ(wire::utf8Chars(history().items[1]).size(), 7u);
    EXPECT_EQ(history().topIndex, 1);
    ASSERT_TRUE(dispatch(line(-1, sixty)));
    EXPECT_EQ(sysmsg(0), thirty);
    EXPECT_EQ(sysmsg(1), std::string(sixty, 0, 45 * 3));
    // A third line moves the lower line up.
    ASSERT_TRUE(dispatch(line(-1, "x")));
    EXPECT_EQ(sysmsg(0), std::string(sixty, 0, 45 * 3));
    EXPECT_EQ(sysmsg(1), "x");
}

TEST(ChatText, WrapIntoListCountsDoubleByteCharactersTwice) {
    struct Case {
        std::string text;
        int width;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"", 44, {}},
        {"a", 44, {"a"}},
        {"abcdef", 2, {"abc", "d", "ef"}},
        {std::string("ab\0cd", 5), 44, {"ab"}},
        {"甲乙丙丁戊", 4, {"甲乙丙", "丁戊"}},
    };
    for (const Case& c : cases) {
        ui::WindowSystem ws;
        ui::Control& list = ws.form("f").add("l", ui::ControlKind::kListBox);
        chat::WrapIntoList(list, c.text, c.width);
        EXPECT_EQ(list.items, c.lines) << c.text;
    }
}

TEST(ChatText, TheFilterRemovesListedWordsCaseSensitively) {
    const std::pair<std::string, std::string> cases[] = {
        {"oh shit", "oh "},     {"bullshitter", "bullter"}, {"Shit happens", "Shit happens"},
        {"你他妈的好", "你好"}, {"婊子养的人", "人"},       {"fufuckck", ""},
        {"色情黄色淫", ""},     {"干净的话", "干净的话"},
    };
    for (const auto& [in, out] : cases) EXPECT_EQ(chat::FilterChatText(in), out) << in;
}

TEST_F(ChatIncoming, ShownLinesAreFilteredButTheNicknameToo) {
    client->state.PlayerInfo[2].nickname = "shitty";
    ASSERT_TRUE(dispatch(line(2, "shit!")));
    EXPECT_EQ(history().items.back(), "ty说道： !");
}

TEST_F(ChatIncoming, ALineOfAnyBytesIsShownSafely) {
    // No zero byte up to the packet's end, a lone lead byte at the text's last byte.
    wire::GamePacket p = line(1, "");
    for (std::size_t i = 16; i <= 214; ++i) p[i] = 'a';
    p[215] = 0xB0;
    for (std::size_t i = 216; i < 272; ++i) p[i] = 0xFF;
    ASSERT_TRUE(dispatch(p));
    std::string all;
    for (const auto& item : history().items) all += item;
    EXPECT_EQ(all, "p1说道： " + std::string(199, 'a') + "\xEF\xBF\xBD");
    // A lead byte followed by a zero ends the text without swallowing it.
    wire::GamePacket q = line(1, "");
    q[16] = 'z';
    q[17] = 0xC4;
    q[18] = 0;
    q[19] = 'y';
    history().items.clear();
    ASSERT_TRUE(dispatch(q));
    EXPECT_EQ(history().items.back(), "p1说道： z\xEF\xBF\xBD");
}

TEST_F(ChatIncoming, EachSlotHearsItsVoiceVariant) {
    writePhrases(3);  // the quick replies were never opened: the phrases load now
    soundFiles();
    struct Case {
        int slot;
        const char* heard;  // empty: nothing played
    };
    // Sent as 1 0 1 1 002: the partners hear it so, the opponents with a 0 third.
    const Case cases[] = {{0, ""},        {1, "1001002"}, {2, "1011002"},
                          {3, "1001002"}, {4, "1011002"}, {5, "1001002"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.slot);
        ASSERT_TRUE(dispatch(phrase(c.slot, 2)));
        auto files = soundFiles();
        if (*c.heard)
            EXPECT_EQ(files, std::vector<std::string>{voice(c.heard)});
        else
            EXPECT_TRUE(files.empty());
        // The phrase's text is the shown line and the bubble's.
        EXPECT_EQ(
            history().items.back(),
            (c.slot == 0 ? std::string("你") : "p" + std::to_string(c.slot)) + "说道： phrase 3");
        ui::Form* bubble = fp.windows.find("frmSpeakBox" + std::to_string(c.slot));
        ASSERT_NE(bubble, nullptr);
        EXPECT_EQ(bubble->at("labPhrase").caption, "phrase 3");
    }
}

TEST_F(ChatIncoming, APhraseOutsideTheListsShowsNoBubble) {
    writePhrases(2);
    huifu().load();
    struct Case {
        const char* name;
        wire::GamePacket p;
    };
    wire::GamePacket wild = phrase(3, 0);
    for (std::size_t i = 16; i <= 22; ++i) wild[i] = 255;
    wire::GamePacket big = phrase(3, 0);
    big[20] = 2, big[21] = 5, big[22] = 6;  // 256: more than the format carries
    const Case cases[] = {
        {"beyond the list", phrase(3, 2)}, {"list 2 is empty", phrase(3, 0, 2)},
        {"no list 3", phrase(3, 0, 3)},    {"bytes that are no digits", wild},
        {"index above 255", big},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(dispatch(c.p));
        EXPECT_EQ(history().items.back(), "p3说道： ");
        EXPECT_EQ(fp.windows.find("frmSpeakBox3"), nullptr);
    }
    // The voice file name is made of decimal numbers only.
    ASSERT_TRUE(dispatch(wild));
    auto files = soundFiles();
    ASSERT_FALSE(files.empty());
    EXPECT_EQ(files.back(), voice("250255255255255255255"));
}

}  // namespace
