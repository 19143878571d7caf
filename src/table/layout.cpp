// The table layout: the two steps that create the further items of the table's
// control arrays and put every control of Pic1 at its place for the display scale.
// Coordinates are pixels of Pic1; design numbers are multiplied by the scale unless
// a comment says they are not.
#include <cmath>

#include "app/client.h"

namespace app {

namespace {

using ui::Control;
using ui::ControlKind;

double right(const Control& c) { return c.left + c.width; }
double bottom(const Control& c) { return c.top + c.height; }
// The window system's rounding to a whole number: half to even.
int roundInt(double v) { return static_cast<int>(std::nearbyint(v)); }

}  // namespace

void Client::firstLayout() {
    const double s = state.Scale.x;
    const bool small = s < 1.0;
    auto S = [s](double v) { return v * s; };
    auto add = [this](const char* name, ControlKind kind, int index = -1) -> Control& {
        return MainForm.add(name, kind, index, &Pic1);
    };
    Control& imageML = MainForm.at("ImageML");
    Control& imageMR = MainForm.at("ImageMR");
    Control& dilan = MainForm.at("imgDilan");

    // 1. Avatars.
    Control& tou0 = add("Tou", ControlKind::Image, 0);
    tou0.stretch = true;
    tou0.move(S(10), S(668), S(85), S(90));
    MainForm.bringToFront(tou0);
    for (int i = 1; i <= 5; ++i) {
        Control& t = add("Tou", ControlKind::Image, i);
        t.stretch = true;
        t.visible = true;
        t.width = S(70);
        t.height = S(62);
    }
    MainForm.at("Tou", 2).move(S(7), S(15));
    MainForm.at("Tou", 3).move(S(350), S(15));
    MainForm.at("Tou", 4).move(S(693), S(15));
    MainForm.at("Tou", 1).move(imageML.left + S(8), imageML.top + S(13));
    MainForm.at("Tou", 5).move(imageMR.left + S(8), imageMR.top + S(13));
    if (small) {
        for (int i = 2; i <= 4; ++i) {
            MainForm.at("Tou", i).top = S(16);
            MainForm.at("Tou", i).height = S(66);
        }
        MainForm.at("Tou", 1).top = imageML.top + S(11);
        MainForm.at("Tou", 5).top = imageMR.top + S(11);
        MainForm.at("Tou", 1).height = S(65);
        MainForm.at("Tou", 5).height = S(65);
    }

    // 2. Hall buttons, each with its normal picture.
    for (int i = 0; i <= 8; ++i) {
        Control& b = add("AnNiu", ControlKind::Image, i);
        b.stretch = true;
        b.visible = true;
        b.width = S(i == 0 ? 50 : 60);
        b.height = S(30);
    }
    MainForm.at("AnNiu", 0).move(S(573), S(733));
    MainForm.at("AnNiu", 1).move(S(648), S(702));
    for (int i = 2; i <= 4; ++i)
        MainForm.at("AnNiu", i)
            .move(MainForm.at("AnNiu", i - 1).left + S(70), MainForm.at("AnNiu", 1).top);
    MainForm.at("AnNiu", 5).move(MainForm.at("AnNiu", 1).left, MainForm.at("AnNiu", 1).top + S(32));
    for (int i = 6; i <= 8; ++i)
        MainForm.at("AnNiu", i)
            .move(MainForm.at("AnNiu", i - 1).left + S(70), MainForm.at("AnNiu", 5).top);
    showHallButtonPictures();

    // 3. Player labels; connection.slots 1 and 5 show their names in name1 and name2.
    struct LabelRow {
        int slot;
        double left, nid, cash, cashSmall, level, levelSmall;
    };
    const LabelRow rows[] = {{0, 181, 703, 727, 723, 747, 747},
                             {2, 165, 15, 40, 42, 64, 66},
                             {3, 509, 15, 40, 42, 64, 66},
                             {4, 852, 15, 40, 42, 64, 66}};
    for (const char* name : {"Nid", "Cash", "Level"}) {
        for (int i = 0; i <= 5; ++i) {
            Control& l = add(name, ControlKind::Label, i);
            l.visible = true;
            l.transparent = true;
            // Dark ink on the cream name panels of the decorations.
            const std::string n = name;
            l.foreColor = n == "Nid" ? 0x3C1E08 : n == "Cash" ? 0xA04000 : 0x5C4020;
            l.font.size = small ? 8 : 10;
            l.width = S(150);
            l.height = S(20);
        }
        MainForm.at(name, 1).visible = false;
        MainForm.at(name, 5).visible = false;
    }
    for (const LabelRow& r : rows) {
        MainForm.at("Nid", r.slot).move(S(r.left), S(r.nid));
        MainForm.at("Cash", r.slot).move(S(r.left), S(small ? r.cashSmall : r.cash));
        MainForm.at("Level", r.slot).move(S(r.left), S(small ? r.levelSmall : r.level));
    }

    // 4. Room line and quick-phrase buttons.
    Control& location = MainForm.at("Location");
    location.move(S(760), S(671), S(250), S(20));
    Control& word1 = add("word1", ControlKind::Image);
    Control& word2 = add("word2", ControlKind::Image);
    for (Control* w : {&word1, &word2}) w->stretch = true;
    if (small) {
        word1.move(S(636), S(660), S(57), S(15));
        word2.move(S(636), S(674), S(57), S(15));
    } else {
        word1.move(S(637), S(663), S(57), S(13));
        word2.move(S(637), S(677), S(57), S(13));
    }
    Control& imgLocation = add("imgLocation", ControlKind::Image);
    imgLocation.stretch = true;
    imgLocation.move(S(630), S(small ? 656 : 657), S(394), S(39));
    MainForm.sendToBack(imgLocation);
    MainForm.bringToFront(location);
    MainForm.bringToFront(word1);
    MainForm.bringToFront(word2);
    chat.showPhraseButtons();

    // 5. Ready marks.
    const double okAt[6][2] = {{464, 578}, {125, 320}, {100, 120},
                               {464, 108}, {800, 120}, {830, 320}};
    for (int i = 0; i <= 5; ++i) {
        Control& ok = add("OK", ControlKind::Image, i);
        ok.stretch = true;
        ok.width = S(70);
        ok.height = S(29);
        if (i > 0) ok.visible = false;
        ok.move(S(okAt[i][0]), S(okAt[i][1]));
    }

    // 6. Lamps, declaration labels, finishing places and announcement bubbles;
    // items 1..5 copy item 0's size and stretch.
    struct Indicator {
        const char* name;
        double w, h;
    } indicators[] = {
        {"ImgKaiD", 30, 30}, {"ImgYm", 80, 40}, {"ImgResult", 80, 30}, {"ImgQQ", 131, 102}};
    for (const Indicator& ind : indicators) {
        Control& first = add(ind.name, ControlKind::Image, 0);
        first.stretch = true;
        first.visible = false;
        first.width = S(ind.w);
        first.height = S(ind.h);
        for (int i = 1; i <= 5; ++i) {
            Control& c = add(ind.name, ControlKind::Image, i);
            c.width = first.width;
            c.height = first.height;
            c.stretch = first.stretch;
            c.visible = false;
        }
    }
    auto kai = [this](int i) -> Control& { return MainForm.at("ImgKaiD", i); };
    auto ym = [this](int i) -> Control& { return MainForm.at("ImgYm", i); };
    auto res = [this](int i) -> Control& { return MainForm.at("ImgResult", i); };
    auto ok = [this](int i) -> Control& { return MainForm.at("OK", i); };
    auto tou = [this](int i) -> Control& { return MainForm.at("Tou", i); };
    kai(0).move(S(4), dilan.top - kai(0).height);
    ym(0).move(right(kai(0)), kai(0).top);
    res(0).move(ok(0).left, ok(0).top);
    kai(1).move(S(4), tou(1).top - kai(1).height - S(16));
    ym(1).move(ym(0).left, kai(1).top);
    res(1).move(ok(1).left - S(20), ok(1).top);
    kai(2).move(S(4), S(110));
    kai(3).move(tou(3).left, S(110));
    kai(4).move(tou(4).left, S(110));
    for (int i = 2; i <= 4; ++i) {
        ym(i).move(right(kai(i)), kai(i).top);
        res(i).move(right(ym(i)), ym(i).top);
    }
    kai(5).move(right(imageMR) - kai(5).width, S(small ? 257 : 270));
    ym(5).move(kai(5).left - ym(5).width - S(10), small ? kai(5).top : S(268));
    res(5).move(ok(5).left + S(small ? 10 : 20), ok(5).top);
    auto qq = [this](int i) -> Control& { return MainForm.at("ImgQQ", i); };
    qq(0).move(ok(0).left, ok(0).top);
    if (small) {
        qq(1).move(ok(1).left - S(10), ok(1).top);
        qq(2).move(ok(2).left - S(10), ok(2).top + S(15));
        qq(3).move(ym(3).left - S(12), bottom(kai(3)));
        qq(4).move(ok(4).left + S(20), ok(4).top - S(30));
        qq(5).move(ok(5).left + S(10), ok(5).top - S(25));
    } else {
        qq(1).move(ok(1).left - S(10), ok(1).top - S(5));
        qq(2).move(ok(2).left - S(14), ok(2).top);
        qq(3).move(ym(3).left - S(10), bottom(kai(3)));
        qq(4).move(ok(4).left - S(8), ok(4).top - S(16));
        qq(5).move(ok(5).left + S(5), ok(5).top - S(8));
    }

    // 7. The animated picture: centred under the top of the right decoration. It has
    // the flames' size before anything is loaded, so the fit has room to draw in.
    Control& shao = ShaoPaiPlayer.control();
    ShaoPaiPlayer.resize(S(150), S(150));
    shao.move(roundInt(right(imageMR)) / 2 - roundInt(shao.width) / 2,
              small ? imageMR.top - roundInt(MainForm.at("cardImage0", 0).width) / 2
                    : imageMR.top - S(25));
    ShaoPaiPlayer.setVisible(false);

    // 8. Game counters.
    Control& labJu = add("LabJu", ControlKind::Label);
    Control& labHuiHe = add("LabHuiHe", ControlKind::Label);
    Control& labJS = MainForm.at("LabJS");
    Control& labHS = MainForm.at("LabHS");
    for (Control* l : {&labJu, &labHuiHe, &labJS, &labHS}) {
        l->transparent = true;
        l->foreColor = 0xF2D27A;
        l->font.size = small ? 9 : 11;
        l->width = S(l == &labJu || l == &labHuiHe ? 40 : 30);
        l->height = S(18);
    }
    labJu.caption = "局 数";
    labHuiHe.caption = "回 合";
    labJu.move(dilan.width - S(small ? 84 : 78), dilan.top - labJu.height - S(50));
    labHuiHe.move(labJu.left, labJu.top - labHuiHe.height - S(10));
    labJS.move(right(labJu), labJu.top - S(3));
    labHS.move(right(labHuiHe), labHuiHe.top - S(3));

    // 9. Video areas: frames, strips, displays, show-again buttons, command icons.
    for (int i = 1; i <= 5; ++i) {
        Control& frame = add("ImgKuang", ControlKind::Image, i);
        frame.stretch = true;
        frame.width = S(126);
        frame.height = S(105);
    }
    auto kuang = [this](int i) -> Control& { return MainForm.at("ImgKuang", i); };
    kuang(1).move(imageML.left, imageML.top);
    kuang(2).move(0, 3);                   // unscaled
    kuang(3).move(tou(3).left - S(7), 3);  // top unscaled
    kuang(4).move(tou(4).left - S(7), 3);  // top unscaled
    kuang(5).move(right(imageMR) - kuang(5).width, imageMR.top);
    const double stripWidth[6] = {87, 126, 145, 145, 126, 126};
    for (int i = 0; i <= 5; ++i) {
        Control& strip = add("PicLocal", ControlKind::PictureBox, i);
        strip.width = S(stripWidth[i]);
        strip.height = S(17);
        strip.backColor = 0x1A1208;
    }
    auto strip = [this](int i) -> Control& { return MainForm.at("PicLocal", i); };
    strip(0).move(S(9), S(742));
    strip(1).move(kuang(1).left, bottom(kuang(1)));
    for (int i = 2; i <= 4; ++i) strip(i).move(right(kuang(i)), S(88));
    strip(5).move(right(imageMR) - strip(5).width, bottom(kuang(5)));
    for (int i = 0; i <= 5; ++i) strip(i).visible = false;
    for (int i = 1; i <= 5; ++i) {
        Control& show = add("ImgShow", ControlKind::Image, i);
        show.stretch = true;
        show.width = S(16);
        show.height = S(14);
        show.visible = false;
        kuang(i).visible = false;
        Control& v = add("vshow1", ControlKind::PictureBox, i);
        v.move(kuang(i).left + 5, kuang(i).top + 5, kuang(i).width - 10, kuang(i).height - 10);
        v.visible = false;
        v.backColor = 0x000000;
    }
    auto show = [this](int i) -> Control& { return MainForm.at("ImgShow", i); };
    show(1).move(imageML.left + (imageML.width - show(1).width) / 2,
                 bottom(imageML) - show(1).height);
    show(2).move(S(32), S(80));
    for (int i : {3, 4}) show(i).move(tou(i).left + (tou(i).width - show(i).width) / 2, S(80));
    show(5).move(imageMR.left + (imageMR.width - show(5).width) / 2,
                 bottom(imageMR) - show(5).height);
    // The command icons' design places: four a slot, along the top of the slot's
    // strip as the full-scale layout places it.
    for (int i = 0; i <= 23; ++i) {
        int slot = i / 4;
        const double stripLeft[6] = {9, 0, 126, 469, 812, 897};
        const double stripTop[6] = {742, 405, 88, 88, 88, 405};
        Control& icon = add("ImCmd", ControlKind::Image, i);
        double l = stripLeft[slot] + 4 + 20 * (i % 4), t = stripTop[slot] + 1.5, w = 16, h = 14;
        if (small) {
            icon.stretch = true;
            icon.move(S(l), S(t), S(w), S(h));
        } else {
            icon.move(l, t, w, h);
        }
        icon.visible = false;
    }
    Control& name1 = add("name1", ControlKind::Label);
    Control& name2 = add("name2", ControlKind::Label);
    for (Control* n : {&name1, &name2}) {
        n->transparent = true;
        n->foreColor = 0xFFF4D0;
        n->font.size = small ? 8 : 10;
        n->width = S(126);
        n->height = S(30);
    }
    name1.move(0, bottom(strip(1)) + S(5));
    name2.move(strip(5).left, name1.top);
    wireTableEvents();
    wireRoundFlowEvents();
}

void Client::secondLayout() {
    const double s = state.Scale.x;
    const bool small = s < 1.0;
    auto S = [s](double v) { return v * s; };
    auto add = [this](const char* name, ControlKind kind, int index = -1) -> Control& {
        return MainForm.add(name, kind, index, &Pic1);
    };
    Control& dilan = MainForm.at("imgDilan");

    // 1. Countdown.
    Control& timeImg = MainForm.at("Time_Img");
    timeImg.stretch = true;
    timeImg.move(S(10), S(small ? 570 : 578), S(81), S(38));
    Control& number = MainForm.at("Number");
    number.move(timeImg.left + S(48), timeImg.top + S(5), S(24), S(24));
    number.font.size = small ? 12 : 14;

    // 2. Action buttons.
    Control& op0 = add("Operation", ControlKind::Image, 0);
    op0.stretch = true;
    op0.move(S(400), S(490), S(60), S(40));
    ButtonBaseX = roundInt(400 * s);
    for (int i = 1; i <= 5; ++i) {
        Control& op = add("Operation", ControlKind::Image, i);
        op.stretch = true;
        op.width = op0.width;
        op.height = op0.height;
        op.move(MainForm.at("Operation", i - 1).left + 1.3 * op0.width, op0.top);
    }
    for (int i = 0; i <= 5; ++i) {
        Control& op = MainForm.at("Operation", i);
        op.enabled = false;
        op.visible = false;
    }
    Control& restore = MainForm.at("Operation", 5);
    restore.stretch = false;
    restore.width = S(50);
    restore.height = S(35);
    restore.top = dilan.top - restore.height - S(5);
    restore.left = dilan.width - restore.width - S(small ? 35 : 25);
    showRestoreButtonPicture();

    // 3. Pass bubbles.
    for (int i = 0; i <= 5; ++i) {
        Control& g = add("imgGuo", ControlKind::Image, i);
        g.stretch = true;
        g.width = S(80);
        g.height = S(60);
        g.visible = false;
        g.move(MainForm.at("OK", i).left, MainForm.at("OK", i).top);
    }
    MainForm.at("imgGuo", 3)
        .move(MainForm.at("ImgYm", 3).left - S(10), bottom(MainForm.at("ImgKaiD", 3)));
    MainForm.at("imgGuo", 1).left = S(130);
    MainForm.at("imgGuo", 5).left = S(810);

    // 4. Cards: 56 pictures a slot, hidden until a card is shown.
    for (int slot = 0; slot < 6; ++slot) {
        std::string name = "cardImage" + std::to_string(slot);
        for (int i = 0; i < 56; ++i) {
            Control& card = add(name.c_str(), ControlKind::Image, i);
            card.width = slot == 0 ? 90 : 80;
            card.height = slot == 0 ? 120 : 108;
            card.visible = false;
        }
    }

    // 5. Message lists and the chat line.
    Control& sys0 = MainForm.at("Sysmsg", 0);
    Control& sys1 = MainForm.at("Sysmsg", 1);
    sys0.width = sys1.width = S(281);
    sys0.left = sys1.left = S(312);
    if (small) {
        sys0.top = 696 * s - 2;
    } else {
        sys0.top = S(696);
        sys0.height = S(13);
    }
    sys1.height = sys0.height;
    sys1.top = bottom(sys0);
    sys0.visible = sys1.visible = true;
    Control& lbchat = add("Lbchat", ControlKind::Label);
    lbchat.transparent = true;
    lbchat.move(S(594), S(695));
    lbchat.width = S(25);
    if (!small) lbchat.height = S(33);
    Control& chat = MainForm.at("Chat");
    chat.move(S(312), S(732), S(250), S(33));
    chat.visible = true;
    Control& bird = add("Bird", ControlKind::Image);
    bird.stretch = true;
    bird.move(S(932), S(682), S(82), S(80));

    // 6. Decision buttons.
    for (int i = 0; i <= 1; ++i) {
        Control& d = add("OperationNotP", ControlKind::Image, i);
        d.stretch = true;
        d.width = op0.width;
        d.height = op0.height;
        d.top = op0.top;
        d.visible = false;
    }
    Control& np0 = MainForm.at("OperationNotP", 0);
    np0.left = ButtonBaseX + 0.3 * np0.width;
    MainForm.at("OperationNotP", 1).left = np0.left + 2 * np0.width;

    // 7. The local capture covers the own avatar.
    Control& tou0 = MainForm.at("Tou", 0);
    Control& vcap = add("vcap1", ControlKind::PictureBox);
    vcap.move(tou0.left, tou0.top, tou0.width, tou0.height - 7);
    vcap.visible = false;
    // The seats' card anchors and the hand's resting line are known from here on,
    // before the first game's reset.
    displayReset();
    startLocalCapture();
}

}  // namespace app
