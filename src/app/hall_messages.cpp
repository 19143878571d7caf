// The table window's share of the hall link: the messages the hall posts to it (its
// query, its logged-in notice, its leave and its connect-again), everything else
// handled as the window system would, and the table window being minimised and
// restored.
#include "app/shell.h"

namespace app {

using platform::kHallConnecting;
using platform::kHallLoggedIn;
using platform::kHallMsg1024;
using platform::kHallMsg1125;
using platform::kHallMsg1126;

void Shell::onHallMessage(std::uint32_t msg, std::uint32_t wParam, std::uint32_t lParam) {
    switch (msg) {
        case kHallMsg1125:  // the hall asks whether a game is on
            hall_.post(state_.InGame ? kHallMsg1125 : kHallMsg1024);
            return;
        case kHallLoggedIn:
            if (state_.LoginSent) {
                hall_.post(kHallMsg1126);
            } else if (state_.InGame) {
                hall_.post(kHallMsg1125);
            } else {
                leaveCase();
                hall_.post(kHallMsg1024);
            }
            return;
        case kHallMsg1024:
            leaveCase();
            return;
        case kHallConnecting:
            connectAgain();
            return;
        default:
            defaultWindowProcedure(msg, wParam, lParam);
    }
}

// The hall takes the player away from the table: the server hears of it while the
// link is up, then the table is emptied, ready for the next one.
void Shell::leaveCase() {
    if (connection_.connected()) {
        connection_.slots[net::kSlotLinkWatch].flag = false;
        connection_.slots[net::kSlotLinkWatch].counter = 0;
        leaveTable();
    }
    disconnectReset();
}

// The hall sends the player to a table again: the same login as at start-up once
// the link is up (directly or through the proxy), the start button armed again.
// The new table gets its own record.
void Shell::connectAgain() {
    recorder_.begin({launch_.userName, launch_.locationText, state_.Scale.x});
    connection_.connectAgain();
    parts_.hallButtons.rearmStart();
}

// What the window system does with a message the table does not handle itself: its
// system commands minimise and restore the table window; anything else is nothing
// to the table.
void Shell::defaultWindowProcedure(std::uint32_t msg, std::uint32_t wParam, std::uint32_t) {
    if (msg != platform::WM_SYSCOMMAND) return;
    ui::WindowState wanted;
    if (wParam == platform::SC_MINIMIZE)
        wanted = ui::WindowState::kMinimized;
    else if (wParam == platform::SC_RESTORE)
        wanted = ui::WindowState::kNormal;
    else
        return;
    if (table_.windowState == wanted) return;
    table_.windowState = wanted;
    table_.fire(nullptr, ui::EventKind::kResize);
}

// The table window minimised or restored (its resize event): the side windows go
// with it; restored, it comes to the front, the hall goes down and a player who was
// away from the table is back.
void Shell::onTableWindowState() {
    if (table_.windowState == ui::WindowState::kMinimized) {
        if (ui::Form* settings = pf_.windows.find("VosSet")) settings->hide();
        return;
    }
    // To the front: topmost, then not (the window system raises it on the way).
    table_.topmost = true;
    table_.topmost = false;
    hall_.minimise();
    state_.TimeoutCount = 0;
    if (state_.Away) {
        state_.AutoPlay = false;
        state_.Away = false;
        state_.TurnSeconds = 10;
    }
}

}  // namespace app
