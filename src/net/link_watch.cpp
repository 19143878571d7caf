// Keep-alive and lost links. Once logged in the client tells the server every 5 s
// that it is alive. Two watches notice a dead link: the silence watch (no inbound
// packet for about 500 s of a game) and the link watch (the socket no longer
// connected). A link lost during a game whose login was accepted is recovered by
// the reconnect controller; otherwise the table is given up and the hall returns.
#include "app/client.h"
#include "protocol/outbound.h"

namespace app {

namespace {

// More receive-slot runs than this without an inbound packet during a game (about
// 100 ms each) mean the link is dead.
constexpr int kSilenceLimit = 4999;
// The login carries the token one byte later than every other packet (260..261):
// the server looks for it at 261..262.
constexpr std::size_t kLoginTokenByte = 261;

void setOnlyLine(ui::Control& list, const std::string& line) { list.items.assign(1, line); }

}  // namespace

void Client::startKeepAlive() { TimerKeepAlive.setEnabled(true); }
void Client::stopKeepAlive() { TimerKeepAlive.setEnabled(false); }

// While the link is down the send drain discards these packets.
void Client::keepAliveTick() {
    wire::GamePacket p =
        protocol::outboundPacket(protocol::Outbound::KeepAlive, state.PlayerRecord[0].seatBit);
    QueuePacket(p);
}

// The table is torn down as by leaving it, without a leave packet: the link is gone.
void Client::returnToHallAfterLostLink() {
    returnToHall();  // ends the process without a hall window
    state.GameResetDone = false;
    disconnectReset();
    state::handReset(state);
    displayReset();
}

void Client::silenceWatch() {
    if (++state.SilenceTicks <= kSilenceLimit) return;
    state.SilenceTicks = 0;
    if (!hall.find()) pf.shell.end(0);
    returnToHallAfterLostLink();
    // After the return: the disconnect reset empties the message lists, and the
    // player is to find the reason when the table window comes back.
    setOnlyLine(MainForm.at("Sysmsg", 0), "已经与服务器断开连接，请重新入座！");
}

void Client::linkWatch() {
    net::TickSlot& watch = slots[net::SlotLinkWatch];
    if (!watch.flag || watch.counter < 2) return;
    if (!connected()) {
        if (!hall.find()) pf.shell.end(0);
        if (!state.InGame) {
            returnToHallAfterLostLink();
        } else if (state.LoginAccepted) {
            // The next login's answer accepts it again; until then a further loss
            // is the controller's to handle.
            state.LoginAccepted = false;
            watch.flag = false;
            watch.counter = 0;
            startKeepAlive();
            reconnect.start();
        }
        // In a game whose login was not yet answered: look again two ticks later.
    }
    watch.counter = 0;
}

void Client::reconnectAttempt() {
    MainForm.at("Sysmsg", 1).items.clear();
    setOnlyLine(MainForm.at("Sysmsg", 0), "正在重新连接服务器...");
    // The server finds the interrupted table by the mark and the last token; every
    // later login of the process carries them.
    const protocol::OutboundCommand& mark =
        protocol::outboundCommand(protocol::Outbound::LoginAfterReconnect);
    LoginPacket[static_cast<std::size_t>(mark.subByte)] = mark.subValue;
    LoginPacket[kLoginTokenByte] = send.token.b0;
    LoginPacket[kLoginTokenByte + 1] = send.token.b1;
    ProxyPhase = false;
    pf.socket.close();
    if (launch.connectionMode == 0) {
        connectDirect();  // slot 2 sends the login once the socket connects
    } else if (launch.connectionMode == 5) {
        slots[net::SlotConnect].flag = false;
        startProxy();  // the handshake sends the login once the tunnel is open
    }
}

void Client::reconnectFailed() {
    pf.shell.messageBox("重连失败，请检查您的网络！", "", platform::MB_OK);
    hall.restore();
    pf.shell.end(0);
}

}  // namespace app
