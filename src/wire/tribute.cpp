#include "wire/tribute.h"

#include <algorithm>

namespace wire {

GamePacket Tribute::encode() const {
    GamePacket p = makePacket(Command::kTribute, receiver);
    p[kKindByte] = kind;
    p[kSecondsByte] = seconds;
    p[kStageByte] = static_cast<std::uint8_t>(stage);
    p[kGiverByte] = giver;
    const std::uint8_t n = std::min(count, kMaxTributeCards);
    p[kCountByte] = n;
    for (std::size_t k = 0; k < n; ++k) putLe32(p, kCardsByte + 4 * k, cards[k]);
    std::copy(noReturnRanks.begin(), noReturnRanks.end(), p.begin() + kNoReturnByte);
    std::copy(giverIds.begin(), giverIds.end(), p.begin() + kGiverIdsByte);
    return p;
}

Tribute Tribute::decode(const GamePacket& p) {
    Tribute t;
    t.receiver = p[kSeatByte] & kSeatMask;
    t.kind = p[kKindByte];
    t.seconds = p[kSecondsByte];
    t.stage = static_cast<TributeStage>(p[kStageByte]);
    t.giver = p[kGiverByte] & kSeatMask;
    t.count = std::min(p[kCountByte], kMaxTributeCards);
    for (std::size_t k = 0; k < t.count; ++k) t.cards[k] = getLe32(p, kCardsByte + 4 * k);
    std::copy_n(p.begin() + kNoReturnByte, t.noReturnRanks.size(), t.noReturnRanks.begin());
    std::copy_n(p.begin() + kGiverIdsByte, t.giverIds.size(), t.giverIds.begin());
    return t;
}

GamePacket TributeAnswer::encode() const {
    GamePacket p = makePacket(Command::kTribute, seat);
    p[kChoiceByte] = static_cast<std::uint8_t>(choice);
    const std::uint8_t n = std::min(count, kMaxReturnCards);
    p[kCountByte] = n;
    for (std::size_t i = 0; i < n; ++i) p[kIdsByte + i] = ids[i];
    return p;
}

TributeAnswer TributeAnswer::decode(const GamePacket& p) {
    TributeAnswer a;
    a.seat = p[kSeatByte];
    a.choice = static_cast<TributeChoice>(p[kChoiceByte]);
    a.count = std::min(p[kCountByte], kMaxReturnCards);
    for (std::size_t i = 0; i < a.count; ++i) a.ids[i] = p[kIdsByte + i];
    return a;
}

}  // namespace wire
