#include "rules/hint.h"

#include <algorithm>
#include <initializer_list>

#include "rules/play.h"

namespace rules {
namespace {

// Takes up to c cards whose rank is in `ranks`, visiting the hand from its last entry
// (the lowest card) towards the first; among several ranks the lower come first.
void takeFromEnd(std::span<const CardCode> hand, int c, std::initializer_list<int> ranks,
                 HintCandidate& candidate) {
    int taken = 0;
    for (int pos = int(hand.size()) - 1; pos >= 0 && taken < c; --pos) {
        const int r = rankOf(hand[pos]);
        for (int wanted : ranks) {
            if (r == wanted) {
                candidate.push_back(pos);
                ++taken;
                break;
            }
        }
    }
}

HintCandidate taken(std::span<const CardCode> hand, int c, std::initializer_list<int> ranks) {
    HintCandidate candidate;
    takeFromEnd(hand, c, ranks, candidate);
    return candidate;
}

int twosAndJokers(const RankCounts& h) {
    return h[kRankTwo] + h[kRankSmallJoker] + h[kRankBigJoker];
}

// Entries of the joker recipe: count x 100 + rank.
using Recipe = FixedList<int, 24>;

struct HintExchange {
    int tableRank, handRank, handCards;
};
// The order the passes try them: 217, 316, 117, 216.
constexpr HintExchange kHintExchanges[] = {
    {kRankBigJoker, kRankBigJoker, 2},
    {kRankBigJoker, kRankSmallJoker, 3},
    {kRankSmallJoker, kRankBigJoker, 1},
    {kRankSmallJoker, kRankSmallJoker, 2},
};

// Against natural cards and twos left after the joker exchanges: the rank above the
// table's with the most cards (the lowest on a tie), topped up with twos, small jokers
// and big jokers in that order. False when the hand cannot make up the number.
bool replaceRest(const RankCounts& h, int k, int need, Recipe& recipe) {
    int g = 0;
    for (int r = k + 1; r <= kRankAce; ++r)
        if (h[r] > 0 && (g == 0 || h[r] > h[g])) g = r;
    const int h2 = h[kRankTwo], h16 = h[kRankSmallJoker], h17 = h[kRankBigJoker];
    if (g != 0) {
        const int hg = h[g];
        if (hg >= need) {
            recipe.push_back(need * 100 + g);
        } else if (hg + h2 >= need) {
            recipe.push_back(hg * 100 + g);
            recipe.push_back((need - hg) * 100 + kRankTwo);
        } else if (hg + h2 + h16 >= need) {
            recipe.push_back(hg * 100 + g);
            recipe.push_back(h2 * 100 + kRankTwo);
            recipe.push_back((need - hg - h2) * 100 + kRankSmallJoker);
        } else if (hg + h2 + h16 + h17 >= need) {
            recipe.push_back(hg * 100 + g);
            recipe.push_back(h2 * 100 + kRankTwo);
            recipe.push_back(h16 * 100 + kRankSmallJoker);
            recipe.push_back((need - hg - h2 - h16) * 100 + kRankBigJoker);
        } else {
            return false;
        }
        return true;
    }
    if (h2 + h16 + h17 < need) return false;
    if (h2 >= need) {
        recipe.push_back(need * 100 + kRankTwo);
    } else if (h2 + h16 >= need) {
        recipe.push_back(h2 * 100 + kRankTwo);
        recipe.push_back((need - h2) * 100 + kRankSmallJoker);
    } else {
        recipe.push_back(h2 * 100 + kRankTwo);
        recipe.push_back(h16 * 100 + kRankSmallJoker);
        recipe.push_back((need - h2 - h16) * 100 + kRankBigJoker);
    }
    return true;
}

// The one candidate against a table play holding jokers, or an empty one.
HintCandidate jokerTableCandidate(std::span<const CardCode> hand, RankCounts h, RankCounts t, int k,
                                  int need) {
    Recipe recipe;
    for (int pass = 0; pass < 4; ++pass) {
        for (const HintExchange& x : kHintExchanges) {
            if (t[x.tableRank] < 1 || h[x.handRank] < x.handCards) continue;
            h[x.handRank] -= x.handCards;
            t[x.tableRank] -= 1;
            recipe.push_back(x.handCards * 100 + x.handRank);
        }
    }
    if (t[kRankSmallJoker] + t[kRankBigJoker] > 0) return {};

    if (k == 0) {
        const int twos = t[kRankTwo];
        if (h[kRankSmallJoker] + h[kRankBigJoker] < twos) return {};
        if (h[kRankSmallJoker] < twos) {
            recipe.push_back(h[kRankSmallJoker] * 100 + kRankSmallJoker);
            recipe.push_back((twos - h[kRankSmallJoker]) * 100 + kRankBigJoker);
        } else {
            recipe.push_back(twos * 100 + kRankSmallJoker);
        }
    } else if (!replaceRest(h, k, need, recipe)) {
        return {};
    }

    // Merge every later entry of the same rank into the first one.
    Recipe merged;
    for (int entry : recipe) {
        bool added = false;
        for (int& m : merged) {
            if (m % 100 == entry % 100) {
                m += entry - entry % 100;
                added = true;
                break;
            }
        }
        if (!added) merged.push_back(entry);
    }

    HintCandidate candidate;
    for (int entry : merged) takeFromEnd(hand, entry / 100, {entry % 100}, candidate);
    return candidate;
}

}  // namespace

HintCandidates FollowHint(std::span<const CardCode> cards, std::span<const CardCode> table) {
    HintCandidates out;
    const auto hand = cards.first(std::min<std::size_t>(cards.size(), kHandCapacity));
    const RankCounts t = countRanks(table);
    const RankCounts h = countRanks(hand);
    int k = 0;
    for (int r = kRankThree; r <= kRankAce && k == 0; ++r)
        if (t[r] > 0) k = r;
    const int need = (k > 0 ? t[k] : 0) + t[kRankTwo];
    const int j = t[kRankSmallJoker] + t[kRankBigJoker];

    if (j == 0 && k > 0) {
        for (int g = k + 1; g <= kRankAce; ++g)
            if (h[g] == need) out.push_back(taken(hand, need, {g}));
        for (int g = k + 1; g <= kRankAce; ++g)
            if (h[g] > need) out.push_back(taken(hand, need, {g}));
        for (int g = k + 1; g <= kRankAce; ++g)
            if (h[g] > 0 && h[g] < need && h[g] + twosAndJokers(h) >= need)
                out.push_back(taken(hand, need, {g, kRankTwo, kRankSmallJoker, kRankBigJoker}));
        if (twosAndJokers(h) >= need)
            out.push_back(taken(hand, need, {kRankTwo, kRankSmallJoker, kRankBigJoker}));
    } else if (j == 0) {
        // Only twos on the table (none at all only when the table holds no known card,
        // which offers nothing to beat).
        const int twos = t[kRankTwo];
        if (twos > 0 && h[kRankSmallJoker] + h[kRankBigJoker] >= twos)
            out.push_back(taken(hand, twos, {kRankSmallJoker, kRankBigJoker}));
    } else {
        HintCandidate c = jokerTableCandidate(hand, h, t, k, need);
        if (!c.empty()) out.push_back(c);
    }
    return out;
}

HandPositions LeadHint(std::span<const CardCode> cards, bool selfBurning) {
    HandPositions raise;
    const auto hand = cards.first(std::min<std::size_t>(cards.size(), kHandCapacity));
    const int count = int(hand.size());
    int last = count - 1;
    while (last >= 0 && rankOf(hand[last]) == kRankThree) --last;
    if (last < 0) {  // only threes, or nothing
        for (int pos = 0; pos < count; ++pos) raise.push_back(pos);
        return raise;
    }
    const int r = rankOf(hand[last]);
    bool raised[kHandCapacity] = {};
    for (int pos = count - 1; pos >= 0; --pos) {
        const int rank = rankOf(hand[pos]);
        if (rank == kRankThree) continue;
        if (rank != r) break;
        raised[pos] = true;
    }
    if (selfBurning) {
        bool restGoesOut = true;
        for (CardCode c : hand) {
            const int rank = rankOf(c);
            if (rank != kRankThree && rank != kRankTwo && !isJoker(rank) && rank != r)
                restGoesOut = false;
        }
        if (restGoesOut) {
            for (int pos = 0; pos < count; ++pos)
                if (rankOf(hand[pos]) != kRankThree) raised[pos] = true;
        } else {
            for (int pos = count - 1; pos >= 0; --pos) {
                if (isJoker(rankOf(hand[pos]))) {
                    raised[pos] = true;
                    break;
                }
            }
        }
    }
    for (int pos = 0; pos < count; ++pos)
        if (raised[pos]) raise.push_back(pos);
    return raise;
}

std::string formatHintList(const HintCandidates& candidates, const Hand& hand) {
    std::string text;
    for (const HintCandidate& c : candidates) {
        if (!text.empty()) text += '$';
        for (int pos : c) {
            text += std::to_string(hand.imageIndex(pos));
            text += ' ';
        }
    }
    return text;
}

}  // namespace rules
