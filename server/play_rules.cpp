#include "server/play_rules.h"

#include "rules/hand.h"
#include "rules/hint.h"
#include "rules/validation.h"

namespace server {

rules::PlayClass checkPlay(std::span<const CardCode> selected, int handCount,
                           rules::PlayClass tableClass, std::span<const CardCode> tableCards) {
    rules::PlayVerdict v = rules::validateSelection(selected, handCount, tableClass, tableCards);
    return v.play ? v.playClass : rules::PlayClass::kNone;
}

std::vector<Cards> followCandidates(std::span<const CardCode> hand, rules::PlayClass tableClass,
                                    std::span<const CardCode> tableCards) {
    std::vector<Cards> out;
    for (const auto& cand : rules::FollowHint(hand, tableCards)) {
        Cards c;
        for (int pos : cand)
            if (pos >= 0 && pos < int(hand.size())) c.push_back(hand[pos]);
        if (checkPlay(c, int(hand.size()), tableClass, tableCards) != rules::PlayClass::kNone)
            out.push_back(std::move(c));
    }
    return out;
}

Cards leadProposal(std::span<const CardCode> hand) {
    Cards c;
    for (int pos : rules::LeadHint(hand, false))
        if (pos >= 0 && pos < int(hand.size())) c.push_back(hand[pos]);
    return c;
}

void sortHand(Cards& hand) { rules::sortCards(hand); }

}  // namespace server
