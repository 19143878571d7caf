#pragma once
// The result of a round: who won, by how much, levels, the cards still held and the
// tribute the next round requires. Pure arithmetic; the table applies it to profiles.
#include <array>
#include <cstdint>

#include "server/deck.h"

namespace server {

inline constexpr int kMaxLevel = 40;

struct SeatResult {
    int place = 0;             // 1..6
    int outcome = 0;           // 1 won, 2 lost, 0 drawn (the game has no draws: place sums are odd)
    std::uint64_t amount = 0;  // gold won or lost
    int levelAfter = 1;
    int fallTributeCards = 0;   // cards this seat receives as fall tribute next round
    int fallTributePayer = -1;  // seat that pays them
    Cards held;                 // cards still in hand
};

struct RoundResult {
    std::array<SeatResult, kSeats> seats;
    std::uint32_t stake = 0;
    bool sweep = false;   // one side took places 1 to 3 (串三户); ends the game
    int winningTeam = 0;  // 0 even seats, 1 odd seats
};

struct RoundFacts {
    std::array<int, kSeats> places{};
    std::array<Cards, kSeats> held;
    std::array<int, kSeats> levelsBefore{};
    int declarations = 0;  // pre-declarations made this round
    std::uint32_t stake = 100;
    bool tributeFollows = false;  // the next round belongs to the same game
};

RoundResult scoreRound(const RoundFacts& facts);

}  // namespace server
