#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "rules/card.h"
#include "rules/fixed_list.h"

namespace rules {

inline constexpr int kHandCapacity = 57;

// Positions in a hand (0 = leftmost, the highest card), in the order a routine takes them.
using HandPositions = FixedList<int, kHandCapacity>;

// One entry of a card list: the card, the item of the card picture array that shows it,
// and the Top of that picture. The Top travels with the card when the hand is sorted, so
// a raised (selected) card stays raised at its new position.
struct HandEntry {
    CardCode code = 0;
    std::int16_t imageIndex = -1;
    std::int32_t top = 0;

    friend bool operator==(const HandEntry&, const HandEntry&) = default;
};

// A seat's card list: at most 57 entries, held from the front. Cards join at the end;
// a card that leaves shifts the later entries down one position. The codes are kept
// contiguously so the rule routines can read the hand as a plain card list.
class Hand {
  public:
    int count() const { return count_; }
    bool empty() const { return count_ == 0; }
    bool full() const { return count_ >= kHandCapacity; }

    std::span<const CardCode> codes() const { return {codes_.data(), std::size_t(count_)}; }
    CardCode code(int pos) const { return codes_[pos]; }
    HandEntry entry(int pos) const { return {codes_[pos], imageIndex_[pos], top_[pos]}; }
    std::int16_t imageIndex(int pos) const { return imageIndex_[pos]; }
    std::int32_t top(int pos) const { return top_[pos]; }

    void setEntry(int pos, const HandEntry& e);
    void setTop(int pos, std::int32_t top) { top_[pos] = top; }

    // Appends at the end; refused (false) when the hand already holds 57 cards.
    bool append(const HandEntry& e);
    bool append(CardCode code, std::int16_t imageIndex = -1, std::int32_t top = 0) {
        return append(HandEntry{code, imageIndex, top});
    }
    // Removes one entry, shifting the later ones down; out-of-range positions are ignored.
    void removeAt(int pos);
    void clear() { count_ = 0; }
    // Shortens the list by n entries from the end (never below empty); the entries
    // themselves keep what they hold.
    void shorten(int n) { count_ = n >= count_ ? 0 : count_ - (n > 0 ? n : 0); }

    // Orders entries first .. first + count - 1 (clamped to the hand) high to low: rank
    // descending, then suit bit descending. Codes and Tops move; picture items stay.
    void sort(int first, int count);
    void sort() { sort(0, count_); }

  private:
    std::array<CardCode, kHandCapacity> codes_{};
    std::array<std::int16_t, kHandCapacity> imageIndex_{};
    std::array<std::int32_t, kHandCapacity> top_{};
    int count_ = 0;
};

// The same exchange sort over a plain card list (the server's and the bots' hands).
void sortCards(std::span<CardCode> cards);

// Builds a hand from a card list, without pictures, in the given order.
Hand handOf(std::span<const CardCode> cards);

}  // namespace rules
