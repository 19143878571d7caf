#include "state/table_state.h"

namespace state {

int seatIndex(std::uint8_t seatBit) {
    int bits = seatBit & 0x3F;
    int index = 0;
    for (int k = 0; k < 6; ++k)
        if (bits & (1 << k)) index = k;
    return index;
}

void handReset(TableState& state) {
    for (PlayerRecordEntry& r : state.PlayerRecord) {
        r.cards.clear();
        for (int i = 0; i < 9; ++i) r.cards.setEntry(i, rules::HandEntry{});
    }
    state.ResultPacketsSeen = 0;
    state.GameScore.fill(0);
    state.SeatPacketsSeen = 0;
    state.InGame = false;
}

void clearProfile(PlayerInfoEntry& info) {
    info.nickname.clear();
    info.avatarCode.clear();
    info.sex = 0;
    info.location.clear();
    info.points = info.credit = info.gold = info.statB = 0;
    info.levelText.clear();
    info.statC = info.statD = info.statE = 0;
    info.loginCount = info.dropCount = info.winCount = info.lossCount = 0;
}

int screenSlot(std::uint8_t seatBit, std::uint8_t ownSeatBit) {
    return (seatIndex(seatBit) - seatIndex(ownSeatBit) + 6) % 6;
}

}  // namespace state
