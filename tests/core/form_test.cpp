// The control model: control arrays, z-order, hit testing through picture boxes,
// event routing by control name.
#include <gtest/gtest.h>

#include "ui/window_system.h"

using namespace ui;

namespace {

struct FormFixture : ::testing::Test {
    WindowSystem ws;
    Form& f = ws.form("MainForm");
    Control& pic1 = f.add("Pic1", ControlKind::kPictureBox);
    FormFixture() { pic1.move(8, 20, 1000, 700); }
};

TEST_F(FormFixture, AddReturnsTheSameControlAndArraysComeInIndexOrder) {
    Control& c2 = f.add("cardImage0", ControlKind::kImage, 2, &pic1);
    f.add("cardImage0", ControlKind::kImage, 0, &pic1);
    EXPECT_EQ(&f.add("cardImage0", ControlKind::kImage, 2, &pic1), &c2);
    auto arr = f.array("cardImage0");
    ASSERT_EQ(arr.size(), 2u);
    EXPECT_EQ(arr[0]->index, 0);
    EXPECT_EQ(arr[1]->index, 2);
    EXPECT_THROW(f.at("cardImage0", 1), std::out_of_range);
}

TEST_F(FormFixture, HitTestFollowsZOrderVisibilityAndContainers) {
    Control& under = f.add("under", ControlKind::kImage, -1, &pic1);
    Control& over = f.add("over", ControlKind::kImage, -1, &pic1);
    under.move(100, 100, 50, 50);
    over.move(120, 120, 50, 50);
    // Form coordinates: the picture box sits at (8, 20).
    EXPECT_EQ(f.hitTest(8 + 130, 20 + 130), &over);
    f.bringToFront(under);
    EXPECT_EQ(f.hitTest(8 + 130, 20 + 130), &under);
    under.visible = false;
    EXPECT_EQ(f.hitTest(8 + 130, 20 + 130), &over);
    EXPECT_EQ(f.hitTest(8 + 500, 20 + 500), &pic1);  // the surface itself
    EXPECT_EQ(f.hitTest(2, 2), nullptr);             // outside Pic1: the form
    f.sendToBack(over);
    under.visible = true;
    EXPECT_EQ(f.hitTest(8 + 160, 20 + 160), &over);  // only over covers that point
    pic1.visible = false;
    EXPECT_EQ(f.hitTest(8 + 130, 20 + 130), nullptr);
}

TEST_F(FormFixture, EventsReachTheHandlerOfTheControlNameWithTheItem) {
    f.add("AnNiu", ControlKind::kImage, 3, &pic1);
    int seen = -1;
    f.on("AnNiu", EventKind::kClick, [&](Control* c, Event&) { seen = c->index; });
    EXPECT_TRUE(f.fire(&f.at("AnNiu", 3), EventKind::kClick));
    EXPECT_EQ(seen, 3);
    EXPECT_FALSE(f.fire(&f.at("AnNiu", 3), EventKind::kDblClick));
}

TEST_F(FormFixture, UnloadCanBeCancelledAndRunsHandlersOnce) {
    int loads = 0, unloads = 0;
    bool keep = true;
    f.onForm(EventKind::kLoad, [&](Control*, Event&) { ++loads; });
    f.onForm(EventKind::kQueryUnload, [&](Control*, Event& e) { e.cancel = keep; });
    f.onForm(EventKind::kUnload, [&](Control*, Event&) { ++unloads; });
    f.show();
    f.show();
    EXPECT_EQ(loads, 1);
    EXPECT_FALSE(f.unload());
    EXPECT_TRUE(f.loaded());
    keep = false;
    EXPECT_TRUE(f.unload());
    EXPECT_FALSE(f.loaded());
    EXPECT_FALSE(f.visible);
    EXPECT_EQ(unloads, 1);
}

// A list scrolled to its last item still fills its rows; a short list starts at its top.
TEST(ListBox, TheFirstShownItemKeepsTheRowsFilled) {
    WindowSystem ws;
    Control& list = ws.form("Talk").add("Text1", ControlKind::kListBox);
    list.height = 3 * 16;
    struct Case {
        int items, topIndex, first;
    } cases[] = {{10, 9, 7}, {10, 7, 7}, {10, 4, 4}, {10, 0, 0}, {10, -3, 0}, {2, 1, 0}, {0, 5, 0}};
    for (const Case& c : cases) {
        list.items.assign(static_cast<std::size_t>(c.items), "line");
        list.topIndex = c.topIndex;
        EXPECT_EQ(firstShownItem(list, 16), c.first) << c.items << " items, top " << c.topIndex;
    }
    list.height = 5;  // lower than one row: one row still shows
    list.items.assign(4, "line");
    list.topIndex = 3;
    EXPECT_EQ(firstShownItem(list, 16), 3);
}

}  // namespace
