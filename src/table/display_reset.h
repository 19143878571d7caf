#pragma once
// The resets of the table window: the display reset that prepares it for a new
// game (or, keeping the dealt hand, for the first prompt of a round), and the
// seat-record reset between rounds.
#include <functional>

#include "net/connection.h"
#include "state/table_state.h"
#include "table/action_buttons.h"
#include "table/countdown_view.h"
#include "table/hand_view.h"
#include "ui/form.h"

namespace table {

class DisplayReset {
  public:
    DisplayReset(state::TableState& state, ui::Form& tableWindow, net::Connection& connection,
                 HandView& hand, ActionButtons& buttons, CountdownView& countdown)
        : state_(state),
          table_(tableWindow),
          connection_(connection),
          hand_(hand),
          buttons_(buttons),
          countdown_(countdown) {}

    // The round's plays forgotten (owned by the played-hand command's part).
    std::function<void()> resetRoundPlay;

    void displayReset() { resetDisplay(false); }
    // keepDealt: the reset that the first prompt of a round runs after the deal
    // keeps the dealt hand and the lamps on the table; hiding them would leave the
    // player without cards to play.
    void resetDisplay(bool keepDealt);
    // Every slot's card list emptied (all 56 entries to code 0 and no picture), the
    // send ring emptied and the receive ring
    // keeping only a packet that has partly arrived, out of the game.
    void seatRecordReset();

  private:
    state::TableState& state_;
    ui::Form& table_;
    net::Connection& connection_;
    HandView& hand_;
    ActionButtons& buttons_;
    CountdownView& countdown_;
};

}  // namespace table
