#pragma once
// The table layout: the two steps that create the further items of the table's
// control arrays and put every control of Pic1 at its place for the display scale.
#include "gif/ani_gif.h"
#include "state/table_state.h"
#include "ui/form.h"

namespace table {

class Layout {
  public:
    Layout(const state::TableState& state, ui::Form& tableWindow, ui::Control& surface,
           gif::ucAniGIF& flames)
        : state_(state), table_(tableWindow), Pic1(surface), ShaoPaiPlayer(flames) {}

    // Avatars, hall buttons, player labels, the room line, ready marks, indicators,
    // the animated picture, the game counters and the video areas.
    void firstLayout();
    // The countdown, the action and decision buttons, pass bubbles, the card
    // pictures, the message lists and the chat line, the local capture's place.
    void secondLayout();

  private:
    const state::TableState& state_;
    ui::Form& table_;
    ui::Control& Pic1;
    gif::ucAniGIF& ShaoPaiPlayer;
};

}  // namespace table
