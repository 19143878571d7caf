// Speech bubbles in virtual time: one window per slot, reused and restarted, its
// place at both scales, the outline cut from the picture, the fade tick by tick,
// and what minimising and restoring the table do to them.
#include <gtest/gtest.h>

#include "chat/bubble_shape.h"
#include "chat_fixture.h"

namespace {

constexpr int kTick = chat::kFadeTickMs;

struct ChatBubbles : ChatTable {
    void SetUp() override {
        ChatTable::SetUp();
        writePhrases(5);
        huifu().load();
        client->MainForm.left = 1500;
        client->MainForm.top = 750;
    }
    ui::Form* bubble(int slot) { return fp.windows.find("frmSpeakBox" + std::to_string(slot)); }
    int shown(double twips) const {
        return static_cast<int>(std::lround(twips * client->state.Scale.x));
    }
};

TEST_F(ChatBubbles, TheFadeTickByTick) {
    ASSERT_TRUE(dispatch(phrase(3, 0)));
    ui::Form* b = bubble(3);
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->opacity, 255);  // not layered before its first tick
    std::vector<int> opacity;
    for (int tick = 1; tick <= 330; ++tick) {
        ASSERT_TRUE(advance(kTick));
        opacity.push_back(b->opacity);
        if (tick == 328) {
            EXPECT_EQ(b->left, 1500 + 6150);
        }
    }
    for (int t = 1; t <= 26; ++t) EXPECT_EQ(opacity[t - 1], 8 * t) << t;
    for (int t = 27; t <= 276; ++t) EXPECT_EQ(opacity[t - 1], 208) << t;
    for (int t = 277; t <= 328; ++t) EXPECT_EQ(opacity[t - 1], 210 - 4 * (t - 276)) << t;
    EXPECT_EQ(opacity[328], 2);  // tick 329: -2 is not applied
    EXPECT_EQ(b->left, -2 * b->width);
    EXPECT_EQ(b->at("labPhrase").caption, "");
}

TEST_F(ChatBubbles, ASecondPhraseReusesTheWindowAndRestartsTheFade) {
    ASSERT_TRUE(dispatch(phrase(1, 0)));
    ASSERT_TRUE(advance(100 * kTick));
    ui::Form* first = bubble(1);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->opacity, 208);
    const std::size_t forms = fp.windows.forms().size();
    ASSERT_TRUE(dispatch(phrase(1, 4)));
    EXPECT_EQ(bubble(1), first);
    EXPECT_EQ(fp.windows.forms().size(), forms);
    EXPECT_EQ(first->at("labPhrase").caption, "phrase 5");
    ASSERT_TRUE(advance(kTick));
    EXPECT_EQ(first->opacity, 8);
}

TEST_F(ChatBubbles, SixSlotsSixWindowsEachAtItsPlace) {
    struct Place {
        int left, top, labelLeft, labelTop;  // twips at scale 1
    };
    const Place places[6] = {{1500, 8550, 260, 180},  {1050, 4100, 570, 350},
                             {550, 1050, 570, 620},   {6150, 1050, 450, 620},
                             {10800, 1050, 370, 620}, {11400, 4100, 270, 470}};
    const int sizes[6][2] = {{174, 92}, {198, 92}, {208, 104}, {208, 104}, {208, 104}, {208, 104}};
    for (int slot = 0; slot < 6; ++slot) ASSERT_TRUE(dispatch(phrase(slot, slot % 5)));
    for (int slot = 0; slot < 6; ++slot) {
        SCOPED_TRACE(slot);
        ui::Form* b = bubble(slot);
        ASSERT_NE(b, nullptr);
        EXPECT_EQ(b->caption, "speakbox");
        EXPECT_EQ(b->tag, "speak" + std::to_string(slot));
        EXPECT_TRUE(b->visible);
        EXPECT_TRUE(b->topmost);
        EXPECT_FALSE(b->acceptsFocus);
        EXPECT_EQ(b->left, 1500 + places[slot].left);
        EXPECT_EQ(b->top, 750 + places[slot].top);
        EXPECT_EQ(b->pixelWidth(), sizes[slot][0]);
        EXPECT_EQ(b->pixelHeight(), sizes[slot][1]);
        const ui::Control& label = b->at("labPhrase");
        EXPECT_EQ(label.left, places[slot].labelLeft / 15);
        EXPECT_EQ(label.top, places[slot].labelTop / 15);
        EXPECT_EQ(label.width, 140);
        EXPECT_EQ(label.height, 50);
        EXPECT_EQ(label.font.size, 10.5);
    }
}

TEST_F(ChatBubbles, TheSmallScalePlacesSlotFiveFurtherLeft) {
    client->state.Scale = {0.78125, 0.78125};
    ASSERT_TRUE(dispatch(phrase(5, 0)));
    ASSERT_TRUE(dispatch(phrase(1, 0)));
    EXPECT_EQ(bubble(5)->left, 1500 + shown(10200));
    EXPECT_EQ(bubble(5)->top, 750 + shown(4100));
    EXPECT_EQ(bubble(5)->at("labPhrase").top, shown(520) / 15);
    EXPECT_EQ(bubble(1)->left, 1500 + shown(1050));
    EXPECT_EQ(bubble(1)->at("labPhrase").left, shown(620) / 15);
}

TEST_F(ChatBubbles, MinimiseThenRestoreThenTheNextPhraseFadesInAgain) {
    ASSERT_TRUE(dispatch(phrase(2, 0)));
    ASSERT_TRUE(dispatch(phrase(4, 1)));
    ASSERT_TRUE(advance(50 * kTick));
    client->MainForm.windowState = ui::WindowState::kMinimized;
    client->MainForm.fire(nullptr, ui::EventKind::kResize);
    EXPECT_FALSE(bubble(2)->visible);
    EXPECT_FALSE(bubble(4)->visible);
    // A phrase while minimised is heard and written down but shows no bubble.
    ASSERT_TRUE(dispatch(phrase(2, 3)));
    EXPECT_FALSE(bubble(2)->visible);
    EXPECT_EQ(bubble(2)->at("labPhrase").caption, "phrase 1");
    client->MainForm.windowState = ui::WindowState::kNormal;
    client->MainForm.fire(nullptr, ui::EventKind::kResize);
    for (int slot : {2, 4}) {
        EXPECT_FALSE(bubble(slot)->visible);
        EXPECT_EQ(bubble(slot)->opacity, 0);
        EXPECT_TRUE(bubble(slot)->topmost);
    }
    ASSERT_TRUE(advance(10 * kTick));
    EXPECT_EQ(bubble(2)->opacity, 0);  // the fade stopped
    ASSERT_TRUE(dispatch(phrase(2, 3)));
    EXPECT_TRUE(bubble(2)->visible);
    EXPECT_FALSE(bubble(4)->visible);
    ASSERT_TRUE(advance(kTick));
    EXPECT_EQ(bubble(2)->opacity, 8);
}

TEST_F(ChatBubbles, LeavingClosesThemAndTheNextPhraseMakesThemAnew) {
    ASSERT_TRUE(dispatch(phrase(3, 0)));
    client->bubbles.closeAll();
    EXPECT_EQ(client->bubbles.window(3), nullptr);
    ASSERT_TRUE(advance(10 * kTick));  // a stopped fade touches nothing
    ASSERT_TRUE(dispatch(phrase(3, 1)));
    ASSERT_NE(client->bubbles.window(3), nullptr);
    EXPECT_TRUE(client->bubbles.window(3)->visible);
    EXPECT_EQ(client->bubbles.window(3)->opacity, 255);
}

TEST_F(ChatBubbles, TheOutlineFollowsThePicturesPixels) {
    ASSERT_TRUE(dispatch(phrase(0, 0)));
    ui::Form* b = bubble(0);
    ASSERT_NE(b, nullptr);
    ASSERT_FALSE(b->region.empty());
    auto px = chat::picturePixels(*b->picture);
    ASSERT_TRUE(px);
    const std::uint32_t bg = px->at(0, 0);
    // Every pixel of the region differs from the background; every other pixel
    // left of the last column is the background.
    std::vector<std::vector<bool>> in(px->height, std::vector<bool>(px->width, false));
    for (const ui::Rect& r : b->region)
        for (int x = r.left; x < r.left + r.width; ++x) in[r.top][x] = true;
    for (int y = 0; y < px->height; ++y)
        for (int x = 0; x + 1 < px->width; ++x)
            ASSERT_EQ(in[y][x], px->at(x, y) != bg) << x << "," << y;
    for (int y = 0; y < px->height; ++y) EXPECT_FALSE(in[y][px->width - 1]);
}

TEST(ChatRegion, RunsEndBeforeTheLastColumn) {
    chat::Pixels p{4, 2, {0, 1, 1, 1, 1, 0, 1, 0}};
    auto r = chat::regionOf(p, 4, 2, 0);
    ASSERT_EQ(r.size(), 3u);
    EXPECT_EQ(r[0].left, 1);
    EXPECT_EQ(r[0].width, 2);  // pixel 3 is in the last column
    EXPECT_EQ(r[1].left, 0);
    EXPECT_EQ(r[1].width, 1);
    EXPECT_EQ(r[2].left, 2);
    EXPECT_EQ(r[2].width, 1);
    EXPECT_EQ(r[2].top, 1);
}

}  // namespace
