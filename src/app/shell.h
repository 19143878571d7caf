#pragma once
// The window shell of the table: the start-up the table window's load runs, the
// table window's own controls, leaving the table, the exit dialog, the departure
// notice, the disconnect reset, the way back to the hall and the unload that ends
// the program.
#include <cstdint>
#include <functional>
#include <string>

#include "app/launch.h"
#include "net/connection.h"
#include "pictures/pictures.h"
#include "platform/hall_window.h"
#include "platform/platform.h"
#include "record/recorder.h"
#include "sound/sound.h"
#include "state/table_state.h"
#include "table/action_buttons.h"
#include "table/display_reset.h"
#include "table/hall_buttons.h"
#include "table/layout.h"
#include "table/score_windows.h"
#include "table/table_input.h"
#include "video/video.h"

namespace app {

class Shell {
  public:
    struct Parts {
        table::Layout& layout;
        table::ActionButtons& buttons;
        table::HallButtons& hallButtons;
        table::TableInput& input;
        table::ScoreWindows& scores;
        table::DisplayReset& reset;
        video::Video& video;
    };
    struct Hooks {
        std::function<void(const LaunchParameters&)> setUpPeerVideo;  // start-up step 10
        std::function<void()> startLocalCapture;                      // after the layout
    };

    Shell(platform::Platform& pf, state::TableState& state, ui::Form& tableWindow,
          ui::Control& surface, platform::HallWindow& hall, pictures::Pictures& pictures,
          sound::Sound& sound, net::Connection& connection, record::Recorder& recorder,
          Parts parts);

    void setHooks(Hooks hooks) { hooks_ = std::move(hooks); }
    // The quick-reply buttons word1 and word2 get their pictures once they are placed.
    std::function<void()> showPhraseButtons;
    const LaunchParameters& launch() const { return launch_; }
    // The skin frame around the table is painted (a screen larger than the table).
    bool framePainted() const { return framePainted_; }

    // The controls of the table window's design that the start-up and the transport
    // touch; the table layout places them and adds the seats' controls.
    void createControls();
    // The load handler of the table window.
    void startUp(const std::string& commandLine);
    // A message the hall posted to the table window.
    void onHallMessage(std::uint32_t msg, std::uint32_t wParam, std::uint32_t lParam);
    // The table window was minimised or restored.
    void onTableWindowState();
    // A replay instead of a live table: the table window opens without hall, server
    // or recording.
    void startReplay(const record::Header& table);

    // Returning to the hall: minimise the table, restore the hall, hide the side
    // windows; without a hall window the process ends.
    void returnToHall();
    // A lost link the connection gives up: the table is torn down as by leaving it.
    void returnToHallAfterLostLink();
    // The leave routine: the leave packet straight to the socket (when it is up),
    // the other seats' video links dropped, the pump and keep-alive stopped, the
    // table marked broken; then a short wait so that the packet leaves.
    void leaveTable();
    // The departure notice frmOtherExit with its text; OK goes back to the hall,
    // cancel stays at the broken table.
    void showDepartureNotice(const std::string& text);
    void toggleExitDialog(bool fromExitButton);
    // Leaves the client unconnected with an empty table, the round counters at zero
    // and the game record file deleted, ready for the hall to seat it again.
    void disconnectReset();
    // The table window's unload: ends the process.
    void onTableUnload();

  private:
    void openReplayTable(const record::Header& table);
    void leaveCase();
    void connectAgain();
    void defaultWindowProcedure(std::uint32_t msg, std::uint32_t wParam, std::uint32_t lParam);
    void prepareTable();
    void showLocation(const std::string& room);
    void showTable();
    void sizeWindow();
    void applyDisplayScale();
    void buildLoginPacket();
    void createExitDialog();
    void confirmExit();
    void createDepartureNotice();
    void departureNoticeOk();
    void departureNoticeCancel();

    platform::Platform& pf_;
    state::TableState& state_;
    ui::Form& table_;
    ui::Control& Pic1;
    platform::HallWindow& hall_;
    pictures::Pictures& pictures_;
    sound::Sound& sound_;
    net::Connection& connection_;
    record::Recorder& recorder_;
    Parts parts_;
    Hooks hooks_;
    LaunchParameters launch_;
    bool framePainted_ = false;
};

}  // namespace app
