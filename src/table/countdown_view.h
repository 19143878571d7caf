#pragma once
// The clock of the table: the picture Time_Img with the seconds in Number, at the
// seat whose turn it is. The seconds themselves are the table's CountdownSeconds.
#include "sound/sound.h"
#include "state/table_state.h"
#include "ui/form.h"

namespace table {

class CountdownView {
  public:
    CountdownView(state::TableState& state, ui::Form& tableWindow, sound::Sound& sound);

    // The clock at the slot (0 the own seat) with `seconds` in green, in front.
    void startAt(int slot, int seconds);
    // Moves the clock to the slot without showing it.
    void placeAt(int slot);
    // One second less, with the warning below six seconds.
    void tick();
    void hide();

    // The continue countdown after a round: 15 seconds in Number alone, then one
    // step a second, red from five on.
    void startContinue();
    void continueTick();
    // Both pictures visible and in front.
    void show();

  private:
    void showNumber();

    state::TableState& state_;
    ui::Form& table_;
    sound::Sound& sound_;
};

}  // namespace table
