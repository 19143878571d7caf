#pragma once
// A seated player's profile as the seat packet carries it. Texts are UTF-8 here; the
// seat packet builder converts them to GBK.
#include <cstdint>
#include <string>

namespace server {

struct Profile {
    std::string account;   // one byte per character, at most 16
    std::string nickname;  // 32 GBK bytes
    std::string avatar;    // m1..m10 (male), w1..w10 (female)
    std::uint8_t sex = 1;  // not 0: male
    std::string location;  // 4 double-byte characters
    std::uint64_t points = 0;
    std::uint64_t credit = 100;
    std::uint64_t gold = 50000;
    int level = 1;  // 1..40; the seat packet carries its name
    std::uint32_t loginCount = 1;
    std::uint32_t dropCount = 0;
    std::uint32_t winCount = 0;
    std::uint32_t lossCount = 0;
    std::string title;  // 12 double-byte characters
    bool bot = false;
};

// "第一级" .. "第四十级" (UTF-8); empty outside 1..40.
std::string levelName(int level);

}  // namespace server
