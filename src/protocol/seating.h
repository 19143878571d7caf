#pragma once
// Login and seating: the login result (18), the seat packet (20) and the ready
// notice (23) take the client from a fresh connection to a full table.
#include <functional>
#include <string>

#include "net/connection.h"
#include "pictures/pictures.h"
#include "platform/hall_window.h"
#include "platform/platform.h"
#include "state/table_state.h"
#include "table/display_reset.h"
#include "table/hall_buttons.h"
#include "wire/seating.h"

namespace protocol {

class Seating {
  public:
    struct Hooks {
        std::function<void()> startLocalCapture;  // the own seat is known
        std::function<void(int slot, const std::string& account)> registerVideoPeer;
        std::function<void(const std::string& url)> showAdvertisement;
    };

    Seating(state::TableState& state, platform::Platform& pf, ui::Form& tableWindow,
            ui::Control& surface, platform::HallWindow& hall, pictures::Pictures& pictures,
            net::Connection& connection, table::HallButtons& hallButtons,
            table::DisplayReset& reset);

    void setHooks(Hooks hooks) { hooks_ = std::move(hooks); }

    void HandleLoginResult(const wire::LoginResult& r);
    void HandleSeat(const wire::Seat& seat);
    void HandleReady(const wire::ReadyNotice& notice);

    // The picture index of an avatar code: "m1".."m10" give 0..9, "w1".."w10" 10..19.
    static int avatarIndex(const std::string& avatarCode);

  private:
    // The screen slot of a seat bit as seen from the own seat bit.
    int slotOf(std::uint8_t seatBit) const;
    // All five others marked ready before the first round: the table is reset for
    // the new game.
    void allReadyTest();
    // The display reset and the hand reset, then GameResetDone.
    void resetForNewGame();
    // Makes OK(slot) visible in front of the table.
    void showReadyMark(int slot);
    // Controls of the table surface; the layout creates them, and a handler that
    // runs before it (or without it) gets them created in place.
    ui::Control& onTable(const char* name, ui::ControlKind kind, int index = -1);

    state::TableState& state_;
    platform::Platform& pf_;
    ui::Form& table_;
    ui::Control& Pic1;
    platform::HallWindow& hall_;
    pictures::Pictures& pictures_;
    net::Connection& connection_;
    table::HallButtons& hallButtons_;
    table::DisplayReset& reset_;
    Hooks hooks_;
};

}  // namespace protocol
