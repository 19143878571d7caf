#pragma once
// GIF files written by hand for the animated-picture tests: every record where the
// test wants it, the image data as plain LZW (literal codes with a clear code often
// enough that the code width never grows), so any frame's indices are exactly the
// ones the test wrote.
#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

namespace giftest {

using Bytes = std::vector<std::uint8_t>;

inline void putWord(Bytes& b, int v) {
    b.push_back(static_cast<std::uint8_t>(v & 0xFF));
    b.push_back(static_cast<std::uint8_t>((v >> 8) & 0xFF));
}

// Image data for 8-bit indices: code size 8, 9-bit codes, clear every 100 codes.
inline Bytes lzwData(const std::vector<std::uint8_t>& indices) {
    std::vector<int> codes = {256};
    int sinceClear = 0;
    for (std::uint8_t i : indices) {
        if (sinceClear == 100) {
            codes.push_back(256);
            sinceClear = 0;
        }
        codes.push_back(i);
        ++sinceClear;
    }
    codes.push_back(257);
    Bytes packed;
    std::uint32_t acc = 0;
    int bits = 0;
    for (int c : codes) {
        acc |= static_cast<std::uint32_t>(c) << bits;
        bits += 9;
        while (bits >= 8) {
            packed.push_back(static_cast<std::uint8_t>(acc & 0xFF));
            acc >>= 8;
            bits -= 8;
        }
    }
    if (bits > 0) packed.push_back(static_cast<std::uint8_t>(acc & 0xFF));
    Bytes out = {8};
    for (std::size_t at = 0; at < packed.size(); at += 255) {
        std::size_t n = std::min<std::size_t>(255, packed.size() - at);
        out.push_back(static_cast<std::uint8_t>(n));
        out.insert(out.end(), packed.begin() + static_cast<long>(at),
                   packed.begin() + static_cast<long>(at + n));
    }
    out.push_back(0);
    return out;
}

// A colour table of 0xRRGGBB entries, padded to a power of two; returns the size bits.
inline int putTable(Bytes& b, const std::vector<std::uint32_t>& colours) {
    int bits = 0;
    while ((2u << bits) < colours.size()) ++bits;
    for (int i = 0; i < (2 << bits); ++i) {
        std::uint32_t c =
            i < static_cast<int>(colours.size()) ? colours[static_cast<std::size_t>(i)] : 0;
        b.push_back(static_cast<std::uint8_t>(c >> 16));
        b.push_back(static_cast<std::uint8_t>(c >> 8));
        b.push_back(static_cast<std::uint8_t>(c));
    }
    return bits;
}

class GifBuilder {
  public:
    // The header and logical screen; a global table when colours are given.
    explicit GifBuilder(int width, int height, const std::vector<std::uint32_t>& global = {},
                        const std::string& signature = "GIF89a") {
        b_.assign(signature.begin(), signature.end());
        putWord(b_, width);
        putWord(b_, height);
        std::size_t packedAt = b_.size();
        b_.insert(b_.end(), {0, 0, 0});
        if (!global.empty()) b_[packedAt] = static_cast<std::uint8_t>(0x80 | putTable(b_, global));
    }

    GifBuilder& netscape(int loops, const std::string& id = "NETSCAPE2.0") {
        b_.insert(b_.end(), {0x21, 0xFF, static_cast<std::uint8_t>(id.size())});
        b_.insert(b_.end(), id.begin(), id.end());
        b_.insert(b_.end(), {3, 1});
        putWord(b_, loops);
        b_.push_back(0);
        return *this;
    }

    // A graphic control record; transparentIndex -1 for none.
    GifBuilder& control(int disposal, int delayHundredths, int transparentIndex = -1) {
        b_.insert(b_.end(), {0x21, 0xF9, 4});
        b_.push_back(static_cast<std::uint8_t>((disposal << 2) | (transparentIndex >= 0 ? 1 : 0)));
        putWord(b_, delayHundredths);
        b_.push_back(static_cast<std::uint8_t>(transparentIndex >= 0 ? transparentIndex : 0));
        b_.push_back(0);
        return *this;
    }

    // An image with its indices row by row; a local table when colours are given.
    GifBuilder& image(int left, int top, int width, int height,
                      const std::vector<std::uint8_t>& indices,
                      const std::vector<std::uint32_t>& local = {}, bool interlaced = false) {
        b_.push_back(0x2C);
        putWord(b_, left);
        putWord(b_, top);
        putWord(b_, width);
        putWord(b_, height);
        std::size_t packedAt = b_.size();
        b_.push_back(interlaced ? 0x40 : 0);
        if (!local.empty()) b_[packedAt] |= static_cast<std::uint8_t>(0x80 | putTable(b_, local));
        std::vector<std::uint8_t> order = indices;
        if (interlaced) {
            order.clear();
            static const int start[] = {0, 4, 2, 1}, step[] = {8, 8, 4, 2};
            for (int pass = 0; pass < 4; ++pass)
                for (int y = start[pass]; y < height; y += step[pass])
                    order.insert(order.end(), indices.begin() + y * width,
                                 indices.begin() + (y + 1) * width);
        }
        Bytes data = lzwData(order);
        b_.insert(b_.end(), data.begin(), data.end());
        return *this;
    }

    // A solid image of one index.
    GifBuilder& solid(int left, int top, int width, int height, std::uint8_t index,
                      const std::vector<std::uint32_t>& local = {}) {
        return image(left, top, width, height,
                     std::vector<std::uint8_t>(static_cast<std::size_t>(width * height), index),
                     local);
    }

    GifBuilder& raw(const Bytes& bytes) {
        b_.insert(b_.end(), bytes.begin(), bytes.end());
        return *this;
    }

    std::size_t size() const { return b_.size(); }
    Bytes bytes() const {
        Bytes out = b_;
        out.push_back(0x3B);
        return out;
    }

  private:
    Bytes b_;
};

}  // namespace giftest
