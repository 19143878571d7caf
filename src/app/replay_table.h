#pragma once
// The player's own recorded packets acted out again at a replayed table.
#include "state/table_state.h"
#include "table/action_buttons.h"
#include "table/hall_buttons.h"
#include "table/hand_view.h"
#include "wire/frame.h"

namespace app {

void reenactOwnPacket(const state::TableState& state, table::HandView& hand,
                      table::ActionButtons& buttons, table::HallButtons& hallButtons,
                      const wire::GamePacket& p);

}  // namespace app
