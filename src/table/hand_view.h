#pragma once
// The card pictures of the six seats: the own hand as a fanned row along the
// bottom of the table with its raised selection, and the other seats' face-up rows.
#include <cstdint>
#include <functional>
#include <span>

#include "pictures/pictures.h"
#include "platform/event_loop.h"
#include "rules/hand.h"
#include "sound/sound.h"
#include "state/table_state.h"
#include "ui/form.h"

namespace table {

// Items 0..55 of each seat's card picture array exist.
inline constexpr int kCardItems = 56;

class HandView {
  public:
    HandView(state::TableState& state, ui::Form& tableWindow, pictures::Pictures& pictures,
             sound::Sound& sound, platform::EventLoop& loop);

    // A right click on a card while the turn is up asks for the raised cards' play.
    std::function<void()> onPlayRequest;

    ui::Control& cardImage(int slot, int item);
    // Whether card picture item `item` shows a card of the own hand.
    bool IsHandImage(int item) const;
    // Sorts the first `count` cards of the slot's list and shows them: the own hand
    // in place (a raised card stays raised), another seat's row face up at its anchor.
    void SortAndShowCards(int slot, int count);
    // Places the own hand's card at position `pos` in the fanned row.
    void LayOutHand(int pos, bool atHandTop);
    void layOutHand(bool atHandTop);

    // The hand positions whose pictures stand raised, in hand order.
    rules::HandPositions raisedPositions();
    void lowerRaisedCards();
    void raiseCardItem(int item);
    // The lead hint's proposal raised (a burning player leads differently).
    void raiseLeadProposal(bool selfBurning);
    void enableHandCards(bool enabled);
    // The cards with these ids stand out of the hand for a pause, then leave it.
    void cardsLeaveHand(std::span<const std::uint8_t> ids, double raiseFraction);
    // The cards of a tribute join the hand on the next unused picture items: shown
    // above the hand for a pause, then the whole hand is laid out and sorted. Cards
    // for which no picture item or hand place is left are not taken.
    void receiveCards(std::span<const rules::CardCode> codes);

    // The display reset's share: the anchors for the scale, every card hidden (the
    // own hand's kept when `keepDealt`), the own pictures back to their size.
    void reset(bool keepDealt);

    void onCardMouseDown(ui::Control& card, const ui::Event& e);

  private:
    state::TableState& state_;
    ui::Form& table_;
    pictures::Pictures& pictures_;
    sound::Sound& sound_;
    platform::EventLoop& loop_;
};

}  // namespace table
