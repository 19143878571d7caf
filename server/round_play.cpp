#include "server/round_play.h"

#include <algorithm>
#include <optional>

namespace server {

void RoundPlay::start(std::array<Cards, kSeats> hands, int leader) {
    hands_ = std::move(hands);
    for (auto& h : hands_) sortHand(h);
    places_.fill(0);
    outCount_ = 0;
    lastOut_ = leader;
    current_ = leader;
    mode_ = wire::TurnMode::kLead;
    tableClass_ = rules::PlayClass::kNone;
    tableCards_.clear();
    owner_ = -1;
    passes_ = 0;
    over_ = false;
}

int RoundPlay::nextWithCards(int from) const {
    for (int i = 1; i <= kSeats; ++i) {
        int s = (from + i) % kSeats;
        if (!hands_[s].empty()) return s;
    }
    return -1;
}

int RoundPlay::seatsWithCards() const {
    return int(
        std::count_if(hands_.begin(), hands_.end(), [](const Cards& h) { return !h.empty(); }));
}

// One team entirely out, or five seats out.
bool RoundPlay::roundEnds() const {
    if (outCount_ >= 5) return true;
    for (int team = 0; team < 2; ++team) {
        bool allOut = true;
        for (int s = team; s < kSeats; s += 2) allOut = allOut && places_[s] != 0;
        if (allOut) return true;
    }
    return false;
}

std::optional<PlayStep> RoundPlay::play(int seat, std::span<const std::uint8_t> ids) {
    if (over_ || seat != current_ || ids.empty() || ids.size() > std::size_t(rules::kMaxPlayCards))
        return std::nullopt;
    const Cards& h = hands_[seat];
    Cards chosen;
    std::array<bool, 256> seen{};
    for (std::uint8_t id : ids) {
        if (seen[id]) return std::nullopt;
        seen[id] = true;
        auto it =
            std::find_if(h.begin(), h.end(), [&](CardCode c) { return rules::cardIdOf(c) == id; });
        if (it == h.end()) return std::nullopt;
        chosen.push_back(*it);
    }
    return playCards(seat, chosen);
}

std::optional<PlayStep> RoundPlay::playCards(int seat, std::span<const CardCode> cardsIn) {
    if (over_ || seat != current_ || cardsIn.empty()) return std::nullopt;
    Cards& h = hands_[seat];
    // Every card must be a distinct entry of the hand; take them in hand order, as the
    // client lists its selection.
    Cards cards;
    std::vector<bool> taken(h.size(), false);
    for (CardCode c : cardsIn) {
        bool found = false;
        for (std::size_t i = 0; i < h.size(); ++i)
            if (!taken[i] && h[i] == c) {
                taken[i] = found = true;
                break;
            }
        if (!found) return std::nullopt;
    }
    for (std::size_t i = 0; i < h.size(); ++i)
        if (taken[i]) cards.push_back(h[i]);

    rules::PlayClass table = mode_ == wire::TurnMode::kLead ? rules::PlayClass::kNone : tableClass_;
    Cards tableCodes;
    for (CardCode c : tableCards_) tableCodes.push_back(rules::tableCodeOf(c));
    rules::PlayClass cls = checkPlay(cards, int(h.size()), table, tableCodes);
    if (cls == rules::PlayClass::kNone) return std::nullopt;

    PlayStep step;
    step.actor = seat;
    step.cards = cards;
    step.playClass = cls;
    step.action =
        mode_ == wire::TurnMode::kLead ? wire::PlayedAction::kOpening : wire::PlayedAction::kPlayed;

    Cards rest;
    for (std::size_t i = 0; i < h.size(); ++i)
        if (!taken[i]) rest.push_back(h[i]);
    h = std::move(rest);
    tableClass_ = cls;
    tableCards_ = cards;
    owner_ = seat;
    passes_ = 0;

    if (h.empty()) {
        ++outCount_;
        places_[seat] = outCount_;
        lastOut_ = seat;
        step.action = wire::PlayedAction::kWentOut;
        step.place = outCount_;
        if (roundEnds()) {
            over_ = true;
            step.roundOver = true;
            step.next = -1;
            step.mode = wire::TurnMode::kNone;
            return step;
        }
    }
    current_ = nextWithCards(seat);
    mode_ = wire::TurnMode::kFollow;
    step.next = current_;
    step.mode = mode_;
    return step;
}

std::optional<PlayStep> RoundPlay::pass(int seat) {
    if (over_ || seat != current_ || mode_ == wire::TurnMode::kLead) return std::nullopt;
    PlayStep step;
    step.actor = seat;
    step.action = wire::PlayedAction::kPass;
    ++passes_;
    bool ownerHolds = owner_ >= 0 && !hands_[owner_].empty();
    int needed = seatsWithCards() - (ownerHolds ? 1 : 0);
    if (passes_ >= needed) {
        // Everyone else passed: the trick is over. Its last player leads again, or when
        // he has gone out the next seat after him that still holds cards.
        current_ = ownerHolds ? owner_ : nextWithCards(owner_);
        mode_ = wire::TurnMode::kLead;
        tableClass_ = rules::PlayClass::kNone;
        tableCards_.clear();
        passes_ = 0;
    } else {
        current_ = nextWithCards(seat);
    }
    step.next = current_;
    step.mode = mode_;
    return step;
}

std::array<int, kSeats> RoundPlay::finalPlaces() const {
    std::array<int, kSeats> out = places_;
    std::vector<int> rest;
    for (int i = 1; i <= kSeats; ++i) {
        int s = (lastOut_ + i) % kSeats;
        if (out[s] == 0) rest.push_back(s);
    }
    std::stable_sort(rest.begin(), rest.end(),
                     [&](int a, int b) { return hands_[a].size() < hands_[b].size(); });
    int next = outCount_;
    for (int s : rest) out[s] = ++next;
    return out;
}

}  // namespace server
