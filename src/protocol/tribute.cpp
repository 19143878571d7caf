// The tribute command (8): the offer to the receiver with its accept/decline prompt;
// the tribute made, which moves the cards from the giver's hand to the receiver's
// and may oblige the receiver to give cards back; the return made, which brings
// those cards to the giver. And the cards leaving the own hand after the own return
// went out.
#include <algorithm>

#include "app/client.h"
#include "pictures/action_pictures.h"

namespace app {

namespace {

enum SubCode : int { kOffer = 1, kTributeMade = 2, kReturnMade = 3 };
// The tribute kind after which the receiver must give cards back.
constexpr int kKindWithReturn = 4;
// The packet's card table holds twelve cards (codes at 17..64, ids at 96..107, the
// no-return ranks from 76 on); a larger count is read as twelve, so no card is ever
// read from the fields behind the table.
constexpr int kMaxTributeCards = 12;
// The return answer names at most two cards.
constexpr int kMaxReturnCards = 2;
// How long the cards that move stay on show before the hand is laid out again.
constexpr int kPauseMs = 2000;

using pictures::kPicAccept, pictures::kPicDecline, pictures::kPicReturn;
// The 吃贡 bubble.
constexpr int kBubbleTribute = 2;

int cardCount(const wire::GamePacket& p) { return std::min<int>(p[16], kMaxTributeCards); }

// A seat byte without any of the six seat bits names nobody.
bool namesSeat(std::uint8_t seatByte) { return state::seatBitOf(seatByte) != 0; }

}  // namespace

void Client::HandleTribute(const wire::GamePacket& p) {
    switch (p[11]) {
        case kOffer:
            tributeOffered(p);
            break;
        case kTributeMade:
            tributeMade(p);
            break;
        case kReturnMade:
            if (namesSeat(p[6]) && slotOf(p[6]) == 0) receiveTributeCards(p);
            break;
        default:
            break;
    }
}

// Only the receiver is asked; the answer is the decision buttons' (or the
// countdown's) work.
void Client::tributeOffered(const wire::GamePacket& p) {
    if (!namesSeat(p[6]) || !namesSeat(p[12]) || slotOf(p[6]) != 0) return;
    const auto giver = static_cast<std::size_t>(slotOf(p[12]));
    ShowNotice(state.PlayerInfo[giver].nickname + " 向您进贡,请选择是否吃贡");
    showDecisionButtons(kPicAccept, kPicDecline);
    StartOwnCountdown(p[9]);
    play.AcceptTributePending = true;
    state.PromptActive = true;
    connection.slots[net::SlotTurnCountdown].flag = true;
    connection.slots[net::SlotTurnCountdown].counter = 0;
}

void Client::tributeMade(const wire::GamePacket& p) {
    if (!namesSeat(p[6]) || !namesSeat(p[12])) return;
    const int r = slotOf(p[6]);
    const int g = slotOf(p[12]);
    if (r != 0) showBubble(r, kBubbleTribute);
    ShowNotice(state.PlayerInfo[static_cast<std::size_t>(g)].nickname + " 向 " +
               state.PlayerInfo[static_cast<std::size_t>(r)].nickname + "进贡");
    if (r == 0) {
        receiveTributeCards(p);
        if (p[8] == kKindWithReturn) raiseReturnPrompt(p);
    }
    if (state::seatBitOf(p[12]) == state.PlayerRecord[0].seatBit) {
        rules::FixedList<std::uint8_t, kMaxTributeCards> ids;
        for (int k = 0; k < cardCount(p); ++k) ids.push_back(p[96 + static_cast<std::size_t>(k)]);
        cardsLeaveHand(ids, 0.5);
        SortAndShowCards(0, state.PlayerRecord[0].cards.count());
    }
}

// The cards of the packet join the own hand: each takes the next unused picture
// item, shows above the hand for the pause, then the whole hand is laid out, lowered
// and sorted. A card for which no picture item or hand place is left is not taken.
void Client::receiveTributeCards(const wire::GamePacket& p) {
    rules::Hand& hand = state.PlayerRecord[0].cards;
    const int room =
        std::min(table::kCardItems - state.CardsDealt, rules::kHandCapacity - hand.count());
    const int n = std::clamp(cardCount(p), 0, std::max(room, 0));
    if (n == 0) return;
    const double s = state.Scale.x;
    const ui::Control& first = cardImage(0, 0);
    const double step = (s == 1.0 ? 0.26 : 0.23) * first.width;
    const double left = state.PlayerRecord[0].handLeft - (n * 0.11 + 0.39) * 90 * s;
    const double top = state.HandTop - first.height - 10 * s;
    for (int k = 0; k < n; ++k) {
        const rules::CardCode code =
            static_cast<rules::CardCode>(wire::readLe32(p, 17 + 4 * static_cast<std::size_t>(k)));
        const int item = state.CardsDealt;
        ui::Control& card = cardImage(0, item);
        card.visible = false;
        hand.append(code, static_cast<std::int16_t>(item), static_cast<std::int32_t>(top));
        card.stretch = false;
        pictures.ShowCardPicture(0, item, rules::PictureIndex(code));
        card.move(left + k * step, top);
        card.enabled = false;
        card.visible = true;
        MainForm.bringToFront(card);
        ++state.CardsDealt;
    }
    pf.loop.wait(kPauseMs);
    // Laying out enables every card, the new ones among them.
    for (int i = 0; i < hand.count(); ++i) LayOutHand(i, true);
    SortAndShowCards(0, hand.count());
}

// A tribute of the returning kind: the receiver is asked for ReturnCount cards.
void Client::raiseReturnPrompt(const wire::GamePacket& p) {
    play.ReturnCount = std::min(cardCount(p), kMaxReturnCards);
    if (play.ReturnCount < 1) return;  // nothing to give back
    std::copy_n(p.begin() + 76, play.NoReturnRanks.size(), play.NoReturnRanks.begin());
    ShowNotice(state.PlayerInfo[0].nickname + "回落贡" + std::to_string(play.ReturnCount) + "张");
    ui::Control& button = MainForm.at("OperationNotP", 0);
    pictures.showActionPicture(button, kPicReturn);
    button.left = ButtonBaseX + 1.3 * button.width;
    button.visible = button.enabled = true;
    MainForm.bringToFront(button);
    play.ReturnPending = true;
    state.PromptActive = true;
    connection.slots[net::SlotTurnCountdown].flag = true;
    connection.slots[net::SlotTurnCountdown].counter = 0;
    StartOwnCountdown(p[9]);
    if (state.Away) state.CountdownSeconds = 1;
}

// The own return went out: the returned cards stand a little raised for the pause
// and leave; the rest keeps its order.
void Client::returnTributeSent(std::span<const std::uint8_t> ids) { cardsLeaveHand(ids, 0.2); }

// Every hand entry whose CardId is one of ids is raised by the fraction of its
// picture's height and disabled; after the pause those entries leave the hand (by
// their ids again, whatever happened to the hand meanwhile) and the rest is laid out.
void Client::cardsLeaveHand(std::span<const std::uint8_t> ids, double raiseFraction) {
    rules::FixedList<std::uint8_t, kMaxTributeCards> leaving;
    for (std::uint8_t id : ids) leaving.push_back(id);
    if (leaving.empty()) return;
    rules::Hand& hand = state.PlayerRecord[0].cards;
    auto isLeaving = [&](int pos) {
        const int id = rules::cardIdOf(hand.code(pos));
        return std::find(leaving.begin(), leaving.end(), id) != leaving.end();
    };
    for (int i = 0; i < hand.count(); ++i) {
        if (!isLeaving(i)) continue;
        ui::Control& card = cardImage(0, hand.imageIndex(i));
        card.top = state.HandTop - card.height * raiseFraction;
        card.enabled = false;
    }
    pf.loop.wait(kPauseMs);
    for (int i = hand.count() - 1; i >= 0; --i) {
        if (!isLeaving(i)) continue;
        cardImage(0, hand.imageIndex(i)).visible = false;
        hand.removeAt(i);
    }
    for (int i = 0; i < hand.count(); ++i) LayOutHand(i, false);
}

}  // namespace app
