#include "wire/departure.h"

#include "wire/packet_fields.h"

namespace wire {

GamePacket GameOver::encode() const {
    GamePacket p = makePacket(Command::kGameOver, seats);
    p[kCaseByte] = static_cast<std::uint8_t>(which);
    return p;
}

GameOver GameOver::decode(const GamePacket& p) {
    return {p[kSeatByte], static_cast<GameOverCase>(p[kCaseByte])};
}

GamePacket LeaveOrContinue::encode() const {
    GamePacket p = makePacket(Command::kGameOver, seat);
    p[kCaseByte] = static_cast<std::uint8_t>(which);
    return p;
}

LeaveOrContinue LeaveOrContinue::decode(const GamePacket& p) {
    return {p[kSeatByte], static_cast<GameOverCase>(p[kCaseByte])};
}

GamePacket PlayerLeft::encode() const {
    GamePacket p = makePacket(Command::kPlayerLeft);
    putSingleByteText(p, kAccountFirst, kAccountLast, account);
    return p;
}

PlayerLeft PlayerLeft::decode(const GamePacket& p) {
    return {singleByteText(p, kAccountFirst, kAccountLast)};
}

GamePacket TableClosed::encode() const {
    GamePacket p = makePacket(Command::kTableClosed);
    putGbkText(p, kTextFirst, kTextLast - 1, message);
    return p;
}

TableClosed TableClosed::decode(const GamePacket& p) { return {gbkText(p, kTextFirst, kTextLast)}; }

GamePacket ResumeResult::encode() const {
    GamePacket p = makePacket(Command::kResume);
    p[kResultByte] = resumed ? kResumed : 0;
    return p;
}

ResumeResult ResumeResult::decode(const GamePacket& p) { return {p[kResultByte] == kResumed}; }

}  // namespace wire
