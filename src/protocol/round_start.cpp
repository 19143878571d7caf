// The deal (command 1) and the round-start stages: declarations (2) and work (3).
#include "protocol/round_start.h"

#include "rules/work.h"
#include "wire/round_start.h"

namespace protocol {

namespace {

// Entries of the indicator pictures.
constexpr int kUnlitLamp = 0, kDeclaredLabel = 5, kRevealedLabel = 6;

}  // namespace

void RoundStart::HandleDeal(const wire::Deal& deal) {
    if (hall_.find()) hall_.post(platform::kHallDealt);
    connection_.slots[net::kSlotContinue].flag = false;
    connection_.stopKeepAlive();
    if (ui::Form* exitDialog = windows_.find("frmExit"); exitDialog && exitDialog->visible)
        exitDialog->unload();
    connection_.slots[net::kSlotTurnCountdown].flag = false;
    connection_.slots[net::kSlotContinue].counter = 0;
    if (state_.HandInGame == 3) {
        state_.RevealsCleared = false;
        state_.HandInGame = 0;
    }
    ++state_.HandInGame;
    hallButtons_.setHallButtonPressed(table::kBtnContinue);
    for (int slot = 0; slot < 6; ++slot) {
        table_.at("OK", slot).visible = false;
        state_.PlayerRecord[static_cast<std::size_t>(slot)].cards.clear();
    }
    for (int slot = 0; slot < 6; ++slot) table_.at("ImgQQ", slot).visible = false;

    // The hand.
    sound_.PlaySoundEffect(sound::Effect::kDeal);
    rules::Hand& hand = state_.PlayerRecord[0].cards;
    for (std::uint32_t card : deal.cards) hand.append(static_cast<rules::CardCode>(card));
    state_.CardsDealt = static_cast<int>(wire::Deal::kCards);
    for (int j = 0; j < hand.count(); ++j) {
        hand.setEntry(j, {hand.code(j), static_cast<std::int16_t>(j), state_.HandTop});
        ui::Control& card = hand_.cardImage(0, j);
        card.stretch = false;
        pictures_.ShowCardPicture(0, j, rules::PictureIndex(hand.code(j)));
        hand_.LayOutHand(j, true);
    }
    hand_.SortAndShowCards(0, hand.count());
    // The other slots' rows use their pictures in order.
    for (int slot = 1; slot < 6; ++slot) {
        rules::Hand& other = state_.PlayerRecord[static_cast<std::size_t>(slot)].cards;
        other.clear();
    }

    state_.MyTurn = false;
    state_.TablePlay.playClass = rules::PlayClass::kNone;
    for (int i = 0; i < 2; ++i) {
        ui::Control& b = table_.at("OperationNotP", i);
        b.visible = b.enabled = false;
    }
    for (int slot = 0; slot < 6; ++slot) {
        ui::Control& lamp = table_.at("ImgKaiD", slot);
        pictures_.showIndicatorPicture(lamp, kUnlitLamp);
        lamp.visible = true;
        table_.bringToFront(lamp);
    }
}

void RoundStart::HandleDeclaration(const wire::Declaration& d) {
    using wire::DeclareKind, wire::DeclarationStage;
    const bool prompt = d.stage == DeclarationStage::kPrompt;
    if (prompt && d.kind == DeclareKind::kPreDeclare) {
        hallButtons_.clearHallButtonHover();
        hallButtons_.setHallButtonPressed(table::kBtnContinue);
        hallButtons_.clearFirstStart();
        reset_.resetDisplay(true);
        state_.InGame = true;
        state_.GameBegun = true;
        for (int slot = 0; slot < 6; ++slot) table_.at("OK", slot).visible = false;
        buttons_.ShowDecisionPrompt(d.seconds, table::PromptKind::kDeclare);
    } else if (prompt && d.kind == DeclareKind::kOpen) {
        if (d.offered.offers(state_.PlayerRecord[0].seatBit))
            buttons_.ShowDecisionPrompt(d.seconds, table::PromptKind::kReveal);
        else if (state_.Away)
            state_.CountdownSeconds = 1;
    } else if (d.stage == DeclarationStage::kAnnouncement &&
               (d.kind == DeclareKind::kPreDeclare || d.kind == DeclareKind::kOpen)) {
        const bool pre = d.kind == DeclareKind::kPreDeclare;
        int slot = state::screenSlot(d.actor, state_.PlayerRecord[0].seatBit);
        ui::Control& label = table_.at("ImgYm", slot);
        pictures_.showIndicatorPicture(label, pre ? kDeclaredLabel : kRevealedLabel);
        label.visible = true;
        table_.bringToFront(label);
        sound_.PlaySoundEffect(pre ? sound::Effect::kDeclareYudian
                                   : sound::Effect::kDeclareMingdian);
    }
}

void RoundStart::HandleWork(const wire::Work& w) {
    rules::Hand& hand = state_.PlayerRecord[0].cards;
    const bool connected = connection_.connected();
    if (w.stage == wire::WorkStage::kPrompt) {
        rules::WorkEligibility work = rules::CheckWorkEligibility(hand.codes());
        state_.BestSameSuitCount = work.bestSameSuitCount;
        if (work.eligible) {
            // Only the fours stand raised, so the answer names one of them.
            hand_.lowerRaisedCards();
            for (int pos : work.raise) {
                hand_.raiseCardItem(hand.imageIndex(pos));
                sound_.PlaySoundEffect(sound::Effect::kCardRaised);
            }
            buttons_.ShowDecisionPrompt(state_.TurnSeconds, table::PromptKind::kWork);
            hand_.enableHandCards(false);
        } else if (connected) {
            buttons_.sendWorkAnswer(0, 0);
            buttons_.endPrompt(table::PromptKind::kWork);
            buttons_.hideDecisionButtons();
        }
        return;
    }
    // The announcement.
    if (buttons_.prompt().WorkPending() && w.count >= state_.BestSameSuitCount) {
        buttons_.hideDecisionButtons();
        for (int i = 0; i < hand.count(); ++i)
            hand_.cardImage(0, hand.imageIndex(i)).top = state_.HandTop;
        if (connected) {
            buttons_.sendWorkAnswer(0, 0);
            buttons_.endPrompt(table::PromptKind::kWork);
            countdown_.hide();
        }
        hand_.enableHandCards(true);
    }
    const int rank = w.rank();
    int suitIndex = 0;
    for (int bit = 0; bit < 4; ++bit)
        if (w.suitBits() & (1 << bit)) suitIndex = bit;
    for (int slot = 1; slot < 6; ++slot)
        for (int i = 0; i < 4; ++i) hand_.cardImage(slot, i).visible = false;
    const int slot = state::screenSlot(w.actor, state_.PlayerRecord[0].seatBit);
    if (slot == 0) return;
    if (w.count != 0) sound_.PlaySoundEffect(sound::Effect::kGoToWork);
    // At most the 56 pictures of the slot's row can show cards (the decoder's limit).
    const int shown = w.count;
    rules::Hand& row = state_.PlayerRecord[static_cast<std::size_t>(slot)].cards;
    row.clear();
    const rules::CardCode code = rules::composeCard(
        static_cast<std::uint8_t>(rank), static_cast<std::uint8_t>(1 << suitIndex), 0, 0);
    for (int i = 0; i < shown; ++i) row.append(code, static_cast<std::int16_t>(i));
    hand_.SortAndShowCards(slot, shown);
}

}  // namespace protocol
