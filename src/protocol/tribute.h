#pragma once
// The tribute command (8): the offer to the receiver with its accept/decline prompt;
// the tribute made, which moves the cards from the giver's hand to the receiver's
// and may oblige the receiver to give cards back; the return made, which brings
// those cards to the giver.
#include "protocol/played_hand.h"
#include "state/table_state.h"
#include "table/action_buttons.h"
#include "table/hand_view.h"
#include "table/notice.h"
#include "wire/tribute.h"

namespace protocol {

class Tribute {
  public:
    Tribute(const state::TableState& state, table::HandView& hand, table::ActionButtons& buttons,
            table::Notice& notice, PlayedHand& playedHand)
        : state_(state), hand_(hand), buttons_(buttons), notice_(notice), playedHand_(playedHand) {}

    void HandleTribute(const wire::Tribute& t);

  private:
    void tributeOffered(const wire::Tribute& t);
    void tributeMade(const wire::Tribute& t);
    void receiveTributeCards(const wire::Tribute& t);
    void raiseReturnPrompt(const wire::Tribute& t);
    int slotOf(std::uint8_t seatBit) const;

    const state::TableState& state_;
    table::HandView& hand_;
    table::ActionButtons& buttons_;
    table::Notice& notice_;
    PlayedHand& playedHand_;
};

}  // namespace protocol
