// The turn countdown: one step a second for the prompt that is up, the warning
// below six seconds, and the answer the client gives by itself at zero; a player
// who lets the turn run out too often in a row is taken away from the table. The
// clock at another seat counts down the same way and only hides itself at zero.
#include "table/action_buttons.h"

namespace table {

// One second of a countdown; false when the group's second has not passed yet.
bool ActionButtons::countdownSecond(int group) {
    const std::int64_t now = pf_.loop.nowMs();
    std::int64_t& last = d_.lastTickMs[static_cast<std::size_t>(group)];
    if (now - last < 1000) return false;
    last = now;
    return true;
}

void ActionButtons::turnCountdowns() {
    if (!connection_.slots[net::kSlotTurnCountdown].flag) return;
    const int group = d_.prompt.countdownGroup();
    if (group < 0 || !countdownSecond(group)) return;
    if (state_.CountdownSeconds > 0) {
        countdown_.tick();
        return;
    }
    if (state_.PromptActive) answerByItself(group);
}

void ActionButtons::answerByItself(int group) {
    const PromptRow& row = d_.prompt.row();
    if (row.group != group) return;
    const PromptKind answered = row.kind;
    if (row.atZero == Answer::kReturn) {
        // At zero the return picks its cards itself; a hand without enough cards to
        // give keeps the prompt up and sends nothing. The return ends its prompt
        // before the returned cards' pause, so nothing more is done here: a turn
        // offered during the pause stays up.
        answerReturn();
        return;
    }
    if (row.atZero == Answer::kPlayLead) {
        hand_.raiseLeadProposal(hooks_.selfBurning && hooks_.selfBurning());
        ValidateAndPlay();
        ui::Control& op0 = table_.at("Operation", 0);
        ui::Control& op1 = table_.at("Operation", 1);
        op0.visible = op1.visible = false;
        op0.left = ButtonBaseX();
        op1.left = ButtonBaseX() + 1.3 * op0.width;
    } else {
        answer(row.atZero);
    }
    FinishDecision(answered, row.turnRow, false);
    state_.CountdownSeconds = state_.TurnSeconds;
    if (!row.turnRow) return;
    ++state_.TimeoutCount;
    if (state_.TimeoutLimit > 0 && state_.TimeoutCount >= state_.TimeoutLimit) {
        // Too many turns in a row ran out: the player is not at the table.
        state_.TimeoutCount = 0;
        state_.Away = true;
        table_.windowState = ui::WindowState::kMinimized;
        hall_.minimise();
        for (const char* name : {"Talk", "Score", "Hero"})
            if (ui::Form* f = pf_.windows.find(name)) f->hide();
    }
}

void ActionButtons::independentCountdown() {
    if (!d_.OthersCountdown || !countdownSecond(kGroupOthers)) return;
    if (state_.CountdownSeconds > 0) {
        countdown_.tick();
        return;
    }
    stopOthersCountdown();
}

// The clock at another seat goes away without anything being sent: at its zero and
// when the round's result arrives.
void ActionButtons::stopOthersCountdown() {
    countdown_.hide();
    d_.OthersCountdown = false;
    state_.CountdownSeconds = state_.TurnSeconds;
}

}  // namespace table
