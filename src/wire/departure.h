#pragma once
// Leaving and the end of a table: the continue outcome and the gold shortage (16
// in), leave and continue (16 out), a player who left (21), the server closing the
// table (22) and the reconnect result (29).
#include <cstdint>
#include <string>

#include "wire/commands.h"

namespace wire {

struct GameOver {
    static constexpr std::size_t kCaseByte = 15;
    // The continue outcome's byte 6: this plus the seat bits of those who continue;
    // from kAllContinue on, all six continue.
    static constexpr std::uint8_t kContinueBase = 0x40, kAllContinue = 0x7F;

    // Byte 6 as it came. The continue outcome compares it with kAllContinue before
    // taking the seat bits out of it; the gold shortage takes its masked seat bits
    // as those who may stay.
    std::uint8_t seats = 0;
    GameOverCase which = GameOverCase::kNothing;

    GamePacket encode() const;
    static GameOver decode(const GamePacket& p);
    friend bool operator==(const GameOver&, const GameOver&) = default;
};

// The leave packet (written to the socket directly by the leave routine) and the
// continue request (ready for the next round).
struct LeaveOrContinue {
    static constexpr std::size_t kCaseByte = 15;

    std::uint8_t seat = 0;
    GameOverCase which = GameOverCase::kLeave;

    GamePacket encode() const;
    static LeaveOrContinue decode(const GamePacket& p);
    friend bool operator==(const LeaveOrContinue&, const LeaveOrContinue&) = default;
};

struct PlayerLeft {
    static constexpr std::size_t kAccountFirst = 16, kAccountLast = 31;

    std::string account;  // one character per byte

    GamePacket encode() const;
    static PlayerLeft decode(const GamePacket& p);
    friend bool operator==(const PlayerLeft&, const PlayerLeft&) = default;
};

struct TableClosed {
    static constexpr std::size_t kTextFirst = 16, kTextLast = 215;

    // Code-page text; written into at most 199 bytes, so that byte 215 always ends it.
    std::string message;

    GamePacket encode() const;
    static TableClosed decode(const GamePacket& p);
    friend bool operator==(const TableClosed&, const TableClosed&) = default;
};

struct ResumeResult {
    static constexpr std::size_t kResultByte = 15;

    bool resumed = false;  // byte 15 = kResumed; anything else: refused

    GamePacket encode() const;
    static ResumeResult decode(const GamePacket& p);
    friend bool operator==(const ResumeResult&, const ResumeResult&) = default;
};

}  // namespace wire
