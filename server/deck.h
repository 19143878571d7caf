#pragma once
// The seeded generator and the deal: four packs of 54 cards, 36 to each seat.
#include <array>
#include <cstdint>
#include <string>

#include "server/play_rules.h"

namespace server {

// splitmix64: small, fast and the same on every platform, so a seed gives the same
// deals and bot choices everywhere.
class Rng {
  public:
    explicit Rng(std::uint64_t seed) : state_(seed) {}
    std::uint64_t next();
    // Uniform in 0..n-1 (n > 0).
    std::uint64_t below(std::uint64_t n);
    int between(int lo, int hi) { return lo + int(below(std::uint64_t(hi - lo + 1))); }

  private:
    std::uint64_t state_;
};

inline constexpr int kSeats = 6;
inline constexpr int kHandSize = 36;

// Shuffles four packs and deals 36 cards to each seat. Each hand's CardIds are 0..35
// (unique within the hand); hands are sorted high to low.
std::array<Cards, kSeats> dealHands(Rng& rng);

// A card with a new CardId.
inline CardCode withCardId(CardCode c, int id) {
    return (c & 0x00FFFFFF) | CardCode(std::uint32_t(id & 0x7F) << 24);
}

// A card in the rules' notation for the event log ("10H", "AS", "SJ").
std::string cardText(CardCode c);
std::string cardsText(std::span<const CardCode> cards);

}  // namespace server
