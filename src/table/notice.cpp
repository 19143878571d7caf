#include "table/notice.h"

namespace table {

namespace {

constexpr int kShownMs = 4000;
constexpr int kWidth = 300, kHeight = 100;

struct LineRule {
    int left, top, width, height;
};
constexpr LineRule kLines[2] = {{8, 32, 285, 49}, {8, 80, 285, 17}};

}  // namespace

Notice::Notice(ui::WindowSystem& windows, ui::Form& tableWindow, platform::EventLoop& loop,
               pictures::Pictures& pictures)
    : windows_(windows), table_(tableWindow), pictures_(pictures), Timer1(loop, kShownMs) {
    Timer1.onTick = [this] { timerTick(); };
}

ui::Form& Notice::window() {
    if (tishi_) return *tishi_;
    ui::Form& tishi = windows_.form("frmTishi");
    tishi_ = &tishi;
    tishi.caption = "提示";
    tishi.width = kWidth * ui::kTwipsPerPixel;
    tishi.height = kHeight * ui::kTwipsPerPixel;
    for (int i = 0; i < 2; ++i) {
        ui::Control& line = tishi.add("LbTishi", ui::ControlKind::kLabel, i);
        const LineRule& r = kLines[i];
        line.move(r.left, r.top, r.width, r.height);
        line.font = {"宋体", 10.5, true};
        line.transparent = true;
    }
    tishi.onForm(ui::EventKind::kLoad, [this](ui::Control*, ui::Event&) { load(*tishi_); });
    tishi.onForm(ui::EventKind::kClick, [this](ui::Control*, ui::Event&) { clickedAway(); });
    tishi.on("LbTishi", ui::EventKind::kClick, [this](ui::Control*, ui::Event&) { clickedAway(); });
    return tishi;
}

// Each load places the window again: centred over the table, a third of the way down.
void Notice::load(ui::Form& tishi) {
    if (!tishi.picture) tishi.picture = pictures_.design("frmTishi");
    tishi.visible = true;
    tishi.topmost = true;
    tishi.left = table_.left + (table_.width - tishi.width) / 2;
    tishi.top = table_.top + table_.height / 3;
}

void Notice::ShowNotice(const std::string& text) {
    if (table_.windowState == ui::WindowState::kMinimized) return;
    ui::Form& tishi = window();
    tishi.at("LbTishi", 0).caption = text;
    tishi.at("LbTishi", 1).caption.clear();
    tishi.show();
    tishi.topmost = true;  // in front of the others
    // Every notice stays its four seconds, also one that replaces another.
    Timer1.setEnabled(false);
    Timer1.setEnabled(true);
}

void Notice::timerTick() {
    if (tishi_) {
        tishi_->hide();
        tishi_->topmost = false;  // behind the other windows
    }
    Timer1.setEnabled(false);
}

void Notice::clickedAway() {
    for (int i = 0; i < 2; ++i) tishi_->at("LbTishi", i).caption.clear();
    tishi_->unload();
    Timer1.setEnabled(false);
}

void Notice::hide() {
    if (ui::Form* tishi = windows_.find("frmTishi"); tishi && tishi->visible) {
        tishi->hide();
        tishi->topmost = false;
    }
}

}  // namespace table
