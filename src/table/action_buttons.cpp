// The two button rows under the table centre: Operation (play, hint, pass, burn,
// yield, take the lead, and the restore button) for the turns, OperationNotP for the
// declarations, work, revolution, head and tribute decisions. Their pictures by mode,
// their clicks, their hover looks, and the hint cycle behind the hint button.
#include <sstream>

#include "app/client.h"
#include "pictures/action_pictures.h"
#include "rules/hint.h"
#include "rules/tribute_return.h"
#include "wire/play.h"
#include "wire/round_start.h"
#include "wire/tribute.h"

namespace app {

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

int Client::currentTurnMode() const {
    if (play.LeadMode) return table::kModeLead;
    if (play.FollowMode) return table::kModeFollow;
    if (play.BurnMode) return table::kModeBurn;
    if (play.YieldMode) return table::kModeYield;
    if (play.TakeLeadMode) return table::kModeTakeLead;
    return table::kModeNone;
}

bool* Client::turnModeFlag(int mode) {
    switch (mode) {
        case table::kModeLead:
            return &play.LeadMode;
        case table::kModeFollow:
            return &play.FollowMode;
        case table::kModeBurn:
            return &play.BurnMode;
        case table::kModeYield:
            return &play.YieldMode;
        case table::kModeTakeLead:
            return &play.TakeLeadMode;
        default:
            return nullptr;
    }
}

Client::Decision Client::currentDecision() {
    struct Entry {
        bool* flag;
        int left, right;
    };
    const Entry entries[] = {
        {&state.DeclarePending, kPicDeclare, kPicPass},
        {&state.RevealPending, kPicReveal, kPicPass},
        {&state.WorkPending, kPicWork, kPicPass},
        {&state.RevolutionPending, kPicRevolution, kPicPass},
        {&state.HeadPending, kPicWithHead, kPicWithoutHead},
        {&play.AcceptTributePending, kPicAccept, kPicDecline},
        {&play.ReturnPending, kPicReturn, kNone},
    };
    for (const Entry& e : entries)
        if (*e.flag) return {e.flag, {e.left, e.right}};
    return {};
}

void Client::clearDecisionFlags() {
    state.DeclarePending = state.RevealPending = state.RevolutionPending = false;
    state.HeadPending = state.WorkPending = false;
    play.AcceptTributePending = play.ReturnPending = false;
    play.clearTurnModes();
    state.PromptActive = false;
    state.PlayToken = false;
    state.MyTurn = false;
}

void Client::offerTurn(int mode) {
    if (mode < table::kModeLead || mode > table::kModeTakeLead) return;
    const ButtonRow& row = kTurnButtons[mode];
    ui::Control* op[3] = {&MainForm.at("Operation", 0), &MainForm.at("Operation", 1),
                          &MainForm.at("Operation", 2)};
    const double w0 = op[0]->width;
    if (row.item[2] == kNone) {
        op[0]->left = ButtonBaseX + 0.3 * w0;
        op[1]->left = op[0]->left + 2 * op[1]->width;
        op[2]->visible = op[2]->enabled = false;
    } else {
        for (int i = 0; i < 3; ++i) op[i]->left = ButtonBaseX + 1.3 * i * w0;
    }
    for (int i = 0; i < 3; ++i) {
        if (row.item[i] == kNone) continue;
        pictures.showActionPicture(*op[i], row.item[i]);
        op[i]->visible = op[i]->enabled = true;
        MainForm.bringToFront(*op[i]);
    }
    *turnModeFlag(mode) = true;
    state.PlayToken = true;
    state.MyTurn = true;
    connection.slots[net::SlotTurnCountdown].flag = true;
    connection.slots[net::SlotTurnCountdown].counter = 0;
    state.PromptActive = true;
}

void Client::FinishDecision(bool* answered, bool turnRow, bool resetTimeouts) {
    if (answered) *answered = false;
    state.PlayToken = false;
    state.PromptActive = false;
    if (turnRow) state.MyTurn = false;
    connection.slots[net::SlotTurnCountdown].flag = false;
    if (turnRow) {
        for (int i = 0; i <= 2; ++i) MainForm.at("Operation", i).visible = false;
    } else {
        for (int i = 0; i <= 1; ++i) MainForm.at("OperationNotP", i).visible = false;
    }
    MainForm.at("Number").visible = false;
    MainForm.at("Time_Img").visible = false;
    if (resetTimeouts && state.TimeoutCount > 0) state.TimeoutCount = 0;
}

void Client::lowerRaisedCards() {
    const rules::Hand& hand = state.PlayerRecord[0].cards;
    for (int i = 0; i < hand.count(); ++i) {
        ui::Control& c = cardImage(0, hand.imageIndex(i));
        if (c.top < state.HandTop) c.top = state.HandTop;
    }
}

void Client::raiseCardItem(int item) {
    if (item < 0 || item >= table::kCardItems) return;
    ui::Control& c = cardImage(0, item);
    c.top = state.HandTop - c.height / 5;
}

void Client::raiseLeadProposal() {
    const rules::Hand& hand = state.PlayerRecord[0].cards;
    lowerRaisedCards();
    for (int pos : rules::LeadHint(hand.codes(), play.SelfBurning))
        raiseCardItem(hand.imageIndex(pos));
}

void Client::sendPlayAction(wire::PlayAction action) {
    wire::Play answer;
    answer.seat = state.PlayerRecord[0].seatBit;
    answer.action = action;
    wire::GamePacket p = answer.encode();
    connection.QueuePacket(p);
}

void Client::sendDeclaration(wire::DeclareKind kind) {
    wire::GamePacket p = wire::DeclarationAnswer{state.PlayerRecord[0].seatBit, kind}.encode();
    connection.QueuePacket(p);
}

void Client::sendRevolutionChoice(wire::RevolutionChoice choice) {
    wire::GamePacket p = wire::RevolutionAnswer{state.PlayerRecord[0].seatBit, choice}.encode();
    connection.QueuePacket(p);
}

void Client::sendTributeChoice(wire::TributeChoice choice) {
    wire::TributeAnswer answer;
    answer.seat = state.PlayerRecord[0].seatBit;
    answer.choice = choice;
    wire::GamePacket p = answer.encode();
    connection.QueuePacket(p);
}

void Client::pressHint() {
    state.TimeoutCount = 0;
    lowerRaisedCards();
    if (state.TablePlay.playClass == rules::PlayClass::None) {
        raiseLeadProposal();
        return;
    }
    const rules::Hand& hand = state.PlayerRecord[0].cards;
    if (play.HintIndex == 0) {
        play.HintList.clear();
        const rules::HintCandidates candidates =
            rules::FollowHint(hand.codes(), state.TablePlay.cardList());
        play.HintList = rules::formatHintList(candidates, hand);
        play.HintLast = static_cast<int>(candidates.size()) - 1;
    }
    if (!play.HintList.empty()) {
        sound.PlaySoundEffect(sound::Effect::Hint);
        lowerRaisedCards();
        std::vector<std::string> candidates;
        std::stringstream list(play.HintList);
        for (std::string c; std::getline(list, c, '$');) candidates.push_back(c);
        const int count = static_cast<int>(candidates.size());
        if (play.HintIndex < 0 || play.HintIndex >= count) play.HintIndex = 0;
        std::stringstream items(candidates[static_cast<std::size_t>(play.HintIndex)]);
        for (int item; items >> item;) raiseCardItem(item);
        play.HintIndex = count <= 1 ? 0 : (play.HintIndex + 1) % count;
        return;
    }
    // Nothing beats the table: the hint passes for the player.
    for (int i = 0; i <= 2; ++i) MainForm.at("Operation", i).visible = false;
    lowerRaisedCards();
    if (!connection.connected() || !state.PlayToken) return;
    sendPlayAction(wire::PlayAction::kPass);
    play.FollowMode = play.BurnMode = play.YieldMode = play.TakeLeadMode = false;
    FinishDecision(nullptr, true, true);
    unloadIllegalPlayNotice();
}

void Client::clickOperation(int item) {
    if (!state.LoginAccepted) return;
    switch (item) {
        case 0:
            if (play.anyTurnMode()) ValidateAndPlay();
            state.TimeoutCount = 0;
            break;
        case 1:
            if (play.YieldMode) {
                if (connection.connected() && state.PlayToken) {
                    sendPlayAction(wire::PlayAction::kYield);
                    FinishDecision(&play.YieldMode, true, true);
                    play.HintIndex = 0;
                }
            } else {
                pressHint();
            }
            break;
        case 2: {
            if (!connection.connected() || !state.PlayToken) break;
            bool* answered = nullptr;
            if (play.TakeLeadMode) {
                sendPlayAction(wire::PlayAction::kTakeLead);
                answered = &play.TakeLeadMode;
            } else if (play.FollowMode || play.BurnMode || play.YieldMode) {
                sendPlayAction(wire::PlayAction::kPass);
                unloadIllegalPlayNotice();
                answered = turnModeFlag(currentTurnMode());
            } else {
                break;
            }
            FinishDecision(answered, true, true);
            lowerRaisedCards();
            for (int i = 0; i <= 2; ++i) MainForm.at("Operation", i).visible = false;
            break;
        }
        case 5:
            lowerRaisedCards();
            break;
        default:
            break;
    }
    MainForm.setFocus(&MainForm.at("Chat"));
}

void Client::enableHandCards() {
    const rules::Hand& hand = state.PlayerRecord[0].cards;
    for (int i = 0; i < hand.count(); ++i) cardImage(0, hand.imageIndex(i)).enabled = true;
}

void Client::hideTributeNotice() {
    if (ui::Form* tishi = pf.windows.find("frmTishi"); tishi && tishi->visible) {
        tishi->hide();
        tishi->topmost = false;
    }
}

void Client::clickOperationNotP(int item) {
    if (!connection.connected()) return;
    const Decision d = currentDecision();
    if (!d.flag) return;
    const rules::Hand& hand = state.PlayerRecord[0].cards;
    if (item == 0) {
        if (d.flag == &play.ReturnPending) {
            answerReturn();
            return;
        }
        if (d.flag == &state.DeclarePending || d.flag == &state.RevealPending) {
            const bool declare = d.flag == &state.DeclarePending;
            sendDeclaration(declare ? wire::DeclareKind::kPreDeclare : wire::DeclareKind::kOpen);
            ui::Control& label = MainForm.at("ImgYm", 0);
            pictures.showIndicatorPicture(label, declare ? kDeclaredLabel : kRevealedLabel);
            label.visible = true;
            MainForm.bringToFront(label);
        } else if (d.flag == &state.WorkPending) {
            int cardId = 0;
            for (int i = 0; i < hand.count(); ++i)
                if (cardImage(0, hand.imageIndex(i)).top < state.HandTop) {
                    cardId = rules::cardIdOf(hand.code(i));
                    break;
                }
            sendWorkAnswer(cardId, state.BestSameSuitCount);
            sound.PlaySoundEffect(sound::Effect::GoToWork);
            enableHandCards();
            lowerRaisedCards();
        } else if (d.flag == &state.RevolutionPending) {
            sendRevolutionChoice(wire::RevolutionChoice::kRevolt);
        } else if (d.flag == &state.HeadPending) {
            sendRevolutionChoice(wire::RevolutionChoice::kHead);
        } else if (d.flag == &play.AcceptTributePending) {
            sendTributeChoice(wire::TributeChoice::kAccept);
            hideTributeNotice();
        }
    } else if (item == 1) {
        if (d.flag == &state.DeclarePending || d.flag == &state.RevealPending) {
            sendDeclaration(wire::DeclareKind::kDecline);
        } else if (d.flag == &state.WorkPending) {
            sendWorkAnswer(0, 0);
            enableHandCards();
            lowerRaisedCards();
        } else if (d.flag == &state.RevolutionPending) {
            sendRevolutionChoice(wire::RevolutionChoice::kDecline);
        } else if (d.flag == &state.HeadPending) {
            sendRevolutionChoice(wire::RevolutionChoice::kNoHead);
        } else if (d.flag == &play.AcceptTributePending) {
            sendTributeChoice(wire::TributeChoice::kDecline);
            hideTributeNotice();
        } else {
            return;  // the return has no second button
        }
    } else {
        return;
    }
    FinishDecision(d.flag, false, true);
}

// The return of the tribute: the chosen cards go back to the tributer. A refused
// choice sends nothing and leaves the prompt up (a manual one with its reason on the
// notice). The decision ends before the returned cards' pause, so that a turn the
// server offers during the pause is not ended with it.
bool Client::answerReturn() {
    if (!connection.connected()) return false;
    const rules::Hand& hand = state.PlayerRecord[0].cards;
    const bool byItself = state.CountdownSeconds < 1;
    if (byItself) lowerRaisedCards();  // the countdown chooses from the whole hand
    rules::HandPositions selected;
    for (int i = 0; i < hand.count(); ++i)
        if (cardImage(0, hand.imageIndex(i)).top < state.HandTop) selected.push_back(i);
    const rules::ReturnDecision r = rules::CheckReturnSelection(
        hand.codes(), selected, play.ReturnCount, play.NoReturnRanks, state.CountdownSeconds);
    if (!r.ok) {
        if (!r.notice.empty()) ShowNotice(r.notice);
        return false;
    }
    const std::size_t count = std::min(r.chosen.size(), play.ReturnChoice.size());
    wire::TributeAnswer answer;
    answer.seat = state.PlayerRecord[0].seatBit;
    answer.choice = wire::TributeChoice::kReturn;
    answer.count = static_cast<std::uint8_t>(count);
    for (std::size_t i = 0; i < count; ++i) {
        play.ReturnChoice[i] = static_cast<std::uint8_t>(rules::cardIdOf(hand.code(r.chosen[i])));
        answer.ids[i] = play.ReturnChoice[i];
    }
    wire::GamePacket p = answer.encode();
    connection.QueuePacket(p);
    ui::Control& button = MainForm.at("OperationNotP", 0);
    button.visible = false;
    button.left = MainForm.at("Operation", 0).left;
    FinishDecision(&play.ReturnPending, false, !byItself);
    returnTributeSent(std::span<const std::uint8_t>(play.ReturnChoice.data(), count));
    return true;
}

// Hover looks.

void Client::hoverOperation(int item) {
    if (item == 5) {
        if (play.RestoreHover) return;
        pictures.showRestorePicture(MainForm.at("Operation", 5), kRestoreHover);
        play.RestoreHover = true;
        return;
    }
    if (item < 0 || item > 2 || play.OperationHover) return;
    const int picture = kTurnButtons[currentTurnMode()].item[item];
    if (picture == kNone) return;
    pictures.showActionPicture(MainForm.at("Operation", item), actionHoverOf(picture));
    play.OperationHover = true;
}

void Client::hoverOperationNotP(int item) {
    if (item < 0 || item > 1 || play.OperationNotPHover) return;
    const Decision d = currentDecision();
    if (!d.flag || d.picture[item] == kNone) return;
    pictures.showActionPicture(MainForm.at("OperationNotP", item), actionHoverOf(d.picture[item]));
    play.OperationNotPHover = true;
}

void Client::resetButtonHover() {
    if (play.OperationHover) {
        const ButtonRow& row = kTurnButtons[currentTurnMode()];
        for (int i = 0; i <= 2; ++i)
            if (row.item[i] != kNone)
                pictures.showActionPicture(MainForm.at("Operation", i), row.item[i]);
        play.OperationHover = false;
    }
    if (play.OperationNotPHover) {
        const Decision d = currentDecision();
        for (int i = 0; i <= 1 && d.flag; ++i)
            if (d.picture[i] != kNone)
                pictures.showActionPicture(MainForm.at("OperationNotP", i), d.picture[i]);
        play.OperationNotPHover = false;
    }
    if (play.RestoreHover) {
        pictures.showRestorePicture(MainForm.at("Operation", 5), kRestoreNormal);
        play.RestoreHover = false;
    }
}

void Client::wirePlayEvents() {
    MainForm.on("Operation", ui::EventKind::Click,
                [this](ui::Control* c, ui::Event&) { clickOperation(c->index); });
    MainForm.on("OperationNotP", ui::EventKind::Click,
                [this](ui::Control* c, ui::Event&) { clickOperationNotP(c->index); });
    MainForm.on("Operation", ui::EventKind::MouseMove,
                [this](ui::Control* c, ui::Event&) { hoverOperation(c->index); });
    MainForm.on("OperationNotP", ui::EventKind::MouseMove,
                [this](ui::Control* c, ui::Event&) { hoverOperationNotP(c->index); });
}

}  // namespace app
