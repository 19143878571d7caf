// The departure notice frmOtherExit: tells the player that the table is over
// (another player left, players ran out of gold, the server closed the table).
// OK takes the player back to the hall; cancel keeps the broken table on screen,
// where the continue button later leads to the hall_.
#include "app/shell.h"

namespace app {

namespace {

// The window design: 300 x 150 pixels with its caption painted in the band at the top.
constexpr int kNoticeWidth = 300, kNoticeHeight = 150;  // pixels
// DialogButtonPictureIds entries 0 (OK) and 2 (cancel).
constexpr int kOkPicture = 170, kCancelPicture = 172;

}  // namespace

void Shell::createDepartureNotice() {
    ui::Form& f = pf_.windows.form("frmOtherExit");
    if (f.find("Label1")) return;
    f.caption = "退出";
    f.width = kNoticeWidth * ui::kTwipsPerPixel;
    f.height = kNoticeHeight * ui::kTwipsPerPixel;
    f.backColor = 0xFFC080;
    f.picture = pictures_.design("frmOtherExit");
    ui::Control& text = f.add("Label1", ui::ControlKind::kLabel);
    text.transparent = true;
    text.font.size = 11;
    text.font.bold = true;
    text.move(20, 40, 260, 56);
    ui::Control& ok = f.add("imgOK", ui::ControlKind::kImage);
    ok.stretch = true;
    ok.move(55, 106, 70, 30);
    pictures_.showResourcePicture(ok, kOkPicture);
    ui::Control& cancel = f.add("imgCancel", ui::ControlKind::kImage);
    cancel.stretch = true;
    cancel.move(175, 106, 70, 30);
    pictures_.showResourcePicture(cancel, kCancelPicture);
    f.on("imgOK", ui::EventKind::kClick, [this](ui::Control*, ui::Event&) { departureNoticeOk(); });
    f.on("imgCancel", ui::EventKind::kClick,
         [this](ui::Control*, ui::Event&) { departureNoticeCancel(); });
}

void Shell::showDepartureNotice(const std::string& text) {
    createDepartureNotice();
    ui::Form& f = pf_.windows.form("frmOtherExit");
    f.at("Label1").caption = text;
    f.topmost = true;
    parts_.scores.centreOnTable(f);
    f.show();
}

// No packet goes out: the server has ended the table already, and the disconnect
// reset closes the socket.
void Shell::departureNoticeOk() {
    state_.GameResetDone = false;
    disconnectReset();
    state_.TableBroken = true;
    state::handReset(state_);
    parts_.reset.displayReset();
    if (ui::Form* talk = pf_.windows.find("Talk")) talk->hide();
    pf_.windows.form("frmOtherExit").unload();
    returnToHall();  // ends the process without a hall window
    state_.ExitConfirmed = true;
    if (ui::Control* ok = table_.find("OK", 0)) ok->picture = nullptr;
}

void Shell::departureNoticeCancel() {
    state_.TableBroken = true;
    pf_.windows.form("frmOtherExit").unload();
}

}  // namespace app
