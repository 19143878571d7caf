#pragma once
// What the table shows of the round's plays: the played rows, the burns, falls,
// finishing places and pacing the played-hand command announces, and whether the
// last play was a Dravik play.
#include <array>
#include <cstdint>

namespace table {

// A played row holds at most this many pictures; row 40 of PlayedPictures is the count.
inline constexpr int kPlayedRowCapacity = 40;

struct PlayState {
    // Played rows: column = screen slot, rows 0..39 the card picture items of the
    // slot's last shown play, row 40 their number.
    std::array<std::array<std::int16_t, 6>, kPlayedRowCapacity + 1> PlayedPictures{};
    // How many of each other slot's card pictures this round's plays have used.
    std::array<int, 6> UsedCardPictures{};

    bool DravikRun = false;  // the last play shown at the table was a Dravik play
    bool BurnActive = false;
    int BurnSlot = -1;
    bool SelfBurning = false;  // the own seat burns
    bool FallPending = false;
    int FallSlot = -1;
    bool GoneOutPending = false;
    int GoneOutSlot = -1;
    int PacedSlot = -1;
    bool PacedRun = false;
    int PacedCount = 0;
    int FinishCounter = 0;  // seats gone out this round
};

}  // namespace table
