#pragma once
// Login and seating: the login (18 out), the login result (18 in), the seat packet
// (20) with the profile of one player, and the ready notice (23). Texts are UTF-8.
#include <cstdint>
#include <string>

#include "wire/commands.h"

namespace wire {

// Written to the socket directly (no token at 260..261). The name is written first
// and the key second, each character as its one code-page byte and without a
// terminator, so a name longer than 16 characters is overwritten by the key.
struct Login {
    static constexpr std::size_t kMarkByte = 4;
    static constexpr std::size_t kNameByte = 16, kNameLast = 31;
    static constexpr std::size_t kKeyByte = 32, kKeyLast = 259;
    static constexpr std::size_t kTokenByte = 261;  // 261 high, 262 low byte

    std::string userName;
    std::string loginKey;
    bool reconnect = false;   // byte 4 = kReconnectMark: a login after a lost link
    std::uint16_t token = 0;  // a reconnect's last server token (bytes 260, 261 it came in)

    // False when a character takes two code-page bytes or a text runs past the
    // packet: such a login cannot be written.
    bool fits() const;
    GamePacket encode() const;
    static Login decode(const GamePacket& p);
    friend bool operator==(const Login&, const Login&) = default;
};

struct LoginResult {
    static constexpr std::size_t kTimeoutLimitByte = 10, kTurnSecondsByte = 11;
    static constexpr std::size_t kResultByte = 15;
    static constexpr std::size_t kAdFirst = 16, kAdLast = 115;

    LoginOutcome result = LoginOutcome::kAccepted;
    std::uint8_t timeoutLimit = 0;  // countdown expiries in a row before Away
    std::uint8_t turnSeconds = 0;
    std::string adUrl;  // one character per byte

    GamePacket encode() const;
    static LoginResult decode(const GamePacket& p);
    friend bool operator==(const LoginResult&, const LoginResult&) = default;
};

// One seated player, sent to every client at the table. Numbers stay integers here;
// asDouble (packet_fields.h) turns the eight-byte ones into the profile's doubles.
struct Seat {
    static constexpr std::size_t kReadyByte = 208;
    static constexpr std::size_t kAccountFirst = 168, kAccountLast = 183;
    static constexpr std::size_t kPlayerSeatByte = 226;  // also the first byte of userNumber

    std::uint8_t ownSeat = 0;  // byte 6 masked: the receiving client's seat bit
    std::string nickname;      // 16..47, code page
    std::string avatarCode;    // 48..63, one character per byte; see avatar()
    std::uint8_t sex = 0;      // 64
    std::string location;      // 72..79, code page
    std::uint64_t points = 0, credit = 0, gold = 0, statB = 0;                // 80, 88, 96, 104
    std::string levelText;                                                    // 112..127, code page
    std::uint64_t statC = 0, statD = 0, statE = 0;                            // 128, 136, 144
    std::int32_t loginCount = 0, dropCount = 0, winCount = 0, lossCount = 0;  // 152..167
    std::string account;           // 168..183, one character per byte (seatId and seatKey)
    std::string title;             // 184..207, code page
    bool ready = false;            // 208 = 1: already ready for the next game
    std::string textB;             // 210..217, one character per byte
    std::string textC;             // 218..225, one character per byte
    std::uint64_t userNumber = 0;  // 226..233; its first byte is the player's seat bit

    // The player's seat bit (byte 226 masked).
    std::uint8_t playerSeat() const { return static_cast<std::uint8_t>(userNumber) & kSeatMask; }
    // The avatar code as the client reads it: "m1" when the field is empty.
    std::string avatar() const { return avatarCode.empty() ? "m1" : avatarCode; }

    GamePacket encode() const;
    static Seat decode(const GamePacket& p);
    friend bool operator==(const Seat&, const Seat&) = default;
};

struct ReadyNotice {
    static constexpr std::size_t kReadyByte = 15;
    static constexpr std::size_t kAccountFirst = 16, kAccountLast = 31;

    bool ready = true;  // byte 15 = 1
    std::string account;

    GamePacket encode() const;
    static ReadyNotice decode(const GamePacket& p);
    friend bool operator==(const ReadyNotice&, const ReadyNotice&) = default;
};

}  // namespace wire
