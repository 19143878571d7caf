#include "table/action_buttons.h"

#include <cmath>
#include <sstream>

#include "pictures/action_pictures.h"
#include "rules/hint.h"
#include "rules/tribute_return.h"
#include "wire/round_start.h"
#include "wire/tribute.h"

namespace table {

namespace {

using namespace pictures;  // the picture entries
constexpr int kNone = -1;

// Restore button looks.
constexpr int kRestoreHover = 0, kRestoreNormal = 1;
// The status labels of the declarations.
constexpr int kDeclaredLabel = 5, kRevealedLabel = 6;

struct ButtonRow {
    int item[3];
};
// Operation items 0..2 by turn mode 0..5.
constexpr ButtonRow kTurnButtons[6] = {
    {{kNone, kNone, kNone}},           {{kPicPlay, kPicHint, kNone}},
    {{kPicPlay, kPicHint, kPicPass}},  {{kPicBurn, kPicHint, kPicPass}},
    {{kPicPlay, kPicYield, kPicPass}}, {{kPicPlay, kPicHint, kPicTakeLead}},
};

}  // namespace

ActionButtons::ActionButtons(state::TableState& state, platform::Platform& pf,
                             ui::Form& tableWindow, platform::HallWindow& hall,
                             pictures::Pictures& pictures, sound::Sound& sound,
                             net::Connection& connection, HandView& hand, CountdownView& countdown,
                             Notice& notice)
    : state_(state),
      pf_(pf),
      table_(tableWindow),
      hall_(hall),
      pictures_(pictures),
      sound_(sound),
      connection_(connection),
      hand_(hand),
      countdown_(countdown),
      notice_(notice) {}

int ActionButtons::ButtonBaseX() const {
    return static_cast<int>(std::nearbyint(400 * state_.Scale.x));
}

void ActionButtons::showRestoreButtonPicture() {
    pictures_.showRestorePicture(table_.at("Operation", 5), kRestoreNormal);
}

void ActionButtons::wireEvents() {
    table_.on("Operation", ui::EventKind::kClick,
              [this](ui::Control* c, ui::Event&) { clickOperation(c->index); });
    table_.on("OperationNotP", ui::EventKind::kClick,
              [this](ui::Control* c, ui::Event&) { clickOperationNotP(c->index); });
    table_.on("Operation", ui::EventKind::kMouseMove,
              [this](ui::Control* c, ui::Event&) { hoverOperation(c->index); });
    table_.on("OperationNotP", ui::EventKind::kMouseMove,
              [this](ui::Control* c, ui::Event&) { hoverOperationNotP(c->index); });
}

// Prompts and turns.

void ActionButtons::armTurnCountdown() {
    connection_.slots[net::kSlotTurnCountdown].flag = true;
    connection_.slots[net::kSlotTurnCountdown].counter = 0;
    state_.PromptActive = true;
}

// The two decision buttons with their pictures, placed from the button row's base,
// visible, enabled and in front.
void ActionButtons::showDecisionButtons(int leftPicture, int rightPicture) {
    ui::Control& left = table_.at("OperationNotP", 0);
    ui::Control& right = table_.at("OperationNotP", 1);
    pictures_.showActionPicture(left, leftPicture);
    pictures_.showActionPicture(right, rightPicture);
    left.left = ButtonBaseX() + 0.3 * left.width;
    right.left = left.left + 2 * right.width;
    for (ui::Control* b : {&left, &right}) {
        b->visible = b->enabled = true;
        table_.bringToFront(*b);
    }
}

void ActionButtons::hideDecisionButtons() {
    for (int i = 0; i < 2; ++i) {
        ui::Control& b = table_.at("OperationNotP", i);
        b.visible = b.enabled = false;
    }
}

void ActionButtons::ShowDecisionPrompt(int seconds, PromptKind kind) {
    const PromptRow& row = kPrompts[static_cast<std::size_t>(kind)];
    countdown_.startAt(0, seconds);
    showDecisionButtons(row.picture[0], row.picture[1]);
    d_.prompt.raise(kind);
    armTurnCountdown();
    if (row.awayAtOnce && state_.Away) state_.CountdownSeconds = 1;
}

void ActionButtons::raiseReturnPrompt(int count, std::span<const std::uint8_t> noReturnRanks,
                                      int seconds) {
    d_.ReturnCount = count;
    d_.NoReturnRanks.fill(0);
    std::copy_n(noReturnRanks.begin(), std::min(noReturnRanks.size(), d_.NoReturnRanks.size()),
                d_.NoReturnRanks.begin());
    ui::Control& button = table_.at("OperationNotP", 0);
    pictures_.showActionPicture(button, kPicReturn);
    button.left = ButtonBaseX() + 1.3 * button.width;
    button.visible = button.enabled = true;
    table_.bringToFront(button);
    d_.prompt.raise(PromptKind::kReturn);
    armTurnCountdown();
    countdown_.startAt(0, seconds);
    if (state_.Away) state_.CountdownSeconds = 1;
}

void ActionButtons::offerTurn(int mode) {
    if (mode < kModeLead || mode > kModeTakeLead) return;
    const ButtonRow& row = kTurnButtons[mode];
    ui::Control* op[3] = {&table_.at("Operation", 0), &table_.at("Operation", 1),
                          &table_.at("Operation", 2)};
    const double w0 = op[0]->width;
    if (row.item[2] == kNone) {
        op[0]->left = ButtonBaseX() + 0.3 * w0;
        op[1]->left = op[0]->left + 2 * op[1]->width;
        op[2]->visible = op[2]->enabled = false;
    } else {
        for (int i = 0; i < 3; ++i) op[i]->left = ButtonBaseX() + 1.3 * i * w0;
    }
    for (int i = 0; i < 3; ++i) {
        if (row.item[i] == kNone) continue;
        pictures_.showActionPicture(*op[i], row.item[i]);
        op[i]->visible = op[i]->enabled = true;
        table_.bringToFront(*op[i]);
    }
    d_.prompt.raise(Prompt::ofTurnMode(mode));
    state_.PlayToken = true;
    state_.MyTurn = true;
    armTurnCountdown();
}

void ActionButtons::takeTurnToken() {
    for (int i = 0; i <= 2; ++i) table_.bringToFront(table_.at("Operation", i));
    state_.MyTurn = true;
    state_.PlayToken = true;
    armTurnCountdown();
}

void ActionButtons::endPrompt(PromptKind kind) {
    d_.prompt.end(kind);
    state_.PlayToken = false;
    state_.PromptActive = false;
    connection_.slots[net::kSlotTurnCountdown].flag = false;
}

void ActionButtons::clearDecisionFlags() {
    d_.prompt.clear();
    state_.PromptActive = false;
    state_.PlayToken = false;
    state_.MyTurn = false;
}

void ActionButtons::FinishDecision(PromptKind answered, bool turnRow, bool resetTimeouts) {
    d_.prompt.end(answered);
    state_.PlayToken = false;
    state_.PromptActive = false;
    if (turnRow) state_.MyTurn = false;
    connection_.slots[net::kSlotTurnCountdown].flag = false;
    if (turnRow) {
        for (int i = 0; i <= 2; ++i) table_.at("Operation", i).visible = false;
    } else {
        for (int i = 0; i <= 1; ++i) table_.at("OperationNotP", i).visible = false;
    }
    countdown_.hide();
    if (resetTimeouts && state_.TimeoutCount > 0) state_.TimeoutCount = 0;
}

void ActionButtons::reset() {
    d_.prompt.clear();
    d_.HintIndex = 0;
    d_.HintList.clear();
    // The hover flags go, so the restore button must not keep a hover look that no
    // later move of the pointer would take back.
    if (d_.RestoreHover) showRestoreButtonPicture();
    d_.OperationHover = d_.OperationNotPHover = d_.RestoreHover = false;
}

// Answers.

void ActionButtons::sendPlayAction(wire::PlayAction action) {
    wire::Play answer;
    answer.seat = state_.PlayerRecord[0].seatBit;
    answer.action = action;
    wire::GamePacket p = answer.encode();
    connection_.QueuePacket(p);
}

void ActionButtons::sendWorkAnswer(int cardId, int count) {
    wire::GamePacket p =
        wire::WorkAnswer{state_.PlayerRecord[0].seatBit, static_cast<std::uint8_t>(cardId),
                         static_cast<std::uint8_t>(count)}
            .encode();
    connection_.QueuePacket(p);
}

void ActionButtons::answer(Answer a) {
    const std::uint8_t seat = state_.PlayerRecord[0].seatBit;
    auto declaration = [&](wire::DeclareKind kind) {
        wire::GamePacket p = wire::DeclarationAnswer{seat, kind}.encode();
        connection_.QueuePacket(p);
    };
    auto revolution = [&](wire::RevolutionChoice choice) {
        wire::GamePacket p = wire::RevolutionAnswer{seat, choice}.encode();
        connection_.QueuePacket(p);
    };
    auto tribute = [&](wire::TributeChoice choice) {
        wire::TributeAnswer t;
        t.seat = seat;
        t.choice = choice;
        wire::GamePacket p = t.encode();
        connection_.QueuePacket(p);
        notice_.hide();
    };
    auto declaredLabel = [&](int entry) {
        ui::Control& label = table_.at("ImgYm", 0);
        pictures_.showIndicatorPicture(label, entry);
        label.visible = true;
        table_.bringToFront(label);
    };
    switch (a) {
        case Answer::kPreDeclare:
            declaration(wire::DeclareKind::kPreDeclare);
            declaredLabel(kDeclaredLabel);
            break;
        case Answer::kOpen:
            declaration(wire::DeclareKind::kOpen);
            declaredLabel(kRevealedLabel);
            break;
        case Answer::kDeclineDeclaration:
            declaration(wire::DeclareKind::kDecline);
            break;
        case Answer::kGoToWork: {
            const rules::Hand& hand = state_.PlayerRecord[0].cards;
            const rules::HandPositions raised = hand_.raisedPositions();
            const int cardId = raised.empty() ? 0 : rules::cardIdOf(hand.code(raised[0]));
            sendWorkAnswer(cardId, state_.BestSameSuitCount);
            sound_.PlaySoundEffect(sound::Effect::kGoToWork);
            hand_.enableHandCards(true);
            hand_.lowerRaisedCards();
            break;
        }
        case Answer::kDeclineWork:
            sendWorkAnswer(0, 0);
            hand_.enableHandCards(true);
            hand_.lowerRaisedCards();
            break;
        case Answer::kRevolt:
            revolution(wire::RevolutionChoice::kRevolt);
            break;
        case Answer::kDeclineRevolution:
            revolution(wire::RevolutionChoice::kDecline);
            break;
        case Answer::kWithHead:
            revolution(wire::RevolutionChoice::kHead);
            break;
        case Answer::kWithoutHead:
            revolution(wire::RevolutionChoice::kNoHead);
            break;
        case Answer::kAcceptTribute:
            tribute(wire::TributeChoice::kAccept);
            break;
        case Answer::kDeclineTribute:
            tribute(wire::TributeChoice::kDecline);
            break;
        case Answer::kPass:
            sendPlayAction(wire::PlayAction::kPass);
            break;
        case Answer::kPlayLead:
        case Answer::kReturn:
        case Answer::kNone:
            break;
    }
}

// The return of the tribute: the chosen cards go back to the tributer. A refused
// choice sends nothing and leaves the prompt up (a manual one with its reason on the
// notice). The decision ends before the returned cards' pause, so that a turn the
// server offers during the pause is not ended with it.
bool ActionButtons::answerReturn() {
    if (!connection_.connected()) return false;
    const rules::Hand& hand = state_.PlayerRecord[0].cards;
    const bool byItself = state_.CountdownSeconds < 1;
    if (byItself) hand_.lowerRaisedCards();  // the countdown chooses from the whole hand
    const rules::HandPositions selected = hand_.raisedPositions();
    const rules::ReturnDecision r = rules::CheckReturnSelection(
        hand.codes(), selected, d_.ReturnCount, d_.NoReturnRanks, state_.CountdownSeconds);
    if (!r.ok) {
        if (!r.notice.empty()) notice_.ShowNotice(r.notice);
        return false;
    }
    const std::size_t count = std::min(r.chosen.size(), d_.ReturnChoice.size());
    wire::TributeAnswer answer;
    answer.seat = state_.PlayerRecord[0].seatBit;
    answer.choice = wire::TributeChoice::kReturn;
    answer.count = static_cast<std::uint8_t>(count);
    for (std::size_t i = 0; i < count; ++i) {
        d_.ReturnChoice[i] = static_cast<std::uint8_t>(rules::cardIdOf(hand.code(r.chosen[i])));
        answer.ids[i] = d_.ReturnChoice[i];
    }
    wire::GamePacket p = answer.encode();
    connection_.QueuePacket(p);
    ui::Control& button = table_.at("OperationNotP", 0);
    button.visible = false;
    button.left = table_.at("Operation", 0).left;
    FinishDecision(PromptKind::kReturn, false, !byItself);
    // The returned cards stand a little raised for the pause and leave; the rest
    // keeps its order.
    const std::array<std::uint8_t, 2> ids = d_.ReturnChoice;
    hand_.cardsLeaveHand(std::span<const std::uint8_t>(ids.data(), count), 0.2);
    return true;
}

// Clicks.

void ActionButtons::pressHint() {
    state_.TimeoutCount = 0;
    hand_.lowerRaisedCards();
    const bool selfBurning = hooks_.selfBurning && hooks_.selfBurning();
    if (state_.TablePlay.playClass == rules::PlayClass::kNone) {
        hand_.raiseLeadProposal(selfBurning);
        return;
    }
    const rules::Hand& hand = state_.PlayerRecord[0].cards;
    if (d_.HintIndex == 0) {
        d_.HintList.clear();
        const rules::HintCandidates candidates =
            rules::FollowHint(hand.codes(), state_.TablePlay.cardList());
        d_.HintList = rules::formatHintList(candidates, hand);
        d_.HintLast = static_cast<int>(candidates.size()) - 1;
    }
    if (!d_.HintList.empty()) {
        sound_.PlaySoundEffect(sound::Effect::kHint);
        hand_.lowerRaisedCards();
        std::vector<std::string> candidates;
        std::stringstream list(d_.HintList);
        for (std::string c; std::getline(list, c, '$');) candidates.push_back(c);
        const int count = static_cast<int>(candidates.size());
        if (d_.HintIndex < 0 || d_.HintIndex >= count) d_.HintIndex = 0;
        std::stringstream items(candidates[static_cast<std::size_t>(d_.HintIndex)]);
        for (int item; items >> item;) hand_.raiseCardItem(item);
        d_.HintIndex = count <= 1 ? 0 : (d_.HintIndex + 1) % count;
        return;
    }
    // Nothing beats the table: the hint passes for the player.
    for (int i = 0; i <= 2; ++i) table_.at("Operation", i).visible = false;
    hand_.lowerRaisedCards();
    if (!connection_.connected() || !state_.PlayToken) return;
    sendPlayAction(wire::PlayAction::kPass);
    const PromptKind answered = d_.prompt.LeadMode() ? PromptKind::kNone : d_.prompt.kind();
    FinishDecision(answered, true, true);
    unloadIllegalPlayNotice();
}

void ActionButtons::clickOperation(int item) {
    if (!state_.LoginAccepted) return;
    switch (item) {
        case 0:
            if (d_.prompt.anyTurnMode()) ValidateAndPlay();
            state_.TimeoutCount = 0;
            break;
        case 1:
            if (d_.prompt.YieldMode()) {
                if (connection_.connected() && state_.PlayToken) {
                    sendPlayAction(wire::PlayAction::kYield);
                    FinishDecision(PromptKind::kYield, true, true);
                    d_.HintIndex = 0;
                }
            } else {
                pressHint();
            }
            break;
        case 2: {
            if (!connection_.connected() || !state_.PlayToken) break;
            const PromptKind answered = d_.prompt.kind();
            if (d_.prompt.TakeLeadMode()) {
                sendPlayAction(wire::PlayAction::kTakeLead);
            } else if (d_.prompt.FollowMode() || d_.prompt.BurnMode() || d_.prompt.YieldMode()) {
                sendPlayAction(wire::PlayAction::kPass);
                unloadIllegalPlayNotice();
            } else {
                break;
            }
            FinishDecision(answered, true, true);
            hand_.lowerRaisedCards();
            for (int i = 0; i <= 2; ++i) table_.at("Operation", i).visible = false;
            break;
        }
        case 5:
            hand_.lowerRaisedCards();
            break;
        default:
            break;
    }
    table_.setFocus(&table_.at("Chat"));
}

void ActionButtons::clickOperationNotP(int item) {
    if (!connection_.connected() || item < 0 || item > 1) return;
    const PromptRow& row = d_.prompt.row();
    if (!d_.prompt.up() || row.turnRow) return;
    const Answer a = row.answer[item];
    if (a == Answer::kNone) return;  // the return has no second button
    if (a == Answer::kReturn) {
        answerReturn();
        return;
    }
    answer(a);
    FinishDecision(row.kind, false, true);
}

// Hover looks.

void ActionButtons::hoverOperation(int item) {
    if (item == 5) {
        if (d_.RestoreHover) return;
        pictures_.showRestorePicture(table_.at("Operation", 5), kRestoreHover);
        d_.RestoreHover = true;
        return;
    }
    if (item < 0 || item > 2 || d_.OperationHover) return;
    const int picture = kTurnButtons[d_.prompt.turnMode()].item[item];
    if (picture == kNone) return;
    pictures_.showActionPicture(table_.at("Operation", item), actionHoverOf(picture));
    d_.OperationHover = true;
}

void ActionButtons::hoverOperationNotP(int item) {
    if (item < 0 || item > 1 || d_.OperationNotPHover) return;
    const PromptRow& row = d_.prompt.row();
    if (!d_.prompt.up() || row.turnRow || row.picture[item] == kNone) return;
    pictures_.showActionPicture(table_.at("OperationNotP", item), actionHoverOf(row.picture[item]));
    d_.OperationNotPHover = true;
}

void ActionButtons::resetButtonHover() {
    if (d_.OperationHover) {
        const ButtonRow& row = kTurnButtons[d_.prompt.turnMode()];
        for (int i = 0; i <= 2; ++i)
            if (row.item[i] != kNone)
                pictures_.showActionPicture(table_.at("Operation", i), row.item[i]);
        d_.OperationHover = false;
    }
    if (d_.OperationNotPHover) {
        const PromptRow& row = d_.prompt.row();
        for (int i = 0; i <= 1 && d_.prompt.up() && !row.turnRow; ++i)
            if (row.picture[i] != kNone)
                pictures_.showActionPicture(table_.at("OperationNotP", i), row.picture[i]);
        d_.OperationNotPHover = false;
    }
    if (d_.RestoreHover) {
        pictures_.showRestorePicture(table_.at("Operation", 5), kRestoreNormal);
        d_.RestoreHover = false;
    }
}

}  // namespace table
