#include "protocol/tribute.h"

#include <algorithm>

#include "rules/fixed_list.h"

namespace protocol {

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
constexpr std::size_t kNoReturnRanks = 76, kNoReturnRankCount = 12;

// The 吃贡 bubble.
constexpr int kBubbleTribute = 2;

int cardCount(const wire::GamePacket& p) { return std::min<int>(p[16], kMaxTributeCards); }

// A seat byte without any of the six seat bits names nobody.
bool namesSeat(std::uint8_t seatByte) { return state::seatBitOf(seatByte) != 0; }

}  // namespace

int Tribute::slotOf(std::uint8_t seatByte) const {
    return state::screenSlot(state::seatBitOf(seatByte), state_.PlayerRecord[0].seatBit);
}

void Tribute::HandleTribute(const wire::GamePacket& p) {
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
void Tribute::tributeOffered(const wire::GamePacket& p) {
    if (!namesSeat(p[6]) || !namesSeat(p[12]) || slotOf(p[6]) != 0) return;
    const auto giver = static_cast<std::size_t>(slotOf(p[12]));
    notice_.ShowNotice(state_.PlayerInfo[giver].nickname + " 向您进贡,请选择是否吃贡");
    buttons_.ShowDecisionPrompt(p[9], table::PromptKind::AcceptTribute);
}

void Tribute::tributeMade(const wire::GamePacket& p) {
    if (!namesSeat(p[6]) || !namesSeat(p[12])) return;
    const int r = slotOf(p[6]);
    const int g = slotOf(p[12]);
    if (r != 0) playedHand_.showBubble(r, kBubbleTribute);
    notice_.ShowNotice(state_.PlayerInfo[static_cast<std::size_t>(g)].nickname + " 向 " +
                       state_.PlayerInfo[static_cast<std::size_t>(r)].nickname + "进贡");
    if (r == 0) {
        receiveTributeCards(p);
        if (p[8] == kKindWithReturn) raiseReturnPrompt(p);
    }
    if (state::seatBitOf(p[12]) == state_.PlayerRecord[0].seatBit) {
        rules::FixedList<std::uint8_t, kMaxTributeCards> ids;
        for (int k = 0; k < cardCount(p); ++k) ids.push_back(p[96 + static_cast<std::size_t>(k)]);
        hand_.cardsLeaveHand(ids, 0.5);
        hand_.SortAndShowCards(0, state_.PlayerRecord[0].cards.count());
    }
}

// The cards of the packet join the own hand.
void Tribute::receiveTributeCards(const wire::GamePacket& p) {
    rules::FixedList<rules::CardCode, kMaxTributeCards> codes;
    for (int k = 0; k < cardCount(p); ++k)
        codes.push_back(
            static_cast<rules::CardCode>(wire::readLe32(p, 17 + 4 * static_cast<std::size_t>(k))));
    hand_.receiveCards(codes);
}

// A tribute of the returning kind: the receiver is asked for ReturnCount cards.
void Tribute::raiseReturnPrompt(const wire::GamePacket& p) {
    const int count = std::min(cardCount(p), kMaxReturnCards);
    if (count < 1) return;  // nothing to give back
    notice_.ShowNotice(state_.PlayerInfo[0].nickname + "回落贡" + std::to_string(count) + "张");
    buttons_.raiseReturnPrompt(
        count, std::span<const std::uint8_t>(p.data() + kNoReturnRanks, kNoReturnRankCount), p[9]);
}

}  // namespace protocol
