#pragma once
// What carries the table from one round to the next: the result rows of the round
// being shown, and the state of the hall buttons (hover and pressed flags, the
// first-start flag, the chat blink) and of the avatar click.
#include <array>
#include <cstdint>

namespace table {

// One result row per screen slot: columns 0..15 the packet header, from 16 on the
// player's record (seat bit, place, outcome, amounts, tribute, cards, level).
constexpr std::size_t kResultColumns = 172;
using ResultRow = std::array<std::uint8_t, kResultColumns>;

// The hall buttons AnNiu 0..8.
enum HallButton : int {
    BtnSend = 0,
    BtnChat = 1,
    BtnContinue = 2,
    BtnSettings = 3,
    BtnHide = 4,
    BtnRecord = 5,
    BtnHistory = 6,
    BtnRules = 7,
    BtnExit = 8,
};
constexpr int kHallButtons = 9;

struct RoundFlow {
    std::array<ResultRow, 6> ResultTable{};

    std::array<bool, kHallButtons> hover{};
    // Only the continue button's flag is used: readiness for the coming round has
    // been announced (by the button or by the continue countdown).
    std::array<bool, kHallButtons> pressed{};
    bool firstStart = true;         // item 2 shows 开始 until the first press or prompt
    int blinkCount = 0;             // chat button blinks left
    std::uint8_t selectedSeat = 0;  // seat bit of the avatar last clicked
};

}  // namespace table
