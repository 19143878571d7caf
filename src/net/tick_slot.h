#pragma once
// The flag/counter pairs of the pump timer, numbered 0..9.
#include <array>

namespace net {

struct TickSlot {
    bool flag = false;
    int counter = 0;
};

enum SlotNumber : int {
    SlotSend = 0,
    SlotReceive = 1,
    SlotConnect = 2,
    SlotBlink = 3,
    SlotLinkWatch = 5,
    SlotTurnCountdown = 6,
    SlotContinue = 7,
};

using TickSlots = std::array<TickSlot, 10>;

}  // namespace net
