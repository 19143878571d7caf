// The departure notice frmOtherExit: tells the player that the table is over
// (another player left, players ran out of gold, the server closed the table).
// OK takes the player back to the hall; cancel keeps the broken table on screen,
// where the continue button later leads to the hall.
#include "app/client.h"

namespace app {

namespace {

// The window design: 300 x 150 pixels with its caption painted in the band at the top.
constexpr int kNoticeWidth = 300, kNoticeHeight = 150;  // pixels
// DialogButtonPictureIds entries 0 (OK) and 2 (cancel).
constexpr int kOkPicture = 170, kCancelPicture = 172;

}  // namespace

void Client::createDepartureNotice() {
    ui::Form& f = pf.windows.form("frmOtherExit");
    if (f.find("Label1")) return;
    f.caption = "退出";
    f.width = kNoticeWidth * ui::kTwipsPerPixel;
    f.height = kNoticeHeight * ui::kTwipsPerPixel;
    f.backColor = 0xFFC080;
    f.picture = pictures.design("frmOtherExit");
    ui::Control& text = f.add("Label1", ui::ControlKind::Label);
    text.transparent = true;
    text.font.size = 11;
    text.font.bold = true;
    text.move(20, 40, 260, 56);
    ui::Control& ok = f.add("imgOK", ui::ControlKind::Image);
    ok.stretch = true;
    ok.move(55, 106, 70, 30);
    pictures.showResourcePicture(ok, kOkPicture);
    ui::Control& cancel = f.add("imgCancel", ui::ControlKind::Image);
    cancel.stretch = true;
    cancel.move(175, 106, 70, 30);
    pictures.showResourcePicture(cancel, kCancelPicture);
    f.on("imgOK", ui::EventKind::Click, [this](ui::Control*, ui::Event&) { departureNoticeOk(); });
    f.on("imgCancel", ui::EventKind::Click,
         [this](ui::Control*, ui::Event&) { departureNoticeCancel(); });
}

void Client::showDepartureNotice(const std::string& text) {
    createDepartureNotice();
    ui::Form& f = pf.windows.form("frmOtherExit");
    f.at("Label1").caption = text;
    f.topmost = true;
    centreOnTable(f);
    f.show();
}

// No packet goes out: the server has ended the table already, and the disconnect
// reset closes the socket.
void Client::departureNoticeOk() {
    state.GameResetDone = false;
    disconnectReset();
    state.TableBroken = true;
    state::handReset(state);
    displayReset();
    if (ui::Form* talk = pf.windows.find("Talk")) talk->hide();
    pf.windows.form("frmOtherExit").unload();
    returnToHall();  // ends the process without a hall window
    state.ExitConfirmed = true;
    if (ui::Control* ok = MainForm.find("OK", 0)) ok->picture = nullptr;
}

void Client::departureNoticeCancel() {
    state.TableBroken = true;
    pf.windows.form("frmOtherExit").unload();
}

}  // namespace app
