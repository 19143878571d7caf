// Steps the start-up, the pump and the countdowns call by name whose full work
// belongs to other subsystems. Each does here what the transport and the start-up
// need of it; the subsystems that own them take them over.
#include "app/client.h"

namespace app {

void Client::showRestoreButtonPicture() {}
// The second layout step and the own seat packet; capture starts at most once.
void Client::startLocalCapture() {
    if (!video.captureRunning()) video.startLocalCapture();
}
// The notice window frmTishi: the text in its first line until the window itself is
// built. A minimised table shows no notices.
void Client::ShowNotice(const std::string& text) {
    if (MainForm.windowState == ui::WindowState::Minimized) return;
    ui::Form& tishi = pf.windows.form("frmTishi");
    tishi.caption = "提示";
    ui::Control& line = tishi.add("LbTishi", ui::ControlKind::Label, 0);
    line.caption = text;
    tishi.add("LbTishi", ui::ControlKind::Label, 1).caption.clear();
    tishi.show();
}

void Client::registerVideoPeer(int slot, const std::string& account) {
    video.registerVideoPeer(slot, account);
}
void Client::showAdvertisement(const std::string&) {}

void Client::bringTableToFront() {
    MainForm.windowState = ui::WindowState::Maximized;
    MainForm.windowState = ui::WindowState::Normal;
}

void Client::setUpPeerVideo() { video.setUpPeerVideo(launch.serverHost, launch.userName); }

// From here on the hall's messages reach the table window; the endpoint is named
// by the table window's caption.
void Client::subclassWindow() { pf.hall.open(MainForm.caption); }

void Client::seatRecordReset() {
    for (auto& r : state.PlayerRecord) r.cards.clear();
    connection.keepPartialPacket();
    state.InGame = false;
}

}  // namespace app
