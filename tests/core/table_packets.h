#pragma once
// Builders of the server's login, seating and ready packets for tests.
#include <cstdint>
#include <string>

#include "wire/seating.h"

namespace testpk {

inline wire::GamePacket loginResult(std::uint8_t result, std::uint8_t turnSeconds = 15,
                                    std::uint8_t timeoutLimit = 3, const std::string& url = "") {
    wire::LoginResult r;
    r.result = static_cast<wire::LoginOutcome>(result);
    r.turnSeconds = turnSeconds;
    r.timeoutLimit = timeoutLimit;
    r.adUrl = url;
    return r.encode();
}

// One player's seat packet; texts are UTF-8 and written in the code page.
struct Seat {
    std::uint8_t ownSeatByte = 1;  // byte 6: the receiving client's seat bit
    std::uint8_t seatByte = 1;     // byte 226: the player's seat bit
    std::string account = "acct";
    std::string nickname = "Ann";
    std::string avatar = "m1";
    std::string title = "新手";
    std::string level = "第一级";
    std::uint64_t gold = 1000;
    bool ready = false;
    std::int32_t loginCount = 0, dropCount = 0;
    std::string textB;

    wire::GamePacket build() const {
        wire::Seat s;
        s.ownSeat = ownSeatByte;  // written as given, upper bits and all
        s.nickname = nickname;
        s.avatarCode = avatar;
        s.sex = 1;
        s.location = "北京";
        s.gold = gold;
        s.levelText = level;
        s.account = account;
        s.title = title;
        s.ready = ready;
        s.loginCount = loginCount;
        s.dropCount = dropCount;
        s.textB = textB;
        s.userNumber = seatByte;
        return s.encode();
    }
};

inline wire::GamePacket readyNotice(const std::string& account, std::uint8_t byte15 = 1) {
    wire::GamePacket p = wire::ReadyNotice{true, account}.encode();
    p[wire::ReadyNotice::kReadyByte] = byte15;  // any value, not only 0 and 1
    return p;
}

}  // namespace testpk
