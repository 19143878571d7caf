#pragma once
// The flag/counter pairs of the pump timer, numbered 0..9.
#include <array>

namespace net {

struct TickSlot {
    bool flag = false;
    int counter = 0;
};

enum SlotNumber : int {
    kSlotSend = 0,
    kSlotReceive = 1,
    kSlotConnect = 2,
    kSlotBlink = 3,
    kSlotLinkWatch = 5,
    kSlotTurnCountdown = 6,
    kSlotContinue = 7,
};

using TickSlots = std::array<TickSlot, 10>;

}  // namespace net
