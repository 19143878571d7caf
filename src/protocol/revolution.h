#pragma once
// The three exchange (4): a player buys a three from another, who sells it; the two
// hands concerned each change one card for the one the server names. The revolution
// and head stage (5): the revolution offer and the head question to the seats they
// are for, and the announcements of a revolt (two of them mean a new deal), of a
// head and of none.
#include <cstdint>

#include "pictures/pictures.h"
#include "platform/event_loop.h"
#include "protocol/played_hand.h"
#include "sound/sound.h"
#include "state/table_state.h"
#include "table/action_buttons.h"
#include "table/hand_view.h"
#include "table/notice.h"
#include "ui/form.h"
#include "wire/round_start.h"

namespace protocol {

class Revolution {
  public:
    Revolution(state::TableState& state, platform::EventLoop& loop, ui::Form& tableWindow,
               pictures::Pictures& pictures, sound::Sound& sound, table::HandView& hand,
               table::ActionButtons& buttons, table::Notice& notice, PlayedHand& playedHand)
        : state_(state),
          loop_(loop),
          table_(tableWindow),
          pictures_(pictures),
          sound_(sound),
          hand_(hand),
          buttons_(buttons),
          notice_(notice),
          playedHand_(playedHand) {}

    void HandleExchange(const wire::Exchange& e);
    void HandleRevolution(const wire::Revolution& r);

  private:
    // The own card with this CardId stands out of the hand for a pause, then becomes
    // `code` and the hand is sorted again.
    void exchangeOwnCard(std::uint8_t cardId, rules::CardCode code);
    void revolted(int slot);
    // The announcement bubble beside another seat while the table is on screen.
    void bubble(int slot, int picture);
    int slotOf(std::uint8_t seatByte) const;

    state::TableState& state_;
    platform::EventLoop& loop_;
    ui::Form& table_;
    pictures::Pictures& pictures_;
    sound::Sound& sound_;
    table::HandView& hand_;
    table::ActionButtons& buttons_;
    table::Notice& notice_;
    PlayedHand& playedHand_;
};

}  // namespace protocol
