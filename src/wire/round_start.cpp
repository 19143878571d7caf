#include "wire/round_start.h"

#include <algorithm>

namespace wire {

namespace {

void putOffered(GamePacket& p, const OfferedSeats& o) {
    for (std::size_t i = 0; i < o.seats.size(); ++i) p[OfferedSeats::kFirstByte + i] = o.seats[i];
}

OfferedSeats getOffered(const GamePacket& p) {
    OfferedSeats o;
    for (std::size_t i = 0; i < o.seats.size(); ++i) o.seats[i] = p[OfferedSeats::kFirstByte + i];
    return o;
}

}  // namespace

GamePacket Deal::encode() const {
    GamePacket p = makePacket(Command::kDeal);
    for (std::size_t i = 0; i < kCards; ++i) putLe32(p, kCardsByte + 4 * i, cards[i]);
    return p;
}

Deal Deal::decode(const GamePacket& p) {
    Deal d;
    for (std::size_t i = 0; i < kCards; ++i) d.cards[i] = getLe32(p, kCardsByte + 4 * i);
    return d;
}

GamePacket Declaration::encode() const {
    GamePacket p = makePacket(Command::kDeclaration, actor);
    p[kKindByte] = static_cast<std::uint8_t>(kind);
    p[kStageByte] = static_cast<std::uint8_t>(stage);
    p[kSecondsByte] = seconds;
    putOffered(p, offered);
    return p;
}

Declaration Declaration::decode(const GamePacket& p) {
    Declaration d;
    d.actor = p[kSeatByte] & kSeatMask;
    d.kind = static_cast<DeclareKind>(p[kKindByte]);
    d.stage = static_cast<DeclarationStage>(p[kStageByte]);
    d.seconds = p[kSecondsByte];
    d.offered = getOffered(p);
    return d;
}

GamePacket DeclarationAnswer::encode() const {
    GamePacket p = makePacket(Command::kDeclaration, seat);
    p[kKindByte] = static_cast<std::uint8_t>(kind);
    return p;
}

DeclarationAnswer DeclarationAnswer::decode(const GamePacket& p) {
    return {p[kSeatByte], static_cast<DeclareKind>(p[kKindByte])};
}

GamePacket Work::encode() const {
    GamePacket p = makePacket(Command::kWork, actor);
    putBe32(p, kCardByte, card);
    p[kCountByte] = count;
    p[kStageByte] = static_cast<std::uint8_t>(stage);
    return p;
}

Work Work::decode(const GamePacket& p) {
    Work w;
    w.actor = p[kSeatByte] & kSeatMask;
    w.card = getBe32(p, kCardByte);
    w.count = std::min(p[kCountByte], kMaxShown);
    w.stage = static_cast<WorkStage>(p[kStageByte]);
    return w;
}

GamePacket WorkAnswer::encode() const {
    GamePacket p = makePacket(Command::kWork, seat);
    p[kCardIdByte] = cardId;
    p[kCountByte] = count;
    return p;
}

WorkAnswer WorkAnswer::decode(const GamePacket& p) {
    return {p[kSeatByte], p[kCardIdByte], p[kCountByte]};
}

GamePacket Exchange::encode() const {
    GamePacket p = makePacket(Command::kExchange, actor);
    p[kKindByte] = static_cast<std::uint8_t>(kind);
    putBe32(p, kSellByte, sellCard);
    putBe32(p, kBuyByte, buyCard);
    return p;
}

Exchange Exchange::decode(const GamePacket& p) {
    return {static_cast<std::uint8_t>(p[kSeatByte] & kSeatMask),
            static_cast<ExchangeKind>(p[kKindByte]), getBe32(p, kSellByte), getBe32(p, kBuyByte)};
}

GamePacket Revolution::encode() const {
    GamePacket p = makePacket(Command::kRevolution, actor);
    p[kSecondsByte] = seconds;
    p[kStageByte] = static_cast<std::uint8_t>(stage);
    putOffered(p, offered);
    return p;
}

Revolution Revolution::decode(const GamePacket& p) {
    return {p[kSeatByte], p[kSecondsByte], static_cast<RevolutionStage>(p[kStageByte]),
            getOffered(p)};
}

GamePacket RevolutionAnswer::encode() const {
    GamePacket p = makePacket(Command::kRevolution, seat);
    p[kChoiceByte] = static_cast<std::uint8_t>(choice);
    return p;
}

RevolutionAnswer RevolutionAnswer::decode(const GamePacket& p) {
    return {p[kSeatByte], static_cast<RevolutionChoice>(p[kChoiceByte])};
}

}  // namespace wire
