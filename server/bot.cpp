#include "server/bot.h"

#include <algorithm>

#include "rules/tribute_return.h"

namespace server {
namespace {

bool isHigh(CardCode c) { return rules::rankOf(c) >= rules::kRankTwo; }

bool usesHighCards(const Cards& c) { return std::any_of(c.begin(), c.end(), isHigh); }

int countRank(std::span<const CardCode> hand, int rank) {
    return int(std::count_if(hand.begin(), hand.end(),
                             [&](CardCode c) { return rules::rankOf(c) == rank; }));
}

// Natural cards of the candidate's rank left behind in the hand: breaking a group.
bool breaksGroup(std::span<const CardCode> hand, const Cards& cand) {
    for (CardCode c : cand) {
        int r = rules::rankOf(c);
        if (rules::isNatural(r)) {
            int used = countRank(cand, r);
            return countRank(hand, r) > used;
        }
    }
    return false;
}

class HouseBot : public Bot {
  public:
    explicit HouseBot(std::uint64_t seed) : rng_(seed) {}

    std::optional<Cards> choosePlay(const SeatView& v) override {
        if (v.leading) return leadProposal(v.hand);
        auto cands = followCandidates(v.hand, v.tableClass, v.tableCards);
        if (cands.empty()) return std::nullopt;
        bool partner =
            v.tableOwner >= 0 && v.tableOwner % 2 == v.seat % 2 && v.tableOwner != v.seat;
        bool ownerHolds = v.tableOwner >= 0 && v.cardCounts[v.tableOwner] > 0;
        int handSize = int(v.hand.size());
        // Going out ends every worry.
        for (const auto& c : cands)
            if (int(c.size()) == handSize) return c;
        // Do not beat a partner who still plays on.
        if (partner && ownerHolds) return std::nullopt;
        bool danger = v.tableOwner >= 0 && v.cardCounts[v.tableOwner] <= 6;
        bool endgame = handSize <= 8;
        const Cards* pick = nullptr;
        // First choice: natural cards of an exact group; then a natural group broken,
        // unless a pair would be broken for a single; twos and jokers only when they matter.
        for (const auto& c : cands)
            if (!usesHighCards(c) && !breaksGroup(v.hand, c)) {
                pick = &c;
                break;
            }
        if (!pick)
            for (const auto& c : cands)
                if (!usesHighCards(c) && (c.size() > 1 || danger || endgame)) {
                    pick = &c;
                    break;
                }
        if (!pick && (danger || endgame || rng_.below(4) == 0)) pick = &cands.front();
        if (!pick) return std::nullopt;
        // Now and then hold back an early, cheap follow to keep the play varied.
        if (!danger && !endgame && rng_.below(10) == 0) return std::nullopt;
        return *pick;
    }

    bool wantsToPreDeclare(std::span<const CardCode> hand) override {
        int high = int(std::count_if(hand.begin(), hand.end(), [](CardCode c) {
            return rules::rankOf(c) >= rules::kRankSmallJoker;
        }));
        return high >= 4 && rng_.below(2) == 0;
    }

    bool acceptsTribute() override { return true; }

    Cards chooseReturn(std::span<const CardCode> hand, int count,
                       std::span<const std::uint8_t> noReturn) override {
        return automaticReturn(hand, count, noReturn);
    }

  private:
    Rng rng_;
};

}  // namespace

Cards automaticReturn(std::span<const CardCode> hand, int count,
                      std::span<const std::uint8_t> noReturn) {
    Cards out;
    rules::ReturnDecision d = rules::chooseAutomaticReturn(hand, count, noReturn);
    if (!d.ok) return out;
    for (int pos : d.chosen)
        if (pos >= 0 && pos < int(hand.size())) out.push_back(hand[pos]);
    return out;
}

std::unique_ptr<Bot> makeBot(std::uint64_t seed) { return std::make_unique<HouseBot>(seed); }

}  // namespace server
