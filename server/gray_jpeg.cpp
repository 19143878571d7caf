#include "server/gray_jpeg.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace server {

namespace {

constexpr int kZigzag[64] = {0,  1,  8,  16, 9,  2,  3,  10, 17, 24, 32, 25, 18, 11, 4,  5,
                             12, 19, 26, 33, 40, 48, 41, 34, 27, 20, 13, 6,  7,  14, 21, 28,
                             35, 42, 49, 56, 57, 50, 43, 36, 29, 22, 15, 23, 30, 37, 44, 51,
                             58, 59, 52, 45, 38, 31, 39, 46, 53, 60, 61, 54, 47, 55, 62, 63};

constexpr int kQuant[64] = {16, 11, 10, 16, 24,  40,  51,  61,  12, 12, 14, 19, 26,  58,  60,  55,
                            14, 13, 16, 24, 40,  57,  69,  56,  14, 17, 22, 29, 51,  87,  80,  62,
                            18, 22, 37, 56, 68,  109, 103, 77,  24, 35, 55, 64, 81,  104, 113, 92,
                            49, 64, 78, 87, 103, 121, 120, 101, 72, 92, 95, 98, 112, 100, 103, 99};

constexpr std::uint8_t kDcBits[16] = {0, 1, 5, 1, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0};
constexpr std::uint8_t kDcValues[12] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11};
constexpr std::uint8_t kAcBits[16] = {0, 2, 1, 3, 3, 2, 4, 3, 5, 5, 4, 4, 0, 0, 1, 0x7d};
constexpr std::uint8_t kAcValues[162] = {
    0x01, 0x02, 0x03, 0x00, 0x04, 0x11, 0x05, 0x12, 0x21, 0x31, 0x41, 0x06, 0x13, 0x51, 0x61,
    0x07, 0x22, 0x71, 0x14, 0x32, 0x81, 0x91, 0xa1, 0x08, 0x23, 0x42, 0xb1, 0xc1, 0x15, 0x52,
    0xd1, 0xf0, 0x24, 0x33, 0x62, 0x72, 0x82, 0x09, 0x0a, 0x16, 0x17, 0x18, 0x19, 0x1a, 0x25,
    0x26, 0x27, 0x28, 0x29, 0x2a, 0x34, 0x35, 0x36, 0x37, 0x38, 0x39, 0x3a, 0x43, 0x44, 0x45,
    0x46, 0x47, 0x48, 0x49, 0x4a, 0x53, 0x54, 0x55, 0x56, 0x57, 0x58, 0x59, 0x5a, 0x63, 0x64,
    0x65, 0x66, 0x67, 0x68, 0x69, 0x6a, 0x73, 0x74, 0x75, 0x76, 0x77, 0x78, 0x79, 0x7a, 0x83,
    0x84, 0x85, 0x86, 0x87, 0x88, 0x89, 0x8a, 0x92, 0x93, 0x94, 0x95, 0x96, 0x97, 0x98, 0x99,
    0x9a, 0xa2, 0xa3, 0xa4, 0xa5, 0xa6, 0xa7, 0xa8, 0xa9, 0xaa, 0xb2, 0xb3, 0xb4, 0xb5, 0xb6,
    0xb7, 0xb8, 0xb9, 0xba, 0xc2, 0xc3, 0xc4, 0xc5, 0xc6, 0xc7, 0xc8, 0xc9, 0xca, 0xd2, 0xd3,
    0xd4, 0xd5, 0xd6, 0xd7, 0xd8, 0xd9, 0xda, 0xe1, 0xe2, 0xe3, 0xe4, 0xe5, 0xe6, 0xe7, 0xe8,
    0xe9, 0xea, 0xf1, 0xf2, 0xf3, 0xf4, 0xf5, 0xf6, 0xf7, 0xf8, 0xf9, 0xfa};

constexpr double kInvSqrt2 = 1 / std::numbers::sqrt2;

struct Code {
    std::uint16_t bits = 0;
    std::uint8_t length = 0;
};

// The canonical codes of a table given by its counts per length.
std::array<Code, 256> buildCodes(const std::uint8_t* counts, const std::uint8_t* values) {
    std::array<Code, 256> codes{};
    std::uint16_t code = 0;
    int k = 0;
    for (int len = 1; len <= 16; ++len) {
        for (int i = 0; i < counts[len - 1]; ++i)
            codes[values[k++]] = {code++, static_cast<std::uint8_t>(len)};
        code = static_cast<std::uint16_t>(code << 1);
    }
    return codes;
}

class BitWriter {
  public:
    explicit BitWriter(std::vector<std::uint8_t>& out) : out_(out) {}
    void put(std::uint32_t bits, int length) {
        for (int i = length - 1; i >= 0; --i) {
            acc_ = static_cast<std::uint8_t>((acc_ << 1) | ((bits >> i) & 1));
            if (++n_ == 8) flushByte();
        }
    }
    // Pads the last byte with one bits.
    void finish() {
        while (n_ != 0) put(1, 1);
    }

  private:
    void flushByte() {
        out_.push_back(acc_);
        if (acc_ == 0xFF) out_.push_back(0);  // a stuffed zero: 0xFF is a marker otherwise
        acc_ = 0;
        n_ = 0;
    }
    std::vector<std::uint8_t>& out_;
    std::uint8_t acc_ = 0;
    int n_ = 0;
};

int category(int v) {
    v = std::abs(v);
    int c = 0;
    while (v) ++c, v >>= 1;
    return c;
}

std::uint32_t magnitudeBits(int v, int cat) {
    return static_cast<std::uint32_t>(v < 0 ? v + (1 << cat) - 1 : v);
}

void put16(std::vector<std::uint8_t>& out, int v) {
    out.push_back(static_cast<std::uint8_t>(v >> 8));
    out.push_back(static_cast<std::uint8_t>(v & 0xFF));
}

void marker(std::vector<std::uint8_t>& out, std::uint8_t m) {
    out.push_back(0xFF);
    out.push_back(m);
}

void huffmanTable(std::vector<std::uint8_t>& out, std::uint8_t classAndId,
                  const std::uint8_t* counts, const std::uint8_t* values, int nValues) {
    marker(out, 0xC4);
    put16(out, 2 + 1 + 16 + nValues);
    out.push_back(classAndId);
    out.insert(out.end(), counts, counts + 16);
    out.insert(out.end(), values, values + nValues);
}

}  // namespace

std::vector<std::uint8_t> encodeGrayJpeg(const std::vector<std::uint8_t>& pixels, int width,
                                         int height) {
    std::vector<std::uint8_t> out;
    if (width < 1 || height < 1 || width > 65535 || height > 65535 ||
        pixels.size() < static_cast<std::size_t>(width) * static_cast<std::size_t>(height))
        return out;
    static const auto dcCodes = buildCodes(kDcBits, kDcValues);
    static const auto acCodes = buildCodes(kAcBits, kAcValues);
    static const auto cosTable = [] {
        std::array<double, 64> t{};
        for (int x = 0; x < 8; ++x)
            for (int u = 0; u < 8; ++u)
                t[x * 8 + u] = std::cos((2 * x + 1) * u * std::numbers::pi / 16);
        return t;
    }();

    marker(out, 0xD8);
    marker(out, 0xE0);  // JFIF 1.1, no density, no thumbnail
    put16(out, 16);
    for (char c : std::string("JFIF")) out.push_back(static_cast<std::uint8_t>(c));
    out.insert(out.end(), {0, 1, 1, 0, 0, 1, 0, 1, 0, 0});
    marker(out, 0xDB);
    put16(out, 67);
    out.push_back(0);
    for (int k = 0; k < 64; ++k) out.push_back(static_cast<std::uint8_t>(kQuant[kZigzag[k]]));
    marker(out, 0xC0);  // baseline, one 8-bit component
    put16(out, 11);
    out.push_back(8);
    put16(out, height);
    put16(out, width);
    out.insert(out.end(), {1, 1, 0x11, 0});
    huffmanTable(out, 0x00, kDcBits, kDcValues, 12);
    huffmanTable(out, 0x10, kAcBits, kAcValues, 162);
    marker(out, 0xDA);
    put16(out, 8);
    out.insert(out.end(), {1, 1, 0, 0, 63, 0});

    BitWriter bits(out);
    int previousDc = 0;
    for (int by = 0; by < height; by += 8) {
        for (int bx = 0; bx < width; bx += 8) {
            double block[64];
            for (int y = 0; y < 8; ++y)
                for (int x = 0; x < 8; ++x) {
                    // Past the edge the last row and column repeat.
                    const int sx = std::min(bx + x, width - 1), sy = std::min(by + y, height - 1);
                    block[y * 8 + x] =
                        pixels[static_cast<std::size_t>(sy) * static_cast<std::size_t>(width) +
                               static_cast<std::size_t>(sx)] -
                        128.0;
                }
            // The separable 8x8 DCT: rows, then columns.
            double rows[64];
            for (int y = 0; y < 8; ++y)
                for (int u = 0; u < 8; ++u) {
                    double s = 0;
                    for (int x = 0; x < 8; ++x) s += block[y * 8 + x] * cosTable[x * 8 + u];
                    rows[y * 8 + u] = s * (u == 0 ? kInvSqrt2 : 1.0) / 2;
                }
            int coef[64];
            for (int v = 0; v < 8; ++v)
                for (int u = 0; u < 8; ++u) {
                    double s = 0;
                    for (int y = 0; y < 8; ++y) s += rows[y * 8 + u] * cosTable[y * 8 + v];
                    s *= (v == 0 ? kInvSqrt2 : 1.0) / 2;
                    coef[v * 8 + u] = static_cast<int>(std::lround(s / kQuant[v * 8 + u]));
                }
            const int dc = coef[0];
            const int diff = dc - previousDc;
            previousDc = dc;
            int cat = category(diff);
            bits.put(dcCodes[static_cast<std::size_t>(cat)].bits,
                     dcCodes[static_cast<std::size_t>(cat)].length);
            bits.put(magnitudeBits(diff, cat), cat);
            int run = 0;
            for (int k = 1; k < 64; ++k) {
                const int c = coef[kZigzag[k]];
                if (c == 0) {
                    ++run;
                    continue;
                }
                while (run > 15) {
                    bits.put(acCodes[0xF0].bits, acCodes[0xF0].length);
                    run -= 16;
                }
                cat = category(c);
                const auto symbol = static_cast<std::size_t>((run << 4) | cat);
                bits.put(acCodes[symbol].bits, acCodes[symbol].length);
                bits.put(magnitudeBits(c, cat), cat);
                run = 0;
            }
            if (run > 0) bits.put(acCodes[0x00].bits, acCodes[0x00].length);
        }
    }
    bits.finish();
    marker(out, 0xD9);
    return out;
}

namespace {

// Block letters of 3 x 5 cells for the characters bot account names use.
struct Glyph {
    char c;
    const char* rows[5];
};
constexpr Glyph kGlyphs[] = {
    {'0', {"###", "#.#", "#.#", "#.#", "###"}}, {'1', {".#.", "##.", ".#.", ".#.", "###"}},
    {'2', {"###", "..#", "###", "#..", "###"}}, {'3', {"###", "..#", "###", "..#", "###"}},
    {'4', {"#.#", "#.#", "###", "..#", "..#"}}, {'5', {"###", "#..", "###", "..#", "###"}},
    {'6', {"###", "#..", "###", "#.#", "###"}}, {'7', {"###", "..#", "..#", "..#", "..#"}},
    {'8', {"###", "#.#", "###", "#.#", "###"}}, {'9', {"###", "#.#", "###", "..#", "###"}},
    {'b', {"#..", "#..", "###", "#.#", "###"}}, {'o', {"...", "...", "###", "#.#", "###"}},
    {'t', {".#.", "###", ".#.", ".#.", ".##"}}, {'s', {".##", "#..", ".#.", "..#", "##."}},
};

const Glyph* glyphOf(char c) {
    for (const Glyph& g : kGlyphs)
        if (g.c == c) return &g;
    return nullptr;
}

}  // namespace

std::vector<std::uint8_t> botTestPicture(const std::string& name, int frameNumber, int& width,
                                         int& height) {
    width = 160;
    height = 120;
    std::vector<std::uint8_t> px(static_cast<std::size_t>(width * height),
                                 static_cast<std::uint8_t>(60 + (frameNumber * 3) % 60));
    const int stripe = (frameNumber * 8) % (width + 30) - 30;
    for (int y = 0; y < height; ++y)
        for (int x = std::max(0, stripe); x < std::min(width, stripe + 30); ++x)
            px[static_cast<std::size_t>(y * width + x)] = 200;
    constexpr int kCell = 4;
    const int textWidth = static_cast<int>(name.size()) * 4 * kCell;
    int left = std::max(0, (width - textWidth) / 2);
    const int top = (height - 5 * kCell) / 2;
    for (char c : name) {
        if (const Glyph* g = glyphOf(c))
            for (int r = 0; r < 5; ++r)
                for (int col = 0; col < 3; ++col)
                    if (g->rows[r][col] == '#')
                        for (int dy = 0; dy < kCell; ++dy)
                            for (int dx = 0; dx < kCell; ++dx) {
                                const int x = left + col * kCell + dx, y = top + r * kCell + dy;
                                if (x < width) px[static_cast<std::size_t>(y * width + x)] = 255;
                            }
        left += 4 * kCell;
    }
    return px;
}

}  // namespace server
