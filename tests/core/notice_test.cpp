// The two small windows in front of the table: the notice frmTishi, which closes
// itself after four seconds or at a click, and the illegal-play notice ChuPai.
#include "play_fixture.h"

namespace {

struct Notices : PlayTable {
    void SetUp() override {
        PlayTable::SetUp();
        ui::Form& t = client->MainForm;
        t.left = 1500;
        t.top = 300;
        t.width = 15360;
        t.height = 11520;
    }
    ui::Form* tishi() { return fp.windows.find("frmTishi"); }
    bool click(ui::Form& f, ui::Control* c) {
        return guarded([&] { f.fire(c, ui::EventKind::kClick); });
    }
};

TEST_F(Notices, TheNoticeStandsCentredAThirdDownAndGoesAfterFourSeconds) {
    client->notice.ShowNotice("两家革命重新开牌");
    ui::Form* f = tishi();
    ASSERT_NE(f, nullptr);
    EXPECT_TRUE(f->loaded() && f->visible && f->topmost);
    EXPECT_EQ(f->caption, "提示");
    EXPECT_EQ(f->pixelWidth(), 300);
    EXPECT_EQ(f->pixelHeight(), 100);
    ASSERT_TRUE(f->picture);
    EXPECT_EQ(f->picture->key, "design:frmTishi");
    EXPECT_EQ(f->left, 1500 + (15360 - 4500) / 2);
    EXPECT_EQ(f->top, 300 + 11520 / 3);
    struct Line {
        int index;
        double left, top, width, height;
        const char* text;
    };
    for (const Line& l :
         {Line{0, 8, 32, 285, 49, "两家革命重新开牌"}, Line{1, 8, 80, 285, 17, ""}}) {
        SCOPED_TRACE(l.index);
        const ui::Control& c = f->at("LbTishi", l.index);
        EXPECT_EQ(c.caption, l.text);
        EXPECT_EQ(c.left, l.left);
        EXPECT_EQ(c.top, l.top);
        EXPECT_EQ(c.width, l.width);
        EXPECT_EQ(c.height, l.height);
        EXPECT_EQ(c.font.name, "宋体");
        EXPECT_EQ(c.font.size, 10.5);
        EXPECT_TRUE(c.font.bold);
    }
    ASSERT_TRUE(advance(3950));
    EXPECT_TRUE(f->visible) << "still up just before four seconds";
    ASSERT_TRUE(advance(100));
    EXPECT_FALSE(f->visible);
    EXPECT_FALSE(f->topmost) << "sent behind the other windows";

    // The next notice comes up again for its own four seconds, also when it
    // replaces one still showing.
    client->notice.ShowNotice("小明买三");
    EXPECT_TRUE(f->visible);
    ASSERT_TRUE(advance(3000));
    client->notice.ShowNotice("阿强买三");
    EXPECT_EQ(f->at("LbTishi", 0).caption, "阿强买三");
    ASSERT_TRUE(advance(3950));
    EXPECT_TRUE(f->visible);
    ASSERT_TRUE(advance(100));
    EXPECT_FALSE(f->visible);
}

// A click on the window or on either line empties both lines and unloads it; the
// next notice loads it again at its place.
TEST_F(Notices, AClickAnywhereOnTheNoticeClosesIt) {
    for (int target : {-1, 0, 1}) {
        SCOPED_TRACE(target);
        client->notice.ShowNotice("还贡的张数不够");
        ui::Form* f = tishi();
        ASSERT_NE(f, nullptr);
        f->at("LbTishi", 1).caption = "second line";
        f->left = 0;  // dragged away
        ASSERT_TRUE(click(*f, target < 0 ? nullptr : &f->at("LbTishi", target)));
        EXPECT_FALSE(f->loaded());
        EXPECT_FALSE(f->visible);
        EXPECT_EQ(f->at("LbTishi", 0).caption, "");
        EXPECT_EQ(f->at("LbTishi", 1).caption, "");
        // Its timer went with it: nothing happens four seconds on.
        ASSERT_TRUE(advance(4100));
        EXPECT_FALSE(f->loaded());
        client->notice.ShowNotice("3 不能还");
        EXPECT_TRUE(f->loaded() && f->visible);
        EXPECT_EQ(f->left, 1500 + (15360 - 4500) / 2) << "placed again by its load";
        ASSERT_TRUE(click(*f, nullptr));
    }
}

TEST_F(Notices, AMinimisedTableShowsNoNotice) {
    client->MainForm.windowState = ui::WindowState::kMinimized;
    client->notice.ShowNotice("两家革命重新开牌");
    ui::Form* f = tishi();
    EXPECT_TRUE(f == nullptr || !f->visible);
}

TEST_F(Notices, TheIllegalPlayNoticeShowsItsPictureCentredOnTopAndClosesAtItsMark) {
    holdOnly("9S 7H 5D 3C");
    myTurn(2, "8D");
    raise(1);  // a 7 does not beat an 8
    ASSERT_TRUE(press(0));
    ui::Form* f = fp.windows.find("ChuPai");
    ASSERT_NE(f, nullptr);
    EXPECT_TRUE(f->visible && f->topmost);
    EXPECT_EQ(f->caption, "出牌非法");
    ASSERT_TRUE(f->picture);
    EXPECT_EQ(f->picture->key, "design:ChuPai") << "the picture carries 出牌不符合规则";
    EXPECT_EQ(f->pixelWidth(), 178);
    EXPECT_EQ(f->pixelHeight(), 63);
    EXPECT_EQ(f->left, 1500 + (15360 - 178 * 15) / 2);
    EXPECT_EQ(f->top, 300 + (11520 - 63 * 15) / 2);
    ui::Control& mark = f->at("Label1");
    EXPECT_EQ(mark.left, 136);
    EXPECT_EQ(mark.top, 0);
    EXPECT_EQ(mark.width, 41);
    EXPECT_EQ(mark.height, 17);
    EXPECT_TRUE(mark.transparent);
    EXPECT_NE(mark.mousePointer, 0);
    EXPECT_EQ(f->hitTest(150, 5), &mark) << "the mark is in front";
    ASSERT_TRUE(click(*f, &mark));
    EXPECT_FALSE(f->visible);
}

}  // namespace
