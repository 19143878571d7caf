// The leave routine: tells the server that the player leaves the table, drops the
// video links of the other seats and stops the pump and the keep-alive. The
// callers tear the rest of the table down and bring the hall back.
#include <string>

#include "app/client.h"
#include "wire/departure.h"

namespace app {

namespace {

// Long enough for the leave packet to leave the socket before the caller closes
// it; a resumed game's server needs the longer wait.
constexpr int kLeaveWaitMs = 400, kLeaveWaitResumedMs = 800;

}  // namespace

void Client::leaveTable() {
    wire::GamePacket leave =
        wire::LeaveOrContinue{state.PlayerRecord[0].seatBit, wire::GameOverCase::kLeave}.encode();
    video.leave();
    for (int slot = 1; slot <= 5; ++slot)
        state.PlayerRecord[static_cast<std::size_t>(slot)].seatId.clear();
    state.TableBroken = true;
    for (int i : {net::SlotReceive, net::SlotConnect, net::SlotBlink, net::SlotLinkWatch,
                  net::SlotTurnCountdown, net::SlotContinue})
        connection.slots[static_cast<std::size_t>(i)].flag = false;
    connection.slots[net::SlotLinkWatch].counter = 0;
    connection.TimerBong.setEnabled(false);
    connection.stopKeepAlive();
    // Straight to the socket (when it is up): the send queue has stopped with the pump.
    connection.send.directWrite(leave);
    pf.loop.wait(state.ResumedGame ? kLeaveWaitResumedMs : kLeaveWaitMs);
}

}  // namespace app
