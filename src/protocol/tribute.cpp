#include "protocol/tribute.h"

#include "rules/fixed_list.h"

namespace protocol {

namespace {

// The return answer names at most two cards.
constexpr int kMaxReturnCards = wire::kMaxReturnCards;

// The 吃贡 bubble.
constexpr int kBubbleTribute = 2;

}  // namespace

int Tribute::slotOf(std::uint8_t seatBit) const {
    return state::screenSlot(seatBit, state_.PlayerRecord[0].seatBit);
}

void Tribute::HandleTribute(const wire::Tribute& t) {
    switch (t.stage) {
        case wire::TributeStage::kOffer:
            tributeOffered(t);
            break;
        case wire::TributeStage::kMade:
            tributeMade(t);
            break;
        case wire::TributeStage::kReturned:
            // A seat byte without any of the six seat bits names nobody.
            if (t.receiver != 0 && slotOf(t.receiver) == 0) receiveTributeCards(t);
            break;
        default:
            break;
    }
}

// Only the receiver is asked; the answer is the decision buttons' (or the
// countdown's) work.
void Tribute::tributeOffered(const wire::Tribute& t) {
    if (t.receiver == 0 || t.giver == 0 || slotOf(t.receiver) != 0) return;
    const auto giver = static_cast<std::size_t>(slotOf(t.giver));
    notice_.ShowNotice(state_.PlayerInfo[giver].nickname + " 向您进贡,请选择是否吃贡");
    buttons_.ShowDecisionPrompt(t.seconds, table::PromptKind::kAcceptTribute);
}

void Tribute::tributeMade(const wire::Tribute& t) {
    if (t.receiver == 0 || t.giver == 0) return;
    const int r = slotOf(t.receiver);
    const int g = slotOf(t.giver);
    playedHand_.showAnnouncementBubble(r, kBubbleTribute);
    notice_.ShowNotice(state_.PlayerInfo[static_cast<std::size_t>(g)].nickname + " 向 " +
                       state_.PlayerInfo[static_cast<std::size_t>(r)].nickname + "进贡");
    if (r == 0) {
        receiveTributeCards(t);
        if (t.kind == wire::kTributeKindWithReturn) raiseReturnPrompt(t);
    }
    if (t.giver == state_.PlayerRecord[0].seatBit) {
        hand_.cardsLeaveHand(std::span<const std::uint8_t>(t.giverIds.data(), t.count), 0.5);
        hand_.SortAndShowCards(0, state_.PlayerRecord[0].cards.count());
    }
}

// The cards of the packet join the own hand.
void Tribute::receiveTributeCards(const wire::Tribute& t) {
    rules::FixedList<rules::CardCode, wire::kMaxTributeCards> codes;
    for (std::size_t k = 0; k < t.count; ++k)
        codes.push_back(static_cast<rules::CardCode>(t.cards[k]));
    hand_.receiveCards(codes);
}

// A tribute of the returning kind: the receiver is asked for ReturnCount cards.
void Tribute::raiseReturnPrompt(const wire::Tribute& t) {
    const int count = std::min<int>(t.count, kMaxReturnCards);
    if (count < 1) return;  // nothing to give back
    notice_.ShowNotice(state_.PlayerInfo[0].nickname + "回落贡" + std::to_string(count) + "张");
    buttons_.raiseReturnPrompt(count, t.noReturnRanks, t.seconds);
}

}  // namespace protocol
