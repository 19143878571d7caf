#pragma once
// The table surface's mouse and keys: a click on the table closes the notices and
// side windows (a right click plays during the own turn), moving over it gives the
// buttons their normal looks back, F1 is the boss key, Alt+C opens the chat window,
// and typing on the surface goes to the chat input.
#include "platform/hall_window.h"
#include "state/table_state.h"
#include "table/action_buttons.h"
#include "table/hall_buttons.h"
#include "table/hand_view.h"
#include "ui/form.h"
#include "ui/window_system.h"

namespace table {

class TableInput {
  public:
    TableInput(state::TableState& state, ui::WindowSystem& windows, ui::Form& tableWindow,
               ui::Control& surface, platform::HallWindow& hall, HandView& hand,
               ActionButtons& buttons, HallButtons& hallButtons)
        : state_(state),
          windows_(windows),
          table_(tableWindow),
          Pic1(surface),
          hall_(hall),
          hand_(hand),
          buttons_(buttons),
          hallButtons_(hallButtons) {}

    void wireEvents();
    void BossKey();

  private:
    void onTableMouseDown(const ui::Event& e);
    void onTableMouseMove(const ui::Event& e);
    void onTableKeyDown(const ui::Event& e);
    void onTableKeyPress(const ui::Event& e);

    state::TableState& state_;
    ui::WindowSystem& windows_;
    ui::Form& table_;
    ui::Control& Pic1;
    platform::HallWindow& hall_;
    HandView& hand_;
    ActionButtons& buttons_;
    HallButtons& hallButtons_;
    bool altSeen_ = false, altCSeen_ = false;
};

}  // namespace table
