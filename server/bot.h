#pragma once
// A bot decides for one seat from what a client in that seat would know: its own hand,
// the play on the table and who made it, and how many cards every seat holds. The
// table asks it; it never sees the other hands. The load client plays with the same
// policy, and the server answers with it for a human whose countdown ran out unseen.
#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>

#include "server/deck.h"

namespace server {

struct SeatView {
    int seat = 0;
    std::span<const CardCode> hand;  // sorted high to low
    bool leading = true;             // free lead (the table is empty)
    rules::PlayClass tableClass = rules::PlayClass::kNone;
    std::span<const CardCode> tableCards;
    int tableOwner = -1;
    std::array<int, kSeats> cardCounts{};
};

class Bot {
  public:
    virtual ~Bot() = default;
    // The cards to play, or nothing to pass (never nothing while leading).
    virtual std::optional<Cards> choosePlay(const SeatView& view) = 0;
    virtual bool wantsToPreDeclare(std::span<const CardCode> hand) = 0;
    virtual bool acceptsTribute() = 0;
    // `count` cards to give back: never a three, and no rank of `noReturn` while others remain.
    virtual Cards chooseReturn(std::span<const CardCode> hand, int count,
                               std::span<const std::uint8_t> noReturn) = 0;
};

// The house policy: the client's hints with a little judgement.
std::unique_ptr<Bot> makeBot(std::uint64_t seed);

// The automatic return, as the client's countdown chooses it: the lowest cards that are
// not threes and not listed, then the lowest that are not threes.
Cards automaticReturn(std::span<const CardCode> hand, int count,
                      std::span<const std::uint8_t> noReturn);

}  // namespace server
