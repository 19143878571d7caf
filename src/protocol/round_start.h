#pragma once
// The deal (command 1) and the round-start stages: declarations (2) and work (3).
#include "net/connection.h"
#include "pictures/pictures.h"
#include "platform/hall_window.h"
#include "sound/sound.h"
#include "state/table_state.h"
#include "table/action_buttons.h"
#include "table/countdown_view.h"
#include "table/display_reset.h"
#include "table/hall_buttons.h"
#include "table/hand_view.h"
#include "ui/window_system.h"
#include "wire/round_start.h"

namespace protocol {

class RoundStart {
  public:
    RoundStart(state::TableState& state, ui::WindowSystem& windows, ui::Form& tableWindow,
               platform::HallWindow& hall, pictures::Pictures& pictures, sound::Sound& sound,
               net::Connection& connection, table::HandView& hand, table::ActionButtons& buttons,
               table::CountdownView& countdown, table::HallButtons& hallButtons,
               table::DisplayReset& reset)
        : state_(state),
          windows_(windows),
          table_(tableWindow),
          hall_(hall),
          pictures_(pictures),
          sound_(sound),
          connection_(connection),
          hand_(hand),
          buttons_(buttons),
          countdown_(countdown),
          hallButtons_(hallButtons),
          reset_(reset) {}

    void HandleDeal(const wire::Deal& deal);
    void HandleDeclaration(const wire::Declaration& d);
    void HandleWork(const wire::Work& w);

  private:
    state::TableState& state_;
    ui::WindowSystem& windows_;
    ui::Form& table_;
    platform::HallWindow& hall_;
    pictures::Pictures& pictures_;
    sound::Sound& sound_;
    net::Connection& connection_;
    table::HandView& hand_;
    table::ActionButtons& buttons_;
    table::CountdownView& countdown_;
    table::HallButtons& hallButtons_;
    table::DisplayReset& reset_;
};

}  // namespace protocol
