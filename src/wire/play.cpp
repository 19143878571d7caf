#include "wire/play.h"

#include <algorithm>

namespace wire {

GamePacket PlayedHand::encode() const {
    GamePacket p = makePacket(Command::kPlayedHand, actor);
    p[kNextByte] = next;
    p[kSecondsByte] = seconds;
    p[kModeByte] = static_cast<std::uint8_t>(mode);
    p[kActionByte] = static_cast<std::uint8_t>(action);
    p[kEventByte] = static_cast<std::uint8_t>(event);
    const std::uint8_t n = std::min(count, kMaxPlayCards);
    p[kCountByte] = n;
    p[kClassByte] = playClass;
    for (std::size_t i = 0; i < n; ++i) putLe32(p, kCardsByte + 4 * i, cards[i]);
    return p;
}

PlayedHand PlayedHand::decode(const GamePacket& p) {
    PlayedHand h;
    h.actor = p[kSeatByte] & kSeatMask;
    h.next = p[kNextByte] & kSeatMask;
    h.seconds = p[kSecondsByte];
    h.mode = static_cast<TurnMode>(p[kModeByte]);
    h.action = static_cast<PlayedAction>(p[kActionByte]);
    h.event = static_cast<PlayEvent>(p[kEventByte]);
    h.count = std::min(p[kCountByte], kMaxPlayCards);
    h.playClass = p[kClassByte];
    for (std::size_t i = 0; i < h.count; ++i) h.cards[i] = getLe32(p, kCardsByte + 4 * i);
    return h;
}

GamePacket Play::encode() const {
    GamePacket p = makePacket(Command::kPlay, seat);
    p[kActionByte] = static_cast<std::uint8_t>(action);
    const std::uint8_t n = std::min(count, kMaxPlayCards);
    p[kCountByte] = n;
    p[kClassByte] = playClass;
    for (std::size_t i = 0; i < n; ++i) p[kIdsByte + i] = ids[i];
    return p;
}

Play Play::decode(const GamePacket& p) {
    Play a;
    a.seat = p[kSeatByte];
    a.action = static_cast<PlayAction>(p[kActionByte]);
    a.count = std::min(p[kCountByte], kMaxPlayCards);
    a.playClass = p[kClassByte];
    for (std::size_t i = 0; i < a.count; ++i) a.ids[i] = p[kIdsByte + i];
    return a;
}

}  // namespace wire
