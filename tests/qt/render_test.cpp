// The Qt adapter paints controls where the model puts them, in z-order.
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QImage>

#include "platform/qt/qt_picture.h"
#include "platform/qt/qt_render.h"
#include "ui/window_system.h"

namespace {

ui::PicturePtr solid(int w, int h, QColor c) {
    QImage img(w, h, QImage::Format_ARGB32);
    img.fill(c);
    return platform::makePicture(img, "test");
}

TEST(QtRender, ImagesAndLabelsAppearWhereTheModelPutsThem) {
    ui::WindowSystem ws;
    ui::Form& f = ws.form("MainForm");
    f.width = 400 * 15;
    f.height = 300 * 15;
    f.backColor = 0x000000;
    ui::Control& pic1 = f.add("Pic1", ui::ControlKind::kPictureBox);
    pic1.move(10, 20, 380, 260);
    pic1.backColor = 0x003300;
    ui::Control& red = f.add("red", ui::ControlKind::kImage, -1, &pic1);
    red.setPicture(solid(30, 40, Qt::red));
    red.move(50, 60);
    EXPECT_EQ(red.width, 30);  // an image takes its picture's size
    ui::Control& blue = f.add("blue", ui::ControlKind::kImage, -1, &pic1);
    blue.stretch = true;
    blue.setPicture(solid(2, 2, Qt::blue));
    blue.move(70, 70, 40, 40);  // overlaps red and lies above it
    ui::Control& label = f.add("label", ui::ControlKind::kLabel, -1, &pic1);
    label.move(200, 100, 120, 30);
    label.transparent = false;
    label.backColor = 0xFFFF00;
    label.foreColor = 0x000000;
    label.caption = "头科";
    label.font.size = 14;

    QImage img = platform::renderForm(f);
    auto at = [&](int x, int y) { return QColor(img.pixel(x, y)); };
    EXPECT_EQ(at(10 + 55, 20 + 65), QColor(Qt::red));
    EXPECT_EQ(at(10 + 100, 20 + 100), QColor(Qt::blue));  // stretched, on top
    EXPECT_EQ(at(10 + 75, 20 + 75), QColor(Qt::blue));
    EXPECT_EQ(at(5, 5), QColor(Qt::black));                 // outside Pic1
    EXPECT_EQ(at(10 + 300, 20 + 200), QColor(0, 0x33, 0));  // Pic1's own colour
    // The label's box is yellow with dark glyph pixels inside it.
    EXPECT_EQ(at(10 + 318, 20 + 127), QColor(Qt::yellow));
    int dark = 0;
    for (int y = 20 + 100; y < 20 + 130; ++y)
        for (int x = 10 + 200; x < 10 + 260; ++x)
            if (QColor(img.pixel(x, y)).lightness() < 80) ++dark;
    EXPECT_GT(dark, 30) << "the CJK caption was drawn";

    f.bringToFront(red);
    img = platform::renderForm(f);
    EXPECT_EQ(QColor(img.pixel(10 + 75, 20 + 75)), QColor(Qt::red));
    red.visible = false;
    img = platform::renderForm(f);
    EXPECT_EQ(QColor(img.pixel(10 + 55, 20 + 65)), QColor(0, 0x33, 0));
}

}  // namespace
