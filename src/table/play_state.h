#pragma once
// What the client keeps while a round is played: the turn modes the server offers,
// the decisions answered through the button rows, the played rows on the table, the
// burns, falls, finishing places and pacing the played-hand command announces, the
// hint cycle, the hover looks of the buttons and the ticks of the countdowns.
#include <array>
#include <cstdint>
#include <string>

#include "platform/event_loop.h"

namespace table {

// The turn modes of the played-hand command (byte 11) when the local player is next.
enum TurnModeNumber : int {
    kModeNone = 0,
    kModeLead = 1,
    kModeFollow = 2,
    kModeBurn = 3,
    kModeYield = 4,
    kModeTakeLead = 5,
};

// The countdown groups: each keeps the time of its own last tick.
enum CountdownGroup : int {
    GroupDeclare,  // DeclarePending, RevealPending
    GroupRevolution,
    GroupHead,
    GroupWork,
    GroupAcceptTribute,
    GroupReturn,
    GroupLead,
    GroupTurn,    // FollowMode, BurnMode, YieldMode, TakeLeadMode
    GroupOthers,  // the countdown at another seat
    kCountdownGroups,
};

// A played row holds at most this many pictures; row 40 of PlayedPictures is the count.
inline constexpr int kPlayedRowCapacity = 40;
// Items 0..55 of each seat's card picture array exist.
inline constexpr int kCardItems = 56;

struct PlayState {
    explicit PlayState(platform::EventLoop& loop) : TimerQQ(loop, 2000) {}

    // Turn modes: the server offers one with the turn; every answer clears it.
    bool LeadMode = false, FollowMode = false, BurnMode = false, YieldMode = false,
         TakeLeadMode = false;
    bool anyTurnMode() const {
        return LeadMode || FollowMode || BurnMode || YieldMode || TakeLeadMode;
    }
    void clearTurnModes() { LeadMode = FollowMode = BurnMode = YieldMode = TakeLeadMode = false; }
    // The tribute decisions (the tribute command offers them).
    bool AcceptTributePending = false;
    bool ReturnPending = false;
    int ReturnCount = 0;  // 1 or 2 while ReturnPending
    std::array<std::uint8_t, 12> NoReturnRanks{};
    std::array<std::uint8_t, 2> ReturnChoice{};  // the CardIds of the return, in choice order

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

    bool OthersCountdown = false;  // the clock runs at another seat
    std::array<std::int64_t, kCountdownGroups> lastTickMs = [] {
        std::array<std::int64_t, kCountdownGroups> a{};
        a.fill(INT64_MIN / 2);
        return a;
    }();

    // The hint cycle: HintList holds the candidates ("$"-separated lists of card
    // picture items), HintIndex the one the next press raises, HintLast their number
    // minus one.
    std::string HintList;
    int HintIndex = 0;
    int HintLast = -1;

    // Hover looks: set when a group shows its hover picture, so that moving from one
    // button straight to the next keeps the next one's normal look.
    bool OperationHover = false, OperationNotPHover = false, RestoreHover = false;

    // The announcement bubbles ImgQQ disappear when it fires.
    platform::Timer TimerQQ;
};

}  // namespace table
