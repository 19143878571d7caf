#include "server/scoring.h"

#include <algorithm>

namespace server {

RoundResult scoreRound(const RoundFacts& f) {
    RoundResult r;
    r.stake = f.stake;
    int sum[2] = {0, 0};
    for (int s = 0; s < kSeats; ++s) sum[s % 2] += f.places[s];
    r.winningTeam = sum[0] < sum[1] ? 0 : 1;
    int diff = std::abs(sum[0] - sum[1]);
    // 串三户: the winners hold places 1, 2 and 3 (sum 6).
    r.sweep = sum[r.winningTeam] == 6;
    std::uint64_t multiplier = 1u << std::min(f.declarations, 3);
    if (r.sweep) multiplier *= 2;
    std::uint64_t amount = std::uint64_t(f.stake) * std::uint64_t(diff) * multiplier;

    int first = -1, last = -1;
    for (int s = 0; s < kSeats; ++s) {
        SeatResult& sr = r.seats[s];
        sr.place = f.places[s];
        bool won = s % 2 == r.winningTeam;
        sr.outcome = won ? 1 : 2;
        sr.amount = amount;
        sr.levelAfter = std::clamp(f.levelsBefore[s] + (won ? (r.sweep ? 2 : 1) : 0), 1, kMaxLevel);
        sr.held = f.held[s];
        if (sr.place == 1) first = s;
        if (sr.place == kSeats) last = s;
    }
    // Fall tribute: within a game, the last place pays one card to the first place when
    // they sit on different sides.
    if (f.tributeFollows && !r.sweep && first >= 0 && last >= 0 && first % 2 != last % 2) {
        r.seats[first].fallTributeCards = 1;
        r.seats[first].fallTributePayer = last;
    }
    return r;
}

}  // namespace server
