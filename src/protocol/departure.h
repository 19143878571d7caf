#pragma once
// Departures and the reconnect answer: the continue outcome and the players short
// of gold (16), a player who left (21), the server closing the table (22) and the
// answer to a reconnect (29). A table that cannot go on shows the departure notice
// and goes back to the hall; those steps belong to the window shell and are asked
// of it through the hooks.
#include <functional>
#include <string>

#include "net/connection.h"
#include "platform/hall_window.h"
#include "platform/platform.h"
#include "state/table_state.h"
#include "video/video.h"
#include "wire/departure.h"

namespace protocol {

class Departure {
  public:
    struct Hooks {
        std::function<void(const std::string& text)> showDepartureNotice;
        // The leave routine (the leave packet goes out while the socket is up).
        std::function<void()> leaveTable;
        // The table torn down as after a lost link, the hall restored.
        std::function<void()> returnToHallAfterLostLink;
    };

    Departure(state::TableState& state, platform::Platform& pf, ui::Form& tableWindow,
              platform::HallWindow& hall, net::Connection& connection, video::Video& video)
        : state_(state),
          pf_(pf),
          table_(tableWindow),
          hall_(hall),
          connection_(connection),
          video_(video) {}

    void setHooks(Hooks hooks) { hooks_ = std::move(hooks); }

    void HandleGameOver(const wire::GameOver& g);
    void HandlePlayerLeft(const wire::PlayerLeft& left);
    void HandleTableClosed(const wire::TableClosed& closed);
    void HandleResume(const wire::ResumeResult& r);

  private:
    void continueOutcome(const wire::GameOver& g);
    void goldShortage(const wire::GameOver& g);
    void departureBackToHall(int waitMs);
    void clearSlotPlayer(int slot);
    void clearSeatLabels(int slot);
    int slotOf(std::uint8_t seatByte) const;
    // The time of day as the message area shows it: "9:5:7".
    std::string clockText();

    state::TableState& state_;
    platform::Platform& pf_;
    ui::Form& table_;
    platform::HallWindow& hall_;
    net::Connection& connection_;
    video::Video& video_;
    Hooks hooks_;
};

}  // namespace protocol
