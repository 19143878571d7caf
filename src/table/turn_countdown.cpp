// The turn countdown: one step a second for the decision that is up, the warning
// below six seconds, and the answer the client gives by itself at zero; a player
// who lets the turn run out too often in a row is taken away from the table. The
// clock at another seat counts down the same way and only hides itself at zero.
#include "app/client.h"

namespace app {

namespace {

constexpr std::uint32_t kGreen = 0x00FF00, kRed = 0xFF0000;

}  // namespace

int Client::activeCountdownGroup() const {
    if (state.DeclarePending || state.RevealPending) return table::GroupDeclare;
    if (state.RevolutionPending) return table::GroupRevolution;
    if (state.HeadPending) return table::GroupHead;
    if (state.WorkPending) return table::GroupWork;
    if (play.AcceptTributePending) return table::GroupAcceptTribute;
    if (play.ReturnPending) return table::GroupReturn;
    if (play.LeadMode) return table::GroupLead;
    if (play.FollowMode || play.BurnMode || play.YieldMode || play.TakeLeadMode)
        return table::GroupTurn;
    return -1;
}

// One second of a countdown; false when the group's second has not passed yet.
bool Client::countdownSecond(int group) {
    const std::int64_t now = pf.loop.nowMs();
    std::int64_t& last = play.lastTickMs[static_cast<std::size_t>(group)];
    if (now - last < 1000) return false;
    last = now;
    return true;
}

void Client::showCountdownNumber() {
    ui::Control& number = MainForm.at("Number");
    number.caption = std::to_string(state.CountdownSeconds);
    if (state.CountdownSeconds < 6) {
        number.foreColor = kRed;
        sound.PlaySoundEffect(sound::Effect::CountdownWarning);
    } else {
        number.foreColor = kGreen;
    }
}

void Client::turnCountdowns() {
    if (!connection.slots[net::SlotTurnCountdown].flag) return;
    const int group = activeCountdownGroup();
    if (group < 0 || !countdownSecond(group)) return;
    if (state.CountdownSeconds > 0) {
        --state.CountdownSeconds;
        showCountdownNumber();
        return;
    }
    if (state.PromptActive) answerByItself(group);
}

void Client::answerByItself(int group) {
    const rules::Hand& hand = state.PlayerRecord[0].cards;
    bool* answered = nullptr;
    bool turnRow = false;
    switch (group) {
        case table::GroupWork:
            sendWorkAnswer(0, 0);
            for (int i = 0; i < hand.count(); ++i) cardImage(0, hand.imageIndex(i)).enabled = true;
            lowerRaisedCards();
            answered = &state.WorkPending;
            break;
        case table::GroupDeclare:
            sendDeclaration(wire::DeclareKind::kDecline);
            answered = state.DeclarePending ? &state.DeclarePending : &state.RevealPending;
            break;
        case table::GroupRevolution:
            sendRevolutionChoice(wire::RevolutionChoice::kDecline);
            answered = &state.RevolutionPending;
            break;
        case table::GroupHead:
            sendRevolutionChoice(wire::RevolutionChoice::kNoHead);
            answered = &state.HeadPending;
            break;
        case table::GroupLead: {
            raiseLeadProposal();
            ValidateAndPlay();
            ui::Control& op0 = MainForm.at("Operation", 0);
            ui::Control& op1 = MainForm.at("Operation", 1);
            op0.visible = op1.visible = false;
            op0.left = ButtonBaseX;
            op1.left = ButtonBaseX + 1.3 * op0.width;
            answered = &play.LeadMode;
            turnRow = true;
            break;
        }
        case table::GroupTurn:
            sendPlayAction(wire::PlayAction::kPass);
            answered = turnModeFlag(currentTurnMode());
            turnRow = true;
            break;
        case table::GroupAcceptTribute:
            sendTributeChoice(wire::TributeChoice::kDecline);
            hideTributeNotice();
            answered = &play.AcceptTributePending;
            break;
        case table::GroupReturn:
            // At zero the return picks its cards itself; a hand without enough
            // cards to give keeps the prompt up and sends nothing.
            if (!answerReturn()) return;
            answered = &play.ReturnPending;
            break;
        default:
            return;
    }
    FinishDecision(answered, turnRow, false);
    state.CountdownSeconds = state.TurnSeconds;
    if (!turnRow) return;
    ++state.TimeoutCount;
    if (state.TimeoutLimit > 0 && state.TimeoutCount >= state.TimeoutLimit) {
        // Too many turns in a row ran out: the player is not at the table.
        state.TimeoutCount = 0;
        state.Away = true;
        MainForm.windowState = ui::WindowState::Minimized;
        hall.minimise();
        for (const char* name : {"Talk", "Score", "Hero"})
            if (ui::Form* f = pf.windows.find(name)) f->hide();
    }
}

void Client::independentCountdown() {
    if (!play.OthersCountdown || !countdownSecond(table::GroupOthers)) return;
    if (state.CountdownSeconds > 0) {
        --state.CountdownSeconds;
        showCountdownNumber();
        return;
    }
    stopOthersCountdown();
}

// The clock at another seat goes away without anything being sent: at its zero and
// when the round's result arrives.
void Client::stopOthersCountdown() {
    MainForm.at("Time_Img").visible = false;
    MainForm.at("Number").visible = false;
    play.OthersCountdown = false;
    state.CountdownSeconds = state.TurnSeconds;
}

// The display reset's part of the round's play: everything a new round starts
// without. The played rows are forgotten too: their pictures are the next round's
// hand and rows, and hiding an old row would hide those.
void Client::resetPlayState() {
    play.HintIndex = 0;
    play.HintList.clear();
    play.clearTurnModes();
    play.AcceptTributePending = play.ReturnPending = false;
    play.OperationHover = play.OperationNotPHover = play.RestoreHover = false;
    play.DravikRun = false;
    play.BurnActive = play.SelfBurning = false;
    play.FallPending = play.GoneOutPending = false;
    play.PacedRun = false;
    play.PacedCount = 0;
    play.UsedCardPictures.fill(0);
    play.PlayedPictures[table::kPlayedRowCapacity].fill(0);
    play.BurnSlot = play.FallSlot = play.GoneOutSlot = play.PacedSlot = -1;
    play.FinishCounter = 0;
    play.TimerQQ.setEnabled(false);
}

}  // namespace app
