#include "rules/hand.h"

#include <algorithm>
#include <utility>

namespace rules {
namespace {

// True when the card at i must give way to the card at j. Equal cards (same rank and
// suit bit, possible with four packs) never change places with each other directly.
bool outranks(CardCode j, CardCode i) {
    if (rankOf(i) != rankOf(j)) return rankOf(i) < rankOf(j);
    return suitBitOf(i) < suitBitOf(j);
}

// The client's exchange sort: every later entry is compared with entry i and exchanged
// with it when it is higher. Not stable; the order of equal cards is whatever the
// exchanges with other cards leave, and players see that order.
template <class Exchange>
void exchangeSort(std::span<const CardCode> codes, int first, int last, Exchange exchange) {
    for (int i = first; i < last; ++i)
        for (int j = i + 1; j <= last; ++j)
            if (outranks(codes[j], codes[i])) exchange(i, j);
}

}  // namespace

void Hand::setEntry(int pos, const HandEntry& e) {
    codes_[pos] = e.code;
    imageIndex_[pos] = e.imageIndex;
    top_[pos] = e.top;
}

bool Hand::append(const HandEntry& e) {
    if (full()) return false;
    setEntry(count_++, e);
    return true;
}

void Hand::removeAt(int pos) {
    if (pos < 0 || pos >= count_) return;
    for (int k = pos; k + 1 < count_; ++k) setEntry(k, entry(k + 1));
    --count_;
}

void Hand::sort(int first, int count) {
    first = std::max(first, 0);
    const int last = std::min(first + count, count_) - 1;
    exchangeSort(codes(), first, last, [this](int i, int j) {
        std::swap(codes_[i], codes_[j]);
        std::swap(top_[i], top_[j]);
    });
}

void sortCards(std::span<CardCode> cards) {
    exchangeSort(cards, 0, int(cards.size()) - 1,
                 [cards](int i, int j) { std::swap(cards[i], cards[j]); });
}

Hand handOf(std::span<const CardCode> cards) {
    Hand hand;
    for (CardCode c : cards)
        if (!hand.append(c)) break;
    return hand;
}

}  // namespace rules
