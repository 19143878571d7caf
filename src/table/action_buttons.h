#pragma once
// The two button rows under the table centre: Operation (play, hint, pass, burn,
// yield, take the lead, and the restore button) for the turns, OperationNotP for the
// declarations, work, revolution, head and tribute decisions. The part owns the
// prompt that is up, the answers its buttons and its countdown send, the hint cycle
// behind the hint button, the own play with its check, and the turn countdowns.
#include <array>
#include <cstdint>
#include <functional>
#include <span>
#include <string>

#include "net/connection.h"
#include "pictures/pictures.h"
#include "platform/platform.h"
#include "rules/play.h"
#include "sound/sound.h"
#include "state/table_state.h"
#include "table/countdown_view.h"
#include "table/hand_view.h"
#include "table/notice.h"
#include "table/prompt.h"
#include "wire/play.h"

namespace table {

// What the part keeps about the decisions and turns of the local player.
struct DecisionState {
    Prompt prompt;
    int ReturnCount = 0;  // 1 or 2 while the return prompt is up
    std::array<std::uint8_t, 12> NoReturnRanks{};
    std::array<std::uint8_t, 2> ReturnChoice{};  // the CardIds of the return, in choice order
    // The hint cycle: HintList holds the candidates ("$"-separated lists of card
    // picture items), HintIndex the one the next press raises, HintLast their number
    // minus one.
    std::string HintList;
    int HintIndex = 0;
    int HintLast = -1;
    // Hover looks: set when a group shows its hover picture, so that moving from one
    // button straight to the next keeps the next one's normal look.
    bool OperationHover = false, OperationNotPHover = false, RestoreHover = false;
    bool OthersCountdown = false;  // the clock runs at another seat
    std::array<std::int64_t, kCountdownGroups> lastTickMs = [] {
        std::array<std::int64_t, kCountdownGroups> a{};
        a.fill(INT64_MIN / 2);
        return a;
    }();
};

class ActionButtons {
  public:
    struct Hooks {
        // The own play was sent and shown in the own row (its card picture items).
        std::function<void(std::span<const int> items, rules::PlayClass)> ownPlayShown;
        // The own seat burns: the lead proposal changes.
        std::function<bool()> selfBurning;
    };

    ActionButtons(state::TableState& state, platform::Platform& pf, ui::Form& tableWindow,
                  platform::HallWindow& hall, pictures::Pictures& pictures, sound::Sound& sound,
                  net::Connection& connection, HandView& hand, CountdownView& countdown,
                  Notice& notice);

    void setHooks(Hooks hooks) { hooks_ = std::move(hooks); }
    const DecisionState& decisions() const { return d_; }
    const Prompt& prompt() const { return d_.prompt; }
    // The left end of the button rows.
    int ButtonBaseX() const;
    void wireEvents();
    void showRestoreButtonPicture();

    // Decisions: the countdown from `seconds`, the two buttons of the prompt and the
    // prompt up.
    void ShowDecisionPrompt(int seconds, PromptKind kind);
    // The tribute's return: the return button alone, `count` cards asked for, the
    // ranks that may not be given back.
    void raiseReturnPrompt(int count, std::span<const std::uint8_t> noReturnRanks, int seconds);
    // Turns: the buttons of turn mode 1..5.
    void offerTurn(int mode);
    // The turn comes to the own seat: the button row in front, the token and the
    // countdown armed.
    void takeTurnToken();
    // The prompt ends without an answer from the player (the server moved on).
    void endPrompt(PromptKind kind);
    void hideDecisionButtons();
    // Every prompt and turn flag down (the round is over).
    void clearDecisionFlags();
    void sendWorkAnswer(int cardId, int count);

    // The clock at another seat.
    void startOthersCountdown() { d_.OthersCountdown = true; }
    void cancelOthersCountdown() { d_.OthersCountdown = false; }
    void stopOthersCountdown();
    void resetHint() { d_.HintIndex = 0; }

    // Once a second from the pump: the prompt's countdown (while connected) and the
    // clock at another seat.
    void turnCountdowns();
    void independentCountdown();
    // The display reset's share: no prompt, no hint, no hover look.
    void reset();

    // Buttons and the own play (Operation_Click, OperationNotP_Click; the table's
    // right click is item 0).
    void clickOperation(int item);
    void clickOperationNotP(int item);
    void hoverOperation(int item);
    void hoverOperationNotP(int item);
    void resetButtonHover();
    void pressHint();
    void ValidateAndPlay();
    void showIllegalPlayNotice();
    void unloadIllegalPlayNotice();
    // Sends the return when the choice is acceptable (true); otherwise the prompt stays.
    bool answerReturn();

  private:
    void showDecisionButtons(int leftPicture, int rightPicture);
    void armTurnCountdown();
    // Ends the prompt that was answered on the turn row (Operation) or the decision
    // row (OperationNotP).
    void FinishDecision(PromptKind answered, bool turnRow, bool resetTimeouts);
    // Sends a decision's answer with what goes with it on the table.
    void answer(Answer a);
    void answerByItself(int group);
    bool countdownSecond(int group);
    void sendPlayAction(wire::PlayAction action);

    state::TableState& state_;
    platform::Platform& pf_;
    ui::Form& table_;
    platform::HallWindow& hall_;
    pictures::Pictures& pictures_;
    sound::Sound& sound_;
    net::Connection& connection_;
    HandView& hand_;
    CountdownView& countdown_;
    Notice& notice_;
    Hooks hooks_;
    DecisionState d_;
};

}  // namespace table
