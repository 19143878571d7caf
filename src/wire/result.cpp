#include "wire/result.h"

#include <algorithm>

namespace wire {

std::uint8_t resultCardByte(std::uint32_t card) {
    std::uint32_t rank = card & 0xFF, suit = (card >> 8) & 0x0F;
    if (rank == 16 || rank == 17) {
        rank -= 16;
        suit = 0;
    }
    return static_cast<std::uint8_t>(suit << 4 | (rank & 0x0F));
}

std::uint32_t revealedCard(std::uint8_t byte) {
    std::uint32_t rank = byte & 0x0F, suit = byte >> 4;
    if (rank <= 1) {
        rank += 16;
        suit = 0;
    }
    return rank | suit << 8;
}

namespace {

using R = ResultRecord;

void putRecord(GamePacket& p, std::size_t shift, const R& r) {
    auto col = [&](std::size_t c, std::uint8_t v) { putByte(p, c + shift, v); };
    col(R::kSeatCol, r.seat);
    col(R::kPlaceCol, r.place);
    col(R::kOutcomeCol, static_cast<std::uint8_t>(r.outcome));
    putLe64(p, R::kFirstAmountCol + shift, r.firstAmount);
    putLe64(p, R::kSecondAmountCol + shift, r.secondAmount);
    col(R::kStuffyPaysCol, r.stuffyPays);
    col(R::kStuffyReceiverCol, r.stuffyReceiver);
    col(R::kBurnReceivesCol, r.burnReceives);
    col(R::kBurnPayerCol, r.burnPayer);
    col(R::kPointCardsCol, r.pointCards);
    col(R::kFallCardsCol, r.fallCards);
    col(R::kFallPayerCol, r.fallPayer);
    const std::uint8_t n = std::min(r.cardCount, kMaxRevealedCards);
    col(R::kCardCountCol, n);
    for (std::size_t k = 0; k < n; ++k) col(R::kCardsCol + k, r.cards[k]);
    col(R::kLevelCol, r.level);
    col(R::kSweepCol, r.sweep);
}

R getRecord(const GamePacket& p, std::size_t shift) {
    auto col = [&](std::size_t c) { return getByte(p, c + shift); };
    R r;
    r.seat = col(R::kSeatCol) & kSeatMask;
    r.place = col(R::kPlaceCol);
    r.outcome = static_cast<Outcome>(col(R::kOutcomeCol));
    r.firstAmount = getLe64(p, R::kFirstAmountCol + shift);
    r.secondAmount = getLe64(p, R::kSecondAmountCol + shift);
    r.stuffyPays = col(R::kStuffyPaysCol);
    r.stuffyReceiver = col(R::kStuffyReceiverCol) & kSeatMask;
    r.burnReceives = col(R::kBurnReceivesCol);
    r.burnPayer = col(R::kBurnPayerCol) & kSeatMask;
    r.pointCards = col(R::kPointCardsCol);
    r.fallCards = col(R::kFallCardsCol);
    r.fallPayer = col(R::kFallPayerCol) & kSeatMask;
    r.cardCount = std::min(col(R::kCardCountCol), kMaxRevealedCards);
    for (std::size_t k = 0; k < r.cardCount; ++k) r.cards[k] = col(R::kCardsCol + k);
    r.level = col(R::kLevelCol);
    r.sweep = col(R::kSweepCol);
    return r;
}

}  // namespace

GamePacket RoundResult::encode() const {
    GamePacket p = makePacket(Command::kResult);
    putBe32(p, kStakeByte, stake);
    p[kCurrencyByte] = currency;
    putRecord(p, 0, records[0]);
    putRecord(p, kSecondRecordShift, records[1]);
    return p;
}

RoundResult RoundResult::decode(const GamePacket& p) {
    return {getBe32(p, kStakeByte),
            p[kCurrencyByte],
            {getRecord(p, 0), getRecord(p, kSecondRecordShift)}};
}

}  // namespace wire
