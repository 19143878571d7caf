// Steps the start-up, the pump and the countdowns call by name whose full work
// belongs to other subsystems. Each does here what the transport and the start-up
// need of it; the subsystems that own them take them over.
#include "app/client.h"

namespace app {

void Client::startSound() {}
void Client::loadPictures() {}
void Client::startProxy() {}
void Client::proxyBytes(const platform::Bytes&) {}
void Client::showRestoreButtonPicture() {}
void Client::startLocalCapture() {}
void Client::stopKeepAlive() {}
void Client::PlaySoundEffect(const std::string&) {}
void Client::showActionPicture(ui::Control& target, int entry) { showResourcePicture(target, 601 + entry); }
void Client::showIndicatorPicture(ui::Control& target, int entry) { showResourcePicture(target, 631 + entry); }
void Client::ValidateAndPlay() {
    if (onPlayRequested) onPlayRequested();
}
void Client::clickOperation(int) {}

void Client::ShowCardPicture(int slot, int item, int pictureIndex) {
    int rank = pictureIndex % 16, suit = pictureIndex / 16;
    bool rejected = (rank < 3 && (suit == 0 || suit == 2 || suit == 3 || suit == 4 || suit == 6 ||
                                  suit == 7)) ||
                    pictureIndex > 127 || pictureIndex < 0;
    if (rejected) {
        MainForm.windowState = ui::WindowState::Minimized;
        hall.restore();
        for (const char* name : {"Talk", "Score", "Hero"})
            if (ui::Form* f = pf.windows.find(name)) f->hide();
        return;
    }
    if (slot < 0 || slot > 5) return;
    showResourcePicture(cardImage(slot, item), pictureIndex);
}
// Until the picture set is embedded the id is kept in the control's tag, which
// tests read.
void Client::showResourcePicture(ui::Control& target, int id) { target.tag = std::to_string(id); }
void Client::linkWatch() {}
void Client::stopOthersCountdown() {}
// The sound settings place nothing yet: the window is shown where the settings
// button put it.
void Client::showSettings() { pf.windows.form("VosSet").show(); }
void Client::silenceWatch() {}
void Client::turnCountdowns() {}
void Client::independentCountdown() {}

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
    std::size_t tail = ReceiveRing.pending() % net::kPacketSize;
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
