// The tribute command (8): the offer to the receiver, the tribute made (cards from
// the giver to the receiver, with a return due for kind 4), the return made; and
// the own return's cards leaving the hand. The answers go through the decision
// buttons and the countdown.
#include <algorithm>

#include "app/client.h"

namespace app {

namespace {

constexpr std::uint8_t kOffer = 1, kTributeMade = 2, kReturnMade = 3;
constexpr std::uint8_t kKindWithReturn = 4;
// Entries of the pictures used here.
constexpr int kPicAccept = 8, kPicDecline = 9, kPicReturn = 28;
constexpr int kBubbleAccepted = 2;
// A tribute moves at most twelve cards; the return has two places.
constexpr int kMaxTributeCards = 12;
constexpr int kMaxReturnCards = 2;

rules::CardCode cardAt(const net::GamePacket& p, std::size_t at) {
    return static_cast<rules::CardCode>(p[at] | (p[at + 1] << 8) | (p[at + 2] << 16) |
                                        (static_cast<std::uint32_t>(p[at + 3]) << 24));
}

// The number of cards a packet names, cut to what a tribute can carry.
int cardCount(const net::GamePacket& p) { return std::min<int>(p[16], kMaxTributeCards); }

}  // namespace

void Client::HandleTribute(const net::GamePacket& p) {
    switch (p[11]) {
        case kOffer:
            tributeOffer(p);
            break;
        case kTributeMade:
            tributeMade(p);
            break;
        case kReturnMade:
            if (playSlot(p[6]) == 0) receiveTributeCards(p);
            break;
        default:
            break;
    }
}

void Client::tributeOffer(const net::GamePacket& p) {
    if (playSlot(p[6]) != 0) return;
    const auto giver = static_cast<std::size_t>(playSlot(p[12]));
    ShowNotice(state.PlayerInfo[giver].nickname + " 向您进贡,请选择是否吃贡");
    ShowDecisionPrompt(p[9], kPicAccept, kPicDecline, play.AcceptTributePending);
}

void Client::tributeMade(const net::GamePacket& p) {
    const int r = playSlot(p[6]);
    const int g = playSlot(p[12]);
    if (r != 0) showBubble(r, kBubbleAccepted);
    ShowNotice(state.PlayerInfo[static_cast<std::size_t>(g)].nickname + " 向 " +
               state.PlayerInfo[static_cast<std::size_t>(r)].nickname + "进贡");
    if (r == 0) {
        const int n = receiveTributeCards(p);
        if (p[8] == kKindWithReturn && n > 0) askForReturn(p, n);
    }
    if ((p[12] & 0x3F) == state.PlayerRecord[0].seatBit) giveTributeCards(p);
}

// The cards of a tribute or a return join the hand: first shown in a row above
// it for two seconds, then laid out with the rest, enabled and sorted in.
int Client::receiveTributeCards(const net::GamePacket& p) {
    rules::Hand& hand = state.PlayerRecord[0].cards;
    const double s = state.Scale.x;
    const int n = cardCount(p);
    const double w = cardImage(0, 0).width;
    const double f = s == 1.0 ? 0.26 : 0.23;
    std::vector<int> added;
    for (int k = 0; k < n; ++k) {
        const int item = state.CardsDealt;
        if (item >= table::kCardItems || hand.full()) break;
        const rules::CardCode code = cardAt(p, 17 + 4 * static_cast<std::size_t>(k));
        ui::Control& card = cardImage(0, item);
        card.visible = false;
        hand.append(code, static_cast<std::int16_t>(item), state.HandTop);
        card.stretch = false;
        ShowCardPicture(0, item, rules::PictureIndex(code));
        card.move(state.PlayerRecord[0].handLeft - (n * 0.11 + 0.39) * 90 * s + k * f * w,
                  state.HandTop - cardImage(0, 0).height - 10 * s);
        card.enabled = false;
        card.visible = true;
        MainForm.bringToFront(card);
        added.push_back(item);
        ++state.CardsDealt;
    }
    pf.loop.wait(2000);
    for (int i = 0; i < hand.count(); ++i) LayOutHand(i, true);
    for (int item : added) cardImage(0, item).enabled = true;
    SortAndShowCards(0, hand.count());
    return static_cast<int>(added.size());
}

// A tribute of kind 4: the receiver owes cards back and chooses them under the
// return rules.
void Client::askForReturn(const net::GamePacket& p, int n) {
    // The return answer has two places; a larger return is answered for two.
    play.ReturnCount = std::min(n, kMaxReturnCards);
    std::copy_n(p.begin() + 76, play.NoReturnRanks.size(), play.NoReturnRanks.begin());
    ShowNotice(state.PlayerInfo[0].nickname + "回落贡" + std::to_string(n) + "张");
    ui::Control& button = MainForm.at("OperationNotP", 0);
    showActionPicture(button, kPicReturn);
    button.left = ButtonBaseX + 1.3 * MainForm.at("Operation", 0).width;
    button.visible = button.enabled = true;
    MainForm.bringToFront(button);
    play.ReturnPending = true;
    state.PromptActive = true;
    slots[net::SlotTurnCountdown].flag = true;
    slots[net::SlotTurnCountdown].counter = 0;
    StartOwnCountdown(p[9]);
    if (state.Away) state.CountdownSeconds = 1;
}

// The giver's tribute cards stand half a card above the hand for two seconds, then
// leave it.
void Client::giveTributeCards(const net::GamePacket& p) {
    const int n = cardCount(p);
    std::vector<std::uint8_t> ids(p.begin() + 96, p.begin() + 96 + n);
    leaveHand(ids, 0.5);
    SortAndShowCards(0, state.PlayerRecord[0].cards.count());
}

// The own return has gone out: its cards stand a fifth of a card above the hand
// for two seconds, then leave it; the rest keeps its order.
void Client::returnTributeSent(const rules::HandPositions& chosen) {
    const rules::Hand& hand = state.PlayerRecord[0].cards;
    std::vector<std::uint8_t> ids;
    for (int pos : chosen)
        if (pos >= 0 && pos < hand.count())
            ids.push_back(static_cast<std::uint8_t>(rules::cardIdOf(hand.code(pos))));
    leaveHand(ids, 0.2);
}

void Client::leaveHand(const std::vector<std::uint8_t>& cardIds, double raisedBy) {
    rules::Hand& hand = state.PlayerRecord[0].cards;
    auto named = [&](int pos) {
        return std::find(cardIds.begin(), cardIds.end(),
                         static_cast<std::uint8_t>(rules::cardIdOf(hand.code(pos)))) != cardIds.end();
    };
    for (int i = 0; i < hand.count(); ++i) {
        if (!named(i)) continue;
        ui::Control& card = cardImage(0, hand.imageIndex(i));
        card.top = state.HandTop - card.height * raisedBy;
        card.enabled = false;
    }
    pf.loop.wait(2000);
    for (int i = hand.count() - 1; i >= 0; --i) {
        if (!named(i)) continue;
        cardImage(0, hand.imageIndex(i)).visible = false;
        hand.removeAt(i);
    }
    for (int i = 0; i < hand.count(); ++i) LayOutHand(i, false);
}

}  // namespace app
