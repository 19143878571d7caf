#include "rules/card.h"

namespace rules {

std::string_view rankName(int rank) {
    static constexpr std::string_view kNames[] = {"3", "4", "5", "6", "7", "8",    "9",   "10",
                                                  "J", "Q", "K", "A", "2", "小王", "大王"};
    if (!isKnownRank(rank)) return {};
    return kNames[rank - kLowestRank];
}

}  // namespace rules
