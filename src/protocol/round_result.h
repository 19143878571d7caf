#pragma once
// The round result: three packets of code 9 with two result records each. The
// first two only fill rows of the ResultTable; the third fills the score window's
// twelve lists, reveals what the others still held, moves gold, win and loss
// counts and levels, lists the tribute of the next round and ends the round.
#include <array>
#include <cstdint>

#include "net/connection.h"
#include "sound/sound.h"
#include "state/table_state.h"
#include "table/action_buttons.h"
#include "table/countdown_view.h"
#include "table/hall_buttons.h"
#include "table/hand_view.h"
#include "table/score_windows.h"
#include "wire/result.h"

namespace protocol {

class RoundResult {
  public:
    RoundResult(state::TableState& state, ui::Form& tableWindow, sound::Sound& sound,
                net::Connection& connection, table::HandView& hand, table::ActionButtons& buttons,
                table::CountdownView& countdown, table::HallButtons& hallButtons,
                table::ScoreWindows& scores)
        : state_(state),
          table_(tableWindow),
          sound_(sound),
          connection_(connection),
          hand_(hand),
          buttons_(buttons),
          countdown_(countdown),
          hallButtons_(hallButtons),
          scores_(scores) {}

    // One result record per screen slot, from the round's three packets.
    const std::array<wire::ResultRecord, 6>& ResultTable() const { return ResultTable_; }
    void HandleResult(const wire::RoundResult& result);

  private:
    state::TableState& state_;
    ui::Form& table_;
    sound::Sound& sound_;
    net::Connection& connection_;
    table::HandView& hand_;
    table::ActionButtons& buttons_;
    table::CountdownView& countdown_;
    table::HallButtons& hallButtons_;
    table::ScoreWindows& scores_;
    std::array<wire::ResultRecord, 6> ResultTable_{};
    std::array<std::uint8_t, 6> currency_{};  // 1 coins, else bars, by slot
};

}  // namespace protocol
