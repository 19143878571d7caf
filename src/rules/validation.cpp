#include "rules/validation.h"

namespace rules {
namespace {

int highestNatural(const RankCounts& counts) {
    for (int r = kRankAce; r >= kRankThree; --r)
        if (counts[r] > 0) return r;
    return 0;
}

bool holdsJoker(const RankCounts& counts) {
    return counts[kRankSmallJoker] + counts[kRankBigJoker] > 0;
}

// Only jokers: no two and no natural card.
bool onlyJokers(const RankCounts& counts) {
    if (counts[kRankTwo] > 0) return false;
    return highestNatural(counts) == 0;
}

int total(const RankCounts& counts) {
    int sum = 0;
    for (int r = kLowestRank; r <= kHighestRank; ++r) sum += counts[r];
    return sum;
}

// Fewest cards of one natural rank (twos included) that make a Dravik play; 0 = never.
int dravikThreshold(int rank) {
    switch (rank) {
        case kRankTen:
            return 5;
        case kRankJack:
            return 4;
        case kRankQueen:
            return 3;
        case kRankKing:
        case kRankAce:
            return 2;
        default:
            return 0;
    }
}

struct JokerExchange {
    int mineRank, mineCards, tableRank;
};
// In the order they are tried: two big jokers beat a big joker, three small jokers beat
// a big joker, a big joker beats a small joker, two small jokers beat a small joker.
constexpr JokerExchange kExchanges[] = {
    {kRankBigJoker, 2, kRankBigJoker},
    {kRankSmallJoker, 3, kRankBigJoker},
    {kRankBigJoker, 1, kRankSmallJoker},
    {kRankSmallJoker, 2, kRankSmallJoker},
};

// The exchanges only ever take cards away, so a sequence of them is possible exactly
// when its total fits the counts, whatever the order. Trying them in non-decreasing
// order from each level (firstTry) therefore reaches every combination the full search
// reaches, with the same answer, but visits each combination once: a table packed with
// jokers cannot make the search run for ever.
bool matchJokersFrom(RankCounts& m, RankCounts& t, int firstTry) {
    const int jm = m[kRankSmallJoker] + m[kRankBigJoker];
    const int jt = t[kRankSmallJoker] + t[kRankBigJoker];
    if (jt == 0) return total(m) == total(t);
    if (jm == 0) return false;
    for (int k = firstTry; k < 4; ++k) {
        const JokerExchange& x = kExchanges[k];
        if (m[x.mineRank] < x.mineCards || t[x.tableRank] < 1) continue;
        m[x.mineRank] -= x.mineCards;
        t[x.tableRank] -= 1;
        const bool matched = matchJokersFrom(m, t, k);
        m[x.mineRank] += x.mineCards;
        t[x.tableRank] += 1;
        if (matched) return true;
    }
    return false;
}

}  // namespace

PlayClass ClassifyPlay(std::span<const CardCode> codes) {
    if (codes.empty()) return PlayClass::kNone;
    for (CardCode c : codes)
        if (!isKnownRank(rankOf(c))) return PlayClass::kNone;
    const RankCounts counts = countRanks(codes);
    int naturalRanks = 0;
    int rank = 0;
    for (int r = kRankThree; r <= kRankAce; ++r) {
        if (counts[r] > 0) {
            ++naturalRanks;
            rank = r;
        }
    }
    if (naturalRanks >= 2) return PlayClass::kNone;
    if (holdsJoker(counts)) return PlayClass::kDravik;
    if (naturalRanks == 0) return PlayClass::kDravik;  // only twos
    const int threshold = dravikThreshold(rank);
    if (threshold > 0 && int(codes.size()) >= threshold) return PlayClass::kDravik;
    return PlayClass::kOrdinary;
}

bool BeatsTablePlay(std::span<const CardCode> mine, std::span<const CardCode> table) {
    RankCounts m = countRanks(mine);
    RankCounts t = countRanks(table);
    const int a = highestNatural(m);
    const int b = highestNatural(t);
    if (!holdsJoker(t)) {
        if (mine.size() != table.size()) return false;
        if (a > 0 && b > 0) return a > b;
        if (a == 0 && b > 0) return true;
        return onlyJokers(m);  // the table play is only twos
    }
    if (b > 0) return (a > b || a == 0) && MatchJokers(m, t);
    return onlyJokers(m) && MatchJokers(m, t);
}

bool MatchJokers(RankCounts& mine, RankCounts& table) { return matchJokersFrom(mine, table, 0); }

PlayVerdict validateSelection(std::span<const CardCode> selected, int handCount,
                              PlayClass tableClass, std::span<const CardCode> tableCards) {
    const PlayVerdict refuse{};
    const int n = int(selected.size());
    if (n == 0 || n > kMaxPlayCards) return refuse;
    const PlayClass c = ClassifyPlay(selected);
    if (c != PlayClass::kDravik && tableClass == PlayClass::kDravik) return refuse;
    const RankCounts counts = countRanks(selected);
    if (counts[kRankThree] > 0) {
        if (counts[kRankTwo] > 0 || holdsJoker(counts)) return refuse;
        if (n != handCount) return refuse;  // threes go out only as the last cards
    }
    if (c == PlayClass::kNone) return refuse;
    if (tableClass == PlayClass::kNone || BeatsTablePlay(selected, tableCards)) return {true, c};
    return refuse;
}

PlayVerdict validateSelection(std::span<const CardCode> selected, int handCount,
                              const TablePlay& table) {
    return validateSelection(selected, handCount, table.playClass, table.cardList());
}

PlayVerdict validateSelection(const Hand& hand, std::span<const int> positions,
                              const TablePlay& table) {
    if (positions.size() > std::size_t(kMaxPlayCards)) return {};
    FixedList<CardCode, kMaxPlayCards> selected;
    int previous = -1;
    for (int pos : positions) {
        if (pos <= previous || pos >= hand.count()) return {};
        selected.push_back(hand.code(pos));
        previous = pos;
    }
    return validateSelection(selected, hand.count(), table);
}

}  // namespace rules
