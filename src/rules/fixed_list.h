#pragma once

#include <array>
#include <cstddef>
#include <span>

namespace rules {

// A list with its capacity fixed at compile time and its storage inline, so the rule
// routines never touch the heap. Appending to a full list is refused (returns false)
// rather than writing past the end; every capacity used by the rules is chosen so that
// this cannot happen with hands of at most 57 cards.
template <class T, std::size_t N>
class FixedList {
  public:
    FixedList() = default;

    bool push_back(const T& value) {
        if (size_ >= N) return false;
        items_[size_++] = value;
        return true;
    }
    void clear() { size_ = 0; }

    std::size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    static constexpr std::size_t capacity() { return N; }

    T& operator[](std::size_t i) { return items_[i]; }
    const T& operator[](std::size_t i) const { return items_[i]; }
    T& back() { return items_[size_ - 1]; }
    const T& back() const { return items_[size_ - 1]; }

    T* begin() { return items_.data(); }
    T* end() { return items_.data() + size_; }
    const T* begin() const { return items_.data(); }
    const T* end() const { return items_.data() + size_; }
    const T* data() const { return items_.data(); }

    operator std::span<const T>() const { return {items_.data(), size_}; }

    friend bool operator==(const FixedList& a, const FixedList& b) {
        if (a.size_ != b.size_) return false;
        for (std::size_t i = 0; i < a.size_; ++i)
            if (!(a.items_[i] == b.items_[i])) return false;
        return true;
    }

  private:
    std::array<T, N> items_;
    std::size_t size_ = 0;
};

}  // namespace rules
