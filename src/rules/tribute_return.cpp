#include "rules/tribute_return.h"

#include <algorithm>

namespace rules {
namespace {

bool listed(int rank, std::span<const std::uint8_t> noReturnRanks) {
    return std::find(noReturnRanks.begin(), noReturnRanks.end(), rank) != noReturnRanks.end();
}

std::span<const CardCode> clamped(std::span<const CardCode> hand) {
    return hand.first(std::min<std::size_t>(hand.size(), kHandCapacity));
}

}  // namespace

ReturnDecision checkManualReturn(std::span<const CardCode> cards, std::span<const int> selected,
                                 int returnCount, std::span<const std::uint8_t> noReturnRanks) {
    const auto hand = clamped(cards);
    ReturnDecision d;
    for (int pos : selected) {
        if (pos < 0 || pos >= int(hand.size())) continue;  // not a card of the hand
        const int rank = rankOf(hand[pos]);
        if (rank == kRankThree || listed(rank, noReturnRanks)) {
            d.notice = std::string(rankName(rank)) + " 不能还";
            return d;
        }
        d.chosen.push_back(pos);
    }
    if (int(d.chosen.size()) < returnCount) {
        d.notice = "还贡的张数不够";
    } else if (int(d.chosen.size()) > returnCount) {
        d.notice = "还贡的张数多了";
    } else {
        d.ok = true;
        return d;
    }
    d.chosen.clear();
    return d;
}

ReturnDecision chooseAutomaticReturn(std::span<const CardCode> cards, int returnCount,
                                     std::span<const std::uint8_t> noReturnRanks) {
    const auto hand = clamped(cards);
    ReturnDecision d;
    bool taken[kHandCapacity] = {};
    auto pass = [&](bool skipListed) {
        for (int pos = int(hand.size()) - 1; pos >= 0; --pos) {
            if (int(d.chosen.size()) >= returnCount) return;
            const int rank = rankOf(hand[pos]);
            if (taken[pos] || rank == kRankThree || (skipListed && listed(rank, noReturnRanks)))
                continue;
            taken[pos] = true;
            d.chosen.push_back(pos);
        }
    };
    pass(true);
    if (int(d.chosen.size()) < returnCount) pass(false);
    d.ok = int(d.chosen.size()) >= returnCount;
    if (!d.ok) d.chosen.clear();
    return d;
}

ReturnDecision CheckReturnSelection(std::span<const CardCode> hand, std::span<const int> selected,
                                    int returnCount, std::span<const std::uint8_t> noReturnRanks,
                                    int countdownSeconds) {
    if (countdownSeconds >= 1) return checkManualReturn(hand, selected, returnCount, noReturnRanks);
    return chooseAutomaticReturn(hand, returnCount, noReturnRanks);
}

}  // namespace rules
