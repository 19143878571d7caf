// The pump timer TimerBong and the inbound side of the connection: data arrival
// appends to the ReceiveRing; every 50 ms tick sends at most one packet, dispatches
// at most one packet, watches the connection attempt and runs the countdowns.
#include "app/client.h"

namespace app {

using wire::kPacketSize;
using net::kRingSize;

void Client::connectDirect() {
    pf.socket.setRemote(launch.serverHost, launch.serverPort);
    pf.socket.connect();
    ProxyPhase = false;
    TimerBong.setEnabled(true);
    slots[net::SlotConnect].flag = true;
    slots[net::SlotConnect].counter = 0;
}

void Client::onDataArrival(const platform::Bytes& bytes) {
    if (ProxyPhase) {
        proxyBytes(bytes);
        return;
    }
    for (std::uint8_t b : bytes) {
        ReceiveRing.bytes[ReceiveRing.write] = b;
        ReceiveRing.write = (ReceiveRing.write + 1) % kRingSize;
        if (ReceiveRing.write == ReceiveRing.read) {
            // The server is 128 packets ahead of the client: give up the table.
            hall.restore();
            pf.shell.end(0);
        }
    }
    slots[net::SlotReceive].flag = true;
    slots[net::SlotReceive].counter = 0;
}

void Client::onPeerClosed() { pf.socket.close(); }

void Client::pumpTick() {
    TimerBong.setEnabled(false);
    for (int i : {0, 1, 2, 3, 4, 5, 6, 7, 9}) ++slots[static_cast<std::size_t>(i)].counter;

    // Slot 0: send drain.
    wire::GamePacket written;
    if (send.drain(written) && written[wire::kCommandByte] == 16 && written[15] == 0)
        returnToHall();

    // Slot 1: receive.
    net::TickSlot& rx = slots[net::SlotReceive];
    if (rx.flag && rx.counter >= 2) {
        if (state.InGame) silenceWatch();
        if (ReceiveRing.pending() >= kPacketSize) {
            wire::GamePacket packet;
            std::copy_n(ReceiveRing.bytes.begin() + static_cast<long>(ReceiveRing.read),
                        kPacketSize, packet.begin());
            ReceiveRing.read = (ReceiveRing.read + kPacketSize) % kRingSize;
            DispatchPacket(packet);
            if (state.InGame) state.SilenceTicks = 0;
        }
        rx.counter = ReceiveRing.pending() >= kPacketSize ? 1 : 0;
    }
    if (rx.counter >= 2) rx.counter = 0;

    // Slot 2: connect watch.
    net::TickSlot& connect = slots[net::SlotConnect];
    if (connect.flag && connect.counter >= 4) {
        hall.post(platform::HallConnecting);
        if (pf.socket.state() == platform::SockConnected) {
            state.LoginSent = true;
            hall.post(platform::HallLoggedIn);
            send.directWrite(LoginPacket);
            slots[net::SlotLinkWatch].flag = true;
            slots[net::SlotLinkWatch].counter = 0;
            connect.flag = false;
        }
        connect.counter = 0;
    }
    if (connect.counter >= 4) connect.counter = 0;

    // Slot 3: the chat button's blink.
    blinkStep();
    if (slots[net::SlotBlink].counter >= 8) slots[net::SlotBlink].counter = 0;

    // Slots 6 and 7: countdowns.
    if (pf.socket.state() == platform::SockConnected) turnCountdowns();
    independentCountdown();
    continueCountdownStep();
    if (slots[net::SlotContinue].counter >= 20) slots[net::SlotContinue].counter = 0;

    // Slot 5: link watch.
    linkWatch();
    if (slots[net::SlotLinkWatch].counter >= 2) slots[net::SlotLinkWatch].counter = 0;

    if (slots[9].counter >= 20) slots[9].counter = 0;
    TimerBong.setEnabled(true);
}

void Client::startContinueCountdown() {
    slots[net::SlotContinue].flag = true;
    state.CountdownSeconds = 15;
    ui::Control& number = MainForm.at("Number");
    number.caption = "15";
    number.foreColor = 0x00C000;
    number.visible = true;
}

void Client::continueCountdownStep() {
    if (!slots[net::SlotContinue].flag || !state.LoginAccepted) return;
    // One step a second on the monotonic clock, so nothing stalls at midnight.
    std::int64_t now = pf.loop.nowMs();
    if (now - lastContinueStepMs < 1000) return;
    lastContinueStepMs = now;
    ui::Control& number = MainForm.at("Number");
    if (state.CountdownSeconds > 0) {
        --state.CountdownSeconds;
        number.caption = std::to_string(state.CountdownSeconds);
        number.foreColor = state.CountdownSeconds > 5 ? 0x00C000 : 0xE00000;
        return;
    }
    number.visible = false;
    MainForm.at("Time_Img").visible = false;
    if (!state.GameResetDone) {
        showContinuePressed();
        displayReset();
        seatRecordReset();
        state.GameResetDone = true;
    }
    wire::GamePacket cont = wire::makePacket(16, state.PlayerRecord[0].seatBit);
    cont[15] = 1;
    QueuePacket(cont);
    if (ui::Form* exitDialog = pf.windows.find("frmExit")) exitDialog->hide();
    slots[net::SlotContinue].flag = false;
}

}  // namespace app
