// The table layout at both display scales.
#include <gtest/gtest.h>

#include "client_fixture.h"

namespace {

struct Place {
    const char* name;
    int index;
    double left, top, width, height;  // negative: not checked
};

struct Layout : ClientFixture {
    void startAt(int w, int h) {
        fp.shell.screen = {w, h};
        ASSERT_TRUE(start("me$key$127.0.0.1$2000$home$"));
    }
    void check(const std::vector<Place>& places) {
        for (const Place& p : places) {
            SCOPED_TRACE(std::string(p.name) + "(" + std::to_string(p.index) + ")");
            ui::Control& c = client->MainForm.at(p.name, p.index);
            if (p.left >= 0) EXPECT_NEAR(c.left, p.left, 1e-9);
            if (p.top >= 0) EXPECT_NEAR(c.top, p.top, 1e-9);
            if (p.width >= 0) EXPECT_NEAR(c.width, p.width, 1e-9);
            if (p.height >= 0) EXPECT_NEAR(c.height, p.height, 1e-9);
        }
    }
};

TEST_F(Layout, FullScale) {
    startAt(1280, 1024);
    EXPECT_EQ(client->buttons.ButtonBaseX(), 400);
    check({
        {"Tou", 0, 10, 668, 85, 90},
        {"Tou", 1, 8, 313, 70, 62},
        {"Tou", 3, 350, 15, 70, 62},
        {"Tou", 5, 946, 313, 70, 62},
        {"AnNiu", 0, 573, 733, 50, 30},
        {"AnNiu", 4, 858, 702, 60, 30},
        {"AnNiu", 5, 648, 734, 60, 30},
        {"AnNiu", 8, 858, 734, 60, 30},
        {"Nid", 0, 181, 703, -1, -1},
        {"Cash", 0, 181, 727, -1, -1},
        {"Level", 4, 852, 64, -1, -1},
        {"OK", 3, 464, 108, -1, -1},
        {"ImgKaiD", 2, 4, 110, 30, 30},
        {"ImgYm", 2, 34, 110, 80, 40},
        {"ImgResult", 2, 114, 110, 80, 30},
        {"ImgResult", 1, 105, 320, -1, -1},
        {"ImgQQ", 4, 792, 104, 131, 102},
        {"ImgQQ", 3, 370, 140, -1, -1},
        {"ImgKuang", 2, 0, 3, 126, 105},
        {"ImgKuang", 3, 343, 3, -1, -1},
        {"PicLocal", 3, 469, 88, 145, 17},
        {"vshow1", 2, 5, 8, 116, 95},
        {"Operation", 0, 400, 490, 60, 40},
        {"Operation", 3, 634, 490, 60, 40},
        {"imgGuo", 1, 130, 320, 80, 60},
        {"imgGuo", 5, 810, 320, -1, -1},
        {"OperationNotP", 0, 418, 490, 60, 40},
        {"OperationNotP", 1, 538, 490, -1, -1},
        {"Sysmsg", 0, 312, 696, 281, 13},
        {"Sysmsg", 1, 312, 709, 281, 13},
        {"Chat", -1, 312, 732, 250, 33},
        {"Time_Img", -1, 10, 578, 81, 38},
        {"Number", -1, 58, 583, 24, 24},
        {"cardImage0", 55, -1, -1, 90, 120},
        {"cardImage3", 55, -1, -1, 80, 108},
    });
    EXPECT_FALSE(client->MainForm.at("Nid", 1).visible);
    EXPECT_FALSE(client->MainForm.at("OK", 1).visible);
    EXPECT_FALSE(client->MainForm.at("Operation", 0).enabled);
}

TEST_F(Layout, SmallScaleShrinksAllButTheUnscaledVideoFrames) {
    startAt(800, 600);
    const double s = 0.78125;
    EXPECT_EQ(client->buttons.ButtonBaseX(), 312);  // 312.5 rounds to even
    check({
        {"Tou", 0, 10 * s, 668 * s, 85 * s, 90 * s},
        {"Tou", 3, 350 * s, 16 * s, 70 * s, 66 * s},  // small-scale replacements
        {"Cash", 0, 181 * s, 723 * s, -1, -1},
        {"Cash", 2, 165 * s, 42 * s, -1, -1},
        {"ImgKuang", 2, 0, 3, 126 * s, 105 * s},      // left and top unscaled
        {"ImgKuang", 3, 350 * s - 7 * s, 3, -1, -1},  // top unscaled
        {"Operation", 0, 400 * s, 490 * s, 60 * s, 40 * s},
        {"OperationNotP", 0, 312 + 0.3 * 60 * s, 490 * s, -1, -1},
        {"Sysmsg", 0, 312 * s, 696 * s - 2, 281 * s, -1},
        {"Time_Img", -1, 10 * s, 570 * s, -1, -1},
        {"ImgQQ", 4, 800 * s + 20 * s, 120 * s - 30 * s, -1, -1},
        {"word1", -1, 636 * s, 660 * s, 57 * s, 15 * s},
    });
    EXPECT_EQ(client->MainForm.at("Sysmsg", 0).font.size, 8);
    EXPECT_EQ(client->MainForm.at("Chat").font.size, 12);
}

TEST_F(Layout, ACardPictureTakesItsPicturesSize) {
    startAt(1280, 1024);
    ui::Control& card = client->MainForm.at("cardImage0", 7);
    EXPECT_EQ(card.width, 90);
    auto face = std::make_shared<ui::Picture>();
    face->width = 61;
    face->height = 81;
    card.setPicture(face);
    EXPECT_EQ(card.width, 61);
    EXPECT_EQ(card.height, 81);
}

}  // namespace
