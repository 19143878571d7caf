// The pump timer TimerBong and the inbound side of the connection: data arrival
// appends to the ReceiveRing; every 50 ms tick sends at most one packet, dispatches
// at most one packet, watches the connection attempt and runs the countdowns.
#include "net/connection.h"

#include "wire/keep_alive.h"
#include "wire/seating.h"

namespace net {

namespace {

// More receive-slot runs than this without an inbound packet during a game (about
// 100 ms each) mean the link is dead.
constexpr int kSilenceLimit = 4999;
// How long the disconnect waits for the socket to report it is no longer connected.
constexpr int kCloseWaitMs = 2000, kCloseStepMs = 10;

void setOnlyLine(ui::Control& list, const std::string& line) { list.items.assign(1, line); }

}  // namespace

Connection::Connection(platform::Platform& pf, state::TableState& state, ui::Form& tableWindow,
                       platform::HallWindow& hall)
    : send(slots, pf.socket),
      TimerBong(pf.loop, 50),
      TimerKeepAlive(pf.loop, 5000),
      reconnect(pf.windows, pf.loop,
                {[this] { return gameLinkUp(); }, [this] { return this->state.InGame; },
                 [this] { reconnectAttempt(); }, [this] { reconnectFailed(); }}),
      pf_(pf),
      state(state),
      MainForm(tableWindow),
      hall(hall),
      proxy_(pf.socket, pf.shell, pf.loop,
             {[this] {
                  this->state.LoginSent = true;
                  slots[kSlotLinkWatch].flag = true;
                  slots[kSlotLinkWatch].counter = 0;
              },
              [this](const platform::Bytes& following) { tunnelOpened(following); },
              [this] { this->hall.restore(); }}) {
    TimerBong.onTick = [this] { pumpTick(); };
    TimerKeepAlive.onTick = [this] { keepAliveTick(); };
    pf.socket.onData = [this](const platform::Bytes& b) { onDataArrival(b); };
    pf.socket.onClosed = [this] { onPeerClosed(); };
}

void Connection::connect() {
    if (target_.mode == 0) {
        connectDirect();
    } else if (target_.mode == 5) {
        connectThroughProxy();
    }
}

void Connection::connectAgain() {
    proxy_.leave();
    if (target_.mode == 0 && pf_.socket.state() != platform::kSockClosed) pf_.socket.close();
    connect();
}

void Connection::connectDirect() {
    pf_.socket.setRemote(target_.host, target_.port);
    pf_.socket.connect();
    proxy_.leave();
    TimerBong.setEnabled(true);
    slots[kSlotConnect].flag = true;
    slots[kSlotConnect].counter = 0;
}

void Connection::connectThroughProxy() {
    slots[kSlotConnect].flag = false;
    proxy_.start(target_.proxy);
}

void Connection::tunnelOpened(const platform::Bytes& following) {
    hall.post(platform::kHallLoggedIn);
    setOnlyLine(MainForm.at("Sysmsg", 0), "连接代理服务器成功！");
    send.directWrite(LoginPacket);
    TimerBong.setEnabled(true);
    if (!following.empty()) onDataArrival(following);
}

void Connection::onDataArrival(const platform::Bytes& bytes) {
    if (proxy_.ProxyPhase()) {
        proxy_.onBytes(bytes);
        return;
    }
    for (std::uint8_t b : bytes) {
        ReceiveRing.bytes[ReceiveRing.write] = b;
        ReceiveRing.write = (ReceiveRing.write + 1) % kRingSize;
        if (ReceiveRing.write == ReceiveRing.read) {
            // The server is 128 packets ahead of the client: give up the table.
            hall.restore();
            pf_.shell.end(0);
        }
    }
    slots[kSlotReceive].flag = true;
    slots[kSlotReceive].counter = 0;
}

void Connection::onPeerClosed() {
    if (proxy_.ProxyPhase()) proxy_.onPeerClosed();
    pf_.socket.close();
}

void Connection::pumpTick() {
    TimerBong.setEnabled(false);
    for (int i : {0, 1, 2, 3, 4, 5, 6, 7, 9}) ++slots[static_cast<std::size_t>(i)].counter;

    // Slot 0: send drain. Nothing queued goes into a proxy handshake: what the
    // drain takes meanwhile is discarded as while the link is down.
    wire::GamePacket written;
    if (send.drain(written, gameLinkUp()) && written[wire::kCommandByte] == 16 &&
        written[15] == 0 && hooks_.leaveSent)
        hooks_.leaveSent();

    // Slot 1: receive.
    TickSlot& rx = slots[kSlotReceive];
    if (rx.flag && rx.counter >= 2) {
        if (state.InGame) silenceWatch();
        if (ReceiveRing.pending() >= kPacketSize) {
            wire::GamePacket packet;
            std::copy_n(ReceiveRing.bytes.begin() + static_cast<long>(ReceiveRing.read),
                        kPacketSize, packet.begin());
            ReceiveRing.read = (ReceiveRing.read + kPacketSize) % kRingSize;
            if (hooks_.packet) hooks_.packet(packet);
            if (state.InGame) state.SilenceTicks = 0;
        }
        rx.counter = ReceiveRing.pending() >= kPacketSize ? 1 : 0;
    }
    if (rx.counter >= 2) rx.counter = 0;

    // Slot 2: connect watch.
    TickSlot& connectWatch = slots[kSlotConnect];
    if (connectWatch.flag && connectWatch.counter >= 4) {
        hall.post(platform::kHallConnecting);
        if (connected()) {
            state.LoginSent = true;
            hall.post(platform::kHallLoggedIn);
            send.directWrite(LoginPacket);
            slots[kSlotLinkWatch].flag = true;
            slots[kSlotLinkWatch].counter = 0;
            connectWatch.flag = false;
        }
        connectWatch.counter = 0;
    }
    if (connectWatch.counter >= 4) connectWatch.counter = 0;

    // Slot 3: the chat button's blink.
    if (hooks_.blinkStep) hooks_.blinkStep();
    if (slots[kSlotBlink].counter >= 8) slots[kSlotBlink].counter = 0;

    // Slots 6 and 7: countdowns.
    if (hooks_.countdowns) hooks_.countdowns(gameLinkUp());
    if (slots[kSlotContinue].counter >= 20) slots[kSlotContinue].counter = 0;

    // Slot 5: link watch.
    linkWatch();
    if (slots[kSlotLinkWatch].counter >= 2) slots[kSlotLinkWatch].counter = 0;

    if (slots[9].counter >= 20) slots[9].counter = 0;
    TimerBong.setEnabled(true);
}

// Keep-alive and lost links. Once logged in the client tells the server every 5 s
// that it is alive. Two watches notice a dead link: the silence watch (no inbound
// packet for about 500 s of a game) and the link watch (the socket no longer
// connected). A link lost during a game whose login was accepted is recovered by
// the reconnect controller; otherwise the table is given up and the hall returns.

// While the link is down the send drain discards these packets.
void Connection::keepAliveTick() {
    wire::GamePacket p = wire::KeepAlive{state.PlayerRecord[0].seatBit}.encode();
    QueuePacket(p);
}

void Connection::silenceWatch() {
    if (++state.SilenceTicks <= kSilenceLimit) return;
    state.SilenceTicks = 0;
    if (!hall.find()) pf_.shell.end(0);
    if (hooks_.linkLost) hooks_.linkLost();
    // After the return: the disconnect reset empties the message lists, and the
    // player is to find the reason when the table window comes back.
    setOnlyLine(MainForm.at("Sysmsg", 0), "已经与服务器断开连接，请重新入座！");
}

void Connection::linkWatch() {
    TickSlot& watch = slots[kSlotLinkWatch];
    if (!watch.flag || watch.counter < 2) return;
    if (!connected()) {
        if (!hall.find()) pf_.shell.end(0);
        if (!state.InGame) {
            if (hooks_.linkLost) hooks_.linkLost();
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

void Connection::reconnectAttempt() {
    MainForm.at("Sysmsg", 1).items.clear();
    setOnlyLine(MainForm.at("Sysmsg", 0), "正在重新连接服务器...");
    // The server finds the interrupted table by the mark and the last token; every
    // later login of the process carries them.
    // The login carries the token one byte later than every other packet.
    LoginPacket[wire::Login::kMarkByte] = wire::kReconnectMark;
    LoginPacket[wire::Login::kTokenByte] = send.token.b0;
    LoginPacket[wire::Login::kTokenByte + 1] = send.token.b1;
    proxy_.leave();
    pf_.socket.close();
    // Slot 2 sends the login once the socket connects; through the proxy the
    // handshake sends it once the tunnel is open.
    connect();
}

void Connection::reconnectFailed() {
    pf_.shell.messageBox("重连失败，请检查您的网络！", "", platform::MB_OK);
    hall.restore();
    pf_.shell.end(0);
}

void Connection::disconnect() {
    proxy_.leave();
    for (int i : {0, 1, 2, 3, 5, 6, 7}) slots[static_cast<std::size_t>(i)].flag = false;
    slots[kSlotLinkWatch].counter = 0;
    TimerBong.setEnabled(false);
    stopKeepAlive();
    pf_.socket.close();
    state.LoginSent = false;
    for (int waited = 0; connected() && waited < kCloseWaitMs; waited += kCloseStepMs)
        pf_.loop.wait(kCloseStepMs);
    ReceiveRing.clear();
    send.SendRing.clear();
}

void Connection::keepPartialPacket() {
    send.SendRing.clear();
    // The receive ring keeps the bytes of a packet that has only partly arrived, so
    // that the bytes still to come are cut at the right place: the tail moves to
    // the front and the indices restart there.
    std::size_t tail = ReceiveRing.pending() % kPacketSize;
    ByteRing kept;
    for (std::size_t i = 0; i < tail; ++i)
        kept.bytes[i] = ReceiveRing.bytes[(ReceiveRing.write + kRingSize - tail + i) % kRingSize];
    ReceiveRing.clear();
    std::copy_n(kept.bytes.begin(), tail, ReceiveRing.bytes.begin());
    ReceiveRing.write = tail;
}

}  // namespace net
