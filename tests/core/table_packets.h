#pragma once
// Builders of the server's login, seating and ready packets for tests.
#include <cstdint>
#include <string>

#include "wire/frame.h"
#include "wire/gbk.h"

namespace testpk {

inline void put(wire::GamePacket& p, std::size_t at, const std::string& bytes) {
    for (std::size_t i = 0; i < bytes.size() && at + i < p.size(); ++i)
        p[at + i] = static_cast<std::uint8_t>(bytes[i]);
}

inline void putU64(wire::GamePacket& p, std::size_t at, std::uint64_t v) {
    for (int i = 0; i < 8; ++i) p[at + static_cast<std::size_t>(i)] = (v >> (8 * i)) & 0xFF;
}

inline wire::GamePacket loginResult(std::uint8_t result, std::uint8_t turnSeconds = 15,
                                   std::uint8_t timeoutLimit = 3, const std::string& url = "") {
    wire::GamePacket p = wire::makePacket(18);
    p[10] = timeoutLimit;
    p[11] = turnSeconds;
    p[15] = result;
    put(p, 16, url);
    return p;
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

    wire::GamePacket build() const {
        wire::GamePacket p = wire::makePacket(20, ownSeatByte);
        put(p, 16, wire::utf8ToGbk(nickname).substr(0, 32));
        put(p, 48, avatar.substr(0, 16));
        p[64] = 1;
        put(p, 72, wire::utf8ToGbk("北京"));
        putU64(p, 96, gold);
        put(p, 112, wire::utf8ToGbk(level).substr(0, 16));
        put(p, 168, account.substr(0, 16));
        put(p, 184, wire::utf8ToGbk(title).substr(0, 24));
        p[208] = ready ? 1 : 0;
        p[226] = seatByte;
        return p;
    }
};

inline wire::GamePacket readyNotice(const std::string& account, std::uint8_t byte15 = 1) {
    wire::GamePacket p = wire::makePacket(23);
    p[15] = byte15;
    put(p, 16, account.substr(0, 16));
    return p;
}

}  // namespace testpk
