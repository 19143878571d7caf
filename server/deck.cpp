#include "server/deck.h"

#include "rules/notation.h"

namespace server {

std::uint64_t Rng::next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

std::uint64_t Rng::below(std::uint64_t n) {
    // Rejection keeps the draw uniform.
    std::uint64_t limit = UINT64_MAX - UINT64_MAX % n;
    std::uint64_t v;
    do v = next();
    while (v >= limit);
    return v % n;
}

std::array<Cards, kSeats> dealHands(Rng& rng) {
    Cards deck;
    deck.reserve(216);
    for (int pack = 0; pack < 4; ++pack) {
        for (int rank = 3; rank <= 15; ++rank)
            for (int suit : {1, 2, 4, 8}) deck.push_back(rules::composeCard(rank, suit, 0, 0));
        deck.push_back(rules::composeCard(16, 1, 0, 0));
        deck.push_back(rules::composeCard(17, 1, 0, 0));
    }
    for (std::size_t i = deck.size() - 1; i > 0; --i) std::swap(deck[i], deck[rng.below(i + 1)]);
    std::array<Cards, kSeats> hands;
    for (int s = 0; s < kSeats; ++s) {
        for (int i = 0; i < kHandSize; ++i)
            hands[s].push_back(withCardId(deck[s * kHandSize + i], i));
        sortHand(hands[s]);
    }
    return hands;
}

std::string cardText(CardCode c) { return rules::formatCard(c); }

std::string cardsText(std::span<const CardCode> cards) { return rules::formatCards(cards); }

}  // namespace server
