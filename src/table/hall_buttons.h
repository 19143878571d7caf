#pragma once
// The hall buttons AnNiu 0..8 — send, chat, start/continue, settings, hide,
// record, history, rules, exit — with their normal and hover pictures and the chat
// button's blink; the avatar click that addresses the next chat line to a player;
// and the continue countdown after a round with the continue sequence that it and
// the continue button share.
#include <array>
#include <cstdint>
#include <functional>

#include "net/connection.h"
#include "pictures/pictures.h"
#include "platform/hall_window.h"
#include "platform/platform.h"
#include "sound/settings_window.h"
#include "state/table_state.h"
#include "table/countdown_view.h"
#include "table/display_reset.h"
#include "table/score_windows.h"
#include "ui/form.h"

namespace table {

// The hall buttons AnNiu 0..8.
enum HallButton : int {
    kBtnSend = 0,
    kBtnChat = 1,
    kBtnContinue = 2,
    kBtnSettings = 3,
    kBtnHide = 4,
    kBtnRecord = 5,
    kBtnHistory = 6,
    kBtnRules = 7,
    kBtnExit = 8,
};
constexpr int kHallButtons = 9;

// What the hall buttons keep from one round to the next.
struct RoundFlow {
    std::array<bool, kHallButtons> hover{};
    // Only the continue button's flag is used: readiness for the coming round has
    // been announced (by the button or by the continue countdown).
    std::array<bool, kHallButtons> pressed{};
    bool firstStart = true;         // item 2 shows 开始 until the first press or prompt
    int blinkCount = 0;             // chat button blinks left
    std::uint8_t selectedSeat = 0;  // seat bit of the avatar last clicked
};

class HallButtons {
  public:
    HallButtons(state::TableState& state, platform::Platform& pf, ui::Form& tableWindow,
                ui::Control& surface, platform::HallWindow& hall, pictures::Pictures& pictures,
                net::Connection& connection, CountdownView& countdown, DisplayReset& reset,
                ScoreWindows& scores, sound::SettingsWindow& soundSettings);

    // The exit button opens or closes the exit dialog (owned by the window shell).
    std::function<void(bool fromExitButton)> toggleExitDialog;
    // The send button sends the typed line; the chat button opens or closes the
    // chat window (both owned by the chat part).
    std::function<void()> sendChatLine;
    std::function<void()> toggleTalk;

    const RoundFlow& flow() const { return flow_; }
    void wireEvents();
    void showHallButtonPictures();
    void AnNiu_Click(int item);
    void AnNiu_MouseMove(int item);
    void clearHallButtonHover();
    void setHallButtonPressed(int item);
    void clearHallButtonPressed(int item);
    void clearFirstStart() { flow_.firstStart = false; }
    void restoreFirstStart() { flow_.firstStart = true; }
    // The hall sends the player to a table again: the start button can be pressed
    // and shows 开始; no countdown is up.
    void rearmStart();
    void Tou_Click(int slot);

    // An incoming chat line: the chat button blinks 4 times.
    void startChatBlink();
    void blinkStep();

    // The continue countdown after a round (pump slot 7).
    void startContinueCountdown();
    void continueCountdownStep();

  private:
    int normalEntry(int item) const;
    void showHallButtonNormal(int item);
    void showContinuePressed();
    // The continue sequence of the button and of the countdown's end: the countdown
    // stops, the table is reset once for the coming round, and the server hears that
    // the player is ready (the button sends nothing during a game).
    void continueToNextRound(bool onlyOutsideGame);

    state::TableState& state_;
    platform::Platform& pf_;
    ui::Form& table_;
    ui::Control& Pic1;
    platform::HallWindow& hall_;
    pictures::Pictures& pictures_;
    net::Connection& connection_;
    CountdownView& countdown_;
    DisplayReset& reset_;
    ScoreWindows& scores_;
    sound::SettingsWindow& soundSettings_;
    RoundFlow flow_;
    std::int64_t lastContinueStepMs_ = INT64_MIN / 2;
};

}  // namespace table
