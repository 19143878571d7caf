#pragma once
// The ProxyBuffer: where the proxy's replies are kept during the handshake. 1024
// bytes, circular, a write index advanced per byte and a read index; both go back
// to 0 before each request, so a reply always starts at the read index.
#include <array>
#include <cstddef>
#include <cstdint>

namespace net {

class ProxyRing {
  public:
    static constexpr std::size_t kSize = 1024;

    // Stores one byte at the write index; false when the write index has wrapped
    // round to the read index (the buffer overflowed).
    bool put(std::uint8_t b) {
        bytes_[write_] = b;
        write_ = (write_ + 1) % kSize;
        return write_ != read_;
    }
    // Byte k of the reply that starts at the read index.
    std::uint8_t at(std::size_t k) const { return bytes_[(read_ + k) % kSize]; }
    std::size_t pending() const { return (write_ + kSize - read_) % kSize; }
    std::size_t writeIndex() const { return write_; }
    std::size_t readIndex() const { return read_; }
    void resetIndices() { write_ = read_ = 0; }

  private:
    std::array<std::uint8_t, kSize> bytes_{};
    std::size_t write_ = 0;
    std::size_t read_ = 0;
};

}  // namespace net
