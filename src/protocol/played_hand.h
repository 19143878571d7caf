#pragma once
// The played-hand command (6): what a seat did — played, passed, burned, yielded,
// took the lead, went out, or the round ended — and who acts next, with how long and
// with which choices. The part owns the played rows, the announcement bubbles ImgQQ
// with their timer and the flames on the animated picture.
#include <cstdint>
#include <span>

#include "gif/ani_gif.h"
#include "net/connection.h"
#include "pictures/pictures.h"
#include "platform/event_loop.h"
#include "sound/sound.h"
#include "state/table_state.h"
#include "table/action_buttons.h"
#include "table/countdown_view.h"
#include "table/hand_view.h"
#include "table/play_state.h"
#include "wire/play.h"

namespace protocol {

class PlayedHand {
  public:
    PlayedHand(state::TableState& state, platform::EventLoop& loop, ui::Form& tableWindow,
               pictures::Pictures& pictures, sound::Sound& sound, net::Connection& connection,
               table::HandView& hand, table::ActionButtons& buttons,
               table::CountdownView& countdown, gif::ucAniGIF& flames);

    const table::PlayState& play() const { return play_; }

    void HandlePlayedHand(const wire::PlayedHand& h);
    // The own play went out and stands in the own row.
    void ownPlayShown(std::span<const int> items, rules::PlayClass playClass);
    bool selfBurning() const { return play_.SelfBurning; }
    // Announcement bubble `entry` (PlayBubblePictureIds) at the slot; the bubble
    // timer hides every bubble two seconds later.
    void ShowPlayBubble(int slot, int entry);
    // The same for an announcement about a seat: none beside the own seat, none
    // while the table window is minimised.
    void showAnnouncementBubble(int slot, int entry);
    void HidePlayedRow(int slot, bool visible);
    // The display reset's share: everything a new round starts without. The played
    // rows are forgotten too: their pictures are the next round's hand and rows, and
    // hiding an old row would hide those.
    void reset();

  private:
    void ShowPlayedHand(const wire::PlayedHand& h);
    void MarkGoneOut(int slot);
    int playSlot(std::uint8_t seatByte) const;
    void startBubbleTimer(int ms);
    void bubbleTimerTick();
    // Loads the flames of an IndicatorPictureIds entry into the animated picture.
    void loadFlames(int entry);
    void showFlames();

    state::TableState& state_;
    platform::EventLoop& loop_;
    ui::Form& table_;
    pictures::Pictures& pictures_;
    sound::Sound& sound_;
    net::Connection& connection_;
    table::HandView& hand_;
    table::ActionButtons& buttons_;
    table::CountdownView& countdown_;
    gif::ucAniGIF& ShaoPaiPlayer;
    table::PlayState play_;
    // The announcement bubbles ImgQQ disappear when it fires.
    platform::Timer TimerQQ;
};

}  // namespace protocol
