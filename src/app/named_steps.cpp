// Steps the start-up, the pump and the countdowns call by name whose full work
// belongs to other subsystems. Each does here what the transport and the start-up
// need of it; the subsystems that own them take them over.
#include "app/client.h"

namespace app {

void Client::startProxy() {}
void Client::proxyBytes(const platform::Bytes&) {}
void Client::showRestoreButtonPicture() {}
void Client::startLocalCapture() {}
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

void Client::registerVideoPeer(int, const std::string&) {}
void Client::showAdvertisement(const std::string&) {}

void Client::bringTableToFront() {
    MainForm.windowState = ui::WindowState::Maximized;
    MainForm.windowState = ui::WindowState::Normal;
}

void Client::setUpPeerVideo() {
    pf.video.setServer(launch.serverHost, 8888);
    pf.video.setPeerCount(5);
    pf.video.login(launch.userName);
}

// From here on the hall's messages reach the table window; the endpoint is named
// by the table window's caption.
void Client::subclassWindow() { pf.hall.open(MainForm.caption); }


void Client::seatRecordReset() {
    for (auto& r : state.PlayerRecord) r.cards.clear();
    send.SendRing.clear();
    // The receive ring keeps the bytes of a packet that has only partly arrived, so
    // that the bytes still to come are cut at the right place: the tail moves to
    // the front and the indices restart there.
    std::size_t tail = ReceiveRing.pending() % wire::kPacketSize;
    net::ByteRing kept;
    for (std::size_t i = 0; i < tail; ++i)
        kept.bytes[i] = ReceiveRing.bytes[(ReceiveRing.write + net::kRingSize - tail + i) %
                                          net::kRingSize];
    ReceiveRing.clear();
    std::copy_n(kept.bytes.begin(), tail, ReceiveRing.bytes.begin());
    ReceiveRing.write = tail;
    state.InGame = false;
}

}  // namespace app
