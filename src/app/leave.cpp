// The leave routine: tells the server that the player leaves the table, drops the
// video links of the other seats and stops the pump and the keep-alive. The
// callers tear the rest of the table down and bring the hall back.
#include <string>

#include "app/shell.h"
#include "wire/departure.h"

namespace app {

namespace {

// Long enough for the leave packet to leave the socket before the caller closes
// it; a resumed game's server needs the longer wait.
constexpr int kLeaveWaitMs = 400, kLeaveWaitResumedMs = 800;

}  // namespace

void Shell::leaveTable() {
    wire::GamePacket leave =
        wire::LeaveOrContinue{state_.PlayerRecord[0].seatBit, wire::GameOverCase::kLeave}.encode();
    parts_.video.leave();
    for (int slot = 1; slot <= 5; ++slot)
        state_.PlayerRecord[static_cast<std::size_t>(slot)].seatId.clear();
    state_.TableBroken = true;
    for (int i : {net::kSlotReceive, net::kSlotConnect, net::kSlotBlink, net::kSlotLinkWatch,
                  net::kSlotTurnCountdown, net::kSlotContinue})
        connection_.slots[static_cast<std::size_t>(i)].flag = false;
    connection_.slots[net::kSlotLinkWatch].counter = 0;
    connection_.TimerBong.setEnabled(false);
    connection_.stopKeepAlive();
    // Straight to the socket (when it is up): the send queue has stopped with the pump.
    connection_.send.directWrite(leave);
    pf_.loop.wait(state_.ResumedGame ? kLeaveWaitResumedMs : kLeaveWaitMs);
}

}  // namespace app
